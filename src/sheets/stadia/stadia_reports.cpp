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

  std::vector<std::string>& lines = sheet.MessageLines();
  for (std::string& line : sheet.ListingLines(0, sheet.RowCount(), corrected)) {
    lines.push_back(std::move(line));
  }
  bool landscape = false;
  const ReportSettings settings = sheet.ListingSettings(corrected, landscape);
  WriteAndOpenReport(sheet.Context(), lines,
                     sheet.Context().app.job.ReportPath(sheet.Listing().filePattern), landscape,
                     settings);
  return 0;
}

}  // namespace kestrel
