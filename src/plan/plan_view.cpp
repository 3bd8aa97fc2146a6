#include "plan/plan_view.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kestrel {

PlanView::PlanView(SheetPlan plan, double widthPx, double heightPx)
    : plan_(std::move(plan)),
      index_(std::make_unique<PointIndex>(plan_.points)),
      widthPx_(std::max(widthPx, 1.0)),
      heightPx_(std::max(heightPx, 1.0)) {
  ZoomToAll();
}

void PlanView::ZoomToAll() {
  if (plan_.points.empty() && plan_.lines.empty()) return;
  double minE = INFINITY, minN = INFINITY, maxE = -INFINITY, maxN = -INFINITY;
  const auto take = [&](double east, double north) {
    minE = std::min(minE, east);
    maxE = std::max(maxE, east);
    minN = std::min(minN, north);
    maxN = std::max(maxN, north);
  };
  for (const PlanPoint& point : plan_.points) take(point.east, point.north);
  for (const PlanLine& line : plan_.lines) {
    take(line.fromEast, line.fromNorth);
    take(line.toEast, line.toNorth);
  }
  centre_ = {(minE + maxE) / 2.0, (minN + maxN) / 2.0};
  const double margin = kMarginPx + (plan_.misclosures.empty() ? 0.0 : kMiscloseArrowPx);
  const double usableX = std::max(widthPx_ - 2.0 * margin, 1.0);
  const double usableY = std::max(heightPx_ - 2.0 * margin, 1.0);
  const double scaleX = maxE > minE ? usableX / (maxE - minE) : INFINITY;
  const double scaleY = maxN > minN ? usableY / (maxN - minN) : INFINITY;
  const double scale = std::min(scaleX, scaleY);
  scale_ = std::isfinite(scale) ? scale : 1.0;
}

void PlanView::ZoomAbout(ScreenPoint at, double factor) {
  if (!(factor > 0.0) || !std::isfinite(factor)) return;
  const GridPoint fixed = ToGrid(at);
  // Kept within a range where the transform stays finite.
  scale_ = std::clamp(scale_ * factor, 1e-9, 1e9);
  // Move the centre so that `fixed` is drawn at `at` again.
  centre_.east = fixed.east - (at.x - widthPx_ / 2.0) / scale_;
  centre_.north = fixed.north + (at.y - heightPx_ / 2.0) / scale_;
}

void PlanView::Pan(double dxPx, double dyPx) {
  centre_.east -= dxPx / scale_;
  centre_.north += dyPx / scale_;
}

void PlanView::Resize(double widthPx, double heightPx) {
  widthPx_ = std::max(widthPx, 1.0);
  heightPx_ = std::max(heightPx, 1.0);
}

void PlanView::ShowSameAs(const PlanView& other) {
  scale_ = other.scale_;
  centre_ = other.centre_;
}

ScreenPoint PlanView::ToScreen(GridPoint grid) const {
  return {widthPx_ / 2.0 + (grid.east - centre_.east) * scale_,
          heightPx_ / 2.0 - (grid.north - centre_.north) * scale_};
}

GridPoint PlanView::ToGrid(ScreenPoint screen) const {
  return {centre_.east + (screen.x - widthPx_ / 2.0) / scale_,
          centre_.north - (screen.y - heightPx_ / 2.0) / scale_};
}

std::optional<int> PlanView::HitRow(ScreenPoint at, double radiusPx) const {
  const GridPoint grid = ToGrid(at);
  const int nearest = index_->Nearest(grid.east, grid.north, radiusPx / scale_);
  if (nearest < 0 || plan_.points[static_cast<std::size_t>(nearest)].row < 0) return std::nullopt;
  return plan_.points[static_cast<std::size_t>(nearest)].row;
}

}  // namespace kestrel
