// Calculate Coordinates, the route, and the linear and angular misclose.
#include "sheets/traverse/traverse_compute.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/traverse/traverse.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/geometry.h"

namespace kestrel {

namespace {

constexpr double kDegreesPerRadian = 180.0 / kPi;
// Longest route a note may name; a range such as "tr 1.999999999" is a typing
// error, not a traverse.
constexpr std::size_t kMostStations = 1'000'000;
// An open route closes onto an STN row of another number within this.
constexpr double kNearStation = 10.0;

struct Position {
  double east = 0.0;
  double north = 0.0;
  double height = 0.0;
};

bool Blank(double value) { return IsEmptyValue(value); }

// A height that may be blank, as a double.
double HeightOf(float value) { return IsEmptyValue(value) ? kEmptyValue : double(value); }

double ZeroIfBlank(float value) { return IsEmptyValue(value) ? 0.0 : double(value); }

// Adds whole degrees to a packed bearing and keeps it in [0, 360].
double BackBearing(double packed) {
  double back = packed + 180.0;
  if (back > 360.0) back -= 360.0;
  return back;
}

double TurnedBearing(double backsight, double angle, bool anticlockwise) {
  const double degrees =
      DmsToDegrees(backsight) + (anticlockwise ? -DmsToDegrees(angle) : DmsToDegrees(angle));
  double bearing = DegreesToDms(degrees);
  while (bearing > 360.0) bearing -= 360.0;
  while (bearing < -0.000001) bearing += 360.0;
  return bearing;
}

void FormBearings(Traverse& sheet, const TraverseNotes& notes) {
  std::vector<TraverseRow>& rows = sheet.Rows();
  if (!notes.angles) {
    // Bearing mode: the typed value is the bearing. A Robj row keeps its
    // typed reference bearing.
    for (TraverseRow& row : rows) {
      if (row.type != kTravRobj) row.bearing = row.angle;
    }
    return;
  }
  double backsight = 0.0;  // packed DMS
  for (TraverseRow& row : rows) {
    switch (row.type) {
      case kTravBSite:
        if (!Blank(row.angle)) backsight = row.angle;
        break;
      case kTravRobj:
        if (!Blank(row.bearing)) backsight = row.bearing;
        break;
      case kTravTraverse:
      case kTravClose:
        if (Blank(row.angle)) {
          row.bearing = kEmptyValue;
          break;
        }
        row.bearing = TurnedBearing(backsight, row.angle, notes.anticlockwise);
        if (!notes.network) backsight = BackBearing(row.bearing);
        break;
      case kTravSShot:
      case kTravCheck:
        // Side and check shots are turned from the backsight in force and
        // leave it unchanged.
        row.bearing = Blank(row.angle) ? kEmptyValue
                                       : TurnedBearing(backsight, row.angle, notes.anticlockwise);
        break;
      default:
        break;
    }
  }
}

// Coordinates known so far, by point: the nearest row above that gives the
// point wins, because later rows overwrite earlier ones.
class KnownPoints {
 public:
  void Set(std::uint32_t point, const Position& position) { known_[point] = position; }
  const Position* Find(std::uint32_t point) const {
    const auto found = known_.find(point);
    return found == known_.end() ? nullptr : &found->second;
  }

