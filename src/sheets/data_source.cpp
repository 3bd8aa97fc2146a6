#include "sheets/data_source.h"

namespace kestrel {

namespace {
// The grid stores one heading per column; a source never has more columns
// than this, so a stray column number cannot grow the list without bound.
constexpr int kMaxStoredHeadings = 256;
}  // namespace

const std::string& CUGDataSource::StoredHeading(int column) const {
  static const std::string kNoHeading;
  if (column < 0 || static_cast<std::size_t>(column) >= headings_.size()) return kNoHeading;
  return headings_[static_cast<std::size_t>(column)];
}

void CUGDataSource::StoreHeading(int column, const std::string& text) {
  if (column < 0 || column >= kMaxStoredHeadings) return;
  const auto index = static_cast<std::size_t>(column);
  if (index >= headings_.size()) headings_.resize(index + 1);
  headings_[index] = text;
}

std::int64_t ArgInt(const CommandArg& arg, std::int64_t fallback) {
  return ArgAs<std::int64_t>(arg, fallback);
}

}  // namespace kestrel
