// The level book (binary and CSV) and level sheet (both versions) files. The
// first byte picks the form (by the file name, as the program does); the rest
// is the file. The loaded sheet is shown, reduced, saved and read back.
#include "fuzz_support.h"
#include "sheets/level/level_book.h"
#include "sheets/level/level_sheet.h"

using namespace kestrel;

namespace {

template <typename Sheet>
void LoadShowSave(const std::string& name, std::string_view bytes) {
  fuzz::FuzzContext context;
  const auto sheet = fuzz::Loaded<Sheet>(context, name, bytes);
  if (!sheet) return;
  sheet->Command(kCmdCalculate);
  for (const auto& row : sheet->Rows())
    for (double value : row.values) fuzz::RequireFinite(value);
  fuzz::ShowEveryCell(*sheet, context, sheet->ColumnCount());
  fuzz::SavedAndReread(*sheet, context, "copy-" + name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const char* const kNames[] = {"lvlbk1.tst", "lvlbk1.csv", "lvlsh1.tst", "lvl2sh1.tst"};
  const int form = data[0] % 4;
  const std::string_view bytes = fuzz::Bytes(data + 1, size - 1);
  if (form < 2) {
    LoadShowSave<LevelBook>(kNames[form], bytes);
  } else {
    LoadShowSave<LevelSheet>(kNames[form], bytes);
  }
  return 0;
}
