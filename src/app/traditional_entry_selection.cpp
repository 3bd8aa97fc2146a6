#include "app/traditional_entry_selection.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrel {

CTraditionalEntrySelection::CTraditionalEntrySelection(QWidget* parent)
    : QDialog(parent), types_(new QButtonGroup(this)) {
  setWindowTitle("Stadia Default");
  auto* layout = new QVBoxLayout(this);
  const char* const labels[] = {"Stn", "AT/BS", "Fnote", "3 Hair", "MH/SD", "MH/SI"};
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
}

int CTraditionalEntrySelection::Value() const { return types_->checkedId(); }

int AskTraditionalDefaultType(QWidget* parent) {
  CTraditionalEntrySelection dialog(parent);
  return dialog.exec() == QDialog::Accepted ? dialog.Value() : -1;
}

}  // namespace kestrel
