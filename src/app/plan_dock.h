#pragma once
// The plan view beside the grid: the open sheet's reduced points drawn north
// up, linked both ways with the grid (a click on a point moves the grid to
// its row; the grid's current row is ringed with its set-up), redrawn
// whenever the sheet or its results change.
#include <QDockWidget>
#include <QPoint>
#include <memory>
#include <string>

#include "plan/plan_drawing.h"

class QCheckBox;
class QLabel;

namespace kestrel {

class CKestrelView;
class CommandRouter;

// The drawing itself: wheel zoom about the cursor, drag to pan, click to
// pick a point.
class CPlanWidget : public QWidget {
  Q_OBJECT

 public:
  explicit CPlanWidget(QWidget* parent = nullptr);
  ~CPlanWidget() override;

  // A new plan of the same sheet keeps the place shown; another sheet's (or
  // the first) is zoomed to all.
  void SetPlan(SheetPlan plan, bool keepPlace);
  void ZoomToAll();
  PlanDrawOptions& Options() { return options_; }
  // Nullptr before the first plan.
  const PlanView* View() const { return view_.get(); }

 signals:
  // A click on a point of a known row.
  void RowClicked(int row);
  // The grid position under the mouse.
  void PointerAt(double east, double north);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::unique_ptr<PlanView> view_;
  PlanDrawOptions options_;
  QPoint pressedAt_, lastAt_;
  bool pressed_ = false, dragging_ = false;
};

class CPlanDock : public QDockWidget {
  Q_OBJECT

 public:
  // Follows `view`'s document, grid and results; hidden until View > Plan.
  explicit CPlanDock(CKestrelView& view, QWidget* parent = nullptr);
  ~CPlanDock() override;

  // View > Plan.
  void Register(CommandRouter& router);
  CPlanWidget* Widget() const { return widget_; }
  // Takes the sheet's plan again (at the latest when the dock is next shown).
  void Rebuild();
  // The unit selectors changed: the scale bar and coordinates follow.
  void UnitsChanged();

 private:
  SheetPlan SheetsPlan() const;
  void RebuildNow();
  void ShowPointer(double east, double north);
  std::string UnitName() const;

  CKestrelView& view_;
  CPlanWidget* widget_;
  QCheckBox* labels_;
  QLabel* pointer_;
  const void* shownSheet_ = nullptr;  // the sheet the plan was taken from
  bool rebuildPending_ = true;        // nothing taken yet
};

}  // namespace kestrel
