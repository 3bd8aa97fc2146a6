// The Stadia listing: the RTF file in both layouts and every page setting,
// the corrected bearing and distance, the user's notations, and the printed
// page.
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "report/rtf_form.h"
#include "sheets/stadia/stadia_listing.h"
#include "stadia_test_rows.h"
#include "survey/angles.h"
#include "survey/distances.h"

namespace kestrel::testing {
namespace {

// A small sheet with a row of every type: two stations, a set-up on 1 looking
// at 2 with the circle reading 30 degrees there, and one shot of each kind.
std::vector<StadiaRow> ListingRows() {
  return {Rec(0, 1, {E, E, E, E, E, 1000, 1000, 50}, "STN", "control"),
          Stn(2, 1000, 1100, 51),
          AtBs(1, 2, 30.0, 1.5),
          Note("sunny"),
          Rec(3, 101, {120, 60, E, 100, 1.6, 1050, 1000, 100.1}, "TREE", "oak"),
          Rec(4, 102, {45.3, -1.25, E, 20, E, 1014.142, 1014.142, 48.75}, "FENCE"),
          Rec(5, 103, {200.153, E, E, 15.5, E, 990, 985, 49}, "", "a comment longer than sixteen"),
          Rec(6, 1, {0, 90, E, 0.005, 1.5, 1000.003, 999.998, 50.001}, "", "check")};
}

// The listing's lines in each layout; the corrected bearing and distance
// that the fullest layout appends to the SD/HT line.
const std::vector<std::string> kPlain =
    ExpectedLines(KESTREL_TEST_DATA_DIR "/stadia_listing_plain.txt");
const std::vector<std::string> kWithXyz =
    ExpectedLines(KESTREL_TEST_DATA_DIR "/stadia_listing_coordinates.txt");
const std::string kCorrected = "        90.0000        86.603";
const std::string kLandscape =
    "\\landscape\\paperw15840\\paperh12240 \\margl1000\\margr500\\margt1500\\margb1000 ";

class StadiaListingTest : public StadiaTest {
 protected:
  void SetUp() override {
    StadiaTest::SetUp();
    sheet.Rows() = ListingRows();
  }

  // Print to File: the header command without a page, then every row.
  void PrintToFile(bool coordinates, bool corrected) {
    sheet.Command(kCmdShowCoordinates, std::int64_t{coordinates ? 1 : 0});
    EXPECT_EQ(sheet.Command(kCmdPrintHeader), -1);
    sheet.Command(kCmdPrintRows, {}, RowRange{0, 0, corrected ? 1 : 0});
  }

  const std::string listing = folder.File("StadiaListing_tst.rtf");
};

TEST_F(StadiaListingTest, FileInEachLayoutAndPageSetting) {
  struct Case {
    bool coordinates, corrected;
    std::string page;
    std::vector<std::string> lines;
  } cases[] = {{false, false, "\\fs16 ", kPlain},
               {true, false, "\\fs16 " + kLandscape, kWithXyz},
               {false, true, "\\fs16 " + kLandscape, kPlain},
               {true, true, "\\fs14 " + kLandscape, kWithXyz}};
  cases[3].lines[4] += kCorrected;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.coordinates << c.corrected);
    sheet.MessageLines() = {"an old reduction message"};
    context.shell.opened.clear();
    PrintToFile(c.coordinates, c.corrected);
    EXPECT_EQ(ScratchFolder::Read(listing), RtfFile(c.page, c.lines));
    EXPECT_TRUE(sheet.MessageLines().empty());  // written as made, never held
    EXPECT_EQ(context.shell.opened, std::vector<std::string>{listing});
    EXPECT_EQ(context.messages.texts.back(), "file " + listing + " created");
  }
}

// The orientation comes from the nearest STN rows above the AT/BS row; the
// elevation from the vertical convention an AT/BS row names.
TEST_F(StadiaListingTest, CorrectedBearingAndDistance) {
  std::vector<StadiaRow> elevations = ListingRows(), nearer = elevations, noStation = elevations;
  elevations[2].note = "v0ha";
  nearer.insert(nearer.begin(), Stn(2, 2000, 1000, 0));  // further up
  nearer.push_back(Stn(2, 0, 0, 0));                     // below the set-up
  noStation.erase(noStation.begin() + 1);
  const std::tuple<std::vector<StadiaRow>, std::string> cases[] = {
      {ListingRows(), kCorrected},
      {elevations, "        90.0000        50.000"},
      {nearer, kCorrected},
      {noStation, ""}};
  sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  for (const auto& [rows, appended] : cases) {
    sheet.Rows() = rows;
    const std::vector<std::string> lines = StadiaListingLines(sheet, 0, sheet.RowCount(), true);
    EXPECT_EQ(*std::find_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.starts_with("SD/HT"); }),
              kWithXyz[4] + appended);
  }
}

// Grads are converted from the angle's degree-sign text; lengths become feet
// and inches at their field's width.
TEST_F(StadiaListingTest, GradsAndFeetAndInches) {
  context.units = FixedUnitSelectors(kGrads, kFeetInches);
  sheet.Rows() = {AtBs(1, 2, 45.0, 5.2604167)};
  EXPECT_EQ(StadiaListingLines(sheet, 0, 1, false)[0],
            "AT/BS      1       50.0000g             2      5' 3 1/8");
}

TEST_F(StadiaListingTest, PrintedPage) {
  sheet.Rows() = {Note("first"), Note("second"), Note("third")};
  const std::string path = folder.File("stad1.tst");
  sheet.SaveToFile(path);
  RecordingCanvas canvas(200);
  EXPECT_EQ(sheet.Command(kCmdPrintHeader, &canvas), 0);
  EXPECT_EQ(sheet.Command(kCmdPrintRows, &canvas, RowRange{1, 60, 0}), 0);  // clipped

  std::string drawn;
  for (const auto& t : canvas.texts) {
    drawn += std::to_string(t.x) + "," + std::to_string(t.y) + " " + t.text + "\n";
  }
  EXPECT_EQ(drawn, "3000,-750 Stadia Report\n3000,-950 Stadia File :" + path +
                       "\n360,-1640 Fnote  second" + std::string(54, ' ') +
                       "\n360,-1840 Fnote  third" + std::string(55, ' ') + "\n");
}

}  // namespace
}  // namespace kestrel::testing
