// The host link end to end against a real gyre-host on a temporary folder:
// uploading 10^5 points of a Stadia sheet into a database of 10^6 (duplicate
// check, request, reconciliation with "Alter all incoming points by", store),
// and Get Database of 10^4 points. A plain program: the database grows with
// every upload, so each step is timed a few times and the runs are listed.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "generated_sheets.h"
#include "gyre/point_database.h"
#include "hostlink/host_link_view.h"
#include "hostlink/link_endpoints.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia_row.h"

namespace {

using namespace kestrel;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr std::int64_t kDatabasePoints = 1000000;
constexpr int kRuns = 3;

class AlterAll : public Reconciler {
 public:
  bool Reconcile(ImportedPoints& points) override {
    points.Choose(ReconcileChoice::kAlterAll);
    points.Accept();
    return true;
  }
};

// CPU seconds (user and system) a process has used so far.
double CpuSeconds(pid_t pid) {
  std::FILE* stat = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
  if (stat == nullptr) return 0.0;
  char text[1024] = {};
  const std::size_t got = std::fread(text, 1, sizeof text - 1, stat);
  std::fclose(stat);
  // Fields after the command name in parentheses; utime and stime are 14 and 15.
  const char* after = std::strrchr(text, ')');
  if (got == 0 || after == nullptr) return 0.0;
  unsigned long utime = 0, stime = 0;
  std::sscanf(after + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime);
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Wall and CPU time of one step: kestrel's and the host's CPU together.
struct Timer {
  explicit Timer(pid_t host) : host(host), wall(Clock::now()), cpu(Cpu()) {}
  double Cpu() const { return CpuSeconds(getpid()) + CpuSeconds(host); }
  pid_t host;
  Clock::time_point wall;
  double cpu;
};

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

pid_t StartHost(const std::string& db, const std::string& log) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen(log.c_str(), "w", stderr);
    std::freopen(log.c_str(), "a", stdout);
    execl(GYRE_HOST_PATH, GYRE_HOST_PATH, "serve", "--db", db.c_str(), nullptr);
    _exit(127);
  }
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  while (!FindHostWindow() && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return pid;
}

// A sheet of set-ups whose stations are all missing: `count` numbers to find.
void MissingStations(Stadia& sheet, std::uint32_t count) {
  sheet.Rows().clear();
  for (std::uint32_t i = 0; i < count / 2; ++i) {
    StadiaRow row;
    row.type = kStadiaAtBs;
    row.point = 1 + 2 * i;
    SetBacksightNumber(row, 2 + 2 * i);
    sheet.Rows().push_back(row);
  }
}

// Hands out the numbers to find and takes the host's points, nothing else:
// the link's own share of Get Database.
class NumbersOnly : public CUGDataSource {
 public:
  explicit NumbersOnly(std::uint32_t count) : count_(count) {}
  int received = 0;
  int RowCount() override { return 0; }
  int ColumnCount() override { return 0; }
  int ColumnHeading(int, std::string&) override { return 0; }
  int ColumnKind(int, int&) override { return 0; }
  int AppendRow() override { return 0; }
  int InsertRow(int) override { return 0; }
  int DeleteRow(int) override { return 0; }
  int CellText(int, int, CellValue&) override { return 0; }
  int ParseCell(int, int, const CellValue&) override { return 0; }
  int Command(int code, const CommandArg& p1, const CommandArg&) override {
    if (code == kCmdCollectMissing) return static_cast<int>(next_ = 0, count_);
    if (code == kCmdInsertHostPoint) return ++received, 0;
    if (code != kCmdNextMissing || next_ >= count_) return -1;
    *ArgAs<std::uint32_t*>(p1, nullptr) = ++next_;
    return 1;
  }
  int GridOption(int, int&, int&) override { return 0; }
  int SaveToFile(const std::string&) override { return 0; }
  int LoadFromFile(const std::string&) override { return 0; }
  std::string RowState(int) override { return {}; }
  int RestoreRowState(int, const std::string&) override { return 0; }

