#include "sheets/listing_page.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace kestrel {

namespace {

// Positions on the printed page, in twips (y grows upwards).
constexpr int kTitleX = 3000;
constexpr int kTitleY = -750;
constexpr int kRowX = 360;
constexpr int kRowsTopY = -1440;

}  // namespace

void DrawListingHeader(PageCanvas& canvas, const char* title, const std::string& fileLabel,
                       const std::string& documentPath, const char* columnLine) {
  const int line = canvas.LineHeight();
  canvas.DrawText(kTitleX, kTitleY, title);
  canvas.DrawText(kTitleX, kTitleY - line, fileLabel + Utf8ToCp1252(documentPath));
  if (columnLine != nullptr) canvas.DrawText(kRowX, kTitleY - 2 * line, columnLine);
}

void DrawListingLines(PageCanvas& canvas, const std::vector<std::string>& lines) {
  int y = kRowsTopY;
  for (const std::string& line : lines) {
    y -= canvas.LineHeight();
    canvas.DrawText(kRowX, y, line);
  }
}

LineRange ClipToListing(const RowRange& range, int count) {
  const int first = std::clamp(range.first, 0, count);
  return {first, std::clamp(range.end, first, count)};
}

void WriteAndOpenReport(SheetContext& ctx, const std::vector<std::string>& lines, std::string path,
                        bool landscape, const ReportSettings& settings) {
  CReportWriter writer(ctx.messages);
  writer.settings = settings;
  if (writer.WriteReport(lines, path, true, landscape, false) == 1) ctx.shell.OpenFile(path);
}

}  // namespace kestrel
