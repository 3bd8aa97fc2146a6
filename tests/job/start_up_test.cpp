// From the host's command line to the sheet file the program opens.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "job/choose_sheet.h"
#include "job/host_command_line.h"
#include "job/sheet_chooser.h"

namespace kestrel {
namespace {

using enum SheetType;

// A table selection dialog that records what it was prepared with and answers
// with a scripted choice (nullopt stands for Cancel).
class ScriptedChooser : public SheetChooser {
 public:
  struct Call {
    JobLocation job;
    SheetType type;
    int number;
  };
  std::optional<SheetChoice> Choose(const JobLocation& job, SheetType type, int number) override {
    calls.push_back({job, type, number});
    return answer;
  }
  std::optional<SheetChoice> answer;
  std::vector<Call> calls;
};

std::string JobText(const JobLocation& job) { return job.drive + "|" + job.folder + "|" + job.job; }

TEST(StartUpTest, ReadsCommandLineAndChoosesSheet) {
  struct Case {
    const char* argument;
    const char* recentFile;
    // The state after the command line is read.
    std::optional<SheetType> flag;
    const char* job;  // drive|folder|name
    int hostValue, unit;
    bool unitKnown;
    // The sheet opened without a dialog; when empty, the type and number the
    // dialog is prepared with (it then cancels).
    const char* path;
    SheetType dialogType = Stadia;
    int dialogNumber = 0;
  };
  const Case cases[] = {
      {"stadia,c:,\\data\\,tst,0,3,4", "", Stadia, "c:|\\data\\|tst", 0, 3, true,
       "c:\\data\\stad4.tst"},
      {"precisionstadia,d:,\\jobs\\,job7,0,4,2", "", PrecisionStadia, "d:|\\jobs\\|job7", 0, 4,
       true, "d:\\jobs\\job7.precisionstadia2"},
      // A native folder gets its trailing separator.
      {"traverse,,/home/me/jobs,bay,7,5,12", "", Traverse, "|/home/me/jobs/|bay", 7, 5, true,
       "/home/me/jobs/trav12.bay"},
      // Without a number the dialog opens, on the recent sheet's number when
      // it is of the same type.
      {"stadia,c:,\\data\\,tst", "", Stadia, "c:|\\data\\|tst", 0, 0, false, "", Stadia, 1},
      {"stadia,c:,\\data\\,tst,0,3", "c:\\data\\stad7.tst", Stadia, "c:|\\data\\|tst", 0, 3, true,
       "", Stadia, 7},
      {"stadia,c:,\\data\\,tst,0,3,", "c:\\data\\trav5.tst", Stadia, "c:|\\data\\|tst", 0, 3, true,
       "", Stadia, 1},
      // No argument: the recent sheet's type and number, else stadia 1.
      {"", "/home/me/jobs/lvlbk4.tst", std::nullopt, "c:|\\data\\|tst", 0, 0, false, "", LevelBook,
       4},
      // Keywords are exact; unreadable integers read as 0.
      {"Stadia,c:,\\data\\,tst,0,3,4", "", std::nullopt, "c:|\\data\\|tst", 0, 3, true, "", Stadia,
       4},
      {"trad,e:,\\x\\,j,abc,4ft,2", "", std::nullopt, "e:|\\x\\|j", 0, 4, true, "", Stadia, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    ApplicationState app;
    app.flags.Set(LevelBook);  // left from an earlier reading
    const HostCommandLine line = ApplyHostCommandLine(c.argument, app);
    EXPECT_EQ(app.flags.First(), c.flag);
    EXPECT_EQ(JobText(app.job), c.job);
    EXPECT_EQ(app.hostValue, c.hostValue);
    EXPECT_EQ(app.hostDistanceUnit, c.unit);
    EXPECT_EQ(app.hostDistanceUnitKnown, c.unitKnown);

    ScriptedChooser chooser;
    std::string path = line.path;
    const int chosen = ChooseSheet(app, path, line.NumberForChooser(), c.recentFile, chooser);
    if (*c.path == '\0') {
      ASSERT_EQ(chooser.calls.size(), 1u);
      EXPECT_EQ(chooser.calls[0].type, c.dialogType);
      EXPECT_EQ(chooser.calls[0].number, c.dialogNumber);
      EXPECT_EQ(JobText(chooser.calls[0].job), c.job);
      EXPECT_EQ(chosen, 0);
      EXPECT_EQ(path, line.path) << "a cancelled choice leaves the path alone";
    } else {
      EXPECT_TRUE(chooser.calls.empty());
      EXPECT_EQ(chosen, 1);
      EXPECT_EQ(path, c.path);
    }
  }
}

// A confirmed choice sets the one flag of its type and takes the job's drive,
// folder and name from the chosen path.
TEST(ChooseSheetTest, ConfirmedChoiceBecomesTheJob) {
  ApplicationState app;
  app.flags.Set(Stadia);
  ScriptedChooser chooser;
  chooser.answer = SheetChoice{PrecisionStadia, "/home/me/jobs/bay.precisionstadia3"};
  std::string path = "c:\\data\\.tst";
  EXPECT_EQ(ChooseSheet(app, path, kNoSheetNumber, "", chooser), 1);
  EXPECT_EQ(path, "/home/me/jobs/bay.precisionstadia3");
  EXPECT_EQ(app.flags.First(), PrecisionStadia);
  EXPECT_FALSE(app.flags.stadia);
  EXPECT_EQ(JobText(app.job), "|/home/me/jobs/|bay");

  struct Case {
    SheetType type;
    const char* path;
    const char* job;  // drive|folder|name
  };
  const Case cases[] = {
      {Stadia, "c:\\data\\stad4.tst", "c:|\\data\\|tst"},
      {PrecisionStadia, "d:\\jobs\\job7.precisionstadia2", "d:|\\jobs\\|job7"},
      // A precision sheet saved under a stadia-like name takes the extension.
      {PrecisionStadia, "c:\\data\\stad1.tst", "c:|\\data\\|tst"},
      {LevelSheet, "c:\\old\\lvl2sh3.j1", "c:|\\old\\|j1"},
      {Traverse, "trav2", "||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    app.flags.Set(Traverse);
    ApplySheetChoice(app, SheetChoice{c.type, c.path});
    EXPECT_EQ(app.flags.First(), c.type);
    const SheetTypeFlags& f = app.flags;
    EXPECT_EQ(
        f.stadia + f.traditional + f.traverse + f.levelbook + f.levelsheet + f.precisionstadia, 1);
    EXPECT_EQ(JobText(app.job), c.job);
  }
}

}  // namespace
}  // namespace kestrel
