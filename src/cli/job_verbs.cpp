// new and path: making a sheet file as the table selection dialog's "New"
// does, and what the host's command line opens.
#include <memory>
#include <string>

#include "cli/cli_errors.h"
#include "cli/verbs.h"
#include "job/choose_sheet.h"
#include "job/host_command_line.h"
#include "job/new_sheet_file.h"
#include "job/path_parts.h"
#include "job/table_selection.h"

namespace kestrel::cli {

namespace {

struct NewOptions {
  std::string type;
  int number = 1;
  std::string job;
};

struct PathOptions {
  std::string commandLine;
  std::string recent;
};

// "FOLDER/JOB": the job folder followed by the job name, in native or
// Windows form ("/home/me/jobs/tst", "c:\data\tst").
JobLocation JobFromPath(const std::string& path) {
  const PathParts parts = SplitPath(path);
  JobLocation job;
  job.drive = parts.drive;
  job.folder = parts.folder;
  job.job = FileNameOf(path);
  if (job.job.empty()) {
    throw UsageError("--job " + path + ": expected the job folder followed by the job name");
  }
  return job;
}

void RunNew(const GlobalOptions& global, const NewOptions& options) {
  const std::optional<SheetType> type = SheetTypeFromKeyword(options.type);
  if (!type) {
    throw UsageError("unknown sheet type " + options.type + " (" + SheetKeywordList() + ")");
  }
  SheetSession session(global);
  const std::string path = SheetFileName(*type, JobFromPath(options.job), options.number);
  PrepareNewSheetFile(path, session.messages);
  session.FinishMessages();
  WriteRaw(stdout, NativePath(path) + "\n");
}

void RunPath(const GlobalOptions& global, const PathOptions& options) {
  SheetSession session(global);
  const HostCommandLine commandLine = ApplyHostCommandLine(options.commandLine, session.app);
  std::string path = commandLine.path;
  if (ChooseSheet(session.app, path, commandLine.NumberForChooser(), options.recent,
                  session.chooser) == 1) {
    WriteRaw(stdout, "open\t" + NativePath(path) + "\n");
    return;
  }
  const CancellingChooser::Offer& offer = *session.chooser.offered;
  WriteRaw(stdout, std::string("dialog\t") + SheetTypeInfoOf(offer.type).keyword + "\t" +
                       NativePath(InitialSheetPath(offer.job, offer.type, offer.number)) + "\n");
}

}  // namespace

void AddJobVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs) {
  {
    auto options = std::make_shared<NewOptions>();
    CLI::App* make = app.add_subcommand("new", "Make a new sheet file and print its path");
    make->add_option("TYPE", options->type, SheetKeywordList())->required();
    make->add_option("NUMBER", options->number, "the sheet number")
        ->required()
        ->check(CLI::Range(kMinSheetNumber, kMaxSheetNumber));
    make->add_option("--job", options->job, "the job folder and the job name: /path/to/folder/tst")
        ->type_name("PATH")
        ->required();
    make->footer(
        "As the \"New\" button does: a file that exists and is not empty is left\n"
        "as it is; otherwise it is made holding the five bytes \"empty\", which\n"
        "reads as a sheet without rows. The path printed is the native one.\n");
    verbs.push_back({make, [&global, options] { RunNew(global, *options); }});
  }
  {
    auto options = std::make_shared<PathOptions>();
    CLI::App* path =
        app.add_subcommand("path", "Print what the host's command line opens at start-up");
    path->add_option("COMMANDLINE", options->commandLine,
                     "the host's argument: type,drive,folder,job[,a,b[,number]]");
    path->add_option("--recent", options->recent, "the first entry of the recent-file list")
        ->type_name("FILE");
    path->footer(
        "Prints \"open<TAB>PATH\" when the command line names the sheet, or\n"
        "\"dialog<TAB>TYPE<TAB>PATH\" when the Field Table Selection dialog would\n"
        "be shown, with the type and path it would offer. Paths are native.\n");
    verbs.push_back({path, [&global, options] { RunPath(global, *options); }});
  }
}

}  // namespace kestrel::cli
