#pragma once
// The sheet as text on the terminal: one line per row, the grid's row heading
// (counted from 1) and then each column's cell text, separated by tabs.
#include <cstdio>

#include "sheets/data_source.h"

namespace kestrel::cli {

// Every row, with as many columns as the sheet shows (ColumnCount). Tabs and
// line breaks inside a text become blanks so that a row stays one line.
void PrintSheet(CUGDataSource& sheet, std::FILE* out);

// The headings the grid shows while its cursor is on `row` (counted from 0),
// tab-separated, on one line.
void PrintHeadings(CUGDataSource& sheet, int row, std::FILE* out);

}  // namespace kestrel::cli
