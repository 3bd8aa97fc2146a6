// Clipboard text pasted into a traverse sheet, then copied out and pasted
// again: a copy of pasted rows, pasted and copied once more, gives the same
// text; the pasted sheet survives everything the user can do with it.
#include "fuzz_support.h"
#include "sheets/traverse/traverse_clipboard.h"

using namespace kestrel;

namespace {

std::string PasteAndCopy(fuzz::FuzzContext& context, std::string_view text, bool exercise) {
  Traverse sheet(context.ctx);
  const std::string copy =
      TraverseClipboardText(sheet, fuzz::FirstRows(PasteTraverseText(sheet, text, 0)));
  if (exercise) fuzz::ExerciseTraverse(sheet, context);
  fuzz::RequireFiniteRows(sheet);
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireStableCopy(PasteAndCopy, fuzz::Bytes(data, size));
  return 0;
}