 private:
  std::unordered_map<std::uint32_t, Position> known_;
};

void ClearComputed(TraverseRow& row) {
  row.east = row.north = kEmptyValue;
  row.height = kEmptyFloat;
  row.adj_east = row.adj_north = row.adj_height = kEmptyValue;
}

void SetComputed(TraverseRow& row, double east, double north, double height) {
  row.east = FiniteOrZero(east);
  row.north = FiniteOrZero(north);
  row.height = (Blank(height) || !std::isfinite(height)) ? kEmptyFloat : static_cast<float>(height);
  row.adj_east = row.east;
  row.adj_north = row.north;
  row.adj_height = HeightOf(row.height);
}

// The polar step of an observation from `from`: bearing and elevation in
// degrees, heights added when the instrument point has one.
void Observe(TraverseRow& row, const Position& from, double bearingDegrees,
             double elevationDegrees) {
  const double s = row.slope_dist;
  const double b = bearingDegrees / kDegreesPerRadian;
  const double e = elevationDegrees / kDegreesPerRadian;
  const double horizontal = std::fabs(std::cos(e)) * s;
  double height = kEmptyValue;
  if (!Blank(from.height)) {
    height = from.height + ZeroIfBlank(row.inst_ht) - ZeroIfBlank(row.target_ht) + std::sin(e) * s;
  }
  SetComputed(row, from.east + horizontal * std::sin(b), from.north + horizontal * std::cos(b),
              height);
}

double VerticalDegrees(const TraverseRow& row) {
  return Blank(row.vertical) ? 90.0 : DmsToDegrees(row.vertical);
}

void CarryDown(Traverse& sheet) {
  const int count = sheet.RowCount();
  for (int i = 0; i < count; ++i) sheet.FillCarriedFields(i);
}

void ComputeCoordinates(Traverse& sheet, std::vector<std::string>& problems) {
  KnownPoints known;
  double orientation = 0.0;  // decimal degrees, from the backsight in force
  std::vector<TraverseRow>& rows = sheet.Rows();
  auto lookup = [&](std::uint32_t point, const char* what, std::size_t index) {
    if (const Position* found = known.Find(point)) return *found;
    problems.push_back(Sprintf("%s point %4u not found (row %zu)", what, point, index + 1));
    return Position{};
  };

  for (std::size_t i = 0; i < rows.size(); ++i) {
    TraverseRow& row = rows[i];
    switch (row.type) {
      case kTravStn:
        row.adj_east = row.east;
        row.adj_north = row.north;
        row.adj_height = HeightOf(row.height);
        if (row.at == kNoPoint) break;
        if (Blank(row.east) || Blank(row.north)) {
          problems.push_back(Sprintf("STN %u has no coordinates (row %zu)", row.at, i + 1));
          break;
        }
        known.Set(row.at, {row.east, row.north, HeightOf(row.height)});
        break;
      case kTravBSite: {
        orientation = 0.0;
        if (row.to == kNoPoint || row.to < 1 || row.at == kNoPoint) break;
        const Position at = lookup(row.at, "at", i);
        const Position back = lookup(row.to, "to", i);
        const double bearing = BearingBetween(at.east, at.north, back.east, back.north);
        if (bearing == kNoBearing) {
          problems.push_back(
              Sprintf("backsight %u to %u has no bearing (row %zu)", row.at, row.to, i + 1));
          break;
        }
        orientation =
            bearing * kDegreesPerRadian - (Blank(row.angle) ? 0.0 : DmsToDegrees(row.angle));
        break;
      }
      case kTravTraverse:
      case kTravSShot:
      case kTravClose:
      case kTravCheck: {
        if (row.at == kNoPoint || row.to == kNoPoint) break;
        if (Blank(row.bearing) || Blank(row.slope_dist)) {
          ClearComputed(row);
          problems.push_back(Sprintf("%u to %u has no %s (row %zu)", row.at, row.to,
                                     Blank(row.slope_dist) ? "distance" : "angle", i + 1));
          break;
        }
        const Position from = lookup(row.at, "at", i);
        Observe(row, from, DmsToDegrees(row.bearing) + orientation, 90.0 - VerticalDegrees(row));
        known.Set(row.to, {row.east, row.north, HeightOf(row.height)});
        break;
      }
      case kTravRobj: {
        if (row.at == kNoPoint || row.to == kNoPoint) break;
        if (Blank(row.bearing) || Blank(row.slope_dist)) {
          ClearComputed(row);
          problems.push_back(Sprintf("Robj %u to %u has no %s (row %zu)", row.at, row.to,
                                     Blank(row.slope_dist) ? "distance" : "bearing", i + 1));
          break;
        }
        // The instrument point is found back from the reference object.
        const Position target = lookup(row.to, "to", i);
        Observe(row, target, DmsToDegrees(row.bearing) + orientation - 180.0,
                VerticalDegrees(row) - 90.0);
        known.Set(row.at, {row.east, row.north, HeightOf(row.height)});
        break;
      }
      default:
        break;
    }
  }
}

std::size_t SkipBlanksAndCommas(std::string_view text, std::size_t pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == ',')) ++pos;
  return pos;
}

std::size_t PassBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  return pos;
}

std::size_t PassDigitsSignsBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && ((text[pos] >= '0' && text[pos] <= '9') || text[pos] == '+' ||
                               text[pos] == '-' || text[pos] == ' ')) {
    ++pos;
  }
  return pos;
}

// A station number where one is expected: anything that is not one reads 0.
std::uint32_t ReadStation(std::string_view text, std::size_t& pos) {
  std::size_t used = 0;
  const std::int64_t value = ReadInt64(text.substr(pos), &used);
  pos += used;
  return static_cast<std::uint32_t>(value);
}

