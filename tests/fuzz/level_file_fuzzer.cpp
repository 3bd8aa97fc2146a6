// The level book (binary and CSV) and level sheet (both versions) files. The
// first byte picks the form (by the file name, as the program does); the rest
// is the file. The loaded sheet is shown, reduced, saved and read back.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "sheets/level/level_book.h"
#include "sheets/level/level_sheet.h"

using namespace kestrel;

namespace {

template <typename Sheet>
void LoadShowSave(const std::string& name, std::string_view bytes) {
  fuzz::FuzzContext context;
  const std::string path = fuzz::WriteScratchFile(name, bytes);
  Sheet sheet(context.ctx);
  if (sheet.LoadFromFile(path) != 1) return;
  sheet.Command(kCmdCalculate);
  for (const auto& row : sheet.Rows()) {
    for (double value : row.values) fuzz::RequireFinite(value);
  }
  fuzz::ShowEveryCell(sheet, context, sheet.ColumnCount());
  const std::string copy = fuzz::ScratchFolder() + "/copy-" + name;
  if (sheet.SaveToFile(copy) != 1) std::abort();
  Sheet reread(context.ctx);
  if (reread.LoadFromFile(copy) != 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 4) {
    case 0:
      LoadShowSave<LevelBook>("lvlbk1.tst", bytes);
      break;
    case 1:
      LoadShowSave<LevelBook>("lvlbk1.csv", bytes);
      break;
    case 2:
      LoadShowSave<LevelSheet>("lvlsh1.tst", bytes);
      break;
    default:
      LoadShowSave<LevelSheet>("lvl2sh1.tst", bytes);
      break;
  }
  return 0;
}
