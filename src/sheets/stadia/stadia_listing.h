#pragma once
// The Stadia listing's lines and page: one line per row, printed on a page or
// written whole to the job's listing RTF file through the family's listing
// frame (stadia_reports.h). With the
// coordinate columns shown and corrected values asked for, each SD/HT line
// also carries the shot's corrected bearing and horizontal distance.
#include <string>
#include <vector>

#include "report/report_writer.h"

namespace kestrel {

class Stadia;

// The listing lines of rows [first, end) in the sheet's present layout and
// the user's angle and distance notation. `corrected` adds the corrected
// bearing and distance to SD/HT lines while the coordinate columns are shown.
std::vector<std::string> StadiaListingLines(Stadia& sheet, int first, int end, bool corrected);
// The same lines handed to `out` one at a time (the listing file of a large
// sheet is written while it is made).
void StadiaListing(Stadia& sheet, int first, int end, bool corrected, ReportLines& out);

// The page of the listing file: 7-point landscape with margins when both the
// coordinate columns and the corrected values are shown, 8-point landscape
// with margins when one is, 8-point portrait without margins otherwise.
ReportSettings StadiaListingSettings(bool coordinates, bool corrected, bool& landscape);

}  // namespace kestrel
