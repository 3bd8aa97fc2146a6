// Creating the file of a new sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "job/new_sheet_file.h"
#include "platform/recording_ports.h"
#include "platform/scratch_folder.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

struct NewSheetFileTest : ::testing::Test {
  std::string PathOf(const char* name) const { return folder_.File(name); }
  std::string ReadFile(const std::string& path) const { return testing::ScratchFolder::Read(path); }
  testing::ScratchFolder folder_;
  RecordingMessages messages_;
};

// A missing or empty file gets exactly the five bytes "empty"; a sheet with
// rows is left alone; a path in Windows form reaches the native file.
TEST_F(NewSheetFileTest, NewLeavesExactlyEmptyUnlessTheSheetHasRows) {
  const std::string rows("\x05\x00\x00\x00STN", 7);
  folder_.Write("trav1.tst", "");
  folder_.Write("stad2.tst", rows);
  std::string windows = "c:" + PathOf("lvlbk1.tst");
  std::replace(windows.begin(), windows.end(), '/', '\\');
  const struct {
    std::string given, native, bytes;
  } cases[] = {
      {PathOf("stad1.tst"), PathOf("stad1.tst"), "empty"},
      {PathOf("trav1.tst"), PathOf("trav1.tst"), "empty"},
      {PathOf("stad2.tst"), PathOf("stad2.tst"), rows},
      {windows, PathOf("lvlbk1.tst"), "empty"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(PrepareNewSheetFile(c.given, messages_));
    EXPECT_EQ(ReadFile(c.native), c.bytes) << c.given;
  }
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(NewSheetFileTest, OnlyALevelSheetIsCreatedWhenOpened) {
  EXPECT_TRUE(PrepareExistingSheetFile(SheetType::LevelSheet, PathOf("lvlsh1.tst"), messages_));
  EXPECT_EQ(ReadFile(PathOf("lvlsh1.tst")), "empty");
  EXPECT_FALSE(PrepareExistingSheetFile(SheetType::Stadia, PathOf("stad1.tst"), messages_));
  EXPECT_FALSE(fs::exists(PathOf("stad1.tst")));
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(NewSheetFileTest, UncreatableFileShowsMessage) {
  folder_.Write("plain", "x");
  // A folder that is missing, and one that is a plain file: neither can hold
  // the sheet, whoever runs the test.
  const std::string missing = PathOf("missing/stad1.tst"), plain = PathOf("plain/stad1.tst");
  EXPECT_FALSE(PrepareNewSheetFile(missing, messages_));
  EXPECT_FALSE(PrepareNewSheetFile(plain, messages_));
  EXPECT_EQ(messages_.texts, (std::vector<std::string>{"failed to create file " + missing,
                                                       "failed to create file " + plain}));
}

}  // namespace
}  // namespace kestrel
