// kestrel's link commands against a real gyre-host, then kestrel-cli's host
// verbs: what each prints, its exit status and what the database holds.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <bit>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>
#include <tuple>

#include "../cli/cli_runner.h"
#include "gyre_fixture.h"
#include "hostlink/link_client.h"
#include "hostlink/link_endpoints.h"

namespace kestrel {
namespace {

using namespace std::chrono_literals;

auto Fields(const StoredPoint& p) {
  return std::tuple(p.number, p.east, p.north, p.height, p.code, p.description, p.road);
}

TEST_F(GyreHostTest, UploadIntoAnEmptyDatabaseStoresEveryPointWithoutTheDialog) {
  StartHost();
  RecordSheet sheet;
  sheet.records = {MakePoint(3, 100.5, 200.25, 10.5f, "TREE"), MakePoint(0, 1, 1, 1),
                   MakePoint(-7, 2, 2, 2), MakePoint(9, -5.0, 6.0, -1.25f, "KERB")};
  sheet.records[0].description = "gum";
  sheet.records[3].road = 12;
  ScriptedReconciler reconciler;
  const UploadResult result = Upload(sheet, reconciler);
  EXPECT_EQ(result.status, UploadStatus::kStored);
  EXPECT_EQ(reconciler.calls, 0);
  EXPECT_TRUE(messages_.texts.empty());
  const std::vector<StoredPoint> points = DatabasePoints();
  ASSERT_EQ(points.size(), 2u);  // numbered zero or less: not stored
  EXPECT_EQ(Fields(points[0]), Fields({3, 100.5, 200.25, 10.5, "TREE", "gum", 0}));
  EXPECT_EQ(Fields(points[1]), Fields({9, -5.0, 6.0, -1.25, "KERB", "", 12}));
}

TEST_F(GyreHostTest, GetDatabaseInsertsTheHostPointsAtTheTop) {
  Seed({{4, 500.125, 600.5, 12.3456789, "STN", "nail", -3, 45.5, -2.25},
        {8, 1.0, 2.0, 3.0, "", "", 0, 1e15, 1e15}});
  StartHost();
  RecordSheet sheet;
  sheet.missing = {4, 99, 8};
  HostLinkView view(sheet);
  EXPECT_EQ(view.GetDatabase(messages_), 2);
  EXPECT_FALSE(view.applyFlag);
  ASSERT_EQ(sheet.inserted.size(), 2u);
  EXPECT_EQ(sheet.insertedRows, (std::vector<std::int64_t>{0, 0}));
  const PointRecord& first = sheet.inserted[0];
  // the host's height field is single precision
  EXPECT_EQ(std::tuple(first.point, first.east, first.north, first.height, first.code,
                       first.description, first.road, first.chainage, first.offset),
            std::tuple(4, 500.125, 600.5, 12.3456789f, "STN", "nail", -3, 45.5, -2.25));
  EXPECT_EQ(sheet.inserted[1].point, 8);
  EXPECT_TRUE(messages_.texts.empty());

  // A later upload's reply fills the existing list, not the sheet.
  sheet.records = {MakePoint(4, 0, 0, 0)};
  ScriptedReconciler reconciler;
  view.StoreDataInDatabase({messages_, shell_, reconciler}, job_, false, false);
  EXPECT_EQ(sheet.inserted.size(), 2u);
  EXPECT_EQ(view.highestHostNumber, 8u);
  EXPECT_EQ(view.hostNumbers, (std::vector<std::uint32_t>{4}));
}

TEST_F(GyreHostTest, NoHostRunningSendsNothing) {
  RecordSheet sheet;
  sheet.records = {MakePoint(1, 0, 0, 0)};
  sheet.missing = {1};
  HostLinkView view(sheet);
  ScriptedReconciler reconciler;
  EXPECT_EQ(view.StoreDataInDatabase({messages_, shell_, reconciler}, job_, true, true).status,
            UploadStatus::kNoHost);
  EXPECT_FALSE(view.StoreObservationsAsStrings(messages_));
  EXPECT_EQ(view.GetDatabase(messages_), -1);
  const std::string noHost = "GYRE needs to be running\nto extract points from the database";
  EXPECT_EQ(messages_.texts, (std::vector<std::string>{noHost, noHost, noHost}));
  EXPECT_EQ(sheet.calculations, 0);
  EXPECT_EQ(reconciler.calls, 0);
}

TEST_F(GyreHostTest, DuplicateConflictsAreReportedAndCancelStopsTheUpload) {
  StartHost();
  RecordSheet sheet;
  sheet.records = {MakePoint(5, 0.0, 0.0, 0.0f), MakePoint(5, 0.5, 0.0, 0.0f),
                   MakePoint(6, 1.0, 1.0, 1.0f)};
  ScriptedReconciler reconciler;
  messages_.answers = {false};
  const UploadResult result = Upload(sheet, reconciler, true);
  EXPECT_EQ(result.status, UploadStatus::kDuplicatesCancelled);
  EXPECT_EQ(result.conflicts, 1);
  const std::string report = job_.folder + "StadiaErrors_job.rtf";
  EXPECT_EQ(messages_.texts,
            (std::vector<std::string>{
                "file " + report + " created",
                "Duplicate points with different coordinates detected. Hit cancel to abort save"}));
  EXPECT_EQ(shell_.opened, (std::vector<std::string>{report}));
  EXPECT_TRUE(std::filesystem::exists(report));
  EXPECT_TRUE(DatabasePoints().empty());

  messages_.answers = {true};  // OK: stored as they are, the later 5 replacing the earlier
  EXPECT_EQ(Upload(sheet, reconciler, true).status, UploadStatus::kStored);
  EXPECT_EQ(DatabaseEast(), (std::map<std::int64_t, double>{{5, 0.5}, {6, 1.0}}));
}

TEST_F(GyreHostTest, StringListsAndTheBroadcastReachTheHost) {
  StartHost();
  RecordSheet sheet;
  sheet.strings = "Lot obs1,7,1,100,101\r\nLot obs2,7,1,100,102\r\n";
  HostLinkView view(sheet);
  EXPECT_TRUE(view.StoreObservationsAsStrings(messages_));
  PointDatabase db;
  std::string error;
  ASSERT_TRUE(db.Open(dbPath_, error));
  EXPECT_EQ(db.Strings(), (std::vector<std::string>{sheet.strings}));

  BroadcastRegisteredMessage("KESTREL");
  EXPECT_NE(HostLog().find("received the broadcast \"KESTREL\""), std::string::npos) << HostLog();
}

TEST_F(GyreHostTest, KilledMidUploadStoresNothingAndSaysSo) {
  Seed(SeedRange(1, 10));
  StartHost({"--commit-delay-ms", "5000"});
  RecordSheet sheet;
  for (int n = 100; n < 2100; ++n) sheet.records.push_back(MakePoint(n, n, n, 1.0f));
  UploadResult result;
  std::thread upload([&] {
    ScriptedReconciler reconciler;
    result = Upload(sheet, reconciler);
  });
  // Wait until the host is inside the store transaction, then kill it.
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (HostLog().find("sent 0 of 2000") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(300ms);
  const int status = StopHost(SIGKILL);
  upload.join();
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(result.status, UploadStatus::kFailed);
  EXPECT_EQ(messages_.texts, (std::vector<std::string>{"error uploading data to gyre"}));
  EXPECT_EQ(DatabasePoints().size(), 10u);  // none of the upload

  // The next host finds the database whole and takes the whole upload.
  StartHost();
  messages_.texts.clear();
  ScriptedReconciler reconciler;
  EXPECT_EQ(Upload(sheet, reconciler).status, UploadStatus::kStored);
  EXPECT_EQ(DatabasePoints().size(), 2010u);
}

TEST_F(GyreHostTest, StopSignalsEndCleanlyAndRemoveTheEndpoint) {
  for (int signal : {SIGTERM, SIGINT}) {
    StartHost();
    const std::string socket = *FindHostWindow();
    const int status = StopHost(signal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << signal;
    EXPECT_FALSE(std::filesystem::exists(socket)) << signal;
    EXPECT_FALSE(FindHostWindow().has_value()) << signal;
  }
}

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

  // replace: 1 to 3 take the sheet's coordinates, nothing is added
  EXPECT_EQ(RunCli({"upload", sheet, "--reconcile", "replace"}).status, 0);
  expected[1] = 7;
  expected[2] = 8;
  expected[3] = 9;
  EXPECT_EQ(DatabaseEast(), expected);
}

TEST_F(CliHostVerbs, GetDatabaseAndCodeTable) {
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
