// The Traditional Stadia listing lines and the sheet's listing hooks (the
// page and the listing file are the family's).
#include "sheets/stadia/traditional_listing.h"

#include <algorithm>
#include <cmath>

#include "platform/ports.h"
#include "platform/printf_format.h"
#include "sheets/stadia/traditional.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/empty_value.h"

namespace kestrel {

namespace {

// A never-entered value prints as blanks as wide as its number would be, so
// that the columns stay aligned.
std::string Blanked(const char* format, double value) {
  const bool empty = IsEmptyValue(value) || !std::isfinite(value);
  const std::string text = Sprintf(format, empty ? 0.0 : value);
  return empty ? std::string(text.size(), ' ') : text;
}

class LineMaker {
 public:
  LineMaker(int angleMode, int distanceUnit, bool wide)
      : mode_(angleMode), unit_(distanceUnit), wide_(wide) {}

  std::string Line(const TraditionalRow& row) const {
    const int point = row.point == kTradNoPoint ? 0 : row.point;
    const std::string code = row.code;
    const std::string comment = row.comment;
    switch (row.type) {
      case kTradStn:
        return Sprintf(wide_ ? "STN  %5d%s%s%s             %9.9s%16.16s"
                             : "STN  %7d%s%s%s             %9.9s%16.16s",
                       point, Distance(row.east).c_str(), Distance(row.north).c_str(),
                       Distance(SingleValue(row.height)).c_str(), code.c_str(), comment.c_str());
      case kTradAtBs: {
        const double hz = SingleValue(row.hz);
        const int backsight = TraditionalBacksight(row);
        if (wide_) {
          return Sprintf("AT/BS%5d%14.4f%11d%s", point, IsEmptyValue(hz) ? 0.0 : hz, backsight,
                         Distance(SingleValue(row.midHair)).c_str());
        }
        const double ih = SingleValue(row.midHair);
        return Sprintf("AT/BS %7d%14.4f%13d%14.3f", point, IsEmptyValue(hz) ? 0.0 : hz, backsight,
                       IsEmptyValue(ih) ? 0.0 : ih);
      }
      case kTradFnote:
        return Sprintf("Fnote  %-60s", row.note.c_str());
      default:
        return Shot(row, point);
    }
  }

 private:
  std::string Distance(double value) const {
    std::string text = Blanked("%14.3f", value);
    if (!IsEmptyValue(value)) FormatDistanceText(text, value, unit_);
    return text;
  }

  std::string Horizontal(double packedDms) const {
    std::string text = Blanked("%15.4f", packedDms);
    if (!IsEmptyValue(packedDms)) ConvertAngleText(text, mode_);
    return text;
  }

  std::string Shot(const TraditionalRow& row, int point) const {
    const char* keyword = row.type == kTradThreeHair ? "3Hair"
                          : row.type == kTradMhSd    ? "MH/SD"
                                                     : "MH/SI";
    const char* reading = row.type == kTradThreeHair ? "%5.3f" : "%9.3f";
    const double vertical = SingleValue(row.obs2);
    std::string line = Sprintf(
        wide_ ? "%s%5d%s%14.4f %s %s %s %9.9s%16.16s" : "%s%7d%s%13.4f %s %s %s %9.9s%16.16s",
        keyword, point, Horizontal(SingleValue(row.hz)).c_str(),
        IsEmptyValue(vertical) ? 0.0 : vertical, Blanked(reading, SingleValue(row.lowHair)).c_str(),
        Blanked(reading, SingleValue(row.midHair)).c_str(),
        Blanked(reading, SingleValue(row.topHair)).c_str(), row.code.c_str(), row.comment.c_str());
    if (wide_) {
      line += Distance(row.east) + Distance(row.north) + Distance(SingleValue(row.height));
    }
    return line;
  }

  int mode_;
  int unit_;
  bool wide_;
};

}  // namespace

std::vector<std::string> TraditionalListingLines(const Traditional& sheet, int first, int end) {
  UnitSelectors& units = sheet.Context().units;
  const LineMaker maker(units.BearingMode(), units.DistanceUnit(), sheet.ShowCoordinates());
  const int count = static_cast<int>(sheet.Rows().size());
  std::vector<std::string> lines;
  for (int i = std::max(first, 0); i < std::min(end, count); ++i) {
    lines.push_back(maker.Line(sheet.Rows()[static_cast<std::size_t>(i)]));
  }
  return lines;
}

Traditional::ListingForm Traditional::Listing() const {
  return {"Traditional Stadia Report", "Traditional File :", "%s%sTraditionalListing_%s.rtf"};
}

std::vector<std::string> Traditional::ListingLines(int first, int end, bool) {
  return TraditionalListingLines(*this, first, end);
}

ReportSettings Traditional::ListingSettings(bool, bool& landscape) const {
  landscape = ShowCoordinates();
  return {};
}

}  // namespace kestrel
