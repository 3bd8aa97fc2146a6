#pragma once
// "Calculate Coordinates" on a Traditional Stadia sheet: one pass from the
// top that lists the STN rows as known stations, sets up and orients the
// instrument at every AT/BS row from its backsight, and reduces every
// 3Hair, MH/SD and MH/SI shot tacheometrically. Stations and earlier shots
// are found through indexes kept on the way, so the pass takes time in
// proportion to the rows however many set-ups and stations there are; the
// station list and the set-up table have no fixed capacity.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sheets/stadia/traditional_row.h"
#include "survey/vertical_circle.h"

namespace kestrel {

// Offsets a field note asks for, used by the next row that is reduced.
struct TraditionalOffsets {
  double extension = 0.0;  // "go " (positive) or "bk " (negative)
  bool extend = false;
  double side = 0.0;  // "or " / "ol "
  bool right = false;
  bool left = false;
};

inline constexpr const char* kNoBacksightWarning =
    "WARNING - No backsight shot exists\nbefore the first shot is taken";
inline constexpr const char* kTradZeroStation = "STN point %4u has zero coordinates";
inline constexpr const char* kTradStationNotFound = "foresite point %4u not found";
inline constexpr const char* kTradBacksightNotFound = "backsite point %4u not found";
// Shots that cannot be reduced (the line is the 1-based row number).
inline constexpr const char* kTradMissingReading =
    "line %zu: point %u has a hair reading or distance missing; not reduced";
inline constexpr const char* kTradNoIntercept =
    "line %zu: point %u has a staff intercept or stadia distance of zero or less; not reduced";
inline constexpr const char* kTradHairOrder =
    "line %zu: point %u: the middle hair is not between the bottom and top hairs";

// Runs the pass over `rows`, writing only the computed coordinates, and
// returns the messages in the order they arose.
std::vector<std::string> ReduceTraditional(std::vector<TraditionalRow>& rows,
                                           TraditionalOffsets& offsets);

}  // namespace kestrel
