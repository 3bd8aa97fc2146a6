#pragma once
// The level sheet's listing ("Level Sheet Report") and its printed page.
#include <optional>
#include <string>

#include "sheets/data_source.h"
#include "sheets/level/level_sheet_row.h"

namespace kestrel {

class LevelSheet;

// One row's line; nullopt for a point row without a chainage, which is not
// listed.
std::optional<std::string> LevelSheetRowLine(const LevelSheetRow& row, int distanceUnit);

// Command 12: the page heading, or with no page the report lines emptied (-1).
int PrintLevelSheetHeader(LevelSheet& sheet, PageCanvas* canvas);
// Command 13: the rows of `range` on the page, or with no page the whole
// listing written to the job's LevelSheetListing report file and opened.
int ListLevelSheetRows(LevelSheet& sheet, PageCanvas* canvas, const RowRange& range);

}  // namespace kestrel
