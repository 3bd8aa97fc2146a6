#include "cli/edit_operations.h"

#include <array>
#include <charconv>
#include <limits>
#include <vector>

#include "cli/cli_errors.h"
#include "cli/cli_ports.h"
#include "platform/printf_format.h"
#include "platform/text_encoding.h"
#include "sheets/command_codes.h"

namespace kestrel::cli {

namespace {

// How a code's arguments are written after it.
enum class ArgForm {
  None,
  Int,        // p1
  IntInt,     // p1, p2
  IntText,    // p1, p2 text
  TextText,   // p1 text, p2 text
  IntOptKey,  // p1, optional p2 key text
  Renumber,   // first and last number (p1), first new number (p2)
  Rows,       // one or more rows (p1)
};

struct CommandForm {
  int code;
  ArgForm form;
  const char* usage;
  const char* what;
  // The result is a row, a count or a yes/no worth printing even when 0.
  bool printResult;
};

constexpr std::array<CommandForm, 25> kCommandForms{{
    {kCmdSetDefaultType, ArgForm::Int, "1,TYPE", "default type of new rows (0 STN ... 6 CHK)",
     false},
    {kCmdReenterCell, ArgForm::IntInt, "2,COL,ROW",
     "re-enter a cell: store the suggestion it shows", false},
    {kCmdApplyDefaultType, ArgForm::IntInt, "3,COL,ROW", "give the row the default type (COL 0)",
     false},
    {kCmdCalculate, ArgForm::None, "4", "Calculate Coordinates", false},
    {kCmdShowCoordinates, ArgForm::Int, "5,FLAG", "show (1) or hide (0) the coordinate columns",
     false},
    {kCmdMisclose, ArgForm::None, "6", "traverse: misclose (the misclose verb prints it)", false},
    {kCmdAngularClose, ArgForm::None, "7", "traverse: angular close", false},
    {kCmdTransit, ArgForm::None, "8", "traverse: Transit adjustment", false},
    {kCmdHeightAdjust, ArgForm::None, "9", "traverse: height adjustment on / off", false},
    {kCmdFirstRouteNote, ArgForm::None, "14", "traverse: row of the first tr note (printed)", true},
    {kCmdNextRouteNote, ArgForm::None, "15", "traverse: row of the next tr note (printed)", true},
    {kCmdFindPoint, ArgForm::Int, "16,POINT", "row of the point (printed)", true},
    {kCmdFindSetup, ArgForm::Int, "17,START", "next AT/BS row from START (printed)", true},
    {kCmdFindCode, ArgForm::IntText, "18,START,CODE", "next row with the point code (printed)",
     true},
    {kCmdReplaceCode, ArgForm::TextText, "19,OLD,NEW", "replace a point code", false},
    {kCmdCollectMissing, ArgForm::None, "20",
     "count set-up points without coordinates; traverse: route stations (printed)", true},
    {kCmdBowditch, ArgForm::None, "23", "traverse: Bowditch adjustment", false},
    {kCmdCompass, ArgForm::None, "24", "traverse: Compass adjustment (as Bowditch)", false},
    {kCmdCycleType, ArgForm::IntOptKey, "25,ROW[,KEY]", "step the row's type; KEY + (default) or -",
     false},
    {kCmdRenumber, ArgForm::Renumber, "26,FIRST,LAST,NEW", "renumber points FIRST to LAST from NEW",
     false},
    {kCmdCrandall, ArgForm::None, "30", "traverse: Crandall adjustment", false},
    {kCmdAdjustmentReport, ArgForm::IntInt, "31,CSV,CORRECTED",
     "traverse: write the adjustment report (CSV 1 for CSV, CORRECTED 1 for corrected values)",
     false},
    {kCmdCopy, ArgForm::Rows, "40,ROW...", "copy rows to the clipboard", false},
    {kCmdCut, ArgForm::Rows, "41,ROW...", "cut rows (they stay, as copy)", false},
    {kCmdPaste, ArgForm::Int, "42,ROW", "paste the clipboard before ROW", false},
}};

const CommandForm* FormOf(int code) {
  for (const CommandForm& form : kCommandForms) {
    if (form.code == code) return &form;
  }
  return nullptr;
}

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

int RowNumber(std::string_view text, std::string_view request, const char* what) {
  const std::optional<std::int64_t> value = ParseWholeNumber(text);
  if (!value || *value < 0 || *value > std::numeric_limits<int>::max()) {
    throw UsageError(
        Sprintf("%s: %s must be a whole number of at least 0", std::string(request).c_str(), what));
  }
  return static_cast<int>(*value);
}

std::int64_t Integer(std::string_view text, std::string_view request) {
  const std::optional<std::int64_t> value = ParseWholeNumber(text);
  if (!value) {
    throw UsageError(Sprintf("--command %s: \"%s\" is not a whole number",
                             std::string(request).c_str(), std::string(text).c_str()));
  }
  return *value;
}

std::string Text(std::string_view utf8) { return Utf8ToCp1252(utf8); }

}  // namespace

std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

EditOperation ParseSetOperation(std::string_view request) {
  const std::size_t equals = request.find('=');
  const std::size_t comma = request.find(',');
  if (equals == std::string_view::npos || comma == std::string_view::npos || comma > equals) {
    throw UsageError("--set " + std::string(request) + ": expected ROW,COL=TEXT");
  }
  EditOperation op;
  op.kind = EditOperation::Kind::Set;
  op.row = RowNumber(request.substr(0, comma), request, "ROW");
  op.column = RowNumber(request.substr(comma + 1, equals - comma - 1), request, "COL");
  op.text = Text(request.substr(equals + 1));
  return op;
}

EditOperation ParseCommandOperation(std::string_view request) {
  const std::vector<std::string_view> fields = SplitAtCommas(request);
  const std::int64_t code = Integer(fields[0], request);
  const CommandForm* form = FormOf(static_cast<int>(code));
  if (form == nullptr || code != form->code) {
    throw UsageError(Sprintf("--command %s: code %lld is not available in edit (see --help)",
                             std::string(request).c_str(), static_cast<long long>(code)));
  }
  const std::size_t args = fields.size() - 1;
  auto expect = [&](std::size_t low, std::size_t high) {
    if (args < low || args > high) {
      throw UsageError(
          Sprintf("--command %s: expected %s", std::string(request).c_str(), form->usage));
    }
  };

  EditOperation op;
  op.kind = EditOperation::Kind::Command;
  op.code = form->code;
  switch (form->form) {
    case ArgForm::None:
      expect(0, 0);
      break;
    case ArgForm::Int:
      expect(1, 1);
      op.p1 = Integer(fields[1], request);
      break;
    case ArgForm::IntInt:
      expect(2, 2);
      op.p1 = Integer(fields[1], request);
      op.p2 = Integer(fields[2], request);
      break;
    case ArgForm::IntText:
      expect(2, 2);
      op.p1 = Integer(fields[1], request);
      op.p2 = Text(fields[2]);
      break;
    case ArgForm::TextText:
      expect(2, 2);
      op.p1 = Text(fields[1]);
      op.p2 = Text(fields[2]);
      break;
    case ArgForm::IntOptKey:
      expect(1, 2);
      op.p1 = Integer(fields[1], request);
      op.p2 = std::string(args == 2 ? Text(fields[2]) : std::string("+"));
      break;
    case ArgForm::Renumber:
      expect(3, 3);
      op.p1 = NumberRange{Integer(fields[1], request), Integer(fields[2], request)};
      op.p2 = Integer(fields[3], request);
      break;
    case ArgForm::Rows: {
      expect(1, fields.size());
      SelectedRows rows;
      for (std::size_t i = 1; i < fields.size(); ++i) {
        rows.rows.push_back(RowNumber(fields[i], request, "ROW"));
      }
      op.p1 = std::move(rows);
      break;
    }
  }
  return op;
}

std::string CommandFormsHelp() {
  std::string text;
  for (const CommandForm& form : kCommandForms) {
    text += Sprintf("  %-20s %s\n", form.usage, form.what);
  }
  return text;
}

void ApplyOperation(CUGDataSource& sheet, const SheetKind& kind, const EditOperation& op) {
  switch (op.kind) {
    case EditOperation::Kind::Set: {
      const int columns = sheet.ColumnCount();
      if (op.column >= columns) {
        throw Refusal(
            Sprintf("--set %d,%d: the sheet shows columns 0 to %d (--command 5,1 shows "
                    "the coordinate columns)",
                    op.row, op.column, columns - 1));
      }
      const int count = sheet.RowCount();
      if (op.row > count) {
        throw Refusal(
            Sprintf("--set %d,%d: the sheet has %d rows; a new row can only be the one "
                    "just past the last (row %d)",
                    op.row, op.column, count, count));
      }
      if (op.row == count) {
        // The cursor enters the row after the last: the grid appends a row.
        sheet.AppendRow();
        if (sheet.RowCount() == count) {
          throw Refusal(
              Sprintf("--set %d,%d: no row was added, as the last row is still blank "
                      "(give it a point number or a note first)",
                      op.row, op.column));
        }
      }
      if (op.row == sheet.RowCount() - 1 && kind.Implements(kCmdReenterCell)) {
        // The cursor enters a cell of the last row: the suggestion shown
        // there is stored before the typed text replaces it.
        sheet.Command(kCmdReenterCell, std::int64_t{op.column}, std::int64_t{op.row});
      }
      CellValue cell;
      cell.text = op.text;
      sheet.ParseCell(op.column, op.row, cell);
      return;
    }
    case EditOperation::Kind::AppendRow:
      sheet.AppendRow();
      return;
    case EditOperation::Kind::InsertRow:
      sheet.InsertRow(op.index);
      return;
    case EditOperation::Kind::DeleteRow:
      sheet.DeleteRow(op.index);
      return;
    case EditOperation::Kind::Command: {
      const int result = sheet.Command(op.code, op.p1, op.p2);
      const CommandForm* form = FormOf(op.code);
      if (result != 0 || (form != nullptr && form->printResult)) {
        WriteRaw(stderr, Sprintf("command %d returned %d\n", op.code, result));
      }
      return;
    }
  }
}

}  // namespace kestrel::cli
