#pragma once
// The fixture and helpers shared by the level book and level sheet tests.
#include <gtest/gtest.h>

#include <string>

#include "platform/le_bytes.h"
#include "platform/printf_format.h"
#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/level/level_book.h"
#include "sheets/level/level_sheet.h"

namespace kestrel::testing {

struct LevelTest : ::testing::Test {
  LevelTest() { t.app.startupComplete = true; }

  SheetTestContext t;
  ScratchFolder folder;
};

}  // namespace kestrel::testing
