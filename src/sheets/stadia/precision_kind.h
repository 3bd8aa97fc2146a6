#pragma once
#include "sheets/sheet_kind_registry.h"

namespace kestrel {

// The Precision Stadia sheet as a sheet kind.
void RegisterPrecisionStadiaKind(SheetKindRegistry& registry);

}  // namespace kestrel
