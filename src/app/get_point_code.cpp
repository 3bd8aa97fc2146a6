#include "app/get_point_code.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "app/qt_ports.h"

namespace kestrel {

CGetPointCode::CGetPointCode(QWidget* parent) : QDialog(parent), code_(new QLineEdit(this)) {
  setWindowTitle("Point Code to Get");
  auto* layout = new QFormLayout(this);
  layout->addRow("Enter Point Code", code_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::string CGetPointCode::Code() const { return FromQt(code_->text()); }

std::optional<std::string> AskPointCode(QWidget* parent) {
  CGetPointCode dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Code();
}

}  // namespace kestrel
