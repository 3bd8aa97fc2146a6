#pragma once
// Angles of the Precision Stadia sheet, kept to hundredths of a second. The
// packed DMS form is the same as everywhere (123.453012 is 123 degrees 45
// minutes 30.12 seconds); only the conversions and texts here keep the two
// extra digits that the four-decimal ones of survey/angles.h drop.
#include <string>

namespace kestrel {

// Decimal degrees to packed DMS in [0, 360), keeping hundredths of a second:
// seconds are carried to the next minute only when they round to 60.00.
double DegreesToPreciseDms(double degrees);

// "123°45'30.12\"" from 123.453012: "%8.6f" with the decimal point turned
// into the degree sign, a minute sign after the two minute digits and a
// decimal point after the two whole-second digits.
std::string PreciseDmsText(double packedDms);

// A reading's cell text in the user's angle mode: whole circle as above,
// grads "%8.6fg" (six decimals, so that a hundredth of a second shows), and,
// for a horizontal reading, quadrant text whose angle keeps its hundredths.
// Vertical readings are never put into quadrant form.
std::string PreciseAngleText(double packedDms, int mode, bool horizontal);

// Typed angle text to packed DMS as survey/angles.h reads it, but converting
// grads and quadrant bearings without rounding the seconds.
double ParsePreciseAngleText(const std::string& text, int mode, bool horizontal);

}  // namespace kestrel
