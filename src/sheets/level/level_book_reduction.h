#pragma once
// Rise-and-fall reduction of a level book and its arithmetic check.
#include <cstddef>
#include <optional>
#include <vector>

#include "sheets/level/level_book_row.h"

namespace kestrel {

// A reduced level beyond this magnitude is stored as 0.0.
inline constexpr double kLevelLimit = 100000.0;

// The level of row r worked out from the row above before the limit:
// RL(above) + BS(above) + IM(above) - (IM(r) + FS(r)), each blank reading
// taken as 0. The level above is used as it stands, blank or not.
double RiseAndFallLevel(const std::vector<LevelBookRow>& rows, std::size_t r);

// Reduces row r (r >= 1) from the row above and stores its level, 0.0 when the
// result lies beyond the limit. Row 0 carries the starting level and is left
// alone, as is a row outside the book.
void ReduceLevelRow(std::vector<LevelBookRow>& rows, std::size_t r);

// Calculate: every reading row from the second down, in order, as Enter would.
void ReduceLevelBook(std::vector<LevelBookRow>& rows);

// True when row r holds 0.0 because its rise-and-fall level lay beyond the
// limit (the listing marks such rows).
bool LevelWasLimited(const std::vector<LevelBookRow>& rows, std::size_t r);

// The textbook check of a rise-and-fall book: the sum of the backsights less
// the sum of the foresights equals the last reduced level less the first.
struct LevelArithmeticCheck {
  double sumBs = 0.0;
  double sumFs = 0.0;
  // Last minus first reduced level of the reading rows that have one; nullopt
  // when no reading row has a level.
  std::optional<double> levelDifference;
  // |(sumBs - sumFs) - levelDifference| within the book's 3 decimals.
  bool ok = false;
};
inline constexpr double kLevelCheckTolerance = 0.0005;

LevelArithmeticCheck CheckLevelArithmetic(const std::vector<LevelBookRow>& rows);

}  // namespace kestrel
