#pragma once
// The plan drawing on a QPainter: the dock's widget, its PDF and PNG
// exports and printing all paint through it.
#include <QFont>

#include "plan/plan_drawing.h"

class QPainter;

namespace kestrel {

// The font labels are drawn in (about kLabelSizePx high).
QFont PlanLabelFont();

// Paints the view on `painter` (white background first), at the view's size
// in the painter's coordinates.
PlanDrawn PaintPlan(QPainter& painter, const PlanView& view, const PlanDrawOptions& options);

}  // namespace kestrel
