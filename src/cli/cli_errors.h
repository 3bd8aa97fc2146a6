#pragma once
// How a verb ends early. The program's exit status tells scripts which kind of
// failure it was: 1 when the sheet refused (a file that would not load or
// save, one of the sheet's own refusals), 2 when the command line was wrong.
#include <stdexcept>
#include <string>

namespace kestrel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

class CliError : public std::runtime_error {
 public:
  CliError(int status, const std::string& message) : std::runtime_error(message), status_(status) {}
  int Status() const { return status_; }

 private:
  int status_;
};

// The sheet or the file system said no; the text is shown on standard error.
inline CliError Refusal(const std::string& message) { return CliError(kExitRefused, message); }
// The command line asks for something that cannot be done.
inline CliError UsageError(const std::string& message) { return CliError(kExitUsage, message); }

}  // namespace kestrel::cli
