// Angular close and the linear adjustments of a traverse.
#include "sheets/traverse/traverse_adjust.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/printf_format.h"
#include "sheets/traverse/traverse.h"
#include "sheets/traverse/traverse_compute.h"
#include "sheets/traverse/traverse_report.h"
#include "survey/angles.h"
#include "survey/geometry.h"

namespace kestrel {

namespace {

// Below this the linear misclose is taken as none.
constexpr double kPerfectMisclose = 0.0005;
// Below this a sum of lengths is taken as zero.
constexpr double kNoLength = 1e-9;
// A route whose heights rise and fall by less than this is level.
constexpr double kLevelRoute = 0.001;

std::uint64_t LegKey(std::uint32_t from, std::uint32_t to) {
  return (std::uint64_t(from) << 32) | to;
}

// The Traverse and Close rows of each directed leg, in sheet order.
std::unordered_map<std::uint64_t, std::vector<int>> RowsByLeg(const std::vector<TraverseRow>& rows,
                                                              bool withClose) {
  std::unordered_map<std::uint64_t, std::vector<int>> legs;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TraverseRow& row = rows[i];
    if (row.type == kTravTraverse || (withClose && row.type == kTravClose)) {
      legs[LegKey(row.at, row.to)].push_back(static_cast<int>(i));
    }
  }
  return legs;
}

// A computed coordinate with its correction, or as computed when the sum is
// not a usable number (legs so long that the sums overflow).
double Corrected(double computed, double add) {
  const double value = computed + add;
  return std::isfinite(value) && !IsEmptyValue(value) ? value : computed;
}

double AddDegrees(double packed, double degrees) {
  return DegreesToDms(DmsToDegrees(packed) + degrees);
}

// The cumulative corrections of the method, as amounts added to the computed
// coordinates of each station.
struct LegSums {
  double absEast = 0, absNorth = 0, perimeter = 0;
  double ee = 0, en = 0, nn = 0;  // sums of dE², dE·dN, dN²
};

LegSums SumLegs(const TraverseStations& st) {
  LegSums sums;
  for (std::size_t k = 1; k < st.Count(); ++k) {
    const double de = st.computedEast[k] - st.computedEast[k - 1];
    const double dn = st.computedNorth[k] - st.computedNorth[k - 1];
    sums.absEast += std::fabs(de);
    sums.absNorth += std::fabs(dn);
    sums.perimeter += std::sqrt(de * de + dn * dn);
    sums.ee += de * de;
    sums.en += de * dn;
    sums.nn += dn * dn;
  }
  return sums;
}

// Fills st.addEast/addNorth; false when nothing could be distributed.
bool Distribute(Traverse& sheet, TraverseMethod method, const LinearMiscloseValues& misclose,
                const LegSums& sums) {
  TraverseStations& st = sheet.Stations();
  Messages& messages = sheet.Context().messages;
  if (sums.perimeter < kNoLength) {
    messages.Show("The route has no length: the misclose cannot be distributed");
    return false;
  }
  const double de = misclose.east;
  const double dn = misclose.north;
  double a = 0, b = 0;
  if (method == TraverseMethod::Crandall) {
    const double det = sums.ee * sums.nn - sums.en * sums.en;
    if (std::fabs(det) <= 1e-12 * sums.ee * sums.nn || std::fabs(det) < 1e-300) {
      messages.Show(
          "Crandall cannot hold the bearings of legs that all lie on one line: adjusted by "
          "Bowditch instead");
      method = TraverseMethod::Bowditch;
    } else {
      const double e1 = -de, n1 = -dn;
      a = (sums.en * e1 - sums.ee * n1) / (sums.en * sums.en - sums.ee * sums.nn);
      b = (sums.nn * e1 - sums.en * n1) / det;
    }
    if (!std::isfinite(det) || !std::isfinite(a) || !std::isfinite(b)) {
      messages.Show(
          "Crandall cannot hold the bearings of legs that all lie on one line: adjusted by "
          "Bowditch instead");
      method = TraverseMethod::Bowditch;
    }
  }
  double cumEast = 0, cumNorth = 0;
  for (std::size_t k = 1; k < st.Count(); ++k) {
    const double le = st.computedEast[k] - st.computedEast[k - 1];
    const double ln = st.computedNorth[k] - st.computedNorth[k - 1];
    const double length = std::sqrt(le * le + ln * ln);
    switch (method) {
      case TraverseMethod::Bowditch:
        cumEast -= length * de / sums.perimeter;
        cumNorth -= length * dn / sums.perimeter;
        break;
      case TraverseMethod::Transit:
        // A route without any east-west (or north-south) extent has nothing
        // to share that component by: it goes by length instead.
        cumEast -= sums.absEast < kNoLength ? length * de / sums.perimeter
                                            : std::fabs(le) * de / sums.absEast;
        cumNorth -= sums.absNorth < kNoLength ? length * dn / sums.perimeter
                                              : std::fabs(ln) * dn / sums.absNorth;
        break;
      case TraverseMethod::Crandall:
        cumEast += b * le * le + a * le * ln;
        cumNorth += a * ln * ln + b * le * ln;
        break;
    }
    st.addEast[k] = cumEast;
    st.addNorth[k] = cumNorth;
  }
  return true;
}

// Applies the station corrections to the legs' rows and to the stations.
void ApplyToRows(Traverse& sheet, bool horizontal, bool vertical) {
  TraverseStations& st = sheet.Stations();
  std::vector<TraverseRow>& rows = sheet.Rows();
  const auto legs = RowsByLeg(rows, true);
  for (std::size_t k = 1; k < st.Count(); ++k) {
    const auto found = legs.find(LegKey(st.route[k - 1], st.route[k]));
    if (found != legs.end()) {
      for (const int index : found->second) {
        TraverseRow& row = rows[static_cast<std::size_t>(index)];
        if (IsEmptyValue(row.east) || IsEmptyValue(row.north)) continue;
        if (horizontal) {
          row.adj_east = Corrected(row.east, st.addEast[k]);
          row.adj_north = Corrected(row.north, st.addNorth[k]);
        }
        if (vertical && !IsEmptyValue(row.height)) {
          row.adj_height = SinglePrecision(Corrected(double(row.height), st.addHeight[k]));
        }
      }
    }
    if (horizontal) {
      st.east[k] = Corrected(st.computedEast[k], st.addEast[k]);
      st.north[k] = Corrected(st.computedNorth[k], st.addNorth[k]);
    }
    if (vertical && !IsEmptyValue(st.computedHeight[k])) {
      st.height[k] = Corrected(st.computedHeight[k], st.addHeight[k]);
    }
  }
}

// Heights in proportion to each leg's rise or fall.
void AdjustHeights(Traverse& sheet, double heightMisclose) {
  TraverseStations& st = sheet.Stations();
  Messages& messages = sheet.Context().messages;
  if (IsEmptyValue(heightMisclose)) {
    messages.Show("Heights were not adjusted: the route's start or end has no height");
    return;
  }
  double rise = 0.0;
  for (std::size_t k = 1; k < st.Count(); ++k) {
    if (IsEmptyValue(st.computedHeight[k]) || IsEmptyValue(st.computedHeight[k - 1])) {
      messages.Show(Sprintf("Heights were not adjusted: route point %u has no height",
                            st.route[IsEmptyValue(st.computedHeight[k]) ? k : k - 1]));
      return;
    }
    rise += std::fabs(st.computedHeight[k] - st.computedHeight[k - 1]);
  }
  if (rise < kLevelRoute) {
    if (std::fabs(heightMisclose) >= kPerfectMisclose) {
      messages.Show(
          "Heights were not adjusted: the route is level, so there is no rise or fall "
          "to share the height misclose by");
    }
    return;
  }
  double cumulative = 0.0;
  for (std::size_t k = 1; k < st.Count(); ++k) {
    cumulative +=
        std::fabs(st.computedHeight[k] - st.computedHeight[k - 1]) * heightMisclose / rise;
    st.addHeight[k] = -cumulative;
  }
  ApplyToRows(sheet, false, true);
}

// Side shots move with the station they were observed from. A station's
// shift is that of its first place in the route, so shots from the start of
// a closed traverse stay where they are.
void MoveSideShots(Traverse& sheet) {
  const TraverseStations& st = sheet.Stations();
  struct Shift {
    double east, north, height;
  };
  std::unordered_map<std::uint32_t, Shift> shifts;
  for (std::size_t k = 0; k < st.Count(); ++k) {
    shifts.emplace(st.route[k], Shift{st.addEast[k], st.addNorth[k], st.addHeight[k]});
  }
  for (TraverseRow& row : sheet.Rows()) {
    if (row.type != kTravSShot || IsEmptyValue(row.east) || IsEmptyValue(row.north)) continue;
    const auto found = shifts.find(row.at);
    if (found == shifts.end()) continue;
    const Shift& s = found->second;
    if (std::fabs(s.east) >= 100.0 || std::fabs(s.north) >= 100.0) continue;
    row.adj_east = Corrected(row.east, s.east);
    row.adj_north = Corrected(row.north, s.north);
    if (!IsEmptyValue(row.height)) {
      row.adj_height = SinglePrecision(Corrected(double(row.height), s.height));
    }
  }
}

}  // namespace

