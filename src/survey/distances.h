#pragma once
// Distances in the job's length unit exactly as booked; the distance notation
// decides only how a length is written and read. Feet-and-inches text is held
// as decimal feet.
#include <string>

namespace kestrel {

enum DistanceUnit : int {
  kMetres = 0,
  kDecimalFeet = 1,
  kFeetInches = 2,
};

// Typed distance text -> the value to store. Metres and decimal feet read a
// plain number unless the text holds ' or ", which makes it feet and inches
// (5'6, 5'6 3/8, 5'6"3/8, 5'063/8). A fraction with a zero denominator counts
// as no fraction, so the result is always finite.
double ParseDistanceText(std::string text, int unit);

// Rewrites `text` as feet, inches and sixteenths of `decimalFeet`,
// right-aligned to at least the text's present length (nothing is done when
// that length is 0). The text is never cut.
void FormatFeetInches(double decimalFeet, std::string& text);

// `text` was printed by the caller ("%8.3f" in sheet cells); for feet and
// inches it is replaced by FormatFeetInches with its length as the width,
// otherwise (and when empty) left alone. Returns the text's length.
int FormatDistanceText(std::string& text, double value, int unit);

}  // namespace kestrel
