#include "app/traditional_tolerance.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

namespace kestrel {

CTraditionalTolerance::CTraditionalTolerance(QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit("0.01", this)) {
  setWindowTitle("Dialog");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Enter Tolerance (3Hair allowable error)", this));
  layout->addWidget(edit_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// Rounded rather than cut, so that 0.029 (28.999... thousandths in binary)
// is kept as 29.
std::optional<std::int64_t> CTraditionalTolerance::Thousandths() const {
  bool ok = false;
  const double value = edit_->text().trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value) || std::fabs(value) > 1e6) return std::nullopt;
  return std::llround(value * 1000.0);
}

std::optional<std::int64_t> AskTraditionalTolerance(QWidget* parent) {
  CTraditionalTolerance dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Thousandths();
}

}  // namespace kestrel
