#include "cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/le_bytes.h"

namespace kestrel::cli_test {

std::string SheetBytes(const std::vector<SheetRow>& rows) {
  testing::LeBytes bytes;
  bytes.Raw('\x02' + std::string(42, '\0') + std::string("\0\0Version 2\0", 12));
  for (SheetRow row : rows) {
    bytes.Le(static_cast<std::uint8_t>(row.type), 1).Le(row.point, 4);
    row.doubles.resize(8, kEmpty);
    for (double d : row.doubles) bytes.F64(d);
    bytes.Text(row.code).Text(row.comment).Text(row.note);
  }
  return bytes.s;
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
