#pragma once
// Values and notes shared by the level book and the level sheet.
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "platform/number_text.h"
#include "survey/empty_value.h"

namespace kestrel {

// New level rows hold the negative of the empty value; a cell the user clears
// holds the positive one. Both show as an empty cell.
inline constexpr double kLevelNewValue = -kEmptyValue;
inline constexpr double kLevelClearedValue = kEmptyValue;

// A typed or read value made safe to keep: a value beyond the empty threshold
// (which could overflow single precision) becomes `blank`, and a non-finite
// one too.
inline double KeptValue(double value, double blank = kLevelClearedValue) {
  if (!std::isfinite(value) || IsEmptyValue(value)) return blank;
  return value;
}

// A road note is a field note "rd " followed by the road number.
inline constexpr std::string_view kRoadNotePrefix = "rd ";

// The road number of a road note; nullopt for any other note.
inline std::optional<int> RoadNumberOfNote(std::string_view note) {
  if (!note.starts_with(kRoadNotePrefix)) return std::nullopt;
  return ReadInt(note.substr(kRoadNotePrefix.size()));
}

// Text with its trailing blanks (spaces and tabs) removed.
inline std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

}  // namespace kestrel
