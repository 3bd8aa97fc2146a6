#pragma once
// Case folding of the ASCII letters only. Texts in the core are
// Windows-1252, and neither the user's locale nor a letter beyond ASCII may
// change how a keyword, a bearing letter or a file name is matched.
#include <string>
#include <string_view>

namespace kestrel {

inline char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string LowerCaseAscii(std::string_view text);
std::string UpperCaseAscii(std::string_view text);

// Comparisons that ignore the case of ASCII letters.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);
bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view word);

}  // namespace kestrel
