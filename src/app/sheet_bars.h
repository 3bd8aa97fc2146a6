#pragma once
// The bars the frame carries for one sheet kind: the traverse misclose and
// adjustment bars, the precision stadia geoid bar and the level book toolbar.
// Their buttons are the frame's actions, enabled as the commands are.
#include <QComboBox>
#include <QToolBar>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;

namespace kestrel {

// The frame's action for a command number.
using ActionLookup = std::function<QAction*(int id)>;

// The traverse list of the misclose bar: refilled every time it drops down.
class CTraverseNoteList : public QComboBox {
  Q_OBJECT

 public:
  explicit CTraverseNoteList(QWidget* parent = nullptr);
  // The traverse notes of the active sheet, first to last (Windows-1252).
  std::function<std::vector<std::string>()> traverseNotes;
  // Empties the list and fills it again; "No Traverses defined" when there
  // are none.
  void Refill();
  void showPopup() override;
};

class CMiscloseBar : public QToolBar {
  Q_OBJECT

 public:
  CMiscloseBar(const ActionLookup& action, QWidget* parent = nullptr);
  CTraverseNoteList* TraverseList() const { return traverses_; }
  // The misclose boxes: angular, bearing and distance texts.
  void SetMisclose(const QString& angular, const QString& bearing, const QString& distance);
  QLineEdit* AngularBox() const { return angular_; }
  QLineEdit* BearingBox() const { return bearing_; }
  QLineEdit* DistanceBox() const { return distance_; }

 private:
  CTraverseNoteList* traverses_;
  QLineEdit* angular_;
  QLineEdit* bearing_;
  QLineEdit* distance_;
};

// The traverse adjustment bar.
class CMiscloseBar1 : public QToolBar {
  Q_OBJECT

 public:
  CMiscloseBar1(const ActionLookup& action, QWidget* parent = nullptr);
  void SetPerimeter(const QString& text);
  void SetAccuracy(const QString& text);
  QLineEdit* PerimeterBox() const { return perimeter_; }
  QLineEdit* AccuracyBox() const { return accuracy_; }

 private:
  QLineEdit* perimeter_;
  QLineEdit* accuracy_;
};

// The precision stadia bar: grid corrections on or off and the vertical
// adjustment rate the reduction reads.
class CGeoidBar : public QToolBar {
  Q_OBJECT

 public:
  CGeoidBar(const ActionLookup& action, QWidget* parent = nullptr);
  // Ticked or partly ticked counts as ticked.
  bool IsGeoidCorrection() const;
  // The "Vertical Adj" box read as a number (text that is no number reads 0).
  double VerticalAdjustment() const;
  QCheckBox* GeoidCorrectionBox() const { return geoidCorrection_; }
  QLineEdit* VerticalAdjustmentBox() const { return verticalAdjustment_; }

 private:
  QCheckBox* geoidCorrection_;
  QLineEdit* verticalAdjustment_;
};

// The level book's own toolbar.
QToolBar* CreateLevelBookBar(const ActionLookup& action, QWidget* parent);

}  // namespace kestrel
