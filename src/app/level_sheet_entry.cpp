#include "app/level_sheet_entry.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrel {

CLevelSheetEntry::CLevelSheetEntry(QWidget* parent)
    : QDialog(parent), types_(new QButtonGroup(this)) {
  setWindowTitle("Level Sheet Default");
  auto* layout = new QVBoxLayout(this);
  int type = 0;
  for (const char* label : {"Normal", "Field Note"}) {
    auto* button = new QRadioButton(label, this);
    types_->addButton(button, type++);
    layout->addWidget(button);
  }
  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  layout->addWidget(ok);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

int CLevelSheetEntry::Value() const { return types_->checkedId(); }

void CLevelSheetEntry::SetValue(int type) {
  if (QAbstractButton* button = types_->button(type)) button->setChecked(true);
}

int AskLevelSheetDefaultType(QWidget* parent) {
  CLevelSheetEntry dialog(parent);
  return dialog.exec() == QDialog::Accepted ? dialog.Value() : -1;
}

}  // namespace kestrel
