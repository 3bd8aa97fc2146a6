#include "app/traverse_report_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrel {

CTraverseReportDialog::CTraverseReportDialog(QWidget* parent)
    : QDialog(parent),
      rtf_(new QRadioButton("RTF (Word)", this)),
      csv_(new QRadioButton("CSV (Excell)", this)),
      corrected_(new QCheckBox("Display Corrected Bearings/Distances", this)) {
  setWindowTitle("View Traverse Correction Report");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(rtf_);
  layout->addWidget(csv_);
  layout->addWidget(corrected_);
  rtf_->setChecked(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TraverseReportChoice CTraverseReportDialog::Choice() const {
  TraverseReportChoice choice;
  choice.csv = csv_->isChecked();
  choice.corrected = corrected_->isChecked();
  return choice;
}

std::optional<TraverseReportChoice> QtTraverseReportChooser::Choose() {
  CTraverseReportDialog dialog(parent_);
  (last_.csv ? dialog.CsvButton() : dialog.RtfButton())->setChecked(true);
  dialog.CorrectedBox()->setChecked(last_.corrected);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  last_ = dialog.Choice();
  return last_;
}

}  // namespace kestrel
