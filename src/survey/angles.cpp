#include "survey/angles.h"

#include <cmath>
#include <cstddef>
#include <string_view>

#include "platform/ascii_case.h"
#include "platform/fixed_text.h"
#include "platform/number_text.h"

namespace kestrel {
namespace {

// 359 degrees 59 minutes 59.9999 seconds, packed: what a negative packed angle
// is lifted by until it is positive.
constexpr double kPackedFullCircle = 359.59599999;

// Negative packed values further below zero than this are folded with one
// fmod before the lifting loop, so that a damaged value cannot spin it; real
// angles never come near.
constexpr double kPackedFoldLimit = -360.0 * 1000.0;

// Added before a packed or decimal angle is split into its digits: 45.3 is
// held as 45.29999..., which would otherwise split as 29 minutes 59.99...
// seconds. A billionth of a degree is far below the 0.0001 second a packed
// angle can show.
constexpr double kDigitNudge = 1e-9;

// The largest seconds a packed angle can hold; 60 or more (a mistyped
// 45.3075) is clamped to just under the next minute.
constexpr double kMostSeconds = 59.99999999;

// Decimal angles above this (within 0.036 second of a full turn) are taken
// round once more, so that 359.999999 shows as 0 rather than as 360.
constexpr double kFullTurnLimit = 359.99999;

// Seconds or minutes within this of 60 are carried to the next minute or
// degree: whole seconds are shown, so 59.6 seconds must show as the next
// minute, never as "60".
constexpr double kCarryLimit = 0.5;

void EraseFirst(std::string& text, char c) {
  if (const std::size_t at = text.find(c); at != std::string::npos) text.erase(at, 1);
}

// Where "%%D" (or else "%%d") stands in for the degree sign.
std::size_t FindPercentDegree(const std::string& text) {
  const std::size_t upper = text.find("%%D");
  return upper != std::string::npos ? upper : text.find("%%d");
}

// Reads the leading number of an angle text. An E or W left in a text that
// is not a quadrant bearing ends the number, even where it could start an
// exponent ("12E5" is 12).
double ReadAngleNumber(std::string_view text) {
  return ReadDouble(text.substr(0, text.find_first_of("EW")));
}

// Quadrant of a bearing typed with letters: 0 when the text holds neither N
// nor S (no quadrant bearing), else 1 NE, 2 SE, 3 SW, 4 NW.
int QuadrantOf(std::string_view text) {
  const auto has = [text](char c) { return text.find(c) != std::string_view::npos; };
  const bool north = has('N'), south = has('S'), east = has('E'), west = has('W');
  if (!north && !south) return 0;
  if (south && east) return 2;
  if (south && west) return 3;
  if (north && west && !east) return 4;
  return 1;
}

}  // namespace

double DmsToDegrees(double packedDms) {
  if (!std::isfinite(packedDms)) return 0.0;
  double v = packedDms;
  if (v < kPackedFoldLimit) v = std::fmod(v, kPackedFullCircle);
  while (v < 0) v += kPackedFullCircle;
  // Taking 360 off until v <= 360 leaves fmod's remainder, or 360 itself for
  // an exact multiple; fmod gets there without looping.
  if (v > 360) {
    const double rest = std::fmod(v, 360.0);
    v = rest == 0 ? 360.0 : rest;
  }

  const double x = v + kDigitNudge;
  const double degrees = std::floor(x);
  double minutes = std::floor(x * 100 - degrees * 100);
  double seconds = x * 10000 - degrees * 10000 - minutes * 100;
  if (minutes >= 59) minutes = 59;
  if (seconds >= kMostSeconds) seconds = kMostSeconds;
  return degrees + minutes / 60 + seconds / 3600;
}

double DegreesToDms(double degrees) {
  if (!std::isfinite(degrees)) return 0.0;
  double d = degrees;
  // fmod gives what adding (or taking off) 360 repeatedly gives, since each of
  // those steps is exact, and cannot loop on a huge value.
  if (d < 0) {
    d = std::fmod(d, 360.0);
    if (d < 0) d += 360;
  }
  if (d > kFullTurnLimit) {
    d = std::fmod(d, 360.0);
    // A hair under 360 becomes a tiny negative that the carries below make 0.
    if (d > kFullTurnLimit) d -= 360;
  }

  const double x = d + kDigitNudge;
  double whole = std::floor(x);
  const double totalSeconds = (x - whole) * 3600;
  double minutes = std::floor(totalSeconds / 60);
  double seconds = totalSeconds - minutes * 60;
  // Seconds within half a second of 60 show as the next minute, never as 60.
  if (std::fabs(seconds - 60) < kCarryLimit) {
    seconds = 0;
    minutes += 1;
  }
  if (std::fabs(minutes - 60) < kCarryLimit) {
    minutes = 0;
    whole += 1;
  }
  return whole + minutes / 100 + seconds / 10000;
}

std::string FormatDmsText(double packedDms) {
  std::string text;
  text.reserve(12);
  AppendFixed(text, packedDms, 8, 4);
  if (const std::size_t point = text.find('.'); point != std::string::npos) {
    text[point] = kDegreeSign;
  }
  text.insert(text.size() - 2, 1, '\'');
  text += '"';
  return text;
}

std::string FormatGradsCellText(double packedDms) {
  return FixedText(DmsToDegrees(packedDms) * 100 / 90, 8, 4) + 'g';
}

void QuadrantBearingText(std::string& text) {
  const std::size_t length = text.size();
  const double bearing = ParseAngleText(text, kWholeCircle);
  const double degrees = DmsToDegrees(bearing);
  if (bearing <= 90) {
    text = "N " + text + " E";
  } else if (bearing <= 180) {
    text = "S " + FormatDmsText(DegreesToDms(180 - degrees)) + " E";
  } else if (bearing <= 270) {
    text = "S " + FormatDmsText(DegreesToDms(degrees - 180)) + " W";
  } else if (bearing <= 360) {
    text = "N " + FormatDmsText(DegreesToDms(360 - degrees)) + " W";
  }
  // Beyond 360 the text is not a bearing and stays as it is.
  if (text.size() < length) text.insert(0, length - text.size(), ' ');
}

void ConvertAngleText(std::string& text, int mode) {
  if (mode == kQuadrant) {
    QuadrantBearingText(text);
    return;
  }
  if (mode != kGrads) return;

  // Back from whole-circle text to the packed number it was printed from.
  std::string number = text;
  std::erase(number, '.');
  if (const std::size_t sign = number.find(kDegreeSign); sign != std::string::npos) {
    number[sign] = '.';
  } else if (const std::size_t percent = FindPercentDegree(number); percent != std::string::npos) {
    number[percent] = '.';
    number.erase(percent + 1, 2);
  }
  EraseFirst(number, '\'');
  text = FixedText(DmsToDegrees(ReadDouble(number)) * 100 / 90, 14, 4) + 'g';
}

double ParseAngleText(std::string text, int mode) {
  if (mode == kGrads) return DegreesToDms(ReadDouble(text) / 100 * 90);

  // ASCII letters only: the user's locale must not change how a bearing is read.
  text = UpperCaseAscii(text);
  const int quadrant = QuadrantOf(text);
  if (quadrant != 0) {
    std::erase_if(text, [](char c) { return c == 'N' || c == 'S' || c == 'E' || c == 'W'; });
  }
  text.erase(0, text.find_first_not_of(' '));

  if (const std::size_t sign = text.find(kDegreeSign); sign != std::string::npos) {
    // Minutes and seconds are two digits each, so dropping every point and
    // the marks leaves the packed number; a decimal second keeps its digits.
    std::erase(text, '.');
    text[text.find(kDegreeSign)] = '.';
    std::erase(text, '\'');
    std::erase(text, '"');
  } else if (const std::size_t percent = FindPercentDegree(text); percent != std::string::npos) {
    text[percent] = '.';
    text.erase(percent + 1, 2);
    std::erase(text, '\'');
    std::erase(text, '"');
  }
  const double bearing = ReadAngleNumber(text);

  switch (quadrant) {
    case 2:
      return DegreesToDms(180 - DmsToDegrees(bearing));
    case 3:
      return bearing + 180;  // whole degrees may be added to the packed form
    case 4:
      return DegreesToDms(360 - DmsToDegrees(bearing));
    default:
      return bearing;
  }
}

}  // namespace kestrel
