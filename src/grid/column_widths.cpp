// Column widths that fit what the sheet holds: the widest text of each column
// is measured when a sheet is attached, when its columns change and after a
// reduction, never while painting. A width the user drags is kept in the
// profile for that kind of sheet and that column, and wins over the measure.
#include <QFontMetrics>
#include <QHeaderView>
#include <QSettings>
#include <algorithm>
#include <vector>

#include "grid/grid_font.h"
#include "grid/my_cug.h"
#include "grid/sheet_table_model.h"
#include "platform/text_encoding.h"

namespace kestrel {

namespace {

// Sheets up to this many rows are measured whole; longer ones through their
// first and last rows and an even sample between, which finds the widest
// coordinates and numbers of a real field book without reading a million rows.
constexpr int kMeasureWholeRows = 20000;
constexpr int kMeasureEndRows = 2000;
constexpr int kMeasureSampleRows = 6000;
// Room beside the text for the cell's margins and the grid line, in pixels.
constexpr int kCellPadding = 12;

std::vector<int> RowsToMeasure(int rows) {
  std::vector<int> chosen;
  if (rows <= kMeasureWholeRows) {
    chosen.resize(static_cast<std::size_t>(std::max(rows, 0)));
    for (int row = 0; row < rows; ++row) chosen[static_cast<std::size_t>(row)] = row;
    return chosen;
  }
  for (int row = 0; row < kMeasureEndRows; ++row) chosen.push_back(row);
  const int middle = rows - 2 * kMeasureEndRows;
  for (int i = 0; i < kMeasureSampleRows; ++i) {
    chosen.push_back(kMeasureEndRows +
                     static_cast<int>(static_cast<long long>(middle) * i / kMeasureSampleRows));
  }
  for (int row = rows - kMeasureEndRows; row < rows; ++row) chosen.push_back(row);
  return chosen;
}

}  // namespace

void MyCug::SetWidthProfileKey(const QString& sheetKind) { widthProfileKey_ = sheetKind; }

QString MyCug::DraggedWidthKey(int column) const {
  return QString("Column Widths/%1/%2").arg(widthProfileKey_).arg(column);
}

std::vector<int> MyCug::MeasuredColumnWidths() {
  CUGDataSource* source = Source();
  const int columns = model_->columnCount();
  std::vector<std::string> widest(static_cast<std::size_t>(std::max(columns, 0)));
  if (source == nullptr) return {};
  // Texts are compared by length first and only the longest is measured in
  // the font: the digits of the grid's font are all as wide as each other.
  for (int row : RowsToMeasure(source->RowCount())) {
    for (int column = 1; column < columns; ++column) {
      CellValue cell;
      source->CellText(column, row, cell);
      if (cell.joinNote) continue;  // a note spans several columns
      std::string& kept = widest[static_cast<std::size_t>(column)];
      if (cell.text.size() > kept.size()) kept = std::move(cell.text);
    }
  }
  const QFontMetrics metrics(GridCellFont());
  std::vector<int> widths(static_cast<std::size_t>(columns));
  for (int column = 0; column < columns; ++column) {
    int sheetWidth = 0;
    int optionColumn = column;
    source->GridOption(1, optionColumn, sheetWidth);
    const QString heading = QString::fromStdString(Cp1252ToUtf8(source->StoredHeading(column)));
    const QString text =
        QString::fromStdString(Cp1252ToUtf8(widest[static_cast<std::size_t>(column)]));
    const int content =
        std::max(metrics.horizontalAdvance(text), metrics.horizontalAdvance(heading)) +
        kCellPadding;
    // The sheet's own width is the least: a column never comes out narrower.
    widths[static_cast<std::size_t>(column)] = std::max(ScaledColumnWidth(sheetWidth), content);
  }
  return widths;
}

void MyCug::FitColumnsToContent() {
  if (Source() == nullptr) return;
  const std::vector<int> widths = MeasuredColumnWidths();
  const QSettings profile;
  applyingWidths_ = true;
  for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
    int width = widths[static_cast<std::size_t>(column)];
    // A zero width from the sheet hides a column on purpose; a drag never
    // shows it again.
    int sheetWidth = 0;
    int optionColumn = column;
    Source()->GridOption(1, optionColumn, sheetWidth);
    if (sheetWidth > 0 && !widthProfileKey_.isEmpty()) {
      width = profile.value(DraggedWidthKey(column), width).toInt();
    }
    if (sheetWidth == 0) width = 0;
    setColumnWidth(column, width);
  }
  applyingWidths_ = false;
}

void MyCug::RememberDraggedWidth(int column, int width) {
  if (applyingWidths_ || widthProfileKey_.isEmpty() || width <= 0) return;
  QSettings().setValue(DraggedWidthKey(column), width);
}

}  // namespace kestrel
