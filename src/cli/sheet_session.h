#pragma once
// One run of a verb on one sheet file: the application state and the ports a
// sheet is made with, and the sheet itself once the file is opened.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_ports.h"
#include "job/application_state.h"
#include "platform/file_access.h"
#include "platform/recording_ports.h"
#include "sheets/sheet_context.h"
#include "sheets/sheet_kind_registry.h"

namespace kestrel::cli {

// The options every verb takes.
struct GlobalOptions {
  int bearingMode = 0;   // AngleMode: whole circle
  int distanceUnit = 0;  // DistanceUnit: metres
  bool progress = false;
  bool answerYes = false;
  // Save over a sheet file even when another program changed it since it was
  // read.
  bool force = false;
  std::optional<int> number;  // the answer to a number question
};

// The sheet kind a file name stands for (RecognizeSheetFile).
std::optional<SheetType> SheetKindOfFile(const std::string& path);

class SheetSession {
 public:
  explicit SheetSession(const GlobalOptions& options);
  // Prints what the sheet still had to say when a verb ends early.
  ~SheetSession();
  SheetSession(const SheetSession&) = delete;
  SheetSession& operator=(const SheetSession&) = delete;

  // Opens a sheet file as "Open Existing" does: the kind from the file name,
  // the job's drive, folder and name from the path, then the rows. Throws
  // CliError when the name is not a sheet's (usage), the kind is not one this
  // program carries or the file cannot be read (refusal).
  CUGDataSource& Open(const std::string& path);
  // Writes the sheet; throws a refusal when the sheet could not save, or when
  // `path` is the file the sheet was read from and another program changed it
  // since (unless --force).
  void Save(const std::string& path);

  CUGDataSource& Sheet() { return *sheet_; }
  const SheetKind& Kind() const { return *kind_; }
  // The file named on the command line.
  const std::string& Path() const { return path_; }

  // True when the open sheet carries out the Command code.
  bool Has(int code) const { return kind_->Implements(code); }
  // Throws a refusal, "this sheet kind has no WHAT", unless the open sheet
  // carries out the Command code.
  void Require(int code, const std::string& what) const;
  // Throws a usage error unless `path` is a file name of the open sheet's
  // kind, so that a sheet is never written under a name that later verbs
  // would read as another kind or as none.
  void CheckOutputName(const std::string& path) const;
  // The message lines the sheet's last reduction left.
  std::vector<std::string> MessageLines();

  // Throws a refusal when the sheet showed a message that was not a "...
  // created" notice. Messages are printed to standard error either way.
  void FinishMessages();
  // The end of a verb: the paths the sheet asked to have opened that the verb
  // did not print itself go to standard error as "open: PATH", then the
  // messages as FinishMessages.
  void Finish();

  ApplicationState app;
  TerminalMessages messages;
  TerminalProgress progress;
  TerminalClipboard clipboard;
  ListingShell shell;
  OptionDialogs dialogs;
  FixedUnitSelectors units;
  CancellingChooser chooser;
  SheetContext context;

 private:
  void PrintOpenedFiles();

  SheetKindRegistry registry_;
  const SheetKind* kind_ = nullptr;
  std::unique_ptr<CUGDataSource> sheet_;
  std::string path_;
  // The opened file as it was read, so that a save can tell whether another
  // program changed it since.
  std::optional<FileStamp> readStamp_;
  bool force_ = false;
};

}  // namespace kestrel::cli
