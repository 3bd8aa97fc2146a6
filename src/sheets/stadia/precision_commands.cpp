// The Command codes the Precision Stadia sheet carries out itself, and its
// Calculate Coordinates; the rest are the family's (base_stadia.cpp).
#include "adjust/geoid_data.h"
#include "job/job_location.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/precision_stadia.h"
#include "sheets/stadia/stadia_reports.h"

namespace kestrel {

namespace {

constexpr const char* kCorrectionsReportName = "%s%sGeoidCorrections.rtf";
constexpr const char* kErrorReportName = "%s%sprecisionstadiaerrors_%s.rtf";

PrecisionStadia& AsPrecision(BaseStadia& sheet) { return static_cast<PrecisionStadia&>(sheet); }

}  // namespace

int CalculatePrecisionStadia(PrecisionStadia& sheet) {
  SheetContext& ctx = sheet.Context();
  PrecisionReductionOptions options;
  options.gridCorrections = ctx.app.geoidCorrection;
  options.verticalAdjustment = ctx.app.verticalAdjustment;
  std::string parametersMessage;
  if (options.gridCorrections) {
    CGeoidData parameters(sheet.GeoidDataPath());
    // The first calculation with grid corrections leaves the file for the
    // user to find and edit.
    parameters.CreateIfMissing();
    options.geoid = parameters.values;
    parametersMessage = parameters.ReadMessage();
  }
  PrecisionReductionResult result =
      ReducePrecisionStadia(sheet.Rows(), sheet.ReductionState(), options);
  std::vector<std::string>& messages = sheet.MessageLines();
  messages.clear();
  if (!parametersMessage.empty()) messages.push_back(parametersMessage);
  for (std::string& line : result.messages) messages.push_back(std::move(line));
  sheet.CorrectionsLog() = std::move(result.correctionsLog);

  const JobLocation& job = ctx.app.job;
  if (options.gridCorrections) {
    WriteAndOpenReport(sheet, sheet.CorrectionsLog(), job.FolderPath(kCorrectionsReportName),
                       false);
  }
  if (ctx.app.errorReport && !messages.empty()) {
    WriteAndOpenReport(sheet, messages, job.ReportPath(kErrorReportName), false);
  }
  return 0;
}

std::span<const BaseStadia::Handler> PrecisionStadia::OwnCommands() {
  using Arg = const CommandArg&;
  static constexpr Handler kTable[] = {
      {kCmdCalculate,
       [](BaseStadia& s, Arg, Arg) { return CalculatePrecisionStadia(AsPrecision(s)); }},
  };
  return kTable;
}

}  // namespace kestrel
