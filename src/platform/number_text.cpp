#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace kestrel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

// Blanks, sign and decimal digits as atoi reads them, the magnitude saturated
// at `limit` so that any length of digits is safe.
template <typename Int>
Int ReadClampedInteger(std::string_view text, std::size_t* consumed) {
  using Unsigned = std::make_unsigned_t<Int>;
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t firstDigit = i;
  // The most negative value has one more unit of magnitude than the largest.
  const Unsigned limit =
      static_cast<Unsigned>(std::numeric_limits<Int>::max()) + (negative ? 1u : 0u);
  Unsigned magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    const auto digit = static_cast<Unsigned>(text[i] - '0');
    if (magnitude > (limit - digit) / 10) {
      magnitude = limit;
    } else {
      magnitude = magnitude * 10 + digit;
    }
  }
  if (i == firstDigit) {
    if (consumed) *consumed = 0;
    return 0;
  }
  if (consumed) *consumed = i;
  if (!negative) return static_cast<Int>(magnitude);
  if (magnitude == limit) return std::numeric_limits<Int>::min();
  return -static_cast<Int>(magnitude);
}

}  // namespace

double ReadDouble(std::string_view text, std::size_t* consumed) {
  if (consumed) *consumed = 0;
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Only digits or a point followed by a digit can begin a number here; this
  // keeps "inf", "nan" and a second sign out, and from_chars reads neither a
  // sign nor hexadecimal in its general form.
  const bool startsNumber =
      i < text.size() &&
      (IsDigit(text[i]) || (text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1])));
  if (!startsNumber) return 0.0;

  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error == std::errc::invalid_argument) return 0.0;
  if (consumed) *consumed = static_cast<std::size_t>(end - text.data());
  // Overflow reads as 0; so does underflow, whose value is 0 anyway.
  if (error == std::errc::result_out_of_range || !std::isfinite(value)) return 0.0;
  return negative ? -value : value;
}

int ReadInt(std::string_view text, std::size_t* consumed) {
  return ReadClampedInteger<int>(text, consumed);
}

std::int64_t ReadInt64(std::string_view text, std::size_t* consumed) {
  return ReadClampedInteger<std::int64_t>(text, consumed);
}

double FiniteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

}  // namespace kestrel
