// Saving replaces the whole file or nothing, keeps its permissions and its
// lock; and when the file system says no, every failure keeps the old file
// whole, leaves no temporary file and gives the system's reason.
#include "platform/file_access.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "scratch_disk.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using testing::FileSizeLimit;
using testing::Reason;
using testing::ScratchDir;
using testing::TmpfsMount;

TEST(FileAccessTest, SavingKeepsPermissionsAndNewFilesFollowTheUmask) {
  const ScratchDir dir;
  dir.Put("private.job", "x");
  fs::permissions(dir.File("private.job"), fs::perms(0600));
  const mode_t previous = ::umask(027);
  const bool saved = WriteFileAtomically(dir.File("private.job"), "y") &&
                     WriteFileAtomically(dir.File("new.job"), "z");
  ::umask(previous);
  ASSERT_TRUE(saved);
  EXPECT_EQ(fs::status(dir.File("private.job")).permissions(), fs::perms(0600));
  // 0644 without the group write and others' bits.
  EXPECT_EQ(fs::status(dir.File("new.job")).permissions(), fs::perms(0640));
}

TEST(FileAccessTest, SavingReplacesTheWholeFileOrNothing) {
  const ScratchDir dir;
  dir.Put("stad1.job", "old sheet, longer than the new one");
  ASSERT_TRUE(WriteFileAtomically(dir.File("stad1.job"), std::string("new\0sheet", 9)));
  EXPECT_EQ(dir.Get("stad1.job"), std::string("new\0sheet", 9));

  fs::create_directory(dir.File("folder.job"));
  AtomicFileWriter failed;
  EXPECT_FALSE(failed.Begin(dir.File("missing/stad1.job")));
  EXPECT_FALSE(failed.Commit());
  // A folder is never replaced.
  EXPECT_FALSE(WriteFileAtomically(dir.File("folder.job"), "x"));
  EXPECT_TRUE(fs::is_directory(dir.File("folder.job")));
  {
    AtomicFileWriter writer;  // dropped without a commit
    ASSERT_TRUE(writer.Begin(dir.File("stad1.job")));
    std::fputs("half written", writer.Get());
    // The temporary file has no name until it is complete.
    EXPECT_EQ(dir.Names().size(), 2u);
  }
  EXPECT_EQ(dir.Get("stad1.job"), std::string("new\0sheet", 9));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"folder.job", "stad1.job"}));
}

TEST(FileAccessTest, ALockedFileCannotBeOpenedOrSavedOver) {
  const ScratchDir dir;
  dir.Put("stad1.job", "sheet");
  ExclusiveFile holder;
  ASSERT_TRUE(holder.Open(dir.File("stad1.job"), ExclusiveFile::Mode::Read));

  for (auto mode : {ExclusiveFile::Mode::Read, ExclusiveFile::Mode::ReadWrite,
                    ExclusiveFile::Mode::CreateTruncate}) {
    ExclusiveFile second;
    EXPECT_FALSE(second.Open(dir.File("stad1.job"), mode));
    EXPECT_FALSE(second.IsOpen());
  }
  EXPECT_FALSE(WriteFileAtomically(dir.File("stad1.job"), "other"));
  EXPECT_EQ(dir.Get("stad1.job"), "sheet");  // not emptied by the refused truncation
  EXPECT_EQ(dir.Names(), std::set<std::string>{"stad1.job"});

  EXPECT_TRUE(holder.Close());
  ExclusiveFile second;
  EXPECT_TRUE(second.Open(dir.File("stad1.job"), ExclusiveFile::Mode::Read));
}

const std::string kOld = "the old sheet";
const std::string kNew = "the new sheet, longer than the old one";

TEST(FileFailuresTest, ReadOnlyFilesAndFoldersAreNotReplaced) {
  const struct { mode_t fileMode, folderMode; } cases[] = {{0444, 0755}, {0644, 0555}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fileMode);
    const ScratchDir dir;
    dir.Put("stad1.tst", kOld);
    ASSERT_EQ(::chmod(dir.File("stad1.tst").c_str(), c.fileMode), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), c.folderMode), 0);
    std::string reason;
    EXPECT_FALSE(WriteFileAtomically(dir.File("stad1.tst"), kNew, &reason));
    EXPECT_EQ(reason, Reason(EACCES));
    // A read-only file is not written in place either; a writable file in a
    // read-only folder may be.
    ExclusiveFile inPlace;
    EXPECT_EQ(inPlace.Open(dir.File("stad1.tst"), ExclusiveFile::Mode::ReadWrite),
              (c.fileMode & S_IWUSR) != 0);
    inPlace.Close();
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(dir.Names(), std::set<std::string>{"stad1.tst"});
    EXPECT_EQ(dir.Get("stad1.tst"), kOld);
  }
}

