#pragma once
// Runs the built kestrel-cli with arguments and standard input, and collects
// its exit status and both output streams; plus the temporary job folder the
// program tests work in.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/scratch_folder.h"

namespace kestrel::cli_test {

struct CliResult {
  int status = -1;  // the exit status, or -1 when the program did not exit normally
  std::string out, err;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& input = std::string());

// A folder of its own for one test, removed afterwards.
using TempFolder = testing::ScratchFolder;

// A stadia sheet file written field by field, little-endian, as the file
// format lays it out: the header record, then per row its type, point, eight
// doubles (hz, obs2, spare, dist, targetHt, east, north, height; empty when
// not given) and the code, comment and note.
constexpr double kEmpty = 999999986991104.0;
struct SheetRow {
  int type;
  std::uint32_t point;
  std::vector<double> doubles;
  std::string code, comment, note;
};
std::string SheetBytes(const std::vector<SheetRow>& rows);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The fields of a text between separators ("a,,b," is "a", "", "b", "").
std::vector<std::string> Split(const std::string& text, char separator);
// The lines of a text, without their line feeds.
std::vector<std::string> Lines(const std::string& text);

}  // namespace kestrel::cli_test
