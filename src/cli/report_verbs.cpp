// reduce, list, check, landxml, strings, points and job: the sheet's
// reduction, its reports and exports, and the program's main job that does
// them all for one sheet.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_errors.h"
#include "cli/sheet_printing.h"
#include "cli/verbs.h"
#include "job/path_parts.h"
#include "platform/file_access.h"
#include "platform/printf_format.h"
#include "report/csv_field.h"
#include "sheets/command_codes.h"

namespace kestrel::cli {

namespace {

struct ReduceOptions {
  std::string file;
  bool save = false;
  bool noErrorReport = false;
  // The geoid toolbar: the "Geoid Correction" check box and the "Vertical
  // Adj" box.
  bool geoid = false;
  std::optional<double> verticalAdjustment;
  bool quiet = false;
};

// The report a precision calculation writes when grid corrections ran.
constexpr std::string_view kCorrectionsReportFile = "GeoidCorrections.rtf";

struct ReportOptions {
  std::string file;
  bool reduce = false;
  bool coords = false;
  bool corrected = false;
  std::string output;
};

struct JobOptions {
  std::string file;
  bool save = false;
  std::string xml;
};

// "Calculate Coordinates". The error report is written only when asked for,
// as printing does when it recalculates.
std::vector<std::string> Reduce(SheetSession& session, bool errorReport) {
  session.Require(kCmdCalculate, "reduction");
  session.app.errorReport = errorReport;
  session.Sheet().Command(kCmdCalculate);
  session.app.errorReport = true;
  return session.MessageLines();
}

// The coordinate columns shown or hidden, where the kind has them; asking
// for them on a kind without them is refused.
void ShowCoordinates(SheetSession& session, bool show) {
  if (show) session.Require(kCmdShowCoordinates, "coordinate columns");
  if (session.Has(kCmdShowCoordinates)) {
    session.Sheet().Command(kCmdShowCoordinates, std::int64_t{show ? 1 : 0});
  }
}

// The file the last command wrote and asked to have opened. When there is
// none the sheet's messages say why, or the command wrote nothing.
std::string TakeOpenedFile(SheetSession& session, const char* what) {
  if (session.shell.opened.empty()) {
    session.FinishMessages();
    throw Refusal(std::string("no ") + what + " was written");
  }
  std::string path = session.shell.opened.back();
  session.shell.opened.clear();
  return path;
}

void PrintLine(const std::string& line) { WriteRaw(stdout, line + "\n"); }

// Print to File: the header command without a page empties the line list,
// then the listing of every row goes to the job's listing file.
std::string WriteListing(SheetSession& session, bool corrected) {
  CUGDataSource& sheet = session.Sheet();
  sheet.Command(kCmdPrintHeader);
  sheet.Command(kCmdPrintRows, CommandArg{}, RowRange{0, sheet.RowCount(), corrected ? 1 : 0});
  return TakeOpenedFile(session, "listing");
}

// The LandXML file goes where the save-file dialog would have been told.
void WriteLandXml(SheetSession& session, const std::string& path) {
  session.Require(kCmdLandXml, "LandXML export");
  session.dialogs.saveFileName = path;
  session.Sheet().Command(kCmdLandXml);
  if (!session.messages.Shown("xml output file ")) {
    session.FinishMessages();
    throw Refusal("no LandXML file was written");
  }
}

// The rows and, for kinds that count them, the set-ups and points computed.
void PrintSummary(SheetSession& session, int rows) {
  PrintLine(Sprintf("rows: %d", rows));
  if (!session.Kind().counts) return;
  const SheetCounts counts = session.Kind().counts(session.Sheet());
  PrintLine(Sprintf("set-ups: %d", counts.setups));
  PrintLine(Sprintf("points computed: %d", counts.pointsComputed));
}

void RunReduce(const GlobalOptions& global, const ReduceOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdCalculate, "reduction");
  if ((options.geoid || options.verticalAdjustment) && !session.Kind().readsGeoidBar) {
    throw Refusal("this sheet kind has no geoid corrections or vertical adjustment");
  }
  session.app.geoidCorrection = options.geoid;
  session.app.verticalAdjustment = options.verticalAdjustment.value_or(0.0);
  ShowCoordinates(session, session.Has(kCmdShowCoordinates));
  const std::vector<std::string> lines = Reduce(session, !options.noErrorReport);
  if (options.save) session.Save(session.Path());
  if (options.quiet) {
    PrintSummary(session, sheet.RowCount());
  } else {
    PrintSheet(sheet, stdout);
  }
  // One line per message: a line break inside one is printed as \n.
  for (std::string line : lines) {
    for (std::size_t at = 0; (at = line.find('\n', at)) != std::string::npos; at += 2) {
      line.replace(at, 1, "\\n");
    }
    WriteText(stdout, "message: " + line + "\n");
  }
  for (const std::string& path : session.shell.opened) {
    const bool corrections = std::string_view(path).ends_with(kCorrectionsReportFile);
    PrintLine((corrections ? "corrections report: " : "error report: ") + path);
  }
  session.shell.opened.clear();
  session.Finish();
}

void RunList(const GlobalOptions& global, const ReportOptions& options) {
  SheetSession session(global);
  session.Open(options.file);
  session.Require(kCmdPrintRows, "listing");
  if (options.reduce) Reduce(session, false);
  ShowCoordinates(session, options.coords);
  PrintLine(WriteListing(session, options.corrected));
  session.Finish();
}

void RunCheck(const GlobalOptions& global, const ReportOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdCheckReport, "check shot report");
  if (options.reduce) Reduce(session, false);
  sheet.Command(kCmdCheckReport);
  PrintLine(TakeOpenedFile(session, "check shot report"));
  session.Finish();
}

