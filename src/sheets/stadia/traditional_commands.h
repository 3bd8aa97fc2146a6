#pragma once
// The Traditional Stadia sheet's commands as one table of codes and handlers.
#include <span>

#include "sheets/command_table.h"

namespace kestrel {

class Traditional;

std::span<const SheetCommand<Traditional>> TraditionalCommands();

}  // namespace kestrel
