#include "app/level_sheet_entry.h"

namespace kestrel {

CLevelSheetEntry::CLevelSheetEntry(QWidget* parent)
    : CEntryTypeDialog("Level Sheet Default", {"Normal", "Field Note"}, parent) {}

int AskLevelSheetDefaultType(QWidget* parent) {
  CLevelSheetEntry dialog(parent);
  return AskEntryType(dialog);
}

}  // namespace kestrel
