// Moving about the entry grid: what entering a cell does to the sheet, the
// Enter key's movement, and the view's go-to commands.
#include <QItemSelectionModel>
#include <algorithm>
#include <cstdint>

#include "grid/grid_commands.h"
#include "grid/my_cug.h"
#include "grid/sheet_table_model.h"
#include "sheets/command_codes.h"

namespace kestrel {

void MyCug::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (!current.isValid() || Source() == nullptr) return;
  if (!silentMove_) EnteredCell(current.row(), current.column());
  UpdateHeadings();
}

// Entering column 0 of the row after the last opens a new row; entering a
// cell of the last row stores what the cell suggests, so that passing over a
// suggestion accepts it.
void MyCug::EnteredCell(int row, int column) {
  CUGDataSource* source = Source();
  const int count = source->RowCount();
  bool changed = false;
  if (column == 0 && row == count) {
    source->AppendRow();
    changed = source->RowCount() != count;
  }
  if (row == source->RowCount() - 1) {
    const std::string before = source->RowState(row);
    source->Command(kCmdReenterCell, std::int64_t{column}, std::int64_t{row});
    changed = changed || source->RowState(row) != before;
  }
  if (changed) {
    model_->NotifySheetChanged();
  } else {
    // The sheet's entry marks may have moved on, and the suggestions with them.
    model_->NotifyDisplayChanged();
  }
}

bool MyCug::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  CUGDataSource* source = Source();
  if (source != nullptr && index.isValid() && index.column() == 0 &&
      index.row() == source->RowCount() && state() != EditingState &&
      (editTriggers() & trigger).toInt() != 0) {
    // The type list of the row after the last belongs to a new row, as
    // entering that cell would have made one.
    EnteredCell(index.row(), 0);
  }
  return QTableView::edit(index, trigger, event);
}

// The sheet names the cell the Enter key goes to. A cell that cannot take the
// cursor (past the last column, or of zero width) sends it to column 0 of the
// next row.
void MyCug::EnterMove() {
  CUGDataSource* source = Source();
  const QModelIndex current = currentIndex();
  if (source == nullptr || !current.isValid()) return;
  int column = current.column();
  int row = current.row();
  if (source->GridOption(2, column, row) != 0) {
    // Below the sheet the cursor simply steps right.
    column = current.column() + 1;
    row = current.row();
  }
  if (column < 0 || column >= model_->columnCount() || columnWidth(column) == 0 ||
      isColumnHidden(column)) {
    column = 0;
    ++row;
  }
  GoToCell(row, column);
}

void MyCug::GoToCell(int row, int column) {
  if (Source() == nullptr || model_->columnCount() == 0) return;
  row = std::max(row, 0);
  column = std::clamp(column, 0, model_->columnCount() - 1);
  if (row >= model_->GridRowCount()) model_->GrowTo(StartingRowCount(row));
  const QModelIndex index = model_->index(row, column);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

void MyCug::MoveSilently(int row, int column) {
  silentMove_ = true;
  GoToCell(row, column);
  silentMove_ = false;
}

void MyCug::MoveToStartOfData() { GoToCell(0, 0); }

void MyCug::MoveToDataEnd() {
  CUGDataSource* source = Source();
  if (source == nullptr) return;
  GoToCell(std::max(source->RowCount() - 1, 0), 0);
}

void MyCug::PageUpRows() {
  const QModelIndex target = moveCursor(MovePageUp, Qt::NoModifier);
  if (target.isValid()) GoToCell(target.row(), target.column());
}

void MyCug::PageDownRows() {
  const QModelIndex target = moveCursor(MovePageDown, Qt::NoModifier);
  if (target.isValid()) GoToCell(target.row(), target.column());
}

void MyCug::ApplyDefaultRowType(int type) {
  CUGDataSource* source = Source();
  if (source == nullptr) return;
  source->Command(kCmdSetDefaultType, std::int64_t{type});
  const QModelIndex current = currentIndex();
  if (current.isValid()) {
    ApplyDefaultType(*model_, undoStack_, current.column(), current.row());
  }
  RedrawAll();
  setFocus();
}

}  // namespace kestrel
