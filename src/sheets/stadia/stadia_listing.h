#pragma once
// The Stadia listing: one line per row, printed on a page (header and a range
// of rows) or written whole to the job's listing RTF file. With the
// coordinate columns shown and corrected values asked for, each SD/HT line
// also carries the shot's corrected bearing and horizontal distance.
#include <string>
#include <vector>

#include "report/report_writer.h"

namespace kestrel {

class PageCanvas;
class Stadia;
struct RowRange;

// Command 12. With a page: "Stadia Report" and, one line lower, "Stadia File :"
// with the sheet's path; returns 0. Without a page: empties the sheet's line
// list and returns -1.
int PrintStadiaHeader(Stadia& sheet, PageCanvas* canvas);

// Command 13. With a page: the rows of `range` (clipped to the sheet), one text
// line apart below the header. Without a page: every row is listed into the
// sheet's line list, which is written to "<job folder>StadiaListing_<job>.rtf"
// and opened. Returns 0.
int ListStadiaRows(Stadia& sheet, PageCanvas* canvas, const RowRange& range);

// The listing lines of rows [first, end) in the sheet's present layout and
// the user's angle and distance notation. `corrected` adds the corrected
// bearing and distance to SD/HT lines while the coordinate columns are shown.
std::vector<std::string> StadiaListingLines(Stadia& sheet, int first, int end, bool corrected);

// The page of the listing file: 7-point landscape with margins when both the
// coordinate columns and the corrected values are shown, 8-point landscape
// with margins when one is, 8-point portrait without margins otherwise.
ReportSettings StadiaListingSettings(bool coordinates, bool corrected, bool& landscape);

}  // namespace kestrel
