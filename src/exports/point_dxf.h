#pragma once
// A sheet's reduced points as an ASCII DXF drawing in the R12 form.
#include <string>
#include <string_view>

#include "sheets/sheet_plan.h"

namespace kestrel {

// The layers of the lines: rays from a set-up to its shots, and traverse
// legs.
inline constexpr std::string_view kRayLayer = "SETUP_RAYS";
inline constexpr std::string_view kLegLayer = "TRAVERSE_LEGS";
// A label's height and its offset east of its point, in metres.
inline constexpr double kLabelHeight = 0.5;
inline constexpr double kLabelOffset = 0.25;

// A point code as a layer name: upper case, every character but letters,
// digits, $, - and _ replaced by _, at most 31 characters; "0" (the layer
// every drawing has) for an empty code.
std::string DxfLayerName(std::string_view code);

// The drawing: header (R12, Windows-1252 texts), the line type and layer
// tables, then per point a POINT (its height as elevation, 0 when none) and
// a TEXT "number code" at kLabelOffset east of it, then the lines. CR LF
// line ends.
std::string PointDxf(const SheetPlan& plan);

}  // namespace kestrel
