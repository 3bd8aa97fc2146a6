#pragma once
// The clipboard text every sheet with clipboard rows exchanges: the sheet
// kind's word ("Stadia", "Traverse") on the first line, then one line per
// row, each line ended by a line feed.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"

namespace kestrel {

// The text of the selected rows (each row once, in row order) for which
// `lineOf(row, line)` gives a line.
std::string ClipboardText(std::string_view kind, std::vector<int> rows,
                          const std::function<bool(int row, std::string& line)>& lineOf);

// The row lines of a pasted text, the CRs before a line feed dropped. Nothing,
// after showing why, when the text holds no rows ("Nothing to Paste") or
// another kind's ("Non matching data - can only paste <kind> type data").
std::optional<std::vector<std::string_view>> PastedLines(std::string_view kind,
                                                         std::string_view text, Messages& messages);

}  // namespace kestrel
