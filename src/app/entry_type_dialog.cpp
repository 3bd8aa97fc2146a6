#include "app/entry_type_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrel {
namespace {

// Room the window manager takes beside the title: icon, close button, margins.
constexpr int kTitleBarButtonsWidth = 140;

}  // namespace

CEntryTypeDialog::CEntryTypeDialog(const QString& title, std::initializer_list<const char*> labels,
                                   QWidget* parent)
    : QDialog(parent), types_(new QButtonGroup(this)) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
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
  // The buttons alone would make the dialog narrower than its title, which
  // the window manager then cuts short.
  const int titleWidth =
      QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(windowTitle());
  setMinimumWidth(titleWidth + kTitleBarButtonsWidth);
}

int CEntryTypeDialog::Value() const { return types_->checkedId(); }

void CEntryTypeDialog::SetValue(int type) {
  if (QAbstractButton* button = types_->button(type)) button->setChecked(true);
}

int AskEntryType(CEntryTypeDialog& dialog) {
  return dialog.exec() == QDialog::Accepted ? dialog.Value() : -1;
}

}  // namespace kestrel
