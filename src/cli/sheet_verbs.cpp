// show, edit, copy and paste: the sheet's rows on the terminal and the entry
// grid's operations without a window.
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_errors.h"
#include "cli/edit_operations.h"
#include "cli/sheet_printing.h"
#include "cli/verbs.h"
#include "platform/printf_format.h"
#include "platform/text_encoding.h"
#include "sheets/command_codes.h"

namespace kestrel::cli {

namespace {

// The longest clipboard text paste reads from standard input: far more than
// any field book, and a bound on what an endless pipe can make it allocate.
constexpr std::size_t kPasteLimit = std::size_t{256} << 20;

constexpr const char* kRowsNote =
    "Rows are counted from 0, as the sheet counts them; the first column that\n"
    "show prints is the grid's row heading, counted from 1.\n";

struct ShowOptions {
  std::string file;
  bool coords = false;
  int headingsRow = 0;
  CLI::Option* headings = nullptr;
};

struct EditOptions {
  std::string file;
  std::vector<std::string> sets;
  std::vector<int> inserts;
  std::vector<int> deletes;
  std::vector<std::string> commands;
  bool save = false;
  std::string output;
  CLI::Option* set = nullptr;
  CLI::Option* append = nullptr;
  CLI::Option* insert = nullptr;
  CLI::Option* remove = nullptr;
  CLI::Option* command = nullptr;
};

struct CopyOptions {
  std::string file;
  std::string rows;
};

struct PasteOptions {
  std::string file;
  int row = 0;
  bool save = false;
  std::string output;
};

// Writes the sheet back and to another file as asked.
void SaveAsAsked(SheetSession& session, bool save, const std::string& output) {
  if (save) session.Save(session.Path());
  if (!output.empty()) session.Save(output);
}

void RunShow(const GlobalOptions& global, const ShowOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  if (options.coords) {
    session.Require(kCmdShowCoordinates, "coordinate columns");
    sheet.Command(kCmdShowCoordinates, std::int64_t{1});
  }
  if (options.headings->count() > 0) PrintHeadings(sheet, options.headingsRow, stdout);
  PrintSheet(sheet, stdout);
  session.Finish();
}

// The operations in command-line order: CLI11 lists every value it took in
// parse order, so each option's values are taken one by one as it recurs.
std::vector<EditOperation> OperationsInOrder(const CLI::App& command, const EditOptions& options) {
  std::vector<EditOperation> operations;
  std::size_t set = 0, insert = 0, remove = 0, code = 0;
  for (const CLI::Option* option : command.parse_order()) {
    if (option == options.set) {
      operations.push_back(ParseSetOperation(options.set->results().at(set++)));
    } else if (option == options.append) {
      operations.push_back(EditOperation{});  // AppendRow
    } else if (option == options.insert) {
      EditOperation op;
      op.kind = EditOperation::Kind::InsertRow;
      op.index = options.inserts.at(insert++);
      operations.push_back(op);
    } else if (option == options.remove) {
      EditOperation op;
      op.kind = EditOperation::Kind::DeleteRow;
      op.index = options.deletes.at(remove++);
      operations.push_back(op);
    } else if (option == options.command) {
      operations.push_back(ParseCommandOperation(options.command->results().at(code++)));
    }
  }
  return operations;
}

void RunEdit(const GlobalOptions& global, const CLI::App& command, const EditOptions& options) {
  // Every operation is read before the file is touched, so that a mistake on
  // the command line changes nothing.
  const std::vector<EditOperation> operations = OperationsInOrder(command, options);
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  if (!options.output.empty()) session.CheckOutputName(options.output);
  for (const EditOperation& op : operations) {
    if (op.kind == EditOperation::Kind::Command) {
      session.Require(op.code, Sprintf("command %d", op.code));
    }
  }
  for (const EditOperation& op : operations) {
    ApplyOperation(sheet, session.Kind(), op);
    if (session.messages.Refused()) session.FinishMessages();
  }
  SaveAsAsked(session, options.save, options.output);
  PrintSheet(sheet, stdout);
  session.Finish();
}

// "A-B" or "A", both counted from 0, A not after B.
std::pair<int, int> ParseRowRange(const std::string& text) {
  const std::size_t dash = text.find('-', 1);
  const std::optional<std::int64_t> first = ParseWholeNumber(text.substr(0, dash));
  const std::optional<std::int64_t> last =
      dash == std::string::npos ? first : ParseWholeNumber(text.substr(dash + 1));
  if (!first || !last || *first < 0 || *last < *first || *last > INT32_MAX) {
    throw UsageError("--rows " + text + ": expected A-B, two row numbers from 0 with A <= B");
  }
  return {static_cast<int>(*first), static_cast<int>(*last)};
}

void RunCopy(const GlobalOptions& global, const CopyOptions& options) {
  const auto [first, last] = ParseRowRange(options.rows);
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdCopy, "clipboard copy");
  // Only rows inside the sheet are selected, so that a wide range costs
  // nothing.
  SelectedRows selected;
  for (int row = first; row <= last && row < sheet.RowCount(); ++row) selected.rows.push_back(row);
  session.clipboard.echo = true;
  sheet.Command(kCmdCopy, selected);
  session.Finish();
}

void RunPaste(const GlobalOptions& global, const PasteOptions& options) {
  SheetSession session(global);
  CUGDataSource& sheet = session.Open(options.file);
  session.Require(kCmdPaste, "paste");
  if (!options.output.empty()) session.CheckOutputName(options.output);
  const std::optional<std::string> input = ReadStandardInput(kPasteLimit);
  if (!input) throw Refusal("standard input could not be read, or is too long to paste");
  session.clipboard.Fill(Utf8ToCp1252(*input));
  sheet.Command(kCmdPaste, std::int64_t{options.row});
  if (session.messages.Refused()) session.FinishMessages();
  SaveAsAsked(session, options.save, options.output);
  PrintSheet(sheet, stdout);
  session.Finish();
}

std::string EditFooter() {
  return std::string(
             "Operations are carried out in the order given, each as the entry grid\n"
             "carries it out:\n"
             "  --set ROW,COL=TEXT  the cursor moves to the cell and TEXT is typed there.\n"
             "      Moving onto the row just past the last adds a row (AppendRow; the\n"
             "      sheet adds none while its last row is blank, and edit then stops);\n"
             "      moving into a cell of the last row re-enters it (command 2), which\n"
             "      stores the suggestion it shows; then the text is parsed (ParseCell).\n"
             "      Only the columns the sheet shows can be set.\n"
             "  --append-row  AppendRow.   --insert-row N  a blank STN row before row N.\n"
             "  --delete-row N  removes row N.  Rows outside the sheet are ignored.\n"
             "  --command CODE[,ARG]...  the sheet's command; arguments are whole numbers\n"
             "      unless named as text; COL,ROW is the sheet's order (column first):\n") +
         CommandFormsHelp() +
         "  The clipboard of 40, 41 and 42 lives for this one edit.\n"
         "After the last operation the sheet is written (--save, --output), then\n"
         "printed as show prints it. When the sheet refuses an operation, edit\n"
         "stops with exit status 1 and writes nothing.\n" +
         kRowsNote;
}

}  // namespace

void AddSheetVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs) {
  {
    auto options = std::make_shared<ShowOptions>();
    CLI::App* show = app.add_subcommand("show", "Print the sheet, one tab-separated line per row");
    show->add_option("FILE", options->file, "the sheet file")->required();
    show->add_flag("--coords", options->coords, "show the coordinate columns");
    options->headings =
        show->add_option("--headings", options->headingsRow,
                         "first print the headings shown while the cursor is on row ROW (from 0)");
    options->headings->type_name("ROW");
    show->footer(kRowsNote);
    verbs.push_back({show, [&global, options] { RunShow(global, *options); }});
  }
  {
    auto options = std::make_shared<EditOptions>();
    CLI::App* edit = app.add_subcommand("edit", "Change the sheet as the entry grid would");
    edit->add_option("FILE", options->file, "the sheet file")->required();
    options->set = edit->add_option("--set", options->sets, "type TEXT into a cell")
                       ->type_name("ROW,COL=TEXT")
                       ->expected(1)
                       ->take_all();
    options->append = edit->add_flag("--append-row")
                          ->description("add a blank row at the end")
                          ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    options->insert = edit->add_option("--insert-row", options->inserts, "insert a row before N")
                          ->type_name("N")
                          ->expected(1)
                          ->take_all();
    options->remove = edit->add_option("--delete-row", options->deletes, "delete row N")
                          ->type_name("N")
                          ->expected(1)
                          ->take_all();
    options->command = edit->add_option("--command", options->commands, "send a sheet command")
                           ->type_name("CODE[,ARG]...")
                           ->expected(1)
                           ->take_all();
    edit->add_flag("--save", options->save, "write the sheet back to FILE");
    edit->add_option("--output", options->output, "write the sheet to another file")
        ->type_name("OUT");
    edit->footer(EditFooter());
    verbs.push_back({edit, [&global, edit, options] { RunEdit(global, *edit, *options); }});
  }
  {
    auto options = std::make_shared<CopyOptions>();
    CLI::App* copy = app.add_subcommand("copy", "Print the clipboard text of rows A to B");
    copy->add_option("FILE", options->file, "the sheet file")->required();
    copy->add_option("--rows", options->rows, "the rows, from 0, both included")
        ->type_name("A-B")
        ->required();
    copy->footer(kRowsNote);
    verbs.push_back({copy, [&global, options] { RunCopy(global, *options); }});
  }
  {
    auto options = std::make_shared<PasteOptions>();
    CLI::App* paste =
        app.add_subcommand("paste", "Paste clipboard text from standard input before a row");
    paste->add_option("FILE", options->file, "the sheet file")->required();
    paste->add_option("--row", options->row, "the row the text goes before (from 0)")->required();
    paste->add_flag("--save", options->save, "write the sheet back to FILE");
    paste->add_option("--output", options->output, "write the sheet to another file")
        ->type_name("OUT");
    paste->footer(std::string("The sheet is printed afterwards as show prints it.\n") + kRowsNote);
    verbs.push_back({paste, [&global, options] { RunPaste(global, *options); }});
  }
}

}  // namespace kestrel::cli
