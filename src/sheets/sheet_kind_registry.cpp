#include "sheets/sheet_kind_registry.h"

#include <algorithm>

namespace kestrel {

namespace {

std::size_t Index(SheetType type) { return static_cast<std::size_t>(SheetTypeInfoOf(type).type); }

}  // namespace

bool SheetKind::Implements(int code) const {
  return std::binary_search(commands.begin(), commands.end(), code);
}

void SheetKindRegistry::Register(SheetKind kind) {
  if (!kind.make) return;
  std::sort(kind.commands.begin(), kind.commands.end());
  kind.commands.erase(std::unique(kind.commands.begin(), kind.commands.end()), kind.commands.end());
  const std::size_t index = Index(kind.type);
  kinds_[index] = std::move(kind);
}

const SheetKind* SheetKindRegistry::Find(SheetType type) const {
  const std::optional<SheetKind>& kind = kinds_[Index(type)];
  return kind ? &*kind : nullptr;
}

std::vector<const SheetKind*> SheetKindRegistry::Kinds() const {
  std::vector<const SheetKind*> kinds;
  for (const std::optional<SheetKind>& kind : kinds_) {
    if (kind) kinds.push_back(&*kind);
  }
  return kinds;
}

std::unique_ptr<CUGDataSource> SheetKindRegistry::Make(SheetType type,
                                                       SheetContext& context) const {
  const SheetKind* kind = Find(type);
  return kind != nullptr ? kind->make(context) : nullptr;
}

}  // namespace kestrel
