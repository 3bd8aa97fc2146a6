// The Traditional Stadia sheet as a sheet kind.
#include "sheets/stadia/traditional_kind.h"

#include <algorithm>

#include "sheets/stadia/stadia_tolerances.h"
#include "sheets/stadia/traditional.h"
#include "sheets/stadia/traditional_commands.h"
#include "survey/empty_value.h"

namespace kestrel {

namespace {

// A shot counts as computed once it holds an easting and northing other than
// the unreduced shot's.
SheetCounts CountTraditional(const Traditional& sheet) {
  SheetCounts counts;
  for (const TraditionalRow& row : sheet.Rows()) {
    if (row.type == kTradAtBs) ++counts.setups;
    if (!IsTraditionalShot(row.type) || IsEmptyValue(row.east) || IsEmptyValue(row.north)) continue;
    if (row.east == kUnreducedCoordinate && row.north == kUnreducedCoordinate) continue;
    ++counts.pointsComputed;
  }
  return counts;
}

}  // namespace

void RegisterTraditionalKind(SheetKindRegistry& registry) {
  SheetKind kind;
  kind.type = SheetType::Traditional;
  kind.make = [](SheetContext& context) { return std::make_unique<Traditional>(context); };
  kind.commands = CommandCodes(TraditionalCommands());
  std::sort(kind.commands.begin(), kind.commands.end());
  kind.messageLines = [](CUGDataSource& sheet) {
    return static_cast<Traditional&>(sheet).MessageLines();
  };
  kind.counts = [](CUGDataSource& sheet) {
    return CountTraditional(static_cast<Traditional&>(sheet));
  };
  registry.Register(std::move(kind));
}

}  // namespace kestrel
