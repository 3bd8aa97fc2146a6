#include "cli/sheet_session.h"

#include "cli/cli_errors.h"
#include "job/choose_sheet.h"
#include "job/path_parts.h"
#include "job/recent_sheet.h"
#include "platform/file_access.h"

namespace kestrel::cli {

namespace {

// The kind's name in messages ("Traverse"), without the dialog's padding.
std::string KindName(SheetType type) {
  std::string name = SheetTypeInfoOf(type).radioText;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
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

Stadia& SheetSession::Open(const std::string& path) {
  const std::optional<SheetType> kind = SheetKindOfFile(path);
  if (!kind) {
    throw UsageError("cannot tell the sheet kind from the file name " + path +
                     " (stadia sheets are named stadN.JOB)");
  }
  if (*kind != SheetType::Stadia) {
    throw Refusal(KindName(*kind) + " sheets are not supported by kestrel-cli yet");
  }
  ApplySheetChoice(app, SheetChoice{*kind, path});
  path_ = path;
  sheet_ = std::make_unique<Stadia>(context);
  const std::string native = NativePath(path);
  if (!FileExists(native)) throw Refusal("cannot open " + path + ": no such file");
  if (sheet_->LoadFromFile(native) == 0) {
    throw Refusal("cannot open " + path + " (unreadable, or in use by another program)");
  }
  return *sheet_;
}

void SheetSession::Save(const std::string& path) {
  sheet_->SaveToFile(NativePath(path));
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
