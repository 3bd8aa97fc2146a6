#include "survey/entry_doubts.h"

#include <cmath>

#include "platform/printf_format.h"
#include "survey/empty_value.h"

namespace kestrel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// An exponent as the number reader takes it: after a digit or the point, and
// followed by a digit, or a sign and a digit.
bool IsExponent(std::string_view text, std::size_t at) {
  if (text[at] != 'e' && text[at] != 'E') return false;
  if (at == 0 || !(IsDigit(text[at - 1]) || text[at - 1] == '.')) return false;
  std::size_t next = at + 1;
  if (next < text.size() && (text[next] == '+' || text[next] == '-')) ++next;
  return next < text.size() && IsDigit(text[next]);
}

bool IsAngleLetter(char c) {
  switch (c) {
    case 'N':
    case 'S':
    case 'E':
    case 'W':
    case 'D':
    case 'n':
    case 's':
    case 'e':
    case 'w':
    case 'd':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string AngleReadingDoubt(double packedDms) {
  if (IsEmptyValue(packedDms) || !std::isfinite(packedDms)) return {};
  const double magnitude = std::fabs(packedDms);
  // The decimals in hundredths of a second: MMSSss. The small addition keeps
  // 0.6 (held as 0.5999...) at 60 minutes.
  const double fraction = magnitude - std::floor(magnitude);
  const auto decimals = static_cast<long long>(std::floor(fraction * 1e6 + 1e-6));
  const long long minutes = decimals / 10000;
  const long long seconds = decimals % 10000 / 100;
  if (minutes >= 60) {
    return Sprintf("%lld minutes: a reading has 0 to 59 minutes; kept as typed", minutes);
  }
  if (seconds >= 60) {
    return Sprintf("%lld seconds: a reading has 0 to 59 seconds; kept as typed", seconds);
  }
  return {};
}

bool LetterInsideNumber(std::string_view text, bool angle) {
  bool letter = false;  // a letter that ends the number has been passed
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c) && letter) return true;
    if (!IsLetter(c) || IsExponent(text, i) || (angle && IsAngleLetter(c))) continue;
    letter = true;
  }
  return false;
}

}  // namespace kestrel
