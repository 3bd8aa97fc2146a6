#include "lsq/ls_parameters.h"

#include "platform/file_access.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {

namespace {

// Integers separated by commas and line ends, read as fscanf("%d,") reads
// them: each as far as it forms a number, a missing one as 0.
class IntegerReader {
 public:
  explicit IntegerReader(std::string_view text) : text_(text) {}

  int Next() {
    std::size_t consumed = 0;
    const int value = ReadInt(text_.substr(at_), &consumed);
    at_ += consumed;
    // Past the separator, whatever it is, so that one bad value does not
    // shift the ones after it.
    while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\n') ++at_;
    if (at_ < text_.size()) ++at_;
    return value;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

LsParmReading ParseLsParm(std::string_view text) {
  LsParmReading reading;
  IntegerReader numbers(text);
  const int first = numbers.Next();
  if (first < 1 || first > 3) {
    reading.message = Sprintf(kLsParmBadMode, first);
    return reading;
  }
  LeastSquaresSettings& s = reading.settings;
  s.mode = first - 1;
  s.distanceAccuracyMm = s.ppm = s.angularAccuracySec = s.refraction = 0.0;
  if (s.mode != kLsVertical) {
    s.distanceAccuracyMm = numbers.Next();
    s.ppm = numbers.Next();
    s.angularAccuracySec = numbers.Next();
  }
  if (s.mode != kLsHorizontal) s.refraction = numbers.Next();
  return reading;
}

LsParmReading ReadLsParm(const std::string& path) {
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return {};
  return ParseLsParm(*text);
}

}  // namespace kestrel
