// The sheet kinds' names and their recognition, native paths, the recent
// sheet and the table selection dialog's path rules.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "job/job_location.h"
#include "job/recent_sheet.h"
#include "job/sheet_types.h"
#include "job/table_selection.h"

namespace kestrel {
namespace {

using enum SheetType;

constexpr SheetType kAllTypes[] = {Stadia,    Traditional, Traverse,
                                   LevelBook, LevelSheet,  PrecisionStadia};

// Every kind's keyword, file name and the reading of that name back, with
// the names older programs wrote and names that are no sheet's.
TEST(SheetKindTableTest, KeywordNameAndRecognition) {
  const JobLocation windows;  // c:, \data\, tst
  const JobLocation native{"", "/home/me/jobs/", "bay"};
  const struct {
    SheetType type;
    const char* keyword;
    int number;
    const char* windowsName;
    const char* nativeName;
  } kinds[] = {
      {Stadia, "stadia", 1, "c:\\data\\stad1.tst", "/home/me/jobs/stad1.bay"},
      {Traditional, "traditional", 2, "c:\\data\\trad2.tst", "/home/me/jobs/trad2.bay"},
      {Traverse, "traverse", 12, "c:\\data\\trav12.tst", "/home/me/jobs/trav12.bay"},
      {LevelBook, "levelbook", 3, "c:\\data\\lvlbk3.tst", "/home/me/jobs/lvlbk3.bay"},
      {LevelSheet, "levelsheet", 99, "c:\\data\\lvlsh99.tst", "/home/me/jobs/lvlsh99.bay"},
      {PrecisionStadia, "precisionstadia", 2, "c:\\data\\tst.precisionstadia2",
       "/home/me/jobs/bay.precisionstadia2"},
  };
  ASSERT_EQ(std::size(kinds), std::size_t{kSheetTypeCount});
  for (const auto& k : kinds) {
    EXPECT_EQ(SheetTypeFromKeyword(k.keyword), k.type);
    EXPECT_EQ(SheetFileName(k.type, windows, k.number), k.windowsName);
    EXPECT_EQ(SheetFileName(k.type, native, k.number), k.nativeName);
    for (const char* name : {k.windowsName, k.nativeName}) {
      const std::optional<SheetNameMatch> match = RecognizeSheetFile(name);
      ASSERT_TRUE(match.has_value()) << name;
      EXPECT_EQ(match->type, k.type) << name;
      EXPECT_EQ(match->number, k.number) << name;
    }
  }
  EXPECT_FALSE(SheetTypeFromKeyword("stad").has_value());
  EXPECT_FALSE(SheetTypeFromKeyword("Stadia").has_value());

  const struct {
    const char* path;
    std::optional<SheetType> type;
    int number;
  } names[] = {
      {"c:\\data\\lvl2sh7.tst", LevelSheet, 7},  // the older level sheet name
      {"/j/JOB.PrecisionStadia4", PrecisionStadia, 4},
      // The job-first mark counts wherever it stands in the name.
      {"/j/stad1.tst.precisionstadia3", PrecisionStadia, 3},
      {"/srv/stadia/trav4.tst", Traverse, 4},  // the folder does not count
      {"/j/oldstad5.tst", Stadia, 5},          // a stem anywhere in the name
      {"/j/x.dat", std::nullopt, 0},
  };
  for (const auto& n : names) {
    const std::optional<SheetNameMatch> match = RecognizeSheetFile(n.path);
    EXPECT_EQ(match ? std::optional(match->type) : std::nullopt, n.type) << n.path;
    EXPECT_EQ(match ? match->number : 0, n.number) << n.path;
  }
}

TEST(SheetTypesTest, OnlyTheLastSetFlagRemains) {
  for (const SheetType type : kAllTypes) {
    SheetTypeFlags flags;
    flags.Set(PrecisionStadia);
    flags.Set(type);
    EXPECT_EQ(flags.First(), type);
  }
  SheetTypeFlags flags;
  EXPECT_FALSE(flags.First().has_value());
  flags.precisionstadia = flags.traverse = true;
  EXPECT_EQ(flags.First(), Traverse);  // the fixed order decides
}

TEST(JobLocationTest, NativePathsAndReportNames) {
  const struct {
    const char* path;
    const char* native;
  } paths[] = {
      {"c:\\data\\stad1.tst", "/data/stad1.tst"},
      {"/home/me/jobs/stad1.tst", "/home/me/jobs/stad1.tst"},
      {"data\\stad1.tst", "data/stad1.tst"},
  };
  for (const auto& p : paths) EXPECT_EQ(NativePath(p.path), p.native) << p.path;

  const JobLocation windows;
  EXPECT_EQ(windows.ReportPath("%s%sstadiaerrors_%s.rtf"), "/data/stadiaerrors_tst.rtf");
  EXPECT_EQ(windows.NativeFolder(), "/data/");
  const JobLocation native{"", "/home/me/jobs/", "bay"};
  EXPECT_EQ(native.ReportPath("%s%sstadiaerrors_%s.rtf"), "/home/me/jobs/stadiaerrors_bay.rtf");
}

TEST(RecentSheetTest, KeywordAndNumberFromFileName) {
  const struct {
    const char* recentFile;
    std::optional<SheetType> type;
    int number;
  } cases[] = {
      {"c:\\data\\lvl2sh7.tst", LevelSheet, 7},
      // "stad" is searched before "precisionstadia" and is found inside it;
      // "ia2" then reads as 0.
      {"c:\\data\\tst.precisionstadia2", Stadia, 0},
      {"c:\\data\\notes.txt", std::nullopt, 0},
  };
  for (const auto& c : cases) {
    const std::optional<RecentSheet> recent = DetectRecentSheet(c.recentFile);
    EXPECT_EQ(recent ? std::optional(recent->type) : std::nullopt, c.type) << c.recentFile;
    EXPECT_EQ(recent ? recent->number : 0, c.number) << c.recentFile;
  }
}

TEST(TableSelectionTest, RebuildsPathForRadioButtonAndEnter) {
  const struct {
    const char* present;
    SheetType type;
    int number;
    const char* rebuilt;
  } cases[] = {
      {"c:\\data\\stad3.tst", PrecisionStadia, 3, "c:\\data\\tst.precisionstadia3"},
      // Enter in the number field: same type, new number.
      {"/home/me/jobs/lvl2sh1.bay", LevelSheet, 4, "/home/me/jobs/lvlsh4.bay"},
      {"/home/me/jobs/notes", Traverse, 2, "/home/me/jobs/trav2"},
      // Away from and back to a precision stadia path the job name survives.
      {"d:\\jobs\\job7.precisionstadia2", Traverse, 2, "d:\\jobs\\trav2.job7"},
      {"d:\\jobs\\job7.precisionstadia2", PrecisionStadia, 5, "d:\\jobs\\job7.precisionstadia5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RebuildSheetPath(c.present, c.type, c.number), c.rebuilt) << c.present;
  }
}

TEST(TableSelectionTest, BrowseFiltersAndStartingPoint) {
  for (const SheetType type : kAllTypes) {
    // The preselected filter shows the files the initial name matches.
    EXPECT_STREQ(BrowseFilters()[BrowseFilterIndex(type) - 1].pattern, BrowseInitialName(type));
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
      {"/home/me/jobs/TRAV4.TST", Stadia, 1, Traverse, 4, "Traverse Number"},
      {"/j/stad7.tst", PrecisionStadia, 1, PrecisionStadia, 7, "Survey Number"},
      {"/j/lvl2sh6.tst", Stadia, 1, LevelSheet, 6, "Level Number"},
      {"/j/job7.precisionstadia2", Stadia, 1, PrecisionStadia, 2, "Survey Number"},
      {"/j/notes.txt", Traverse, 9, Traverse, 9, "Traverse Number"},
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
