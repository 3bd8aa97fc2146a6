#include "grid/grid_font.h"

#include <QFontMetrics>
#include <QStringList>

namespace kestrel {

QFont GridCellFont() {
  QFont font;
  font.setFamilies(QStringList{"Arial", "Liberation Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(16);
  font.setWeight(QFont::Normal);
  return font;
}

int GridRowHeight() {
  // A little air above and below the text, as a field book's ruled lines have.
  return QFontMetrics(GridCellFont()).height() + 4;
}

}  // namespace kestrel
