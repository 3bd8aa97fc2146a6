#pragma once
// A real gyre-host process on a temporary folder of its own (its link folder
// and its database), stopped in teardown whatever the test did; and a sheet
// that hands out and takes in point records as any sheet kind does.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "gyre/point_database.h"
#include "hostlink/host_link_view.h"
#include "job/job_location.h"
#include "platform/recording_ports.h"
#include "sheets/data_source.h"

namespace kestrel {

class RecordSheet : public CUGDataSource {
 public:
  std::vector<PointRecord> records;    // commands 10 and 11
  std::vector<std::uint32_t> missing;  // commands 20 and 21
  std::vector<PointRecord> inserted;   // command 22, in the order received
  std::vector<std::int64_t> insertedRows;
  std::string strings;   // command 51
  int calculations = 0;  // command 4

  int RowCount() override { return static_cast<int>(records.size()); }
  int ColumnCount() override { return 1; }
  int ColumnHeading(int, std::string&) override { return 0; }
  int ColumnKind(int, int&) override { return 0; }
  int AppendRow() override { return 0; }
  int InsertRow(int) override { return 0; }
  int DeleteRow(int) override { return 0; }
  int CellText(int, int, CellValue&) override { return 0; }
  int ParseCell(int, int, const CellValue&) override { return 0; }
  int Command(int code, const CommandArg& p1, const CommandArg& p2) override;
  int GridOption(int, int&, int&) override { return 0; }
  int SaveToFile(const std::string&) override { return 0; }
  int LoadFromFile(const std::string&) override { return 0; }
  std::string RowState(int) override { return {}; }
  int RestoreRowState(int, const std::string&) override { return 0; }

 private:
  std::size_t next_ = 0;
  std::size_t nextMissing_ = 0;
};

// Answers the reconciliation as a user would: one choice, an optional range.
class ScriptedReconciler : public Reconciler {
 public:
  bool Reconcile(ImportedPoints& points) override;
  ReconcileChoice choice = ReconcileChoice::kAlterAll;
  bool ok = true;
  int calls = 0;
};

PointRecord MakePoint(std::int32_t number, double east, double north, float height,
                      const char* code = "");

class GyreHostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts `gyre-host serve` on the test's database and waits until its
  // endpoint is found.
  void StartHost(const std::vector<std::string>& extraArguments = {});
  // Sends `signal` and waits (bounded) for the process; its exit status.
  int StopHost(int signal);
  void Seed(const std::vector<StoredPoint>& points);
  std::vector<StoredPoint> DatabasePoints();
  std::map<std::int64_t, double> DatabaseEast();  // easting by point number
  std::string HostLog();

  UploadResult Upload(RecordSheet& sheet, ScriptedReconciler& reconciler,
                      bool checkDuplicates = false);

  std::filesystem::path folder_;
  std::string dbPath_;
  pid_t host_ = -1;
  RecordingMessages messages_;
  RecordingShell shell_;
  JobLocation job_;
};

std::vector<StoredPoint> SeedRange(std::int64_t first, std::int64_t last);

}  // namespace kestrel
