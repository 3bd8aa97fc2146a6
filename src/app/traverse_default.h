#pragma once
// "Traverse Default": the row type the traverse sheet gives to new rows.
#include "app/entry_type_dialog.h"

namespace kestrel {

// The row types 0 to 8 (STN to Robj); Check rows are typed through the
// grid's drop list only.
class CTraverseDefault : public CEntryTypeDialog {
  Q_OBJECT

 public:
  explicit CTraverseDefault(QWidget* parent = nullptr);
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskTraverseDefaultType(QWidget* parent);

}  // namespace kestrel
