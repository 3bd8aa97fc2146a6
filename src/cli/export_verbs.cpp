// export and plot: the sheet's reduced points as a CSV or DXF file for other
// survey and CAD programs, and the plan view drawn as SVG.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_errors.h"
#include "cli/verbs.h"
#include "exports/point_csv.h"
#include "exports/point_dxf.h"
#include "plan/plan_svg.h"
#include "platform/file_access.h"
#include "sheets/command_codes.h"

namespace kestrel::cli {

namespace {

enum class ExportFormat { Csv, Dxf };

struct ExportOptions {
  std::string file;
  ExportFormat format = ExportFormat::Csv;
  std::optional<CsvOrder> order;
  bool header = false;
  bool reduce = false;
  std::string output;
};

// The plan the kind registers, else its point records; a refusal when it
// has neither or no point is reduced. With `reduce`, Calculate Coordinates
// runs first, in memory and without the error report.
SheetPlan ReducedPoints(SheetSession& session, bool reduce) {
  if (reduce) {
    session.Require(kCmdCalculate, "reduction");
    session.app.errorReport = false;
    session.Sheet().Command(kCmdCalculate);
    session.app.errorReport = true;
  }
  SheetPlan plan;
  if (session.Kind().plan) {
    plan = session.Kind().plan(session.Sheet());
  } else {
    session.Require(kCmdFirstPoint, "reduced points");
    plan = PlanFromPointRecords(session.Sheet());
  }
  if (plan.points.empty()) {
    throw Refusal("the sheet has no reduced points (reduce it first); nothing was written");
  }
  return plan;
}

struct PlotOptions {
  std::string file;
  std::string output;
  bool labels = false;
  bool reduce = false;
  double width = 1000.0, height = 800.0;  // pixels
};

void WriteOutput(const std::string& path, const std::string& bytes) {
  std::string reason;
  if (!WriteFileAtomically(path, bytes, &reason)) {
    throw Refusal("cannot write " + path + ": " + reason);
  }
  WriteRaw(stdout, path + "\n");
}

void RunPlot(const GlobalOptions& global, const PlotOptions& options) {
  if (!options.output.ends_with(".svg")) {
    throw UsageError("the plan is drawn as SVG: name an OUT.svg");
  }
  SheetSession session(global);
  session.Open(options.file);
  const PlanView view(ReducedPoints(session, options.reduce), options.width, options.height);
  WriteOutput(options.output, PlanSvg(view, options.labels));
  session.Finish();
}

void RunExport(const GlobalOptions& global, const ExportOptions& options) {
  if (options.format == ExportFormat::Dxf && (options.order || options.header)) {
    throw UsageError("--order and --header are for --format csv");
  }
  SheetSession session(global);
  session.Open(options.file);
  const SheetPlan plan = ReducedPoints(session, options.reduce);
  const std::string bytes =
      options.format == ExportFormat::Csv
          ? PointCsv(plan, options.order.value_or(CsvOrder::Pnezd), options.header)
          : PointDxf(plan);
  WriteOutput(options.output, bytes);
  session.Finish();
}

constexpr const char* kReduceHelp = "reduce the sheet first (in memory, without the error report)";

}  // namespace

void AddExportVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* command =
      app.add_subcommand("export", "Write the sheet's reduced points as a CSV or DXF file");
  command->add_option("FILE", options->file, "the sheet file")->required();
  const std::map<std::string, ExportFormat> formats{{"csv", ExportFormat::Csv},
                                                    {"dxf", ExportFormat::Dxf}};
  command->add_option("--format", options->format, "the file's form")
      ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case).description(""))
      ->type_name("csv|dxf")
      ->required();
  const std::map<std::string, CsvOrder> orders{{"PNEZD", CsvOrder::Pnezd},
                                               {"PENZD", CsvOrder::Penzd}};
  command->add_option("--order", options->order, "csv: northing first (PNEZD) or easting first")
      ->transform(CLI::CheckedTransformer(orders, CLI::ignore_case).description(""))
      ->type_name("PNEZD|PENZD")
      ->default_str("PNEZD");
  command->add_flag("--header", options->header, "csv: a first line naming the columns");
  command->add_flag("--reduce", options->reduce, kReduceHelp);
  command->add_option("-o,--output", options->output, "the file to write")
      ->type_name("OUT")
      ->required();
  command->footer(
      "The points are those the sheet's last reduction gave, as saved in FILE,\n"
      "unless --reduce. csv: number, the coordinates in the order chosen,\n"
      "height (empty when none) and code, one CR LF ended line per point. dxf:\n"
      "an R12 drawing, every point with its label \"number code\" on a layer\n"
      "named after its code, the set-ups' rays and the traverse legs as lines on\n"
      "layers SETUP_RAYS and TRAVERSE_LEGS. Prints the path of the file written.\n");
  verbs.push_back({command, [&global, options] { RunExport(global, *options); }});

  auto plot = std::make_shared<PlotOptions>();
  CLI::App* plotCommand = app.add_subcommand("plot", "Draw the sheet's plan as an SVG picture");
  plotCommand->add_option("FILE", plot->file, "the sheet file")->required();
  plotCommand->add_option("-o,--output", plot->output, "the picture to write")
      ->type_name("OUT.svg")
      ->required();
  plotCommand->add_flag("--labels", plot->labels, "label the points with number and code");
  plotCommand->add_flag("--reduce", plot->reduce, kReduceHelp);
  plotCommand->add_option("--width", plot->width, "the picture's width in pixels")
      ->check(CLI::Range(50.0, 100000.0))
      ->default_str("1000");
  plotCommand->add_option("--height", plot->height, "the picture's height in pixels")
      ->check(CLI::Range(50.0, 100000.0))
      ->default_str("800");
  plotCommand->footer(
      "The reduced points as export takes them (--reduce too), north up, zoomed to all: stations\n"
      "as triangles, other points as dots, rays grey, traverse legs red, with a\n"
      "north arrow and a scale bar. Labels that would overlap are left out.\n"
      "Prints the path of the picture written.\n");
  verbs.push_back({plotCommand, [&global, plot] { RunPlot(global, *plot); }});
}

}  // namespace kestrel::cli
