#include "sheets/clipboard_text.h"

#include <algorithm>

namespace kestrel {

std::string ClipboardText(std::string_view kind, std::vector<int> rows,
                          const std::function<bool(int row, std::string& line)>& lineOf) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::string text(kind);
  text += '\n';
  std::string line;
  for (const int row : rows) {
    if (!lineOf(row, line)) continue;
    text += line;
    text += '\n';
  }
  return text;
}

std::optional<std::vector<std::string_view>> PastedLines(std::string_view kind,
                                                         std::string_view text,
                                                         Messages& messages) {
  const std::size_t firstBreak = text.find('\n');
  if (firstBreak == std::string_view::npos || firstBreak + 1 == text.size()) {
    messages.Show("Nothing to Paste");
    return std::nullopt;
  }
  if (!text.starts_with(kind)) {
    messages.Show("Non matching data - can only paste " + std::string(kind) + " type data");
    return std::nullopt;
  }
  std::vector<std::string_view> lines;
  std::string_view rest = text.substr(firstBreak + 1);
  while (!rest.empty()) {
    const std::size_t lineEnd = rest.find('\n');
    std::string_view line = rest.substr(0, lineEnd);
    rest.remove_prefix(lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1);
    // Text from a Windows clipboard ends its lines with CR LF, and text that
    // went through two such conversions with CR CR LF; no row ends in a CR.
    while (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace kestrel
