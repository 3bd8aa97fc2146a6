#pragma once
// The entry grid: a QTableView over a sheet's data-source contract with the
// field book's behaviour (row-type column with cycling keys, headings that
// follow the current row's type, growth at the bottom, new rows and re-entered
// cells on the last row, Enter-key movement chosen by the sheet, deletion and
// insertion of rows, row colouring) and undo of every edit.
#include <QTableView>
#include <QUndoStack>

#include "sheets/data_source.h"

namespace kestrel {

class SheetTableModel;

class MyCug : public QTableView {
  Q_OBJECT

 public:
  explicit MyCug(QWidget* parent = nullptr);
  ~MyCug() override;

  // Attaches a sheet (not owned; it must outlive the grid or be detached with
  // nullptr first) and sizes the grid: (RowCount / 100) * 100 + 100 rows,
  // ColumnCount columns, widths from GridOption 1. Clears the undo history.
  void AttachSource(CUGDataSource* source);
  CUGDataSource* Source() const;

  // Sets the row count, column count and widths again (after a load, or when
  // the coordinate columns are shown or hidden) and repaints every cell.
  void Refresh();
  // Repaints every cell (after a selector changed: stored values never change).
  void RedrawAll();

  // The grid's own row count (grows by 100 near the bottom, never shrinks
  // while attached).
  int GridRowCount() const;

  // Moves the current cell and brings it into view.
  void GoToCell(int row, int column);
  void MoveToStartOfData();
  void MoveToDataEnd();
  void PageUpRows();
  void PageDownRows();

  // Applies a default row type chosen in an "Entry Type" dialog: Command 1
  // with the type, Command 3 with the current cell, redraw, take the focus.
  void ApplyDefaultRowType(int type);

  // The rows of every selected cell, for copy and cut.
  SelectedRows SelectedSheetRows() const;

  // Clipboard commands through the sheet (40, 41, 42); paste is undoable.
  void CopyRows();
  void CutRows();
  void PasteRows();

  QUndoStack* UndoStack();

 signals:
  // Any change to the sheet's rows made through the grid (edits, inserts,
  // deletes, pastes, undo and redo).
  void SheetModified();
};

}  // namespace kestrel
