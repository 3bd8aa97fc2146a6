#pragma once
// The status bar: the message pane, a progress text and progress control for
// long commands, the bearing and distance selectors that every sheet reads
// whenever it shows or parses a cell, and the lock-key indicators.
#include <QComboBox>
#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace kestrel {

struct ApplicationState;

// A drop-down list hosted in the status bar.
class CComboStatusBar : public QComboBox {
  Q_OBJECT

 public:
  CComboStatusBar(int controlId, QWidget* parent = nullptr);
  int ControlId() const { return controlId_; }

 private:
  int controlId_;
};

// The profile section and keys under which the selectors keep their list
// indices.
inline constexpr const char* kUnitsSection = "Units";
inline constexpr const char* kBearingKey = "Bearing";
inline constexpr const char* kDistanceKey = "Distance";

// The angle mode code of a bearing selector index: whole circle 0, quadrant 3,
// grads 1; an index outside the list reads as whole circle.
int BearingModeOfIndex(int index);
// A list index outside 0 to 2 is taken as 0.
int ValidSelectorIndex(int index);
// The distance selector's first index: the host's distance unit when the
// command line gave one (3 and 5 metres, 4 decimal feet, another value that
// index), else the profile's.
int InitialDistanceIndex(int profileIndex, const ApplicationState& app);

class CProgressStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  // The selectors start from the profile (the current QSettings) and the
  // host's distance unit.
  explicit CProgressStatusBar(const ApplicationState& app, QWidget* parent = nullptr);

  // The text over the message pane; repainted at once, as long commands run
  // without returning to the event loop.
  void SetProgressText(const QString& text);
  QString ProgressText() const;
  // Shows or hides the progress control and the text beside it.
  void ShowProgress(bool show);
  bool IsProgressVisible() const { return progressVisible_; }
  QProgressBar* ProgressControl() const { return progress_; }

  // The note about the computed results beside the selectors ("coordinates
  // out of date", "14 points computed, no problems"); kept until replaced,
  // unlike the message pane, which menu hints overwrite.
  void SetResultsNote(const QString& note);
  QString ResultsNote() const;

  CComboStatusBar* BearingSelector() const { return bearing_; }
  CComboStatusBar* DistanceSelector() const { return distance_; }
  // The angle mode code of the bearing selector; its index is kept in the
  // profile.
  int BearingMode();
  // The distance selector's index, 0 to 2; kept in the profile.
  int DistanceUnit();

 signals:
  // The user chose another bearing mode or distance notation: every cell
  // must be drawn again (stored values do not change).
  void SelectorsChanged();

 private:
  void KeepInProfile(const char* key, int index, int& kept);

  QLabel* progressText_;
  QProgressBar* progress_;
  QLabel* secondText_;
  QLabel* resultsNote_;
  CComboStatusBar* bearing_;
  CComboStatusBar* distance_;
  bool progressVisible_ = false;
  int keptBearing_ = -1;
  int keptDistance_ = -1;
};

}  // namespace kestrel
