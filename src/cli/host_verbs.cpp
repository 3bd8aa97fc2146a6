// upload, duplicates, send-strings, getdb and codetable: the sheet's points
// and codes against the host's point database, through the sheet's Command
// codes so that every kind that carries them can use them.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_errors.h"
#include "cli/verbs.h"
#include "hostlink/code_table.h"
#include "hostlink/host_link_view.h"
#include "platform/printf_format.h"
#include "sheets/command_codes.h"

namespace kestrel::cli {

namespace {

struct UploadOptions {
  std::string file;
  std::string reconcile;
  std::string range;
};

struct HostOptions {
  std::string file;
  bool save = false;
  std::string table;
};

void PrintLine(const std::string& line) { WriteText(stdout, line + "\n"); }

// The reconciliation answered from the options. Without a choice an upload
// that meets existing points stops and lists them.
class OptionReconciler : public Reconciler {
 public:
  explicit OptionReconciler(const UploadOptions& options) : options_(options) {}

  bool Reconcile(ImportedPoints& points) override {
    if (options_.reconcile.empty()) {
      PrintLine("Existing points in database:");
      for (const PointListItem& item : points.ExistingItems()) PrintLine("  " + item.text);
      stopped = true;
      return false;
    }
    points.Choose(Choice());
    if (!options_.range.empty()) {
      points.SetRangeChecked(true);
      points.rangeFrom = rangeFrom;
      points.rangeTo = rangeTo;
      points.ApplyRange();
    }
    PrintLine("Points to be added to database:");
    for (const PointListItem& item : points.IncomingItems())
      PrintLine(std::string(item.inDatabase ? "  * " : "    ") + item.text);
    points.Accept();
    return true;
  }

  ReconcileChoice Choice() const {
    if (options_.reconcile == "shift-some") return ReconcileChoice::kAlterSome;
    if (options_.reconcile == "replace") return ReconcileChoice::kReplace;
    if (options_.reconcile == "replace-fields") return ReconcileChoice::kReplaceFields;
    return ReconcileChoice::kAlterAll;
  }

  bool stopped = false;
  std::int64_t rangeFrom = 0;
  std::int64_t rangeTo = 0;

 private:
  const UploadOptions& options_;
};

// "A-B", both whole numbers.
void ParseRange(const std::string& text, std::int64_t& from, std::int64_t& to) {
  long long a = 0, b = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%lld-%lld%c", &a, &b, &end) != 2 || a > b)
    throw UsageError("--range takes two point numbers, the lower first: A-B");
  from = a;
  to = b;
}

void RunUpload(const GlobalOptions& global, const UploadOptions& options) {
  OptionReconciler reconciler(options);
  if (!options.range.empty()) ParseRange(options.range, reconciler.rangeFrom, reconciler.rangeTo);
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdFirstPoint, "point records");
  HostLinkView view(sheet);
  const SheetType type = session.Kind().type;
  const bool calculateFirst = type != SheetType::Traverse && session.Has(kCmdCalculate);
  const UploadResult result =
      view.StoreDataInDatabase({session.messages, session.shell, reconciler}, session.app.job,
                               calculateFirst, type == SheetType::Stadia);
  for (const std::string& path : session.shell.opened) PrintLine("duplicate report: " + path);
  session.shell.opened.clear();
  if (reconciler.stopped) {
    session.Finish();
    throw Refusal(
        Sprintf("%d points are already in the database; choose --reconcile", result.existing));
  }
  if (result.status == UploadStatus::kDuplicatesCancelled) {
    session.Finish();
    throw Refusal("upload stopped at the duplicate points (--yes stores them)");
  }
  if (result.status == UploadStatus::kStored)
    PrintLine(Sprintf("sent %d points, %d stored, %d not to be stored", result.sent,
                      result.sent - result.marked, result.marked));
  session.Finish();
}

void RunDuplicates(const GlobalOptions& global, const HostOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdFirstPoint, "point records");
  HostLinkView view(sheet);
  const int conflicts = view.CheckForDuplicates(session.messages, session.shell, session.app.job);
  PrintLine(Sprintf("%d duplicate points with different coordinates", conflicts));
  for (const std::string& path : session.shell.opened) PrintLine("duplicate report: " + path);
  session.shell.opened.clear();
  session.Finish();
}

