// lsq: the least squares adjustment of a Precision Stadia sheet, as the
// desktop's "Least Squares Adjustment" command and its dialog run it.
#include <memory>
#include <string>

#include "cli/cli_errors.h"
#include "cli/sheet_printing.h"
#include "cli/verbs.h"
#include "lsq/sheet_adjustment.h"
#include "sheets/command_codes.h"

namespace kestrel::cli {

namespace {

struct LsqOptions {
  std::string file;
  std::string mode;  // empty: the job's ls_parm decides
  bool save = false;
};

int ModeNamed(const std::string& name) {
  if (name == "horizontal") return kLsHorizontal;
  if (name == "vertical") return kLsVertical;
  return kLsBoth;
}

// A message on one line: line breaks and the bell as \n and \a.
void PrintMessage(std::string text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\a') {
      out += "\\a";
    } else {
      out += c;
    }
  }
  WriteText(stdout, "message: " + out + "\n");
}

void RunLsq(const GlobalOptions& global, const LsqOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  auto* precision = dynamic_cast<PrecisionStadia*>(&sheet);
  if (!precision) throw Refusal("this sheet kind has no least squares adjustment");
  const LsParmReading parameters = JobLeastSquaresSettings(session.app.job);
  LeastSquaresSettings settings = parameters.settings;
  if (!options.mode.empty()) settings.mode = ModeNamed(options.mode);

  session.app.errorReport = false;
  RecalculateForAdjustment(*precision);
  session.app.errorReport = true;
  const LeastSquaresResult result = AdjustPrecisionSheet(*precision, settings);
  WriteBackAdjusted(precision->Rows(), result);
  std::string report;
  if (result.computed) {
    report = WriteLeastSquaresReport(session.app.job, session.messages, result.report);
  }
  if (options.save && result.adjusted) session.Save(session.Path());

  sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  PrintSheet(sheet, stdout);
  if (!parameters.message.empty()) PrintMessage(parameters.message);
  for (const std::string& message : result.messages) PrintMessage(message);
  if (!report.empty()) WriteText(stdout, "report: " + report + "\n");
  session.Finish();
  if (!result.adjusted) throw Refusal("nothing was adjusted");
}

}  // namespace

void AddLsqVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs) {
  auto options = std::make_shared<LsqOptions>();
  CLI::App* lsq = app.add_subcommand(
      "lsq", "Least squares adjustment of a precision stadia sheet against its stations");
  lsq->add_option("FILE", options->file, "the precision stadia sheet file")->required();
  lsq->add_option("--mode", options->mode,
                  "horizontal, vertical or both (overrides the job's ls_parm file)")
      ->check(CLI::IsMember({"horizontal", "vertical", "both"}));
  lsq->add_flag("--save", options->save, "save the adjusted sheet (only when it adjusted)");
  lsq->footer(
      "Reads the job's ls_parm file (or takes 2mm + 3 ppm, 5 seconds, horizontal and\n"
      "vertical), recalculates the sheet, adjusts it, writes LeastSquaresReport.rtf\n"
      "into the job folder, prints the sheet as show --coords does, each message as\n"
      "\"message: TEXT\" and \"report: PATH\". The exit status is 1 when nothing was\n"
      "adjusted.\n");
  verbs.push_back({lsq, [&global, options] { RunLsq(global, *options); }});
}

}  // namespace kestrel::cli
