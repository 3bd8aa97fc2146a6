#include "app/get_point_number.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "app/qt_ports.h"
#include "platform/number_text.h"

namespace kestrel {

CGetPointNumber::CGetPointNumber(QWidget* parent) : QDialog(parent), number_(new QLineEdit(this)) {
  setWindowTitle("Get Point Specified");
  number_->setValidator(
      new QRegularExpressionValidator(QRegularExpression("-?[0-9]{0,10}"), number_));
  auto* layout = new QFormLayout(this);
  layout->addRow("Enter Point number", number_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::int64_t CGetPointNumber::Number() const { return ReadInt64(FromQt(number_->text())); }

std::optional<std::int64_t> AskPointNumber(QWidget* parent) {
  CGetPointNumber dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Number();
}

}  // namespace kestrel
