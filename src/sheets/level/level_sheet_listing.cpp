// The level sheet listing and its page.
#include "sheets/level/level_sheet_listing.h"

#include <algorithm>

#include "platform/printf_format.h"
#include "platform/text_encoding.h"
#include "report/report_writer.h"
#include "sheets/level/level_sheet.h"
#include "survey/distances.h"

namespace kestrel {

namespace {

constexpr const char* kListingPattern = "%s%sLevelSheetListing_%s.rtf";
constexpr const char* kColumnLine = "    Point      Chainage        Offset         Rl      Code";

// Positions on the printed page, in twips (y grows upwards).
constexpr int kTitleX = 3000;
constexpr int kTitleY = -750;
constexpr int kRowX = 360;
constexpr int kRowsTopY = -1440;

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
  const int line = canvas->LineHeight();
  canvas->DrawText(kTitleX, kTitleY, "Level Sheet Report");
  canvas->DrawText(kTitleX, kTitleY - line,
                   "Level Sheet File :" + Utf8ToCp1252(sheet.DocumentPath()));
  canvas->DrawText(kRowX, kTitleY - 2 * line, kColumnLine);
  return 0;
}

int ListLevelSheetRows(LevelSheet& sheet, PageCanvas* canvas, const RowRange& range) {
  const std::vector<LevelSheetRow>& rows = sheet.Rows();
  const int unit = sheet.Context().units.DistanceUnit();
  if (canvas != nullptr) {
    const int count = static_cast<int>(rows.size());
    const int first = std::clamp(range.first, 0, count);
    const int end = std::clamp(range.end, first, count);
    int y = kRowsTopY;
    for (int r = first; r < end; ++r) {
      const auto line = LevelSheetRowLine(rows[static_cast<std::size_t>(r)], unit);
      if (!line) continue;
      y -= canvas->LineHeight();
      canvas->DrawText(kRowX, y, *line);
    }
    return 0;
  }

  std::vector<std::string>& lines = sheet.ReportLines();
  for (const LevelSheetRow& row : rows) {
    if (auto line = LevelSheetRowLine(row, unit)) lines.push_back(std::move(*line));
  }
  SheetContext& ctx = sheet.Context();
  CReportWriter writer(ctx.messages);
  std::string path = ctx.app.job.ReportPath(kListingPattern);
  if (writer.WriteReport(lines, path, true, false, false) == 1) ctx.shell.OpenFile(path);
  return 0;
}

}  // namespace kestrel
