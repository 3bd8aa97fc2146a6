// Clipboard text pasted into a precision stadia sheet, then copied out and
// pasted again: a copy of pasted rows, pasted and copied once more, gives the
// same text.
#include <cstddef>
#include <cstdint>

#include "clipboard_round_trip.h"
#include "precision_support.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireStableCopy(fuzz::PasteAndCopy<PrecisionStadia, fuzz::ExercisePrecisionSheet,
                                             fuzz::RequireFinitePrecisionRows>,
                          {reinterpret_cast<const char*>(data), size});
  return 0;
}
