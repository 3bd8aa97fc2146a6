// Creating the file of a new sheet.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdlib.h>

#include "job/new_sheet_file.h"
#include "platform/recording_ports.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

class NewSheetFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kestrel-job-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const char* name) const { return (folder_ / name).string(); }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path folder_;
  RecordingMessages messages_;
};

TEST_F(NewSheetFileTest, MissingOrEmptyFileGetsFiveBytes) {
  const std::string missing = PathOf("stad1.tst");
  const std::string empty = PathOf("trav1.tst");
  WriteFile(empty, "");

  for (const std::string& path : {missing, empty}) {
    EXPECT_TRUE(PrepareNewSheetFile(path, messages_));
    EXPECT_EQ(ReadFile(path), "empty");
  }
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(NewSheetFileTest, ExistingSheetIsLeftAlone) {
  const std::string path = PathOf("stad2.tst");
  const std::string rows("\x05\x00\x00\x00STN", 7);
  WriteFile(path, rows);
  EXPECT_TRUE(PrepareNewSheetFile(path, messages_));
  EXPECT_EQ(ReadFile(path), rows);
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(NewSheetFileTest, WindowsFormPathReachesTheNativeFile) {
  std::string windows = "c:" + PathOf("lvlbk1.tst");
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  EXPECT_TRUE(PrepareNewSheetFile(windows, messages_));
  EXPECT_EQ(ReadFile(PathOf("lvlbk1.tst")), "empty");
}

TEST_F(NewSheetFileTest, UncreatableFileShowsMessage) {
  WriteFile(PathOf("plain"), "x");
  // A folder that is missing, and one that is a plain file: neither can hold
  // the sheet, whoever runs the test.
  for (const std::string& path : {PathOf("missing/stad1.tst"), PathOf("plain/stad1.tst")}) {
    messages_.texts.clear();
    EXPECT_FALSE(PrepareNewSheetFile(path, messages_));
    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_EQ(messages_.texts[0], "failed to create file " + path);
  }
}

TEST_F(NewSheetFileTest, OpenExistingCreatesOnlyLevelSheets) {
  const std::string levelSheet = PathOf("lvlsh1.tst");
  EXPECT_TRUE(PrepareExistingSheetFile(SheetType::LevelSheet, levelSheet, messages_));
  EXPECT_EQ(ReadFile(levelSheet), "empty");

  const std::string stadia = PathOf("stad1.tst");
  EXPECT_FALSE(PrepareExistingSheetFile(SheetType::Stadia, stadia, messages_));
  EXPECT_FALSE(fs::exists(stadia));
  EXPECT_TRUE(messages_.texts.empty());
}

}  // namespace
}  // namespace kestrel
