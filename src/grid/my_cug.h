#pragma once
// The entry grid: a QTableView over a sheet's data-source contract with the
// field book's behaviour (row-type column with cycling keys, headings that
// follow the current row's type, growth at the bottom, new rows and re-entered
// cells on the last row, Enter-key movement chosen by the sheet, deletion and
// insertion of rows, row colouring) and undo of every edit.
#include <QString>
#include <QTableView>
#include <QUndoStack>
#include <functional>
#include <vector>

#include "sheets/data_source.h"

namespace kestrel {

class GridItemDelegate;
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
  // The grid keeps rows it has grown to. Undo steps name rows by position:
  // they are dropped whenever the sheet's row count changed without the grid
  // (noticed here, at the next paint or at the next undo key); a caller that
  // replaces the rows with as many others clears UndoStack() or re-attaches.
  void Refresh();
  // Repaints every cell (after a selector changed: stored values never change).
  void RedrawAll();

  // Column widths fit the widest text the sheet holds in each column (never
  // narrower than the sheet's own widths); a width the user dragged for this
  // kind of sheet and column is used instead. Done on attaching, on Refresh
  // and by the view after a reduction, never while painting.
  void FitColumnsToContent();
  // The name under which dragged widths are kept ("stadia"); empty keeps none.
  void SetWidthProfileKey(const QString& sheetKind);

  // Cells of columns at and after `firstColumn` show in grey: their values
  // were computed from observations that have changed since. -1 shows none.
  void SetStaleFromColumn(int firstColumn);

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

  // Adds rows, given as the sheet's row states, after the last row as one
  // undoable step.
  void AppendRows(const std::vector<std::string>& states);
  // Makes the `count` rows a sheet command inserted before `row` one undoable
  // step named `name`.
  void RecordInsertedRows(int row, int count, const QString& name);

  // Runs a sheet command that rewrites typed values in place as one
  // undoable step (see RewriteSheetRows).
  bool RewriteRows(const QString& text, const std::function<void(CUGDataSource&)>& command);

  QUndoStack* UndoStack();

 signals:
  // Any change to the sheet's rows made through the grid (edits, inserts,
  // deletes, pastes, undo and redo).
  void SheetModified();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Sizing and appearance (my_cug.cpp).
  static int StartingRowCount(int sheetRows);
  std::vector<int> MeasuredColumnWidths();
  QString DraggedWidthKey(int column) const;
  void RememberDraggedWidth(int column, int width);
  void GrowToFitSheet();
  void GrowAtBottom();
  void UpdateNoteSpans();
  void UpdateHeadings();
  void ForgetStepsIfRowsMovedBehindGrid();
  void OnSheetChanged(int focusRow);

  // Moving about (cell_movement.cpp).
  void EnteredCell(int row, int column);
  void EnterMove();
  void MoveSilently(int row, int column);

  // Key commands (grid_keys.cpp).
  bool HandleCommandKey(QKeyEvent* event);
  void DeleteSelectedRows();
  void InsertRowAtCursor();

  SheetTableModel* model_;
  GridItemDelegate* delegate_;
  QUndoStack undoStack_;
  // The rows that carry a joined note cell now: only rows in view do.
  std::vector<int> spannedRows_;
  int spanColumns_ = 0;
  // The sheet's row count as the grid last left it; a different count means
  // rows were inserted or removed by someone else.
  int knownRowCount_ = 0;
  // A move made by the grid itself (on attaching) runs none of the sheet's
  // cell-entry rules.
  bool silentMove_ = false;
  // Widths set by the grid itself are not the user's to remember.
  bool applyingWidths_ = false;
  QString widthProfileKey_;
};

}  // namespace kestrel
