#pragma once
// "Stadia Default" of the Traditional Stadia sheet: the row type new rows get.
#include <QDialog>

class QButtonGroup;

namespace kestrel {

class CTraditionalEntrySelection : public QDialog {
  Q_OBJECT

 public:
  explicit CTraditionalEntrySelection(QWidget* parent = nullptr);
  // The chosen row type 0 to 5 (STN to MH/SI), or -1 when none was chosen.
  int Value() const;

 private:
  QButtonGroup* types_;
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskTraditionalDefaultType(QWidget* parent);

}  // namespace kestrel
