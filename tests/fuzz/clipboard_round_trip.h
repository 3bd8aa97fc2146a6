#pragma once
// The clipboard side of the radiation sheets for RequireStableCopy: a text
// pasted above the one row of a new sheet of the member, the sheet exercised
// when told to, and its copy of the pasted rows.
#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "sheets/stadia/stadia_clipboard.h"

namespace kestrel::fuzz {

template <class Sheet, void (*exerciseSheet)(Sheet&, FuzzContext&),
          void (*requireFinite)(const Sheet&)>
std::string PasteAndCopy(FuzzContext& context, std::string_view text, bool exercise) {
  Sheet sheet(context.ctx);
  sheet.AppendRow();  // pasting goes in above a row of the sheet
  const int pasted = PasteStadiaText(sheet, text, 0);
  if (exercise) exerciseSheet(sheet, context);
  requireFinite(sheet);
  std::vector<int> rows(static_cast<std::size_t>(std::max(pasted, 0)));
  std::iota(rows.begin(), rows.end(), 0);
  return StadiaClipboardText(sheet, rows);
}

}  // namespace kestrel::fuzz
