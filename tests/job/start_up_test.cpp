// From the host's command line to the sheet file the program opens.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "job/choose_sheet.h"
#include "job/host_command_line.h"
#include "scripted_chooser.h"

namespace kestrel {
namespace {

struct StartUpCase {
  const char* name;
  const char* argument;
  const char* recentFile;
  // Expected state after the command line is read.
  std::optional<SheetType> flag;
  const char* drive;
  const char* folder;
  const char* job;
  int hostValue;
  int unit;
  bool unitKnown;
  // Expected choice: with no dialog the built path; with the dialog the type
  // and number it is prepared with (the scripted dialog then cancels).
  bool dialog;
  SheetType dialogType;
  int dialogNumber;
  const char* path;
  const char* nativePath;
};

void PrintTo(const StartUpCase& c, std::ostream* out) { *out << c.argument; }

class StartUpTest : public testing::TestWithParam<StartUpCase> {};

TEST_P(StartUpTest, ReadsCommandLineAndChoosesSheet) {
  const StartUpCase& c = GetParam();
  ApplicationState app;
  const HostCommandLine line = ApplyHostCommandLine(c.argument, app);

  EXPECT_EQ(app.flags.First(), c.flag);
  EXPECT_EQ(app.job.drive, c.drive);
  EXPECT_EQ(app.job.folder, c.folder);
  EXPECT_EQ(app.job.job, c.job);
  EXPECT_EQ(app.hostValue, c.hostValue);
  EXPECT_EQ(app.hostDistanceUnit, c.unit);
  EXPECT_EQ(app.hostDistanceUnitKnown, c.unitKnown);

  ScriptedChooser chooser;
  std::string path = line.path;
  const int chosen = ChooseSheet(app, path, line.NumberForChooser(), c.recentFile, chooser);
  if (c.dialog) {
    ASSERT_EQ(chooser.calls.size(), 1u);
    EXPECT_EQ(chooser.calls[0].type, c.dialogType);
    EXPECT_EQ(chooser.calls[0].number, c.dialogNumber);
    EXPECT_EQ(chooser.calls[0].job.folder, c.folder);
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(path, line.path) << "a cancelled choice leaves the path alone";
  } else {
    EXPECT_TRUE(chooser.calls.empty());
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(path, c.path);
    EXPECT_EQ(NativePath(path), c.nativePath);
  }
}

constexpr auto kStadia = SheetType::Stadia;
constexpr auto kTraverse = SheetType::Traverse;
constexpr auto kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    CommandLines, StartUpTest,
    testing::Values(
        StartUpCase{"FullStadia", "stadia,c:,\\data\\,tst,0,3,4", "", kStadia, "c:", "\\data\\",
                    "tst", 0, 3, true, false, kStadia, 0, "c:\\data\\stad4.tst", "/data/stad4.tst"},
        StartUpCase{"FullPrecision", "precisionstadia,d:,\\jobs\\,job7,0,4,2", "",
                    SheetType::PrecisionStadia, "d:", "\\jobs\\", "job7", 0, 4, true, false,
                    kStadia, 0, "d:\\jobs\\job7.precisionstadia2", "/jobs/job7.precisionstadia2"},
        StartUpCase{"NativeFolder", "stadia,,/home/me/jobs/,tst,0,3,4", "", kStadia, "",
                    "/home/me/jobs/", "tst", 0, 3, true, false, kStadia, 0,
                    "/home/me/jobs/stad4.tst", "/home/me/jobs/stad4.tst"},
        StartUpCase{"FolderWithoutTrailingSeparator", "traverse,,/home/me/jobs,bay,7,5,12", "",
                    kTraverse, "", "/home/me/jobs/", "bay", 7, 5, true, false, kStadia, 0,
                    "/home/me/jobs/trav12.bay", "/home/me/jobs/trav12.bay"},
        StartUpCase{"UnitLeftAlone", "levelsheet,c:,\\data\\,tst,0,-1,3,extra", "",
                    SheetType::LevelSheet, "c:", "\\data\\", "tst", 0, -1, false, false, kStadia, 0,
                    "c:\\data\\lvlsh3.tst", "/data/lvlsh3.tst"},
        StartUpCase{"NoNumberShowsDialog", "stadia,c:,\\data\\,tst", "", kStadia, "c:", "\\data\\",
                    "tst", 0, 0, false, true, kStadia, 1, "", ""},
        StartUpCase{"RecentNumberOfSameType", "stadia,c:,\\data\\,tst,0,3", "c:\\data\\stad7.tst",
                    kStadia, "c:", "\\data\\", "tst", 0, 3, true, true, kStadia, 7, "", ""},
        StartUpCase{"RecentOfOtherTypeIgnored", "stadia,c:,\\data\\,tst,0,3,",
                    "c:\\data\\trav5.tst", kStadia, "c:", "\\data\\", "tst", 0, 3, true, true,
                    kStadia, 1, "", ""},
        StartUpCase{"BareKeyword", "traverse", "", kTraverse, "c:", "\\data\\", "tst", 0, 0, false,
                    true, kTraverse, 1, "", ""},
        StartUpCase{"NothingTakesRecentType", "", "/home/me/jobs/lvlbk4.tst", kNone,
                    "c:", "\\data\\", "tst", 0, 0, false, true, SheetType::LevelBook, 4, "", ""},
        StartUpCase{"NothingNoRecent", "", "", kNone, "c:", "\\data\\", "tst", 0, 0, false, true,
                    kStadia, 1, "", ""},
        StartUpCase{"UnknownKeywordBare", "roadsheet", "", kNone, "c:", "\\data\\", "tst", 0, 0,
                    false, true, kStadia, 1, "", ""},
        StartUpCase{"UnknownKeywordWithNumber", "Stadia,c:,\\data\\,tst,0,3,4", "", kNone,
                    "c:", "\\data\\", "tst", 0, 3, true, true, kStadia, 4, "", ""},
        StartUpCase{"UnreadableIntegers", "trad,e:,\\x\\,j,abc,4ft,2", "", kNone, "e:", "\\x\\",
                    "j", 0, 4, true, true, kStadia, 2, "", ""}),
    [](const testing::TestParamInfo<StartUpCase>& info) { return info.param.name; });

TEST(HostCommandLineTest, ArgumentBecomesDriveFolderAndJob) {
  ApplicationState app;
  app.flags.Set(SheetType::LevelBook);  // left from an earlier reading
  const HostCommandLine line = ApplyHostCommandLine("traditional,c:,\\data\\,my job", app);
  EXPECT_TRUE(line.hasArgument);
  EXPECT_EQ(line.path, "c:\\data\\.my job");
  EXPECT_EQ(app.job.job, "my job");
  EXPECT_EQ(app.flags.First(), SheetType::Traditional);
  EXPECT_FALSE(app.flags.levelbook);
  EXPECT_FALSE(line.sheetNumber.has_value());

  const HostCommandLine none = ApplyHostCommandLine("", app);
  EXPECT_FALSE(none.hasArgument);
  EXPECT_FALSE(app.flags.First().has_value());
}

TEST(ChooseSheetTest, ConfirmedChoiceBecomesTheJob) {
  ApplicationState app;
  app.flags.Set(SheetType::Stadia);
  ScriptedChooser chooser;
  chooser.answer = SheetChoice{SheetType::PrecisionStadia, "/home/me/jobs/bay.precisionstadia3"};
  std::string path = "c:\\data\\.tst";

  EXPECT_EQ(ChooseSheet(app, path, kNoSheetNumber, "", chooser), 1);
  EXPECT_EQ(path, "/home/me/jobs/bay.precisionstadia3");
  EXPECT_EQ(app.flags.First(), SheetType::PrecisionStadia);
  EXPECT_FALSE(app.flags.stadia);
  EXPECT_EQ(app.job.drive, "");
  EXPECT_EQ(app.job.folder, "/home/me/jobs/");
  EXPECT_EQ(app.job.job, "bay");
}

struct ApplyCase {
  const char* name;
  SheetType type;
  const char* path;
  const char* drive;
  const char* folder;
  const char* job;
};

void PrintTo(const ApplyCase& c, std::ostream* out) { *out << c.path; }

class ApplySheetChoiceTest : public testing::TestWithParam<ApplyCase> {};

TEST_P(ApplySheetChoiceTest, TakesJobFromPath) {
  const ApplyCase& c = GetParam();
  ApplicationState app;
  app.flags.Set(SheetType::Traverse);
  ApplySheetChoice(app, SheetChoice{c.type, c.path});
  EXPECT_EQ(app.flags.First(), c.type);
  const SheetTypeFlags& f = app.flags;
  EXPECT_EQ(f.stadia + f.traditional + f.traverse + f.levelbook + f.levelsheet + f.precisionstadia,
            1);
  EXPECT_EQ(app.job.drive, c.drive);
  EXPECT_EQ(app.job.folder, c.folder);
  EXPECT_EQ(app.job.job, c.job);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ApplySheetChoiceTest,
    testing::Values(ApplyCase{"StadiaWindows", SheetType::Stadia, "c:\\data\\stad4.tst",
                              "c:", "\\data\\", "tst"},
                    ApplyCase{"StadiaNative", SheetType::Stadia, "/home/me/jobs/stad4.bay", "",
                              "/home/me/jobs/", "bay"},
                    ApplyCase{"PrecisionWindows", SheetType::PrecisionStadia,
                              "d:\\jobs\\job7.precisionstadia2", "d:", "\\jobs\\", "job7"},
                    ApplyCase{"PrecisionNativeUpperCase", SheetType::PrecisionStadia,
                              "/srv/j/Job7.PrecisionStadia12", "", "/srv/j/", "Job7"},
                    // A precision sheet saved under a stadia-like name takes the extension.
                    ApplyCase{"PrecisionWithoutItsExtension", SheetType::PrecisionStadia,
                              "c:\\data\\stad1.tst", "c:", "\\data\\", "tst"},
                    ApplyCase{"OlderLevelSheet", SheetType::LevelSheet, "c:\\old\\lvl2sh3.j1",
                              "c:", "\\old\\", "j1"},
                    ApplyCase{"NoFolderNoExtension", SheetType::Traverse, "trav2", "", "", ""}),
    [](const testing::TestParamInfo<ApplyCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrel
