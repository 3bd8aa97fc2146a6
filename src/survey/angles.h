#pragma once
// Angles as the field book holds them: a "packed DMS" double whose integer part
// is whole degrees, whose first two decimals are minutes and whose following
// decimals are seconds (123.4530 is 123 degrees 45 minutes 30 seconds).
// Arithmetic is done in decimal degrees; the packed form is only converted,
// shown and parsed here.
#include <string>

namespace kestrel {

// How angles are shown and typed; the value is the code the sheets pass.
enum AngleMode : int {
  kWholeCircle = 0,
  kGrads = 1,
  kQuadrant = 3,
};

// The degree sign in Windows-1252.
inline constexpr char kDegreeSign = '\xB0';

// Packed DMS -> decimal degrees in [0, 360]. Negative values are folded by
// adding 359.59599999 (359 deg 59 min 59.9999 sec packed), values above 360
// reduced by 360; minutes are clamped to 59 and seconds to 59.99999999.
double DmsToDegrees(double packedDms);

// Decimal degrees -> packed DMS, with seconds within half a second of 60
// carried to the minute and 60 minutes carried to the degree.
double DegreesToDms(double degrees);

// The whole-circle text of a packed value: "%8.4f" with the decimal point
// turned into the degree sign, "'" before the last two digits and '"'
// appended ("123°45'30\""); no range check, no carry.
std::string FormatDmsText(double packedDms);

// Turns whole-circle text into quadrant text in place ("S  45°30'00\" W"),
// never shorter than it came in.
void QuadrantBearingText(std::string& text);

// Turns whole-circle text into the text of `mode` in place: grads "%14.4fg",
// quadrant as QuadrantBearingText, whole circle unchanged.
void ConvertAngleText(std::string& text, int mode);

// The grads text of a packed value in a sheet cell: "%8.4fg".
std::string FormatGradsCellText(double packedDms);

// Typed angle text -> packed DMS. Whole circle and quadrant read plain packed
// numbers, degree-sign texts and "%%d"/"%%D" texts, with quadrant letters N,
// S, E, W anywhere; grads read a number of grads. Never fails: text that is
// not a number reads as 0.
double ParseAngleText(std::string text, int mode);

}  // namespace kestrel
