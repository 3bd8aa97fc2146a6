#include "app/sheet_registry.h"

#include "app/main_frame.h"
#include "app/stadia_entry_selection.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"

namespace kestrel {
namespace {

int Index(SheetType type) { return static_cast<int>(type); }

void RegisterStadia(SheetRegistry& registry) {
  SheetKind kind;
  kind.type = SheetType::Stadia;
  kind.make = [](SheetContext& context) { return std::make_unique<Stadia>(context); };
  kind.entryTypeDialog = AskStadiaDefaultType;
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
                   kCmdCodeTable,
                   kCmdCheckReport,
                   kCmdAppendSheet,
                   kCmdCopy,
                   kCmdCut,
                   kCmdPaste,
                   kCmdLandXml,
                   kCmdObservationStrings};
  kind.smallFontWhenCorrected = true;
  registry.Register(std::move(kind));
}

// Kinds whose sheets join later: the frame already carries their bars, with
// every button disabled until the sheet implements its command.
void RegisterBars(SheetRegistry& registry, SheetType type, void (CMainFrame::*addBars)()) {
  SheetKind kind;
  kind.type = type;
  kind.createBars = [addBars](CMainFrame& frame) { (frame.*addBars)(); };
  kind.recalculateBeforePage = type != SheetType::Traverse && type != SheetType::PrecisionStadia;
  registry.Register(std::move(kind));
}

}  // namespace

void SheetRegistry::Register(SheetKind kind) { kinds_[Index(kind.type)] = std::move(kind); }

const SheetKind* SheetRegistry::Find(SheetType type) const {
  const std::optional<SheetKind>& kind = kinds_[Index(type)];
  return kind ? &*kind : nullptr;
}

bool SheetRegistry::HasSheet(SheetType type) const {
  const SheetKind* kind = Find(type);
  return kind != nullptr && static_cast<bool>(kind->make);
}

void RegisterBuiltinSheets(SheetRegistry& registry) {
  RegisterStadia(registry);
  RegisterBars(registry, SheetType::Traverse, &CMainFrame::AddTraverseBars);
  RegisterBars(registry, SheetType::PrecisionStadia, &CMainFrame::AddGeoidBar);
  RegisterBars(registry, SheetType::LevelBook, &CMainFrame::AddLevelBookBar);
}

}  // namespace kestrel
