#include "sheets/level/level_kind.h"

#include "sheets/level/level_book.h"
#include "sheets/level/level_book_file.h"
#include "sheets/level/level_sheet.h"

namespace kestrel {

void RegisterLevelBookKind(SheetKindRegistry& registry) {
  SheetKind kind;
  kind.type = SheetType::LevelBook;
  kind.make = [](SheetContext& context) { return std::make_unique<LevelBook>(context); };
  kind.commands = LevelBookCommandCodes();
  kind.savesAs = [](const std::string& path) { return IsLevelBookCsvPath(path); };
  registry.Register(std::move(kind));
}

void RegisterLevelSheetKind(SheetKindRegistry& registry) {
  SheetKind kind;
  kind.type = SheetType::LevelSheet;
  kind.make = [](SheetContext& context) { return std::make_unique<LevelSheet>(context); };
  kind.commands = LevelSheetCommandCodes();
  registry.Register(std::move(kind));
}

}  // namespace kestrel
