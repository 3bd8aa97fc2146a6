// The Command codes the Stadia sheet carries out itself; the rest are the
// family's (base_stadia.cpp).
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_clipboard.h"
#include "sheets/stadia/stadia_exports.h"
#include "sheets/stadia/stadia_landxml.h"
#include "sheets/stadia/stadia_reports.h"

namespace kestrel {

namespace {

// Only the Stadia sheet's own table is handed a Stadia.
Stadia& AsStadia(BaseStadia& sheet) { return static_cast<Stadia&>(sheet); }

}  // namespace

std::span<const BaseStadia::Handler> Stadia::OwnCommands() {
  using Arg = const CommandArg&;
  static constexpr Handler kTable[] = {
      {kCmdCalculate, [](BaseStadia& s, Arg, Arg) { return CalculateStadia(AsStadia(s)); }},
      {kCmdPrintHeader, [](BaseStadia& s, Arg p1,
                           Arg) { return PrintListingHeader(s, ArgAs<PageCanvas*>(p1, nullptr)); }},
      {kCmdPrintRows,
       [](BaseStadia& s, Arg p1, Arg p2) {
         return ListRows(s, ArgAs<PageCanvas*>(p1, nullptr), ArgAs<RowRange>(p2));
       }},
      {kCmdCodeTable, ReplaceCodeCommand},  // one pair of the code replacement table
      {kCmdCheckReport, [](BaseStadia& s, Arg, Arg) { return WriteCheckShotReport(s); }},
      {kCmdAppendSheet, [](BaseStadia& s, Arg, Arg) { return LoadChosenSheet(s); }},
      {kCmdCopy,
       [](BaseStadia& s, Arg p1, Arg) { return CopyRowsToClipboard(s, ArgAs<SelectedRows>(p1)); }},
      // A cut leaves the rows in the sheet.
      {kCmdCut,
       [](BaseStadia& s, Arg p1, Arg) { return CopyRowsToClipboard(s, ArgAs<SelectedRows>(p1)); }},
      {kCmdPaste, [](BaseStadia& s, Arg p1,
                     Arg) { return PasteRowsFromClipboard(s, ClampToInt(ArgInt(p1, -1))); }},
      {kCmdLandXml, [](BaseStadia& s, Arg, Arg) { return ExportLandXml(AsStadia(s)); }},
      {kCmdObservationStrings,
       [](BaseStadia& s, Arg p1, Arg) {
         return AppendObservationStrings(AsStadia(s), ArgAs<std::string*>(p1, nullptr));
       }},
  };
  return kTable;
}

}  // namespace kestrel
