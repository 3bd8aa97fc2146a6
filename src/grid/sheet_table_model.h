#pragma once
// The entry grid's item model: a thin adapter over a sheet's data-source
// contract. It owns no data; every cell the view draws is asked of the sheet
// when it is drawn, and nothing else is asked. The grid's row count is the
// grid's own (the sheet's rows rounded up to hundreds, growing at the bottom),
// not the sheet's.
#include <QAbstractTableModel>
#include <QFont>
#include <string>

#include "sheets/data_source.h"

class QUndoStack;

namespace kestrel {

class SheetTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SheetTableModel(QObject* parent = nullptr);

  // Attaches a sheet (not owned) with a grid of `gridRows` rows; resets the
  // model. nullptr detaches.
  void SetSource(CUGDataSource* source, int gridRows);
  CUGDataSource* Source() const { return source_; }

  // Edits made through setData become steps of this stack (not owned).
  void SetUndoStack(QUndoStack* stack) { undo_ = stack; }
  QUndoStack* UndoStack() const { return undo_; }

  int GridRowCount() const { return gridRows_; }
  // Grows the grid to `rows` rows; a smaller count is ignored.
  void GrowTo(int rows);
  // Takes over the sheet's column count (it changes when the coordinate
  // columns are shown or hidden).
  void SyncColumnCount();

  // The sheet's cell. The view asks several roles of one cell in a row, so
  // the last cell asked is kept until the next paint or change.
  const CellValue& Cell(int row, int column) const;
  // A cell of columns 1 to 6 on a note row (to the last column when there are
  // fewer): these show as one joined grey cell.
  bool IsJoinedNoteCell(int row, int column) const;
  // The last column of a note row's joined cell.
  int LastJoinedColumn() const;

  // Columns at and after `firstColumn` show their text in grey (stale
  // results); -1 for none.
  void SetStaleFromColumn(int firstColumn) { staleFrom_ = firstColumn; }
  int StaleFromColumn() const { return staleFrom_; }

  // Forgets the kept cell, so that the next paint asks the sheet again.
  void ForgetCachedCell();
  // Every cell may show something else now (a selector changed, or the sheet
  // was reduced): repaint without telling anyone the rows changed.
  void NotifyDisplayChanged();
  // The sheet's rows were changed through the grid: repaint and tell the
  // grid. `focusRow` is the row the change was made at (-1 for none).
  void NotifySheetChanged(int focusRow = -1);
  // The headings stored in the sheet were refreshed.
  void NotifyHeadingsChanged();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Hands the typed text to the sheet's ParseCell as one undoable step.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  void SheetChanged(int focusRow);

 private:
  CUGDataSource* source_ = nullptr;
  QUndoStack* undo_ = nullptr;
  int gridRows_ = 0;
  int columns_ = 0;
  int staleFrom_ = -1;
  QFont font_;

  mutable CellValue cached_;
  mutable int cachedRow_ = -1;
  mutable int cachedColumn_ = -1;
};

}  // namespace kestrel