void RunLandXml(const GlobalOptions& global, const ReportOptions& options) {
  SheetSession session(global);
  session.Open(options.file);
  session.Require(kCmdLandXml, "LandXML export");
  if (options.reduce) Reduce(session, false);
  WriteLandXml(session, options.output);
  PrintLine(options.output);
  session.Finish();
}

// The host's line ends become the terminal's.
std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

void RunStrings(const GlobalOptions& global, const ReportOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdObservationStrings, "observation strings");
  std::string text;
  sheet.Command(kCmdObservationStrings, &text);
  // The sheet shows the same text in a message box; here it is the output.
  session.messages.Consume(text);
  WriteText(stdout, WithoutCarriageReturns(text));
  session.Finish();
}

void RunPoints(const GlobalOptions& global, const ReportOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdFirstPoint, "point records");
  if (options.reduce) Reduce(session, false);
  WriteRaw(stdout, "number,easting,northing,height,code,comment\n");
  PointRecord record;
  // Each record comes from a row after the last one, so there are at most
  // as many as rows; the bound keeps a faulty sheet from looping.
  int result = sheet.Command(kCmdFirstPoint, &record);
  for (int handed = 0; result != -1 && handed <= sheet.RowCount(); ++handed) {
    WriteText(stdout, Sprintf("%d,%.3f,%.3f,%.3f,", record.point, record.east, record.north,
                              static_cast<double>(record.height)) +
                          CsvField(record.code) + "," + CsvField(record.description) + "\n");
    record = PointRecord{};
    result = sheet.Command(kCmdNextPoint, &record);
  }
  session.Finish();
}

// The LandXML file of the job verb: in the job folder, named after the sheet
// file with the job name, as the other reports are ("stad1.tst" ->
// "stad1_tst.xml").
std::string DefaultXmlPath(const SheetSession& session) {
  const PathParts parts = SplitPath(session.Path());
  return session.app.job.NativeFolder() + parts.title + "_" + session.app.job.job + ".xml";
}

// The job verb does the reduction and each report the kind has.
void RunJob(const GlobalOptions& global, const JobOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdCalculate, "reduction");
  ShowCoordinates(session, session.Has(kCmdShowCoordinates));
  const std::vector<std::string> lines = Reduce(session, true);
  std::vector<std::string> errorReports;
  errorReports.swap(session.shell.opened);
  const int rows = sheet.RowCount();

  std::vector<std::string> written;
  if (session.Has(kCmdPrintRows)) written.push_back("listing: " + WriteListing(session, false));
  if (session.Has(kCmdCheckReport)) {
    sheet.Command(kCmdCheckReport);
    written.push_back("check shot report: " + TakeOpenedFile(session, "check shot report"));
  }
  if (session.Has(kCmdLandXml)) {
    const std::string xml = options.xml.empty() ? DefaultXmlPath(session) : options.xml;
    WriteLandXml(session, xml);
    written.push_back("LandXML file: " + xml);
  }
  if (options.save) session.Save(session.Path());

  PrintLine("sheet: " + session.Path());
  PrintSummary(session, rows);
  PrintLine(Sprintf("messages: %d", static_cast<int>(lines.size())));
  for (const std::string& line : lines) WriteText(stdout, "  " + line + "\n");
  for (const std::string& path : errorReports) PrintLine("error report: " + path);
  for (const std::string& line : written) PrintLine(line);
  if (options.save) PrintLine("saved: " + session.Path());
  session.Finish();
}

