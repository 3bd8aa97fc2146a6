#pragma once
// The sheet kinds this build can make. Each kind registers how its sheet is
// made and the Command codes the sheet carries out; what is fixed about a kind
// without its sheet (keyword, file names, labels) is in job/sheet_types.h.
// The programs own one registry, filled by RegisterBuiltinSheetKinds
// (builtin_sheet_kinds.h), and ask it for everything kind-specific.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "job/sheet_types.h"
#include "sheets/data_source.h"
#include "sheets/sheet_context.h"
#include "sheets/sheet_plan.h"

namespace kestrel {

// Figures of a sheet that a summary prints (kestrel-cli's job verb).
struct SheetCounts {
  int setups = 0;          // rows that set the instrument up
  int pointsComputed = 0;  // rows the last reduction gave coordinates
};

struct SheetKind {
  SheetType type = SheetType::Stadia;
  // Makes an empty sheet of this kind.
  std::function<std::unique_ptr<CUGDataSource>(SheetContext&)> make;
  // The Command codes the sheet carries out, ascending. A code outside this
  // list does nothing on the sheet, and programs offer it nowhere.
  std::vector<int> commands;
  // The message lines the sheet's last reduction left; empty when the kind
  // has none.
  std::function<std::vector<std::string>(CUGDataSource&)> messageLines;
  // The sheet's set-ups and computed points; empty when the kind has none.
  std::function<SheetCounts(CUGDataSource&)> counts;
  // The reduced points and their rays or legs; empty when the kind has none
  // (its point records then stand for its points).
  std::function<SheetPlan(CUGDataSource&)> plan;
  // True for a file name that is not a sheet file name of the kind but that
  // the sheet also saves under, in another form (a level book's CSV); empty
  // when the kind has none.
  std::function<bool(const std::string& path)> savesAs;
  // True when its calculation reads the geoid toolbar (the "Geoid
  // Correction" check box and the "Vertical Adj" number).
  bool readsGeoidBar = false;

  const SheetTypeInfo& Info() const { return SheetTypeInfoOf(type); }
  bool Implements(int code) const;
};

class SheetKindRegistry {
 public:
  // A kind registered again replaces the earlier registration. A kind without
  // a factory is not registered.
  void Register(SheetKind kind);
  const SheetKind* Find(SheetType type) const;
  // The registered kinds in table order.
  std::vector<const SheetKind*> Kinds() const;
  // A new sheet of that kind; nullptr when the kind is not registered.
  std::unique_ptr<CUGDataSource> Make(SheetType type, SheetContext& context) const;

 private:
  std::array<std::optional<SheetKind>, kSheetTypeCount> kinds_;
};

}  // namespace kestrel