TEST(FileFailuresTest, SavingThroughASymbolicLinkWritesTheFileItNames) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // made in order: name, what it names
    std::string target;                                      // the file that changes
    bool targetExists;
  } cases[] = {
      {"relative link", {{"stad1.tst", "books/stad1.tst"}}, "books/stad1.tst", true},
      {"absolute link to a link",
       {{"middle.tst", "/real.tst"}, {"stad1.tst", "middle.tst"}},
       "real.tst",
       true},
      {"link to a file not yet made", {{"stad1.tst", "later.tst"}}, "later.tst", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ScratchDir dir;
    ::mkdir(dir.File("books").c_str(), 0755);
    if (c.targetExists) dir.Put(c.target, kOld);
    for (const auto& [link, named] : c.links) {
      const std::string to =
          named[0] == '/' ? dir.Path() + named : named;  // absolute in the folder
      ASSERT_EQ(::symlink(to.c_str(), dir.File(link).c_str()), 0);
    }
    const std::string path = dir.File("stad1.tst");
    ASSERT_TRUE(WriteFileAtomically(path, kNew));
    struct stat info {};
    ASSERT_EQ(::lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));  // still a link
    EXPECT_EQ(dir.Get(c.target), kNew);
    EXPECT_EQ(ReadWholeFile(path), kNew);
  }
}

// A full disk: a real small tmpfs when the tests may mount one, else the
// file-size limit, which fails writes the same way with its own reason.
TEST(FileFailuresTest, AFullDiskKeepsTheOldFile) {
  const TmpfsMount smallDisk(64);
  const ScratchDir plainDir;
  const ScratchDir& dir = smallDisk.Mounted() ? smallDisk.Folder() : plainDir;
  const int expected = smallDisk.Mounted() ? ENOSPC : EFBIG;
  const std::string huge(1 << 20, 'x');
  dir.Put("stad1.tst", kOld);

  std::optional<FileSizeLimit> limit;
  if (!smallDisk.Mounted()) limit.emplace(64 * 1024);
  std::string reason;
  EXPECT_FALSE(WriteFileAtomically(dir.File("stad1.tst"), huge, &reason));
  limit.reset();
  EXPECT_EQ(reason, Reason(expected));
  EXPECT_EQ(dir.Get("stad1.tst"), kOld);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"stad1.tst"});
}

// Temporary files that a killed save left are removed by the next save of
// the same file; one a running save holds (locked) is left alone.
TEST(FileFailuresTest, TheNextSaveRemovesTemporaryFilesOfKilledSaves) {
  const ScratchDir dir;
  dir.Put("stad1.tst", kOld);
  dir.Put(".stad1.tst.k1Lled", "half a sheet");
  dir.Put(".stad1.tst.RunNin", "a save in progress");
  dir.Put(".stad2.tst.Other1", "another sheet's");
  dir.Put(".stad1.tst.toolong", "not one of ours");
  ExclusiveFile running;
  ASSERT_TRUE(running.Open(dir.File(".stad1.tst.RunNin"), ExclusiveFile::Mode::Read));
  ASSERT_TRUE(WriteFileAtomically(dir.File("stad1.tst"), kNew));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"stad1.tst", ".stad1.tst.RunNin",
                                                ".stad2.tst.Other1", ".stad1.tst.toolong"}));
}

TEST(FileFailuresTest, EveryOpenFailureSaysWhy) {
  const ScratchDir dir;
  dir.Put("held.tst", kOld);
  ExclusiveFile holder;
  ASSERT_TRUE(holder.Open(dir.File("held.tst"), ExclusiveFile::Mode::Read));
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
      {dir.File("absent.tst"), Reason(ENOENT)},
      {dir.Path(), Reason(EISDIR)},
      {dir.File("held.tst"), "the file is in use by another program"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    ExclusiveFile file;
    EXPECT_FALSE(file.Open(c.path, ExclusiveFile::Mode::Read));
    EXPECT_EQ(file.Reason(), c.reason);
    std::string reason;
    EXPECT_EQ(ReadWholeFile(c.path, &reason), std::nullopt);
    EXPECT_EQ(reason, c.reason);
  }
}

}  // namespace
}  // namespace kestrel
