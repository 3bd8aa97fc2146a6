// Clipboard text pasted into a stadia sheet, then copied out and pasted again.
// A copy of pasted rows, pasted and copied once more, gives the same text (the
// first copy may drop what a line cannot hold: a zero byte, a final CR).
#include <cstddef>
#include <cstdint>

#include "clipboard_round_trip.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RequireStableCopy(fuzz::PasteAndCopy<Stadia, fuzz::ExerciseSheet, fuzz::RequireFiniteRows>,
                          {reinterpret_cast<const char*>(data), size});
  return 0;
}
