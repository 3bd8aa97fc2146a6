#pragma once
// What the traverse harnesses share: the checks on a traverse sheet after
// everything the user can do with it.
#include "fuzz_support.h"
#include "sheets/traverse/traverse.h"
#include "sheets/traverse/traverse_compute.h"
#include "sheets/traverse/traverse_report.h"

namespace kestrel::fuzz {

inline void RequireFiniteRows(const Traverse& sheet) {
  for (const TraverseRow& row : sheet.Rows()) {
    for (double value : {row.angle, row.bearing, row.vertical, row.slope_dist, double(row.inst_ht),
                         double(row.target_ht), row.east, row.north, double(row.height),
                         row.adj_east, row.adj_north, row.adj_height}) {
      RequireFinite(value);
    }
  }
}

// Every cell in each notation, Calculate, the misclose, every adjustment with
// heights, and both reports: nothing non-finite is stored or printed.
inline void ExerciseTraverse(Traverse& sheet, FuzzContext& context) {
  RequireFiniteRows(sheet);
  const int rows = sheet.RowCount();
  for (int mode : {0, 1, 3}) {
    context.units.bearingMode = mode;
    context.units.distanceUnit = mode == 3 ? 2 : mode;
    for (int row = 0; row < rows; ++row) {
      for (int column = 0; column < Traverse::kEntryColumns; ++column) {
        CellValue cell;
        sheet.CellText(column, row, cell);
      }
    }
  }
  context.units.bearingMode = 0;
  context.units.distanceUnit = 0;
  sheet.SetHeightAdjust(true);
  for (int command :
       {kCmdCalculate, kCmdMisclose, kCmdAngularClose, kCmdBowditch, kCmdTransit, kCmdCrandall}) {
    sheet.Command(command);
    RequireFiniteRows(sheet);
  }
  for (TraverseRow& row : sheet.Rows()) {
    row.code.clear();  // a text may say "nan" itself
    row.note.clear();
  }
  for (const std::string& line : TraverseReportLines(sheet)) RequireNoNonFiniteText(line);
  for (bool corrected : {false, true}) {
    for (const std::string& line : TraverseAdjustmentReportLines(sheet, false, corrected)) {
      RequireNoNonFiniteText(line);
    }
  }
  for (const std::string& line : MiscloseSummaryLines(sheet.LastMisclose(), 0, 0)) {
    RequireNoNonFiniteText(line);
  }
}

}  // namespace kestrel::fuzz
