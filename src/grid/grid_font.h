#pragma once
// The font of the entry grid's cells and headings: Arial at 16 pixels, normal
// weight. Linux desktops rarely have Arial, so the metric-compatible Liberation
// Sans stands in, then any sans-serif face.
#include <QFont>

namespace kestrel {

QFont GridCellFont();

// Fixed row height in pixels for the cell font: every row is the same height,
// so the grid never measures a row's contents.
int GridRowHeight();

}  // namespace kestrel
