#pragma once
// The operations of the edit verb, applied to a sheet in the order they stand
// on the command line, each as the entry grid would carry it out.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sheets/data_source.h"
#include "sheets/sheet_kind_registry.h"

namespace kestrel::cli {

class TerminalMessages;

struct EditOperation {
  enum class Kind { Set, AppendRow, InsertRow, DeleteRow, Command };
  Kind kind = Kind::AppendRow;
  // Set: the cell and the typed text (Windows-1252).
  int row = 0;
  int column = 0;
  std::string text;
  // InsertRow, DeleteRow: the row index.
  int index = 0;
  // Command: the code and its arguments.
  int code = 0;
  CommandArg p1;
  CommandArg p2;
};

// "ROW,COL=TEXT" (TEXT in UTF-8, may be empty or hold commas and "=").
// Throws a usage error when ROW or COL is not a whole number of at least 0.
EditOperation ParseSetOperation(std::string_view request);

// "CODE[,ARG]..." for the codes the edit verb passes on (CommandFormsHelp);
// throws a usage error for another code or a wrong number of arguments.
EditOperation ParseCommandOperation(std::string_view request);

// The table of accepted codes and their arguments, for --help.
std::string CommandFormsHelp();

// Carries out one operation. A --set the grid could not reach (a row further
// down than the one after the last, a new row the sheet did not add, a
// column not shown) throws a refusal. A command's non-zero result is printed
// to standard error. `kind` is the sheet's: the grid's re-entering of a cell
// is sent only to a sheet that carries it out.
void ApplyOperation(CUGDataSource& sheet, const SheetKind& kind, const EditOperation& op);

// A whole number from command-line text: optional "-", digits, nothing else.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text);

}  // namespace kestrel::cli
