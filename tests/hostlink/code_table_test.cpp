// The code replacement table: its file and the order pairs are applied in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "hostlink/code_table.h"
#include "sheets/command_codes.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

class CodeTableFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("codetable-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Path() const { return (folder_ / "codenines").string(); }
  void Write(const std::string& text) { std::ofstream(Path(), std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream in(Path(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path folder_;
};

TEST_F(CodeTableFile, ReadsPairsOfLines) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<CodeTableRow> rows;
  };
  const Case cases[] = {
      {"pairs", "TR\nTREE\nFN\nFENCE\n", {{"TR", "TREE"}, {"FN", "FENCE"}}},
      {"last replacement missing", "TR\nTREE\nFN\n", {{"TR", "TREE"}, {"FN", ""}}},
      {"no final newline", "TR\nTREE", {{"TR", "TREE"}}},
      {"empty replacement kept", "TR\n\nFN\nF\n", {{"TR", ""}, {"FN", "F"}}},
      {"empty file", "", {}},
  };
  for (const Case& c : cases) {
    Write(c.text);
    EXPECT_EQ(ReadCodeTable(Path()), c.rows) << c.name;
  }
  fs::remove(Path());
  EXPECT_TRUE(ReadCodeTable(Path()).empty());
}

TEST_F(CodeTableFile, KeepsAtMostTheTableRows) {
  std::string text;
  for (int i = 0; i < 250; ++i) text += "C" + std::to_string(i) + "\nR\n";
  Write(text);
  const auto rows = ReadCodeTable(Path());
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kCodeTableRows));
  EXPECT_EQ(rows.back().code, "C199");
}

TEST_F(CodeTableFile, WritesRowsWithACodeOnly) {
  ASSERT_TRUE(WriteCodeTable(Path(), {{"TR", "TREE"}, {"", "LOST"}, {"FN", ""}}));
  EXPECT_EQ(Read(), "TR\nTREE\nFN\n\n");
}

TEST(CodeTable, LongerCodesComeFirstThenRowOrder) {
  const std::vector<CodeTableRow> rows = {{"T", "1"},
                                          {"TR", "2"},
                                          {"X", "3"},
                                          {"TREE", "4"},
                                          {"", "5"},
                                          {std::string(16, 'L'), "6"},
                                          {std::string(15, 'M'), "7"},
                                          {"AB", "8"}};
  const std::vector<CodeTableRow> expected = {
      {std::string(15, 'M'), "7"}, {"TREE", "4"}, {"TR", "2"}, {"AB", "8"}, {"T", "1"}, {"X", "3"}};
  EXPECT_EQ(ReplacementOrder(rows), expected);
}

TEST(CodeTable, PathFollowsKestrelHome) {
  ::setenv("KESTREL_HOME", "/opt/kestrel-test", 1);
  EXPECT_EQ(CodeTablePath(), "/opt/kestrel-test/codenines");
  ::unsetenv("KESTREL_HOME");
  EXPECT_EQ(fs::path(CodeTablePath()).filename(), "codenines");
}

}  // namespace
}  // namespace kestrel
