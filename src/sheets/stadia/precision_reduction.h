#pragma once
// "Calculate Coordinates" on a Precision Stadia sheet, in four passes:
//   1. the refraction adjustment of the SD/HT vertical readings (seconds per
//      kilometre of slope distance);
//   2. the bearing pass, which orients every set-up from a back bearing, from
//      a direction already observed between its two points, or from their
//      coordinates, and gives every shot its bearing and horizontal distance;
//   3. when asked for, the grid corrections of SD/HT shots (arc-to-chord,
//      sea-level correction, line scale factor), logged line by line;
//   4. the coordinate pass.
// Every pass walks the rows from the top once; "nearest row above" questions
// are answered from indexes kept on the way, never by scanning back.
//
// Nothing non-finite or absurd is stored: a value that cannot be computed
// (a set-up on a point with no coordinates above it, a shot that cannot be
// oriented, a reading or distance never entered) is left empty and, where
// the user can do something about it, a message says which line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "adjust/geoid_parameters.h"
#include "sheets/stadia/precision_row.h"
#include "survey/vertical_circle.h"

namespace kestrel {

// The vertical circle conventions are the ones every reduction shares.
using PrecisionVertical = VerticalConvention;

// What field notes set, kept by the sheet from one calculation to the next.
struct PrecisionReductionState {
  PrecisionVertical convention = PrecisionVertical::Zenith;
  bool noHeight = false;            // "null": the next shot gets no height
  double verticalAdjustment = 0.0;  // "vertadj ": packed DMS added to every elevation
  double extension = 0.0;           // "go " / "bk ": along the line, signed
  bool extend = false;
  double sideOffset = 0.0;  // "or " / "ol "
  bool right = false, left = false;
};

struct PrecisionReductionOptions {
  bool gridCorrections = false;  // the "Geoid Correction" check box
  // The "Vertical Adj" box: seconds per kilometre written as packed minutes
  // and seconds (12 is 12", 130 is 1'30"); negative raises the readings.
  double verticalAdjustment = 0.0;
  GeoidParameters geoid;  // in force for this calculation
};

struct PrecisionReductionResult {
  std::vector<std::string> correctionsLog;  // only when grid corrections ran
  std::vector<std::string> messages;
};

// The message lines (printf formats; the line is the 1-based row number).
inline constexpr const char* kSetupPointUnknownLine =
    "line %zu: set-up point %u has no coordinates above it; its shots are not reduced";
inline constexpr const char* kBacksightUnknownLine =
    "line %zu: backsight point %u has no coordinates above it and no direction to it was "
    "observed; the set-up is not oriented";
inline constexpr const char* kForesightUnknownLine =
    "line %zu: point %u has no coordinates above it to orient the instrument on; not reduced";
inline constexpr const char* kVerticalAdjustmentRangeLine =
    "Vertical Adj %g is out of range; no vertical adjustment made";

// The corrections log's heading and line formats.
inline constexpr const char* kCorrectionsTitle = "Stadia Geoid Corrections";
inline constexpr const char* kArcToChordLine = "from %5d to %5d  ArcToChord %6.2f";
inline constexpr const char* kScaleLine = " SLC %8.3f  LSF %13.9f";

// The refraction rate of the "Vertical Adj" box in radians per kilometre; 0
// when the box is (nearly) 0 or out of range.
double VerticalAdjustmentRate(double boxValue);

// Runs the four passes over `rows`, writing only the computed fields
// (reducedDist, gridBearing, correctedVt, and east, north, height of AT/BS
// rows and shots).
PrecisionReductionResult ReducePrecisionStadia(std::vector<PrecisionStadiaRow>& rows,
                                               PrecisionReductionState& state,
                                               const PrecisionReductionOptions& options);

}  // namespace kestrel
