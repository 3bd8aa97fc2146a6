#pragma once
// The code replacement table and its "codenines" file: one value per line,
// for each row with a code, the code line and then its replacement line.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sheets/data_source.h"

namespace kestrel {

inline constexpr int kCodeTableRows = 200;
inline constexpr std::size_t kLongestTableCode = 15;

struct CodeTableRow {
  std::string code;
  std::string replacement;
  bool operator==(const CodeTableRow&) const = default;
};

// "codenines" in $KESTREL_HOME when that is set, else in the folder of the
// running program.
std::string CodeTablePath();

// The rows read in pairs from the file, at most kCodeTableRows; a missing or
// unreadable file gives an empty table. A last code without its replacement
// line gets an empty replacement.
std::vector<CodeTableRow> ReadCodeTable(const std::string& path);
// Writes every row with a non-empty code; false when the file cannot be
// written (it is then left as it was).
bool WriteCodeTable(const std::string& path, const std::vector<CodeTableRow>& rows);

// The pairs in the order they are applied: codes of 15 characters first down
// to 1, in row order within a length, so a longer code is replaced before a
// shorter one it contains. Empty codes and longer ones are left out.
std::vector<CodeTableRow> ReplacementOrder(const std::vector<CodeTableRow>& rows);

// Sends the sheet one code-table command per pair, in that order. The number
// of pairs sent.
int ApplyCodeTable(CUGDataSource& sheet, const std::vector<CodeTableRow>& rows);

}  // namespace kestrel
