// Calculate Coordinates on the Stadia sheet: coordinates worked out by hand
// from the field book, note options and their lifetimes, messages, the error
// report, and the indexed pass against plain backward scans.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/number_text.h"
#include "report/rtf_form.h"
#include "sheets/stadia/stadia_clipboard.h"
#include "sheets/stadia/stadia_reduction.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

constexpr double kTolerance = 1e-6;
constexpr double kPlaceholder = 0.001;

double Single(double value) { return double(float(value)); }

struct Point {
  double east, north, height;
};

class StadiaReductionTest : public StadiaTest {
 protected:
  void Calculate() { sheet.Command(kCmdCalculate); }
  const StadiaRow& Row(std::size_t i) const { return sheet.Rows()[i]; }
  void ExpectPoint(std::size_t row, Point expected) const {
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_NEAR(Row(row).east, expected.east, kTolerance);
    EXPECT_NEAR(Row(row).north, expected.north, kTolerance);
    EXPECT_EQ(Row(row).height, Single(expected.height));  // heights are held in single precision
  }
};

TEST_F(StadiaReductionTest, HandReducedFieldBook) {
  std::ifstream book(KESTREL_TEST_DATA_DIR "/stadia_book_two_setups.txt");
  std::string rows = "Stadia\n";
  std::vector<std::string> expected;
  for (std::string line; std::getline(book, line);) {
    if (line.starts_with("row ")) rows += line.substr(4) + "\n";
    if (line.starts_with("expect ")) expected.push_back(line.substr(7));
  }
  ASSERT_EQ(PasteStadiaText(sheet, rows, 0), 21);
  context.app.errorReport = false;
  Calculate();
  EXPECT_TRUE(sheet.MessageLines().empty());
  ASSERT_EQ(expected.size(), 10u);
  for (const std::string& line : expected) {
    SCOPED_TRACE(line);
    std::istringstream words(line);
    std::size_t row = 0;
    std::string east, north, height;
    words >> row >> east >> north >> height;
    EXPECT_NEAR(Row(row).east, ReadDouble(east), kTolerance);
    if (north != "-") {
      EXPECT_NEAR(Row(row).north, ReadDouble(north), kTolerance);
    }
    EXPECT_EQ(Row(row).height, Single(ReadDouble(height)));  // heights are single precision
  }
}

TEST_F(StadiaReductionTest, NoteOptionsAcrossPasses) {
  // The one shot: 100 at 272 deg on the vertical circle with a 10' adjustment,
  // scaled by 1.0002, due east of (1000, 2000, 50).
  const std::vector<StadiaRow> rows = {Stn(1, 1000, 2000, 50), AtBs(1, 0, 0.0, 1.5),
                                       Shot(kStadiaSdHt, 9, 90.0, 272.0, 100, 1.5)};
  const auto pass = [&](const std::vector<std::string>& notes, Point expected) {
    sheet.Rows() = rows;
    for (const std::string& n : notes) sheet.Rows().insert(sheet.Rows().begin() + 2, Note(n));
    Calculate();
    ExpectPoint(sheet.Rows().size() - 1, expected);
  };
  // Back face: elevation -2 + 1/6 deg.
  pass({"backface", "vertadj 0.1000", "AtmosphericCorrectionCoefficient:200"},
       {1099.968801480, 2000, 46.800135848});
  // 90 - 272 + 1/6 deg: adjustment and coefficient stay, back face does not.
  pass({}, {900.031198520, 2000, 53.199864152});
  pass({"v0nc"}, {900.031198520, 2000, 53.199864152});  // 450 - 272 + 1/6 deg
  pass({}, {900.031198520, 2000, 53.199864152});
}

