#pragma once
// Numbers written as printf writes "%W.Pf" and "%Wd" in the C locale, without
// going through printf: the listings, reports and cell texts of a large sheet
// write millions of numbers, and printf's parsing and locale switch cost
// several times the conversion itself.
#include <string>

namespace kestrel {

// Appends `value` as "%<width>.<precision>f" writes it: rounded to nearest
// (ties to even on the exact binary value), a minus sign for negative values
// (negative zero included), right-aligned in `width` with blanks.
void AppendFixed(std::string& out, double value, int width, int precision);
std::string FixedText(double value, int width, int precision);

// Appends `value` as "%<width>d" writes it.
void AppendInteger(std::string& out, long long value, int width);
std::string IntegerText(long long value, int width = 1);

}  // namespace kestrel
