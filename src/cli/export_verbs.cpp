// export: the sheet's reduced points as a CSV or DXF file for other survey
// and CAD programs.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_errors.h"
#include "cli/verbs.h"
#include "exports/point_csv.h"
#include "exports/point_dxf.h"
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
  std::string output;
};

// The plan the kind registers, else its point records; a refusal when it
// has neither or no point is reduced.
SheetPlan ReducedPoints(SheetSession& session) {
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

void RunExport(const GlobalOptions& global, const ExportOptions& options) {
  if (options.format == ExportFormat::Dxf && (options.order || options.header)) {
    throw UsageError("--order and --header are for --format csv");
  }
  SheetSession session(global);
  session.Open(options.file);
  const SheetPlan plan = ReducedPoints(session);
  const std::string bytes =
      options.format == ExportFormat::Csv
          ? PointCsv(plan, options.order.value_or(CsvOrder::Pnezd), options.header)
          : PointDxf(plan);
  std::string reason;
  if (!WriteFileAtomically(options.output, bytes, &reason)) {
    throw Refusal("cannot write " + options.output + ": " + reason);
  }
  WriteRaw(stdout, options.output + "\n");
  session.Finish();
}

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
  command->add_option("-o,--output", options->output, "the file to write")
      ->type_name("OUT")
      ->required();
  command->footer(
      "The points are those the sheet's last reduction gave, as saved in FILE\n"
      "(reduce --save first). csv: number, the coordinates in the order chosen,\n"
      "height (empty when none) and code, one CR LF ended line per point. dxf:\n"
      "an R12 drawing, every point with its label \"number code\" on a layer\n"
      "named after its code, the set-ups' rays and the traverse legs as lines on\n"
      "layers SETUP_RAYS and TRAVERSE_LEGS. Prints the path of the file written.\n");
  verbs.push_back({command, [&global, options] { RunExport(global, *options); }});
}

}  // namespace kestrel::cli
