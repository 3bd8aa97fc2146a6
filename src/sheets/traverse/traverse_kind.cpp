#include "sheets/traverse/traverse_kind.h"

#include <cmath>
#include <unordered_map>
#include <utility>

#include "sheets/command_codes.h"
#include "sheets/traverse/traverse.h"

namespace kestrel {

namespace {

constexpr double kSmallestMisclose = 0.0005;  // metres

// Set-ups are the backsight rows; a point counts as computed once its row
// holds an easting and a northing.
SheetCounts CountTraverse(const Traverse& sheet) {
  SheetCounts counts;
  for (const TraverseRow& row : sheet.Rows()) {
    if (row.type == kTravBSite) ++counts.setups;
    if ((IsTraverseObservation(row.type) || row.type == kTravRobj) && !IsEmptyValue(row.adj_east) &&
        !IsEmptyValue(row.adj_north)) {
      ++counts.pointsComputed;
    }
  }
  return counts;
}

// Stations are the STN rows, the other points the observed and reference
// rows with coordinates (the adjusted ones once adjusted). Traverse and closing
// rows are legs from their instrument point, side and check shots rays.
SheetPlan TraversePlan(const Traverse& sheet) {
  PlanBuilder plan;
  // The STN rows' coordinates: a leg that ends elsewhere than its station's
  // known position shows the misclose.
  std::unordered_map<std::uint32_t, std::pair<double, double>> known;
  const auto& rows = sheet.Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TraverseRow& row = rows[i];
    const int index = static_cast<int>(i);
    const bool station = row.type == kTravStn;
    // The shown coordinates live only in memory; a sheet just read has the
    // entered or computed ones of its file.
    const bool shown = !IsEmptyValue(row.adj_east) && !IsEmptyValue(row.adj_north);
    const double east = shown ? row.adj_east : row.east;
    const double north = shown ? row.adj_north : row.north;
    const double height = shown ? row.adj_height : double{row.height};
    const std::uint32_t point = TraverseRowPoint(row);
    if (point == kNoPoint || IsEmptyValue(east) || IsEmptyValue(north)) continue;
    if (!station && !IsTraverseObservation(row.type) && row.type != kTravRobj) continue;
    if (station) known[point] = {east, north};
    if (IsTraverseObservation(row.type)) {
      const bool leg = row.type == kTravTraverse || row.type == kTravClose;
      plan.AddLineFrom(row.at, leg ? PlanLineKind::Leg : PlanLineKind::Ray, index, east, north);
      const auto knownAt = known.find(point);
      if (leg && knownAt != known.end()) {
        const auto [knownEast, knownNorth] = knownAt->second;
        // Below half a millimetre it is an adjusted traverse's rounding.
        if (std::hypot(east - knownEast, north - knownNorth) >= kSmallestMisclose) {
          plan.AddMisclose({index, knownEast, knownNorth, east - knownEast, north - knownNorth});
        }
      }
    }
    plan.AddPoint(
        {index, point, east, north, height, row.code,
         station || row.type == kTravTraverse ? PlanPointRole::Station : PlanPointRole::Shot});
  }
  return plan.Take();
}

}  // namespace

void RegisterTraverseKind(SheetKindRegistry& registry) {
  SheetKind kind;
  kind.type = SheetType::Traverse;
  kind.make = [](SheetContext& context) { return std::make_unique<Traverse>(context); };
  // The cases of Traverse::Command.
  kind.commands = {kCmdSetDefaultType,
                   kCmdReenterCell,
                   kCmdApplyDefaultType,
                   kCmdCalculate,
                   kCmdShowCoordinates,
                   kCmdMisclose,
                   kCmdAngularClose,
                   kCmdTransit,
                   kCmdHeightAdjust,
                   kCmdFirstPoint,
                   kCmdNextPoint,
                   kCmdPrintHeader,
                   kCmdPrintRows,
                   kCmdFirstRouteNote,
                   kCmdNextRouteNote,
                   kCmdFindPoint,
                   kCmdFindSetup,
                   kCmdFindCode,
                   kCmdReplaceCode,
                   kCmdBuildRoute,
                   kCmdInsertHostPoint,
                   kCmdBowditch,
                   kCmdCompass,
                   kCmdCycleType,
                   kCmdCrandall,
                   kCmdAdjustmentReport,
                   kCmdCopy,
                   kCmdCut,
                   kCmdPaste};
  kind.messageLines = [](CUGDataSource& sheet) {
    return static_cast<Traverse&>(sheet).MessageLines();
  };
  kind.counts = [](CUGDataSource& sheet) { return CountTraverse(static_cast<Traverse&>(sheet)); };
  kind.plan = [](CUGDataSource& sheet) { return TraversePlan(static_cast<Traverse&>(sheet)); };
  registry.Register(std::move(kind));
}

}  // namespace kestrel
