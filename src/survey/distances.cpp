#include "survey/distances.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <utility>

#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

// Feet, whole inches and the sixteenths of an inch, by the number of
// sixteenths; 0 shows no fraction. The tidy step below
// closes up the blanks.
constexpr const char* kFeetInchesFormats[16] = {
    "%1.0f'%2.0f      ", "%1.0f'%2.0f  1/16", "%1.0f'%2.0f   1/8", "%1.0f'%2.0f  3/16",
    "%1.0f'%2.0f   1/4", "%1.0f'%2.0f  5/16", "%1.0f'%2.0f   3/8", "%1.0f'%2.0f  7/16",
    "%1.0f'%2.0f   1/2", "%1.0f'%2.0f  9/16", "%1.0f'%2.0f   5/8", "%1.0f'%2.0f 11/16",
    "%1.0f'%2.0f   3/4", "%1.0f'%2.0f 13/16", "%1.0f'%2.0f   7/8", "%1.0f'%2.0f 15/16",
};

// A fraction of an inch within this many sixteenths (1/32 of a sixteenth) of
// the next sixteenth goes up to it: a length booked as 5'6 3/8 and stored in
// decimal feet comes back a hair under 3/8 and must show as 3/8 again.
constexpr double kSixteenthRoundUp = 0.03125;

// Whole inches at or above this are a full foot. The inches are a floored
// product of doubles, so they are compared against a limit between 11 and 12
// rather than with 12 exactly.
constexpr double kFullFootInches = 11.95;

// Closes every run of blanks after the feet to one blank, moving the removed
// blanks (and a trailing one) to the front, then pads the front to `width`.
void TidyFeetInchesText(std::string& text, std::size_t width) {
  std::size_t from = 0;
  for (std::size_t at = text.find("  ", from); at != std::string::npos;
       at = text.find("  ", from)) {
    text.erase(at, 1);
    text.insert(0, 1, ' ');
    from = at + 1;
  }
  if (!text.empty() && text.back() == ' ') {
    text.pop_back();
    text.insert(0, 1, ' ');
  }
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
}

// Where the fraction's numerator starts in the blank form (5'6 3/8): after the
// first blank that follows the inches. Blanks straight after the apostrophe
// only pad a one-digit inch, as the display writes it (5' 3 1/8), and do not
// count. npos when there is no such blank.
std::size_t FractionBlank(const std::string& text, std::size_t apostrophe) {
  const std::size_t inches = text.find_first_not_of(' ', apostrophe + 1);
  if (inches == std::string::npos) return std::string::npos;
  return text.find(' ', inches);
}

// Feet-and-inches text: 5'6, 5'6", 5' 6, 5'6 3/8, 5'6"3/8, 5'063/8, with an
// optional leading '-'. Text without an apostrophe reads as 0.
double ParseFeetInches(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.erase(0, 1);
  text.erase(text.find_last_not_of(' ') + 1);

  const std::size_t apostrophe = text.find('\'');
  if (apostrophe == std::string::npos) return 0.0;
  const std::string_view all = text;
  const std::string_view feetText = all.substr(0, apostrophe);
  std::string_view inchText = all.substr(apostrophe + 1);

  double fraction = 0;
  if (const std::size_t slash = text.find('/'); slash != std::string::npos) {
    std::string_view numerator;
    if (const std::size_t quote = text.find('"'); quote != std::string::npos) {
      numerator = all.substr(quote + 1);
    } else if (const std::size_t blank = FractionBlank(text, apostrophe);
               blank != std::string::npos) {
      numerator = all.substr(blank + 1);
    } else {
      // Run together: two digits of inches, then the fraction (5'063/8).
      inchText = inchText.substr(0, 2);
      numerator = all.substr(std::min(apostrophe + 3, all.size()));
    }
    // A zero denominator (3/0) is a typing slip: it counts as no fraction
    // rather than storing an infinite length.
    const double denominator = ReadDouble(all.substr(slash + 1));
    if (denominator != 0) fraction = FiniteOrZero(ReadDouble(numerator) / denominator);
  }

  const double length = ReadDouble(feetText) + ReadDouble(inchText) / 12 + fraction / 12;
  return FiniteOrZero(negative ? -length : length);
}

}  // namespace

double ParseDistanceText(std::string text, int unit) {
  if (unit != kFeetInches && text.find_first_of("'\"") == std::string::npos) {
    return ReadDouble(text);
  }
  return ParseFeetInches(std::move(text));
}

void FormatFeetInches(double decimalFeet, std::string& text) {
  const std::size_t width = text.size();
  if (width == 0 || !std::isfinite(decimalFeet)) return;

  const bool negative = decimalFeet < 0;
  const double length = std::fabs(decimalFeet);
  double feet = std::floor(length);
  double inches = length * 12 - feet * 12;
  const double fraction = inches - std::floor(inches);
  // Cut down to whole sixteenths, except that a fraction within 1/32 of a
  // sixteenth of the next one goes up to it.
  const double sixteenths = std::floor(fraction * 16 + kSixteenthRoundUp);
  if (negative) feet = -feet;
  // Only a value too large for whole inches lands outside 0..16.
  int format = (sixteenths >= 0 && sixteenths <= 16) ? static_cast<int>(sixteenths) : 0;

  // A carried foot moves away from zero. The sign is taken from the value, not
  // from `feet`, so that -0.99999 (feet -0) carries to -1' 0 rather than 1' 0.
  const double carriedFoot = negative ? -1.0 : 1.0;
  if (format == 16) {
    // The fraction went up to a whole inch. Whole inches are counted on, so
    // that 10.999 in shows as 11 in and only 12 whole inches carry to a foot.
    format = 0;
    inches = std::floor(inches) + 1;
    if (inches > kFullFootInches) {
      inches = 0;
      feet += carriedFoot;
    }
  }
  if (format == 0 && std::floor(inches) >= kFullFootInches) {
    inches = 0.001;
    feet += carriedFoot;
  }

  text = Sprintf(kFeetInchesFormats[format], feet, std::floor(inches));
  TidyFeetInchesText(text, width);
}

int FormatDistanceText(std::string& text, double value, int unit) {
  if (unit == kFeetInches && !text.empty()) FormatFeetInches(value, text);
  return static_cast<int>(text.size());
}

}  // namespace kestrel
