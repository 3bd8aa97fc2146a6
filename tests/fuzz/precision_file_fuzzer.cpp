// The precision stadia sheet file as it is on disk. The loaded sheet is shown,
// reduced with grid corrections, saved in its own form and in the Stadia
// form, and must read back as the same rows.
#include <cstddef>
#include <cstdint>

#include "precision_support.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path =
      fuzz::WriteScratchFile("tst.precisionstadia1", {reinterpret_cast<const char*>(data), size});
  fuzz::FuzzContext context;
  PrecisionStadia sheet(context.ctx);
  if (sheet.LoadFromFile(path) != 1) return 0;
  fuzz::ExercisePrecisionSheet(sheet, context);

  const std::string copy = fuzz::ScratchFolder() + "/tst.precisionstadia2";
  if (sheet.SaveToFile(copy) != 1) std::abort();
  PrecisionStadia reread(context.ctx);
  if (reread.LoadFromFile(copy) != 1 || reread.RowCount() != sheet.RowCount()) std::abort();
  for (int row = 0; row < sheet.RowCount(); ++row) {
    if (reread.RowState(row) != sheet.RowState(row)) std::abort();
  }

  const std::string stadia = fuzz::ScratchFolder() + "/stad2.tst";
  if (sheet.SaveToFile(stadia) != 1) std::abort();
  PrecisionStadia converted(context.ctx);
  if (converted.LoadFromFile(stadia) != 1 || converted.RowCount() != sheet.RowCount()) {
    std::abort();
  }
  fuzz::RequireFinitePrecisionRows(converted);
  return 0;
}
