#pragma once
// The plan view as an SVG picture, drawn without a window.
#include <string>

#include "plan/plan_drawing.h"

namespace kestrel {

// The view's extent at its size, as DrawPlan draws it: each mark an element
// of a class named after its ink ("ray", "leg", "station", "shot",
// "misclose", ...), out-of-date marks also of class "stale".
std::string PlanSvg(const PlanView& view, const PlanDrawOptions& options);

inline std::string PlanSvg(const PlanView& view, bool labels) {
  PlanDrawOptions options;
  options.labels = labels;
  return PlanSvg(view, options);
}

}  // namespace kestrel
