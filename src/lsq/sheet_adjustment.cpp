#include "lsq/sheet_adjustment.h"

#include <cstdio>

#include "report/report_writer.h"

namespace kestrel {

LsParmReading JobLeastSquaresSettings(const JobLocation& job) {
  return ReadLsParm(job.ReportPath(kLsParmName));
}

void RecalculateForAdjustment(PrecisionStadia& sheet) { CalculatePrecisionStadia(sheet); }

LeastSquaresResult AdjustPrecisionSheet(PrecisionStadia& sheet,
                                        const LeastSquaresSettings& settings,
                                        const std::function<void()>& tick) {
  const ApplicationState& app = sheet.Context().app;
  std::remove(app.job.ReportPath(kOldOutputName).c_str());
  LeastSquaresOptions options;
  options.settings = settings;
  options.geoidCorrection = app.geoidCorrection;
  options.verticalAdjustment = app.verticalAdjustment;
  options.tick = tick;
  return RunLeastSquares(sheet.Rows(), options);
}

std::string LeastSquaresRtf(const std::vector<std::string>& lines) {
  ReportSettings settings;
  settings.fontSize = kLeastSquaresFontSize;
  return RtfDocument(settings, lines, false);
}

std::string WriteLeastSquaresReport(const JobLocation& job, Messages& messages,
                                    const std::vector<std::string>& lines) {
  CReportWriter writer(messages);
  writer.settings.fontSize = kLeastSquaresFontSize;
  std::string path = job.FolderPath(kLeastSquaresReportName);
  if (!writer.WriteReport(lines, path, true, false, false)) return {};
  return path;
}

}  // namespace kestrel
