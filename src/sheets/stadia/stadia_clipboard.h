#pragma once
// The Stadia clipboard text: the line "Stadia", then one line per row with
// comma-separated fields in a layout fixed per row type. Precision Stadia
// sheets use the same text, so rows move between the two kinds.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class Stadia;

// The first line of every Stadia clipboard text.
inline constexpr std::string_view kStadiaClipboardKind = "Stadia";

// "Stadia\n" and one line per row, each row once, in ascending order; rows
// outside the sheet (and rows of an unknown type) give no line.
std::string StadiaClipboardText(const Stadia& sheet, const std::vector<int>& rows);

// Inserts the rows of a clipboard text before `row`, in the text's order.
// Lines that are empty, of an unknown type or with the wrong number of fields
// are skipped, and nothing is inserted unless `row` lies inside the sheet.
// Shows "Nothing to Paste" or "Non matching data - can only paste Stadia type
// data" through the sheet's messages when the text has no rows or is not a
// Stadia text. Returns the number of rows inserted.
int PasteStadiaText(Stadia& sheet, std::string_view text, int row);

}  // namespace kestrel
