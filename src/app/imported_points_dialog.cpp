#include "app/imported_points_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

#include "platform/number_text.h"

namespace kestrel {

namespace {

constexpr ReconcileChoice kChoices[] = {ReconcileChoice::kAlterAll, ReconcileChoice::kAlterSome,
                                        ReconcileChoice::kReplace, ReconcileChoice::kReplaceFields};
constexpr const char* kChoiceTexts[] = {"Alter all incoming points by",
                                        "Alter some incoming points by",
                                        "Replace existing points with incoming points",
                                        "Replace individual fields with incoming fields"};

QIcon Square(Qt::GlobalColor color) {
  QPixmap pixmap(10, 10);
  pixmap.fill(color);
  return QIcon(pixmap);
}

std::int64_t ReadNumber(const QLineEdit* field) { return ReadInt64(field->text().toStdString()); }

}  // namespace

CImportedPoints::CImportedPoints(ImportedPoints& points, QWidget* parent)
    : QDialog(parent),
      points_(points),
      incoming_(new QListWidget(this)),
      existing_(new QListWidget(this)),
      offsetAll_(new QLineEdit(this)),
      offsetSome_(new QLineEdit(this)),
      range_(new QCheckBox("Import point range", this)),
      from_(new QLineEdit(this)),
      to_(new QLineEdit(this)),
      apply_(new QPushButton("Apply pt range", this)),
      red_(Square(Qt::red)),
      green_(Square(Qt::green)) {
  setWindowTitle("Reselect imported points");
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Points to be added to database", this), 0, 0);
  layout->addWidget(new QLabel("Existing points in database", this), 0, 1);
  for (QListWidget* list : {incoming_, existing_}) {
    list->setUniformItemSizes(true);
    // The next hundred items whenever the list is scrolled to its end.
    QScrollBar* bar = list->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this, list, bar](int value) {
      if (value >= bar->maximum()) AddItems(list);
    });
  }
  layout->addWidget(incoming_, 1, 0);
  layout->addWidget(existing_, 1, 1);
  int row = 2;
  for (int i = 0; i < 4; ++i) {
    choices_[i] = new QRadioButton(kChoiceTexts[i], this);
    layout->addWidget(choices_[i], row, 0);
    connect(choices_[i], &QRadioButton::clicked, this, [this, i] { Choose(kChoices[i]); });
    if (i < 2) layout->addWidget(i == 0 ? offsetAll_ : offsetSome_, row, 1);
    ++row;
  }
  auto* rangeRow = new QHBoxLayout;
  rangeRow->addWidget(range_);
  rangeRow->addWidget(from_);
  rangeRow->addWidget(new QLabel("to", this));
  rangeRow->addWidget(to_);
  rangeRow->addWidget(apply_);
  layout->addLayout(rangeRow, row++, 0, 1, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons, row, 0, 1, 2);
  connect(buttons, &QDialogButtonBox::accepted, this, &CImportedPoints::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  from_->setText(QString::number(points_.rangeFrom));
  to_->setText(QString::number(points_.rangeTo));
  from_->setEnabled(false);
  to_->setEnabled(false);
  connect(range_, &QCheckBox::toggled, this, [this](bool checked) {
    from_->setEnabled(checked);
    to_->setEnabled(checked);
    points_.SetRangeChecked(checked);
    Choose(points_.Choice());
  });
  connect(apply_, &QPushButton::clicked, this, [this] {
    ReadRange();
    points_.ApplyRange();
    Choose(points_.Choice());
  });
  choices_[0]->setChecked(true);
  Choose(points_.Choice());
}

QRadioButton* CImportedPoints::ChoiceButton(ReconcileChoice choice) const {
  for (int i = 0; i < 4; ++i)
    if (kChoices[i] == choice) return choices_[i];
  return nullptr;
}

void CImportedPoints::ReadRange() {
  points_.rangeFrom = ReadNumber(from_);
  points_.rangeTo = ReadNumber(to_);
}

void CImportedPoints::Choose(ReconcileChoice choice) {
  points_.Choose(choice);
  ShowOffsets();
  FillLists();
}

void CImportedPoints::ShowOffsets() {
  offsetAll_->setText(QString::number(points_.offsetAll));
  offsetSome_->setText(QString::number(points_.offsetSome));
}

void CImportedPoints::FillLists() {
  if (points_.NothingToAdd()) QMessageBox::information(this, windowTitle(), "no points to add");
  incomingItems_ = points_.IncomingItems();
  existingItems_ = points_.ExistingItems();
  for (QListWidget* list : {incoming_, existing_}) {
    list->clear();
    AddItems(list);
  }
}

// An upload of 10^5 points opens its lists at once: the items go in a
// hundred at a time, the first hundred now and the next as the list is
// scrolled to its end.
void CImportedPoints::AddItems(QListWidget* list) {
  constexpr int kItemsAtATime = 100;
  const bool incoming = list == incoming_;
  const std::vector<PointListItem>& items = incoming ? incomingItems_ : existingItems_;
  const int first = list->count();
  const int end = std::min(first + kItemsAtATime, static_cast<int>(items.size()));
  for (int i = first; i < end; ++i) {
    const PointListItem& item = items[static_cast<std::size_t>(i)];
    const QString text = QString::fromStdString(item.text);
    if (incoming) {
      list->addItem(new QListWidgetItem(item.inDatabase ? red_ : green_, text));
    } else {
      list->addItem(text);
    }
  }
}

void CImportedPoints::accept() {
  // Offsets typed over the computed ones are the ones applied.
  points_.offsetAll = ReadNumber(offsetAll_);
  points_.offsetSome = ReadNumber(offsetSome_);
  if (range_->isChecked()) ReadRange();
  points_.Accept();
  QDialog::accept();
}

bool DialogReconciler::Reconcile(ImportedPoints& points) {
  CImportedPoints dialog(points, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace kestrel
