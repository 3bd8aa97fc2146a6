#include "plan/plan_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "platform/printf_format.h"

namespace kestrel {

namespace {

constexpr double kStationSizePx = 8.0;  // a station triangle's side
constexpr double kShotRadiusPx = 2.5;
constexpr double kRingRadiusPx = 7.0;  // the current row's rings
constexpr double kScaleBarPx = 100.0;  // about this long

bool Inside(const PlanView& view, ScreenPoint at) {
  return at.x >= 0.0 && at.y >= 0.0 && at.x <= view.Width() && at.y <= view.Height();
}

// Labels placed so far, as the cells (of one label height) their boxes
// cover: a new label goes only where every cell of its box is free.
class LabelSpace {
 public:
  bool Take(double x, double y, double width) {
    const auto x0 = static_cast<std::int64_t>(std::floor(x / kLabelSizePx));
    const auto x1 = static_cast<std::int64_t>(std::floor((x + width) / kLabelSizePx));
    const auto row = static_cast<std::int64_t>(std::floor(y / kLabelSizePx));
    for (std::int64_t c = x0; c <= x1; ++c) {
      if (taken_.count(Key(c, row)) != 0) return false;
    }
    for (std::int64_t c = x0; c <= x1; ++c) taken_.insert(Key(c, row));
    return true;
  }

