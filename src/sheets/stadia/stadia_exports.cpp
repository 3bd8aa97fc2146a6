// The observation strings of a Stadia sheet.
#include "sheets/stadia/stadia_exports.h"

#include "platform/printf_format.h"
#include "sheets/stadia/stadia.h"

namespace kestrel {

int AppendObservationStrings(Stadia& sheet, std::string* text) {
  std::string scratch;
  std::string& out = text != nullptr ? *text : scratch;
  std::uint32_t instrument = kNoPoint;
  bool setUp = false;
  for (const StadiaRow& row : sheet.Rows()) {
    if (row.type == kStadiaAtBs) {
      instrument = row.point;
      setUp = true;
    } else if (row.type == kStadiaSdHt && setUp) {
      // A string runs between numbered points only.
      if (instrument == kNoPoint || row.point == kNoPoint) continue;
      out += Sprintf("Lot obs%d,7,1,%d,%d\r\n", 1, static_cast<int>(instrument),
                     static_cast<int>(row.point));
    }
  }
  sheet.Context().messages.Show(out);
  return 0;
}

}  // namespace kestrel
