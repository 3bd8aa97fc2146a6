#pragma once
// The texts of a row's fields in a radiation sheet's listing, in the user's
// angle mode and distance notation (the Stadia and precision listings).
#include <cstdint>
#include <string>

#include "platform/printf_format.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/empty_value.h"

namespace kestrel {

// The texts of a row's fields in the user's angle mode and distance notation.
// A never-entered value shows as blanks as wide as its number would be, so
// that the columns stay aligned.
class FieldTexts {
 public:
  FieldTexts(int angleMode, int distanceUnit) : mode_(angleMode), unit_(distanceUnit) {}

  std::string Point(const char* format, std::uint32_t point) const {
    const std::string text = Sprintf(format, static_cast<int>(point));
    return point == kNoPoint ? std::string(text.size(), ' ') : text;
  }

  // A number printed as it stands (vertical circle readings).
  std::string Plain(const char* format, double value) const {
    const std::string text = Sprintf(format, IsEmptyValue(value) ? 0.0 : value);
    return IsEmptyValue(value) ? std::string(text.size(), ' ') : text;
  }

  std::string Length(const char* format, double value) const {
    std::string text = Plain(format, value);
    if (!IsEmptyValue(value)) FormatDistanceText(text, value, unit_);
    return text;
  }

  // Whole circle shows the packed number. The other modes are converted from
  // the whole-circle text, which is what the conversion reads (the plain
  // number would be read with its decimal point dropped), and right-aligned
  // to the number's width so that every quadrant lines up.
  std::string Angle(const char* format, double packedDms) const {
    std::string text = Plain(format, packedDms);
    if (IsEmptyValue(packedDms) || mode_ == kWholeCircle) return text;
    const std::size_t width = text.size();
    text = FormatDmsText(packedDms);
    ConvertAngleText(text, mode_);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
  }

 private:
  int mode_;
  int unit_;
};

}  // namespace kestrel
