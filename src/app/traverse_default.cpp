#include "app/traverse_default.h"

namespace kestrel {

CTraverseDefault::CTraverseDefault(QWidget* parent)
    : CEntryTypeDialog(
          "Traverse Default",
          {"Stn", "Bsite", "Fnote", "Traverse", "Dual", "Rounds", "SShot", "Close", "Robj"},
          parent) {}

int AskTraverseDefaultType(QWidget* parent) {
  CTraverseDefault dialog(parent);
  return AskEntryType(dialog);
}

}  // namespace kestrel
