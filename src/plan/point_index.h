#pragma once
// A uniform grid over a plan's points, so that the points near a position are
// found by looking at a few cells rather than at every point: a click on a
// plan of a million points stays instant.
#include <cstdint>
#include <vector>

#include "sheets/sheet_plan.h"

namespace kestrel {

struct GridPoint {
  double east = 0.0, north = 0.0;  // metres
};

}  // namespace kestrel

namespace kestrel {

class PointIndex {
 public:
  // About kPointsPerCell points to a cell over the points' extent.
  explicit PointIndex(const std::vector<PlanPoint>& points);

  // The index in `points` of the point nearest (east, north) within `radius`
  // metres; -1 when none is that close. Of points equally near, the first.
  int Nearest(double east, double north, double radius) const;
  // Appends to `found` the index of every point within the rectangle (edges
  // included), cell by cell: a view draws only what it shows.
  void Within(GridPoint min, GridPoint max, std::vector<std::uint32_t>& found) const;

 private:
  static constexpr int kPointsPerCell = 4;
  std::int64_t CellOf(double value, double origin, int count) const;

  const std::vector<PlanPoint>& points_;
  double minEast_ = 0.0, minNorth_ = 0.0, cellSize_ = 1.0;
  int columns_ = 1, rows_ = 1;
  // Cell c's points are cellPoints_[cellStart_[c] .. cellStart_[c + 1]).
  std::vector<std::uint32_t> cellStart_, cellPoints_;
};

}  // namespace kestrel
