#pragma once
// A sheet's commands as one table of codes and handlers. The sheet's Command
// dispatches through the table and its registration takes the codes from it,
// so the commands a kind advertises are exactly those it carries out.
// (`SheetCommand` is a sheet's; the desktop's menu commands are
// `CommandHandler`s of the command router.)
#include <span>
#include <vector>

#include "sheets/data_source.h"

namespace kestrel {

template <class Sheet>
struct SheetCommand {
  int code;
  int (*run)(Sheet& sheet, const CommandArg& p1, const CommandArg& p2);
};

// The handler's result, or 0 when the table has no handler for `code`.
template <class Sheet>
int DispatchCommand(std::span<const SheetCommand<Sheet>> table, Sheet& sheet, int code,
                    const CommandArg& p1, const CommandArg& p2) {
  for (const SheetCommand<Sheet>& handler : table) {
    if (handler.code == code) return handler.run(sheet, p1, p2);
  }
  return 0;
}

template <class Sheet>
std::vector<int> CommandCodes(std::span<const SheetCommand<Sheet>> table) {
  std::vector<int> codes;
  codes.reserve(table.size());
  for (const SheetCommand<Sheet>& handler : table) codes.push_back(handler.code);
  return codes;
}

}  // namespace kestrel
