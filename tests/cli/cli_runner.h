#pragma once
// Runs the built kestrel-cli with arguments and standard input, and collects
// its exit status and both output streams; plus the temporary job folder the
// program tests work in.
#include <filesystem>
#include <string>
#include <vector>

namespace kestrel::cli_test {

struct CliResult {
  int status = -1;  // the exit status, or -1 when the program did not exit normally
  std::string out, err;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& input = std::string());

// A folder of its own for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // A file in the folder, as a text for the command line.
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The fields of a text between separators ("a,,b," is "a", "", "b", "").
std::vector<std::string> Split(const std::string& text, char separator);
// The lines of a text, without their line feeds.
std::vector<std::string> Lines(const std::string& text);

}  // namespace kestrel::cli_test
