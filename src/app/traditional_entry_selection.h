#pragma once
// "Stadia Default" of the Traditional Stadia sheet: the row type new rows get.
#include "app/entry_type_dialog.h"

namespace kestrel {

// The row types 0 to 5 (STN to MH/SI).
class CTraditionalEntrySelection : public CEntryTypeDialog {
  Q_OBJECT

 public:
  explicit CTraditionalEntrySelection(QWidget* parent = nullptr);
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskTraditionalDefaultType(QWidget* parent);

}  // namespace kestrel
