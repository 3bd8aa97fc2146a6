#pragma once
// "Field Table Selection": the sheet kind, its number and the sheet file to
// work on, at start-up, for File Open and for a sheet's append command. The
// dialog only wires its controls to the job layer's rules.
#include <QDialog>
#include <optional>

#include "job/job_location.h"
#include "job/sheet_chooser.h"
#include "job/sheet_types.h"
#include "platform/ports.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrel {

class CTableSelection : public QDialog, public SheetChooser {
  Q_OBJECT

 public:
  explicit CTableSelection(Messages& messages, QWidget* parent = nullptr);

  // Fills the controls for the job, sheet kind and number without showing
  // the dialog.
  void Prepare(const JobLocation& job, SheetType type, int number);
  // Prepare, then the modal dialog: the chosen sheet, or nullopt on Cancel.
  std::optional<SheetChoice> Choose(const JobLocation& job, SheetType type, int number) override;
  // The choice the dialog closed with.
  SheetChoice Result() const;

  SheetType Type() const;
  // The number field read as an integer and kept within 1 to 99.
  int Number() const;

  QRadioButton* TypeButton(SheetType type) const;
  QLineEdit* NumberField() const { return number_; }
  QLabel* NumberLabel() const { return numberLabel_; }
  QLineEdit* PathField() const { return path_; }
  QPushButton* BrowseButton() const { return browse_; }
  QPushButton* OpenExistingButton() const { return openExisting_; }
  QPushButton* NewButton() const { return new_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The file-open dialog of "Browse...": the chosen file, or an empty text.
  virtual QString AskForSheetFile(const QString& folder, SheetType type);

 private:
  void SetType(SheetType type);
  void SetPath(const std::string& path);
  std::string PathText() const;
  void OnTypeChosen(int type);
  void OnNumberEdited();
  void OnNumberEnter();
  void OnBrowse();
  void OnOpenExisting();
  void OnNew();

  Messages& messages_;
  JobLocation job_;
  QButtonGroup* types_;
  QLabel* numberLabel_;
  QLineEdit* number_;
  QLineEdit* path_;
  QPushButton* browse_;
  QPushButton* cancel_;
  QPushButton* openExisting_;
  QPushButton* new_;
};

}  // namespace kestrel
