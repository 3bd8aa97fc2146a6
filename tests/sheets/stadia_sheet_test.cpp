// The Stadia sheet as the grid sees it: cell texts, parsing, suggestions on
// the last row and the Enter key's movement. Headings and the angle modes are
// checked through kestrel-cli's sheet sessions. \260 is the degree sign.
#include <string>
#include <vector>

#include "stadia_test_rows.h"
#include "survey/distances.h"

namespace kestrel::testing {
namespace {

class StadiaSheetTest : public StadiaTest {
 protected:
  std::string Text(int column, int row) { return Shown(sheet, column, row); }
  // The texts of columns 0 to count - 1 of a row, joined by '|'.
  std::string Texts(int row, int count) {
    std::string texts = Text(0, row);
    for (int column = 1; column < count; ++column) texts += "|" + Text(column, row);
    return texts;
  }
  int Type(int column, int row, const std::string& text) {
    return sheet.ParseCell(column, row, Typed(text));
  }
};

TEST_F(StadiaSheetTest, CellTextsFollowTheRowTypeAndTheSelectors) {
  sheet.Rows() = {Rec(0, 1, {E, E, E, E, E, 1000.5, 2000.25, 50.125}, "CP"),
                  AtBs(1, 12, 225.3, 1.55),
                  Note("v0ha"),
                  Rec(3, 100, {45.3, 95.3, E, 25.123, 1.6, 5.2604167, E, E}),
                  Shot(4, 101, 5.07, -0.35, 14.2, 1.5),
                  HdRl(102, 10.596, 30.0, 48.25),  // not a valid packed angle: shown as it is
                  Row(6, kNoPoint),
                  Row(1, 2)};  // no backsight typed
  // Columns 0 to 7 of each row in whole circle and metres.
  const char* const shown[] = {"STN|1|1000.500|2000.250|  50.125||CP|",
                               "AT/BS|1|225\26030'00\"|12|   1.550|||",
                               "Fnote|v0ha||||||",
                               "SD/HT|100| 45\26030'00\"| 95\26030'00\"|  25.123|   1.600||",
                               "HZ/DH|101|  5\26007'00\"|  14.200|  -0.350|   1.500||",
                               "HD/RL|102| 10\26059'60\"|  30.000|  48.250|||",
                               "CHK|||||||",
                               "AT/BS|2||||||"};
  for (int row = 0; row < 8; ++row) EXPECT_EQ(Texts(row, 8), shown[row]);

  // Angle mode, distance notation, row, column, text.
  const std::tuple<int, int, int, int, std::string> cases[] = {
      {0, 2, 3, 8, "  5' 3 1/8"},  // 5.2604167 ft is 5 ft 3 1/8 in
      {0, 2, 1, 8, ""}};
  for (const auto& [mode, unit, row, column, text] : cases) {
    context.units = FixedUnitSelectors(mode, unit);
    EXPECT_EQ(Text(column, row), text) << row << "/" << column << " " << mode;
  }

  // A note spans the row; cells around the rows.
  CellValue cell;
  sheet.CellText(1, 2, cell);
  EXPECT_TRUE(cell.joinNote);
  sheet.CellText(0, 20, cell);  // past the end: the list but no text
  EXPECT_EQ(cell.text + cell.choices, "STN\nAT/BS\nFnote\nSD/HT\nHZ/DH\nHD/RL\nCHK\n");
  sheet.StoreHeading(3, "Vt Cir");
  EXPECT_EQ(Text(3, -1) + "|" + Text(-1, 4) + "|" + Text(-1, -1), "Vt Cir|5|");
  sheet.Rows().clear();  // an empty sheet shows nothing, not even the list
  sheet.CellText(0, 0, cell);
  EXPECT_EQ(cell.choices, "");
}

TEST_F(StadiaSheetTest, ParsingStoresEachColumnInItsField) {
  struct Case {
    int mode, unit, type, column;
    std::string text;
    double StadiaRow::*field;  // the one field expected to change, or none
    double value;
  };
  using R = StadiaRow;
  const std::vector<Case> cases = {
      {1, 0, kStadiaSdHt, 3, "100", &R::obs2, 90.0},  // vertical readings in grads
      {3, 0, kStadiaChk, 3, "95.3000", &R::obs2, 95.3},
      {0, 0, kStadiaHdRl, 3, "5' 6 3/8", &R::dist, 5.53125},  // feet typed in metres
      {0, 0, kStadiaHzDh, 4, "-0.35", &R::obs2, -0.35},
      {0, 0, kStadiaHdRl, 4, "48.25", &R::height, 48.25},
      {0, 0, kStadiaAtBs, 4, "1.55", &R::dist, 1.55},
      {0, 0, kStadiaFnote, 10, "3", &R::height, 3.0},  // coordinates on every type
      {0, 0, kStadiaHdRl, 5, "9", nullptr, 0}};        // a cell without a field
  for (const Case& c : cases) {
    context.units = FixedUnitSelectors(c.mode, c.unit);
    sheet.Rows() = {Row(c.type, 1)};
    EXPECT_EQ(Type(c.column, 0, c.text), 0);
    StadiaRow expected = Row(c.type, 1);
    if (c.field) {
      EXPECT_NEAR(sheet.Rows()[0].*c.field, c.value, 1e-9) << c.text;
      expected.*(c.field) = sheet.Rows()[0].*c.field;
    }
    EXPECT_EQ(Fields(sheet.Rows()[0]), Fields(expected)) << c.text;
  }
}

TEST_F(StadiaSheetTest, ParsingPointsTextsAndTypes) {
  sheet.Rows() = {Shot(kStadiaSdHt, 1, E, 1.5, E), AtBs(2, 0), Note("")};
  EXPECT_EQ(Type(0, 0, "CHK"), 1);
  EXPECT_EQ(Type(0, 1, "stn"), 1);  // keywords are compared exactly
  Type(1, 0, "105");
  Type(3, 1, "12");
  Type(1, 1, "-1");
  Type(1, 2, "rd 5, north");
  Type(6, 0, "TREE");
  EXPECT_EQ(Fields(sheet.Rows()[0]), Fields(Shot(kStadiaChk, 105, E, 1.5, E, E, "TREE")));
  EXPECT_EQ(Texts(1, 4) + "|" + Texts(2, 2), "AT/BS|||12|Fnote|rd 5, north");
  // A new type keeps the values: the vertical reading becomes the height
  // difference.
  Type(0, 0, "HZ/DH");
  EXPECT_EQ(Text(4, 0), "   1.500");

  // Typing in the row after the last only opens a row; further down nothing.
  EXPECT_EQ(Type(1, 3, "7") + Type(1, 5, "7"), 0);
  ASSERT_EQ(sheet.RowCount(), 4);
  EXPECT_EQ(sheet.Rows()[3].point, kNoPoint);
}

TEST_F(StadiaSheetTest, RowsAppendInsertAndDelete) {
  sheet.Command(kCmdSetDefaultType, std::int64_t{3});
  sheet.Command(kCmdSetDefaultType, std::int64_t{7});  // refused
  sheet.AppendRow();
  sheet.AppendRow();  // not after a blank row
  ASSERT_EQ(sheet.RowCount(), 1);
  EXPECT_EQ(sheet.Rows()[0].type, kStadiaSdHt);
  sheet.Rows()[0].note = "kept";
  sheet.AppendRow();
  sheet.Rows()[1].point = 4;
  sheet.AppendRow();
  sheet.InsertRow(1);
  sheet.InsertRow(99);
  sheet.DeleteRow(99);
  ASSERT_EQ(sheet.RowCount(), 4);
  EXPECT_EQ(sheet.Rows()[1].type, kStadiaStn);
  EXPECT_EQ(sheet.Rows()[2].point, 4u);

  Type(0, 0, "SD/HT");  // only the last row keeps entry flags
  EXPECT_FALSE(sheet.EntryFlag(0));
  Type(0, 3, "SD/HT");
  EXPECT_TRUE(sheet.EntryFlag(0) && !sheet.EntryFlag(1));
  sheet.DeleteRow(3);  // the last row: every entry flag is set
  for (int column = 0; column < 11; ++column) EXPECT_TRUE(sheet.EntryFlag(column));
  sheet.AppendRow();
  for (int column = 0; column < 11; ++column) EXPECT_FALSE(sheet.EntryFlag(column));
}

TEST_F(StadiaSheetTest, EnterMovesToTheNextCell) {
  sheet.Rows() = {Row(kStadiaSdHt, 1), Note(""), Row(kStadiaHdRl, 1), Row(kStadiaStn, 1)};
  // Coordinates shown, from column and row, to column and row, result.
  const std::tuple<bool, int, int, int, int, int> cases[] = {
      {false, 8, 0, 0, 1, 0},
      {true, 11, 0, 0, 1, 0},  // on past the column count
      {false, 1, 1, 0, 2, 0},  // a note goes on to the next row
      {false, 4, 2, 6, 2, 0},  // HD/RL has no target height
      {false, 1, 4, 1, 4, 1}};
  for (const auto& [coordinates, fromColumn, fromRow, toColumn, toRow, result] : cases) {
    sheet.Command(kCmdShowCoordinates, std::int64_t{coordinates});
    int column = fromColumn, row = fromRow;
    EXPECT_EQ(sheet.GridOption(2, column, row), result);
    EXPECT_EQ(std::tie(column, row), std::tie(toColumn, toRow)) << fromColumn << "," << fromRow;
  }
}

// The user's path through a new last row beyond what kestrel-cli's sessions
// show (the next point number and the reading above): the set-up's target
// height in the current notation and its code; an HD/RL row skips the target
// height; no offers on a note row or after a row without a number.
TEST_F(StadiaSheetTest, LastRowOffersSuggestionsFromTheRowsAbove) {
  StadiaRow setup = AtBs(7, 1);
  setup.targetHt = 1.2, setup.code = "STNCODE";
  sheet.Rows() = {setup, Note("v0ha")};
  sheet.Command(kCmdSetDefaultType, std::int64_t{kStadiaSdHt});
  sheet.AppendRow();
  Type(0, 2, "SD/HT");
  Type(1, 2, "8");
  Type(3, 2, "90");
  Type(4, 2, "25.5");
  context.units.distanceUnit = kFeetInches;
  EXPECT_EQ(Text(5, 2), "  1' 2 3/8");
  Type(5, 2, "1' 2 3/8");
  EXPECT_EQ(Text(6, 2), "STNCODE");
  EXPECT_EQ(Text(1, 1), "v0ha");  // only the last row offers anything

  sheet.Rows()[2].code = "FL";
  sheet.Command(kCmdSetDefaultType, std::int64_t{kStadiaHdRl});
  sheet.AppendRow();
  Type(4, 3, "48.25");
  int column = 4, row = 3;
  sheet.GridOption(2, column, row);
  EXPECT_EQ(Text(column, row), "FL");

  Type(0, 3, "Fnote");
  EXPECT_EQ(Text(1, 3), "");
  sheet.Rows() = {Row(kStadiaStn, kNoPoint)};
  sheet.AppendRow();
  Type(0, 1, "SD/HT");
  EXPECT_EQ(Text(1, 1), "");
}

}  // namespace
}  // namespace kestrel::testing
