#pragma once
// "Level Sheet Default": the row type the level sheet gives to new rows.
#include "app/entry_type_dialog.h"

namespace kestrel {

// 0 "Normal" (a point row), 1 "Field Note".
class CLevelSheetEntry : public CEntryTypeDialog {
  Q_OBJECT

 public:
  explicit CLevelSheetEntry(QWidget* parent = nullptr);
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskLevelSheetDefaultType(QWidget* parent);

}  // namespace kestrel
