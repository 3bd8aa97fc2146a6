#pragma once
// "Stadia Default": the row type the stadia sheet gives to new rows.
#include "app/entry_type_dialog.h"

namespace kestrel {

// The row types 0 to 6 (STN to CHK).
class CStadiaEntrySelection : public CEntryTypeDialog {
  Q_OBJECT

 public:
  explicit CStadiaEntrySelection(QWidget* parent = nullptr);
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskStadiaDefaultType(QWidget* parent);

}  // namespace kestrel
