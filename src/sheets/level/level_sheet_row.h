#pragma once
// One row of a level sheet: a point with its chainage, offset, reduced level
// and code along a road, or a field note ("rd " and the road number starts a
// road).
#include <array>
#include <cstdint>
#include <string>

#include "sheets/level/level_values.h"

namespace kestrel {

enum LevelSheetRowType : std::uint32_t {
  kLevelSheetPoint = 0,
  kLevelSheetFnote = 1,
};

// The three values in column order (columns 1 to 3).
enum LevelSheetValue : int {
  kSheetChainage = 0,
  kSheetOffset = 1,
  kSheetRl = 2,
};
inline constexpr int kLevelSheetValueCount = 3;

struct LevelSheetRow {
  // 0 point, 1 field note; any other value is treated as a point row.
  std::uint32_t type = kLevelSheetPoint;
  std::int32_t point = -1;  // 0 and below show empty
  std::array<double, kLevelSheetValueCount> values{kLevelNewValue, kLevelNewValue, kLevelNewValue};
  std::string code{};
  std::string note{};

  bool IsNote() const { return type == kLevelSheetFnote; }
  double Value(int index) const { return values[static_cast<std::size_t>(index)]; }
};

}  // namespace kestrel
