// kestrel-cli's host verbs run as a surveyor runs them, against a real
// gyre-host: what each prints, its exit status and what the database holds.
#include <bit>
#include <filesystem>
#include <map>

#include "../cli/cli_runner.h"
#include "gyre_fixture.h"

namespace kestrel {
namespace {

using cli_test::kEmpty;
using cli_test::RunCli;
using cli_test::SheetBytes;
using cli_test::SheetRow;
using cli_test::WriteBytes;

SheetRow Station(std::uint32_t point, double east, const char* code = "") {
  return {0, point, {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, east, 500.0, 10.0}, code, "", ""};
}

// A set-up on `instrument` with its backsight number in obs2's low 32 bits.
SheetRow SetupRow(std::uint32_t instrument, std::uint32_t backsight) {
  return {1, instrument, {0.0, std::bit_cast<double>(std::uint64_t{backsight})}, "", "", ""};
}

class CliHostVerbs : public GyreHostTest {
 protected:
  std::string Sheet(const std::vector<SheetRow>& rows) {
    const std::string path = (folder_ / "stad1.job").string();
    WriteBytes(path, SheetBytes(rows));
    return path;
  }
};

TEST_F(CliHostVerbs, UploadStopsToListOrReconcilesAsAsked) {
  Seed(SeedRange(1, 50));
  StartHost();
  const std::string sheet = Sheet({Station(1, 7), Station(2, 8), Station(3, 9)});
  std::map<std::int64_t, double> expected;
  for (const StoredPoint& p : SeedRange(1, 50)) expected[p.number] = p.east;

  const auto stops = RunCli({"upload", sheet});
  EXPECT_EQ(stops.status, 1) << stops.err;
  EXPECT_NE(stops.out.find("Existing points in database:\n  1\n  2\n  3\n"), std::string::npos)
      << stops.out;
  EXPECT_EQ(DatabaseEast(), expected);

  // 2 and 3 only; the offset follows from 2: 50 + 1 - 2
  const auto range = RunCli({"upload", sheet, "--reconcile", "shift-all", "--range", "2-3"});
  EXPECT_EQ(range.status, 0) << range.err;
  EXPECT_NE(range.out.find("sent 3 points, 2 stored"), std::string::npos) << range.out;
  expected[51] = 8;
  expected[52] = 9;
  EXPECT_EQ(DatabaseEast(), expected);
  EXPECT_EQ(RunCli({"upload", sheet, "--range", "5"}).status, 2);
}

TEST_F(CliHostVerbs, NoHostFailsWithTheMessage) {
  const std::string sheet = Sheet({Station(1, 7), Station(2, 8)});
  for (const char* verb : {"upload", "send-strings"}) {
    const auto result = RunCli({verb, sheet});
    EXPECT_EQ(result.status, 1) << verb;
    EXPECT_NE(result.err.find("GYRE needs to be running"), std::string::npos) << result.err;
  }
}

TEST_F(CliHostVerbs, DuplicatesGetDatabaseAndCodeTable) {
  StartHost();
  const auto duplicates = RunCli({"duplicates", Sheet({Station(5, 1), Station(5, 2)})});
  EXPECT_EQ(duplicates.status, 0) << duplicates.err;
  EXPECT_NE(duplicates.out.find("1 duplicate points"), std::string::npos) << duplicates.out;
  EXPECT_TRUE(std::filesystem::exists(folder_ / "StadiaErrors_job.rtf"));
  // The upload asks before storing them, and the safe answer is Cancel.
  EXPECT_EQ(RunCli({"upload", Sheet({Station(5, 1), Station(5, 2)})}).status, 1);
  EXPECT_TRUE(DatabaseEast().empty());

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
