#pragma once
// The Traverse sheet's registration as a sheet kind.
#include "sheets/sheet_kind_registry.h"

namespace kestrel {

void RegisterTraverseKind(SheetKindRegistry& registry);

}  // namespace kestrel
