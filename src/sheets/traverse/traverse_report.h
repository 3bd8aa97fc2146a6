#pragma once
// The Traverse Report (printed, previewed or written as RTF) and the
// Traverse Adjustment Report (RTF or CSV in the job folder). Both list the
// route's legs after a summary of the misclose; lengths go through the
// user's distance notation and bearings print as packed numbers.
#include <string>
#include <vector>

namespace kestrel {

class PageCanvas;
class Traverse;
struct RowRange;
struct TraverseReportChoice;

// The Traverse Report's lines after its two title lines: the misclose
// summary and the table, or the four lines that explain how to define a
// route when there is none.
std::vector<std::string> TraverseReportLines(Traverse& sheet);

// The Traverse Adjustment Report's lines, RTF or CSV form. `corrected`
// shows the bearings and distances between the adjusted stations.
std::vector<std::string> TraverseAdjustmentReportLines(Traverse& sheet, bool csv, bool corrected);

// Command 12. With a page: "Traverse Report" and the file line; returns 0.
// Without: empties the sheet's line list and returns -1.
int PrintTraverseHeader(Traverse& sheet, PageCanvas* canvas);

// Command 13. With a page: the report lines in `range` (clipped), one line
// apart below the header. Without: the whole report is written to
// "<job folder>TraverseReport_<job>.rtf" and opened. Returns 0.
int ListTraverseReport(Traverse& sheet, PageCanvas* canvas, const RowRange& range);

// Writes the adjustment report to "<job folder>TraverseListing_<job>.rtf" or
// ".csv" and opens it. Returns 1 when written; the path goes to `written`.
int WriteTraverseAdjustmentReport(Traverse& sheet, const TraverseReportChoice& choice,
                                  std::string* written = nullptr);

}  // namespace kestrel
