#include "sheets/traverse/traverse_kind.h"

#include "sheets/command_codes.h"
#include "sheets/traverse/traverse.h"

namespace kestrel {

namespace {

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
  registry.Register(std::move(kind));
}

}  // namespace kestrel
