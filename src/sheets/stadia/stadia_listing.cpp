// The Stadia listing lines, the printed page and the listing file.
#include "sheets/stadia/stadia_listing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/ascii_case.h"
#include "platform/ports.h"
#include "platform/printf_format.h"
#include "sheets/data_source.h"
#include "sheets/stadia/listing_texts.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stations_above.h"
#include "survey/angle_steps.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/geometry.h"
#include "survey/vertical_circle.h"

namespace kestrel {

namespace {

// The listing file's page: font in points, margins in twips.
constexpr int kSmallFontPoints = 7;
constexpr int kFontPoints = 8;
constexpr int kMarginLeft = 1000;
constexpr int kMarginRight = 500;
constexpr int kMarginTop = 1500;
constexpr int kMarginBottom = 1000;

std::string CodeAndComment(const StadiaRow& row) {
  return Sprintf("%9.9s%16.16s", row.code.c_str(), row.comment.c_str());
}

std::string Coordinates(const FieldTexts& f, const StadiaRow& row) {
  return f.Length("%14.3f", row.east) + f.Length("%14.3f", row.north) +
         f.Length("%14.3f", row.height);
}

// The keyword, point and bearing of an HZ/DH, HD/RL or CHK line: the point
// and the bearing (and the field after them) each give up a column when the
// coordinates are listed too.
std::string ShotLead(const FieldTexts& f, const char* keyword, const StadiaRow& row, bool wide) {
  return keyword + f.Point(wide ? "%5d" : "%7d", row.point) +
         f.Angle(wide ? "%14.4f" : "%15.4f", row.hz);
}

// A shot's line closed by its code and comment and, when listed, its
// coordinates.
std::string WithCoordinates(const FieldTexts& f, const StadiaRow& row, bool coordinates,
                            std::string line) {
  line += CodeAndComment(row);
  return coordinates ? line + Coordinates(f, row) : line;
}

// One row's line; empty for a row of unknown type.
std::string RowLine(const FieldTexts& f, const StadiaRow& row, bool coordinates) {
  switch (row.type) {
    case kStadiaStn:
      return "STN  " + f.Point("%7d", row.point) + f.Length("%15.3f", row.east) +
             f.Length("%14.3f", row.north) + f.Length("%14.3f", row.height) + "             " +
             CodeAndComment(row);
    case kStadiaAtBs: {
      const std::uint32_t backsight = HasBacksight(row) ? BacksightNumber(row) : kNoPoint;
      return "AT/BS " + f.Point("%6d", row.point) + f.Angle("%15.4f", row.hz) +
             f.Point("%14d", backsight) + f.Length("%14.3f", row.dist);
    }
    case kStadiaFnote:
      return Sprintf("Fnote  %-60s", row.note.c_str());
    case kStadiaSdHt:
      // The slope shot keeps its widths with the coordinates.
      return WithCoordinates(f, row, coordinates,
                             "SD/HT" + f.Point("%7d", row.point) + f.Angle("%15.4f", row.hz) +
                                 f.Plain("%14.4f", row.obs2) + f.Length("%14.3f", row.dist) +
                                 f.Length("%13.3f", row.targetHt));
    case kStadiaHzDh:
      return WithCoordinates(f, row, coordinates,
                             ShotLead(f, "HZ/DH", row, coordinates) +
                                 f.Length(coordinates ? "%14.3f" : "%13.3f", row.dist) +
                                 f.Length("%14.3f", row.obs2) + f.Length("%13.3f", row.targetHt));
    case kStadiaHdRl:
      return WithCoordinates(f, row, coordinates,
                             ShotLead(f, "HD/RL", row, coordinates) +
                                 f.Length(coordinates ? "%14.3f" : "%13.3f", row.dist) +
                                 f.Length("%14.3f", row.height));
    case kStadiaChk:
      return WithCoordinates(f, row, coordinates,
                             ShotLead(f, "  CHK", row, coordinates) +
                                 f.Plain(coordinates ? "%14.4f" : "%13.4f", row.obs2) +
                                 f.Length("%14.3f", row.dist) + f.Length("%13.3f", row.targetHt));
    default:
      return {};
  }
}

// The convention named in the note of the first AT/BS row that names one.
VerticalConvention SheetConvention(const std::vector<StadiaRow>& rows) {
  constexpr VerticalConvention kNamed[] = {VerticalConvention::V0ha, VerticalConvention::V0na,
                                           VerticalConvention::V0nc};
  for (const StadiaRow& row : rows) {
    if (row.type != kStadiaAtBs) continue;
    for (const VerticalConvention convention : kNamed) {
      if (ContainsIgnoringAsciiCase(row.note, VerticalConventionKeyword(convention))) {
        return convention;
      }
    }
  }
  return VerticalConvention::Zenith;
}

// Follows the rows from the top and knows the orientation of the set-up in
// force: the bearing from the instrument point to the backsight point, both
// taken from the nearest STN rows above the AT/BS row, less the backsight
// reading.
class SetupTracker {
 public:
  explicit SetupTracker(const std::vector<StadiaRow>& rows) : rows_(rows) {}

