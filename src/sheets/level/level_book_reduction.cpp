// Rise-and-fall reduction and the arithmetic check.
#include "sheets/level/level_book_reduction.h"

#include <cmath>

namespace kestrel {

namespace {

double ReadingOrZero(const LevelBookRow& row, int index) {
  const double value = row.Value(index);
  return IsEmptyValue(value) ? 0.0 : value;
}

}  // namespace

double RiseAndFallLevel(const std::vector<LevelBookRow>& rows, std::size_t r) {
  const LevelBookRow& above = rows[r - 1];
  const LevelBookRow& row = rows[r];
  return above.Value(kLevelRl) + ReadingOrZero(above, kLevelBs) + ReadingOrZero(above, kLevelIm) -
         (ReadingOrZero(row, kLevelIm) + ReadingOrZero(row, kLevelFs));
}

void ReduceLevelRow(std::vector<LevelBookRow>& rows, std::size_t r) {
  if (r == 0 || r >= rows.size()) return;
  const double level = RiseAndFallLevel(rows, r);
  rows[r].SetValue(kLevelRl, std::fabs(level) > kLevelLimit ? 0.0 : level);
}

void ReduceLevelBook(std::vector<LevelBookRow>& rows) {
  for (std::size_t r = 1; r < rows.size(); ++r) {
    if (!rows[r].IsNote()) ReduceLevelRow(rows, r);
  }
}

bool LevelWasLimited(const std::vector<LevelBookRow>& rows, std::size_t r) {
  if (r == 0 || r >= rows.size() || rows[r].IsNote()) return false;
  return rows[r].Value(kLevelRl) == 0.0 && std::fabs(RiseAndFallLevel(rows, r)) > kLevelLimit;
}

LevelArithmeticCheck CheckLevelArithmetic(const std::vector<LevelBookRow>& rows) {
  LevelArithmeticCheck check;
  std::optional<double> first;
  std::optional<double> last;
  for (const LevelBookRow& row : rows) {
    if (row.IsNote()) continue;
    check.sumBs += ReadingOrZero(row, kLevelBs);
    check.sumFs += ReadingOrZero(row, kLevelFs);
    if (IsEmptyValue(row.Value(kLevelRl))) continue;
    if (!first) first = row.Value(kLevelRl);
    last = row.Value(kLevelRl);
  }
  if (first) {
    check.levelDifference = *last - *first;
    check.ok =
        std::fabs(check.sumBs - check.sumFs - *check.levelDifference) <= kLevelCheckTolerance;
  }
  return check;
}

}  // namespace kestrel