void AddReduceOption(CLI::App& command, ReportOptions& options) {
  command.add_flag("--reduce", options.reduce,
                   "reduce the sheet first (in memory, without the error report)");
}

constexpr const char* kSavedNote =
    "Without --reduce the sheet's coordinates are those saved in the file.\n";

}  // namespace

void AddReportVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs) {
  {
    auto options = std::make_shared<ReduceOptions>();
    CLI::App* reduce = app.add_subcommand("reduce", "Calculate Coordinates and print the result");
    reduce->add_option("FILE", options->file, "the sheet file")->required();
    reduce->add_flag("--save", options->save, "write the reduced sheet back to FILE");
    reduce->add_flag("--no-error-report", options->noErrorReport, "do not write the error report");
    reduce->add_flag("--geoid", options->geoid,
                     "precision stadia: apply the grid corrections (the Geoid Correction box)");
    reduce
        ->add_option("--vertical-adjustment", options->verticalAdjustment,
                     "precision stadia: the Vertical Adj box, seconds per km of slope distance "
                     "written as minutes and seconds (130 is 1'30\")")
        ->type_name("SECONDS_PER_KM");
    reduce->add_flag("-q,--quiet", options->quiet,
                     "print a summary (rows, set-ups, points computed) instead of the sheet");
    reduce->footer(
        "Prints the sheet as show --coords does (or, with --quiet, only the\n"
        "summary lines of the job verb), then each of the reduction's\n"
        "messages as \"message: TEXT\" and, when the error report was written,\n"
        "\"error report: PATH\"; with --geoid, \"corrections report: PATH\" for the\n"
        "grid corrections. The projection parameters are those of geodetic show.\n"
        "Messages do not change the exit status.\n");
    verbs.push_back({reduce, [&global, options] { RunReduce(global, *options); }});
  }
  {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* list = app.add_subcommand("list", "Write the RTF listing and print its path");
    list->add_option("FILE", options->file, "the sheet file")->required();
    list->add_flag("--coords", options->coords, "list with the coordinate columns");
    list->add_flag("--corrected", options->corrected, "show corrected bearing and distance");
    AddReduceOption(*list, *options);
    list->footer(kSavedNote);
    verbs.push_back({list, [&global, options] { RunList(global, *options); }});
  }
  {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* check = app.add_subcommand("check", "Write the check shot report and print its path");
    check->add_option("FILE", options->file, "the sheet file")->required();
    AddReduceOption(*check, *options);
    check->footer(kSavedNote);
    verbs.push_back({check, [&global, options] { RunCheck(global, *options); }});
  }
  {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* landxml = app.add_subcommand("landxml", "Write the LandXML survey file");
    landxml->add_option("FILE", options->file, "the sheet file")->required();
    landxml->add_option("-o,--output", options->output, "the file to write")
        ->type_name("OUT")
        ->required();
    AddReduceOption(*landxml, *options);
    verbs.push_back({landxml, [&global, options] { RunLandXml(global, *options); }});
  }
  {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* strings =
        app.add_subcommand("strings", "Print the observation strings sent to the host");
    strings->add_option("FILE", options->file, "the sheet file")->required();
    verbs.push_back({strings, [&global, options] { RunStrings(global, *options); }});
  }
  {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* points =
        app.add_subcommand("points", "Print the points uploaded to the host, as CSV");
    points->add_option("FILE", options->file, "the sheet file")->required();
    AddReduceOption(*points, *options);
    points->footer(
        "One line per upload record, after the header line\n"
        "number,easting,northing,height,code,comment. Texts holding a comma or a\n"
        "quote are quoted.\n" +
        std::string(kSavedNote));
    verbs.push_back({points, [&global, options] { RunPoints(global, *options); }});
  }
  {
    auto options = std::make_shared<JobOptions>();
    CLI::App* job = app.add_subcommand(
        "job", "Reduce the sheet and write its listing, check shot report and LandXML file");
    job->add_option("FILE", options->file, "the sheet file")->required();
    job->add_flag("--save", options->save, "write the reduced sheet back to FILE");
    job->add_option("--xml", options->xml, "the LandXML file (default: in the job folder)")
        ->type_name("OUT");
    job->footer(
        "Reduces the sheet (writing the error report when there are messages),\n"
        "writes the listing with the coordinate columns, the check shot report\n"
        "and the LandXML file, named after the sheet file and the job\n"
        "(stad1.tst -> stad1_tst.xml), all into the job folder. The sheet file is\n"
        "left as it is unless --save. Prints a summary: rows, set-ups, points\n"
        "computed, the reduction's messages and where each file is.\n");
    verbs.push_back({job, [&global, options] { RunJob(global, *options); }});
  }
}

}  // namespace kestrel::cli