int AngularClose(Traverse& sheet) {
  Messages& messages = sheet.Context().messages;
  AngularSource source = AngularSource::None;
  int closeRow = -1;
  double m = AngularMisclose(sheet, false, &source, &closeRow);
  if (IsEmptyValue(m)) {
    messages.Show(
        "No angular misclose can be formed: the route must close on its first point "
        "with turned angles, or a Close row must observe one of its legs");
    return 0;
  }
  if (m > 180.0) m -= 360.0;
  if (m < -180.0) m += 360.0;
  TraverseStations& st = sheet.Stations();
  const std::size_t n = st.Count();
  if (!st.Closed()) {
    messages.Show("Angular close needs a closed route: its first and last points must be the same");
    return 0;
  }
  const TraverseNotes notes = ReadTraverseNotes(sheet);
  std::vector<TraverseRow>& rows = sheet.Rows();
  const auto legs = RowsByLeg(rows, false);
  const double share = m / static_cast<double>(n - 1);
  std::vector<bool> done(rows.size(), false);
  if (notes.angles) {
    // The share makes the sum of the angles right whichever way they were
    // turned. A closing observation is carried to the first leg through the
    // angles at the other stations and its own angle, not the first leg's
    // (which turns both bearings alike): those take the share, the other way
    // round for anticlockwise angles, which carry the bearing against them.
    const bool closing = source == AngularSource::CloseRow;
    const double sign = (closing && notes.anticlockwise) ? -1.0 : 1.0;
    if (closing && closeRow >= 0) {
      TraverseRow& close = rows[static_cast<std::size_t>(closeRow)];
      if (!IsEmptyValue(close.angle)) close.angle = AddDegrees(close.angle, sign * share);
    }
    for (std::size_t i = closing ? 1 : 0; i + 1 < n; ++i) {
      const auto found = legs.find(LegKey(st.route[i], st.route[i + 1]));
      if (found == legs.end()) continue;
      for (const int index : found->second) {
        TraverseRow& row = rows[static_cast<std::size_t>(index)];
        if (done[static_cast<std::size_t>(index)] || IsEmptyValue(row.angle)) continue;
        row.angle = AddDegrees(row.angle, sign * share);
        done[static_cast<std::size_t>(index)] = true;
      }
    }
  } else {
    for (std::size_t i = 0; i + 1 < n; ++i) {
      const auto found = legs.find(LegKey(st.route[i], st.route[i + 1]));
      if (found == legs.end()) continue;
      for (const int index : found->second) {
        TraverseRow& row = rows[static_cast<std::size_t>(index)];
        if (done[static_cast<std::size_t>(index)] || IsEmptyValue(row.bearing)) continue;
        row.bearing = AddDegrees(row.bearing, static_cast<double>(i) * share);
        row.angle = row.bearing;
        done[static_cast<std::size_t>(index)] = true;
      }
    }
    for (TraverseRow& row : rows) {
      if (row.type == kTravClose && row.at == st.route[0] && row.to == st.route[1] &&
          !IsEmptyValue(row.bearing)) {
        row.bearing = AddDegrees(row.bearing, static_cast<double>(n - 1) * share);
        row.angle = row.bearing;
      }
    }
  }
  CalculateTraverse(sheet);
  BuildRoute(sheet, true);
  return 1;
}

