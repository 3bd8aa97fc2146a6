// Sheet file names, native paths, the recent sheet and the table selection
// dialog's path rules.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "job/job_location.h"
#include "job/recent_sheet.h"
#include "job/sheet_types.h"
#include "job/table_selection.h"

namespace kestrel {
namespace {

constexpr SheetType kAllTypes[] = {SheetType::Stadia,     SheetType::Traditional,
                                   SheetType::Traverse,   SheetType::LevelBook,
                                   SheetType::LevelSheet, SheetType::PrecisionStadia};

TEST(SheetFileNameTest, EveryTypeForWindowsAndNativeJobs) {
  const JobLocation windows;  // c:, \data\, tst
  const JobLocation native{"", "/home/me/jobs/", "bay"};
  const struct {
    SheetType type;
    int number;
    const char* windowsName;
    const char* nativeName;
  } cases[] = {
      {SheetType::Stadia, 1, "c:\\data\\stad1.tst", "/home/me/jobs/stad1.bay"},
      {SheetType::Traditional, 2, "c:\\data\\trad2.tst", "/home/me/jobs/trad2.bay"},
      {SheetType::Traverse, 12, "c:\\data\\trav12.tst", "/home/me/jobs/trav12.bay"},
      {SheetType::LevelBook, 3, "c:\\data\\lvlbk3.tst", "/home/me/jobs/lvlbk3.bay"},
      {SheetType::LevelSheet, 99, "c:\\data\\lvlsh99.tst", "/home/me/jobs/lvlsh99.bay"},
      {SheetType::PrecisionStadia, 2, "c:\\data\\tst.precisionstadia2",
       "/home/me/jobs/bay.precisionstadia2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SheetFileName(c.type, windows, c.number), c.windowsName);
    EXPECT_EQ(SheetFileName(c.type, native, c.number), c.nativeName);
    // The dialog opens on, and rebuilds on a number change to, the same name.
    EXPECT_EQ(InitialSheetPath(windows, c.type, c.number), c.windowsName);
  }
}

TEST(SheetTypesTest, KeywordsAndFlags) {
  const char* keywords[] = {"stadia",    "traditional", "traverse",
                            "levelbook", "levelsheet",  "precisionstadia"};
  for (int i = 0; i < kSheetTypeCount; ++i) {
    const SheetType type = kAllTypes[i];
    EXPECT_EQ(SheetTypeFromKeyword(keywords[i]), type);
    SheetTypeFlags flags;
    flags.Set(SheetType::PrecisionStadia);
    flags.Set(type);
    EXPECT_EQ(flags.First(), type) << "only the last set flag remains";
  }
  EXPECT_FALSE(SheetTypeFromKeyword("stad").has_value());
  EXPECT_FALSE(SheetTypeFromKeyword("").has_value());
}

TEST(SheetTypesTest, FirstFlagFollowsTheFixedOrder) {
  SheetTypeFlags flags;
  EXPECT_FALSE(flags.First().has_value());
  flags.precisionstadia = true;
  flags.traverse = true;
  EXPECT_EQ(flags.First(), SheetType::Traverse);
}

TEST(JobLocationTest, NativePathsAndReportNames) {
  const struct {
    const char* path;
    const char* native;
  } paths[] = {
      {"c:\\data\\stad1.tst", "/data/stad1.tst"},
      {"D:\\jobs\\job7.precisionstadia2", "/jobs/job7.precisionstadia2"},
      {"/home/me/jobs/stad1.tst", "/home/me/jobs/stad1.tst"},
      {"data\\stad1.tst", "data/stad1.tst"},
      {"c:", ""},
      {"", ""},
  };
  for (const auto& p : paths) EXPECT_EQ(NativePath(p.path), p.native) << p.path;

  const JobLocation windows;
  EXPECT_EQ(windows.ReportPath("%s%sstadiaerrors_%s.rtf"), "/data/stadiaerrors_tst.rtf");
  EXPECT_EQ(windows.FolderPath("%s%sCheckReport.rtf"), "/data/CheckReport.rtf");
  EXPECT_EQ(windows.NativeFolder(), "/data/");
  const JobLocation native{"", "/home/me/jobs/", "bay"};
  EXPECT_EQ(native.ReportPath("%s%sstadiaerrors_%s.rtf"), "/home/me/jobs/stadiaerrors_bay.rtf");
  EXPECT_EQ(native.NativeFolder(), "/home/me/jobs/");
}

TEST(RecentSheetTest, KeywordAndNumberFromFileName) {
  const struct {
    const char* recentFile;
    std::optional<SheetType> type;
    int number;
  } cases[] = {
      {"c:\\data\\stad3.tst", SheetType::Stadia, 3},
      {"C:\\DATA\\TRAD12.TST", SheetType::Traditional, 12},
      {"/home/me/jobs/trav2.bay", SheetType::Traverse, 2},
      {"c:\\data\\lvlbk5.tst", SheetType::LevelBook, 5},
      {"c:\\data\\lvlsh9.tst", SheetType::LevelSheet, 9},
      {"c:\\data\\lvl2sh7.tst", SheetType::LevelSheet, 7},
      // "stad" is searched before "precisionstadia" and is found inside it;
      // "ia2" then reads as 0.
      {"c:\\data\\tst.precisionstadia2", SheetType::Stadia, 0},
      // The folder does not count.
      {"/srv/stadia/trav4.tst", SheetType::Traverse, 4},
      {"c:\\data\\notes.txt", std::nullopt, 0},
      {"", std::nullopt, 0},
  };
  for (const auto& c : cases) {
    const std::optional<RecentSheet> recent = DetectRecentSheet(c.recentFile);
    ASSERT_EQ(recent.has_value(), c.type.has_value()) << c.recentFile;
    if (!recent) continue;
    EXPECT_EQ(recent->type, *c.type) << c.recentFile;
    EXPECT_EQ(recent->number, c.number) << c.recentFile;
  }
}

TEST(TableSelectionTest, RebuildsPathForRadioButtonAndEnter) {
  const struct {
    const char* present;
    SheetType type;
    int number;
    const char* rebuilt;
  } cases[] = {
      {"c:\\data\\stad3.tst", SheetType::Traverse, 3, "c:\\data\\trav3.tst"},
      {"c:\\data\\stad3.tst", SheetType::Stadia, 3, "c:\\data\\stad3.tst"},
      {"c:\\data\\stad3.tst", SheetType::Traditional, 3, "c:\\data\\trad3.tst"},
      {"c:\\data\\stad3.tst", SheetType::LevelBook, 3, "c:\\data\\lvlbk3.tst"},
      {"c:\\data\\stad3.tst", SheetType::LevelSheet, 3, "c:\\data\\lvlsh3.tst"},
      {"c:\\data\\stad3.tst", SheetType::PrecisionStadia, 3, "c:\\data\\tst.precisionstadia3"},
      // Enter in the number field: same type, new number.
      {"c:\\data\\stad3.tst", SheetType::Stadia, 12, "c:\\data\\stad12.tst"},
      {"/home/me/jobs/lvl2sh1.bay", SheetType::LevelSheet, 4, "/home/me/jobs/lvlsh4.bay"},
      {"/home/me/jobs/notes", SheetType::Traverse, 2, "/home/me/jobs/trav2"},
      // Away from and back to a precision stadia path the job name survives.
      {"d:\\jobs\\job7.precisionstadia2", SheetType::Traverse, 2, "d:\\jobs\\trav2.job7"},
      {"d:\\jobs\\job7.precisionstadia2", SheetType::PrecisionStadia, 5,
       "d:\\jobs\\job7.precisionstadia5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RebuildSheetPath(c.present, c.type, c.number), c.rebuilt) << c.present;
  }
}

TEST(TableSelectionTest, BrowseFiltersAndStartingPoint) {
  EXPECT_EQ(BrowseFilterText(),
            "All Files (*.*)|*.*|"
            "Level Books (lvlbk*.*)|lvlbk*.*|"
            "Level Sheets GYRE (lvlsh *.*)|lvlsh*.*|"
            "Level Sheets V3.03 (lvl2sh*.*)|lvl2sh*.*|"
            "Stadia Entry (stad*.*)|stad*.*|"
            "Traditional Stadia (trad*.*)|trad*.*|"
            "Traverse Entry (trav*.*)|trav*.*|"
            "precisionstadia (*.precisionstadia*) |*.precisionstadia*||");
  const int indexes[] = {5, 6, 7, 2, 3, 8};
  const char* names[] = {"stad*.*",  "trad*.*",  "trav*.*",
                         "lvlbk*.*", "lvlsh*.*", "*.precisionstadia*"};
  for (int i = 0; i < kSheetTypeCount; ++i) {
    EXPECT_EQ(BrowseFilterIndex(kAllTypes[i]), indexes[i]);
    EXPECT_STREQ(BrowseInitialName(kAllTypes[i]), names[i]);
    // The preselected filter matches the files the initial name shows.
    EXPECT_STREQ(BrowseFilters()[indexes[i] - 1].pattern, names[i]);
  }
  EXPECT_EQ(BrowseFolder("c:\\data\\stad3.tst"), "/data/");
  EXPECT_EQ(BrowseFolder("/home/me/jobs/stad3.tst"), "/home/me/jobs/");
}

TEST(TableSelectionTest, BrowsedFileDecidesTypeAndNumber) {
  const struct {
    const char* chosen;
    SheetType presentType;
    int presentNumber;
    SheetType type;
    int number;
    const char* label;
  } cases[] = {
      {"/home/me/jobs/TRAV4.TST", SheetType::Stadia, 1, SheetType::Traverse, 4, "Traverse Number"},
      {"/j/stad7.tst", SheetType::LevelBook, 1, SheetType::Stadia, 7, "Survey Number"},
      {"/j/stad7.tst", SheetType::PrecisionStadia, 1, SheetType::PrecisionStadia, 7,
       "Survey Number"},
      {"/j/trad3.tst", SheetType::Stadia, 1, SheetType::Traditional, 3, "Survey Number"},
      {"/j/lvlbk11.tst", SheetType::Stadia, 1, SheetType::LevelBook, 11, "Level Number"},
      {"/j/lvlsh2.tst", SheetType::Stadia, 1, SheetType::LevelSheet, 2, "Level Number"},
      {"/j/lvl2sh6.tst", SheetType::Stadia, 1, SheetType::LevelSheet, 6, "Level Number"},
      {"/j/job7.precisionstadia2", SheetType::Stadia, 1, SheetType::PrecisionStadia, 2,
       "Survey Number"},
      {"/j/notes.txt", SheetType::Traverse, 9, SheetType::Traverse, 9, "Traverse Number"},
  };
  for (const auto& c : cases) {
    const BrowsedSheet sheet = SheetFromBrowsedFile(c.chosen, c.presentType, c.presentNumber);
    EXPECT_EQ(sheet.type, c.type) << c.chosen;
    EXPECT_EQ(sheet.number, c.number) << c.chosen;
    EXPECT_STREQ(sheet.label, c.label) << c.chosen;
    EXPECT_EQ(sheet.path, c.chosen);
  }
}

}  // namespace
}  // namespace kestrel
