#pragma once
// "Reselect imported points": the reconciliation of an upload whose points
// partly exist in the host's database, over the core's ImportedPoints.
#include <QDialog>
#include <QIcon>
#include <vector>

#include "hostlink/host_link_view.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kestrel {

class CImportedPoints : public QDialog {
  Q_OBJECT

 public:
  CImportedPoints(ImportedPoints& points, QWidget* parent = nullptr);

  QListWidget* IncomingList() const { return incoming_; }
  QListWidget* ExistingList() const { return existing_; }
  QRadioButton* ChoiceButton(ReconcileChoice choice) const;
  QCheckBox* RangeCheck() const { return range_; }
  QLineEdit* RangeFrom() const { return from_; }
  QLineEdit* RangeTo() const { return to_; }
  QPushButton* ApplyRangeButton() const { return apply_; }

  void accept() override;

 private:
  void Choose(ReconcileChoice choice);
  void ShowOffsets();
  void FillLists();
  void AddItems(QListWidget* list);
  void ReadRange();

  ImportedPoints& points_;
  QListWidget* incoming_;
  QListWidget* existing_;
  QRadioButton* choices_[4];
  QLineEdit* offsetAll_;
  QLineEdit* offsetSome_;
  QCheckBox* range_;
  QLineEdit* from_;
  QLineEdit* to_;
  QPushButton* apply_;
  QIcon red_, green_;
  // What the lists show; they hold only the items added so far.
  std::vector<PointListItem> incomingItems_, existingItems_;
};

// The reconciler the view's upload uses: the dialog, modal.
class DialogReconciler : public Reconciler {
 public:
  explicit DialogReconciler(QWidget* parent) : parent_(parent) {}
  bool Reconcile(ImportedPoints& points) override;

 private:
  QWidget* parent_;
};

}  // namespace kestrel
