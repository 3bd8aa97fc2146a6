#pragma once
// The network a least squares adjustment works on, gathered from a reduced
// Precision Stadia sheet: the point table (fixed stations and the free points
// observed from set-ups) and one observation per shot, each a coordinate
// difference from its set-up's station to its point.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "sheets/stadia/precision_row.h"

namespace kestrel {

struct NetworkPoint {
  std::uint32_t number = kNoPoint;
  bool fixed = false;
  // Approximate coordinates, replaced by the adjusted ones after the first pass.
  double east = 0.0, north = 0.0, height = 0.0;
};

struct NetworkObservation {
  std::size_t row = 0;                           // the shot's row in the sheet
  std::uint32_t from = kNoPoint, to = kNoPoint;  // station and point numbers
  std::size_t fromIndex = 0, toIndex = 0;        // in the point table
  bool slope = false;                            // SD/HT (else HZ/DH)
  double bearing = 0.0;                          // reduced bearing, decimal degrees
  double distance = 0.0;                         // reduced horizontal distance
  double heightDifference = 0.0;                 // station to point, ground to ground
  double zenith = 0.0;            // SD/HT: corrected vertical reading, decimal degrees
  double instrumentHeight = 0.0;  // of the set-up
  double targetHeight = 0.0;
};

class Network {
 public:
  std::vector<NetworkPoint> points;
  std::vector<NetworkObservation> observations;

  // The table index of a point, or -1.
  long Find(std::uint32_t number) const;
  // Adds a point unless its number is in the table; a fixed point takes over
  // a free one of the same number, so that every number is one point.
  void Add(const NetworkPoint& point);
  std::size_t FreeCount() const;

 private:
  std::unordered_map<std::uint32_t, std::size_t> index_;
};

// The messages that end the gathering (printf formats).
inline constexpr const char* kInvalidApproximate = "Point %d has invalid approximate coordinates";
inline constexpr const char* kZeroSlopeDistance =
    "Observation from %d to %d has zero slope distance";

// The smallest slope distance an observation may have.
inline constexpr double kShortestSlopeDistance = 0.005;

// The station of every row: the point of the nearest AT/BS row above it (the
// row itself for an AT/BS row), with that row's index; kNoPoint and the row
// count when there is none.
struct RowStation {
  std::uint32_t point = kNoPoint;
  std::size_t setupRow = 0;
};
std::vector<RowStation> StationsOfRows(const std::vector<PrecisionStadiaRow>& rows);

// Builds the tables in row order: STN rows with a point and an easting as
// fixed points, SD/HT and HZ/DH shots from a known station as free points and
// observations. Returns the message that stops it (blank or unreduced
// approximate values, a slope distance below 5 mm, a station that is no
// point of the network), or an empty text. `tick` is called every 20 rows.
std::string GatherNetwork(const std::vector<PrecisionStadiaRow>& rows,
                          const std::vector<RowStation>& stations, Network& network,
                          const std::function<void()>& tick);

}  // namespace kestrel
