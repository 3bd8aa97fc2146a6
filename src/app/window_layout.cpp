#include "app/window_layout.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <algorithm>

namespace kestrel {
namespace {

const char* const kGeometryKey = "Window/Geometry";
const char* const kStateKey = "Window/State";
// Below this the toolbars wrap and only a handful of rows show.
constexpr int kLeastWidth = 900;
constexpr int kLeastHeight = 640;
// The share of the screen's free area taken on the first start, in percent.
constexpr int kScreenShare = 85;

}  // namespace

QSize FirstWindowSize(const QRect& available) {
  if (available.isEmpty()) return {kLeastWidth, kLeastHeight};
  const int width = std::max(available.width() * kScreenShare / 100, kLeastWidth);
  const int height = std::max(available.height() * kScreenShare / 100, kLeastHeight);
  return {std::min(width, available.width()), std::min(height, available.height())};
}

void RestoreWindowLayout(QMainWindow& window) {
  const QSettings profile;
  const QByteArray geometry = profile.value(kGeometryKey).toByteArray();
  if (geometry.isEmpty() || !window.restoreGeometry(geometry)) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    window.resize(FirstWindowSize(available));
    if (!available.isEmpty()) window.move(available.center() - window.rect().center());
  }
  window.restoreState(profile.value(kStateKey).toByteArray());
}

void SaveWindowLayout(const QMainWindow& window) {
  QSettings profile;
  profile.setValue(kGeometryKey, window.saveGeometry());
  profile.setValue(kStateKey, window.saveState());
}

}  // namespace kestrel
