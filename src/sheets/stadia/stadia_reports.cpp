// The check shot report and the listing frame of the radiation sheets.
#include "sheets/stadia/stadia_reports.h"

#include "job/job_location.h"
#include "platform/ports.h"

namespace kestrel {

namespace {

constexpr const char* kCheckReportPattern = "%s%sCheckReport.rtf";

std::vector<std::string> CheckReportHeading() {
  return {"CHECK SHOT REPORT", "", "                                      East    North    Height",
          ""};
}

}  // namespace

int WriteCheckShotReport(BaseStadia& sheet) {
  std::vector<std::string> lines = CheckReportHeading();
  for (std::string& line : sheet.CheckShotLines()) lines.push_back(std::move(line));
  WriteAndOpenReport(sheet.Context(), lines,
                     sheet.Context().app.job.FolderPath(kCheckReportPattern), false);
  return 0;
}

int PrintListingHeader(BaseStadia& sheet, PageCanvas* canvas) {
  if (canvas == nullptr) {
    sheet.MessageLines().clear();
    return -1;
  }
  const BaseStadia::ListingForm form = sheet.Listing();
  DrawListingHeader(*canvas, form.title, form.fileLabel, sheet.DocumentPath());
  return 0;
}

int ListRows(BaseStadia& sheet, PageCanvas* canvas, const RowRange& range) {
  const bool corrected = range.corrected != 0;
  if (canvas != nullptr) {
    DrawListingLines(*canvas, sheet.ListingLines(range.first, range.end, corrected));
    return 0;
  }

  // Written while the lines are made: a long sheet's listing is larger than
  // its rows.
  bool landscape = false;
  const ReportSettings settings = sheet.ListingSettings(corrected, landscape);
  SheetContext& ctx = sheet.Context();
  CReportWriter writer(ctx.messages);
  writer.settings = settings;
  std::string path = ctx.app.job.ReportPath(sheet.Listing().filePattern);
  const ReportSource source = [&sheet, corrected](ReportLines& out) {
    sheet.ListLines(0, sheet.RowCount(), corrected, out);
  };
  if (writer.WriteReportFrom(source, path, true, landscape, false) == 1) ctx.shell.OpenFile(path);
  return 0;
}

}  // namespace kestrel
