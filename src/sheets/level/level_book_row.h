#pragma once
// One row of a level book: a staff reading (backsight, intermediate sight,
// foresight), the reduced level, the chainage and offset of the staffed point
// and a comment; or a field note. The six values are held in single precision
// because that is how the file keeps them.
#include <array>
#include <cstdint>
#include <string>

#include "sheets/level/level_values.h"

namespace kestrel {

enum LevelBookRowType : int {
  kLevelReading = 0,
  kLevelFnote = 1,
};

// The six values in column order; the comment is column 6.
enum LevelBookValue : int {
  kLevelBs = 0,
  kLevelIm = 1,
  kLevelFs = 2,
  kLevelRl = 3,
  kLevelChainage = 4,
  kLevelOffset = 5,
};
inline constexpr int kLevelValueCount = 6;
inline constexpr int kLevelCommentColumn = 6;

struct LevelBookRow {
  // 0 reading, 1 field note; any other value is treated as a reading.
  std::uint8_t type = kLevelReading;
  std::array<float, kLevelValueCount> values{float(kLevelNewValue), float(kLevelNewValue),
                                             float(kLevelNewValue), float(kLevelNewValue),
                                             float(kLevelNewValue), float(kLevelNewValue)};
  std::string comment{};
  std::string note{};

  bool IsNote() const { return type == kLevelFnote; }
  double Value(int index) const { return values[static_cast<std::size_t>(index)]; }
  void SetValue(int index, double value) { values[static_cast<std::size_t>(index)] = float(value); }
};

}  // namespace kestrel
