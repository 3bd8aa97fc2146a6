#pragma once
// The texts of a row's fields in a radiation sheet's listing, in the user's
// angle mode and distance notation (the Stadia and precision listings).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/fixed_text.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/empty_value.h"

namespace kestrel {

// The texts of a row's fields in the user's angle mode and distance notation,
// each appended to the line as "%<width>.<precision>f" or "%<width>d" would
// write it. A never-entered value shows as blanks as wide as its number would
// be, so that the columns stay aligned.
class LineFields {
 public:
  LineFields(int angleMode, int distanceUnit) : mode_(angleMode), unit_(distanceUnit) {}

  void Point(std::string& line, int width, std::uint32_t point) const {
    const std::size_t at = line.size();
    AppendInteger(line, static_cast<int>(point), width);
    if (point == kNoPoint) Blank(line, at);
  }

  // A number printed as it stands (vertical circle readings).
  void Plain(std::string& line, int width, int precision, double value) const {
    const std::size_t at = line.size();
    AppendFixed(line, IsEmptyValue(value) ? 0.0 : value, width, precision);
    if (IsEmptyValue(value)) Blank(line, at);
  }

  void Length(std::string& line, int width, double value) const {
    if (unit_ != kFeetInches || IsEmptyValue(value)) {
      Plain(line, width, kLengthDecimals, value);
      return;
    }
    std::string text = FixedText(value, width, kLengthDecimals);
    FormatDistanceText(text, value, unit_);
    line += text;
  }

  // Whole circle shows the packed number. The other modes are converted from
  // the whole-circle text, which is what the conversion reads (the plain
  // number would be read with its decimal point dropped), and right-aligned
  // to the number's width so that every quadrant lines up.
  void Angle(std::string& line, int width, double packedDms) const {
    if (IsEmptyValue(packedDms) || mode_ == kWholeCircle) {
      Plain(line, width, kAngleDecimals, packedDms);
      return;
    }
    const std::size_t numberWidth = FixedText(packedDms, width, kAngleDecimals).size();
    std::string text = FormatDmsText(packedDms);
    ConvertAngleText(text, mode_);
    if (text.size() < numberWidth) line.append(numberWidth - text.size(), ' ');
    line += text;
  }

 private:
  static constexpr int kLengthDecimals = 3;
  static constexpr int kAngleDecimals = 4;

  static void Blank(std::string& line, std::size_t from) {
    std::fill(line.begin() + static_cast<std::ptrdiff_t>(from), line.end(), ' ');
  }

  int mode_;
  int unit_;
};

// "%9.9s%16.16s": the code and comment, each cut or padded to its width (a
// text ends at its first NUL, as printf reads it).
inline void AppendCodeAndComment(std::string& line, const std::string& code,
                                 const std::string& comment) {
  const auto field = [&line](const std::string& text, std::size_t width) {
    const std::size_t shown = std::min(std::strlen(text.c_str()), width);
    line.append(width - shown, ' ');
    line.append(text.c_str(), shown);
  };
  field(code, 9);
  field(comment, 16);
}

}  // namespace kestrel
