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

// A value never entered, as the book holds it.
inline const float kNew = float(kLevelNewValue);

// A level book row: BS, IM, FS, RL, chainage and offset; a note makes it a
// field note.
inline LevelBookRow BookRow(std::array<float, 6> values, std::string comment = "",
                            std::string note = "") {
  LevelBookRow r;
  r.values = values;
  r.comment = std::move(comment);
  r.note = std::move(note);
  r.type = r.note.empty() ? kLevelReading : kLevelFnote;
  return r;
}

struct LevelTest : ::testing::Test {
  LevelTest() { t.app.startupComplete = true; }

  SheetTestContext t;
  ScratchFolder folder;
};

}  // namespace kestrel::testing
