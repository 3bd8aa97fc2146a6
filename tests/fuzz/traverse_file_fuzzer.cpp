// The traverse sheet file: loaded, shown, calculated, adjusted and reported;
// a sheet that loaded saves, and the saved file loads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "traverse_support.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzContext context;
  const std::string path =
      fuzz::WriteScratchFile("trav1.tst", {reinterpret_cast<const char*>(data), size});
  Traverse sheet(context.ctx);
  if (sheet.LoadFromFile(path) != 1) return 0;
  const std::string first = fuzz::ScratchFolder() + "/trav2.tst";
  if (sheet.SaveToFile(first) != 1) std::abort();
  Traverse reread(context.ctx);
  if (reread.LoadFromFile(first) != 1) std::abort();
  const std::string second = fuzz::ScratchFolder() + "/trav3.tst";
  if (reread.SaveToFile(second) != 1 || fuzz::FileBytes(first) != fuzz::FileBytes(second))
    std::abort();
  fuzz::ExerciseTraverse(sheet, context);
  return 0;
}