int AdjustTraverse(Traverse& sheet, TraverseMethod method) {
  Messages& messages = sheet.Context().messages;
  if (ReadTraverseNotes(sheet).networkOnly) {
    messages.Show("Use least squares routines for networks");
    return 0;
  }
  CalculateTraverse(sheet);
  if (BuildRoute(sheet, false) < 0) return 0;
  TraverseStations& st = sheet.Stations();
  const LinearMiscloseValues misclose = LinearMisclose(sheet);
  const LegSums sums = SumLegs(st);
  bool corrected = false;
  const bool formed = misclose.Formed();
  if (!formed) {
    messages.Show("No traverse - or error in Traverse\nCheck for possible data error");
  } else if (misclose.distance < kPerfectMisclose) {
    messages.Show("Perfect linear misclose");
  } else if (Distribute(sheet, method, misclose, sums)) {
    ApplyToRows(sheet, true, false);
    corrected = true;
  }
  if (sheet.HeightAdjust() && formed) AdjustHeights(sheet, misclose.height);
  MoveSideShots(sheet);
  if (!formed) return 0;
  TraverseAdjustmentRecord& record = sheet.Adjustment();
  record.valid = true;
  record.misclose = misclose;
  record.perimeter = sums.perimeter;
  if (TraverseReportChooser* chooser = sheet.ReportChooser()) {
    if (const auto choice = chooser->Choose()) WriteTraverseAdjustmentReport(sheet, *choice);
  }
  return corrected ? 1 : 0;
}

int ToggleHeightAdjust(Traverse& sheet) {
  sheet.SetHeightAdjust(!sheet.HeightAdjust());
  sheet.Context().messages.Show(
      sheet.HeightAdjust()
          ? "Height correction is now turned on\nNext time you do a bowditch,Crandall etc "
            "correction\nthe heights will also be adjusted"
          : "Height adjustment is now turned off");
  return 0;
}

}  // namespace kestrel
