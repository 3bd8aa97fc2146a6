// The Stadia sheet as the grid sees it: headings, cell texts in every angle
// mode and distance notation, parsing, suggestions on the last row and the
// Enter key's movement.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "stadia_test_rows.h"
#include "survey/distances.h"

namespace kestrel::testing {
namespace {

constexpr double E = kEmptyValue;
const std::string kDeg = "\xB0";

class StadiaSheetTest : public ::testing::Test {
 protected:
  std::string Text(int column, int row) {
    CellValue cell;
    sheet.CellText(column, row, cell);
    return cell.text;
  }
  int Type(int column, int row, const std::string& text) {
    CellValue cell;
    cell.text = text;
    return sheet.ParseCell(column, row, cell);
  }
  std::string Heading(int column, const std::string& row) {
    std::string text = row;
    sheet.ColumnHeading(column, text);
    return text;
  }

  SheetTestContext context;
  Stadia sheet{context.ctx};
};

// A small book with a row of every type.
std::vector<StadiaRow> Book() {
  std::vector<StadiaRow> rows;
  StadiaRow r = MakeRow(kStadiaStn, 1);
  r.east = 1000.5, r.north = 2000.25, r.height = 50.125, r.code = "CP", r.comment = "pin";
  rows.push_back(r);
  r = MakeRow(kStadiaAtBs, 1);
  r.hz = 225.3, r.dist = 1.55;
  SetBacksightNumber(r, 12);
  rows.push_back(r);
  r = MakeRow(kStadiaFnote, kNoPoint);
  r.note = "v0ha";
  rows.push_back(r);
  r = MakeRow(kStadiaSdHt, 100);
  r.hz = 45.3, r.obs2 = 95.3, r.dist = 25.123, r.targetHt = 1.6, r.east = 5.2604167;
  rows.push_back(r);
  r = MakeRow(kStadiaHzDh, 101);
  r.hz = 5.07, r.dist = 14.2, r.obs2 = -0.35, r.targetHt = 1.5;
  rows.push_back(r);
  r = MakeRow(kStadiaHdRl, 102);
  r.hz = 10.596, r.dist = 30.0, r.height = 48.25;  // 10.596 is not a valid packed angle
  rows.push_back(r);
  rows.push_back(MakeRow(kStadiaChk, kNoPoint));
  rows.push_back(MakeRow(kStadiaAtBs, 2));  // no backsight typed
  return rows;
}

TEST_F(StadiaSheetTest, CellTextsFollowTheRowTypeAndTheSelectors) {
  sheet.Rows() = Book();
  sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  struct Case {
    int mode;
    int unit;
    int row;
    int column;
    std::string text;
  };
  const std::vector<Case> cases = {
      {0, 0, 0, 0, "STN"},
      {0, 0, 0, 1, "1"},
      {0, 0, 0, 2, "1000.500"},
      {0, 0, 0, 3, "2000.250"},
      {0, 0, 0, 4, "  50.125"},
      {0, 0, 0, 5, ""},
      {0, 0, 0, 6, "CP"},
      {0, 0, 0, 7, "pin"},
      {0, 0, 0, 8, "1000.500"},
      {0, 0, 1, 0, "AT/BS"},
      {0, 0, 1, 2, "225" + kDeg + "30'00\""},
      {0, 0, 1, 3, "12"},
      {0, 0, 1, 4, "   1.550"},
      {0, 0, 1, 8, ""},
      {0, 0, 2, 0, "Fnote"},
      {0, 0, 2, 1, "v0ha"},
      {0, 0, 2, 2, ""},
      {0, 0, 3, 2, " 45" + kDeg + "30'00\""},
      {0, 0, 3, 3, " 95" + kDeg + "30'00\""},
      {0, 0, 3, 4, "  25.123"},
      {0, 0, 3, 5, "   1.600"},
      {0, 0, 4, 2, "  5" + kDeg + "07'00\""},
      {0, 0, 4, 3, "  14.200"},
      {0, 0, 4, 4, "  -0.350"},
      {0, 0, 4, 5, "   1.500"},
      {0, 0, 5, 2, " 10" + kDeg + "59'60\""},
      {0, 0, 5, 3, "  30.000"},
      {0, 0, 5, 4, "  48.250"},
      {0, 0, 5, 5, ""},
      {0, 0, 6, 0, "CHK"},
      {0, 0, 6, 1, ""},
      {0, 0, 6, 3, ""},
      {0, 0, 7, 3, ""},
      // Quadrant letters go on horizontal circle readings only.
      {3, 0, 1, 2, "S  45" + kDeg + "30'00\" W"},
      {3, 0, 3, 2, "N  45" + kDeg + "30'00\" E"},
      {3, 0, 3, 3, " 95" + kDeg + "30'00\""},
      // Grads: decimal degrees times 100/90.
      {1, 0, 3, 2, " 50.5556g"},
      {1, 0, 3, 3, "106.1111g"},
      {1, 0, 4, 2, "  5.6852g"},
      // Feet and inches: 5.2604167 ft is 5 ft 3 1/8 in.
      {0, 2, 3, 8, "  5' 3 1/8"},
      {0, 1, 3, 8, "   5.260"},
      {0, 2, 0, 1, "1"},
  };
  for (const Case& c : cases) {
    context.units.bearingMode = c.mode;
    context.units.distanceUnit = c.unit;
    EXPECT_EQ(Text(c.column, c.row), c.text)
        << "row " << c.row << " column " << c.column << " mode " << c.mode << " unit " << c.unit;
  }
}

TEST_F(StadiaSheetTest, CellAppearanceAndTheCellsAroundTheRows) {
  CellValue cell;
  sheet.CellText(0, 0, cell);  // an empty sheet shows nothing, not even the list
  EXPECT_EQ(cell.text, "");
  EXPECT_EQ(cell.choices, "");

  sheet.Rows() = Book();
  sheet.StoreHeading(3, "Vt Cir");
  EXPECT_EQ(Text(-1, -1), "");
  EXPECT_EQ(Text(-1, 4), "5");
  EXPECT_EQ(Text(3, -1), "Vt Cir");

  struct Case {
    int row;
    int column;
    RgbColor color;
    bool joined;
    std::string choices;
  };
  const std::string keywords = "STN\nAT/BS\nFnote\nSD/HT\nHZ/DH\nHD/RL\nCHK\n";
  for (const Case& c : std::vector<Case>{{0, 1, kBlueText, false, ""},
                                         {1, 0, kBlueText, false, keywords},
                                         {2, 1, kBlackText, true, ""},
                                         {3, 0, kBlackText, false, keywords},
                                         {20, 0, kBlackText, false, keywords}}) {
    sheet.CellText(c.column, c.row, cell);
    EXPECT_EQ(cell.textColor, c.color) << c.row;
    EXPECT_EQ(cell.joinNote, c.joined) << c.row;
    EXPECT_EQ(cell.choices, c.choices) << c.row;
  }
  EXPECT_EQ(Text(1, 20), "");  // past the end
}

TEST_F(StadiaSheetTest, HeadingsFollowTheTypeOfTheGivenRow) {
  const std::vector<std::string> tail = {"PC", "Comments", "East", "North", "Height"};
  const std::vector<std::vector<std::string>> byType = {
      {"Type", "Pt#", "East", "North", "Height", ""},
      {"Type", "At#", "Hz Cir", "BS#", "Ht In", ""},
      {"Type", "Note", "", "", "", ""},
      {"Type", "Pt#", "Hz Cir", "Vt Cir", "S/Dist", "Ht"},
      {"Type", "Pt#", "Hz Cir", "Hz dist", "Ht/Diff", "Ht"},
      {"Type", "Pt#", "Hz Cir", "Hz dist", "Height", ""},
      {"Type", "Pt#", "Hz Cir", "Vt Cir", "S/Dist", "Ht"},
  };
  for (int type = 0; type < kStadiaRowTypeCount; ++type) {
    sheet.Rows() = {MakeRow(kStadiaStn, 1), MakeRow(type, 2)};
    std::vector<std::string> expected = byType[static_cast<std::size_t>(type)];
    expected.insert(expected.end(), tail.begin(), tail.end());
    for (int column = 0; column < 11; ++column) {
      // Row 1 and the row after the last both give the last row's headings.
      EXPECT_EQ(Heading(column, "1"), expected[column]) << type << "/" << column;
      EXPECT_EQ(Heading(column, "2"), expected[column]) << type << "/" << column;
    }
    EXPECT_EQ(Heading(11, "1"), "");
    EXPECT_EQ(Heading(1, "3"), "");
    EXPECT_EQ(Heading(1, "-1"), "");
  }
  sheet.Rows().clear();
  for (int column = 0; column < 11; ++column) EXPECT_EQ(Heading(column, "0"), "");
}

TEST_F(StadiaSheetTest, ParsingStoresEachColumnInItsField) {
  struct Case {
    std::string name;
    int mode;
    int unit;
    int type;
    int column;
    std::string text;
    double StadiaRow::*field;  // the field expected to change, or none
    double value;
  };
  using R = StadiaRow;
  const std::vector<Case> cases = {
      {"quadrant bearing", 3, 0, kStadiaSdHt, 2, "S45.3000E", &R::hz, 134.3},
      {"whole circle", 0, 0, kStadiaSdHt, 2, "123" + kDeg + "45'30\"", &R::hz, 123.453},
      {"grads", 1, 0, kStadiaChk, 2, "50g", &R::hz, 45.0},
      {"vertical in grads", 1, 0, kStadiaSdHt, 3, "100", &R::obs2, 90.0},
      {"vertical in quadrant mode", 3, 0, kStadiaChk, 3, "95.3000", &R::obs2, 95.3},
      {"set-up reading", 0, 0, kStadiaAtBs, 2, "10.2030", &R::hz, 10.203},
      {"slope distance", 0, 0, kStadiaSdHt, 4, "12.5m", &R::dist, 12.5},
      {"feet and inches", 0, 2, kStadiaSdHt, 4, "5'6", &R::dist, 5.5},
      {"feet typed in metres", 0, 0, kStadiaHdRl, 3, "5' 6 3/8", &R::dist, 5.53125},
      {"height difference", 0, 0, kStadiaHzDh, 4, "-0.35", &R::obs2, -0.35},
      {"horizontal distance", 0, 0, kStadiaHzDh, 3, "14.2", &R::dist, 14.2},
      {"target height", 0, 0, kStadiaHzDh, 5, "1.5", &R::targetHt, 1.5},
      {"reduced level", 0, 0, kStadiaHdRl, 4, "48.25", &R::height, 48.25},
      {"instrument height", 0, 0, kStadiaAtBs, 4, "1.55", &R::dist, 1.55},
      {"station east", 0, 0, kStadiaStn, 2, "1000.5", &R::east, 1000.5},
      {"station north", 0, 0, kStadiaStn, 3, "2000.25", &R::north, 2000.25},
      {"station height", 0, 0, kStadiaStn, 4, "50", &R::height, 50.0},
      {"coordinates on a shot", 0, 0, kStadiaSdHt, 9, "7.25", &R::north, 7.25},
      {"coordinates on a note", 0, 0, kStadiaFnote, 10, "3", &R::height, 3.0},
      {"empty text reads 0", 0, 0, kStadiaSdHt, 4, "", &R::dist, 0.0},
      {"no field on HD/RL column 5", 0, 0, kStadiaHdRl, 5, "9", nullptr, 0},
      {"no field on a note's column 2", 0, 0, kStadiaFnote, 2, "9", nullptr, 0},
      {"no column 11", 0, 0, kStadiaSdHt, 11, "9", nullptr, 0},
  };
  const StadiaRow blank;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    context.units.bearingMode = c.mode;
    context.units.distanceUnit = c.unit;
    sheet.Rows() = {MakeRow(c.type, 1)};
    EXPECT_EQ(Type(c.column, 0, c.text), 0);
    StadiaRow expected = MakeRow(c.type, 1);
    if (c.field) {
      EXPECT_NEAR(sheet.Rows()[0].*c.field, c.value, 1e-9);
      expected.*(c.field) = sheet.Rows()[0].*c.field;
    }
    ExpectSameRow(sheet.Rows()[0], expected, "other fields unchanged");
  }
}

TEST_F(StadiaSheetTest, ParsingPointsTextsAndTypes) {
  sheet.Rows() = {MakeRow(kStadiaSdHt, 1), MakeRow(kStadiaAtBs, 2), MakeRow(kStadiaFnote, 3)};
  struct Case {
    int column;
    int row;
    std::string text;
    int result;
  };
  for (const Case& c : std::vector<Case>{{0, 0, "CHK", 1},
                                         {0, 1, "chk", 1},
                                         {0, 1, "STN ", 1},
                                         {1, 0, "105", 0},
                                         {3, 1, "12", 0},
                                         {1, 1, "-1", 0},
                                         {1, 2, "rd 5, north", 0},
                                         {6, 0, "TREE", 0},
                                         {7, 0, "oak, big", 0}}) {
    EXPECT_EQ(Type(c.column, c.row, c.text), c.result) << c.text;
  }
  EXPECT_EQ(sheet.Rows()[0].type, kStadiaChk);
  EXPECT_EQ(sheet.Rows()[1].type, kStadiaAtBs);
  EXPECT_EQ(sheet.Rows()[0].point, 105u);
  EXPECT_EQ(sheet.Rows()[1].point, kNoPoint);
  EXPECT_EQ(BacksightNumber(sheet.Rows()[1]), 12u);
  EXPECT_EQ(Text(3, 1), "12");
  EXPECT_EQ(sheet.Rows()[2].note, "rd 5, north");
  EXPECT_EQ(sheet.Rows()[0].code, "TREE");
  EXPECT_EQ(sheet.Rows()[0].comment, "oak, big");

  // Changing the type keeps the values: the vertical reading becomes the
  // height difference.
  sheet.Rows()[0].obs2 = 1.5;
  Type(0, 0, "HZ/DH");
  EXPECT_EQ(Text(4, 0), "   1.500");
}

TEST_F(StadiaSheetTest, TypingPastTheLastRowOnlyOpensARow) {
  EXPECT_EQ(Type(1, 0, "7"), 0);  // empty sheet: the first row appears, blank
  ASSERT_EQ(sheet.RowCount(), 1);
  EXPECT_EQ(sheet.Rows()[0].point, kNoPoint);
  EXPECT_EQ(Type(1, 2, "7"), 0);  // beyond the row after the last: ignored
  EXPECT_EQ(Type(1, -1, "7"), 0);
  EXPECT_EQ(sheet.RowCount(), 1);
}

TEST_F(StadiaSheetTest, RowsAppendInsertAndDelete) {
  sheet.Command(kCmdSetDefaultType, std::int64_t{3});
  sheet.AppendRow();
  ASSERT_EQ(sheet.RowCount(), 1);
  EXPECT_EQ(sheet.Rows()[0].type, kStadiaSdHt);
  sheet.AppendRow();  // the last row is still blank
  EXPECT_EQ(sheet.RowCount(), 1);
  sheet.Rows()[0].note = "kept";
  sheet.AppendRow();
  EXPECT_EQ(sheet.RowCount(), 2);
  sheet.Rows()[1].point = 4;
  sheet.AppendRow();
  EXPECT_EQ(sheet.RowCount(), 3);

  sheet.InsertRow(1);
  EXPECT_EQ(sheet.Rows()[1].type, kStadiaStn);
  EXPECT_EQ(sheet.Rows()[2].point, 4u);
  sheet.InsertRow(99);
  sheet.DeleteRow(99);
  sheet.DeleteRow(-1);
  EXPECT_EQ(sheet.RowCount(), 4);

  Type(0, 3, "SD/HT");
  EXPECT_TRUE(sheet.EntryFlag(0));
  EXPECT_FALSE(sheet.EntryFlag(1));
  sheet.DeleteRow(3);  // the last row: every entry flag is set
  EXPECT_EQ(sheet.RowCount(), 3);
  for (int column = 0; column < 11; ++column) EXPECT_TRUE(sheet.EntryFlag(column)) << column;
  sheet.AppendRow();
  for (int column = 0; column < 11; ++column) EXPECT_FALSE(sheet.EntryFlag(column)) << column;

  // Out-of-range default types are refused.
  sheet.Command(kCmdSetDefaultType, std::int64_t{7});
  sheet.Command(kCmdSetDefaultType, std::int64_t{-1});
  EXPECT_EQ(sheet.DefaultType(), kStadiaSdHt);
}

TEST_F(StadiaSheetTest, ColumnsWidthsAndKinds) {
  EXPECT_EQ(sheet.ColumnCount(), 8);
  sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  EXPECT_EQ(sheet.ColumnCount(), 11);
  sheet.Command(kCmdShowCoordinates, std::int64_t{0});
  EXPECT_EQ(sheet.ColumnCount(), 8);

  const int widths[] = {65, 45, 95, 95, 80, 50, 70, 90, 60, 60, 60};
  const int kinds[] = {0, 3, 5, 5, 5, 5, 0, 0, 0, 0, 0};
  for (int column = 0; column < 11; ++column) {
    int c = column;
    int width = -1;
    EXPECT_EQ(sheet.GridOption(1, c, width), 0);
    EXPECT_EQ(width, widths[column]) << column;
    int kind = -1;
    sheet.ColumnKind(column, kind);
    EXPECT_EQ(kind, kinds[column]) << column;
  }
}

TEST_F(StadiaSheetTest, EnterMovesToTheNextCell) {
  sheet.Rows() = {MakeRow(kStadiaSdHt, 1), MakeRow(kStadiaFnote, kNoPoint), MakeRow(kStadiaHdRl, 2),
                  MakeRow(kStadiaStn, 3)};
  struct Case {
    bool coordinates;
    int column, row;
    int toColumn, toRow;
    int result;
  };
  const std::vector<Case> cases = {
      {false, 0, 0, 1, 0, 0},   {false, 4, 0, 5, 0, 0},
      {false, 7, 0, 8, 0, 0},  // one step onto the column count
      {false, 8, 0, 0, 1, 0},   {true, 8, 0, 9, 0, 0},
      {true, 11, 0, 0, 1, 0},   {false, 1, 1, 0, 2, 0},  // a note goes straight to the next row
      {false, 0, 1, 1, 1, 0},   {false, 4, 2, 6, 2, 0},  // HD/RL has no target height
      {false, 4, 3, 5, 3, 0},   {false, 1, 4, 1, 4, 1},  // outside the sheet
      {false, 1, -1, 1, -1, 1},
  };
  for (const Case& c : cases) {
    sheet.Command(kCmdShowCoordinates, std::int64_t{c.coordinates ? 1 : 0});
    int column = c.column;
    int row = c.row;
    EXPECT_EQ(sheet.GridOption(2, column, row), c.result);
    EXPECT_EQ(column, c.toColumn) << c.column << "," << c.row;
    EXPECT_EQ(row, c.toRow) << c.column << "," << c.row;
  }
}

// The user's path through a new last row: each cell offers a value from the
// rows above until it is filled; passing over a cell (command 2) keeps it.
TEST_F(StadiaSheetTest, LastRowOffersSuggestionsFromTheRowsAbove) {
  StadiaRow shot = MakeRow(kStadiaSdHt, 105);
  shot.hz = 10.203, shot.targetHt = 1.6, shot.code = "TR", shot.comment = "oak";
  StadiaRow setup = MakeRow(kStadiaAtBs, 7);
  StadiaRow note = MakeRow(kStadiaFnote, kNoPoint);
  note.note = "v0ha";
  sheet.Rows() = {shot, setup, note};
  sheet.Rows()[1].targetHt = 1.2;
  sheet.Rows()[1].code = "STNCODE";
  sheet.Command(kCmdSetDefaultType, std::int64_t{kStadiaSdHt});
  sheet.AppendRow();
  ASSERT_EQ(sheet.RowCount(), 4);

  EXPECT_EQ(Text(1, 3), "");  // nothing typed yet
  Type(0, 3, "SD/HT");
  // The nearest row above that is not a note: the set-up.
  EXPECT_EQ(Text(1, 3), "     8");
  EXPECT_EQ(Text(2, 3), "");
  sheet.Command(kCmdReenterCell, std::int64_t{1}, std::int64_t{3});
  EXPECT_EQ(sheet.Rows()[3].point, 8u);
  // The reading of the nearest shot above, stored as it is shown.
  EXPECT_EQ(Text(2, 3), " 10" + kDeg + "20'30\"");
  EXPECT_DOUBLE_EQ(sheet.Rows()[3].hz, 10.203);
  sheet.Command(kCmdReenterCell, std::int64_t{2}, std::int64_t{3});
  EXPECT_EQ(Text(3, 3), "");
  Type(3, 3, "90");
  Type(4, 3, "25.5");
  EXPECT_EQ(Text(5, 3), "   1.200");
  context.units.distanceUnit = kFeetInches;  // the offer follows the notation
  EXPECT_EQ(Text(5, 3), "  1' 2 3/8");
  context.units.distanceUnit = kMetres;
  Type(5, 3, "1.7");
  EXPECT_EQ(Text(6, 3), "STNCODE");
  Type(6, 3, "NEW");
  EXPECT_EQ(Text(7, 3), "");  // the set-up's comment is empty
  EXPECT_EQ(Text(6, 3), "NEW");
  EXPECT_EQ(Text(1, 2), "v0ha");  // only the last row offers anything

  // No offers on a note row, on row 0, or after a row without a number.
  Type(0, 3, "Fnote");
  EXPECT_EQ(Text(1, 3), "");
  sheet.Rows() = {MakeRow(kStadiaSdHt, kNoPoint)};
  sheet.Rows()[0].note = "numbers later";
  sheet.AppendRow();
  Type(0, 1, "SD/HT");
  EXPECT_EQ(Text(1, 1), "");
  Stadia first(context.ctx);
  first.AppendRow();
  CellValue typed;
  typed.text = "SD/HT";
  first.ParseCell(0, 0, typed);
  first.CellText(1, 0, typed);
  EXPECT_EQ(typed.text, "");
}

TEST_F(StadiaSheetTest, HdRlRowSkipsTheTargetHeightAndOffersTheCode) {
  StadiaRow shot = MakeRow(kStadiaSdHt, 5);
  shot.code = "FL";
  sheet.Rows() = {shot};
  sheet.Command(kCmdSetDefaultType, std::int64_t{kStadiaHdRl});
  sheet.AppendRow();
  Type(4, 1, "48.25");
  int column = 4;
  int row = 1;
  sheet.GridOption(2, column, row);
  EXPECT_EQ(column, 6);
  EXPECT_EQ(Text(6, 1), "FL");
}

}  // namespace
}  // namespace kestrel::testing
