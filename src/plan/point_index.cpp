#include "plan/point_index.h"

#include <algorithm>
#include <cmath>

namespace kestrel {

PointIndex::PointIndex(const std::vector<PlanPoint>& points) : points_(points) {
  if (points.empty()) {
    cellStart_.assign(2, 0);
    return;
  }
  double maxEast = points.front().east, maxNorth = points.front().north;
  minEast_ = maxEast;
  minNorth_ = maxNorth;
  for (const PlanPoint& point : points) {
    minEast_ = std::min(minEast_, point.east);
    minNorth_ = std::min(minNorth_, point.north);
    maxEast = std::max(maxEast, point.east);
    maxNorth = std::max(maxNorth, point.north);
  }
  const double width = std::max(maxEast - minEast_, 1e-3);
  const double height = std::max(maxNorth - minNorth_, 1e-3);
  const double cells = std::max(1.0, static_cast<double>(points.size()) / kPointsPerCell);
  cellSize_ = std::sqrt(width * height / cells);
  // A long thin plan still gets square cells, at most as many as points.
  cellSize_ = std::max({cellSize_, width / cells, height / cells});
  columns_ = static_cast<int>(std::min(cells, std::floor(width / cellSize_) + 1));
  rows_ = static_cast<int>(std::min(cells, std::floor(height / cellSize_) + 1));

  // Counting sort of the points by cell.
  const std::size_t count = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
  cellStart_.assign(count + 1, 0);
  std::vector<std::uint32_t> cellOf(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const std::int64_t cell = CellOf(points[i].north, minNorth_, rows_) * columns_ +
                              CellOf(points[i].east, minEast_, columns_);
    cellOf[i] = static_cast<std::uint32_t>(cell);
    ++cellStart_[static_cast<std::size_t>(cell) + 1];
  }
  for (std::size_t c = 0; c < count; ++c) cellStart_[c + 1] += cellStart_[c];
  cellPoints_.resize(points.size());
  std::vector<std::uint32_t> next(cellStart_.begin(), cellStart_.end() - 1);
  for (std::size_t i = 0; i < points.size(); ++i) {
    cellPoints_[next[cellOf[i]]++] = static_cast<std::uint32_t>(i);
  }
}

std::int64_t PointIndex::CellOf(double value, double origin, int count) const {
  const double cell = std::floor((value - origin) / cellSize_);
  return static_cast<std::int64_t>(std::clamp(cell, 0.0, static_cast<double>(count - 1)));
}

int PointIndex::Nearest(double east, double north, double radius) const {
  if (points_.empty() || !(radius >= 0.0) || !std::isfinite(east) || !std::isfinite(north)) {
    return -1;
  }
  const std::int64_t firstColumn = CellOf(east - radius, minEast_, columns_);
  const std::int64_t lastColumn = CellOf(east + radius, minEast_, columns_);
  const std::int64_t firstRow = CellOf(north - radius, minNorth_, rows_);
  const std::int64_t lastRow = CellOf(north + radius, minNorth_, rows_);
  int best = -1;
  double bestSquare = radius * radius;
  for (std::int64_t row = firstRow; row <= lastRow; ++row) {
    for (std::int64_t column = firstColumn; column <= lastColumn; ++column) {
      const auto cell = static_cast<std::size_t>(row * columns_ + column);
      for (std::uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
        const std::uint32_t i = cellPoints_[k];
        const double de = points_[i].east - east, dn = points_[i].north - north;
        const double square = de * de + dn * dn;
        if (square < bestSquare || (square == bestSquare && (best < 0 || int(i) < best))) {
          best = static_cast<int>(i);
          bestSquare = square;
        }
      }
    }
  }
  return best;
}

void PointIndex::Within(GridPoint min, GridPoint max, std::vector<std::uint32_t>& found) const {
  if (points_.empty() || !(min.east <= max.east) || !(min.north <= max.north)) return;
  const std::int64_t firstColumn = CellOf(min.east, minEast_, columns_);
  const std::int64_t lastColumn = CellOf(max.east, minEast_, columns_);
  const std::int64_t firstRow = CellOf(min.north, minNorth_, rows_);
  const std::int64_t lastRow = CellOf(max.north, minNorth_, rows_);
  for (std::int64_t row = firstRow; row <= lastRow; ++row) {
    for (std::int64_t column = firstColumn; column <= lastColumn; ++column) {
      const auto cell = static_cast<std::size_t>(row * columns_ + column);
      for (std::uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
        const PlanPoint& point = points_[cellPoints_[k]];
        if (point.east >= min.east && point.east <= max.east && point.north >= min.north &&
            point.north <= max.north) {
          found.push_back(cellPoints_[k]);
        }
      }
    }
  }
}

}  // namespace kestrel
