#pragma once
// A sheet's plan on a screen, north up: the transform between grid
// coordinates (metres) and screen pixels (x right, y down), zooming and
// panning, and the hit test from a screen position to the row of the point
// drawn there. The desktop dock and kestrel-cli's plot draw through it.
#include <memory>
#include <optional>

#include "plan/point_index.h"
#include "sheets/sheet_plan.h"

namespace kestrel {

struct ScreenPoint {
  double x = 0.0, y = 0.0;  // pixels from the top left corner
};

class PlanView {
 public:
  // The margin ZoomToAll leaves on every side, in pixels; wider by the
  // misclose arrow's length when the plan has a misclose.
  static constexpr double kMarginPx = 10.0;
  // A misclose is drawn this long, whatever its size.
  static constexpr double kMiscloseArrowPx = 40.0;

  PlanView(SheetPlan plan, double widthPx, double heightPx);
  // The index refers to the plan held here.
  PlanView(const PlanView&) = delete;
  PlanView& operator=(const PlanView&) = delete;

  // Every point, line and misclose arrow in view, as large as fits within the
  // margins, centred. A plan of one point (or none) is shown at 1 pixel per metre.
  void ZoomToAll();
  // Scales by `factor` keeping the grid position under `at` where it is.
  void ZoomAbout(ScreenPoint at, double factor);
  void Pan(double dxPx, double dyPx);
  // A new size keeps the grid position at the centre and the scale.
  void Resize(double widthPx, double heightPx);
  // Shows what `other` shows (its centre and scale), as after an edit the
  // new plan keeps the place the user was looking at.
  void ShowSameAs(const PlanView& other);

  ScreenPoint ToScreen(GridPoint grid) const;
  GridPoint ToGrid(ScreenPoint screen) const;

  // The row of the point drawn nearest `at`, within `radiusPx`; none when no
  // point is that close or the nearest has no row.
  std::optional<int> HitRow(ScreenPoint at, double radiusPx) const;

  const SheetPlan& Plan() const { return plan_; }
  const PointIndex& Index() const { return *index_; }
  double Width() const { return widthPx_; }
  double Height() const { return heightPx_; }
  double PixelsPerMetre() const { return scale_; }

 private:
  SheetPlan plan_;
  std::unique_ptr<PointIndex> index_;  // over plan_.points
  double widthPx_, heightPx_;
  double scale_ = 1.0;  // pixels per metre
  GridPoint centre_;    // the grid position at the screen's centre
};

}  // namespace kestrel
