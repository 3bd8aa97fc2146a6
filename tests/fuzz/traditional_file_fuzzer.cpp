// The Traditional Stadia file. The loaded sheet is shown, reduced and listed
// (nothing non-finite anywhere), saved, and read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "sheets/stadia/traditional.h"
#include "sheets/stadia/traditional_listing.h"

using namespace kestrel;

namespace {

void RequireFiniteRows(const Traditional& sheet) {
  for (const TraditionalRow& row : sheet.Rows()) {
    for (const double value : {double{row.hz}, double{row.lowHair}, double{row.midHair},
                               double{row.topHair}, row.east, row.north, double{row.height}}) {
      fuzz::RequireFinite(value);
    }
    if (row.type != kTradAtBs) fuzz::RequireFinite(row.obs2);  // AT/BS: the backsight bits
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzContext context;
  const std::string path = fuzz::WriteScratchFile(
      "trad1.tst", std::string_view(reinterpret_cast<const char*>(data), size));
  Traditional sheet(context.ctx);
  if (sheet.LoadFromFile(path) != 1) return 0;
  RequireFiniteRows(sheet);
  sheet.Command(kCmdCalculate);
  RequireFiniteRows(sheet);
  // What was read saves, and reads back to the same rows.
  const std::string copy = fuzz::ScratchFolder() + "/trad2.tst";
  if (sheet.SaveToFile(copy) != 1) std::abort();
  Traditional reread(context.ctx);
  if (reread.LoadFromFile(copy) != 1) std::abort();
  const std::string again = fuzz::ScratchFolder() + "/trad3.tst";
  if (reread.SaveToFile(again) != 1 || fuzz::FileBytes(again) != fuzz::FileBytes(copy))
    std::abort();
  // The cells and the listing with the texts emptied (a text may say "inf"
  // itself): no number in them is non-finite.
  for (TraditionalRow& row : sheet.Rows()) {
    row.code.clear();
    row.comment.clear();
    row.note.clear();
  }
  for (const bool wide : {false, true}) {
    sheet.Command(kCmdShowCoordinates, std::int64_t{wide ? 1 : 0});
    for (const std::string& line : TraditionalListingLines(sheet, 0, sheet.RowCount())) {
      fuzz::RequireNoNonFiniteText(line);
    }
    fuzz::ShowEveryCell(sheet, context, sheet.ColumnCount(), fuzz::RequireNoNonFiniteText);
  }
  return 0;
}
