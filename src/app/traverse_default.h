#pragma once
// "Traverse Default": the row type the traverse sheet gives to new rows.
#include <QDialog>

class QButtonGroup;

namespace kestrel {

class CTraverseDefault : public QDialog {
  Q_OBJECT

 public:
  explicit CTraverseDefault(QWidget* parent = nullptr);
  // The chosen row type 0 to 8 (STN to Robj), or -1 when none was chosen.
  // Check rows are typed through the grid's drop list only.
  int Value() const;
  void SetValue(int type);

 private:
  QButtonGroup* types_;
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskTraverseDefaultType(QWidget* parent);

}  // namespace kestrel
