#include "grid/grid_font.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>

namespace kestrel {

QFont GridCellFont() {
  QFont font;
  font.setFamilies(QStringList{"Arial", "Liberation Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(14);
  font.setWeight(QFont::Normal);
  return font;
}

int GridRowHeight() {
  // A little air above and below the text, as a field book's ruled lines have.
  return QFontMetrics(GridCellFont()).height() + 4;
}

int ScaledColumnWidth(int sheetWidth) {
  constexpr double kOriginalDigitWidth = 7.0;
  const double digit = QFontMetricsF(GridCellFont()).horizontalAdvance(QLatin1Char('0'));
  const double scale = std::max(1.0, digit / kOriginalDigitWidth);
  return static_cast<int>(std::lround(std::max(sheetWidth, 0) * scale));
}

}  // namespace kestrel
