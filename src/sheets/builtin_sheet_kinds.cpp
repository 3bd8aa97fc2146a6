#include "sheets/builtin_sheet_kinds.h"

#include "sheets/level/level_kind.h"
#include "sheets/stadia/precision_kind.h"
#include "sheets/stadia/stadia_kind.h"
#include "sheets/stadia/traditional_kind.h"
#include "sheets/traverse/traverse_kind.h"

namespace kestrel {

// One line per kind: the function its folder's registration file provides.
void RegisterBuiltinSheetKinds(SheetKindRegistry& registry) {
  RegisterStadiaKind(registry);
  RegisterPrecisionStadiaKind(registry);
  RegisterTraditionalKind(registry);
  RegisterTraverseKind(registry);
  RegisterLevelBookKind(registry);
  RegisterLevelSheetKind(registry);
}

}  // namespace kestrel
