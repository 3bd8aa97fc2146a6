#pragma once
// The working arrays of a traverse computation: the route and one entry per
// route station, and the misclose records the commands hand out.
#include <cstdint>
#include <string>
#include <vector>

#include "survey/empty_value.h"

namespace kestrel {

struct TraverseStations {
  std::vector<std::uint32_t> route;  // point numbers, the closing repeat included
  // Station coordinates as the last command left them (adjusted after an
  // adjustment), and as computed before any correction.
  std::vector<double> east, north, height;
  std::vector<double> computedEast, computedNorth, computedHeight;
  // Of the leg arriving at each station (the first Traverse row whose `to` is
  // the station); decimal degrees, empty values where there is none.
  std::vector<double> angle, bearing, vertical, slope;
  // The row that gives each station (-1 for none).
  std::vector<int> row;
  // Cumulative corrections of the last adjustment, as amounts added to the
  // computed coordinates.
  std::vector<double> addEast, addNorth, addHeight;

  std::size_t Count() const { return route.size(); }
  bool Empty() const { return route.empty(); }
  bool Closed() const { return route.size() > 1 && route.front() == route.back(); }
  void Clear() { *this = TraverseStations{}; }
  // Sizes every array for `count` stations, values empty and corrections 0.
  void Resize(std::size_t count);
};

// The linear misclose: bearing (packed DMS, or kNoBearing when there is no
// misclose to give one), distance and the three components. A misclose that
// cannot be formed has distance kEmptyValue.
struct LinearMiscloseValues {
  double bearing = 0.0;
  double distance = kEmptyValue;
  double east = kEmptyValue;
  double north = kEmptyValue;
  double height = kEmptyValue;
  bool Formed() const { return !IsEmptyValue(distance); }
};

// The misclose bar's record: the linear misclose, the perimeter and the
// misclose as a percentage of the perimeter.
struct MiscloseSummary {
  LinearMiscloseValues linear;
  double perimeter = 0.0;
  double percent = 0.0;
  std::string angleText;  // the angular misclose in the user's angle mode
};

}  // namespace kestrel
