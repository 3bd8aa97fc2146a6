#pragma once
// The font of the entry grid's cells and headings: Arial 16 pixels high from
// the top of its accents to the bottom of its descenders (about 14 pixels to
// the em), normal weight. Linux desktops rarely have Arial, so the
// metric-compatible Liberation Sans stands in, then any sans-serif face.
#include <QFont>

namespace kestrel {

QFont GridCellFont();

// Fixed row height in pixels for the cell font: every row is the same height,
// so the grid never measures a row's contents.
int GridRowHeight();

// The sheets give column widths for the original face, whose digits are 7
// pixels wide; a column is widened by the ratio of this font's digits to
// that, never narrowed, so that "%8.3f" values fit the columns meant for them.
int ScaledColumnWidth(int sheetWidth);

}  // namespace kestrel
