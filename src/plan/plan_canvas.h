#pragma once
// What the plan drawing draws on: a few marks in screen pixels, each in an
// ink that the surface turns into its own colours (SVG classes, Qt pens).
// The SVG picture, the desktop dock and its exports all draw through it.
#include <string>
#include <vector>

#include "plan/plan_view.h"

namespace kestrel {

enum class PlanInk {
  Ray,        // a set-up's line to its shot
  Leg,        // a traverse leg
  Station,    // a station or set-up: an open triangle
  Shot,       // any other point: a dot
  Highlight,  // the point of the grid's current row: a ring
  Setup,      // the set-up of that row: a ring
  Misclose,   // the misclose arrow and its label
  Scale,      // the scale bar
  North,      // the north arrow
  Label,      // a point's number and code
};

// An ink, drawn grey when the coordinates it shows are out of date.
struct PlanMark {
  PlanInk ink = PlanInk::Shot;
  bool stale = false;
};

enum class TextAnchor { Start, Middle, End };

class PlanCanvas {
 public:
  virtual ~PlanCanvas() = default;
  virtual void Line(PlanMark mark, ScreenPoint from, ScreenPoint to) = 0;
  virtual void Polygon(PlanMark mark, const std::vector<ScreenPoint>& corners) = 0;
  virtual void Dot(PlanMark mark, ScreenPoint centre, double radiusPx) = 0;
  // Squares of `sizePx` at the given top left corners: the points of a view
  // holding more points than it has room for.
  virtual void Cells(PlanMark mark, const std::vector<ScreenPoint>& corners, double sizePx) = 0;
  // `text` is Windows-1252; `at` is the left, middle or right end of its
  // baseline.
  virtual void Text(PlanMark mark, ScreenPoint at, const std::string& text, TextAnchor anchor) = 0;
  // The width `text` takes, in pixels.
  virtual double TextWidth(const std::string& text) const = 0;
};

}  // namespace kestrel
