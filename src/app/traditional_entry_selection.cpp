#include "app/traditional_entry_selection.h"

namespace kestrel {

CTraditionalEntrySelection::CTraditionalEntrySelection(QWidget* parent)
    : CEntryTypeDialog("Stadia Default", {"Stn", "AT/BS", "Fnote", "3 Hair", "MH/SD", "MH/SI"},
                       parent) {}

int AskTraditionalDefaultType(QWidget* parent) {
  CTraditionalEntrySelection dialog(parent);
  return AskEntryType(dialog);
}

}  // namespace kestrel
