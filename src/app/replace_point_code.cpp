#include "app/replace_point_code.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "app/qt_ports.h"

namespace kestrel {

CReplacePointCode::CReplacePointCode(QWidget* parent)
    : QDialog(parent), oldCode_(new QLineEdit(this)), newCode_(new QLineEdit(this)) {
  setWindowTitle("Replace Point Code");
  auto* layout = new QFormLayout(this);
  layout->addRow("Enter Point Code", oldCode_);
  layout->addRow("Replace With", newCode_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CodeReplacement CReplacePointCode::Replacement() const {
  return {FromQt(oldCode_->text()), FromQt(newCode_->text())};
}

std::optional<CodeReplacement> AskCodeReplacement(QWidget* parent) {
  CReplacePointCode dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Replacement();
}

}  // namespace kestrel
