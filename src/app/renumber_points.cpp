#include "app/renumber_points.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "platform/number_text.h"

namespace kestrel {

namespace {

constexpr NumberRange kAllPoints{-10000000, 100000000};

QLineEdit* NumberField(const char* text, QWidget* parent) {
  auto* field = new QLineEdit(text, parent);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression("-?[0-9]{0,10}"), field));
  return field;
}

}  // namespace

CRenumberPoints::CRenumberPoints(QWidget* parent)
    : QDialog(parent),
      all_(new QRadioButton("All", this)),
      range_(new QRadioButton("Range", this)),
      from_(NumberField("1", this)),
      to_(NumberField("1", this)),
      start_(NumberField("1", this)) {
  setWindowTitle("Renumber Points");
  all_->setChecked(true);
  auto* layout = new QFormLayout(this);
  layout->addRow(all_);
  layout->addRow(range_);
  layout->addRow("from", from_);
  layout->addRow("to", to_);
  layout->addRow("Start number", start_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

Renumbering CRenumberPoints::Choice() const {
  Renumbering choice;
  choice.range = all_->isChecked() ? kAllPoints
                                   : NumberRange{ReadInt64(from_->text().toStdString()),
                                                 ReadInt64(to_->text().toStdString())};
  choice.start = ReadInt64(start_->text().toStdString());
  return choice;
}

std::optional<Renumbering> AskRenumbering(QWidget* parent) {
  CRenumberPoints dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

}  // namespace kestrel
