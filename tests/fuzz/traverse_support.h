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
  ShowEveryCell(sheet, context, Traverse::kEntryColumns);
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
