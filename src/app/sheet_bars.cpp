#include "app/sheet_bars.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "app/command_ids.h"
#include "app/qt_ports.h"
#include "platform/number_text.h"

namespace kestrel {
namespace {

constexpr int kTraverseListId = 107;
constexpr int kGeoidCheckId = 133;
constexpr int kVerticalAdjustmentId = 135;

void AddGap(QToolBar& bar, int pixels) {
  auto* gap = new QWidget(&bar);
  gap->setFixedWidth(pixels);
  bar.addWidget(gap);
}

void AddLabel(QToolBar& bar, const char* text, int width) {
  auto* label = new QLabel(text, &bar);
  label->setFixedWidth(width);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bar.addWidget(label);
}

// A read-only result box; its control number is kept as its object name.
QLineEdit* AddBox(QToolBar& bar, int controlId, int width) {
  auto* box = new QLineEdit(&bar);
  box->setObjectName(QString::number(controlId));
  box->setReadOnly(true);
  box->setFixedWidth(width);
  bar.addWidget(box);
  return box;
}

}  // namespace

CTraverseNoteList::CTraverseNoteList(QWidget* parent) : QComboBox(parent) {
  setObjectName(QString::number(kTraverseListId));
  setFixedWidth(100);
  Refill();
}

void CTraverseNoteList::Refill() {
  clear();
  const std::vector<std::string> notes =
      traverseNotes ? traverseNotes() : std::vector<std::string>{};
  for (const std::string& note : notes) addItem(ToQt(note));
  if (count() == 0) addItem("No Traverses defined");
}

void CTraverseNoteList::showPopup() {
  Refill();
  QComboBox::showPopup();
}

CMiscloseBar::CMiscloseBar(const ActionLookup& action, QWidget* parent)
    : QToolBar("Misclose", parent), traverses_(new CTraverseNoteList(this)) {
  setObjectName("MiscloseBar");
  addAction(action(kIdCalculateMisclose));
  AddGap(*this, 12);
  addWidget(traverses_);
  AddGap(*this, 3);
  AddLabel(*this, "Misclose: Ang", 120);
  angular_ = AddBox(*this, 109, 80);
  AddGap(*this, 3);
  AddLabel(*this, "Bear", 40);
  bearing_ = AddBox(*this, 111, 80);
  AddGap(*this, 3);
  AddLabel(*this, "Dist", 40);
  distance_ = AddBox(*this, 113, 80);
}

void CMiscloseBar::SetMisclose(const QString& angular, const QString& bearing,
                               const QString& distance) {
  angular_->setText(angular);
  bearing_->setText(bearing);
  distance_->setText(distance);
}

CMiscloseBar1::CMiscloseBar1(const ActionLookup& action, QWidget* parent)
    : QToolBar("Adjustment", parent) {
  setObjectName("AdjustmentBar");
  for (int id : std::initializer_list<int>{kIdAngularClose, kIdBowditch, kIdCompass, kIdTransit,
                                           kIdCrandall, kIdHeightAdjustment}) {
    addAction(action(id));
  }
  AddGap(*this, 12);
  AddLabel(*this, "Perimeter", 120);
  perimeter_ = AddBox(*this, 115, 80);
  AddGap(*this, 3);
  AddLabel(*this, "Acc", 40);
  accuracy_ = AddBox(*this, 117, 80);
}

void CMiscloseBar1::SetPerimeter(const QString& text) { perimeter_->setText(text); }

void CMiscloseBar1::SetAccuracy(const QString& text) { accuracy_->setText(text); }

CGeoidBar::CGeoidBar(const ActionLookup& action, QWidget* parent)
    : QToolBar("Precision Stadia", parent),
      geoidCorrection_(new QCheckBox("Geoid Correction", this)),
      verticalAdjustment_(new QLineEdit("0", this)) {
  setObjectName("GeoidBar");
  for (int id :
       std::initializer_list<int>{kIdCalculateCoordinates, kIdGeoidParameters, kIdLeastSquares}) {
    addAction(action(id));
  }
  AddGap(*this, 12);
  geoidCorrection_->setObjectName(QString::number(kGeoidCheckId));
  geoidCorrection_->setFixedWidth(130);
  addWidget(geoidCorrection_);
  AddLabel(*this, "Vertical Adj", 100);
  verticalAdjustment_->setObjectName(QString::number(kVerticalAdjustmentId));
  verticalAdjustment_->setFixedWidth(100);
  addWidget(verticalAdjustment_);
}

bool CGeoidBar::IsGeoidCorrection() const {
  return geoidCorrection_->checkState() != Qt::Unchecked;
}

double CGeoidBar::VerticalAdjustment() const {
  return ReadDouble(FromQt(verticalAdjustment_->text()));
}

QToolBar* CreateLevelBookBar(const ActionLookup& action, QWidget* parent) {
  auto* bar = new QToolBar("Level Book", parent);
  bar->setObjectName("LevelBookBar");
  bar->addAction(action(kIdCalculateCoordinates));
  bar->addAction(action(kIdPrintToFile));
  bar->addAction(action(kIdStoreInDatabase));
  return bar;
}

}  // namespace kestrel
