// The stadia sheet file as it is on disk: the old layout, or a current file
// whose first record names its version. The loaded sheet is shown, reduced,
// saved and read back, and must read back as the same rows.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "platform/file_access.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path =
      fuzz::WriteScratchFile("stad1.tst", {reinterpret_cast<const char*>(data), size});
  fuzz::FuzzContext context;
  Stadia sheet(context.ctx);
  if (sheet.LoadFromFile(path) != 1) return 0;
  fuzz::ExerciseSheet(sheet, context);

  const std::string copy = fuzz::ScratchFolder() + "/stad2.tst";
  if (sheet.SaveToFile(copy) != 1) std::abort();
  Stadia reread(context.ctx);
  if (reread.LoadFromFile(copy) != 1 || reread.RowCount() != sheet.RowCount()) std::abort();
  for (int row = 0; row < sheet.RowCount(); ++row) {
    if (reread.RowState(row) != sheet.RowState(row)) std::abort();
  }
  return 0;
}
