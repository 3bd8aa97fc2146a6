#include "app/app_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace kestrel {
namespace {

void Substitute(const QString& face, const QString& standIn) {
  if (!QFontDatabase::families().contains(face, Qt::CaseInsensitive)) {
    QFont::insertSubstitution(face, standIn);
  }
}

QFont Face(const char* family, int pixels, bool bold) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace

void InstallFontSubstitutes() {
  Substitute("Arial", "Liberation Sans");
  Substitute("Courier New", "Liberation Mono");
}

QFont FrameFont() { return Face("Arial", 16, false); }

QFont StatusBarFont() { return Face("Arial", 12, false); }

QFont GridFont() {
  QFont font = Face("Courier New", 20, true);
  font.setStyleHint(QFont::Monospace);
  return font;
}

QFont PrintFont(int points) {
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(points);
  return font;
}

}  // namespace kestrel
