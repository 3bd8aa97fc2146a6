#include "app/print_report_options.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kestrel {
namespace {

// A page holds at least one line, so that the page count stays finite.
constexpr int kMinLinesPerPage = 1;
constexpr int kMaxLinesPerPage = 1000;

}  // namespace

CPrintReportOptions::CPrintReportOptions(const PrintOptions& options, QWidget* parent)
    : QDialog(parent),
      lines_(new QSpinBox(this)),
      corrected_(new QCheckBox("Show corrected bearing and distance", this)) {
  setWindowTitle("Print Report Options");
  lines_->setRange(kMinLinesPerPage, kMaxLinesPerPage);
  lines_->setValue(options.linesPerPage);
  corrected_->setChecked(options.corrected);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Enter number of lines per page", this));
  layout->addWidget(lines_);
  layout->addWidget(new QLabel("(60 portrait - 40 landscape)", this));
  layout->addWidget(corrected_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PrintOptions CPrintReportOptions::Options() const {
  return {lines_->value(), corrected_->isChecked()};
}

std::optional<PrintOptions> AskPrintOptions(const PrintOptions& options, QWidget* parent) {
  CPrintReportOptions dialog(options, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Options();
}

}  // namespace kestrel
