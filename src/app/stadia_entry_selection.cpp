#include "app/stadia_entry_selection.h"

namespace kestrel {

CStadiaEntrySelection::CStadiaEntrySelection(QWidget* parent)
    : CEntryTypeDialog("Stadia Default",
                       {"Stn", "AT/BS", "Fnote", "SD/HT", "HZ/DH", "HD/RL", "CHK"}, parent) {}

int AskStadiaDefaultType(QWidget* parent) {
  CStadiaEntrySelection dialog(parent);
  return AskEntryType(dialog);
}

}  // namespace kestrel
