#pragma once
// The level book and level sheet as sheet kinds.
#include "sheets/sheet_kind_registry.h"

namespace kestrel {

void RegisterLevelBookKind(SheetKindRegistry& registry);
void RegisterLevelSheetKind(SheetKindRegistry& registry);

}  // namespace kestrel
