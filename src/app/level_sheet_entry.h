#pragma once
// "Level Sheet Default": the row type the level sheet gives to new rows.
#include <QDialog>

class QButtonGroup;

namespace kestrel {

class CLevelSheetEntry : public QDialog {
  Q_OBJECT

 public:
  explicit CLevelSheetEntry(QWidget* parent = nullptr);
  // 0 "Normal" (a point row), 1 "Field Note", or -1 when none was chosen.
  int Value() const;
  void SetValue(int type);

 private:
  QButtonGroup* types_;
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskLevelSheetDefaultType(QWidget* parent);

}  // namespace kestrel
