#include "adjust/geoid_data.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "platform/file_access.h"
#include "platform/le_bytes.h"
#include "platform/scratch_disk.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

std::string Le(double value) { return testing::LeBytes().F64(value).s; }
std::string Le32(std::uint32_t value) { return testing::LeBytes().Le(value, 4).s; }

const std::string kMgaFile = Le32(1) + Le(6378137.0) + Le(298.2572221) + Le(6.0) + Le(0.9996) +
                             Le(500000.0) + Le(10000000.0) + "\x03MGA";

class GeoidDataTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(home_ / "Variable"); }

  void Put(const std::string& bytes) const { scratch_.Write("Variable/GeoidData", bytes); }
  std::string Get() const { return scratch_.Get("Variable/GeoidData"); }
  ino_t Inode() const {
    struct stat info {};
    return ::stat(path_.c_str(), &info) == 0 ? info.st_ino : 0;
  }

  testing::ScratchFolder scratch_;
  const fs::path home_ = scratch_.Path();
  const std::string path_ = GeoidDataPathIn(scratch_.Path());
};

TEST_F(GeoidDataTest, MissingFileGivesMgaAndIsCreatedOnceWithTheDefaults) {
  CGeoidData data(path_);
  EXPECT_EQ(data.State(), GeoidFileState::Missing);
  EXPECT_EQ(data.values, GeoidParameters{});
  EXPECT_EQ(data.ReadMessage(), "");
  data.CreateIfMissing();
  EXPECT_EQ(Get(), kMgaFile);

  // A holder that changes nothing leaves the file alone (no new inode from
  // a rename).
  const ino_t inode = Inode();
  CGeoidData again(path_);
  EXPECT_EQ(again.State(), GeoidFileState::Read);
  EXPECT_FALSE(again.Changed());
  EXPECT_EQ(again.Store(), "");
  again.CreateIfMissing();
  EXPECT_EQ(Inode(), inode);

  // Without a "Variable" folder nothing is created and nothing is said.
  fs::remove_all(home_ / "Variable");
  CGeoidData noFolder(path_);
  noFolder.CreateIfMissing();
  EXPECT_FALSE(fs::exists(home_ / "Variable"));
}

TEST_F(GeoidDataTest, StoredValuesReadBack) {
  GeoidParameters custom{6378388.0, 297.0, 3.0, 1.0, 0.0, -2.5, "CUSTOM"};
  GeoidParameters longName = custom;
  longName.name.assign(300, 'x');  // the 16-bit length form
  for (const GeoidParameters& values : {custom, longName}) {
    SCOPED_TRACE(values.name.substr(0, 10));
    CGeoidData data(path_);
    data.values = values;
    ASSERT_EQ(data.Store(), "");
    CGeoidData read(path_);
    EXPECT_EQ(read.State(), GeoidFileState::Read);
    EXPECT_EQ(read.values, values);
  }
  EXPECT_EQ(Get().substr(52, 3), std::string("\xff\x2c\x01", 3));
}

TEST_F(GeoidDataTest, DamagedFilesGiveMgaWithAMessageAndAreKept) {
  const std::string body = kMgaFile.substr(4);
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"short version word", "\x01\x00", "is damaged"},
      {"version 2", Le32(2) + body, "has version 2, which this program does not read"},
      {"cut in the doubles", kMgaFile.substr(0, 30), "is damaged"},
      {"cut in the name", kMgaFile.substr(0, kMgaFile.size() - 1), "is damaged"},
      {"not a number", Le32(1) + Le(std::nan("")) + body.substr(8), "is damaged"},
      {"zero inverse flattening", Le32(1) + Le(6378137.0) + Le(0.0) + body.substr(16),
       "is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put(c.bytes);
    CGeoidData data(path_);
    EXPECT_EQ(data.State(), GeoidFileState::Damaged);
    EXPECT_EQ(data.values, GeoidParameters{});
    EXPECT_NE(data.ReadMessage().find(c.message), std::string::npos) << data.ReadMessage();
    EXPECT_NE(data.ReadMessage().find(path_), std::string::npos);
    data.CreateIfMissing();
    EXPECT_EQ(Get(), c.bytes);
  }
  // Saving on purpose replaces the damaged file.
  CGeoidData data(path_);
  EXPECT_EQ(data.Store(), "");
  EXPECT_EQ(Get(), kMgaFile);
}

TEST_F(GeoidDataTest, FileHeldByAnotherProgramIsReportedAndNotRead) {
  Put(kMgaFile);
  ExclusiveFile other;
  ASSERT_TRUE(other.Open(path_, ExclusiveFile::Mode::Read));
  CGeoidData data(path_);
  EXPECT_EQ(data.State(), GeoidFileState::Unreadable);
  EXPECT_NE(data.ReadMessage().find("cannot be read"), std::string::npos);
  EXPECT_EQ(data.values, GeoidParameters{});
}

TEST_F(GeoidDataTest, SavingFailuresAreReportedAndWriteNothing) {
  struct Case {
    const char* what;
    GeoidParameters values;
    const char* message;
  };
  GeoidParameters noAxis;
  noAxis.a = 0.0;
  GeoidParameters infinite;
  infinite.FN = std::numeric_limits<double>::infinity();
  const Case cases[] = {{"no axis", noAxis, "semi-major axis"},
                        {"infinite northing", infinite, "finite"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CGeoidData data(path_);
    data.values = c.values;
    EXPECT_NE(data.Store().find(c.message), std::string::npos);
    EXPECT_FALSE(fs::exists(path_));
  }

  CGeoidData data(path_);
  data.values.k0 = 0.9999;
  fs::remove_all(home_ / "Variable");
  EXPECT_NE(data.Store().find("does not exist"), std::string::npos);
  EXPECT_FALSE(fs::exists(path_));
}

}  // namespace
}  // namespace kestrel