// The rows that give stations: the last STN or Robj row of each point, the
// first Traverse row arriving at each point.
struct RouteIndex {
  std::unordered_map<std::uint32_t, int> lastStation;
  std::unordered_map<std::uint32_t, int> firstLegTo;
  std::unordered_map<std::uint32_t, int> firstLegFrom;
};

RouteIndex IndexRows(const std::vector<TraverseRow>& rows) {
  RouteIndex index;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TraverseRow& row = rows[i];
    const int at = static_cast<int>(i);
    if (row.type == kTravStn || row.type == kTravRobj) index.lastStation[row.at] = at;
    if (row.type == kTravTraverse) {
      index.firstLegTo.emplace(row.to, at);
      index.firstLegFrom.emplace(row.at, at);
    }
  }
  return index;
}

// The route read from the notes: 1 read, 0 no route note, -1 error.
int RouteFromNotes(const std::vector<TraverseRow>& rows, std::vector<std::uint32_t>& route,
                   std::string& error) {
  std::size_t i = 0;
  while (i < rows.size() && !(rows[i].type == kTravFnote && NoteStartsWith(rows[i].note, "tr ")))
    ++i;
  if (i == rows.size()) return 0;
  for (;;) {
    bool continues = false;
    if (!ReadRouteNote(rows[i].note, route, continues)) {
      error = "The traverse note names too many stations";
      return -1;
    }
    if (!continues) return 1;
    ++i;
    if (i == rows.size() || rows[i].type != kTravFnote || !NoteStartsWith(rows[i].note, "tr ")) {
      error = "Error finding traverse field note";
      return -1;
    }
  }
}

// Chains the route from the Traverse and Robj rows, stopping once it closes.
void RouteFromLegs(const std::vector<TraverseRow>& rows, std::vector<std::uint32_t>& route,
                   std::vector<std::string>& problems) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TraverseRow& row = rows[i];
    if (row.type != kTravTraverse && row.type != kTravRobj) continue;
    if (row.at == kNoPoint || row.to == kNoPoint) continue;
    if (route.empty()) {
      route = {row.at, row.to};
    } else if (route.size() > 1 && route.front() == route.back()) {
      problems.push_back(Sprintf("row %zu: %u to %u follows the closed route and is not part of it",
                                 i + 1, row.at, row.to));
    } else if (row.at == route.back()) {
      route.push_back(row.to);
    } else if (row.type == kTravTraverse) {
      problems.push_back(Sprintf("row %zu: %u to %u does not start where the route ends (%u)",
                                 i + 1, row.at, row.to, route.back()));
    }
  }
}

double Degrees(double packed) { return IsEmptyValue(packed) ? kEmptyValue : DmsToDegrees(packed); }

void Fail(Traverse& sheet, bool quiet, const std::string& message) {
  sheet.ClearRoute();
  if (!quiet) sheet.Context().messages.Show(message);
}

// An unordered pair of points as one key.
std::uint64_t LegKey(std::uint32_t a, std::uint32_t b) {
  if (a > b) std::swap(a, b);
  return (std::uint64_t(a) << 32) | b;
}

}  // namespace

TraverseNotes ReadTraverseNotes(const Traverse& sheet) {
  TraverseNotes notes;
  for (const TraverseRow& row : sheet.Rows()) {
    if (row.type != kTravFnote) continue;
    if (!notes.angles && NoteStartsWith(row.note, "angle")) {
      notes.angles = true;
      notes.anticlockwise = row.note.find("anti") != std::string::npos ||
                            row.note.find("Anti") != std::string::npos ||
                            row.note.find("ANTI") != std::string::npos;
    }
    if (NoteStartsWith(row.note, "network")) notes.network = true;
    if (row.note == "network") notes.networkOnly = true;
  }
  return notes;
}

std::vector<std::string> CalculateTraverse(Traverse& sheet) {
  std::vector<std::string> problems;
  CarryDown(sheet);
  FormBearings(sheet, ReadTraverseNotes(sheet));
  ComputeCoordinates(sheet, problems);
  return problems;
}

