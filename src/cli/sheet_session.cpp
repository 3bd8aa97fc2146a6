#include "cli/sheet_session.h"

#include "cli/cli_errors.h"
#include "job/choose_sheet.h"
#include "platform/file_access.h"
#include "sheets/builtin_sheet_kinds.h"

namespace kestrel::cli {

namespace {

// The kind's name in messages ("Traverse"), without the dialog's padding.
std::string KindName(SheetType type) {
  std::string name = SheetTypeInfoOf(type).radioText;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

// How a kind's files are named, for messages: "stadN.JOB", "JOB.precisionstadiaN".
std::string NameForm(const SheetTypeInfo& info) {
  if (info.form == SheetNameForm::JobFirst) return std::string("JOB.") + info.Stem() + "N";
  return std::string(info.Stem()) + "N.JOB";
}

// "stadia sheets are named stadN.JOB", for every kind this program carries.
std::string NamingHint(const SheetKindRegistry& registry) {
  std::string hint;
  for (const SheetKind* kind : registry.Kinds()) {
    if (!hint.empty()) hint += ", ";
    hint += std::string(kind->Info().keyword) + " sheets are named " + NameForm(kind->Info());
  }
  return hint;
}

}  // namespace

std::optional<SheetType> SheetKindOfFile(const std::string& path) {
  const std::optional<SheetNameMatch> match = RecognizeSheetFile(path);
  return match ? std::optional(match->type) : std::nullopt;
}

SheetSession::SheetSession(const GlobalOptions& options)
    : progress(options.progress),
      units(options.bearingMode, options.distanceUnit),
      context{app, messages, progress, clipboard, shell, dialogs, units, chooser} {
  messages.answerYes = options.answerYes;
  force_ = options.force;
  dialogs.number = options.number;
  RegisterBuiltinSheetKinds(registry_);
}

SheetSession::~SheetSession() {
  PrintOpenedFiles();
  messages.Flush(stderr);
}

void SheetSession::PrintOpenedFiles() {
  for (const std::string& path : shell.opened) WriteRaw(stderr, "open: " + path + "\n");
  shell.opened.clear();
}

void SheetSession::Finish() {
  PrintOpenedFiles();
  FinishMessages();
}

CUGDataSource& SheetSession::Open(const std::string& path) {
  const std::optional<SheetType> type = SheetKindOfFile(path);
  if (!type) {
    throw UsageError("cannot tell the sheet kind from the file name " + path + " (" +
                     NamingHint(registry_) + ")");
  }
  kind_ = registry_.Find(*type);
  if (kind_ == nullptr) {
    throw Refusal(KindName(*type) + " sheets are not supported by kestrel-cli yet");
  }
  ApplySheetChoice(app, SheetChoice{*type, path});
  path_ = path;
  sheet_ = kind_->make(context);
  const std::string native = NativePath(path);
  if (!FileExists(native)) throw Refusal("cannot open " + path + ": no such file");
  // Taken before reading: a change while the file is read counts as a change.
  readStamp_ = StampOf(native);
  if (sheet_->LoadFromFile(native) == 0) {
    throw Refusal("cannot open " + path + " (unreadable, or in use by another program)");
  }
  // As after the program's start-up: from here on entries count.
  app.startupComplete = true;
  return *sheet_;
}

void SheetSession::Require(int code, const std::string& what) const {
  if (!Has(code)) throw Refusal("this sheet kind has no " + what);
}

void SheetSession::CheckOutputName(const std::string& path) const {
  const std::optional<SheetType> type = SheetKindOfFile(path);
  if (type == kind_->type || (kind_->savesAs && kind_->savesAs(path))) return;
  const std::string expected = std::string(kind_->Info().keyword) + " sheet (" +
                               kind_->Info().keyword + " sheets are named " +
                               NameForm(kind_->Info()) + ")";
  if (!type) {
    throw UsageError("--output " + path + " names no sheet file; expected a " + expected);
  }
  throw UsageError("--output " + path + " names a " + SheetTypeInfoOf(*type).keyword +
                   " sheet; expected a " + expected);
}

std::vector<std::string> SheetSession::MessageLines() {
  return kind_->messageLines ? kind_->messageLines(*sheet_) : std::vector<std::string>{};
}

void SheetSession::Save(const std::string& path) {
  const std::string native = NativePath(path);
  const bool readFile = FollowLinks(native) == FollowLinks(NativePath(path_));
  if (readFile && !force_ && StampOf(native) != readStamp_) {
    throw Refusal(path +
                  " was changed by another program since it was read; not saved over it "
                  "(--force saves anyway)");
  }
  sheet_->SaveToFile(native);
  if (readFile) readStamp_ = StampOf(native);
  if (messages.Refused()) {
    FinishMessages();  // the sheet's own words say why
  }
}

void SheetSession::FinishMessages() {
  const bool refused = messages.Refused();
  messages.Flush(stderr);
  if (refused) throw CliError(kExitRefused, std::string());
}

}  // namespace kestrel::cli
