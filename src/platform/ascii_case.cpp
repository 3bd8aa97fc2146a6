#include "platform/ascii_case.h"

#include <algorithm>

namespace kestrel {

namespace {

bool SameLetter(char a, char b) { return LowerAscii(a) == LowerAscii(b); }

}  // namespace

std::string LowerCaseAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

std::string UpperCaseAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameLetter);
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view word) {
  // Every text holds the empty word, the empty text included.
  if (word.empty()) return true;
  return std::search(text.begin(), text.end(), word.begin(), word.end(), SameLetter) != text.end();
}

}  // namespace kestrel
