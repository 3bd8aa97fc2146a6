#include "app/sheet_registry.h"

#include "app/level_sheet_entry.h"
#include "app/main_frame.h"
#include "app/stadia_entry_selection.h"
#include "app/traditional_entry_selection.h"
#include "app/traditional_tolerance.h"
#include "app/traverse_default.h"
#include "sheets/builtin_sheet_kinds.h"

namespace kestrel {
namespace {

std::size_t Index(SheetType type) { return static_cast<std::size_t>(SheetTypeInfoOf(type).type); }

// Kinds whose sheets join later: the frame already carries their bars, with
// every button disabled until the sheet implements its command.
void RegisterBars(SheetRegistry& registry, SheetType type, void (CMainFrame::*addBars)()) {
  DesktopSheetKind kind;
  kind.type = type;
  kind.createBars = [addBars](CMainFrame& frame) { (frame.*addBars)(); };
  kind.recalculateBeforePage = type != SheetType::Traverse && type != SheetType::PrecisionStadia;
  registry.Register(std::move(kind));
}

}  // namespace

SheetRegistry::SheetRegistry() = default;

void SheetRegistry::Register(DesktopSheetKind kind) {
  kind.core = core_.Find(kind.type);
  kinds_[Index(kind.type)] = std::move(kind);
}

const DesktopSheetKind* SheetRegistry::Find(SheetType type) const {
  const std::optional<DesktopSheetKind>& kind = kinds_[Index(type)];
  return kind ? &*kind : nullptr;
}

void RegisterBuiltinSheets(SheetRegistry& registry) {
  RegisterBuiltinSheetKinds(registry.Core());
  // Every core kind prints and runs its commands with the defaults until its
  // desktop part says otherwise.
  for (const SheetKind* core : registry.Core().Kinds()) {
    DesktopSheetKind kind;
    kind.type = core->type;
    registry.Register(std::move(kind));
  }

  DesktopSheetKind stadia;
  stadia.type = SheetType::Stadia;
  stadia.entryTypeDialog = AskStadiaDefaultType;
  stadia.smallFontWhenCorrected = true;
  registry.Register(std::move(stadia));
  DesktopSheetKind traditional;
  traditional.type = SheetType::Traditional;
  traditional.entryTypeDialog = AskTraditionalDefaultType;
  traditional.toleranceDialog = AskTraditionalTolerance;
  registry.Register(std::move(traditional));
  // A traverse prints its route as the last command left it: an adjustment
  // would be undone by calculating again before each page.
  DesktopSheetKind traverse;
  traverse.type = SheetType::Traverse;
  traverse.entryTypeDialog = AskTraverseDefaultType;
  traverse.createBars = [](CMainFrame& frame) { frame.AddTraverseBars(); };
  traverse.recalculateBeforePage = false;
  registry.Register(std::move(traverse));
  RegisterBars(registry, SheetType::PrecisionStadia, &CMainFrame::AddGeoidBar);

  // Printing a levelling sheet lists the levels as they stand: a level book
  // is reduced only on Enter and Calculate.
  DesktopSheetKind levelBook;
  levelBook.type = SheetType::LevelBook;
  levelBook.createBars = [](CMainFrame& frame) { frame.AddLevelBookBar(); };
  levelBook.recalculateBeforePage = false;
  registry.Register(std::move(levelBook));
  DesktopSheetKind levelSheet;
  levelSheet.type = SheetType::LevelSheet;
  levelSheet.entryTypeDialog = AskLevelSheetDefaultType;
  levelSheet.recalculateBeforePage = false;
  registry.Register(std::move(levelSheet));
}

}  // namespace kestrel
