#pragma once
// The program's fonts. Requests name the classic Windows faces; where those
// are not installed the metric-compatible Liberation faces stand in.
#include <QFont>

namespace kestrel {

// Maps "Arial" and "Courier New" to their Liberation equivalents when the
// font database lacks them. Call once after the application object exists.
void InstallFontSubstitutes();

// The frame's font: Arial, 16 pixels, normal weight.
QFont FrameFont();
// The status bar's font: Arial, 12 pixels.
QFont StatusBarFont();
// The view's grid font: Courier New, 20 pixels, bold.
QFont GridFont();
// The printed listing's font: Courier New in points (9, or 7 when corrected
// bearings and distances widen a stadia listing).
QFont PrintFont(int points);

}  // namespace kestrel
