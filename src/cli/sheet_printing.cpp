#include "cli/sheet_printing.h"

#include <string>

#include "cli/cli_ports.h"
#include "platform/fixed_text.h"
#include "platform/printf_format.h"
#include "platform/text_encoding.h"

namespace kestrel::cli {

namespace {

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// The cell's text in UTF-8 on one line; most texts are plain ASCII, and
// most of the rest (angles with their degree sign) have no line break.
void AppendCell(std::string& out, const std::string& text) {
  bool ascii = true;
  for (const char c : text) {
    if (c == '\t' || c == '\n' || c == '\r') {
      AppendCp1252AsUtf8(out, OneLine(text));
      return;
    }
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
  }
  if (ascii) {
    out += text;
  } else {
    AppendCp1252AsUtf8(out, text);
  }
}

}  // namespace

void PrintSheet(CUGDataSource& sheet, std::FILE* out) {
  // Written in blocks: one write per row costs more than the row's texts.
  constexpr std::size_t kBlock = 64 * 1024;
  const int rows = sheet.RowCount();
  const int columns = sheet.ColumnCount();
  std::string block;
  block.reserve(kBlock + 1024);
  CellValue cell;
  for (int row = 0; row < rows; ++row) {
    AppendInteger(block, row + 1, 1);
    for (int column = 0; column < columns; ++column) {
      sheet.CellText(column, row, cell);
      block += '\t';
      AppendCell(block, cell.text);
    }
    block += '\n';
    if (block.size() >= kBlock) {
      WriteRaw(out, block);
      block.clear();
    }
  }
  WriteRaw(out, block);
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
