#include "app/stadia_entry_selection.h"

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

CStadiaEntrySelection::CStadiaEntrySelection(QWidget* parent)
    : QDialog(parent), types_(new QButtonGroup(this)) {
  setWindowTitle("Stadia Default");
  auto* layout = new QVBoxLayout(this);
  const char* const labels[] = {"Stn", "AT/BS", "Fnote", "SD/HT", "HZ/DH", "HD/RL", "CHK"};
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

int CStadiaEntrySelection::Value() const { return types_->checkedId(); }

void CStadiaEntrySelection::SetValue(int type) {
  if (QAbstractButton* button = types_->button(type)) button->setChecked(true);
}

int AskStadiaDefaultType(QWidget* parent) {
  CStadiaEntrySelection dialog(parent);
  return dialog.exec() == QDialog::Accepted ? dialog.Value() : -1;
}

}  // namespace kestrel
