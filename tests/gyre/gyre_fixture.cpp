#include "gyre_fixture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "hostlink/link_endpoints.h"
#include "hostlink/link_socket.h"
#include "sheets/command_codes.h"

namespace kestrel {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

int RecordSheet::Command(int code, const CommandArg& p1, const CommandArg& p2) {
  switch (code) {
    case kCmdCalculate:
      ++calculations;
      return 0;
    case kCmdFirstPoint:
      next_ = 0;
      [[fallthrough]];
    case kCmdNextPoint:
      if (next_ >= records.size()) return -1;
      *ArgAs<PointRecord*>(p1, nullptr) = records[next_++];
      return 0;
    case kCmdCollectMissing:
      nextMissing_ = 0;
      return static_cast<int>(missing.size());
    case kCmdNextMissing:
      if (nextMissing_ >= missing.size()) return -1;
      *ArgAs<std::uint32_t*>(p1, nullptr) = missing[nextMissing_++];
      return 1;
    case kCmdInsertHostPoint:
      // Single points only, as a sheet without batches takes them.
      if (const auto* point = ArgAs<const PointRecord*>(p2, nullptr)) {
        insertedRows.push_back(ArgInt(p1, -1));
        inserted.push_back(*point);
      }
      return 0;
    case kCmdObservationStrings:
      *ArgAs<std::string*>(p1, nullptr) += strings;
      return 0;
    default:
      return 0;
  }
}

bool ScriptedReconciler::Reconcile(ImportedPoints& points) {
  ++calls;
  points.Choose(choice);
  if (ok) points.Accept();
  return ok;
}

PointRecord MakePoint(std::int32_t number, double east, double north, float height,
                      const char* code) {
  // As a sheet hands them out: no name, chainage and offset empty.
  return {"0", number, east, north, height, code, "", 0, 1e15, 1e15, 999999986991104.0f, 0};
}

std::vector<StoredPoint> SeedRange(std::int64_t first, std::int64_t last) {
  std::vector<StoredPoint> points;
  for (std::int64_t n = first; n <= last; ++n)
    points.push_back({n, 1000.0 + n, 2000.0 + n, 10.0, "DB", "", 0, 1e15, 1e15});
  return points;
}

void GyreHostTest::SetUp() {
  // Short: the socket's whole path must fit a socket address.
  static int count = 0;
  folder_ = fs::temp_directory_path() /
            ("gyre-" + std::to_string(getpid()) + "-" + std::to_string(++count));
  fs::remove_all(folder_);
  fs::create_directories(folder_ / "run");
  chmod((folder_ / "run").c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", (folder_ / "run").c_str(), 1);
  dbPath_ = (folder_ / "job.sqlite").string();
  job_.drive = "";
  job_.folder = folder_.string() + "/";
  job_.job = "job";
}

void GyreHostTest::TearDown() {
  if (host_ > 0) {
    kill(host_, SIGKILL);
    waitpid(host_, nullptr, 0);
    host_ = -1;
  }
  unsetenv("XDG_RUNTIME_DIR");
  fs::remove_all(folder_);
}

void GyreHostTest::StartHost(const std::vector<std::string>& extraArguments) {
  std::vector<std::string> arguments = {GYRE_HOST_PATH, "serve", "--db", dbPath_};
  arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
  const std::string log = (folder_ / "host.log").string();
  host_ = fork();
  ASSERT_GE(host_, 0);
  if (host_ == 0) {
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    dup2(fd, 1);
    dup2(fd, 2);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (std::chrono::steady_clock::now() < deadline) {
    std::string error;
    if (const auto link = LinkFolder(error))
      for (const LinkEndpoint& endpoint : ListEndpoints(*link))
        if (SocketHandle(ConnectEndpoint(endpoint.socketPath)).get() >= 0) return;
    int status = 0;
    if (waitpid(host_, &status, WNOHANG) == host_) {
      host_ = -1;
      FAIL() << "gyre-host ended at start:\n" << HostLog();
    }
    std::this_thread::sleep_for(20ms);
  }
  FAIL() << "gyre-host did not register its endpoint:\n" << HostLog();
}

int GyreHostTest::StopHost(int signal) {
  if (host_ <= 0) return -1;
  kill(host_, signal);
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  int status = 0;
  while (waitpid(host_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(host_, SIGKILL);
      waitpid(host_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(10ms);
  }
  host_ = -1;
  return status;
}

void GyreHostTest::Seed(const std::vector<StoredPoint>& points) {
  PointDatabase db;
  std::string error;
  ASSERT_TRUE(db.Open(dbPath_, error)) << error;
  ASSERT_EQ(db.Import(points), static_cast<int>(points.size()));
}

std::vector<StoredPoint> GyreHostTest::DatabasePoints() {
  PointDatabase db;
  std::string error;
  EXPECT_TRUE(db.Open(dbPath_, error)) << error;
  return db.Points();
}

std::map<std::int64_t, double> GyreHostTest::DatabaseEast() {
  std::map<std::int64_t, double> east;
  for (const StoredPoint& p : DatabasePoints()) east[p.number] = p.east;
  return east;
}

std::string GyreHostTest::HostLog() {
  std::ifstream in(folder_ / "host.log");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

UploadResult GyreHostTest::Upload(RecordSheet& sheet, ScriptedReconciler& reconciler,
                                  bool checkDuplicates) {
  HostLinkView view(sheet);
  return view.StoreDataInDatabase({messages_, shell_, reconciler}, job_, false, checkDuplicates);
}

}  // namespace kestrel
