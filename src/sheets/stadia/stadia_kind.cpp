#include "sheets/stadia/stadia_kind.h"

#include "sheets/stadia/family_kind.h"
#include "sheets/stadia/stadia.h"

namespace kestrel {

void RegisterStadiaKind(SheetKindRegistry& registry) {
  RegisterFamilyMember<Stadia>(registry, SheetType::Stadia);
}

}  // namespace kestrel