TEST_F(StadiaReductionTest, ShotRules) {
  const StadiaRow stn = Stn(1, 1000, 2000, 50);
  const auto shot = [](std::uint32_t point, double hz, double dh, double dist = 10) {
    return Shot(kStadiaHzDh, point, hz, dh, dist, 0);
  };
  const StadiaRow setup = AtBs(1, 0, 0, 0), north = Stn(2, 1000, 2100, 0);
  // The rows and where their last shot lands.
  const std::tuple<std::vector<StadiaRow>, Point> cases[] = {
      // Backsight 0: readings are azimuths.
      {{stn, AtBs(1, 0, 123.0, 1.5), Shot(kStadiaHzDh, 5, 30.0, 0, 10, 1.5)},
       {1005, 2008.660254038, 50}},
      {{stn, setup, Note("null"), HdRl(5, 0, 10, 7.5)}, {1000, 2010, E}},
      // An offset is kept over a shot with an empty reading, cleared by an AT/BS row.
      {{stn, setup, Note("bk 2"), shot(5, 0, E), shot(6, 90.0, 0)}, {1008, 2000, 50}},
      {{stn, Note("go 2"), setup, shot(6, 90.0, 0)}, {1010, 2000, 50}},
      // Backsight due north: an orientation under a tenth of a second (2.78e-5
      // degrees) is none.
      {{stn, north, AtBs(1, 2, 0.000009, 0), shot(5, 90.0, 0)}, {1010, 2000, 50}},
      {{stn, north, AtBs(1, 2, 0.00001, 0), shot(5, 90.0, 0, 1e4)},  // 90 deg less 0.1"
       {10999.999999999, 2000.004848137, 50}},
  };
  context.app.errorReport = false;
  for (const auto& [rows, expected] : cases) {
    sheet.Rows() = rows;
    Calculate();
    const auto last = std::find_if(rows.rbegin(), rows.rend(),
                                   [](const StadiaRow& r) { return IsStadiaShot(r.type); });
    ExpectPoint(static_cast<std::size_t>(rows.rend() - last - 1), expected);
  }
}

TEST_F(StadiaReductionTest, ZeroStationsAreReplacedAndWrittenBack) {
  sheet.Rows() = {Stn(5, 0, 0, 0),  Stn(5, 0.0004, 0, 0),
                  AtBs(5, 0, 0, 0), Stn(5, 500, 600, 70.123456789),
                  Stn(5, 1, 1, 1),  AtBs(5, 0, 0, 0)};
  context.app.errorReport = false;
  Calculate();
  EXPECT_EQ(sheet.MessageLines(), std::vector<std::string>{"STN point    5 has zero coordinates"});
  EXPECT_TRUE(context.shell.opened.empty());  // no error report while the switch is off
  ExpectPoint(0, {500, 600, 70.123456789});   // the zero row takes the real coordinates
  ExpectPoint(1, {0.0004, 0, 0});             // a second zero row was never listed
  ExpectPoint(5, {500, 600, 70.123456789});   // the first real station wins over a later one
}

// Messages, and the error report that holds them while the switch is on.
TEST_F(StadiaReductionTest, MessagesAndTheErrorReport) {
  const StadiaRow shot = Shot(kStadiaHzDh, 5, 0, 0, 10, 0), stn = Stn(1, 0, 0, 1);
  const std::string noSetup = "line 2 No backsight shot yet defines";
  // Whether the last row, a shot, is reduced; the rows; their message lines.
  const std::tuple<bool, std::vector<StadiaRow>, std::vector<std::string>> cases[] = {
      // One line for every shot above the set-ups.
      {true,
       {Note("x"), shot, shot, stn, AtBs(1, 0, 0, 0), shot},
       {"line 1 No backsight shot yet defines"}},
      {false, {stn, AtBs(7, 1, 0, 0), shot}, {"foresite point    7 not found", noSetup}},
      {true, {Note("Backsight AZIMUTH ONLY"), stn, AtBs(1, 9, 0, 0), shot}, {}},
      // A backsight with zero coordinates is used.
      {true,
       {Stn(1, 10, 10, 1), Stn(2, 0, 0, 0), AtBs(1, 2, 0, 0), shot},
       {"STN point    2 has zero coordinates"}},
  };
  const std::string report = folder.File("stadiaerrors_tst.rtf");
  for (const auto& [reduced, rows, lines] : cases) {
    std::filesystem::remove(report);
    context.shell.opened.clear();
    sheet.Rows() = rows;
    Calculate();
    EXPECT_EQ(sheet.MessageLines(), lines);
    EXPECT_EQ(sheet.Rows().back().east == kPlaceholder, !reduced) << lines.size();
    EXPECT_EQ(context.shell.opened.size(), lines.empty() ? 0u : 1u);
    EXPECT_EQ(ScratchFolder::Read(report), lines.empty() ? "" : RtfFile("\\fs18 ", lines));
  }
  EXPECT_EQ(context.shell.opened, std::vector<std::string>{report});
}

// The same pass answering every lookup by scanning the rows above, as a
// reader of the field book would.
class ScanningReduction : public StadiaReduction {
 public:
  using StadiaReduction::StadiaReduction;

