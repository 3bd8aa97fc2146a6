#pragma once
// A Traverse sheet over recording ports, filled from clipboard lines, for the
// traverse tests.
#include <string>
#include <vector>

#include "sheet_test_context.h"
#include "sheets/traverse/traverse.h"
#include "sheets/traverse/traverse_clipboard.h"

namespace kestrel::testing {

struct TraverseTestSheet : SheetTestContext {
  TraverseTestSheet() = default;
  explicit TraverseTestSheet(const std::vector<std::string>& lines) { Add(lines); }

  // Appends rows written as "Traverse" clipboard lines.
  void Add(const std::vector<std::string>& lines) {
    std::string text = "Traverse\n";
    for (const std::string& line : lines) text += line + "\n";
    PasteTraverseText(sheet, text, sheet.RowCount());
  }

  const TraverseRow& Row(int index) const { return sheet.Rows()[static_cast<std::size_t>(index)]; }

  // The first observation row arriving at `point` (the row that shows its
  // coordinates), or nullptr.
  const TraverseRow* Arriving(std::uint32_t point) const {
    for (const TraverseRow& row : sheet.Rows()) {
      if (IsTraverseObservation(row.type) && row.to == point) return &row;
    }
    return nullptr;
  }

  Traverse sheet{ctx};
};

}  // namespace kestrel::testing
