#include "platform/printf_format.h"

#include <locale.h>

#include <cstdio>

namespace kestrel {
namespace {

// The C locale, made once. Switching only this thread's locale around the
// call leaves the process locale (which the desktop may set) alone.
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

class ScopedCLocale {
 public:
  ScopedCLocale() : previous_(CLocale() ? uselocale(CLocale()) : static_cast<locale_t>(0)) {}
  ~ScopedCLocale() {
    if (previous_) uselocale(previous_);
  }
  ScopedCLocale(const ScopedCLocale&) = delete;
  ScopedCLocale& operator=(const ScopedCLocale&) = delete;

 private:
  locale_t previous_;
};

}  // namespace

std::string Sprintf(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = VSprintf(format, args);
  va_end(args);
  return text;
}

std::string VSprintf(const char* format, std::va_list args) {
  ScopedCLocale cLocale;
  // Most texts are short: format into a stack buffer first and only format a
  // second time when the text did not fit.
  char small[256];
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(small, sizeof small, format, args);
  std::string text;
  if (length < 0) {
    // An encoding error: nothing sensible can be shown.
  } else if (static_cast<std::size_t>(length) < sizeof small) {
    text.assign(small, static_cast<std::size_t>(length));
  } else {
    text.resize(static_cast<std::size_t>(length));
    std::vsnprintf(text.data(), text.size() + 1, format, again);
  }
  va_end(again);
  return text;
}

}  // namespace kestrel
