// The traverse sheet file and the Traverse clipboard text (the archive tests
// check counted texts of every length).
#include <gtest/gtest.h>

#include "sheets/command_codes.h"
#include "sheets/traverse/traverse_file.h"
#include "traverse_test_sheet.h"

namespace kestrel::testing {
namespace {

// The bytes of one record laid out by hand: type, at, to, four doubles, two
// floats, two doubles, a float, then three counted texts.
std::string Record(std::uint8_t type, std::uint32_t at, std::uint32_t to, const std::string& code,
                   const std::string& note) {
  std::string bytes(1, static_cast<char>(type));
  auto put = [&](const void* data, std::size_t size) {
    bytes.append(static_cast<const char*>(data), size);  // the test machine is little-endian
  };
  put(&at, 4);
  put(&to, 4);
  const double doubles[4] = {90.3, 91.0, 89.5, 123.456};
  put(doubles, sizeof doubles);
  const float heights[2] = {1.5f, 1.6f};
  put(heights, sizeof heights);
  const double coordinates[2] = {1000.0, 2000.0};
  put(coordinates, sizeof coordinates);
  const float height = 50.25f;
  put(&height, 4);
  for (const std::string* text : {&code, static_cast<const std::string*>(nullptr), &note}) {
    const std::string value = text ? *text : std::string();
    bytes += static_cast<char>(value.size());
    bytes += value;
  }
  return bytes;
}

TEST(TraverseFile, RecordsAreReadAndWrittenByteForByte) {
  const std::string file = Record(kTravStn, 1, kNoPoint, "PEG", "") +
                           Record(kTravFnote, kNoPoint, kNoPoint, "", "tr 1,2,1") +
                           Record(kTravTraverse, 1, 2, "", "") + Record(kTravRobj, 2, 9, "RO", "");
  ScratchFolder folder;
  ASSERT_TRUE(folder.Ok());
  TraverseTestSheet t;
  ASSERT_EQ(t.sheet.LoadFromFile(folder.Write("trav1.tst", file)), 1);
  ASSERT_EQ(t.sheet.RowCount(), 4);
  EXPECT_EQ(t.Row(1).note, "tr 1,2,1");
  EXPECT_EQ(std::tie(t.Row(2).to, t.Row(2).slope_dist, t.Row(2).height),
            std::make_tuple(2u, 123.456, 50.25f));
  EXPECT_TRUE(IsEmptyValue(t.Row(2).adj_east));
  ASSERT_EQ(t.sheet.SaveToFile(folder.File("trav2.tst")), 1);
  EXPECT_EQ(ScratchFolder::Read(folder.File("trav2.tst")), file);
  EXPECT_EQ(t.progress.events.at(0), "text:Reading Traverse from Disk");
}

TEST(TraverseFile, DamagedFilesKeepTheRowsReadSoFar) {
  const std::string good =
      Record(kTravStn, 1, kNoPoint, "A", "") + Record(kTravTraverse, 1, 2, "", "");
  const std::string third = Record(kTravTraverse, 2, 3, "", "");
  struct Case {
    const char* name;
    std::string bytes;
    int rows;
  } cases[] = {
      {"empty file", "", 0},
      {"cut inside the fixed part", good + third.substr(0, 30), 2},
      {"cut inside a text", good + third.substr(0, third.size() - 2) + "\x05", 3},
      {"text longer than the file", good + third.substr(0, 69) + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 3},
      {"blank STN row dropped", good + Record(kTravStn, kNoPoint, kNoPoint, "", ""), 2},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    TraverseTestSheet t;
    ASSERT_EQ(t.sheet.LoadFromFile(folder.Write("trav9.tst", c.bytes)), 1) << c.name;
    EXPECT_EQ(t.sheet.RowCount(), c.rows) << c.name;
    if (c.rows > 0) {
      EXPECT_EQ(t.Row(0).code, "A") << c.name;
    }
  }
}

TEST(TraverseClipboard, CopiedRowsPasteBackTheSame) {
  TraverseTestSheet t({"0,1,1000.5,2000.25,50.125,PEG", "1,1,9,12.3456,0,0,0", "2,tr 1,2,3,1",
                       "3,1,2,45.3015,91.1000,123.456,1.5,1.625,IP,0,0,0", "4,0,0,0,0,0,0,0,,0,0,0",
                       "8,2,9,10,90,50,0,0,RO,0,0,0"});
  t.sheet.Command(kCmdCopy, SelectedRows{{5, 3, 0, 0, 1, 2, 4, 40}});
  std::string text;
  ASSERT_TRUE(t.clipboard.GetText(text));
  EXPECT_EQ(text, ExpectedText(KESTREL_TEST_DATA_DIR "/traverse_clipboard_rows.txt"));

  TraverseTestSheet copy;
  copy.clipboard.SetText(text);
  copy.sheet.Command(kCmdPaste, std::int64_t{0});
  ASSERT_EQ(copy.sheet.RowCount(), 5);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(copy.sheet.RowState(i), t.sheet.RowState(i)) << i;
  }
  EXPECT_EQ(copy.Row(4).type, kTravRobj);
  EXPECT_TRUE(IsEmptyValue(copy.Row(4).bearing));  // a Robj row carries its angle field
}

TEST(TraverseClipboard, PasteRefusesOtherTexts) {
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {"Traverse\n", "Nothing to Paste"},
      {"Stadia\n0,1,2,3,4,,\n", "Non matching data - can only paste Traverse type data"},
  };
  for (const Case& c : cases) {
    TraverseTestSheet t({"2,keep"});
    t.clipboard.SetText(c.text);
    t.sheet.Command(kCmdPaste, std::int64_t{0});
    EXPECT_EQ(t.sheet.RowCount(), 1) << c.text;
    ASSERT_EQ(t.messages.texts.size(), 1u) << c.text;
    EXPECT_EQ(t.messages.texts[0], c.message);
  }
  // Rows go before the paste row, in their order; a code with a comma
  // survives; a note's line converted twice (CR CR LF) keeps no CR.
  TraverseTestSheet t({"2,last"});
  t.clipboard.SetText("Traverse\r\n2,first\r\r\nx,junk\r\n3,1,2,1,90,1,0,0,A,B,1,2,3\r\n");
  t.sheet.Command(kCmdPaste, std::int64_t{0});
  ASSERT_EQ(t.sheet.RowCount(), 3);
  EXPECT_EQ(t.Row(0).note, "first");
  EXPECT_EQ(t.Row(1).code, "A,B");
  EXPECT_FLOAT_EQ(t.Row(1).height, 3.0f);
  EXPECT_EQ(t.Row(2).note, "last");
}

}  // namespace
}  // namespace kestrel::testing
