#include "app/progress_status_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <QSettings>

#include "app/app_fonts.h"
#include "job/application_state.h"

namespace kestrel {
namespace {

constexpr int kBearingControlId = 126;
constexpr int kDistanceControlId = 128;
constexpr int kProgressWidth = 160;
// The selectors' widths in pixels: bearing, distance R-180 to
// R-95 of the indicator pane's right edge R.
constexpr int kBearingWidth = 75;
constexpr int kDistanceWidth = 85;

QString ProfileKey(const char* key) { return QString("%1/%2").arg(kUnitsSection, key); }

int ProfileIndex(const char* key) { return QSettings().value(ProfileKey(key), 0).toInt(); }

QLabel* Indicator(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setEnabled(false);  // lock-key states are not reported by every desktop
  return label;
}

}  // namespace

CComboStatusBar::CComboStatusBar(int controlId, QWidget* parent)
    : QComboBox(parent), controlId_(controlId) {
  setSizeAdjustPolicy(QComboBox::AdjustToContents);
  setFocusPolicy(Qt::ClickFocus);  // the grid keeps the keyboard
}

int BearingModeOfIndex(int index) {
  switch (index) {
    case 1:
      return 3;  // quadrant
    case 2:
      return 1;  // grads
    default:
      return 0;  // whole circle
  }
}

int ValidSelectorIndex(int index) { return index >= 0 && index <= 2 ? index : 0; }

int InitialDistanceIndex(int profileIndex, const ApplicationState& app) {
  if (!app.hostDistanceUnitKnown || app.hostDistanceUnit == -1) {
    return ValidSelectorIndex(profileIndex);
  }
  switch (app.hostDistanceUnit) {
    case 3:
    case 5:
      return 0;  // metres
    case 4:
      return 1;  // decimal feet
    default:
      return ValidSelectorIndex(app.hostDistanceUnit);
  }
}

CProgressStatusBar::CProgressStatusBar(const ApplicationState& app, QWidget* parent)
    : QStatusBar(parent),
      progressText_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      secondText_(new QLabel(this)),
      resultsNote_(new QLabel(this)),
      bearing_(new CComboStatusBar(kBearingControlId, this)),
      distance_(new CComboStatusBar(kDistanceControlId, this)) {
  setFont(StatusBarFont());
  addWidget(progressText_, 1);
  progress_->setFixedWidth(kProgressWidth);
  progress_->setTextVisible(false);
  addWidget(progress_);
  addWidget(secondText_, 1);
  progress_->hide();
  secondText_->hide();

  distance_->addItems({"Metres", "Dec Feet", "Feet Inches"});
  bearing_->addItems({"Whole Circle", "Quadrant", "Grads"});
  distance_->setMinimumWidth(kDistanceWidth);
  bearing_->setMinimumWidth(kBearingWidth);
  bearing_->setCurrentIndex(ValidSelectorIndex(ProfileIndex(kBearingKey)));
  distance_->setCurrentIndex(InitialDistanceIndex(ProfileIndex(kDistanceKey), app));
  resultsNote_->setObjectName("ResultsNote");
  addPermanentWidget(resultsNote_);
  addPermanentWidget(distance_);
  addPermanentWidget(bearing_);
  addPermanentWidget(Indicator("CAP", this));
  addPermanentWidget(Indicator("NUM", this));
  addPermanentWidget(Indicator("SCRL", this));

  connect(bearing_, &QComboBox::currentIndexChanged, this, [this] {
    BearingMode();
    emit SelectorsChanged();
  });
  connect(distance_, &QComboBox::currentIndexChanged, this, [this] {
    DistanceUnit();
    emit SelectorsChanged();
  });
}

void CProgressStatusBar::SetProgressText(const QString& text) {
  progressText_->setText(text);
  progressText_->repaint();
}

QString CProgressStatusBar::ProgressText() const { return progressText_->text(); }

void CProgressStatusBar::ShowProgress(bool show) {
  progressVisible_ = show;
  progress_->setVisible(show);
  secondText_->setVisible(show);
  repaint();
}

int CProgressStatusBar::BearingMode() {
  const int index = ValidSelectorIndex(bearing_->currentIndex());
  KeepInProfile(kBearingKey, index, keptBearing_);
  return BearingModeOfIndex(index);
}

int CProgressStatusBar::DistanceUnit() {
  const int index = ValidSelectorIndex(distance_->currentIndex());
  KeepInProfile(kDistanceKey, index, keptDistance_);
  return index;
}

// Every read keeps the index in the profile; only a changed index is written,
// as cells read the selectors many times per repaint.
void CProgressStatusBar::KeepInProfile(const char* key, int index, int& kept) {
  if (index == kept) return;
  QSettings().setValue(ProfileKey(key), index);
  kept = index;
}

void CProgressStatusBar::SetResultsNote(const QString& note) { resultsNote_->setText(note); }

QString CProgressStatusBar::ResultsNote() const { return resultsNote_->text(); }

}  // namespace kestrel
