// The code replacement table file: at most 200 rows, and the rows written
// back read again as the rows that have a code.
#include "fuzz_support.h"
#include "hostlink/code_table.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<CodeTableRow> rows =
      ReadCodeTable(fuzz::WriteScratchFile("codenines", fuzz::Bytes(data, size)));
  if (rows.size() > static_cast<std::size_t>(kCodeTableRows)) std::abort();
  std::vector<CodeTableRow> kept;
  for (const CodeTableRow& row : rows)
    if (!row.code.empty()) kept.push_back(row);
  const std::string copy = fuzz::ScratchFolder() + "/codenines.copy";
  if (!WriteCodeTable(copy, rows) || ReadCodeTable(copy) != kept) std::abort();
  for (const CodeTableRow& row : ReplacementOrder(rows))
    if (row.code.empty() || row.code.size() > kLongestTableCode) std::abort();
  return 0;
}
