#pragma once
// The column headings of both level sheets, which follow the type of the
// grid's current row.
#include <span>
#include <string>
#include <vector>

namespace kestrel {

// The heading of `column` while the grid's cursor is on `row`. A note row shows
// "Fnote" over column 0 and nothing else; an empty sheet and rows past the end
// show the reading headings unless the last row is a note, since the next row
// takes the last row's type.
template <typename Row>
void LevelColumnHeading(const std::vector<Row>& rows, int row, int column,
                        std::span<const char* const> headings, std::string& text) {
  text.clear();
  if (column < 0 || column >= static_cast<int>(headings.size())) return;
  const int count = static_cast<int>(rows.size());
  const bool note = (row >= 0 && row < count)     ? rows[static_cast<std::size_t>(row)].IsNote()
                    : (row == count && count > 0) ? rows.back().IsNote()
                                                  : false;
  if (note) {
    if (column == 0) text = "Fnote";
  } else {
    text = headings[static_cast<std::size_t>(column)];
  }
}

}  // namespace kestrel
