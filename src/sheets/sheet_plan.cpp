#include "sheets/sheet_plan.h"

#include "sheets/command_codes.h"
#include "sheets/point_record.h"

namespace kestrel {

void PlanBuilder::AddPoint(PlanPoint point) {
  positions_[point.point] = {point.east, point.north};
  plan_.points.push_back(std::move(point));
}

void PlanBuilder::AddLineFrom(std::uint32_t from, PlanLineKind kind, int row, double east,
                              double north) {
  const auto found = positions_.find(from);
  if (found == positions_.end()) return;
  plan_.lines.push_back({kind, row, found->second.first, found->second.second, east, north});
}

SheetPlan PlanFromPointRecords(CUGDataSource& sheet) {
  SheetPlan plan;
  PointRecord record;
  // At most one record per row, so that a faulty sheet cannot loop.
  int result = sheet.Command(kCmdFirstPoint, &record);
  for (int handed = 0; result != -1 && handed <= sheet.RowCount(); ++handed) {
    plan.points.push_back({-1, static_cast<std::uint32_t>(record.point), record.east, record.north,
                           static_cast<double>(record.height), record.code, PlanPointRole::Shot});
    record = PointRecord{};
    result = sheet.Command(kCmdNextPoint, &record);
  }
  return plan;
}

}  // namespace kestrel
