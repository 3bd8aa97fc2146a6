#pragma once
// The main window's size, position and bar layout, kept in the profile from
// one session to the next, and the size it first opens at.
#include <QRect>
#include <QSize>

class QMainWindow;

namespace kestrel {

// The first size on a screen whose free area is `available`: most of the
// screen, so that a field book shows a few dozen rows, never larger than the
// screen and never smaller than the window's least useful size.
QSize FirstWindowSize(const QRect& available);

// Puts back the size, position and bar layout of the last session; the first
// time, sizes the window for its screen and centres it there.
void RestoreWindowLayout(QMainWindow& window);
void SaveWindowLayout(const QMainWindow& window);

}  // namespace kestrel
