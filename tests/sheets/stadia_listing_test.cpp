// The Stadia listing: the RTF file in both layouts and every page setting,
// the corrected bearing and distance, the user's notations, and the printed
// page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_listing.h"
#include "stadia_report_rows.h"
#include "survey/angles.h"
#include "survey/distances.h"

namespace kestrel::testing {
namespace {

// The lines of ListingRows(), written out field by field from the row formats.
const std::string kStn1 =
    "STN  "
    "      1"
    "       1000.000"
    "      1000.000"
    "        50.000"
    "             "
    "      STN"
    "         control";
const std::string kStn2 =
    "STN  "
    "      2"
    "       1000.000"
    "      1100.000"
    "        51.000"
    "             "
    "         "
    "                ";
const std::string kSetup =
    "AT/BS "
    "     1"
    "        30.0000"
    "             2"
    "         1.500";
const std::string kNote = "Fnote  sunny" + std::string(55, ' ');
const std::string kShot =
    "SD/HT"
    "    101"
    "       120.0000"
    "       60.0000"
    "       100.000"
    "        1.600"
    "     TREE"
    "             oak";
const std::string kShotXyz =
    "      1050.000"
    "      1000.000"
    "       100.100";
const std::string kCorrected =
    "        90.0000"
    "        86.603";
const std::string kHzDh =
    "HZ/DH"
    "    102"
    "        45.3000"
    "       20.000"
    "        -1.250"
    "             "
    "    FENCE"
    "                ";
const std::string kHzDhXyz =
    "HZ/DH"
    "  102"
    "       45.3000"
    "        20.000"
    "        -1.250"
    "             "
    "    FENCE"
    "                "
    "      1014.142"
    "      1014.142"
    "        48.750";
const std::string kHdRl =
    "HD/RL"
    "    103"
    "       200.1530"
    "       15.500"
    "        49.000"
    "         "
    "a comment longer";
const std::string kHdRlXyz =
    "HD/RL"
    "  103"
    "      200.1530"
    "        15.500"
    "        49.000"
    "         "
    "a comment longer"
    "       990.000"
    "       985.000"
    "        49.000";
const std::string kChk =
    "  CHK"
    "      1"
    "         0.0000"
    "      90.0000"
    "         0.005"
    "        1.500"
    "         "
    "           check";
const std::string kChkXyz =
    "  CHK"
    "    1"
    "        0.0000"
    "       90.0000"
    "         0.005"
    "        1.500"
    "         "
    "           check"
    "      1000.003"
    "       999.998"
    "        50.001";

const char* const kFontTable = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}";
const char* const kLandscapeWithMargins =
    "\\landscape\\paperw15840\\paperh12240 \\margl1000\\margr500\\margt1500\\margb1000 ";

class StadiaListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Ok());
    context.app.job = {.drive = "", .folder = folder.File(""), .job = "tst"};
    sheet.Rows() = ListingRows();
  }

  std::string ListingPath() const { return folder.File("StadiaListing_tst.rtf"); }

  // Print to File: the header command without a page, then every row.
  void PrintToFile(bool coordinates, bool corrected) {
    sheet.Command(kCmdShowCoordinates, std::int64_t{coordinates ? 1 : 0});
    EXPECT_EQ(sheet.Command(kCmdPrintHeader), -1);
    sheet.Command(kCmdPrintRows, {}, RowRange{0, 0, corrected ? 1 : 0});
  }

  ScratchFolder folder;
  SheetTestContext context;
  Stadia sheet{context.ctx};
};

TEST_F(StadiaListingTest, FileInEachLayoutAndPageSetting) {
  struct Case {
    bool coordinates, corrected;
    std::string page;
    std::vector<std::string> lines;
  } cases[] = {
      {false, false, "\\fs16 ", {kStn1, kStn2, kSetup, kNote, kShot, kHzDh, kHdRl, kChk}},
      {true,
       false,
       std::string("\\fs16 ") + kLandscapeWithMargins,
       {kStn1, kStn2, kSetup, kNote, kShot + kShotXyz, kHzDhXyz, kHdRlXyz, kChkXyz}},
      {false,
       true,
       std::string("\\fs16 ") + kLandscapeWithMargins,
       {kStn1, kStn2, kSetup, kNote, kShot, kHzDh, kHdRl, kChk}},
      {true,
       true,
       std::string("\\fs14 ") + kLandscapeWithMargins,
       {kStn1, kStn2, kSetup, kNote, kShot + kShotXyz + kCorrected, kHzDhXyz, kHdRlXyz, kChkXyz}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "coordinates " << c.coordinates << " corrected " << c.corrected);
    sheet.MessageLines() = {"an old reduction message"};
    context.shell.opened.clear();
    PrintToFile(c.coordinates, c.corrected);

    std::string expected = kFontTable + c.page + RtfColourTable();
    for (const std::string& line : c.lines) expected += line + "\\par \r\n";
    EXPECT_EQ(ScratchFolder::Read(ListingPath()), expected + "}");
    EXPECT_EQ(sheet.MessageLines(), c.lines);
    EXPECT_EQ(context.shell.opened, std::vector<std::string>{ListingPath()});
    EXPECT_EQ(context.messages.texts.back(), "file " + ListingPath() + " created");
  }
}

