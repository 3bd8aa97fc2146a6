#pragma once
#include "sheets/sheet_kind_registry.h"

namespace kestrel {

void RegisterTraditionalKind(SheetKindRegistry& registry);

}  // namespace kestrel
