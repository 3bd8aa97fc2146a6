#pragma once
// The fixture and helpers shared by the level book and level sheet tests.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "platform/printf_format.h"
#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/level/level_book.h"
#include "sheets/level/level_sheet.h"

namespace kestrel::testing {

// Little-endian bytes written by hand, field by field.
struct LeBytes {
  std::string s;
  LeBytes& Le(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  LeBytes& F32(float v) { return Le(std::bit_cast<std::uint32_t>(v), 4); }
  LeBytes& F64(double v) { return Le(std::bit_cast<std::uint64_t>(v), 8); }
  LeBytes& Raw(const std::string& t) {
    s += t;
    return *this;
  }
};

inline CellValue Text(std::string text) {
  CellValue cell;
  cell.text = std::move(text);
  return cell;
}

struct LevelTest : ::testing::Test {
  LevelTest() { t.app.startupComplete = true; }

  std::string Cell(CUGDataSource& sheet, int column, int row) {
    CellValue cell;
    sheet.CellText(column, row, cell);
    return cell.text;
  }

  SheetTestContext t;
  ScratchFolder folder;
};

}  // namespace kestrel::testing
