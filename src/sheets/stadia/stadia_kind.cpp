#include "sheets/stadia/stadia_kind.h"

#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"

namespace kestrel {

void RegisterStadiaKind(SheetKindRegistry& registry) {
  SheetKind kind;
  kind.type = SheetType::Stadia;
  kind.make = [](SheetContext& context) { return std::make_unique<Stadia>(context); };
  // The cases of Stadia::Command.
  kind.commands = {kCmdSetDefaultType,
                   kCmdReenterCell,
                   kCmdApplyDefaultType,
                   kCmdCalculate,
                   kCmdShowCoordinates,
                   kCmdFirstPoint,
                   kCmdNextPoint,
                   kCmdPrintHeader,
                   kCmdPrintRows,
                   kCmdFindPoint,
                   kCmdFindSetup,
                   kCmdFindCode,
                   kCmdReplaceCode,
                   kCmdCollectMissing,
                   kCmdNextMissing,
                   kCmdInsertHostPoint,
                   kCmdCycleType,
                   kCmdRenumber,
                   kCmdCheckReport,
                   kCmdAppendSheet,
                   kCmdCopy,
                   kCmdCut,
                   kCmdPaste,
                   kCmdLandXml,
                   kCmdObservationStrings};
  kind.messageLines = [](CUGDataSource& sheet) {
    return static_cast<Stadia&>(sheet).MessageLines();
  };
  registry.Register(std::move(kind));
}

}  // namespace kestrel