bool ReadRouteNote(std::string_view note, std::vector<std::uint32_t>& stations, bool& continues) {
  continues = false;
  const std::string_view text = note.size() > 2 ? note.substr(2) : std::string_view();
  std::size_t pos = 0;
  int items = 0;
  bool lastWasRange = false;
  for (;;) {
    pos = SkipBlanksAndCommas(text, pos);
    if (pos >= text.size()) {
      // The note ends with a blank or a comma: the list goes on.
      continues = true;
      return true;
    }
    const std::uint32_t first = ReadStation(text, pos);
    pos = PassDigitsSignsBlanks(text, pos);
    lastWasRange = pos < text.size() && text[pos] == '.';
    if (lastWasRange) {
      pos = PassBlanks(text, pos + 1);
      const std::uint32_t last = ReadStation(text, pos);
      pos = PassDigitsSignsBlanks(text, pos);
      const std::uint64_t span = first > last ? first - last : last - first;
      if (span >= kMostStations || stations.size() + span >= kMostStations) return false;
      const int step = first <= last ? 1 : -1;
      for (std::uint32_t s = first;; s = static_cast<std::uint32_t>(std::int64_t(s) + step)) {
        stations.push_back(s);
        if (s == last) break;
      }
    } else {
      if (stations.size() + 1 >= kMostStations) return false;
      stations.push_back(first);
    }
    ++items;
    if (pos >= text.size()) {
      // The last item was read up to the end. A note of one number, or one
      // ending with a blank, is continued in the next note.
      continues = (items == 1 && !lastWasRange) || text.back() == ' ';
      return true;
    }
    ++pos;  // the separator after the item
  }
}

int BuildRoute(Traverse& sheet, bool quiet) {
  sheet.ClearRoute();
  const std::vector<TraverseRow>& rows = sheet.Rows();
  std::vector<std::uint32_t> route;
  std::string error;
  std::vector<std::string> problems;
  const int fromNotes = RouteFromNotes(rows, route, error);
  if (fromNotes < 0) {
    Fail(sheet, quiet, error);
    return -1;
  }
  if (fromNotes == 0) RouteFromLegs(rows, route, problems);
  for (std::string& problem : problems) sheet.MessageLines().push_back(std::move(problem));
  if (route.empty()) {
    Fail(sheet, quiet,
         "No traverse route: add a field note such as tr 1,2,3,4,1 or traverse legs that "
         "follow each other");
    return -1;
  }

  const RouteIndex index = IndexRows(rows);
  TraverseStations& st = sheet.Stations();
  st.route = route;
  st.Resize(route.size());
  for (std::size_t k = 0; k < route.size(); ++k) {
    const std::uint32_t point = route[k];
    int given = -1;
    if (k == 0) {
      const auto station = index.lastStation.find(point);
      if (station != index.lastStation.end()) {
        given = station->second;
      } else if (index.firstLegFrom.contains(point)) {
        // A start that no row gives was taken at the origin by Calculate.
        st.east[0] = st.north[0] = 0.0;
        st.height[0] = 0.0;
      } else {
        Fail(sheet, quiet, Sprintf("The route starts at point %u, which no row gives", point));
        return -1;
      }
    } else {
      const auto leg = index.firstLegTo.find(point);
      if (leg == index.firstLegTo.end()) {
        Fail(sheet, quiet,
             Sprintf("The route names point %u, which no Traverse row observes", point));
        return -1;
      }
      given = leg->second;
    }
    if (given >= 0) {
      const TraverseRow& row = rows[static_cast<std::size_t>(given)];
      st.east[k] = row.adj_east;
      st.north[k] = row.adj_north;
      st.height[k] = row.adj_height;
    }
    st.row[k] = given;
    // The leg arriving at the station (for the first, the closing leg).
    const auto leg = index.firstLegTo.find(point);
    if (leg != index.firstLegTo.end()) {
      const TraverseRow& row = rows[static_cast<std::size_t>(leg->second)];
      st.angle[k] = Degrees(row.angle);
      st.bearing[k] = Degrees(row.bearing);
      st.vertical[k] = Degrees(row.vertical);
      st.slope[k] = row.slope_dist;
    }
    if (IsEmptyValue(st.east[k]) || IsEmptyValue(st.north[k])) {
      Fail(sheet, quiet,
           Sprintf("Route point %u has no coordinates: check the distance and angle of the "
                   "leg to it",
                   point));
      return -1;
    }
  }
  st.computedEast = st.east;
  st.computedNorth = st.north;
  st.computedHeight = st.height;
  return static_cast<int>(route.size());
}

