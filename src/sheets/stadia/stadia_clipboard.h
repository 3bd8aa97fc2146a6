#pragma once
// The clipboard text of the radiation sheets: the line "Stadia", then one
// line per row with comma-separated fields in a layout fixed per row type.
// The Stadia and precision stadia sheets write and read the same lines, so
// rows move between the two kinds. The text can be made and read without a
// clipboard (kestrel-cli).
#include <string>
#include <string_view>
#include <vector>

#include "sheets/stadia/base_stadia.h"
#include "sheets/stadia/stadia_row.h"

namespace kestrel {

// The first line of every clipboard text of the family's rows.
inline constexpr std::string_view kStadiaClipboardKind = "Stadia";

// "Stadia\n" and one line per row, each row once, in ascending order; rows
// outside the sheet (and rows the member gives no line) give none.
std::string StadiaClipboardText(const BaseStadia& sheet, const std::vector<int>& rows);

// Inserts the rows of a clipboard text before `row`, in the text's order.
// Lines that are empty, of an unknown type or with the wrong number of fields
// are skipped, and nothing is inserted unless `row` lies inside the sheet or
// is the row after the last.
// Shows "Nothing to Paste" or "Non matching data - can only paste Stadia type
// data" through the sheet's messages when the text has no rows or is not a
// Stadia text. Returns the number of rows inserted.
int PasteStadiaText(BaseStadia& sheet, std::string_view text, int row);

// Commands 40 and 41 (a cut leaves the rows in the sheet) and 42, through
// the sheet's clipboard port.
int CopyRowsToClipboard(BaseStadia& sheet, const SelectedRows& selected);
int PasteRowsFromClipboard(BaseStadia& sheet, int row);

// One row's line without its line end; empty for a type without one.
std::string StadiaClipboardLine(const StadiaRow& row);
// The row a line stands for; false when the line is skipped.
bool ParseStadiaClipboardLine(std::string_view line, StadiaRow& row);

}  // namespace kestrel
