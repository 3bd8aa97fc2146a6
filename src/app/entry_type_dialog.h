#pragma once
// A sheet kind's "Entry Type" dialog: one radio button per row type that new
// rows can be given, in type order, and OK. The kinds' dialogs differ only in
// their titles and buttons.
#include <QDialog>
#include <initializer_list>

class QButtonGroup;

namespace kestrel {

class CEntryTypeDialog : public QDialog {
  Q_OBJECT

 public:
  CEntryTypeDialog(const QString& title, std::initializer_list<const char*> labels,
                   QWidget* parent);
  // The chosen row type (the place of its button), or -1 when none was
  // chosen.
  int Value() const;
  void SetValue(int type);

 private:
  QButtonGroup* types_;
};

// Shows the dialog; the chosen type, or -1 when none was chosen or the dialog
// was closed.
int AskEntryType(CEntryTypeDialog& dialog);

}  // namespace kestrel
