// Clipboard text pasted into a traverse sheet, then copied out and pasted
// again: a copy of pasted rows, pasted and copied once more, gives the same
// text; the pasted sheet survives everything the user can do with it.
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

#include "sheets/traverse/traverse_clipboard.h"
#include "traverse_support.h"

using namespace kestrel;

namespace {

std::string PasteAndCopy(fuzz::FuzzContext& context, std::string_view text, bool exercise) {
  Traverse sheet(context.ctx);
  const int pasted = PasteTraverseText(sheet, text, 0);
  std::vector<int> rows(static_cast<std::size_t>(std::max(pasted, 0)));
  std::iota(rows.begin(), rows.end(), 0);
  const std::string copy = TraverseClipboardText(sheet, rows);
  if (exercise) fuzz::ExerciseTraverse(sheet, context);
  fuzz::RequireFiniteRows(sheet);
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireStableCopy(PasteAndCopy, {reinterpret_cast<const char*>(data), size});
  return 0;
}
