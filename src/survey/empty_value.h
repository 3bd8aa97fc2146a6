#pragma once
// Empty numeric fields. Sheets fill never-entered doubles with 1e15 rounded to
// single precision; any magnitude above 1e10 shows as an empty cell.
#include <cmath>
#include <cstdint>

namespace kestrel {

inline constexpr double kEmptyValue = 999999986991104.0;  // double(float(1e15))
inline constexpr double kEmptyThreshold = 1e10;
inline constexpr std::uint32_t kNoPoint = 0xFFFFFFFFu;

inline bool IsEmptyValue(double value) { return std::fabs(value) > kEmptyThreshold; }

// Rounded to single precision, as heights are before they are stored.
inline double SinglePrecision(double value) { return double(float(value)); }

// What a computed or read value is stored as: itself, or empty when it is NaN
// or infinite, so that no row ever holds a non-finite number.
inline double FiniteOrEmpty(double value) { return std::isfinite(value) ? value : kEmptyValue; }

// A height as the single-precision height fields hold it; one beyond their
// range (or not finite) is stored empty.
inline double SinglePrecisionOrEmpty(double value) {
  const float single = static_cast<float>(value);
  return std::isfinite(single) ? double{single} : kEmptyValue;
}

}  // namespace kestrel
