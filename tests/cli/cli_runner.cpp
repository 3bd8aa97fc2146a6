#include "cli_runner.h"

#include <sys/wait.h>

#include <bit>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace kestrel::cli_test {

std::string SheetBytes(const std::vector<SheetRow>& rows) {
  const auto put = [](std::string& bytes, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  std::string bytes = '\x02' + std::string(42, '\0') + std::string("\0\0Version 2\0", 12);
  for (SheetRow row : rows) {
    bytes += static_cast<char>(row.type);
    put(bytes, row.point, 4);
    row.doubles.resize(8, kEmpty);
    for (double d : row.doubles) put(bytes, std::bit_cast<std::uint64_t>(d), 8);
    for (const std::string* text : {&row.code, &row.comment, &row.note}) bytes += *text + '\0';
  }
  return bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> fields{""};
  for (const char c : text) {
    if (c == separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines = Split(text, '\n');
  if (lines.back().empty()) lines.pop_back();  // after the last line feed, or an empty text
  return lines;
}

namespace {

// Quoted for the shell: in single quotes, each ' as '\''.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
  // Standard input and both outputs go through files, so that nothing can
  // block on a full pipe.
  TempFolder streams;
  WriteBytes(streams.File("in"), input);
  std::string command = "exec " + Quoted(KESTREL_CLI_PATH);
  for (const std::string& arg : args) command += " " + Quoted(arg);
  command += " <" + Quoted(streams.File("in")) + " >" + Quoted(streams.File("out")) + " 2>" +
             Quoted(streams.File("err"));
  const int status = std::system(command.c_str());
  // A program ended by a signal is not an exit status.
  const bool exited = status != -1 && WIFEXITED(status) && WEXITSTATUS(status) < 128;
  return {exited ? WEXITSTATUS(status) : -1, ReadBytes(streams.File("out")),
          ReadBytes(streams.File("err"))};
}

}  // namespace kestrel::cli_test
