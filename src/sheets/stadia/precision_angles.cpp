#include "sheets/stadia/precision_angles.h"

#include <cmath>
#include <string_view>

#include "platform/ascii_case.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "survey/angles.h"

namespace kestrel {

namespace {

// Seconds from 59.995 on print as 60.00: they go to the next minute.
constexpr double kSecondsCarry = 59.995;

// 1 NE (or no quadrant letters), 2 SE, 3 SW, 4 NW, as the typed letters say.
int QuadrantLetters(std::string_view upper) {
  const auto has = [upper](char c) { return upper.find(c) != std::string_view::npos; };
  if (has('S') && has('E')) return 2;
  if (has('S') && has('W')) return 3;
  if (has('N') && has('W') && !has('E')) return 4;
  return 1;
}

}  // namespace

double DegreesToPreciseDms(double degrees) {
  if (!std::isfinite(degrees)) return 0.0;
  double d = std::fmod(degrees, 360.0);
  if (d < 0.0) d += 360.0;
  double whole = std::floor(d);
  double seconds = (d - whole) * 3600.0;
  double minutes = std::floor(seconds / 60.0);
  seconds -= minutes * 60.0;
  if (seconds >= kSecondsCarry) {
    seconds = 0.0;
    minutes += 1.0;
  }
  if (minutes >= 60.0) {
    minutes = 0.0;
    whole += 1.0;
  }
  if (whole >= 360.0) whole -= 360.0;
  return whole + minutes / 100.0 + seconds / 10000.0;
}

std::string PreciseDmsText(double packedDms) {
  std::string text = Sprintf("%8.6f", packedDms);
  const std::size_t point = text.find('.');
  if (point == std::string::npos || text.size() < point + 7) return text;
  text[point] = kDegreeSign;
  text.insert(point + 3, 1, '\'');
  text.insert(point + 6, 1, '.');
  text += '"';
  return text;
}

std::string PreciseAngleText(double packedDms, int mode, bool horizontal) {
  if (mode == kGrads) return Sprintf("%8.6fg", DmsToDegrees(packedDms) * 100.0 / 90.0);
  std::string text = PreciseDmsText(packedDms);
  if (!horizontal || mode != kQuadrant || packedDms > 360.0 || packedDms < 0.0) return text;
  const std::size_t width = text.size();
  const double degrees = DmsToDegrees(packedDms);
  if (packedDms <= 90.0) {
    text = "N " + text + " E";
  } else if (packedDms <= 180.0) {
    text = "S " + PreciseDmsText(DegreesToPreciseDms(180.0 - degrees)) + " E";
  } else if (packedDms <= 270.0) {
    text = "S " + PreciseDmsText(DegreesToPreciseDms(degrees - 180.0)) + " W";
  } else {
    text = "N " + PreciseDmsText(DegreesToPreciseDms(360.0 - degrees)) + " W";
  }
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

double ParsePreciseAngleText(const std::string& text, int mode, bool horizontal) {
  if (mode == kGrads) return DegreesToPreciseDms(ReadDouble(text) / 100.0 * 90.0);
  if (!horizontal) return ParseAngleText(text, kWholeCircle);
  std::string upper = UpperCaseAscii(text);
  const int quadrant = QuadrantLetters(upper);
  std::erase_if(upper, [](char c) { return c == 'N' || c == 'S' || c == 'E' || c == 'W'; });
  const double bearing = ParseAngleText(upper, kWholeCircle);
  const double degrees = DmsToDegrees(bearing);
  switch (quadrant) {
    case 2:
      return DegreesToPreciseDms(180.0 - degrees);
    case 3:
      return bearing + 180.0;  // whole degrees add to the packed form
    case 4:
      return DegreesToPreciseDms(360.0 - degrees);
    default:
      return bearing;
  }
}

}  // namespace kestrel
