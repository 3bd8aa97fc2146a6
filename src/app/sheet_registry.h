#pragma once
// The sheet kinds the desktop program knows. A kind registers how its sheet is
// made, its "Entry Type" dialog, the bars the frame carries when the program
// starts for it, the Command codes its sheet implements (which decide the
// menu commands that are enabled) and how it prints. Adding a sheet kind is a
// matter of registering it here.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "job/sheet_types.h"
#include "sheets/data_source.h"
#include "sheets/sheet_context.h"

class QWidget;

namespace kestrel {

class CMainFrame;

struct SheetKind {
  SheetType type = SheetType::Stadia;
  // Makes the document's sheet of this kind. Empty while the kind has only its
  // bars: the document then has no sheet of that kind.
  std::function<std::unique_ptr<CUGDataSource>(SheetContext&)> make;
  // The kind's defaults dialog: the chosen row type, or -1 when none was
  // chosen or the dialog was cancelled. Empty when the kind has none.
  std::function<int(QWidget* parent)> entryTypeDialog;
  // Creates the bars of this kind on the frame at start-up.
  std::function<void(CMainFrame&)> createBars;
  // The Command codes the sheet implements.
  std::set<int> commands;
  // Printing: the coordinates are recalculated before every page.
  bool recalculateBeforePage = true;
  // Printing: the smaller font when corrected bearings and distances widen the
  // listing.
  bool smallFontWhenCorrected = false;
};

class SheetRegistry {
 public:
  // A kind registered again replaces the earlier registration.
  void Register(SheetKind kind);
  const SheetKind* Find(SheetType type) const;
  // True when a sheet of that kind can be made.
  bool HasSheet(SheetType type) const;

 private:
  std::array<std::optional<SheetKind>, kSheetTypeCount> kinds_;
};

// Every kind this build of the program carries.
void RegisterBuiltinSheets(SheetRegistry& registry);

}  // namespace kestrel
