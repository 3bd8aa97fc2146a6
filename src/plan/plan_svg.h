#pragma once
// The plan view as an SVG picture, drawn without a window.
#include <string>

#include "plan/plan_view.h"

namespace kestrel {

// The view's extent at its size: rays in grey, traverse legs in red,
// stations as triangles and other points as dots, with "number code" labels
// when `labels` (a label that would overlap one already placed is left out),
// a traverse's misclose as a blue arrow of fixed length with its size, a
// north arrow and a scale bar. Only what lies within the view is drawn.
std::string PlanSvg(const PlanView& view, bool labels);

}  // namespace kestrel