void RunSendStrings(const GlobalOptions& global, const HostOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdObservationStrings, "observation strings");
  HostLinkView view(sheet);
  const bool sent = view.StoreObservationsAsStrings(session.messages);
  // The sheet shows the text in a message box; here it is only sent.
  session.messages.Consume(view.lastStringList);
  if (sent)
    PrintLine(Sprintf("sent a string list of %d characters",
                      static_cast<int>(view.lastStringList.size())));
  session.Finish();
}

void RunGetDatabase(const GlobalOptions& global, const HostOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdCollectMissing, "points to find");
  session.Require(kCmdInsertHostPoint, "points from the host");
  HostLinkView view(sheet);
  const int applied = view.GetDatabase(session.messages);
  if (applied >= 0) {
    PrintLine(Sprintf("%d points from the database", applied));
    if (options.save) {
      session.Save(session.Path());
      PrintLine("saved: " + session.Path());
    }
  }
  session.Finish();
}

void RunCodeTable(const GlobalOptions& global, const HostOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdCodeTable, "code replacement table");
  const std::vector<CodeTableRow> rows = ReadCodeTable(options.table);
  for (const CodeTableRow& row : ReplacementOrder(rows))
    WriteText(stdout, row.code + " -> " + row.replacement + "\n");
  PrintLine(Sprintf("%d codes replaced", ApplyCodeTable(sheet, rows)));
  if (options.save) {
    session.Save(session.Path());
    PrintLine("saved: " + session.Path());
  }
  session.Finish();
}

constexpr const char* kHostNote =
    "The host is the first running gyre-host whose window title begins with \"GYRE \".\n";

}  // namespace

void AddHostVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs) {
  {
    auto options = std::make_shared<UploadOptions>();
    CLI::App* upload = app.add_subcommand("upload", "Store Data in Database");
    upload->add_option("FILE", options->file, "the sheet file")->required();
    upload
        ->add_option("--reconcile", options->reconcile,
                     "what to do with points already in the database")
        ->check(CLI::IsMember({"shift-all", "shift-some", "replace", "replace-fields"}));
    upload->add_option("--range", options->range, "import only the points A to B (A-B)");
    upload->footer(std::string(kHostNote) +
                   "shift-all: every incoming point follows the database's last point;\n"
                   "shift-some: only those already in the database; replace and\n"
                   "replace-fields: stored under their own numbers. Without --reconcile an\n"
                   "upload that meets existing points stops and lists them. Points equal to\n"
                   "their database point are never sent again.\n");
    verbs.push_back({upload, [&global, options] { RunUpload(global, *options); }});
  }
  {
    auto options = std::make_shared<HostOptions>();
    CLI::App* duplicates = app.add_subcommand("duplicates", "Check for Duplicates");
    duplicates->add_option("FILE", options->file, "the sheet file")->required();
    verbs.push_back({duplicates, [&global, options] { RunDuplicates(global, *options); }});
  }
  {
    auto options = std::make_shared<HostOptions>();
    CLI::App* strings = app.add_subcommand("send-strings", "Store Observations as Strings");
    strings->add_option("FILE", options->file, "the sheet file")->required();
    strings->footer(kHostNote);
    verbs.push_back({strings, [&global, options] { RunSendStrings(global, *options); }});
  }
  {
    auto options = std::make_shared<HostOptions>();
    CLI::App* getdb =
        app.add_subcommand("getdb", "Get Database: the missing set-up points from the host");
    getdb->add_option("FILE", options->file, "the sheet file")->required();
    getdb->add_flag("--save", options->save, "write the sheet back to FILE");
    getdb->footer(kHostNote);
    verbs.push_back({getdb, [&global, options] { RunGetDatabase(global, *options); }});
  }
  {
    auto options = std::make_shared<HostOptions>();
    CLI::App* codetable = app.add_subcommand("codetable", "Replace Code Table");
    codetable->add_option("FILE", options->file, "the sheet file")->required();
    codetable->add_option("--table", options->table, "the code table file (codenines)")->required();
    codetable->add_flag("--save", options->save, "write the sheet back to FILE");
    codetable->footer(
        "The table holds a code line and its replacement line per pair; longer codes\n"
        "are replaced first.\n");
    verbs.push_back({codetable, [&global, options] { RunCodeTable(global, *options); }});
  }
}

}  // namespace kestrel::cli
