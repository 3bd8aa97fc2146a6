// A field book is never lost: a load that could not read the whole file
// changes nothing and keeps the sheet from saving over the file, a save
// killed at any moment leaves the old file or the new one, and every failure
// gives the system's reason.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_access.h"
#include "platform/scratch_disk.h"
#include "sheets/stadia/stadia_landxml.h"
#include "stadia_test.h"

namespace kestrel::testing {
namespace {

const std::vector<StadiaRow> kBook = {
    Stn(1, 1000.0, 2000.0, 50.0),
    AtBs(1, 2, 0.0, 1.55),
    Shot(kStadiaSdHt, 100, 45.3015, 90.152, 25.123, 1.6, "TREE"),
    Shot(kStadiaHzDh, 101, 120.0, -0.35, 14.2, 1.5, "FL"),
};

// Rows enough to make a file of a few megabytes, marked by their code.
std::vector<StadiaRow> ManyRows(std::size_t count, const std::string& code) {
  std::vector<StadiaRow> rows(count, Shot(kStadiaSdHt, 7, 12.3456, 91.0203, 123.456, 1.5, code));
  for (std::size_t i = 0; i < count; ++i) rows[i].point = static_cast<std::uint32_t>(i);
  return rows;
}

// A disk that serves the first `good` bytes of `bytes` and then fails.
struct FaultyDisk {
  std::string bytes;
  std::size_t good;
  std::size_t served = 0;
};

ssize_t ReadFaulty(void* cookie, char* buffer, std::size_t size) {
  auto* disk = static_cast<FaultyDisk*>(cookie);
  if (disk->served >= disk->good) {
    errno = EIO;
    return -1;
  }
  const std::size_t n = std::min(size, disk->good - disk->served);
  std::memcpy(buffer, disk->bytes.data() + disk->served, n);
  disk->served += n;
  return static_cast<ssize_t>(n);
}

using StadiaFileSafetyTest = StadiaTest;

TEST_F(StadiaFileSafetyTest, ALoadThatCouldNotReadTheWholeFileChangesNothing) {
  const std::string path = folder.File("stad1.tst");
  sheet.Rows() = ManyRows(5000, "BOOKED");  // about 370 KB: several reads
  ASSERT_EQ(sheet.SaveToFile(path), 1);
  const std::string onDisk = ScratchFolder::Read(path);
  ASSERT_GT(onDisk.size(), 300000u);

  for (std::size_t good : {std::size_t{0}, std::size_t{100}, onDisk.size() / 2}) {
    SCOPED_TRACE(good);
    Stadia loading(context.ctx);
    loading.Rows() = kBook;
    context.messages.texts.clear();
    FaultyDisk disk{onDisk, good};
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        ::fopencookie(&disk, "rb", {ReadFaulty, nullptr, nullptr, nullptr}), std::fclose);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(loading.LoadFromOpenFile(file.get(), path), 0);
    EXPECT_EQ(context.messages.texts,
              std::vector<std::string>{"Could not read all of " + path + ": " + Reason(EIO)});
    ASSERT_EQ(loading.Rows().size(), kBook.size());
    for (std::size_t i = 0; i < kBook.size(); ++i) {
      EXPECT_EQ(Fields(loading.Rows()[i]), Fields(kBook[i]));
    }

    // Saving over the file would drop the rows that were not read; through
    // a link to it as well.
    ::symlink(path.c_str(), folder.File("link.tst").c_str());
    for (const std::string& target : {path, folder.File("link.tst")}) {
      context.messages.texts.clear();
      EXPECT_EQ(loading.SaveToFile(target), 0);
      EXPECT_EQ(
          context.messages.texts,
          std::vector<std::string>{target + " could not be read whole, so the Stadia sheet is not "
                                            "saved over it: save it under another name"});
    }
    ::unlink(folder.File("link.tst").c_str());
    EXPECT_EQ(ScratchFolder::Read(path), onDisk);
    // Under another name it saves, and from then on it is that file's sheet.
    EXPECT_EQ(loading.SaveToFile(folder.File("stad2.tst")), 1);
    EXPECT_EQ(loading.SaveToFile(path), 1);
    ASSERT_TRUE(WriteFileAtomically(path, onDisk));
  }
}

// The failures a sheet's own files meet, each with the system's reason.
TEST_F(StadiaFileSafetyTest, SavingAndExportingSayWhyTheyFailed) {
  sheet.Rows() = kBook;
  const std::string readOnly = folder.Write("stad1.tst", "old");
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  EXPECT_EQ(sheet.SaveToFile(readOnly), 0);
  context.dialogs.saveFileName = readOnly;
  EXPECT_EQ(ExportLandXml(sheet), 0);
  EXPECT_EQ(context.messages.texts,
            (std::vector<std::string>{
                "Could not save the Stadia sheet to " + readOnly + ": " + Reason(EACCES),
                "error opening file " + readOnly + ": " + Reason(EACCES)}));
  EXPECT_EQ(ScratchFolder::Read(readOnly), "old");

  // LandXML on a full disk is a write error, not an open error.
  const TmpfsMount smallDisk(64);
  std::optional<FileSizeLimit> limit;
  std::string xml = folder.File("survey.xml");
  int expected = EFBIG;
  if (smallDisk.Mounted()) {
    xml = smallDisk.Folder().File("survey.xml");
    expected = ENOSPC;
    smallDisk.Folder().Put("filler", std::string(64 * 1024, 'f'));
  } else {
    limit.emplace(16);
  }
  context.messages.texts.clear();
  context.dialogs.saveFileName = xml;
  EXPECT_EQ(ExportLandXml(sheet), 0);
  limit.reset();
  EXPECT_EQ(context.messages.texts,
            std::vector<std::string>{"error writing file " + xml + ": " + Reason(expected)});
  EXPECT_FALSE(FileExists(xml));
}

// A save killed (SIGKILL) at 100 random moments: the file is always the old
// bytes or the new ones, and the next save leaves no temporary file.
TEST_F(StadiaFileSafetyTest, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
  // In memory where the tests may mount, so that the disk's sync time does
  // not make the test slow; renaming works the same there.
  const TmpfsMount memory(16 * 1024);
  const std::string where = memory.Mounted() ? memory.Folder().Path() : folder.File("");
  const std::string path = where + "/stad1.tst";
  const std::vector<StadiaRow> versions[2] = {ManyRows(20000, "ONE"), ManyRows(20000, "TWO")};
  std::string bytes[2];
  auto saveTime = std::chrono::steady_clock::duration::max();
  for (int v : {1, 0, 1, 0}) {
    sheet.Rows() = versions[v];
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(sheet.SaveToFile(path), 1);
    saveTime = std::min(saveTime, std::chrono::steady_clock::now() - started);
    bytes[v] = ScratchFolder::Read(path);
  }
  ASSERT_NE(bytes[0], bytes[1]);

  std::mt19937 random(12345);
  std::uniform_int_distribution<long> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 5 / 4).count());
  int before = 0;  // which version the file holds
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int next = 1 - before;
    sheet.Rows() = versions[next];
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Tells the parent the save starts now, so the moments fall inside it.
      const char go = 'g';
      if (::write(ready[1], &go, 1) != 1) ::_exit(2);
      ::_exit(sheet.SaveToFile(path) == 1 ? 0 : 1);
    }
    char go = 0;
    ASSERT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string now = ScratchFolder::Read(path);
    ASSERT_TRUE(now == bytes[before] || now == bytes[next]) << "attempt " << attempt;
    if (now == bytes[next]) before = next;
  }
  sheet.Rows() = kBook;
  ASSERT_EQ(sheet.SaveToFile(path), 1);
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(where)) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::set<std::string>{"stad1.tst"});
}

}  // namespace
}  // namespace kestrel::testing
