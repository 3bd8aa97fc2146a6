// kestrel-cli's host verbs run as a surveyor runs them, against a real
// gyre-host: what each prints, its exit status and what the database holds.
#include <bit>
#include <filesystem>
#include <map>

#include "../cli/cli_runner.h"
#include "gyre_fixture.h"

namespace kestrel {
namespace {

using cli_test::ReadBytes;
using cli_test::RunCli;
using cli_test::WriteBytes;

constexpr double kEmpty = 999999986991104.0;

void PutLittle(std::string& bytes, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A stadia sheet file, field by field: the header record, then per row its
// type, point, eight doubles (hz, obs2, spare, dist, targetHt, east, north,
// height) and the code, comment and note.
struct SheetRow {
  int type;
  std::uint32_t point;
  std::vector<double> doubles;
  std::string code;
};
std::string SheetBytes(const std::vector<SheetRow>& rows) {
  std::string bytes = '\x02' + std::string(42, '\0') + std::string("\0\0Version 2\0", 12);
  for (SheetRow row : rows) {
    bytes += static_cast<char>(row.type);
    PutLittle(bytes, row.point, 4);
    row.doubles.resize(8, kEmpty);
    for (double d : row.doubles) PutLittle(bytes, std::bit_cast<std::uint64_t>(d), 8);
    bytes += row.code + '\0' + '\0' + '\0';
  }
  return bytes;
}

SheetRow Station(std::uint32_t point, double east, const char* code = "") {
  return {0, point, {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, east, 500.0, 10.0}, code};
}

// A set-up on `instrument` with its backsight number in obs2's low 32 bits.
SheetRow SetupRow(std::uint32_t instrument, std::uint32_t backsight) {
  return {1, instrument, {0.0, std::bit_cast<double>(std::uint64_t{backsight})}, ""};
}

class CliHostVerbs : public GyreHostTest {
 protected:
  std::string Sheet(const std::vector<SheetRow>& rows) {
    const std::string path = (folder_ / "stad1.job").string();
    WriteBytes(path, SheetBytes(rows));
    return path;
  }
  std::map<std::int64_t, double> Database() {
    std::map<std::int64_t, double> east;
    for (const StoredPoint& p : DatabasePoints()) east[p.number] = p.east;
    return east;
  }
};

TEST_F(CliHostVerbs, UploadAndItsReconciliation) {
  struct Case {
    const char* name;
    std::vector<std::string> options;
    int status;
    std::string printed;                     // a part of what it prints
    std::map<std::int64_t, double> changed;  // easting by number after the upload
  };
  const Case cases[] = {
      {"stops and lists", {}, 1, "Existing points in database:\n  1\n  2\n  3\n", {}},
      {"shift-all",
       {"--reconcile", "shift-all"},
       0,
       "  * 1 in as 51\n",
       {{51, 7}, {52, 8}, {53, 9}}},
      // 2 and 3 only; the offset follows from 2: 50 + 1 - 2
      {"range",
       {"--reconcile", "shift-all", "--range", "2-3"},
       0,
       "sent 3 points, 2 stored",
       {{51, 8}, {52, 9}}},
      {"replace", {"--reconcile", "replace"}, 0, "", {{1, 7}, {2, 8}, {3, 9}}},
  };
  for (const Case& c : cases) {
    Seed(SeedRange(1, 50));
    StartHost();
    const std::string sheet = Sheet({Station(1, 7), Station(2, 8), Station(3, 9)});
    std::vector<std::string> args = {"upload", sheet};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, c.status) << c.name << "\n" << result.err;
    EXPECT_NE(result.out.find(c.printed), std::string::npos) << c.name << "\n" << result.out;
    std::map<std::int64_t, double> expected;
    for (const StoredPoint& p : SeedRange(1, 50)) expected[p.number] = p.east;
    for (const auto& [number, east] : c.changed) expected[number] = east;
    EXPECT_EQ(Database(), expected) << c.name;
    StopHost(SIGTERM);
    std::filesystem::remove(dbPath_);
  }
  EXPECT_EQ(RunCli({"upload", Sheet({Station(1, 7)}), "--range", "5"}).status, 2);
}

TEST_F(CliHostVerbs, NoHostAndUploadIntoAnEmptyDatabase) {
  const std::string sheet = Sheet({Station(1, 7), Station(2, 8)});
  for (const char* verb : {"upload", "send-strings"}) {
    const auto result = RunCli({verb, sheet});
    EXPECT_EQ(result.status, 1) << verb;
    EXPECT_NE(result.err.find("GYRE needs to be running"), std::string::npos) << result.err;
  }
  StartHost();
  const auto result = RunCli({"upload", sheet});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("sent 2 points, 2 stored, 0 not to be stored"), std::string::npos);
  EXPECT_EQ(Database(), (std::map<std::int64_t, double>{{1, 7}, {2, 8}}));
}

TEST_F(CliHostVerbs, DuplicatesGetDatabaseAndCodeTable) {
  StartHost();
  const auto duplicates = RunCli({"duplicates", Sheet({Station(5, 1), Station(5, 2)})});
  EXPECT_EQ(duplicates.status, 0) << duplicates.err;
  EXPECT_NE(duplicates.out.find("1 duplicate points"), std::string::npos) << duplicates.out;
  EXPECT_TRUE(std::filesystem::exists(folder_ / "StadiaErrors_job.rtf"));
  // The upload asks before storing them, and the safe answer is Cancel.
  EXPECT_EQ(RunCli({"upload", Sheet({Station(5, 1), Station(5, 2)})}).status, 1);
  EXPECT_TRUE(Database().empty());

  StopHost(SIGTERM);
  Seed(
      {{20, 1.5, 2.5, 3.5, "DB", "", 0, 1e15, 1e15}, {21, 4.5, 5.5, 6.5, "DB", "", 0, 1e15, 1e15}});
  StartHost();
  const std::string sheet = Sheet({SetupRow(20, 21), Station(7, 1, "TR"), Station(8, 2, "T")});
  const auto getdb = RunCli({"getdb", sheet, "--save"});
  EXPECT_EQ(getdb.status, 0) << getdb.err;
  EXPECT_NE(getdb.out.find("2 points from the database"), std::string::npos) << getdb.out;

  const std::string table = (folder_ / "codenines").string();
  WriteBytes(table, "T\nTX\nTR\nTREE\n");
  const auto codes = RunCli({"codetable", sheet, "--table", table, "--save"});
  EXPECT_EQ(codes.status, 0) << codes.err;
  EXPECT_NE(codes.out.find("TR -> TREE\nT -> TX\n2 codes replaced"), std::string::npos)
      << codes.out;

  const std::string shown = RunCli({"show", sheet, "--coords"}).out;
  for (const char* text : {"DB", "4.5", "1.5", "TREE", "TX"})
    EXPECT_NE(shown.find(text), std::string::npos) << text << "\n" << shown;
  EXPECT_EQ(shown.find("\tTR\t"), std::string::npos) << shown;
}

}  // namespace
}  // namespace kestrel
