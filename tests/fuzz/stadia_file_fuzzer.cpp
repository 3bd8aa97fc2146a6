// The stadia sheet file as it is on disk: the old layout, or a current file
// whose first record names its version. Each input is read as the whole file
// and, so that every input reaches the record reader, as the records after
// the version record. The loaded sheet is shown, reduced, saved and read
// back, and must read back as the same rows.
#include "fuzz_support.h"

using namespace kestrel;

namespace {

// The version record: an Fnote with every field zero, two empty texts and the
// note "Version 2".
const std::string kVersionRecord = '\x02' + std::string(44, '\0') + std::string("Version 2\0", 10);

void LoadShowSave(const std::string& file) {
  fuzz::FuzzContext context;
  const auto sheet = fuzz::Loaded<Stadia>(context, "stad1.tst", file);
  if (!sheet) return;
  fuzz::ExerciseSheet(*sheet, context);
  const auto reread = fuzz::SavedAndReread(*sheet, context, "stad2.tst");
  if (reread->RowCount() != sheet->RowCount()) std::abort();
  for (int row = 0; row < sheet->RowCount(); ++row)
    if (reread->RowState(row) != sheet->RowState(row)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(fuzz::Bytes(data, size));
  LoadShowSave(bytes);
  LoadShowSave(kVersionRecord + bytes);
  return 0;
}