 private:
  std::uint32_t count_;
  std::uint32_t next_ = 0;
};

void PrintRuns(const char* what, std::vector<double> runs, std::vector<double> cpu) {
  std::sort(runs.begin(), runs.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf("%-52s wall median %7.1f ms, CPU median %7.1f ms  (wall", what,
              runs[runs.size() / 2] * 1000.0, cpu[cpu.size() / 2] * 1000.0);
  for (double run : runs) std::printf(" %.1f", run * 1000.0);
  std::printf(")\n");
}

}  // namespace

int main() {
  const fs::path folder =
      fs::temp_directory_path() / ("hostlink-bench-" + std::to_string(getpid()));
  fs::create_directories(folder / "run");
  chmod((folder / "run").c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", (folder / "run").c_str(), 1);
  const std::string db = (folder / "job.sqlite").string();

  auto start = Clock::now();
  {
    PointDatabase seed;
    std::string error;
    if (!seed.Open(db, error)) return std::fprintf(stderr, "%s\n", error.c_str()), 1;
    std::vector<StoredPoint> points;
    points.reserve(kDatabasePoints);
    for (std::int64_t n = 1; n <= kDatabasePoints; ++n)
      points.push_back({n, 1000.0 + n, 2000.0 + n, 10.0, "DB", "", 0, 1e15, 1e15});
    seed.Import(points);
  }
  std::printf("seeding %lld points: %.1f s\n", static_cast<long long>(kDatabasePoints),
              Seconds(start));
  const pid_t host = StartHost(db, (folder / "host.log").string());

  bench::BenchSheet upload;
  upload.messages.defaultAnswer = true;  // go on past any duplicate question
  upload.sheet.Rows() = bench::GenerateStadiaRows(106000);
  upload.sheet.Command(kCmdCalculate);
  PointRecord record;
  int records = 0;
  for (int more = upload.sheet.Command(kCmdFirstPoint, &record); more != -1;
       more = upload.sheet.Command(kCmdNextPoint, &record))
    ++records;
  std::printf("upload sheet: %zu rows, %d point records\n", upload.sheet.Rows().size(), records);

  AlterAll reconciler;
  JobLocation job;
  job.drive.clear();
  job.folder = folder.string() + "/";
  std::vector<double> runs, cpu;
  for (int run = 0; run < kRuns; ++run) {
    HostLinkView view(upload.sheet);
    const Timer timer(host);
    const UploadResult result =
        view.StoreDataInDatabase({upload.messages, upload.shell, reconciler}, job, false, true);
    runs.push_back(Seconds(timer.wall));
    cpu.push_back(timer.Cpu() - timer.cpu);
    if (result.status != UploadStatus::kStored || result.existing == 0)
      std::fprintf(stderr, "upload %d: status %d, %d existing\n", run,
                   static_cast<int>(result.status), result.existing);
  }
  PrintRuns("upload 10^5 into 10^6, duplicate check, alter all", runs, cpu);

  runs.clear();
  cpu.clear();
  for (int run = 0; run < kRuns; ++run) {
    NumbersOnly sheet(10000);
    HostLinkView view(sheet);
    RecordingMessages messages;
    const Timer timer(host);
    view.GetDatabase(messages);
    runs.push_back(Seconds(timer.wall));
    cpu.push_back(timer.Cpu() - timer.cpu);
    if (sheet.received != 10000)
      std::fprintf(stderr, "get database: %d received\n", sheet.received);
  }
  PrintRuns("Get Database 10^4 points (link only)", runs, cpu);

  runs.clear();
  cpu.clear();
  for (int run = 0; run < kRuns; ++run) {
    bench::BenchSheet target;
    MissingStations(target.sheet, 10000);
    HostLinkView view(target.sheet);
    const Timer timer(host);
    const int applied = view.GetDatabase(target.messages);
    runs.push_back(Seconds(timer.wall));
    cpu.push_back(timer.Cpu() - timer.cpu);
    if (applied != 10000) std::fprintf(stderr, "get database: %d applied\n", applied);
  }
  PrintRuns("Get Database 10^4 points into a Stadia sheet", runs, cpu);

  if (std::getenv("KESTREL_BENCH_HOST_LOG") != nullptr)
    std::system(("cat " + (folder / "host.log").string()).c_str());
  kill(host, SIGTERM);
  waitpid(host, nullptr, 0);
  fs::remove_all(folder);
  return 0;
}
