#pragma once
// The plan view's picture, drawn on any canvas: the desktop dock, its
// exports and kestrel-cli's plot draw the same marks.
#include <cstddef>
#include <string>

#include "plan/plan_canvas.h"
#include "plan/plan_view.h"

namespace kestrel {

struct PlanDrawOptions {
  bool labels = false;     // "number code" beside each point
  bool stale = false;      // the coordinates are out of date: points and lines grey
  int currentRow = -1;     // the grid's current row: its point and set-up ringed
  std::string unit = "m";  // the length unit written on the scale bar and misclose
};

// What one drawing showed.
struct PlanDrawn {
  std::size_t points = 0;  // points within the view
  bool dense = false;      // drawn as occupied cells, without labels or rays
};

// Draws what lies within the view: rays and legs, stations as triangles,
// other points as dots, labels that do not overlap one already placed, each
// misclose as an arrow of fixed length with its size, the current row's
// rings, a north arrow and a scale bar. When the view holds more points than
// it has cells of kDenseCellPx, each occupied cell is drawn once instead,
// without labels or rays.
PlanDrawn DrawPlan(const PlanView& view, PlanCanvas& canvas, const PlanDrawOptions& options);

inline constexpr double kDenseCellPx = 3.0;
inline constexpr double kLabelSizePx = 10.0;  // font size, and the height of a label's box

}  // namespace kestrel
