#pragma once
// The reports every radiation sheet writes alike: the check shot report and
// the frame of the listing (page header, printed rows, listing file). What a
// member lists comes from its hooks (BaseStadia::Listing, ListingLines,
// ListingSettings).
#include <string>
#include <utility>
#include <vector>

#include "report/report_writer.h"
#include "sheets/listing_page.h"
#include "sheets/stadia/base_stadia.h"

namespace kestrel {

// Writes `lines` as a new RTF report at `path` and opens it when written.
inline void WriteAndOpenReport(BaseStadia& sheet, const std::vector<std::string>& lines,
                               std::string path, bool landscape,
                               const ReportSettings& settings = {}) {
  WriteAndOpenReport(sheet.Context(), lines, std::move(path), landscape, settings);
}

// Command 28: for every CHK row whose point has an STN row above it, the
// nearest such station's coordinates less the check shot's, written to
// "<job folder>CheckReport.rtf" (portrait, a new file) and opened. Returns 0.
int WriteCheckShotReport(BaseStadia& sheet);

// Command 12. With a page: the member's title and, one line lower, its file
// label with the sheet's path; returns 0. Without a page: empties the
// sheet's line list and returns -1.
int PrintListingHeader(BaseStadia& sheet, PageCanvas* canvas);

// Command 13. With a page: the rows of `range` (clipped to the sheet), one
// text line apart below the header. Without a page: every row is listed into
// the member's listing file, which is opened. Returns 0.
int ListRows(BaseStadia& sheet, PageCanvas* canvas, const RowRange& range);

}  // namespace kestrel