 protected:
  static bool Zero(const StadiaRow& r) {
    return std::fabs(r.east) < 0.001 && std::fabs(r.north) < 0.001 && std::fabs(r.height) < 0.001;
  }
  std::ptrdiff_t Find(std::uint32_t point, bool zeroOnly) const {
    for (std::size_t i = 0; i < Stations().size(); ++i) {
      const StadiaRow& r = Rows()[Stations()[i]];
      if (r.point == point && (!zeroOnly || Zero(r))) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
  }
  std::ptrdiff_t FirstListedStation(std::uint32_t point) const override {
    return Find(point, false);
  }
  std::ptrdiff_t ZeroListedStation(std::uint32_t point) const override { return Find(point, true); }
  std::ptrdiff_t NearestShotAbove(std::size_t row, std::uint32_t point) const override {
    while (row-- > 0) {
      if (IsStadiaShot(Rows()[row].type) && Rows()[row].point == point) return row;
    }
    return -1;
  }
  bool AzimuthOnlyNoteAbove(std::size_t row) const override {
    for (std::size_t r = 0; r < row; ++r) {
      std::string text = Rows()[r].note;
      std::transform(text.begin(), text.end(), text.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
      if (Rows()[r].type == kStadiaFnote && text.find("azimuth only") != std::string::npos) {
        return true;
      }
    }
    return false;
  }
};

std::vector<StadiaRow> RandomSheet(std::mt19937& random, int count) {
  // Only notes that change what set-ups find or how shots are left matter here.
  const std::string notes[] = {"Azimuth Only", "rain", "null", "go 2"};
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const auto point = [&] {
    return pick(20) == 0 ? kNoPoint : static_cast<std::uint32_t>(pick(12));
  };
  const auto value = [&](double low, double high) {
    if (pick(10) == 0) return E;
    return low + (high - low) * std::uniform_real_distribution<double>(0, 1)(random);
  };
  std::vector<StadiaRow> rows;
  for (int i = 0; i < count; ++i) {
    const int type = pick(8) % kStadiaRowTypeCount;
    if (type == kStadiaStn) {
      rows.push_back(pick(3) == 0 ? Stn(point(), 0, 0.0005, 0)
                                  : Stn(point(), value(0, 999), value(0, 999), value(0, 99)));
    } else if (type == kStadiaAtBs) {
      rows.push_back(AtBs(point(), pick(4) == 0 ? 0 : point(), value(0, 360), value(1, 2)));
    } else if (type == kStadiaFnote) {
      rows.push_back(Note(notes[pick(4)]));
    } else {
      rows.push_back(Shot(type, point(), value(0, 360), value(80, 100), value(1, 300), 1.5));
    }
  }
  return rows;
}

TEST_F(StadiaReductionTest, IndexedPassMatchesBackwardScans) {
  std::mt19937 random(20240611);
  Stadia scanned(context.ctx);
  for (int sheetNo = 0; sheetNo < 60; ++sheetNo) {
    SCOPED_TRACE(sheetNo);
    sheet.Rows() = scanned.Rows() = RandomSheet(random, 150);
    sheet.SetReReduction(sheetNo % 3 == 0);
    scanned.SetReReduction(sheetNo % 3 == 0);
    StadiaReduction(sheet).Run();
    ScanningReduction(scanned).Run();
    EXPECT_EQ(sheet.MessageLines(), scanned.MessageLines());
    for (std::size_t i = 0; i < sheet.Rows().size(); ++i) {
      const StadiaRow &a = sheet.Rows()[i], &b = scanned.Rows()[i];
      EXPECT_EQ(std::make_tuple(Bits(a.east), Bits(a.north), Bits(a.height)),
                std::make_tuple(Bits(b.east), Bits(b.north), Bits(b.height)))
          << "row " << i;
    }
  }
}

// Under "backface" a back-face reading is 180 plus the zenith angle: 265
// for a sight 5 degrees up, which reduces to 100 cos 5 = 99.619 east of the
// station and 100 sin 5 = 8.716 above it. An ordinary face-left reading (95)
// under the note goes to the other side and is pointed out.
TEST_F(StadiaReductionTest, BackfaceReadingsBelow180ArePointedOut) {
  sheet.Rows() = {Stn(1, 1000, 2000, 50),
                  Stn(2, 1000, 2100, 50),
                  AtBs(1, 2, 0.0, 1.5),
                  Note("backface"),
                  Shot(kStadiaSdHt, 3, 90.0, 265.0, 100, 1.5),
                  Shot(kStadiaSdHt, 4, 90.0, 95.0, 100, 1.5)};
  context.app.errorReport = false;
  Calculate();
  ExpectPoint(4, {1000 + 99.619469809, 2000, 50 + 8.715574275});
  EXPECT_LT(Row(5).east, 1000);
  EXPECT_EQ(sheet.MessageLines(),
            std::vector<std::string>{"line 5 vertical reading below 180 under \"backface\": a "
                                     "back-face reading is 180 plus the zenith angle"});
}

}  // namespace
}  // namespace kestrel::testing
