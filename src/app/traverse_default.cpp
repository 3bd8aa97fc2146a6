#include "app/traverse_default.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrel {

CTraverseDefault::CTraverseDefault(QWidget* parent)
    : QDialog(parent), types_(new QButtonGroup(this)) {
  setWindowTitle("Traverse Default");
  auto* layout = new QVBoxLayout(this);
  const char* const labels[] = {"Stn",    "Bsite", "Fnote", "Traverse", "Dual",
                                "Rounds", "SShot", "Close", "Robj"};
  int type = 0;
  for (const char* label : labels) {
    auto* button = new QRadioButton(label, this);
    types_->addButton(button, type++);
    layout->addWidget(button);
  }
  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  layout->addWidget(ok);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  // Wide enough for the title, which the window manager would cut short.
  setMinimumWidth(220);
}

int CTraverseDefault::Value() const { return types_->checkedId(); }

void CTraverseDefault::SetValue(int type) {
  if (QAbstractButton* button = types_->button(type)) button->setChecked(true);
}

int AskTraverseDefaultType(QWidget* parent) {
  CTraverseDefault dialog(parent);
  return dialog.exec() == QDialog::Accepted ? dialog.Value() : -1;
}

}  // namespace kestrel
