// The family base: shared state, the family's Command table, cell texts, and
// the reports, clipboard text and listing frame every member shares.
#include "sheets/stadia/base_stadia.h"

#include <algorithm>
#include <limits>

#include "job/choose_sheet.h"
#include "job/job_location.h"
#include "platform/fixed_text.h"
#include "sheets/command_codes.h"
#include "sheets/row_sheet.h"
#include "sheets/stadia/stadia_clipboard.h"
#include "sheets/stadia/stadia_reports.h"
#include "sheets/stadia/stadia_row.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/empty_value.h"

namespace kestrel {

namespace {

// The key given to type cycling: a character code or a one-character text;
// none counts as a blank.
char CycleKey(const CommandArg& key) {
  if (const auto* code = std::get_if<std::int64_t>(&key)) return static_cast<char>(*code);
  if (const auto* text = std::get_if<std::string>(&key)) return text->empty() ? ' ' : (*text)[0];
  return ' ';
}

}  // namespace

BaseStadia::BaseStadia(SheetContext& context) : ctx_(context) {}

BaseStadia::~BaseStadia() = default;

bool BaseStadia::EntryFlag(int column) const {
  if (column < 0 || column >= static_cast<int>(entryFlags_.size())) return false;
  return entryFlags_[static_cast<std::size_t>(column)];
}

void BaseStadia::SetAllEntryFlags(bool value) {
  entryFlags_.assign(static_cast<std::size_t>(Columns().entryColumns), value);
}

void BaseStadia::SetEntryFlag(int column) {
  if (entryFlags_.empty()) SetAllEntryFlags(false);
  if (column >= 0 && column < static_cast<int>(entryFlags_.size())) {
    entryFlags_[static_cast<std::size_t>(column)] = true;
  }
}

int BaseStadia::ColumnCount() {
  return showCoordinates_ ? Columns().entryColumns : Columns().hiddenColumns;
}

int BaseStadia::ColumnKind(int column, int& kind) {
  kind = EntryColumnKind(column, 5);
  return 0;
}

std::string_view BaseStadia::TypeKeyword(int type) const {
  const std::span<const std::string_view> keywords = Columns().keywords;
  if (type < 0 || type >= static_cast<int>(keywords.size())) return {};
  return keywords[static_cast<std::size_t>(type)];
}

bool BaseStadia::IsShot(int type) const {
  return type > kStadiaFnote && type < static_cast<int>(Columns().keywords.size());
}

std::string BaseStadia::HorizontalAngleText(double packedDms) const {
  if (IsEmptyValue(packedDms)) return {};
  const int mode = ctx_.units.BearingMode();
  if (mode == kGrads) return FormatGradsCellText(packedDms);
  std::string text = FormatDmsText(packedDms);
  if (mode == kQuadrant) QuadrantBearingText(text);
  return text;
}

std::string BaseStadia::VerticalAngleText(double packedDms) const {
  if (IsEmptyValue(packedDms)) return {};
  if (ctx_.units.BearingMode() == kGrads) return FormatGradsCellText(packedDms);
  return FormatDmsText(packedDms);
}

std::string BaseStadia::DistanceText(double value) const {
  if (IsEmptyValue(value)) return {};
  std::string text = FixedText(value, 8, 3);
  FormatDistanceText(text, value, ctx_.units.DistanceUnit());
  return text;
}

void BaseStadia::InsertHostPoints(std::int64_t row, const std::vector<PointRecord>& points) {
  for (const PointRecord& point : points) InsertHostPoint(row, point);
}

void BaseStadia::ListLines(int first, int end, bool corrected, ReportLines& out) {
  for (const std::string& line : ListingLines(first, end, corrected)) out.Add(line);
}

// --- Commands ----------------------------------------------------------------

std::span<const BaseStadia::Handler> BaseStadia::FamilyCommands() {
  using Arg = const CommandArg&;
  static constexpr Handler kTable[] = {
      {kCmdSetDefaultType,
       [](BaseStadia& s, Arg p1, Arg) {
         const std::int64_t type = ArgInt(p1, -1);
         if (type >= 0 && type < static_cast<std::int64_t>(s.Columns().keywords.size())) {
           s.defaultType_ = static_cast<int>(type);
         }
         return 0;
       }},
      {kCmdReenterCell,
       [](BaseStadia& s, Arg p1, Arg p2) {
         return s.ReenterCell(ClampToInt(ArgInt(p1)), ClampToInt(ArgInt(p2)));
       }},
      {kCmdApplyDefaultType,
       [](BaseStadia& s, Arg p1, Arg p2) {
         if (ArgInt(p1, -1) == 0) s.ApplyDefaultType(ClampToInt(ArgInt(p2, -1)));
         return 0;
       }},
      {kCmdShowCoordinates,
       [](BaseStadia& s, Arg p1, Arg) {
         s.showCoordinates_ = ArgInt(p1) != 0;
         return 0;
       }},
      {kCmdFirstPoint,
       [](BaseStadia& s, Arg p1, Arg) {
         return s.NextUploadRecord(ArgAs<PointRecord*>(p1, nullptr), true);
       }},
      {kCmdNextPoint,
       [](BaseStadia& s, Arg p1, Arg) {
         return s.NextUploadRecord(ArgAs<PointRecord*>(p1, nullptr), false);
       }},
      {kCmdFindPoint, [](BaseStadia& s, Arg p1, Arg) { return s.FindPoint(ArgInt(p1, -1)); }},
      {kCmdFindSetup, [](BaseStadia& s, Arg p1, Arg) { return s.FindSetup(ArgInt(p1)); }},
      {kCmdFindCode,
       [](BaseStadia& s, Arg p1, Arg p2) {
         const auto* code = std::get_if<std::string>(&p2);
         return code == nullptr ? -1 : s.FindCode(ArgInt(p1), *code);
       }},
      {kCmdReplaceCode, ReplaceCodeCommand},
      {kCmdCollectMissing,
       [](BaseStadia& s, Arg, Arg) {
         s.missingPoints_.clear();
         s.nextMissing_ = 0;
         s.CollectMissingPoints();
         return static_cast<int>(s.missingPoints_.size());
       }},
      {kCmdNextMissing, [](BaseStadia& s, Arg p1,
                           Arg) { return s.NextMissingPoint(ArgAs<std::uint32_t*>(p1, nullptr)); }},
      {kCmdInsertHostPoint,
       [](BaseStadia& s, Arg p1, Arg p2) {
         if (const auto* batch = ArgAs<const std::vector<PointRecord>*>(p2, nullptr)) {
           s.InsertHostPoints(ArgInt(p1), *batch);
           return 0;
         }
         const PointRecord* point = ArgAs<const PointRecord*>(p2, nullptr);
         if (point == nullptr) point = ArgAs<PointRecord*>(p2, nullptr);
         if (point != nullptr) s.InsertHostPoint(ArgInt(p1), *point);
         return 0;
       }},
      {kCmdCycleType,
       [](BaseStadia& s, Arg p1, Arg p2) { return s.CycleType(ArgInt(p1, -1), CycleKey(p2)); }},
      {kCmdRenumber,
       [](BaseStadia& s, Arg p1, Arg p2) {
         if (const auto* range = std::get_if<NumberRange>(&p1)) s.Renumber(*range, ArgInt(p2));
         return 0;
       }},
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
  };
  return kTable;
}

int BaseStadia::ReplaceCodeCommand(BaseStadia& sheet, const CommandArg& oldCode,
                                   const CommandArg& newCode) {
  const auto* from = std::get_if<std::string>(&oldCode);
  const auto* to = std::get_if<std::string>(&newCode);
  if (from != nullptr && to != nullptr) sheet.ReplaceCode(*from, *to);
  return 0;
}

int BaseStadia::Command(int code, const CommandArg& p1, const CommandArg& p2) {
  for (const std::span<const Handler> table : {MemberCommands(), FamilyCommands()}) {
    for (const Handler& handler : table) {
      if (handler.code != code) continue;
      return handler.run == nullptr ? 0 : handler.run(*this, p1, p2);
    }
  }
  return 0;
}

std::vector<int> BaseStadia::CommandCodesWith(std::span<const Handler> memberCommands) {
  const auto memberHas = [memberCommands](int code) {
    return std::ranges::any_of(memberCommands,
                               [code](const Handler& handler) { return handler.code == code; });
  };
  std::vector<int> codes;
  for (const Handler& handler : memberCommands) {
    if (handler.run != nullptr) codes.push_back(handler.code);
  }
  for (const Handler& handler : FamilyCommands()) {
    if (!memberHas(handler.code)) codes.push_back(handler.code);
  }
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  return codes;
}

// Parses what the cell shows, so that a suggestion on the last row is kept.
// Arriving in a cell of the last row passes over the cell before it, which
// counts as entered (pressing Enter on the new row's type keeps the type and
// brings up the next point number). A cell that shows nothing was not typed:
// it stays empty rather than reading as point 0 or a vertical sight.
int BaseStadia::ReenterCell(int column, int row) {
  if (column <= 0 || row <= 0 || row >= RowCount()) return 0;
  if (row == RowCount() - 1 && column <= Columns().entryColumns) SetEntryFlag(column - 1);
  CellValue scratch;
  CellText(column, row, scratch);
  if (scratch.text.find_first_not_of(" \t") == std::string::npos) return 0;
  ParseCell(column, row, scratch);
  return 0;
}

int BaseStadia::NextMissingPoint(std::uint32_t* number) {
  if (nextMissing_ >= missingPoints_.size()) {
    if (number) *number = 0;
    return -1;
  }
  if (number) *number = missingPoints_[nextMissing_];
  ++nextMissing_;
  return 1;
}

int LoadChosenSheet(BaseStadia& sheet) {
  SheetContext& ctx = sheet.Context();
  std::string path;
  if (ChooseSheet(ctx.app, path, kNoSheetNumber, std::string(), ctx.chooser) == 0) return 0;
  return sheet.LoadFromFile(NativePath(path));
}

}  // namespace kestrel
