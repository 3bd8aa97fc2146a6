#pragma once
// A Traverse sheet over recording ports, filled from clipboard lines, for the
// traverse tests.
#include <string>
#include <vector>

#include "sheet_test_context.h"
#include "sheets/traverse/traverse.h"
#include "sheets/traverse/traverse_clipboard.h"

namespace kestrel::testing {

// A 100 by 100 square booked as bearings with its route note: 1 at
// (1000, 1000, `height`) east to 2, `north` to 3, west to 4 and `south` back
// to 1.
inline std::vector<std::string> Square(const std::string& height = "50",
                                       const std::string& north = "100",
                                       const std::string& south = "100") {
  return {"0,1,1000,1000," + height + ",", "2,tr 1,2,3,4,1",
          "3,1,2,90,90,100,0,0,,0,0,0",    "3,2,3,0,90," + north + ",0,0,,0,0,0",
          "3,3,4,270,90,100,0,0,,0,0,0",   "3,4,1,180,90," + south + ",0,0,,0,0,0"};
}

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
