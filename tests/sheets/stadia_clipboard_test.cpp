// Copying Stadia rows as clipboard text and pasting them back.
#include <string>
#include <vector>

#include "sheets/stadia/stadia_clipboard.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

// One row of each type, with only the fields the clipboard carries filled.
const std::vector<StadiaRow> kBooked = {
    Rec(0, 1, {E, E, E, E, E, 1000.5, 2000.25, 50.125}, "CP", "pin"),
    AtBs(1, 12, 0.0, 1.55),
    Rec(1, 3, {90.0, E, E, E, E, E, E, E}),  // no backsight typed
    Note("v0ha"),
    Rec(3, 100, {45.3015, 90.152, E, 25.123, 1.6, 1017.8, 2017.7, 50.3}, "TREE", "oak"),
    Shot(4, 101, 120.0, -0.35, 14.2, 1.5, "FL"),
    Rec(5, kNoPoint, {200.3, E, E, 30.0, E, 5.0, 6.0, 48.25}, "", "kerb"),
    Rec(6, 1, {0.0005, 89.5959, E, 0.5, 1.55, 1000.0, 2000.0, 50.5}, "CP", "check"),
};

const std::string kBookedText = ExpectedText(KESTREL_TEST_DATA_DIR "/stadia_clipboard_rows.txt");

using StadiaClipboardTest = StadiaTest;

TEST_F(StadiaClipboardTest, EveryRowTypeCopiesAndPastesBack) {
  sheet.Rows() = kBooked;
  // The grid reports every selected cell's row, in any order; rows outside
  // the sheet give no line.
  sheet.Command(kCmdCopy, SelectedRows{{7, 0, 3, 3, 1, 2, 4, 5, 6, 6, 8, -1, 40}});
  EXPECT_EQ(context.clipboard.text, kBookedText);

  // Pasted in front of the row given.
  sheet.Rows() = {Row(0, 900), Row(0, 901)};
  context.clipboard.SetText(kBookedText);
  sheet.Command(kCmdPaste, std::int64_t{1});
  ASSERT_EQ(sheet.Rows().size(), kBooked.size() + 2);
  EXPECT_EQ(sheet.Rows().front().point + sheet.Rows().back().point, 900u + 901u);
  for (std::size_t i = 0; i < kBooked.size(); ++i) {
    EXPECT_EQ(Fields(sheet.Rows()[i + 1]), Fields(kBooked[i])) << "row " << i;
  }
  EXPECT_TRUE(context.messages.texts.empty());
}

TEST_F(StadiaClipboardTest, PasteSkipsLinesItCannotTake) {
  const std::string stn = "0,5,1.000000,2.000000,3.000000,A,B";
  // Text, row pasted at, the sheet's points afterwards, the message.
  const std::tuple<std::string, int, std::vector<std::uint32_t>, std::string> cases[] = {
      // A comment with a comma, empty lines, unknown types.
      {"Stadia\n\n7,1\nx,1\n0,5,1,2,3,A,B,C\n" + stn + "\n\n", 0, {5, 900, 901}, ""},
      {"Stadia\n" + stn + "\n", 2, {900, 901, 5}, ""},  // the row after the last
      {"Stadia\n" + stn + "\n", 3, {900, 901}, ""},     // further down
      {"Stadia\r\n" + stn, 0, {5, 900, 901}, ""},       // CR LF, no line end after the last
      // Precision sheets share the kind; lines with other field counts are
      // skipped.
      {"Stadia\n3,1,2,3,4,5,a,b,6,7,8,9\n1,2,3,4\n2\n2,note\n" + stn + "\n",
       1,
       {900, kNoPoint, 5, 901},
       ""},
      {"Stadia\n", 0, {900, 901}, "Nothing to Paste"},
      {"Traverse\n" + stn + "\n",
       0,
       {900, 901},
       "Non matching data - can only paste Stadia type data"},
  };
  for (const auto& [text, row, points, message] : cases) {
    SCOPED_TRACE(text);
    context.messages.texts.clear();
    sheet.Rows() = {Row(0, 900), Row(0, 901)};
    context.clipboard.SetText(text);
    sheet.Command(kCmdPaste, std::int64_t{row});
    std::vector<std::uint32_t> got;
    for (const StadiaRow& r : sheet.Rows()) {
      got.push_back(r.point);
      EXPECT_TRUE(r.point != 5 || r.comment == "B");  // line ends are not part of a field
    }
    EXPECT_EQ(got, points);
    EXPECT_EQ(context.messages.texts,
              message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
  }
}

}  // namespace
}  // namespace kestrel::testing
