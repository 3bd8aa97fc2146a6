// The Traditional Stadia sheet as a sheet kind.
#include "sheets/stadia/traditional_kind.h"

#include "sheets/stadia/family_kind.h"
#include "sheets/stadia/traditional.h"

namespace kestrel {

void RegisterTraditionalKind(SheetKindRegistry& registry) {
  RegisterFamilyMember<Traditional>(registry, SheetType::Traditional);
}

}  // namespace kestrel
