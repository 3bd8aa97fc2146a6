#pragma once
// A member of the radiation family as a sheet kind: its factory, the codes of
// its own and the family's Command tables, its message lines and its counts.
#include <memory>

#include "sheets/sheet_kind_registry.h"
#include "sheets/stadia/stadia_family.h"
#include "sheets/stadia/stadia_tolerances.h"

namespace kestrel {

// Set-ups are the AT/BS rows; a shot counts as computed once it holds an
// easting and northing other than the unreduced shot's.
template <class Row>
SheetCounts CountFamilyRows(const StadiaFamily<Row>& sheet) {
  SheetCounts counts;
  for (const Row& row : sheet.Rows()) {
    if (row.type == kStadiaAtBs) ++counts.setups;
    if (!sheet.IsShot(row.type) || IsEmptyValue(row.east) || IsEmptyValue(row.north)) continue;
    if (row.east == kUnreducedCoordinate && row.north == kUnreducedCoordinate) continue;
    ++counts.pointsComputed;
  }
  return counts;
}

// Stations are the STN rows with coordinates, shots the rows reduced as the
// counts count them; each shot under an AT/BS row is a ray from the latest
// position of its instrument point.
template <class Row>
SheetPlan FamilyPlan(const StadiaFamily<Row>& sheet) {
  PlanBuilder plan;
  std::uint32_t setup = kNoPoint;
  const auto& rows = sheet.Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    const int index = static_cast<int>(i);
    if (row.type == kStadiaAtBs) setup = PointOf(row);
    if (PointOf(row) == kNoPoint || IsEmptyValue(row.east) || IsEmptyValue(row.north)) continue;
    const double height = static_cast<double>(row.height);
    if (row.type == kStadiaStn) {
      plan.AddPoint(
          {index, PointOf(row), row.east, row.north, height, row.code, PlanPointRole::Station});
    } else if (sheet.IsShot(row.type) &&
               !(row.east == kUnreducedCoordinate && row.north == kUnreducedCoordinate)) {
      if (setup != kNoPoint) plan.AddLineFrom(setup, PlanLineKind::Ray, index, row.east, row.north);
      plan.AddPoint(
          {index, PointOf(row), row.east, row.north, height, row.code, PlanPointRole::Shot});
    }
  }
  return plan.Take();
}

// `readsGeoidBar`: its calculation reads the geoid toolbar.
template <class Member>
void RegisterFamilyMember(SheetKindRegistry& registry, SheetType type, bool readsGeoidBar = false) {
  SheetKind kind;
  kind.type = type;
  kind.readsGeoidBar = readsGeoidBar;
  kind.make = [](SheetContext& context) { return std::make_unique<Member>(context); };
  kind.commands = BaseStadia::CommandCodesWith(Member::OwnCommands());
  kind.messageLines = [](CUGDataSource& sheet) {
    return static_cast<Member&>(sheet).MessageLines();
  };
  kind.counts = [](CUGDataSource& sheet) {
    return CountFamilyRows(static_cast<const Member&>(sheet));
  };
  kind.plan = [](CUGDataSource& sheet) { return FamilyPlan(static_cast<const Member&>(sheet)); };
  registry.Register(std::move(kind));
}

}  // namespace kestrel
