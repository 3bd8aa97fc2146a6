#include "hostlink/code_table.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/file_access.h"
#include "sheets/command_codes.h"

namespace kestrel {

namespace {

// A table of 200 rows never comes near this; a larger file is not a table.
constexpr std::uint64_t kLongestTableFile = 1u << 20;

std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return ".";
  path.resize(static_cast<std::size_t>(length));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

std::string CodeTablePath() {
  const char* home = std::getenv("KESTREL_HOME");
  const std::string folder = home != nullptr && *home != '\0' ? home : ProgramFolder();
  return folder + "/codenines";
}

std::vector<CodeTableRow> ReadCodeTable(const std::string& path) {
  std::vector<CodeTableRow> rows;
  const std::optional<std::uint64_t> size = FileSize(path);
  if (!size || *size > kLongestTableFile) return rows;
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return rows;
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text->size()) {
    std::size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    lines.push_back(text->substr(start, end - start));
    start = end + 1;
  }
  for (std::size_t i = 0; i < lines.size() && rows.size() < kCodeTableRows; i += 2)
    rows.push_back({lines[i], i + 1 < lines.size() ? lines[i + 1] : std::string()});
  return rows;
}

bool WriteCodeTable(const std::string& path, const std::vector<CodeTableRow>& rows) {
  std::string text;
  for (const CodeTableRow& row : rows) {
    if (row.code.empty()) continue;
    text += row.code + "\n" + row.replacement + "\n";
  }
  return WriteFileAtomically(path, text);
}

std::vector<CodeTableRow> ReplacementOrder(const std::vector<CodeTableRow>& rows) {
  std::vector<CodeTableRow> ordered;
  for (std::size_t length = kLongestTableCode; length >= 1; --length)
    for (const CodeTableRow& row : rows)
      if (row.code.size() == length) ordered.push_back(row);
  return ordered;
}

int ApplyCodeTable(CUGDataSource& sheet, const std::vector<CodeTableRow>& rows) {
  const std::vector<CodeTableRow> ordered = ReplacementOrder(rows);
  for (const CodeTableRow& row : ordered) sheet.Command(kCmdCodeTable, row.code, row.replacement);
  return static_cast<int>(ordered.size());
}

}  // namespace kestrel
