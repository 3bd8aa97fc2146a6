#pragma once
// Every sheet kind this build carries, registered in one place above all the
// kinds' libraries.
#include "sheets/sheet_kind_registry.h"

namespace kestrel {

void RegisterBuiltinSheetKinds(SheetKindRegistry& registry);

}  // namespace kestrel
