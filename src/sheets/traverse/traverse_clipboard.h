#pragma once
// The Traverse clipboard text: the line "Traverse", then one line per row
// with comma-separated fields led by the row's type digit.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class Traverse;

inline constexpr std::string_view kTraverseClipboardKind = "Traverse";

// "Traverse\n" and one line per row, each row once, in ascending order. Rows
// outside the sheet, Dual and Rounds rows and rows of unknown type give no
// line.
std::string TraverseClipboardText(const Traverse& sheet, const std::vector<int>& rows);

// Inserts the rows of a clipboard text before `row` (clamped to the sheet, so
// an empty sheet takes them), in the text's order. Shows "Nothing to Paste" or
// "Non matching data - can only paste Traverse type data" when the text has
// no rows or is not a Traverse text. Lines that do not start with a type
// digit are skipped. Returns the number of rows inserted.
int PasteTraverseText(Traverse& sheet, std::string_view text, int row);

}  // namespace kestrel
