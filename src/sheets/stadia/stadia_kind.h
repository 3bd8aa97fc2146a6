#pragma once
// The Stadia sheet's registration as a sheet kind.
#include "sheets/sheet_kind_registry.h"

namespace kestrel {

void RegisterStadiaKind(SheetKindRegistry& registry);

}  // namespace kestrel
