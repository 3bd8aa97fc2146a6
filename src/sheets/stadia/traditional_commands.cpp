// The Traditional Stadia sheet's command table and the commands that work on
// its rows.
#include "sheets/stadia/traditional_commands.h"

#include <algorithm>
#include <limits>

#include "platform/ports.h"
#include "report/report_writer.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/traditional.h"

namespace kestrel {

namespace {

int ToRow(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

using Handler = SheetCommand<Traditional>;

constexpr Handler kTable[] = {
    {kCmdSetDefaultType, [](Traditional& s, const CommandArg& p1,
                            const CommandArg&) { return s.SetDefaultType(ArgInt(p1, -1)); }},
    {kCmdReenterCell,
     [](Traditional& s, const CommandArg& p1, const CommandArg& p2) {
       return s.ReenterCell(ToRow(ArgInt(p1)), ToRow(ArgInt(p2)));
     }},
    {kCmdApplyDefaultType,
     [](Traditional& s, const CommandArg& p1, const CommandArg& p2) {
       return s.ApplyDefaultType(ArgInt(p1, -1), ArgInt(p2, -1));
     }},
    {kCmdCalculate,
     [](Traditional& s, const CommandArg&, const CommandArg&) { return s.Calculate(); }},
    {kCmdShowCoordinates, [](Traditional& s, const CommandArg& p1,
                             const CommandArg&) { return s.SetShowCoordinates(ArgInt(p1) != 0); }},
    {kCmdPrintHeader,
     [](Traditional& s, const CommandArg& p1, const CommandArg&) {
       return s.PrintHeader(ArgAs<PageCanvas*>(p1, nullptr));
     }},
    {kCmdPrintRows,
     [](Traditional& s, const CommandArg& p1, const CommandArg& p2) {
       return s.PrintRows(ArgAs<PageCanvas*>(p1, nullptr), ArgAs<RowRange>(p2));
     }},
    {kCmdFindPoint, [](Traditional& s, const CommandArg& p1,
                       const CommandArg&) { return s.FindPoint(ArgInt(p1, -1)); }},
    {kCmdFindSetup, [](Traditional& s, const CommandArg& p1,
                       const CommandArg&) { return s.FindSetup(ArgInt(p1)); }},
    {kCmdFindCode, [](Traditional& s, const CommandArg& p1,
                      const CommandArg& p2) { return s.FindCode(ArgInt(p1), p2); }},
    {kCmdReplaceCode, [](Traditional& s, const CommandArg& p1,
                         const CommandArg& p2) { return s.ReplaceCode(p1, p2); }},
    {kCmdCycleType, [](Traditional& s, const CommandArg& p1,
                       const CommandArg& p2) { return s.CycleType(ArgInt(p1, -1), p2); }},
    {kCmdCodeTable, [](Traditional& s, const CommandArg& p1,
                       const CommandArg& p2) { return s.SetTolerance(p1, p2); }},
    {kCmdCopy,
     [](Traditional& s, const CommandArg&, const CommandArg&) { return s.NoClipboard("Copy"); }},
    {kCmdCut,
     [](Traditional& s, const CommandArg&, const CommandArg&) { return s.NoClipboard("Cut"); }},
    {kCmdPaste,
     [](Traditional& s, const CommandArg&, const CommandArg&) { return s.NoClipboard("Paste"); }},
};

}  // namespace

std::span<const SheetCommand<Traditional>> TraditionalCommands() { return kTable; }

int Traditional::Command(int code, const CommandArg& p1, const CommandArg& p2) {
  return DispatchCommand(TraditionalCommands(), *this, code, p1, p2);
}

int Traditional::SetDefaultType(std::int64_t type) {
  if (type >= 0 && type < kTradRowTypeCount) defaultType_ = static_cast<int>(type);
  return 0;
}

int Traditional::ReenterCell(int column, int row) {
  if (column == 0 || row <= 0 || !RowInside(row)) return 0;
  CellValue scratch;
  CellText(column, row, scratch);
  ParseCell(column, row, scratch);
  return 0;
}

int Traditional::ApplyDefaultType(std::int64_t column, std::int64_t row) {
  if (column == 0 && row >= 0 && row < RowCount()) {
    TraditionalRow& target = rows_[static_cast<std::size_t>(row)];
    target.type = static_cast<std::int8_t>(defaultType_);
    SanitizeTraditionalRow(target);
  }
  return 0;
}

// The messages become the sheet's message lines and, while the error-report
// switch is on, a report that is opened at once: a long field book can raise
// hundreds of them, too many for one box each.
int Traditional::Calculate() {
  messageLines_ = ReduceTraditional(rows_, offsets_);
  if (!ctx_.app.errorReport || messageLines_.empty()) return 0;
  std::string path = ctx_.app.job.ReportPath("%s%straditionalerrors_%s.rtf");
  CReportWriter writer(ctx_.messages);
  if (writer.WriteReport(messageLines_, path, true, false, false) == 1) ctx_.shell.OpenFile(path);
  return 0;
}

int Traditional::SetShowCoordinates(bool show) {
  showCoordinates_ = show;
  return 0;
}

int Traditional::FindPoint(std::int64_t number) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const TraditionalRow& row = rows_[i];
    if (row.type != kTradFnote && row.point != kTradNoPoint && row.point == number) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int Traditional::FindSetup(std::int64_t start) const {
  for (auto i = static_cast<std::size_t>(std::max<std::int64_t>(start, 0)); i < rows_.size(); ++i) {
    if (rows_[i].type == kTradAtBs) return static_cast<int>(i);
  }
  return -1;
}

int Traditional::FindCode(std::int64_t start, const CommandArg& code) const {
  const auto* wanted = std::get_if<std::string>(&code);
  if (wanted == nullptr) return -1;
  for (auto i = static_cast<std::size_t>(std::max<std::int64_t>(start, 0)); i < rows_.size(); ++i) {
    if (rows_[i].code == *wanted) return static_cast<int>(i);
  }
  return -1;
}

int Traditional::ReplaceCode(const CommandArg& oldCode, const CommandArg& newCode) {
  const auto* from = std::get_if<std::string>(&oldCode);
  const auto* to = std::get_if<std::string>(&newCode);
  if (from == nullptr || to == nullptr) return 0;
  for (TraditionalRow& row : rows_) {
    if (row.code == *from) row.code = *to;
  }
  return 0;
}

int Traditional::CycleType(std::int64_t row, const CommandArg& key) {
  if (row < 0 || row >= RowCount()) return 1;
  char pressed = ' ';
  if (const auto* code = std::get_if<std::int64_t>(&key)) pressed = static_cast<char>(*code);
  if (const auto* text = std::get_if<std::string>(&key)) pressed = text->empty() ? ' ' : (*text)[0];
  TraditionalRow& target = rows_[static_cast<std::size_t>(row)];
  const int type = ((target.type % kTradRowTypeCount) + kTradRowTypeCount) % kTradRowTypeCount;
  if (pressed == ' ' || pressed == '+') {
    target.type = static_cast<std::int8_t>((type + 1) % kTradRowTypeCount);
  } else if (pressed == '-') {
    target.type = static_cast<std::int8_t>((type + kTradRowTypeCount - 1) % kTradRowTypeCount);
  } else {
    return 1;
  }
  SanitizeTraditionalRow(target);
  return 0;
}

int Traditional::SetTolerance(const CommandArg& p1, const CommandArg& p2) {
  if (std::holds_alternative<std::string>(p1)) return ReplaceCode(p1, p2);
  if (const auto* thousandths = std::get_if<std::int64_t>(&p1)) {
    tolerance_ = static_cast<double>(*thousandths) / 1000.0;
  }
  return 0;
}

int Traditional::NoClipboard(const char* what) {
  ctx_.messages.Show(what);
  return 0;
}

}  // namespace kestrel