LinearMiscloseValues LinearMisclose(const Traverse& sheet, const std::vector<double>& east,
                                    const std::vector<double>& north,
                                    const std::vector<double>& height) {
  LinearMiscloseValues result;
  const TraverseStations& st = sheet.Stations();
  const std::size_t n = std::min({st.route.size(), east.size(), north.size(), height.size()});
  if (n == 0) return result;
  const std::size_t last = n - 1;
  Position onto;
  bool found = false;
  if (st.Closed()) {
    onto = {east[0], north[0], height[0]};
    found = true;
  } else {
    for (const TraverseRow& row : sheet.Rows()) {
      if ((row.type == kTravStn || row.type == kTravRobj) && row.at == st.route[last] &&
          !IsEmptyValue(row.east) && !IsEmptyValue(row.north)) {
        onto = {row.east, row.north, HeightOf(row.height)};
        found = true;
        break;
      }
    }
  }
  if (!found) {
    double nearest = kNearStation;
    for (const TraverseRow& row : sheet.Rows()) {
      if (row.type != kTravStn || IsEmptyValue(row.east) || IsEmptyValue(row.north)) continue;
      const double d = DistanceBetween(east[last], north[last], row.east, row.north);
      if (d < nearest) {
        nearest = d;
        onto = {row.east, row.north, HeightOf(row.height)};
        found = true;
      }
    }
  }
  if (!found) return result;
  result.east = east[last] - onto.east;
  result.north = north[last] - onto.north;
  result.height = (IsEmptyValue(height[last]) || IsEmptyValue(onto.height))
                      ? kEmptyValue
                      : height[last] - onto.height;
  const double bearing = BearingBetween(0.0, 0.0, result.east, result.north);
  // Without a misclose there is no bearing to give.
  result.bearing = bearing == kNoBearing ? kNoBearing : DegreesToDms(bearing * kDegreesPerRadian);
  result.distance = DistanceBetween(0.0, 0.0, result.east, result.north);
  return result;
}

LinearMiscloseValues LinearMisclose(const Traverse& sheet) {
  const TraverseStations& st = sheet.Stations();
  return LinearMisclose(sheet, st.east, st.north, st.height);
}

double AngularMisclose(Traverse& sheet, bool quiet, AngularSource* source, int* closeRow) {
  if (source) *source = AngularSource::None;
  if (closeRow) *closeRow = -1;
  CalculateTraverse(sheet);
  if (BuildRoute(sheet, quiet) < 0) return kEmptyValue;
  const TraverseStations& st = sheet.Stations();
  const std::vector<TraverseRow>& rows = sheet.Rows();
  const std::size_t n = st.Count();

  // A Close row observing a leg of the route.
  std::unordered_map<std::uint64_t, std::size_t> legs;
  for (std::size_t i = 0; i + 1 < n; ++i) legs.emplace(LegKey(st.route[i], st.route[i + 1]), i);
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const TraverseRow& close = rows[index];
    if (close.type != kTravClose || IsEmptyValue(close.bearing) || n < 2) continue;
    if (!legs.contains(LegKey(close.at, close.to))) continue;
    const double closing = DmsToDegrees(close.bearing);
    double first = kEmptyValue;
    for (const TraverseRow& leg : rows) {
      if (leg.type != kTravTraverse || IsEmptyValue(leg.bearing)) continue;
      if (leg.at == st.route[0] && leg.to == st.route[1]) {
        first = DmsToDegrees(leg.bearing);
      } else if (leg.at == st.route[1] && leg.to == st.route[0]) {
        first = DmsToDegrees(leg.bearing) + 180.0;
        if (first >= 360.0) first -= 360.0;
      } else {
        continue;
      }
      break;
    }
    if (IsEmptyValue(first)) {
      if (!quiet) sheet.Context().messages.Show("Error calculating an first bearing");
      return 0.0;
    }
    double m = first - closing;
    if (std::fabs(m - 180.0) < 10.0 || std::fabs(m + 180.0) < 10.0) m += 180.0;
    // Into (-180, 180], so that a misclose across north is small.
    while (m > 180.0) m -= 360.0;
    while (m <= -180.0) m += 360.0;
    if (source) *source = AngularSource::CloseRow;
    if (closeRow) *closeRow = static_cast<int>(index);
    return m;
  }

  if (!st.Closed()) return kEmptyValue;
  double sum = 0.0;
  for (std::size_t k = 1; k < n; ++k) {
    if (IsEmptyValue(st.angle[k])) return kEmptyValue;
    sum += st.angle[k];
  }
  const double stations = static_cast<double>(n);
  double m = kEmptyValue;
  if (std::fabs(sum - (stations - 3.0) * 180.0) < 10.0) {
    m = (stations - 3.0) * 180.0 - sum;  // interior angles
  } else if (std::fabs(sum - (stations + 1.0) * 180.0) < 10.0) {
    m = (stations + 1.0) * 180.0 - sum;  // exterior angles
  }
  if (source && !IsEmptyValue(m)) *source = AngularSource::AngleSum;
  return m;
}

