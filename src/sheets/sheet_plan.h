#pragma once
// A sheet's reduced points as a plan: each point in grid coordinates with
// the row it comes from, and the lines between them (a set-up's rays to its
// shots, a traverse's legs). The exports and the plan drawing read it; each
// kind that reduces to coordinates registers how its rows give one.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "sheets/data_source.h"

namespace kestrel {

enum class PlanPointRole { Station, Shot };

struct PlanPoint {
  int row = 0;  // the sheet row, counted from 0; -1 when not known
  std::uint32_t point = 0;
  double east = 0.0, north = 0.0;  // metres
  double height = 0.0;             // metres; kEmptyValue when the point has none
  std::string code;                // Windows-1252
  PlanPointRole role = PlanPointRole::Shot;
};

enum class PlanLineKind { Ray, Leg };

// A line from a known position to a row's point, both in metres.
struct PlanLine {
  PlanLineKind kind = PlanLineKind::Ray;
  int row = 0;  // the row of the point it ends at
  double fromEast = 0.0, fromNorth = 0.0, toEast = 0.0, toNorth = 0.0;
};

// Where a traverse's legs brought a station of known coordinates, less the
// station: the misclose, in metres.
struct PlanMisclose {
  int row = 0;                     // the leg's row
  double east = 0.0, north = 0.0;  // the known station
  double dEast = 0.0, dNorth = 0.0;
};

struct SheetPlan {
  std::vector<PlanPoint> points;  // in row order
  std::vector<PlanLine> lines;    // in row order
  std::vector<PlanMisclose> misclosures;
};

// Builds a plan while the rows are walked from the top: each point's latest
// position is remembered, so that a line can start at the set-up or station
// a later row names by number.
class PlanBuilder {
 public:
  void AddPoint(PlanPoint point);
  // A line from the latest position of point `from` to (east, north); none
  // when `from` has no position yet.
  void AddLineFrom(std::uint32_t from, PlanLineKind kind, int row, double east, double north);
  void AddMisclose(const PlanMisclose& misclose) { plan_.misclosures.push_back(misclose); }
  SheetPlan Take() { return std::move(plan_); }

 private:
  SheetPlan plan_;
  std::unordered_map<std::uint32_t, std::pair<double, double>> positions_;
};

// The plan of a kind that registers none: the point records it hands the
// host, without lines, every height given. A level sheet's records hold
// chainage and offset in place of easting and northing.
SheetPlan PlanFromPointRecords(CUGDataSource& sheet);

}  // namespace kestrel
