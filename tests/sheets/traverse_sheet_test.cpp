// The traverse sheet behind the grid: headings, cell texts, parsing, the
// fields carried down to a new leg, the Enter key and the row commands.
#include <gtest/gtest.h>

#include "sheets/command_codes.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "traverse_test_sheet.h"

namespace kestrel::testing {
namespace {

void Type(Traverse& sheet, int column, int row, const std::string& text) {
  sheet.ParseCell(column, row, Typed(text));
}

std::string Heading(Traverse& sheet, int column, int row) {
  std::string text = std::to_string(row);
  sheet.ColumnHeading(column, text);
  return text;
}

// The empty row after the last takes the last row's headings; further on none.
TEST(TraverseSheet, HeadingsFollowTheCurrentRowsType) {
  TraverseTestSheet t({"0,1,100,200,10,", "2,angle", "3,1,2,90,90,10,0,0,,0,0,0"});
  const std::string headings[] = {"At point", "Fnote", "To Point", "To Point", ""};
  const int columns[] = {1, 1, 2, 2, 0};
  for (int row = 0; row < 5; ++row) EXPECT_EQ(Heading(t.sheet, columns[row], row), headings[row]);
  EXPECT_EQ(Heading(t.sheet, 3, 1) + Heading(t.sheet, 8, 3), "Pt Code");
}

TEST(TraverseSheet, CellTextsInEachNotation) {
  // bearing mode, distance unit, row, column, text
  struct Case {
    int mode, unit;
    std::string row;
    int column;
    std::string text;
  } cases[] = {
      {0, 0, "0,7,1234.5,200,10.25,PEG", 4, "  10.250"},
      {0, 0, "0,-1,1,2,3,", 1, ""},
      {1, 0, "3,1,2,45,90,10,0,0,,0,0,0", 3, " 50.0000g"},
      {0, 2, "3,1,2,45,90,5.2604167,0,0,,0,0,0", 5, "  5' 3 1/8"},
      {3, 0, "8,1,2,225.3000,90,10,0,0,,0,0,0", 3, ""},  // Robj shows its reference bearing
      {0, 0, "4,1,2,45,90,10,0,0,,0,0,0", 1, ""},        // Dual: no keyword, no data
      {0, 0, "9,1,2,45,90,10,0,0,,0,0,0", 0, "Check"},
  };
  for (const Case& c : cases) {
    TraverseTestSheet t({c.row});
    t.units.bearingMode = c.mode;
    t.units.distanceUnit = c.unit;
    EXPECT_EQ(Shown(t.sheet, c.column, 0), c.text) << c.row << " column " << c.column;
  }
}

TEST(TraverseSheet, QuadrantLettersOnlyWhileNoNoteSaysTheLegsHoldAngles) {
  TraverseTestSheet t({"3,1,2,225.3000,90,10,0,0,,0,0,0", "9,1,3,225.3000,90,10,0,0,,0,0,0"});
  t.units.bearingMode = kQuadrant;
  EXPECT_EQ(Shown(t.sheet, 3, 0),
            "S  45\xB0"
            "30'00\" W");
  t.sheet.InsertRow(0);
  Type(t.sheet, 0, 0, "Fnote");
  Type(t.sheet, 1, 0, "Angle right");
  EXPECT_EQ(Shown(t.sheet, 3, 1),
            "225\xB0"
            "30'00\"");
  EXPECT_EQ(Shown(t.sheet, 3, 2),
            "S  45\xB0"
            "30'00\" W");  // check shots always
}

TEST(TraverseSheet, ParsingStoresEachColumnInItsField) {
  TraverseTestSheet t({"3,1,2,0,0,0,0,0,,0,0,0"});
  t.units.distanceUnit = kFeetInches;
  Type(t.sheet, 1, 0, "12");
  Type(t.sheet, 2, 0, "13");
  Type(t.sheet, 3, 0, "S45.3000E");
  Type(t.sheet, 4, 0, "");
  Type(t.sheet, 5, 0, "5'6");
  Type(t.sheet, 6, 0, "4'6");
  Type(t.sheet, 8, 0, "FENCE");
  const TraverseRow& r = t.Row(0);
  // A blank vertical angle is a level sight.
  EXPECT_EQ(std::tie(r.at, r.to, r.angle, r.vertical, r.slope_dist, r.inst_ht, r.code),
            std::make_tuple(12u, 13u, 134.3, 90.0, 5.5, 4.5f, std::string("FENCE")));

  // Column 0 takes only the exact keywords.
  CellValue lower;
  lower.text = "close";
  EXPECT_EQ(t.sheet.ParseCell(0, 0, lower), 1);
  EXPECT_EQ(t.Row(0).type, kTravTraverse);
  Type(t.sheet, 0, 0, "Robj");
  EXPECT_EQ(t.Row(0).type, kTravRobj);
  Type(t.sheet, 3, 0, "10.3000");
  EXPECT_DOUBLE_EQ(t.Row(0).bearing, 10.3);  // a Robj row's column 3 is its reference bearing

  // Typing into the row after the last opens a row of the last row's type.
  Type(t.sheet, 1, 1, "40");
  ASSERT_EQ(t.sheet.RowCount(), 2);
  EXPECT_EQ(t.Row(1).type, kTravRobj);
  EXPECT_EQ(t.Row(1).at, 40u);
}

TEST(TraverseSheet, BlankLegFieldsAreCarriedFromTheLegAbove) {
  TraverseTestSheet t({"3,1,2,91.1000,89.3000,100,1.55,1.6,,0,0,0", "6,2,50,10,90,5,0,0,,0,0,0"});
  t.sheet.AppendRow();  // a new Traverse row? No: the last row is a side shot.
  EXPECT_EQ(t.Row(2).type, kTravSShot);
  Type(t.sheet, 0, 2, "Traverse");
  EXPECT_EQ(Shown(t.sheet, 1, 2), "2");  // from the leg above's To point
  EXPECT_EQ(Shown(t.sheet, 2, 2), "3");  // At point + 1
  EXPECT_EQ(Shown(t.sheet, 6, 2), "   1.550");
  const TraverseRow& r = t.Row(2);  // and the values are kept
  EXPECT_EQ(std::tie(r.at, r.to, r.angle, r.slope_dist), std::make_tuple(2u, 3u, 91.1, 100.0));

  // A leg with only its At point shows and keeps At + 1.
  TraverseTestSheet single({"3,7,-1,0,90,1,0,0,,0,0,0"});
  EXPECT_EQ(Shown(single.sheet, 2, 0), "8");
  EXPECT_EQ(single.Row(0).to, 8u);
  // Side shots carry nothing.
  TraverseTestSheet shot({"3,1,2,91,90,100,1.5,1.6,,0,0,0", "6,2,-1,0,90,1,0,0,,0,0,0"});
  EXPECT_EQ(Shown(shot.sheet, 2, 1), "");
}

TEST(TraverseSheet, AppendedRowTypes) {
  TraverseTestSheet t;
  t.sheet.AppendRow();
  EXPECT_EQ(t.Row(0).type, kTravStn);
  Type(t.sheet, 0, 0, "Traverse");
  t.sheet.AppendRow();
  EXPECT_EQ(t.Row(1).type, kTravTraverse);  // no default: repeats the last type
  t.sheet.Command(kCmdSetDefaultType, std::int64_t{6});
  t.sheet.AppendRow();
  EXPECT_EQ(t.Row(2).type, kTravSShot);
  t.sheet.Command(kCmdApplyDefaultType, std::int64_t{0}, std::int64_t{0});
  EXPECT_EQ(t.Row(0).type, kTravSShot);
  t.sheet.InsertRow(1);
  EXPECT_EQ(t.Row(1).type, kTravStn);
}

TEST(TraverseSheet, EnterKeyMovement) {
  TraverseTestSheet t({"0,1,1,1,1,", "1,1,2,0,0,0,0", "2,note", "3,1,2,0,90,1,0,0,,0,0,0"});
  struct Case {
    int column, row, nextColumn, nextRow;
  } cases[] = {
      {4, 0, 0, 1},  // after an STN row's height
      {3, 1, 0, 2},  // after a BSite row's angle
      {1, 2, 0, 3},  // after a note
      {8, 3, 0, 4},  // past the last of 9 columns
  };
  for (const Case& c : cases) {
    int column = c.column, row = c.row;
    EXPECT_EQ(t.sheet.GridOption(2, column, row), 0);
    EXPECT_EQ(column, c.nextColumn) << c.column << "," << c.row;
    EXPECT_EQ(row, c.nextRow) << c.column << "," << c.row;
  }
  int column = 0, row = 9;
  EXPECT_EQ(t.sheet.GridOption(2, column, row), 1);
}

TEST(TraverseSheet, TypeCyclingRunsOverTheTenTypes) {
  TraverseTestSheet t({"9,1,2,0,90,1,0,0,,0,0,0"});
  t.sheet.Command(kCmdCycleType, std::int64_t{0}, std::string("+"));
  EXPECT_EQ(t.Row(0).type, kTravStn);
  t.sheet.Command(kCmdCycleType, std::int64_t{0}, std::string("-"));
  EXPECT_EQ(t.Row(0).type, kTravCheck);
  EXPECT_EQ(t.sheet.Command(kCmdCycleType, std::int64_t{1}, std::string("+")), 1);
}

TEST(TraverseSheet, RowStateRestoresTheWholeRow) {
  TraverseTestSheet t({"3,1,2,45,90,100,1.5,1.6,PEG,0,0,0", "2,note"});
  t.sheet.Command(kCmdCalculate);
  const std::string state = t.sheet.RowState(0);
  const double east = t.Row(0).adj_east;
  Type(t.sheet, 1, 0, "99");
  Type(t.sheet, 0, 0, "Fnote");
  EXPECT_EQ(t.sheet.RestoreRowState(0, state.substr(0, 20)), 0);  // cut short: refused
  EXPECT_EQ(t.sheet.RestoreRowState(0, state), 1);
  EXPECT_EQ(std::tie(t.Row(0).type, t.Row(0).at, t.Row(0).code, t.Row(0).adj_east),
            std::make_tuple(std::uint8_t{kTravTraverse}, 1u, std::string("PEG"), east));
}

}  // namespace
}  // namespace kestrel::testing
