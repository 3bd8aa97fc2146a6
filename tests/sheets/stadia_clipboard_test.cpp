// Copying Stadia rows as clipboard text and pasting them back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_clipboard.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

// One row of each type, with only the fields the clipboard carries filled.
std::vector<StadiaRow> BookedRows() {
  StadiaRow setup = AtBsRow(1, 12);
  setup.hz = 0.0, setup.dist = 1.55;
  return {
      {.type = 0,
       .point = 1,
       .east = 1000.5,
       .north = 2000.25,
       .height = 50.125,
       .code = "CP",
       .comment = "pin"},
      setup,
      {.type = 1, .point = 3, .hz = 90.0},  // no backsight typed
      {.type = 2, .note = "v0ha"},
      {.type = 3,
       .point = 100,
       .hz = 45.3015,
       .obs2 = 90.152,
       .dist = 25.123,
       .targetHt = 1.6,
       .east = 1017.8,
       .north = 2017.7,
       .height = 50.3,
       .code = "TREE",
       .comment = "oak"},
      {.type = 4,
       .point = 101,
       .hz = 120.0,
       .obs2 = -0.35,
       .dist = 14.2,
       .targetHt = 1.5,
       .code = "FL"},
      {.type = 5,
       .hz = 200.3,
       .dist = 30.0,
       .east = 5.0,
       .north = 6.0,
       .height = 48.25,
       .comment = "kerb"},
      {.type = 6,
       .point = 1,
       .hz = 0.0005,
       .obs2 = 89.5959,
       .dist = 0.5,
       .targetHt = 1.55,
       .east = 1000.0,
       .north = 2000.0,
       .height = 50.5,
       .code = "CP",
       .comment = "check"},
  };
}

const std::string kBookedText =
    "Stadia\n"
    "0,1,1000.500000,2000.250000,50.125000,CP,pin\n"
    "1,1,0.000000,12,1.550000\n"
    "1,3,90.000000,0,999999986991104.000000\n"
    "2,v0ha\n"
    "3,100,45.301500,90.152000,25.123000,1.600000,TREE,oak,1017.800000,2017.700000,50.300000\n"
    "4,101,120.000000,14.200000,-0.350000,1.500000,FL,,999999986991104.000000,"
    "999999986991104.000000,999999986991104.000000\n"
    "5,-1,200.300000,30.000000,48.250000,,kerb,5.000000,6.000000\n"
    "6,1,0.000500,89.595900,0.500000,1.550000,CP,check,1000.000000,2000.000000,50.500000\n";

class StadiaClipboardTest : public ::testing::Test {
 protected:
  SheetTestContext context;
  Stadia sheet{context.ctx};
};

TEST_F(StadiaClipboardTest, CopyWritesEachSelectedRowOnceInItsTypesLayout) {
  sheet.Rows() = BookedRows();
  // The grid reports every selected cell's row, in any order; rows outside
  // the sheet give no line.
  for (const int code : {kCmdCopy, kCmdCut}) {
    context.clipboard = MemoryClipboard();
    sheet.Command(code, SelectedRows{{7, 0, 3, 3, 1, 2, 4, 5, 6, 6, 8, -1, 40}});
    EXPECT_EQ(context.clipboard.text, kBookedText) << code;
    EXPECT_EQ(sheet.Rows().size(), 8u);
  }
  sheet.Command(kCmdCopy, SelectedRows{});
  EXPECT_EQ(context.clipboard.text, "Stadia\n");
}

TEST_F(StadiaClipboardTest, PastedRowsComeBackAsCopiedInFrontOfTheRow) {
  const std::vector<StadiaRow> booked = BookedRows();
  sheet.Rows() = {{.point = 900}, {.point = 901}};
  context.clipboard.SetText(kBookedText);
  sheet.Command(kCmdPaste, std::int64_t{1});

  ASSERT_EQ(sheet.Rows().size(), booked.size() + 2);
  EXPECT_EQ(sheet.Rows().front().point, 900u);
  EXPECT_EQ(sheet.Rows().back().point, 901u);
  for (std::size_t i = 0; i < booked.size(); ++i) {
    EXPECT_EQ(Fields(sheet.Rows()[i + 1]), Fields(booked[i])) << "row " << i;
  }
  // -1 is how a row without a point copies; it pastes back as none.
  EXPECT_EQ(sheet.Rows()[7].point, kNoPoint);
  // A set-up copied without a backsight still has none.
  EXPECT_FALSE(HasBacksight(sheet.Rows()[3]));
  EXPECT_TRUE(context.messages.texts.empty());
}

TEST_F(StadiaClipboardTest, PasteSkipsLinesItCannotTake) {
  const std::string stn = "0,5,1.000000,2.000000,3.000000,A,B";
  struct Case {
    std::string name;
    std::string text;
    int row;
    std::vector<std::uint32_t> points;  // of the sheet afterwards (rows 900 and 901 at first)
    std::string message;
  };
  const std::vector<Case> cases = {
      {"comment with a comma", "Stadia\n0,5,1,2,3,A,B,C\n" + stn + "\n", 0, {5, 900, 901}, ""},
      {"below the last row", "Stadia\n" + stn + "\n", 2, {900, 901}, ""},
      {"negative row", "Stadia\n" + stn + "\n", -1, {900, 901}, ""},
      {"last line without a line feed", "Stadia\n" + stn, 1, {900, 5, 901}, ""},
      {"Windows line ends", "Stadia\r\n" + stn + "\r\n" + stn + "\r\n", 0, {5, 5, 900, 901}, ""},
      {"empty lines and unknown types",
       "Stadia\n\n7,1\nx,1\n" + stn + "\n\n",
       0,
       {5, 900, 901},
       ""},
      // Precision sheets share the kind; lines with other field counts are
      // skipped.
      {"other field counts",
       "Stadia\n3,1,2,3,4,5,a,b,6,7,8,9\n1,2,3,4\n2\n2,note\n" + stn + "\n",
       1,
       {900, kNoPoint, 5, 901},
       ""},
      {"header only", "Stadia", 0, {900, 901}, "Nothing to Paste"},
      {"header and line feed", "Stadia\n", 0, {900, 901}, "Nothing to Paste"},
      {"another kind",
       "Traverse\n" + stn + "\n",
       0,
       {900, 901},
       "Non matching data - can only paste Stadia type data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    context.messages.texts.clear();
    sheet.Rows() = {{.point = 900}, {.point = 901}};
    context.clipboard.SetText(c.text);
    sheet.Command(kCmdPaste, std::int64_t{c.row});
    std::vector<std::uint32_t> points;
    for (const StadiaRow& r : sheet.Rows()) {
      points.push_back(r.point);
      if (r.point == 5) {
        EXPECT_EQ(r.comment, "B");  // line ends are not part of a field
      }
    }
    EXPECT_EQ(points, c.points);
    if (c.message.empty()) {
      EXPECT_TRUE(context.messages.texts.empty());
    } else {
      EXPECT_EQ(context.messages.texts, std::vector<std::string>{c.message});
    }
  }
}

TEST_F(StadiaClipboardTest, NothingHappensWithoutClipboardTextOrRows) {
  sheet.Rows() = {{.point = 900}};
  sheet.Command(kCmdPaste, std::int64_t{0});  // the clipboard holds no text
  EXPECT_EQ(sheet.Rows().size(), 1u);
  EXPECT_TRUE(context.messages.texts.empty());

  Stadia empty(context.ctx);
  EXPECT_EQ(PasteStadiaText(empty, kBookedText, 0), 0);
  EXPECT_TRUE(empty.Rows().empty());
}

}  // namespace
}  // namespace kestrel::testing
