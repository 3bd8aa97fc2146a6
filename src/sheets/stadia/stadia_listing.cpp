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

void Coordinates(std::string& line, const LineFields& f, const StadiaRow& row) {
  f.Length(line, 14, row.east);
  f.Length(line, 14, row.north);
  f.Length(line, 14, row.height);
}

// The keyword, point and bearing of an HZ/DH, HD/RL or CHK line: the point
// and the bearing (and the field after them) each give up a column when the
// coordinates are listed too.
void ShotLead(std::string& line, const LineFields& f, const char* keyword, const StadiaRow& row,
              bool wide) {
  line += keyword;
  f.Point(line, wide ? 5 : 7, row.point);
  f.Angle(line, wide ? 14 : 15, row.hz);
}

// A shot's line closed by its code and comment and, when listed, its
// coordinates.
void CloseShot(std::string& line, const LineFields& f, const StadiaRow& row, bool coordinates) {
  AppendCodeAndComment(line, row.code, row.comment);
  if (coordinates) Coordinates(line, f, row);
}

// One row's line into `line`; empty for a row of unknown type.
void RowLine(std::string& line, const LineFields& f, const StadiaRow& row, bool coordinates) {
  line.clear();
  switch (row.type) {
    case kStadiaStn:
      line += "STN  ";
      f.Point(line, 7, row.point);
      f.Length(line, 15, row.east);
      f.Length(line, 14, row.north);
      f.Length(line, 14, row.height);
      line += "             ";
      AppendCodeAndComment(line, row.code, row.comment);
      return;
    case kStadiaAtBs: {
      const std::uint32_t backsight = HasBacksight(row) ? BacksightNumber(row) : kNoPoint;
      line += "AT/BS ";
      f.Point(line, 6, row.point);
      f.Angle(line, 15, row.hz);
      f.Point(line, 14, backsight);
      f.Length(line, 14, row.dist);
      return;
    }
    case kStadiaFnote:
      line = Sprintf("Fnote  %-60s", row.note.c_str());
      return;
    case kStadiaSdHt:
      // The slope shot keeps its widths with the coordinates.
      line += "SD/HT";
      f.Point(line, 7, row.point);
      f.Angle(line, 15, row.hz);
      f.Plain(line, 14, 4, row.obs2);
      f.Length(line, 14, row.dist);
      f.Length(line, 13, row.targetHt);
      CloseShot(line, f, row, coordinates);
      return;
    case kStadiaHzDh:
      ShotLead(line, f, "HZ/DH", row, coordinates);
      f.Length(line, coordinates ? 14 : 13, row.dist);
      f.Length(line, 14, row.obs2);
      f.Length(line, 13, row.targetHt);
      CloseShot(line, f, row, coordinates);
      return;
    case kStadiaHdRl:
      ShotLead(line, f, "HD/RL", row, coordinates);
      f.Length(line, coordinates ? 14 : 13, row.dist);
      f.Length(line, 14, row.height);
      CloseShot(line, f, row, coordinates);
      return;
    case kStadiaChk:
      ShotLead(line, f, "  CHK", row, coordinates);
      f.Plain(line, coordinates ? 14 : 13, 4, row.obs2);
      f.Length(line, 14, row.dist);
      f.Length(line, 13, row.targetHt);
      CloseShot(line, f, row, coordinates);
      return;
    default:
      return;
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
void CorrectedValues(std::string& line, const LineFields& f, const StadiaRow& row,
                     double orientation, VerticalConvention convention) {
  if (IsEmptyValue(row.hz)) {
    f.Plain(line, 15, 4, kEmptyValue);
  } else {
    const double degrees = DmsToDegrees(row.hz) + RadiansToDegrees(orientation);
    f.Angle(line, 15, DegreesToDms(degrees));
  }
  double horizontal = kEmptyValue;
  if (!IsEmptyValue(row.obs2) && !IsEmptyValue(row.dist)) {
    const double elevation = ElevationDegrees(DmsToDegrees(row.obs2), convention);
    horizontal = std::cos(DegreesToRadians(elevation)) * row.dist;
  }
  f.Length(line, 14, horizontal);
}

}  // namespace

void StadiaListing(Stadia& sheet, int first, int end, bool corrected, ReportLines& out) {
  const std::vector<StadiaRow>& rows = sheet.Rows();
  const int count = static_cast<int>(rows.size());
  first = std::clamp(first, 0, count);
  end = std::clamp(end, first, count);
  const bool coordinates = sheet.ShowCoordinates();
  const bool withCorrected = coordinates && corrected;
  const LineFields f(sheet.Context().units.BearingMode(), sheet.Context().units.DistanceUnit());
  const VerticalConvention convention =
      withCorrected ? SheetConvention(rows) : VerticalConvention::Zenith;

  std::string line;
  SetupTracker setups(rows);
  // The set-up in force depends on the rows above the first one listed.
  for (int i = withCorrected ? 0 : first; i < end; ++i) {
    const StadiaRow& row = rows[static_cast<std::size_t>(i)];
    if (withCorrected) setups.Pass(static_cast<std::size_t>(i));
    if (i < first || row.type < 0 || row.type >= kStadiaRowTypeCount) continue;
    RowLine(line, f, row, coordinates);
    if (withCorrected && row.type == kStadiaSdHt && setups.OrientationRadians()) {
      CorrectedValues(line, f, row, *setups.OrientationRadians(), convention);
    }
    out.Add(line);
  }
}

std::vector<std::string> StadiaListingLines(Stadia& sheet, int first, int end, bool corrected) {
  struct Collected : ReportLines {
    void Add(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
  } collected;
  StadiaListing(sheet, first, end, corrected, collected);
  return std::move(collected.lines);
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
