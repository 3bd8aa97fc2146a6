#include "platform/file_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "platform/scratch_folder.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

class FileAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scratch_.Ok()); }
  std::string PathOf(const std::string& name) const { return scratch_.File(name); }

  testing::ScratchFolder scratch_;
};

TEST_F(FileAccessTest, SavingKeepsPermissionsAndNewFilesFollowTheUmask) {
  scratch_.Put("private.job", "x");
  fs::permissions(PathOf("private.job"), fs::perms(0600));
  const mode_t previous = ::umask(027);
  const bool saved = WriteFileAtomically(PathOf("private.job"), "y") &&
                     WriteFileAtomically(PathOf("new.job"), "z");
  ::umask(previous);
  ASSERT_TRUE(saved);
  EXPECT_EQ(fs::status(PathOf("private.job")).permissions(), fs::perms(0600));
  // 0644 without the group write and others' bits.
  EXPECT_EQ(fs::status(PathOf("new.job")).permissions(), fs::perms(0640));
}

TEST_F(FileAccessTest, SavingReplacesTheWholeFileOrNothing) {
  scratch_.Put("stad1.job", "old sheet, longer than the new one");
  ASSERT_TRUE(WriteFileAtomically(PathOf("stad1.job"), std::string("new\0sheet", 9)));
  EXPECT_EQ(scratch_.Get("stad1.job"), std::string("new\0sheet", 9));
  ASSERT_TRUE(WriteFileAtomically(PathOf("trav2.job"), ""));
  EXPECT_EQ(FileSize(PathOf("trav2.job")), 0u);

  fs::create_directory(PathOf("folder.job"));
  AtomicFileWriter failed;
  EXPECT_FALSE(failed.Begin(PathOf("missing/stad1.job")));
  EXPECT_FALSE(failed.Commit());
  EXPECT_FALSE(WriteFileAtomically(PathOf("folder.job"), "x"));  // a folder is never replaced
  EXPECT_TRUE(fs::is_directory(PathOf("folder.job")));
  {
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Begin(PathOf("stad1.job")));
    std::fputs("half written", writer.Get());
    EXPECT_EQ(scratch_.Names().size(), 3u);  // the temporary file has no name until it is complete
    writer.Abandon();
    EXPECT_FALSE(writer.Commit());
  }
  {
    AtomicFileWriter writer;  // dropped without a commit
    ASSERT_TRUE(writer.Begin(PathOf("stad1.job")));
    std::fputs("half written", writer.Get());
  }
  EXPECT_EQ(scratch_.Get("stad1.job"), std::string("new\0sheet", 9));
  EXPECT_EQ(scratch_.Names(), (std::set<std::string>{"folder.job", "stad1.job", "trav2.job"}));
}

TEST_F(FileAccessTest, ALockedFileCannotBeOpenedOrSavedOver) {
  scratch_.Put("stad1.job", "sheet");
  ExclusiveFile holder;
  ASSERT_TRUE(holder.Open(PathOf("stad1.job"), ExclusiveFile::Mode::Read));

  for (auto mode : {ExclusiveFile::Mode::Read, ExclusiveFile::Mode::ReadWrite,
                    ExclusiveFile::Mode::CreateTruncate}) {
    ExclusiveFile second;
    EXPECT_FALSE(second.Open(PathOf("stad1.job"), mode));
    EXPECT_FALSE(second.IsOpen());
  }
  EXPECT_FALSE(WriteFileAtomically(PathOf("stad1.job"), "other"));
  EXPECT_EQ(scratch_.Get("stad1.job"), "sheet");  // not emptied by the refused truncation
  EXPECT_EQ(scratch_.Names(), std::set<std::string>{"stad1.job"});

  EXPECT_TRUE(holder.Close());
  ExclusiveFile second;
  EXPECT_TRUE(second.Open(PathOf("stad1.job"), ExclusiveFile::Mode::Read));
}

TEST_F(FileAccessTest, OpenModes) {
  ExclusiveFile file;
  scratch_.Put("sheet.job", "0123456789");
  ASSERT_TRUE(file.Open(PathOf("sheet.job"), ExclusiveFile::Mode::ReadWrite));
  std::fputs("ab", file.Get());
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(scratch_.Get("sheet.job"), "ab23456789");
  ASSERT_TRUE(file.Open(PathOf("sheet.job"), ExclusiveFile::Mode::CreateTruncate));
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(scratch_.Get("sheet.job"), "");
  ASSERT_TRUE(file.Open(PathOf("created.job"), ExclusiveFile::Mode::ReadWrite));
  EXPECT_TRUE(file.Close());
  EXPECT_TRUE(FileExists(PathOf("created.job")));

  for (const std::string& notAFile : {PathOf("absent.job"), PathOf("")}) {
    EXPECT_FALSE(FileExists(notAFile));
    EXPECT_EQ(FileSize(notAFile), std::nullopt);
  }
}

}  // namespace
}  // namespace kestrel
