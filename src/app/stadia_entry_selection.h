#pragma once
// "Stadia Default": the row type the stadia sheet gives to new rows.
#include <QDialog>

class QButtonGroup;

namespace kestrel {

class CStadiaEntrySelection : public QDialog {
  Q_OBJECT

 public:
  explicit CStadiaEntrySelection(QWidget* parent = nullptr);
  // The chosen row type 0 to 6 (STN to CHK), or -1 when none was chosen.
  int Value() const;
  void SetValue(int type);

 private:
  QButtonGroup* types_;
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskStadiaDefaultType(QWidget* parent);

}  // namespace kestrel
