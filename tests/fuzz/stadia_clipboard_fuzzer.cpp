// Clipboard text pasted into a stadia sheet, then copied out and pasted again.
// A copy of pasted rows, pasted and copied once more, gives the same text (the
// first copy may drop what a line cannot hold: a zero byte, a final CR).
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

#include "fuzz_support.h"
#include "sheets/stadia/stadia_clipboard.h"

using namespace kestrel;

namespace {

// The text pasted above the one row of a new sheet, and the sheet's copy of
// the pasted rows.
std::string PasteAndCopy(fuzz::FuzzContext& context, std::string_view text, bool exercise) {
  Stadia sheet(context.ctx);
  sheet.AppendRow();  // pasting goes in above a row of the sheet
  const int pasted = PasteStadiaText(sheet, text, 0);
  if (exercise) fuzz::ExerciseSheet(sheet, context);
  fuzz::RequireFiniteRows(sheet);
  std::vector<int> rows(static_cast<std::size_t>(std::max(pasted, 0)));
  std::iota(rows.begin(), rows.end(), 0);
  return StadiaClipboardText(sheet, rows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireStableCopy(PasteAndCopy, {reinterpret_cast<const char*>(data), size});
  return 0;
}
