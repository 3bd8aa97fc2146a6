#pragma once
// What the desktop program adds to the core's sheet kinds: the "Entry Type"
// dialog, the bars the frame carries when the program starts for a kind and
// how a kind prints. How a sheet is made and which commands it carries out
// (which decide the menu commands that are enabled) come from the core's
// registry (sheets/sheet_kind_registry.h), which this one holds.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "job/sheet_types.h"
#include "sheets/sheet_kind_registry.h"

class QWidget;

namespace kestrel {

class CMainFrame;

struct DesktopSheetKind {
  SheetType type = SheetType::Stadia;
  // The core's kind; nullptr while the kind has only its bars (the document
  // then has no sheet of that kind).
  const SheetKind* core = nullptr;
  // The kind's defaults dialog: the chosen row type, or -1 when none was
  // chosen or the dialog was cancelled. Empty when the kind has none.
  std::function<int(QWidget* parent)> entryTypeDialog;
  // The kind's tolerance dialog: the value sent with the tolerance command
  // (code 27), or nothing when cancelled. Empty when the kind has none.
  std::function<std::optional<std::int64_t>(QWidget* parent)> toleranceDialog;
  // Creates the bars of this kind on the frame at start-up.
  std::function<void(CMainFrame&)> createBars;
  // Printing: the coordinates are recalculated before every page.
  bool recalculateBeforePage = true;
  // Printing: the smaller font when corrected bearings and distances widen the
  // listing.
  bool smallFontWhenCorrected = false;

  // True when the kind's sheet carries out the Command code.
  bool Implements(int code) const { return core != nullptr && core->Implements(code); }
};

class SheetRegistry {
 public:
  SheetRegistry();
  SheetRegistry(const SheetRegistry&) = delete;
  SheetRegistry& operator=(const SheetRegistry&) = delete;

  // A kind's desktop part registered again replaces the earlier one.
  void Register(DesktopSheetKind kind);
  // The kind's desktop part, or nullptr when neither the desktop nor the core
  // knows the kind.
  const DesktopSheetKind* Find(SheetType type) const;
  // True when a sheet of that kind can be made.
  bool HasSheet(SheetType type) const { return core_.Find(type) != nullptr; }

  SheetKindRegistry& Core() { return core_; }
  const SheetKindRegistry& Core() const { return core_; }

 private:
  SheetKindRegistry core_;
  std::array<std::optional<DesktopSheetKind>, kSheetTypeCount> kinds_;
};

// Every kind this build of the program carries: the core's built-in kinds and
// the desktop's parts of them.
void RegisterBuiltinSheets(SheetRegistry& registry);

}  // namespace kestrel
