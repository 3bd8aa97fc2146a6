#pragma once
// Reading numbers from typed text the way the field book expects: in the C
// locale, as far as the text forms a number, and text that is not a number
// reads as 0. Nothing here ever yields a non-finite value.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrel {

// Leading blanks (space, tab, CR, LF) are skipped; then an optional sign,
// digits with an optional decimal point, and an optional exponent are read.
// Reading stops at the first character that cannot continue the number, so
// "100g" reads 100 and "12.5m" reads 12.5. Text without digits reads as 0.
// "inf", "nan" and hexadecimal forms are not numbers here; a value that
// overflows a double reads as 0. `consumed`, when given, receives the number of
// characters that formed the number (0 when none did), counted from the start
// of `text` so that leading blanks are included; an overflowing number counts.
double ReadDouble(std::string_view text, std::size_t* consumed = nullptr);

// Integer conversion as atoi does it: blanks, optional sign, decimal digits;
// stops at the first non-digit; text without digits reads as 0. The value is
// clamped to the range of the result type.
int ReadInt(std::string_view text, std::size_t* consumed = nullptr);
std::int64_t ReadInt64(std::string_view text, std::size_t* consumed = nullptr);

// Zero when `value` is NaN or infinite, else `value`: the last guard before a
// computed number is stored.
double FiniteOrZero(double value);

}  // namespace kestrel
