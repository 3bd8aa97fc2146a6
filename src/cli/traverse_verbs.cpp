// adjust and misclose: a traverse's adjustments and its misclose summary.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_errors.h"
#include "cli/sheet_printing.h"
#include "cli/verbs.h"
#include "platform/text_encoding.h"
#include "sheets/command_codes.h"

namespace kestrel::cli {

namespace {

struct AdjustOptions {
  std::string file;
  std::vector<std::string> methods;
  bool heights = false;
  std::string report;
  bool corrected = false;
  bool save = false;
};

struct MiscloseOptions {
  std::string file;
};

// Each method's command, as the menu sends it.
const std::map<std::string, int>& MethodCommands() {
  static const std::map<std::string, int> commands{
      {"calc", kCmdCalculate},  {"angular", kCmdAngularClose}, {"bowditch", kCmdBowditch},
      {"compass", kCmdCompass}, {"transit", kCmdTransit},      {"crandall", kCmdCrandall}};
  return commands;
}

// The misclose summary (command 6) as "misclose: " lines.
void PrintMisclose(SheetSession& session) {
  session.Require(kCmdMisclose, "misclose");
  std::string angle;
  std::string lines;
  session.Sheet().Command(kCmdMisclose, &angle, &lines);
  WriteRaw(stdout, Cp1252ToUtf8(lines));
}

void RunAdjust(const GlobalOptions& global, const AdjustOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdCalculate, "reduction");
  session.Require(kCmdMisclose, "misclose");
  for (const std::string& method : options.methods) {
    session.Require(MethodCommands().at(method), method + " adjustment");
  }
  if (options.heights) {
    session.Require(kCmdHeightAdjust, "height adjustment");
    sheet.Command(kCmdHeightAdjust);
  }
  sheet.Command(kCmdCalculate);
  bool adjusted = false;
  for (const std::string& method : options.methods) {
    const int code = MethodCommands().at(method);
    sheet.Command(code);
    adjusted = adjusted || code == kCmdBowditch || code == kCmdCompass || code == kCmdTransit ||
               code == kCmdCrandall;
  }
  if (adjusted) {
    session.Require(kCmdAdjustmentReport, "adjustment report");
    const bool csv = options.report == "csv";
    sheet.Command(kCmdAdjustmentReport, std::int64_t{csv ? 1 : 0},
                  std::int64_t{options.corrected ? 1 : 0});
  }
  if (options.save) session.Save(session.Path());
  sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  PrintSheet(sheet, stdout);
  PrintMisclose(session);
  session.Finish();
}

void RunMisclose(const GlobalOptions& global, const MiscloseOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdCalculate, "reduction");
  session.Require(kCmdMisclose, "misclose");
  sheet.Command(kCmdCalculate);
  PrintMisclose(session);
  session.Finish();
}

}  // namespace

void AddTraverseVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs) {
  {
    auto options = std::make_shared<AdjustOptions>();
    CLI::App* adjust = app.add_subcommand(
        "adjust", "Calculate a traverse, adjust it by each method in turn and print it");
    adjust->add_option("FILE", options->file, "the traverse sheet file")->required();
    adjust->add_option("--method", options->methods, "an adjustment, in the order given")
        ->check(CLI::IsMember({"calc", "angular", "bowditch", "compass", "transit", "crandall"}))
        ->type_name("calc|angular|bowditch|compass|transit|crandall")
        ->expected(1)
        ->take_all()
        ->required();
    adjust->add_flag("--heights", options->heights, "adjust the heights as well");
    adjust->add_option("--report", options->report, "the adjustment report's form")
        ->check(CLI::IsMember({"rtf", "csv"}))
        ->type_name("rtf|csv")
        ->default_str("rtf");
    adjust->add_flag("--corrected", options->corrected,
                     "the report shows the corrected bearings and distances");
    adjust->add_flag("--save", options->save, "write the sheet back to FILE");
    adjust->footer(
        "The adjustment report goes into the job folder when an adjustment ran. The sheet\n"
        "is then printed as show --coords prints it, and the misclose as lines beginning\n"
        "\"misclose: \".");
    verbs.push_back({adjust, [&global, options] { RunAdjust(global, *options); }});
  }
  {
    auto options = std::make_shared<MiscloseOptions>();
    CLI::App* misclose = app.add_subcommand(
        "misclose", "Print a traverse's misclose after Calculate Coordinates, without adjusting");
    misclose->add_option("FILE", options->file, "the traverse sheet file")->required();
    verbs.push_back({misclose, [&global, options] { RunMisclose(global, *options); }});
  }
}

}  // namespace kestrel::cli
