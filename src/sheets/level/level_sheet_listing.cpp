// The level sheet listing and its page.
#include "sheets/level/level_sheet_listing.h"

#include <algorithm>

#include "platform/printf_format.h"
#include "sheets/level/level_sheet.h"
#include "sheets/listing_page.h"
#include "survey/distances.h"

namespace kestrel {

namespace {

constexpr const char* kListingPattern = "%s%sLevelSheetListing_%s.rtf";
constexpr const char* kColumnLine = "    Point      Chainage        Offset         Rl      Code";

std::string Listed(double value, int unit) {
  std::string text = Sprintf("%14.3f", value);
  FormatDistanceText(text, value, unit);
  return text;
}

}  // namespace

std::optional<std::string> LevelSheetRowLine(const LevelSheetRow& row, int distanceUnit) {
  if (row.IsNote()) return Sprintf("Fnote  %s", row.note.c_str());
  const double chainage = row.Value(kSheetChainage);
  if (IsEmptyValue(chainage)) return std::nullopt;
  const double offset = IsEmptyValue(row.Value(kSheetOffset)) ? 0.0 : row.Value(kSheetOffset);
  const std::string chainageText = Listed(chainage, distanceUnit);
  const std::string offsetText = Listed(offset, distanceUnit);
  const double level = row.Value(kSheetRl);
  if (IsEmptyValue(level)) {
    return Sprintf("%8d%s%s          NULL%10s", row.point, chainageText.c_str(), offsetText.c_str(),
                   row.code.c_str());
  }
  return Sprintf("%8d%s%s%s%10s", row.point, chainageText.c_str(), offsetText.c_str(),
                 Listed(level, distanceUnit).c_str(), row.code.c_str());
}

int PrintLevelSheetHeader(LevelSheet& sheet, PageCanvas* canvas) {
  if (canvas == nullptr) {
    sheet.ReportLines().clear();
    return -1;
  }
  DrawListingHeader(*canvas, "Level Sheet Report", "Level Sheet File :", sheet.DocumentPath(),
                    kColumnLine);
  return 0;
}

int ListLevelSheetRows(LevelSheet& sheet, PageCanvas* canvas, const RowRange& range) {
  const std::vector<LevelSheetRow>& rows = sheet.Rows();
  const int unit = sheet.Context().units.DistanceUnit();
  if (canvas != nullptr) {
    const LineRange listed = ClipToListing(range, static_cast<int>(rows.size()));
    std::vector<std::string> lines;
    for (int r = listed.first; r < listed.end; ++r) {
      if (auto line = LevelSheetRowLine(rows[static_cast<std::size_t>(r)], unit)) {
        lines.push_back(std::move(*line));
      }
    }
    DrawListingLines(*canvas, lines);
    return 0;
  }

  std::vector<std::string>& lines = sheet.ReportLines();
  for (const LevelSheetRow& row : rows) {
    if (auto line = LevelSheetRowLine(row, unit)) lines.push_back(std::move(*line));
  }
  WriteAndOpenReport(sheet.Context(), lines, sheet.Context().app.job.ReportPath(kListingPattern),
                     false);
  return 0;
}

}  // namespace kestrel
