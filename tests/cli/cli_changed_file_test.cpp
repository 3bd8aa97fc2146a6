// A sheet file another program changes while kestrel-cli has it open: the
// save refuses unless --force, and the other program's file stays.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace kestrel::cli_test {
namespace {

const std::string kPasted = "Stadia\n0,77,1.000000,2.000000,3.000000,CP,pasted\n";

struct PasteRun {
  int status = -1;
  std::string err;
};

// Runs "kestrel-cli [--force] --progress paste FILE --row 0 --save". Once the
// program has read the file and waits for the clipboard text, `meanwhile`
// runs; then the text is given.
template <typename Meanwhile>
PasteRun PasteWhileChanged(const std::string& file, bool force, Meanwhile meanwhile) {
  int input[2], errors[2];
  if (::pipe(input) != 0 || ::pipe(errors) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(input[0], 0);
    ::dup2(errors[1], 2);
    ::close(input[1]);
    ::close(errors[0]);
    ::freopen("/dev/null", "w", stdout);
    std::vector<const char*> args = {KESTREL_CLI_PATH};
    if (force) args.push_back("--force");
    for (const char* a : {"--progress", "paste", file.c_str(), "--row", "0", "--save"}) {
      args.push_back(a);
    }
    args.push_back(nullptr);
    ::execv(KESTREL_CLI_PATH, const_cast<char* const*>(args.data()));
    ::_exit(127);
  }
  ::close(input[0]);
  ::close(errors[1]);
  PasteRun run;
  char buffer[256];
  ssize_t got;
  while (run.err.find("Reading") == std::string::npos &&
         (got = ::read(errors[0], buffer, sizeof buffer)) > 0) {
    run.err.append(buffer, static_cast<std::size_t>(got));
  }
  // The file stays locked while it is read: once the lock is free, the
  // program has read it and waits for its standard input.
  const int reading = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  ::flock(reading, LOCK_EX);
  ::close(reading);
  meanwhile();
  [[maybe_unused]] const ssize_t written = ::write(input[1], kPasted.data(), kPasted.size());
  ::close(input[1]);
  while ((got = ::read(errors[0], buffer, sizeof buffer)) > 0) {
    run.err.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(errors[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(CliChangedFileTest, ASheetChangedOnDiskIsNotSavedOverUnlessForced) {
  const std::string ours = ReadBytes(KESTREL_SOURCE_DIR "/examples/job/stad1.tst");
  // The other program empties the sheet (the five bytes of a new sheet).
  const std::string theirs = "empty";
  const struct {
    const char* name;
    bool changed, force;
    int status;
    bool keepsTheirs;
  } cases[] = {
      {"changed", true, false, 1, true},
      {"changed, forced", true, true, 0, false},
      {"unchanged", false, false, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string file = folder.File("stad1.tst");
    WriteBytes(file, ours);
    const PasteRun run = PasteWhileChanged(file, c.force, [&] {
      if (c.changed) WriteBytes(file, theirs);
    });
    EXPECT_EQ(run.status, c.status) << run.err;
    const std::string now = ReadBytes(file);
    EXPECT_EQ(now == theirs, c.keepsTheirs && c.changed);
    if (c.keepsTheirs) {
      EXPECT_NE(run.err.find(file + " was changed by another program since it was read; not saved "
                                    "over it (--force saves anyway)"),
                std::string::npos)
          << run.err;
    } else {
      EXPECT_NE(now.find("pasted"), std::string::npos) << run.err;
    }
  }
}

}  // namespace
}  // namespace kestrel::cli_test