 private:
  static std::uint64_t Key(std::int64_t column, std::int64_t row) {
    return (static_cast<std::uint64_t>(column) << 32) ^ static_cast<std::uint32_t>(row);
  }
  std::unordered_set<std::uint64_t> taken_;
};

// The points within the view (and a station's half size beyond it), in
// row order.
std::vector<std::uint32_t> VisiblePoints(const PlanView& view) {
  const double slack = kStationSizePx / 2.0;
  const GridPoint a = view.ToGrid({-slack, view.Height() + slack});
  const GridPoint b = view.ToGrid({view.Width() + slack, -slack});
  std::vector<std::uint32_t> found;
  view.Index().Within(a, b, found);
  return found;
}

void Lines(const PlanView& view, PlanCanvas& canvas, const PlanDrawOptions& options, bool dense) {
  const GridPoint low = view.ToGrid({0.0, view.Height()});
  const GridPoint high = view.ToGrid({view.Width(), 0.0});
  for (const PlanLine& line : view.Plan().lines) {
    if (dense && line.kind == PlanLineKind::Ray) continue;
    if (std::max(line.fromEast, line.toEast) < low.east ||
        std::min(line.fromEast, line.toEast) > high.east ||
        std::max(line.fromNorth, line.toNorth) < low.north ||
        std::min(line.fromNorth, line.toNorth) > high.north) {
      continue;
    }
    const PlanInk ink = line.kind == PlanLineKind::Leg ? PlanInk::Leg : PlanInk::Ray;
    canvas.Line({ink, options.stale}, view.ToScreen({line.fromEast, line.fromNorth}),
                view.ToScreen({line.toEast, line.toNorth}));
  }
}

// One square for each cell of kDenseCellPx that holds a point.
void DenseCells(const PlanView& view, PlanCanvas& canvas, const PlanDrawOptions& options,
                const std::vector<std::uint32_t>& visible) {
  const auto columns = static_cast<std::size_t>(std::ceil(view.Width() / kDenseCellPx));
  const auto rows = static_cast<std::size_t>(std::ceil(view.Height() / kDenseCellPx));
  std::vector<std::uint8_t> occupied(columns * rows, 0);
  std::vector<ScreenPoint> corners;
  for (const std::uint32_t i : visible) {
    const PlanPoint& point = view.Plan().points[i];
    const ScreenPoint at = view.ToScreen({point.east, point.north});
    if (!Inside(view, at)) continue;
    const auto column = std::min(static_cast<std::size_t>(at.x / kDenseCellPx), columns - 1);
    const auto row = std::min(static_cast<std::size_t>(at.y / kDenseCellPx), rows - 1);
    std::uint8_t& cell = occupied[row * columns + column];
    if (cell != 0) continue;
    cell = 1;
    corners.push_back(
        {static_cast<double>(column) * kDenseCellPx, static_cast<double>(row) * kDenseCellPx});
  }
  canvas.Cells({PlanInk::Shot, options.stale}, corners, kDenseCellPx);
}

void Points(const PlanView& view, PlanCanvas& canvas, const PlanDrawOptions& options,
            const std::vector<std::uint32_t>& visible) {
  LabelSpace space;
  const double half = kStationSizePx / 2.0;
  for (const std::uint32_t i : visible) {
    const PlanPoint& point = view.Plan().points[i];
    const ScreenPoint at = view.ToScreen({point.east, point.north});
    if (point.role == PlanPointRole::Station) {
      canvas.Polygon({PlanInk::Station, options.stale},
                     {{at.x, at.y - half}, {at.x + half, at.y + half}, {at.x - half, at.y + half}});
    } else {
      canvas.Dot({PlanInk::Shot, options.stale}, at, kShotRadiusPx);
    }
    if (!options.labels) continue;
    std::string label = Sprintf("%u", point.point);
    if (!point.code.empty()) label += " " + point.code;
    const double x = at.x + half, y = at.y - half;
    if (space.Take(x, y - kLabelSizePx, canvas.TextWidth(label))) {
      canvas.Text({PlanInk::Label, options.stale}, {x, y}, label, TextAnchor::Start);
    }
  }
}

// The current row's point, and the set-up (or station) its ray or leg
// starts from.
void CurrentRow(const PlanView& view, PlanCanvas& canvas, int row) {
  if (row < 0) return;
  const SheetPlan& plan = view.Plan();
  const auto byRow = [](const auto& item, int r) { return item.row < r; };
  const auto line = std::lower_bound(plan.lines.begin(), plan.lines.end(), row, byRow);
  if (line != plan.lines.end() && line->row == row) {
    canvas.Dot({PlanInk::Setup}, view.ToScreen({line->fromEast, line->fromNorth}), kRingRadiusPx);
  }
  const auto point = std::lower_bound(plan.points.begin(), plan.points.end(), row, byRow);
  if (point != plan.points.end() && point->row == row) {
    canvas.Dot({PlanInk::Highlight}, view.ToScreen({point->east, point->north}), kRingRadiusPx);
  }
}

// Each misclose as an arrow from its station in the misclose's direction,
// exaggerated to a fixed length, labelled with its length.
void Misclosures(const PlanView& view, PlanCanvas& canvas, const PlanDrawOptions& options) {
  for (const PlanMisclose& misclose : view.Plan().misclosures) {
    const ScreenPoint at = view.ToScreen({misclose.east, misclose.north});
    const double length = std::hypot(misclose.dEast, misclose.dNorth);
    if (!Inside(view, at) || !(length > 0.0)) continue;
    const ScreenPoint end{at.x + PlanView::kMiscloseArrowPx * misclose.dEast / length,
                          at.y - PlanView::kMiscloseArrowPx * misclose.dNorth / length};
    const PlanMark mark{PlanInk::Misclose, options.stale};
    canvas.Line(mark, at, end);
    canvas.Dot(mark, end, 2.0);
    // The label on the side of the arrow's end that faces the middle.
    const bool left = end.x > view.Width() / 2.0;
    canvas.Text(mark, {left ? end.x - 4.0 : end.x + 4.0, end.y + 4.0},
                Sprintf("misclose %.3f ", length) + options.unit,
                left ? TextAnchor::End : TextAnchor::Start);
  }
}

// The longest 1, 2 or 5 times a power of ten units that is at most
// kScaleBarPx long.
void ScaleBar(const PlanView& view, PlanCanvas& canvas, const PlanDrawOptions& options) {
  const double units = kScaleBarPx / view.PixelsPerMetre();
  const double power = std::pow(10.0, std::floor(std::log10(units)));
  double length = power;
  for (const double step : {2.0, 5.0, 10.0}) {
    if (step * power <= units) length = step * power;
  }
  const double y = view.Height() - 15.0;
  canvas.Line({PlanInk::Scale}, {15.0, y}, {15.0 + length * view.PixelsPerMetre(), y});
  canvas.Text({PlanInk::Scale}, {15.0, y - 4.0}, Sprintf("%g ", length) + options.unit,
              TextAnchor::Start);
}

void NorthArrow(const PlanView& view, PlanCanvas& canvas) {
  const double x = view.Width() - 20.0;
  canvas.Polygon({PlanInk::North}, {{x, 15.0}, {x + 7.0, 40.0}, {x, 33.0}, {x - 7.0, 40.0}});
  canvas.Text({PlanInk::North}, {x, 52.0}, "N", TextAnchor::Middle);
}

}  // namespace

PlanDrawn DrawPlan(const PlanView& view, PlanCanvas& canvas, const PlanDrawOptions& options) {
  std::vector<std::uint32_t> visible = VisiblePoints(view);
  const double cells =
      std::ceil(view.Width() / kDenseCellPx) * std::ceil(view.Height() / kDenseCellPx);
  const PlanDrawn drawn{visible.size(), static_cast<double>(visible.size()) > cells};
  Lines(view, canvas, options, drawn.dense);
  if (drawn.dense) {
    DenseCells(view, canvas, options, visible);
  } else {
    // Row order, so that of two overlapping labels the earlier row's stays.
    std::sort(visible.begin(), visible.end());
    Points(view, canvas, options, visible);
  }
  Misclosures(view, canvas, options);
  CurrentRow(view, canvas, options.currentRow);
  ScaleBar(view, canvas, options);
  NorthArrow(view, canvas);
  return drawn;
}

}  // namespace kestrel
