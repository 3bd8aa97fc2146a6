#include "cli/sheet_printing.h"

#include <string>

#include "cli/cli_ports.h"
#include "platform/printf_format.h"

namespace kestrel::cli {

namespace {

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

void PrintSheet(CUGDataSource& sheet, std::FILE* out) {
  const int rows = sheet.RowCount();
  const int columns = sheet.ColumnCount();
  for (int row = 0; row < rows; ++row) {
    std::string line = Sprintf("%d", row + 1);
    for (int column = 0; column < columns; ++column) {
      CellValue cell;
      sheet.CellText(column, row, cell);
      line += '\t';
      line += OneLine(cell.text);
    }
    line += '\n';
    WriteText(out, line);
  }
}

void PrintHeadings(CUGDataSource& sheet, int row, std::FILE* out) {
  std::string line;
  const int columns = sheet.ColumnCount();
  for (int column = 0; column < columns; ++column) {
    std::string heading = Sprintf("%d", row);
    sheet.ColumnHeading(column, heading);
    if (column > 0) line += '\t';
    line += OneLine(heading);
  }
  line += '\n';
  WriteText(out, line);
}

}  // namespace kestrel::cli
