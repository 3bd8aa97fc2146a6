// The code replacement table: its file and the order pairs are applied in.
#include <gtest/gtest.h>

#include "hostlink/code_table.h"
#include "platform/scratch_folder.h"
#include "sheets/command_codes.h"

namespace kestrel {
namespace {

TEST(CodeTableFile, ReadsPairsOfLinesAndWritesRowsWithACode) {
  testing::ScratchFolder folder;
  ASSERT_TRUE(folder.Ok());
  const std::string path = folder.File("codenines");
  EXPECT_TRUE(ReadCodeTable(path).empty());  // no file yet
  struct Case {
    const char* name;
    std::string text;
    std::vector<CodeTableRow> rows;
  };
  const Case cases[] = {
      {"pairs", "TR\nTREE\nFN\nFENCE\n", {{"TR", "TREE"}, {"FN", "FENCE"}}},
      {"last replacement missing", "TR\nTREE\nFN\n", {{"TR", "TREE"}, {"FN", ""}}},
      {"empty replacement kept", "TR\n\nFN\nF\n", {{"TR", ""}, {"FN", "F"}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadCodeTable(folder.Write("codenines", c.text)), c.rows) << c.name;

  std::string many;  // more pairs than the table has rows
  for (int i = 0; i < 250; ++i) many += "C" + std::to_string(i) + "\nR\n";
  const auto rows = ReadCodeTable(folder.Write("codenines", many));
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kCodeTableRows));
  EXPECT_EQ(rows.back().code, "C199");

  ASSERT_TRUE(WriteCodeTable(path, {{"TR", "TREE"}, {"", "LOST"}, {"FN", ""}}));
  EXPECT_EQ(testing::ScratchFolder::Read(path), "TR\nTREE\nFN\n\n");
}

TEST(CodeTable, LongerCodesComeFirstThenRowOrder) {
  // An empty code and one longer than 15 characters are never applied.
  const std::vector<CodeTableRow> rows = {{"T", "1"},
                                          {"TR", "2"},
                                          {"X", "3"},
                                          {"", "5"},
                                          {std::string(16, 'L'), "6"},
                                          {std::string(15, 'M'), "7"},
                                          {"AB", "8"}};
  const std::vector<CodeTableRow> expected = {
      {std::string(15, 'M'), "7"}, {"TR", "2"}, {"AB", "8"}, {"T", "1"}, {"X", "3"}};
  EXPECT_EQ(ReplacementOrder(rows), expected);
}

}  // namespace
}  // namespace kestrel
