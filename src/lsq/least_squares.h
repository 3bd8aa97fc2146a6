#pragma once
// The least squares adjustment of a reduced Precision Stadia sheet: every
// shot is three observed coordinate differences (east, north, height) from
// its set-up's station to its point; the free points are solved component by
// component from weighted normal equations against the sheet's fixed
// stations; the report lists the fixed points, the reduced directions, the
// misclosures, the adjustments and the residuals.
//
// Nothing here changes the sheet: WriteBackAdjusted does, once the caller
// has the result (the desktop program makes that one undo step).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lsq/ls_parameters.h"
#include "lsq/network.h"
#include "lsq/normal_equations.h"
#include "sheets/stadia/precision_row.h"

namespace kestrel {

struct LeastSquaresOptions {
  LeastSquaresSettings settings;
  // The geoid bar: with its check box on, the reduced directions list the
  // reduced horizontal distances at more decimals; its "Vertical Adj" number
  // is the refraction printed.
  bool geoidCorrection = false;
  double verticalAdjustment = 0.0;
  NormalSolverFactory solver;  // empty: the sparse factorisation
  std::function<void()> tick;  // the progress bar's step
};

// The texts shown in message boxes.
inline constexpr const char* kUnreducedBearing = "pt %d bear %f";
inline constexpr const char* kZeroDiagonal = "\n\aError number on the matrix diagonal = 0.0";
inline constexpr const char* kUntiedPointsLine = "\nPoints not tied to a fixed point:";
inline constexpr const char* kFinished = "Finished adjustment - hit a key";
inline constexpr const char* kEndOfPrintout = "End of printout";

// Passes stop when the largest east or north correction is this small (m)
// or after this many passes.
inline constexpr double kPassTolerance = 0.001;
inline constexpr int kMostPasses = 6;

struct LeastSquaresResult {
  // False when nothing was computed (a bearing not reduced): the sheet must
  // be left as it is.
  bool computed = false;
  // True when the passes ran; false when the report ended early.
  bool adjusted = false;
  int passes = 0;
  int mode = kLsBoth;
  std::string statusText;             // the mode title and error texts
  std::vector<std::string> report;    // report lines for the report writer
  std::vector<std::string> messages;  // message boxes, in order
  Network network;                    // the points with their adjusted values
};

// The number of progress steps a run on `rowCount` rows makes.
int LeastSquaresProgressSteps(std::size_t rowCount);

LeastSquaresResult RunLeastSquares(const std::vector<PrecisionStadiaRow>& rows,
                                   const LeastSquaresOptions& options);

// The sheet updated from a computed result, row by row: an AT/BS row takes
// the coordinates of the nearest row above it (STN, SD/HT or HZ/DH) with its
// point, or 0, 0, 0 when there is none; a shot whose point is in the table
// takes the point's adjusted easting and northing, and its height in the
// horizontal and vertical mode. Nothing non-finite is written. Does nothing
// when the result was not computed.
void WriteBackAdjusted(std::vector<PrecisionStadiaRow>& rows, const LeastSquaresResult& result);

}  // namespace kestrel
