#pragma once
// The one printf helper. Report and cell formats are C printf formats used
// verbatim; the C locale is always used, whatever the user's locale, so that
// "%8.3f" writes a decimal point on every machine.
#include <cstdarg>
#include <string>

namespace kestrel {

// Formats like snprintf in the C locale and returns the whole text (never cut).
std::string Sprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string VSprintf(const char* format, std::va_list args);

}  // namespace kestrel
