#include "sheets/stadia/stadia_kind.h"

#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_tolerances.h"
#include "survey/empty_value.h"

namespace kestrel {

namespace {

// Set-ups are the AT/BS rows; a shot counts as computed once it holds an
// easting and northing other than the unreduced shot's.
SheetCounts CountStadia(const Stadia& sheet) {
  SheetCounts counts;
  for (const StadiaRow& row : sheet.Rows()) {
    if (row.type == kStadiaAtBs) ++counts.setups;
    if (!IsStadiaShot(row.type) || IsEmptyValue(row.east) || IsEmptyValue(row.north)) continue;
    if (row.east == kUnreducedCoordinate && row.north == kUnreducedCoordinate) continue;
    ++counts.pointsComputed;
  }
  return counts;
}

}  // namespace

void RegisterStadiaKind(SheetKindRegistry& registry) {
  SheetKind kind;
  kind.type = SheetType::Stadia;
  kind.make = [](SheetContext& context) { return std::make_unique<Stadia>(context); };
  kind.commands = BaseStadia::CommandCodesWith(Stadia::OwnCommands());
  kind.messageLines = [](CUGDataSource& sheet) {
    return static_cast<Stadia&>(sheet).MessageLines();
  };
  kind.counts = [](CUGDataSource& sheet) { return CountStadia(static_cast<Stadia&>(sheet)); };
  registry.Register(std::move(kind));
}

}  // namespace kestrel
