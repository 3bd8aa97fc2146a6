// The Traditional Stadia sheet as a member of the radiation family: the
// offers of a new last row and the commands it shares with the Stadia sheet.
#include <gtest/gtest.h>

#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/traditional.h"

namespace kestrel {
namespace {

using testing::SheetTestContext;

struct TraditionalEntryTest : ::testing::Test {
  SheetTestContext t;
  Traditional sheet{t.ctx};

  void Type(int column, int row, const std::string& text) {
    CellValue cell;
    cell.text = text;
    sheet.ParseCell(column, row, cell);
  }
  std::string Text(int column, int row) {
    CellValue cell;
    sheet.CellText(column, row, cell);
    return cell.text;
  }
  // Station 1 and its backsight 2, a set-up on 1, a note and a 3Hair shot of
  // point 10; rows 0 to 4.
  void FieldBook() {
    for (const auto& cells : std::vector<std::vector<std::string>>{
             {"STN", "1", "5000", "4000", "100", "-", "-", "PM", "peg"},
             {"STN", "2", "5100", "4000", "101"},
             {"AT/BS", "1", "0", "2", "1.5"},
             {"Fnote", "v0ha"},
             {"3Hair", "10", "45.3000", "90", "1", "1.25", "1.5", "TREE", "oak"}}) {
      sheet.AppendRow();
      for (std::size_t column = 0; column < cells.size(); ++column) {
        if (cells[column] != "-")
          Type(static_cast<int>(column), sheet.RowCount() - 1, cells[column]);
      }
    }
  }
};

// Each cell of a new 3Hair row offers, once the cell before it is filled: the
// next number after the shot above, its circle reading, nothing for the
// readings, then its code and comment.
TEST_F(TraditionalEntryTest, NewLastRowOffersFromTheRowsAbove) {
  FieldBook();
  sheet.Command(kCmdSetDefaultType, std::int64_t{kTradThreeHair});
  sheet.AppendRow();
  const int row = 5;
  EXPECT_EQ(Text(1, row), "");  // nothing typed yet
  const struct {
    int column;
    const char* offered;
    const char* typed;
  } path[] = {{1, "    11", "11"}, {2, " 45\26030'00\"", "-"},
              {3, "", "88"},       {4, "", "1.1"},
              {5, "", "1.2"},      {6, "", "1.3"},
              {7, "TREE", "BUSH"}, {8, "oak", "elm"}};
  Type(0, row, "3Hair");
  for (const auto& step : path) {
    EXPECT_EQ(Text(step.column, row), step.offered) << step.column;
    if (std::string(step.typed) == "-") {
      sheet.Command(kCmdReenterCell, std::int64_t{step.column}, std::int64_t{row});
    } else {
      Type(step.column, row, step.typed);
    }
  }
  EXPECT_FLOAT_EQ(sheet.Rows()[row].hz, 45.3f);  // passed over, kept
  EXPECT_EQ(Text(1, 3), "v0ha");                 // only the last row offers
}

TEST_F(TraditionalEntryTest, SharedCommandsWorkOnTraditionalRows) {
  FieldBook();
  sheet.AppendRow();
  Type(0, 5, "AT/BS");
  Type(1, 5, "7");  // a set-up on a point no station gives, backsight 8
  Type(3, 5, "8");
  EXPECT_EQ(sheet.Command(kCmdFindPoint, std::int64_t{10}), 4);
  EXPECT_EQ(sheet.Command(kCmdFindSetup, std::int64_t{3}), 5);

  // Points for the host: every row but set-ups and notes, then none.
  PointRecord record;
  std::vector<int> uploaded;
  for (int code = kCmdFirstPoint; sheet.Command(code, &record) == 0; code = kCmdNextPoint) {
    uploaded.push_back(record.point);
  }
  EXPECT_EQ(uploaded, (std::vector<int>{1, 2, 10}));

  // Points the set-ups need: instrument 7, then backsight 8.
  EXPECT_EQ(sheet.Command(kCmdCollectMissing), 2);
  std::uint32_t number = 0;
  std::vector<std::uint32_t> missing;
  while (sheet.Command(kCmdNextMissing, &number) == 1) missing.push_back(number);
  EXPECT_EQ(missing, (std::vector<std::uint32_t>{7, 8}));

  // Renumbering 1 and 2 from 50 follows into the set-up and its backsight.
  sheet.Command(kCmdRenumber, NumberRange{1, 2}, std::int64_t{50});
  EXPECT_EQ(Text(1, 0) + Text(1, 1) + Text(1, 2) + Text(3, 2), "50515051");

  PointRecord host;
  host.point = 30;
  host.height = 3;
  host.code = "HC";
  sheet.Command(kCmdInsertHostPoint, std::int64_t{0}, &host);
  EXPECT_EQ(Text(0, 0) + Text(1, 0) + Text(4, 0) + Text(7, 0), "STN30   3.000HC");

  // Type cycling runs through the six types.
  sheet.Command(kCmdCycleType, std::int64_t{0}, std::int64_t{'-'});
  EXPECT_EQ(Text(0, 0), "MH/SI");
  sheet.Command(kCmdCycleType, std::int64_t{0}, std::int64_t{'+'});
  EXPECT_EQ(Text(0, 0), "STN");

  for (const int code : {kCmdSayCopy, kCmdSayCut, kCmdSayPaste}) sheet.Command(code);
  EXPECT_EQ(t.messages.texts, (std::vector<std::string>{"Copy", "Cut", "Paste"}));
}

}  // namespace
}  // namespace kestrel
