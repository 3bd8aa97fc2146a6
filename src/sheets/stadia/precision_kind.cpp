#include "sheets/stadia/precision_kind.h"

#include "sheets/stadia/family_kind.h"
#include "sheets/stadia/precision_stadia.h"

namespace kestrel {

void RegisterPrecisionStadiaKind(SheetKindRegistry& registry) {
  RegisterFamilyMember<PrecisionStadia>(registry, SheetType::PrecisionStadia,
                                        /*readsGeoidBar=*/true);
}

}  // namespace kestrel
