// The check shot report and the listing frame of the radiation sheets.
#include "sheets/stadia/stadia_reports.h"

#include "job/job_location.h"
#include "platform/ports.h"
#include "platform/text_encoding.h"

namespace kestrel {

namespace {

constexpr const char* kCheckReportPattern = "%s%sCheckReport.rtf";

// Positions on the printed page, in twips (y grows upwards).
constexpr int kTitleX = 3000;
constexpr int kTitleY = -750;
constexpr int kRowX = 360;
constexpr int kRowsTopY = -1440;

std::vector<std::string> CheckReportHeading() {
  return {"CHECK SHOT REPORT", "", "                                      East    North    Height",
          ""};
}

}  // namespace

void WriteAndOpenReport(BaseStadia& sheet, const std::vector<std::string>& lines, std::string path,
                        bool landscape, const ReportSettings& settings) {
  SheetContext& ctx = sheet.Context();
  CReportWriter writer(ctx.messages);
  writer.settings = settings;
  if (writer.WriteReport(lines, path, true, landscape, false) == 1) ctx.shell.OpenFile(path);
}

int WriteCheckShotReport(BaseStadia& sheet) {
  std::vector<std::string> lines = CheckReportHeading();
  for (std::string& line : sheet.CheckShotLines()) lines.push_back(std::move(line));
  WriteAndOpenReport(sheet, lines, sheet.Context().app.job.FolderPath(kCheckReportPattern), false);
  return 0;
}

int PrintListingHeader(BaseStadia& sheet, PageCanvas* canvas) {
  if (canvas == nullptr) {
    sheet.MessageLines().clear();
    return -1;
  }
  const BaseStadia::ListingForm form = sheet.Listing();
  canvas->DrawText(kTitleX, kTitleY, form.title);
  // The path is native; the page takes Windows-1252 text.
  canvas->DrawText(kTitleX, kTitleY - canvas->LineHeight(),
                   form.fileLabel + Utf8ToCp1252(sheet.DocumentPath()));
  return 0;
}

int ListRows(BaseStadia& sheet, PageCanvas* canvas, const RowRange& range) {
  const bool corrected = range.corrected != 0;
  if (canvas != nullptr) {
    int y = kRowsTopY;
    for (const std::string& line : sheet.ListingLines(range.first, range.end, corrected)) {
      y -= canvas->LineHeight();
      canvas->DrawText(kRowX, y, line);
    }
    return 0;
  }

  std::vector<std::string>& lines = sheet.MessageLines();
  for (std::string& line : sheet.ListingLines(0, sheet.RowCount(), corrected)) {
    lines.push_back(std::move(line));
  }
  bool landscape = false;
  const ReportSettings settings = sheet.ListingSettings(corrected, landscape);
  WriteAndOpenReport(sheet, lines, sheet.Context().app.job.ReportPath(sheet.Listing().filePattern),
                     landscape, settings);
  return 0;
}

}  // namespace kestrel