  void Pass(std::size_t index) {
    const StadiaRow& row = rows_[index];
    if (row.type == kStadiaStn) {
      stations_.Pass(row.point, index);
    } else if (row.type == kStadiaAtBs) {
      orientation_ = OrientationOf(row);
    }
  }

  std::optional<double> OrientationRadians() const { return orientation_; }

 private:
  const StadiaRow* Station(std::uint32_t point) const {
    const std::optional<std::size_t> found = stations_.Nearest(point);
    if (!found) return nullptr;
    const StadiaRow* station = &rows_[*found];
    if (IsEmptyValue(station->east) || IsEmptyValue(station->north)) return nullptr;
    return station;
  }

  std::optional<double> OrientationOf(const StadiaRow& setup) const {
    if (!HasBacksight(setup) || BacksightNumber(setup) == 0 || IsEmptyValue(setup.hz)) {
      return std::nullopt;
    }
    const StadiaRow* at = Station(setup.point);
    const StadiaRow* back = Station(BacksightNumber(setup));
    if (at == nullptr || back == nullptr) return std::nullopt;
    const double bearing = BearingBetween(at->east, at->north, back->east, back->north);
    if (bearing == kNoBearing) return std::nullopt;
    return bearing - DmsToRadians(setup.hz);
  }

  const std::vector<StadiaRow>& rows_;
  StationsAbove stations_;
  std::optional<double> orientation_;
};

// The corrected bearing and horizontal distance of an SD/HT row.
std::string CorrectedValues(const FieldTexts& f, const StadiaRow& row, double orientation,
                            VerticalConvention convention) {
  std::string bearing = f.Plain("%15.4f", kEmptyValue);
  if (!IsEmptyValue(row.hz)) {
    const double degrees = DmsToDegrees(row.hz) + RadiansToDegrees(orientation);
    bearing = f.Angle("%15.4f", DegreesToDms(degrees));
  }
  double horizontal = kEmptyValue;
  if (!IsEmptyValue(row.obs2) && !IsEmptyValue(row.dist)) {
    const double elevation = ElevationDegrees(DmsToDegrees(row.obs2), convention);
    horizontal = std::cos(DegreesToRadians(elevation)) * row.dist;
  }
  return bearing + f.Length("%14.3f", horizontal);
}

}  // namespace

std::vector<std::string> StadiaListingLines(Stadia& sheet, int first, int end, bool corrected) {
  const std::vector<StadiaRow>& rows = sheet.Rows();
  const int count = static_cast<int>(rows.size());
  first = std::clamp(first, 0, count);
  end = std::clamp(end, first, count);
  const bool coordinates = sheet.ShowCoordinates();
  const bool withCorrected = coordinates && corrected;
  const FieldTexts f(sheet.Context().units.BearingMode(), sheet.Context().units.DistanceUnit());
  const VerticalConvention convention =
      withCorrected ? SheetConvention(rows) : VerticalConvention::Zenith;

  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(end - first));
  SetupTracker setups(rows);
  // The set-up in force depends on the rows above the first one listed.
  for (int i = withCorrected ? 0 : first; i < end; ++i) {
    const StadiaRow& row = rows[static_cast<std::size_t>(i)];
    if (withCorrected) setups.Pass(static_cast<std::size_t>(i));
    if (i < first || row.type < 0 || row.type >= kStadiaRowTypeCount) continue;
    std::string line = RowLine(f, row, coordinates);
    if (withCorrected && row.type == kStadiaSdHt && setups.OrientationRadians()) {
      line += CorrectedValues(f, row, *setups.OrientationRadians(), convention);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

ReportSettings StadiaListingSettings(bool coordinates, bool corrected, bool& landscape) {
  ReportSettings settings;
  settings.fontSize = coordinates && corrected ? kSmallFontPoints : kFontPoints;
  landscape = coordinates || corrected;
  if (landscape) {
    settings.marginLeft = kMarginLeft;
    settings.marginRight = kMarginRight;
    settings.marginTop = kMarginTop;
    settings.marginBottom = kMarginBottom;
  }
  return settings;
}

}  // namespace kestrel
