// The Command codes the Traditional Stadia sheet carries out itself; the rest
// are the family's (base_stadia.cpp).
#include "platform/ports.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia_reports.h"
#include "sheets/stadia/traditional.h"

namespace kestrel {

namespace {

// Only the sheet's own table is handed a Traditional.
Traditional& AsTraditional(BaseStadia& sheet) { return static_cast<Traditional&>(sheet); }

// The sheet has no clipboard rows: its copy, cut and paste only say which
// command was given.
constexpr char kCopy[] = "Copy";
constexpr char kCut[] = "Cut";
constexpr char kPaste[] = "Paste";
template <const char* kWhat>
int SayOnly(BaseStadia& sheet, const CommandArg&, const CommandArg&) {
  sheet.Context().messages.Show(kWhat);
  return 0;
}

// The tolerance dialog's value, in thousandths; a code table pair (two texts)
// replaces a code instead.
int SetTolerance(BaseStadia& sheet, const CommandArg& p1, const CommandArg& p2) {
  if (std::holds_alternative<std::string>(p1)) return BaseStadia::ReplaceCodeCommand(sheet, p1, p2);
  if (const auto* thousandths = std::get_if<std::int64_t>(&p1)) {
    AsTraditional(sheet).SetHairTolerance(static_cast<double>(*thousandths) / 1000.0);
  }
  return 0;
}

}  // namespace

std::span<const BaseStadia::Handler> Traditional::OwnCommands() {
  using Arg = const CommandArg&;
  static constexpr Handler kTable[] = {
      {kCmdCalculate, [](BaseStadia& s, Arg, Arg) { return AsTraditional(s).Calculate(); }},
      {kCmdCodeTable, SetTolerance},
      {kCmdSayCopy, SayOnly<kCopy>},
      {kCmdSayCut, SayOnly<kCut>},
      {kCmdSayPaste, SayOnly<kPaste>},
      // The program's Edit menu and kestrel-cli reach the sheet with these.
      {kCmdCopy, SayOnly<kCopy>},
      {kCmdCut, SayOnly<kCut>},
      {kCmdPaste, SayOnly<kPaste>},
      // A traditional book has no check shots and no sheet to append from.
      {kCmdCheckReport, nullptr},
      {kCmdAppendSheet, nullptr},
  };
  return kTable;
}

// The messages become the sheet's message lines and, while the error-report
// switch is on, a report that is opened at once: a long field book can raise
// hundreds of them, too many for one box each.
int Traditional::Calculate() {
  MessageLines() = ReduceTraditional(Rows(), offsets_);
  if (!Context().app.errorReport || MessageLines().empty()) return 0;
  WriteAndOpenReport(Context(), MessageLines(),
                     Context().app.job.ReportPath("%s%straditionalerrors_%s.rtf"), false);
  return 0;
}

}  // namespace kestrel