// The corrected values of the one shot: the set-up's orientation comes from
// the nearest STN rows above the AT/BS row, the elevation from the vertical
// convention of the first AT/BS row that names one.
TEST_F(StadiaListingTest, CorrectedBearingAndDistance) {
  const auto withSetupNote = [](std::string note) {
    std::vector<StadiaRow> rows = ListingRows();
    rows[2].note = std::move(note);
    return rows;
  };
  std::vector<StadiaRow> nearerStation = ListingRows();
  // An older station 2 further up, and one below the set-up: neither is used.
  nearerStation.insert(nearerStation.begin(), StationRow(2, 2000, 1000, 0));
  nearerStation.push_back(StationRow(2, 0, 0, 0));
  std::vector<StadiaRow> noBacksightStation = ListingRows();
  noBacksightStation.erase(noBacksightStation.begin() + 1);

  struct Case {
    const char* name;
    std::vector<StadiaRow> rows;
    std::string appended;
  } cases[] = {
      {"zenith readings", ListingRows(), kCorrected},
      {"elevation readings", withSetupNote("v0ha"), "        90.0000        50.000"},
      {"nearest station above", nearerStation, kCorrected},
      {"backsight not a station", noBacksightStation, ""},
  };
  sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  for (const Case& c : cases) {
    sheet.Rows() = c.rows;
    std::vector<std::string> lines = StadiaListingLines(sheet, 0, sheet.RowCount(), true);
    const auto shot = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.starts_with("SD/HT"); });
    ASSERT_NE(shot, lines.end());
    EXPECT_EQ(*shot, kShot + kShotXyz + c.appended) << c.name;
  }
}

TEST_F(StadiaListingTest, AnglesAndLengthsInTheUsersNotation) {
  StadiaRow shot = ListingRows()[4];
  shot.obs2 = shot.dist = kEmptyValue;
  shot.targetHt = 5.2604167;  // 5 ft 3 1/8 in
  struct Case {
    int mode, unit;
    double hz;
    std::string hzText, heightText;
  } cases[] = {
      {kQuadrant, kMetres, 225.3000,
       " S  45\xB0"
       "30'00\" W",
       "        5.260"},
      {kQuadrant, kMetres, 45.3000,
       " N  45\xB0"
       "30'00\" E",
       "        5.260"},
      {kGrads, kMetres, 45.0000, "       50.0000g", "        5.260"},
      {kWholeCircle, kFeetInches, 120.0, "       120.0000", "     5' 3 1/8"},
  };
  for (const Case& c : cases) {
    context.units = FixedUnitSelectors(c.mode, c.unit);
    shot.hz = c.hz;
    sheet.Rows() = {shot};
    EXPECT_EQ(StadiaListingLines(sheet, 0, 1, false),
              std::vector<std::string>{"SD/HT    101" + c.hzText + std::string(28, ' ') +
                                       c.heightText + "     TREE             oak"});
  }
}

TEST_F(StadiaListingTest, PrintedPage) {
  sheet.Rows() = {NoteRow("first"), NoteRow("second"), NoteRow("third")};
  sheet.SaveToFile(folder.File("stad1.tst"));
  RecordingCanvas canvas(200);
  EXPECT_EQ(sheet.Command(kCmdPrintHeader, &canvas), 0);
  // The range is clipped to the sheet.
  EXPECT_EQ(sheet.Command(kCmdPrintRows, &canvas, RowRange{1, 60, 0}), 0);

  const std::string path = folder.File("stad1.tst");
  struct Drawn {
    int x, y;
    std::string text;
  } expected[] = {{3000, -750, "Stadia Report"},
                  {3000, -950, "Stadia File :" + path},
                  {360, -1640, "Fnote  second" + std::string(54, ' ')},
                  {360, -1840, "Fnote  third" + std::string(55, ' ')}};
  ASSERT_EQ(canvas.texts.size(), std::size(expected));
  for (std::size_t i = 0; i < canvas.texts.size(); ++i) {
    EXPECT_EQ(canvas.texts[i].x, expected[i].x) << i;
    EXPECT_EQ(canvas.texts[i].y, expected[i].y) << i;
    EXPECT_EQ(canvas.texts[i].text, expected[i].text) << i;
  }
  EXPECT_TRUE(context.shell.opened.empty());
}

// Text with every run of blanks made one blank and none at the ends, as the
// RTF-to-text converter shows it.
std::string Words(const std::string& text) {
  std::string words;
  for (const char c : text) {
    if (c != ' ' || (!words.empty() && words.back() != ' ')) words += c;
  }
  if (!words.empty() && words.back() == ' ') words.pop_back();
  return words;
}

// What a viewer shows: every line of the listing and of the check shot
// report, read back by an RTF-to-text converter.
TEST_F(StadiaListingTest, ReportsReadBackAsText) {
  if (std::system("command -v unrtf >/dev/null 2>&1") != 0) GTEST_SKIP() << "unrtf missing";
  sheet.Rows().push_back(StationRow(8, 10, 20, 30));
  sheet.Rows().push_back(CheckRow(8, 9.5, 20.25, 29.875));
  PrintToFile(true, false);
  sheet.Command(kCmdCheckReport);
  const std::vector<std::string> expectedCheck = {
      "CHECK SHOT REPORT", "                                      East    North    Height",
      "Point     8 Coordinate difference    0.500,  -0.250,   0.125"};

  struct Report {
    std::string path;
    std::vector<std::string> lines;
  } reports[] = {{ListingPath(), sheet.MessageLines()},
                 {folder.File("CheckReport.rtf"), expectedCheck}};
  for (const Report& report : reports) {
    const std::string text = folder.File("text.txt");
    ASSERT_EQ(
        std::system(("unrtf --text '" + report.path + "' > '" + text + "' 2>/dev/null").c_str()),
        0);
    const std::string shown = ScratchFolder::Read(text);
    for (const std::string& line : report.lines) {
      EXPECT_NE(shown.find(Words(line)), std::string::npos) << line;
    }
  }
}

}  // namespace
}  // namespace kestrel::testing
