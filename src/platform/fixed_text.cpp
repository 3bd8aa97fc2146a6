#include "platform/fixed_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "platform/printf_format.h"

namespace kestrel {

namespace {

// The widest fixed text of a double: 309 integer digits, a sign, a point and
// the decimals asked for (kept well below this size).
constexpr int kMaxPrecision = 40;
constexpr std::size_t kBufferSize = 360;

void AppendPadded(std::string& out, const char* first, const char* last, int width) {
  const auto length = static_cast<int>(last - first);
  if (width > length) out.append(static_cast<std::size_t>(width - length), ' ');
  out.append(first, last);
}

// The fixed text of values of survey size, worked out exactly in integers:
// |value| = m * 2^e with m below 2^53, so |value| * 10^precision is m *
// 10^precision (below 2^117) shifted by e, rounded half to even on the
// bits shifted out, as printf rounds. Writes the text ending at `end` and
// returns where it starts, or null when the value is too large or too small
// for this way (the caller then asks std::to_chars).
constexpr int kFastPrecision = 9;
constexpr std::uint64_t kPowersOfTen[kFastPrecision + 1] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

char* FastFixed(double value, int precision, char* end) {
  __extension__ typedef unsigned __int128 Wide;
  if (precision > kFastPrecision) return nullptr;
  // The mantissa and exponent straight from the bits (frexp and ldexp are
  // library calls, a good part of the conversion's time). Zero is 0 / 2^0;
  // subnormals are far too small for this way.
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = 0;
  int shift = 0;  // |value| = mantissa / 2^shift
  if (biased != 0) {
    mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    shift = 1075 - biased;
  } else if ((bits << 1) != 0) {
    return nullptr;
  }
  // Below 2^-60 or from 2^53 on, leave it to the general conversion.
  if (shift > 113 || shift < 0) return nullptr;
  const Wide scaled = static_cast<Wide>(mantissa) * kPowersOfTen[precision];
  Wide rounded = scaled >> shift;
  if (shift > 0) {
    const Wide rest = scaled - (rounded << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (rounded & 1) != 0)) ++rounded;
  }
  // Written from a 64-bit integer: dividing the wide one is slow.
  if ((rounded >> 64) != 0) return nullptr;
  auto digits = static_cast<std::uint64_t>(rounded);
  char* first = end;
  int written = 0;
  // At least one digit before the point.
  while (digits != 0 || written <= precision) {
    if (written == precision && precision > 0) *--first = '.';
    *--first = static_cast<char>('0' + static_cast<int>(digits % 10));
    digits /= 10;
    ++written;
  }
  if (std::signbit(value)) *--first = '-';
  return first;
}

}  // namespace

void AppendFixed(std::string& out, double value, int width, int precision) {
  // std::to_chars with a precision is defined as printf's conversion in the C
  // locale; infinities, NaN and odd precisions are left to printf itself.
  if (!std::isfinite(value) || precision < 0 || precision > kMaxPrecision) {
    out += Sprintf("%*.*f", width, precision, value);
    return;
  }
  char buffer[kBufferSize];
  if (const char* first = FastFixed(value, precision, buffer + kBufferSize)) {
    AppendPadded(out, first, buffer + kBufferSize, width);
    return;
  }
  const auto [end, error] =
      std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::fixed, precision);
  if (error != std::errc{}) {
    out += Sprintf("%*.*f", width, precision, value);
    return;
  }
  AppendPadded(out, buffer, end, width);
}

std::string FixedText(double value, int width, int precision) {
  std::string text;
  AppendFixed(text, value, width, precision);
  return text;
}

void AppendInteger(std::string& out, long long value, int width) {
  char buffer[24];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  AppendPadded(out, buffer, error == std::errc{} ? end : buffer, width);
}

std::string IntegerText(long long value, int width) {
  std::string text;
  AppendInteger(text, value, width);
  return text;
}

}  // namespace kestrel
