#pragma once
// What the precision stadia harnesses check on a sheet they read: every
// stored number finite after the load, a reduction with grid corrections and
// a refraction rate, and the listing free of non-finite numbers.
#include "fuzz_support.h"
#include "sheets/stadia/precision_stadia.h"

namespace kestrel::fuzz {

inline void RequireFinitePrecisionRows(const PrecisionStadia& sheet) {
  for (const PrecisionStadiaRow& row : sheet.Rows()) {
    for (double value :
         {row.hz, row.spare, row.dist, row.targetHt, row.east, row.north, row.height, row.spare2,
          row.spare3, row.reducedDist, row.gridBearing, row.correctedVt}) {
      RequireFinite(value);
    }
    if (row.type != kStadiaAtBs) RequireFinite(row.obs2);  // AT/BS: the backsight bits
  }
}

inline void ExercisePrecisionSheet(PrecisionStadia& sheet, FuzzContext& context) {
  RequireFinitePrecisionRows(sheet);
  ShowEveryCell(sheet, context, kStadiaEntryColumns);
  sheet.SetGeoidDataPath(ScratchFolder() + "/GeoidData");
  context.app.geoidCorrection = true;
  context.app.verticalAdjustment = 130.0;
  sheet.Command(kCmdCalculate);
  RequireFinitePrecisionRows(sheet);
  for (const std::string& line : sheet.CorrectionsLog()) RequireNoNonFiniteText(line);
  for (PrecisionStadiaRow& row : sheet.Rows()) {
    row.code.clear();
    row.comment.clear();
    row.note.clear();
  }
  for (int wide : {0, 1}) {
    sheet.Command(kCmdShowCoordinates, std::int64_t{wide});
    for (const std::string& line : sheet.ListingLines(0, sheet.RowCount(), false)) {
      RequireNoNonFiniteText(line);
    }
  }
}

}  // namespace kestrel::fuzz