double Perimeter(const std::vector<double>& east, const std::vector<double>& north) {
  double perimeter = 0.0;
  for (std::size_t k = 1; k < std::min(east.size(), north.size()); ++k) {
    perimeter += DistanceBetween(east[k - 1], north[k - 1], east[k], north[k]);
  }
  return perimeter;
}

double RouteArea(const std::vector<double>& east, const std::vector<double>& north) {
  const std::size_t n = std::min(east.size(), north.size());
  if (n < 3) return 0.0;
  double twice = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t next = (k + 1) % n;
    twice += (east[next] - east[k]) * ((north[next] - north[0]) + (north[k] - north[0]));
  }
  return std::fabs(twice) / 2.0;
}

MiscloseSummary ComputeMiscloseSummary(Traverse& sheet) {
  MiscloseSummary summary;
  const double m = AngularMisclose(sheet, false);
  if (IsEmptyValue(m)) {
    summary.angleText.clear();
  } else {
    if (m < -0.000001) {
      summary.angleText = Sprintf("%8.4f", -DegreesToDms(std::fabs(m)));
    } else if (m > 0.000001) {
      summary.angleText = Sprintf("%8.4f", DegreesToDms(m));
    } else {
      summary.angleText = "0.0000";
    }
    ConvertAngleText(summary.angleText, sheet.Context().units.BearingMode());
  }
  summary.linear = LinearMisclose(sheet);
  const TraverseStations& st = sheet.Stations();
  summary.perimeter = Perimeter(st.east, st.north);
  if (!summary.linear.Formed()) {
    summary.percent = kEmptyValue;
  } else if (summary.perimeter >= 0.001) {
    summary.percent = summary.linear.distance / summary.perimeter * 100.0;
  }
  sheet.SetLastMisclose(summary);
  return summary;
}

std::vector<std::string> MiscloseSummaryLines(const MiscloseSummary& s, int angleMode,
                                              int distanceUnit) {
  auto length = [&](double value) {
    if (IsEmptyValue(value) || !std::isfinite(value)) return std::string("none");
    std::string text = Sprintf("%.3f", value);
    FormatDistanceText(text, value, distanceUnit);
    return text;
  };
  std::string bearing = "no bearing";
  if (s.linear.Formed() && s.linear.bearing != kNoBearing) {
    bearing = FormatDmsText(s.linear.bearing);
    ConvertAngleText(bearing, angleMode);
    bearing.erase(0, bearing.find_first_not_of(' '));
  }
  std::string angle = s.angleText;
  angle.erase(0, std::min(angle.size(), angle.find_first_not_of(' ')));
  std::vector<std::string> lines;
  lines.push_back("misclose: angular " + (angle.empty() ? std::string("none") : angle));
  if (!s.linear.Formed()) {
    lines.push_back("misclose: linear none (the route does not end on a known point)");
  } else {
    lines.push_back("misclose: bearing " + bearing + " distance " + length(s.linear.distance));
    lines.push_back("misclose: east " + length(s.linear.east) + " north " + length(s.linear.north) +
                    " height " + length(s.linear.height));
  }
  lines.push_back("misclose: perimeter " + length(s.perimeter));
  if (!s.linear.Formed()) {
    lines.push_back("misclose: accuracy none");
  } else if (s.linear.distance < 0.001) {
    lines.push_back("misclose: accuracy Closed");
  } else if (!std::isfinite(s.perimeter / s.linear.distance) || !std::isfinite(s.percent)) {
    lines.push_back("misclose: accuracy none");
  } else {
    lines.push_back(
        Sprintf("misclose: accuracy 1:%1.0f (%.4f%%)", s.perimeter / s.linear.distance, s.percent));
  }
  return lines;
}

void TraverseStations::Resize(std::size_t count) {
  for (std::vector<double>* array : {&east, &north, &height, &computedEast, &computedNorth,
                                     &computedHeight, &angle, &bearing, &vertical, &slope}) {
    array->assign(count, kEmptyValue);
  }
  for (std::vector<double>* array : {&addEast, &addNorth, &addHeight}) array->assign(count, 0.0);
  row.assign(count, -1);
}

}  // namespace kestrel
