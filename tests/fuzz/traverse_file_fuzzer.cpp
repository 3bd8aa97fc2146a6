// The traverse sheet file: loaded, shown, calculated, adjusted and reported;
// a sheet that loaded saves, and the saved file loads back to the same bytes.
#include "fuzz_support.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzContext context;
  const auto sheet = fuzz::Loaded<Traverse>(context, "trav1.tst", fuzz::Bytes(data, size));
  if (!sheet) return 0;
  fuzz::SavedAndReread(*fuzz::SavedAndReread(*sheet, context, "trav2.tst"), context, "trav3.tst");
  const std::string folder = fuzz::ScratchFolder();
  if (fuzz::FileBytes(folder + "/trav2.tst") != fuzz::FileBytes(folder + "/trav3.tst"))
    std::abort();
  fuzz::ExerciseTraverse(*sheet, context);
  return 0;
}
