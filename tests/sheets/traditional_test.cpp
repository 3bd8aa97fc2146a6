// The Traditional Stadia sheet: worked reductions from case files, the hair
// entry aids, the file, and the sheet as a registered kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>

#include <cstring>
#include "platform/scratch_folder.h"
#include "sheet_test_context.h"
#include "sheets/builtin_sheet_kinds.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/traditional.h"
#include "sheets/stadia/traditional_listing.h"
#include "survey/empty_value.h"

namespace kestrel {
namespace {

using testing::ScratchFolder;
using testing::SheetTestContext;

struct TraditionalTest : ::testing::Test {
  SheetTestContext t;
  Traditional sheet{t.ctx};

  // Types the cells of a new last row, "-" leaving a cell blank.
  void Type(const std::vector<std::string>& cells) {
    sheet.AppendRow();
    const int row = sheet.RowCount() - 1;
    for (std::size_t column = 0; column < cells.size(); ++column) {
      if (cells[column] == "-") continue;
      CellValue cell;
      cell.text = cells[column];
      sheet.ParseCell(static_cast<int>(column), row, cell);
    }
  }
};

std::string Unescape(std::string text) {
  for (std::size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\n");
  return text;
}

// A number written in a case file, whatever the locale.
double Number(const std::string& text) {
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

class TraditionalCaseTest : public TraditionalTest,
                            public ::testing::WithParamInterface<std::string> {};

TEST_P(TraditionalCaseTest, ReducesAsWorkedByHand) {
  t.app.errorReport = false;
  std::ifstream file(std::filesystem::path(KESTREL_TEST_DATA_DIR) / GetParam());
  ASSERT_TRUE(file) << GetParam();
  double tolerance = 0.0;
  struct Expected {
    int row;
    std::string east, north, height;
  };
  std::vector<Expected> expected;
  std::vector<std::string> messages;
  for (std::string line; std::getline(file, line);) {
    std::istringstream in(line);
    in.imbue(std::locale::classic());  // the case files write numbers with a point
    std::string keyword;
    in >> keyword;
    if (keyword == "tolerance") {
      in >> tolerance;
    } else if (keyword == "row") {
      std::vector<std::string> cells;
      for (std::string cell; in >> cell;) cells.push_back(cell);
      Type(cells);
    } else if (keyword == "expect") {
      Expected e;
      in >> e.row >> e.east >> e.north >> e.height;
      expected.push_back(e);
    } else if (keyword == "message") {
      std::string text;
      std::getline(in >> std::ws, text);
      messages.push_back(Unescape(text));
    }
  }
  sheet.Command(kCmdCalculate);
  const auto check = [&](const std::string& want, double got, const char* what, int row) {
    if (want == "-") {
      EXPECT_TRUE(IsEmptyValue(got)) << what << " of row " << row;
    } else {
      EXPECT_NEAR(got, Number(want), tolerance) << what << " of row " << row;
    }
  };
  for (const Expected& e : expected) {
    const TraditionalRow& row = sheet.Rows()[static_cast<std::size_t>(e.row - 1)];
    check(e.east, row.east, "east", e.row);
    check(e.north, row.north, "north", e.row);
    check(e.height, SingleValue(row.height), "height", e.row);
  }
  EXPECT_EQ(sheet.MessageLines(), messages);
}

INSTANTIATE_TEST_SUITE_P(Cases, TraditionalCaseTest,
                         ::testing::Values("traditional_textbook_sights.txt",
                                           "traditional_setups_and_faults.txt"));

TEST(TraditionalTacheometryTest, ReducesBySightElevation) {
  // D = 50 (hairs 1.000 and 1.500). Elevation 10 deg: 50 cos^2 10 =
  // 48.4923, 50 sin 10 cos 10 = 8.5505; a face-right zenith of 280 deg is an
  // elevation of -190 deg and rises the same.
  const struct {
    double elevation, horizontal, rise;
  } cases[] = {{0, 50, 0}, {10, 48.4923, 8.5505}, {-190, 48.4923, 8.5505}, {-10, 48.4923, -8.5505}};
  for (const auto& c : cases) {
    const TacheometryResult r = ReduceStadiaDistance(50, c.elevation);
    EXPECT_NEAR(r.horizontal, c.horizontal, 5e-5) << c.elevation;
    EXPECT_NEAR(r.rise, c.rise, 5e-5) << c.elevation;
  }
}

TEST_F(TraditionalTest, EnterCompletesTheHairs) {
  const struct {
    std::vector<std::string> cells;
    int leaving;  // column Enter is pressed in
    int nextColumn;
    double low, mid, top;
  } cases[] = {
      {{"3Hair", "1", "0", "90", "1.000", "1.250"}, 5, 6, 1.0, 1.25, 1.5},
      {{"3Hair", "1", "0", "90", "1.000", "0", "1.500"}, 6, 7, 1.0, 1.25, 1.5},
      {{"3Hair", "1", "0", "90", "0", "1.250", "1.500"}, 6, 7, 1.0, 1.25, 1.5},
      // Symmetric within the tolerance: nothing is changed.
      {{"3Hair", "1", "0", "90", "1.000", "1.255", "1.500"}, 6, 7, 1.0, 1.255, 1.5},
      // Two readings missing cannot be completed.
      {{"3Hair", "1", "0", "90", "1.000", "0", "0"}, 6, 7, 1.0, 0, 0},
  };
  for (const auto& c : cases) {
    Type(c.cells);
    int column = c.leaving;
    int row = sheet.RowCount() - 1;
    sheet.GridOption(2, column, row);
    EXPECT_EQ(column, c.nextColumn);
    const TraditionalRow& r = sheet.Rows().back();
    EXPECT_NEAR(r.lowHair, c.low, 1e-6);
    EXPECT_NEAR(r.midHair, c.mid, 1e-6);
    EXPECT_NEAR(r.topHair, c.top, 1e-6);
  }
}

TEST_F(TraditionalTest, AsymmetricHairsAreDrawnRed) {
  const struct {
    std::string mid;
    std::int64_t thousandths;  // the tolerance dialog's value
    bool red;
  } cases[] = {{"1.260", 10, true}, {"1.260", 25, false}, {"1.250", 10, false}, {"-", 10, false}};
  for (const auto& c : cases) {
    sheet.Command(kCmdCodeTable, c.thousandths);
    Type({"3Hair", "1", "0", "90", "1.000", c.mid, "1.500"});
    CellValue cell;
    sheet.CellText(1, sheet.RowCount() - 1, cell);
    EXPECT_EQ((cell.textColor == RgbColor{255, 0, 0}), c.red) << c.mid << " " << c.thousandths;
  }
  sheet.Command(kCmdCodeTable, std::int64_t{12});  // 0.0124 typed, kept in thousandths
  EXPECT_DOUBLE_EQ(sheet.HairTolerance(), 0.012);
}

TEST_F(TraditionalTest, FileRoundTripsAndDamagedFilesEndCleanly) {
  Type({"STN", "1", "5000.25", "4000.5", "99.125"});
  Type({"AT/BS", "1", "12.3456", "2", "1.42"});
  Type({"Fnote", "v0ha"});
  Type({"3Hair", "10", "45.3000", "88.1500", "1.155", "1.755", "2.355", "TREE", "big oak"});
  Type({"MH/SI", "11", "90", "92", "1.5", "0.8"});
  ScratchFolder folder;
  const std::string path = folder.File("trad1.tst");
  ASSERT_EQ(sheet.SaveToFile(path), 1);
  const std::string bytes = ScratchFolder::Read(path);

  Traditional again{t.ctx};
  ASSERT_EQ(again.LoadFromFile(path), 1);
  ASSERT_EQ(again.LoadFromFile(path), 1);  // a second load adds the rows again
  EXPECT_EQ(again.RowCount(), 10);
  for (int i = 0; i < 5; ++i) again.DeleteRow(5);
  const std::string copy = folder.File("trad2.tst");
  ASSERT_EQ(again.SaveToFile(copy), 1);
  EXPECT_EQ(ScratchFolder::Read(copy), bytes);

  // Cut anywhere, or with a NaN written over a reading: whole records are
  // kept, nothing non-finite is stored.
  std::string poisoned = bytes;
  const float nan = std::nanf("");
  std::memcpy(&poisoned[bytes.size() - 43], &nan, 4);  // the last row's hz
  for (std::size_t cut = 0; cut <= bytes.size(); cut += 7) {
    for (const std::string& data : {bytes.substr(0, cut), poisoned}) {
      folder.Write("trad1.tst", data);
      Traditional damaged{t.ctx};
      ASSERT_EQ(damaged.LoadFromFile(path), 1);
      EXPECT_LE(damaged.RowCount(), 5);
      damaged.Command(kCmdCalculate);
      for (const TraditionalRow& row : damaged.Rows()) {
        for (const float value : {row.hz, row.lowHair, row.midHair, row.topHair, row.height}) {
          EXPECT_TRUE(std::isfinite(value));
        }
        EXPECT_TRUE(std::isfinite(row.east) && std::isfinite(row.north));
      }
    }
  }
}

TEST_F(TraditionalTest, ListsEachRowTypeInItsOwnForm) {
  Type({"STN", "5", "5000.25", "4000.5", "99.125", "-", "-", "PM", "Pin in concrete at corner"});
  Type({"AT/BS", "1", "12.3456", "2", "1.42"});
  Type({"Fnote", "v0ha"});
  Type({"3Hair", "10", "45.3000", "88.1500", "1.155", "1.755", "2.355", "TREE", "big oak"});
  Type({"MH/SI", "11", "90", "92", "1.5", "0.8"});
  // Worked from the listing's field widths: points "%7d", circle readings
  // "%15.4f" and "%13.4f", hairs "%5.3f" (3Hair) or "%9.3f", code "%9.9s",
  // comment "%16.16s" (cut to 16), coordinates "%14.3f".
  const std::vector<std::string> narrow = {
      "STN        5      5000.250      4000.500        99.125                    PMPin in "
      "concrete ",
      "AT/BS       1       12.3456            2         1.420",
      "Fnote  v0ha                                                        ",
      "3Hair     10        45.3000      88.1500 1.155 1.755 2.355      TREE         big oak",
      "MH/SI     11        90.0000      92.0000     1.500     0.800                              "
      "      ",
  };
  EXPECT_EQ(TraditionalListingLines(sheet, 0, 5), narrow);
  sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  EXPECT_EQ(TraditionalListingLines(sheet, 1, 2),
            std::vector<std::string>{"AT/BS    1       12.3456          2         1.420"});
}

TEST_F(TraditionalTest, IsARegisteredKindWithoutClipboard) {
  SheetKindRegistry registry;
  RegisterBuiltinSheetKinds(registry);
  const SheetKind* kind = registry.Find(SheetType::Traditional);
  ASSERT_NE(kind, nullptr);
  std::unique_ptr<CUGDataSource> made = kind->make(t.ctx);
  ASSERT_NE(dynamic_cast<Traditional*>(made.get()), nullptr);
  for (const auto& [code, text] :
       {std::pair{kCmdCopy, "Copy"}, {kCmdCut, "Cut"}, {kCmdPaste, "Paste"}}) {
    EXPECT_TRUE(kind->Implements(code));
    t.messages.texts.clear();
    made->Command(code, SelectedRows{{0}});
    EXPECT_EQ(t.messages.texts, std::vector<std::string>{text});
  }
  EXPECT_FALSE(kind->Implements(kCmdLandXml));
}

}  // namespace
}  // namespace kestrel
