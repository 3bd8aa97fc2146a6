// The entry grid's keys: Enter, Delete, Insert, undo and redo, and the
// clipboard rows.
#include <QKeyEvent>
#include <QKeySequence>
#include <QUndoStack>
#include <algorithm>
#include <cstdint>

#include "grid/grid_commands.h"
#include "grid/my_cug.h"
#include "grid/sheet_table_model.h"
#include "grid/undo_keys.h"
#include "sheets/command_codes.h"

namespace kestrel {

bool MyCug::event(QEvent* event) {
  // Undo and redo belong to the grid while it has the focus, even when a menu
  // of the window carries the same keys.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsUndoKey(*key) || IsRedoKey(*key)) {
      event->accept();
      return true;
    }
  }
  return QTableView::event(event);
}

void MyCug::keyPressEvent(QKeyEvent* event) {
  if (Source() != nullptr && HandleCommandKey(event)) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

bool MyCug::HandleCommandKey(QKeyEvent* event) {
  if (IsUndoKey(*event)) {
    ForgetStepsIfRowsMovedBehindGrid();
    undoStack_.undo();
    return true;
  }
  if (IsRedoKey(*event)) {
    ForgetStepsIfRowsMovedBehindGrid();
    undoStack_.redo();
    return true;
  }
  if (event->matches(QKeySequence::Copy)) {
    CopyRows();
    return true;
  }
  if (event->matches(QKeySequence::Cut)) {
    CutRows();
    return true;
  }
  if (event->matches(QKeySequence::Paste)) {
    PasteRows();
    return true;
  }
  if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EnterMove();
      return true;
    case Qt::Key_Delete:
      DeleteSelectedRows();
      return true;
    case Qt::Key_Insert:
      InsertRowAtCursor();
      return true;
    default:
      return false;
  }
}

// Every row with a selected cell goes, the lowest first.
void MyCug::DeleteSelectedRows() {
  if (!DeleteSheetRows(*model_, undoStack_, SelectedSheetRows().rows)) return;
  const QModelIndex current = currentIndex();
  if (current.isValid()) selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

// A blank row before the current one, only from the type column.
void MyCug::InsertRowAtCursor() {
  const QModelIndex current = currentIndex();
  if (!current.isValid() || current.column() != 0) return;
  InsertSheetRow(*model_, undoStack_, current.row());
}

SelectedRows MyCug::SelectedSheetRows() const {
  SelectedRows selected;
  CUGDataSource* source = Source();
  if (source == nullptr) return selected;
  // Rows past the sheet hold nothing to copy or delete; leaving them out keeps
  // a whole-grid selection from listing every empty grid row.
  const int count = source->RowCount();
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    const int last = std::min(range.bottom(), count - 1);
    for (int row = std::max(range.top(), 0); row <= last; ++row) selected.rows.push_back(row);
  }
  return selected;
}

void MyCug::CopyRows() {
  if (CUGDataSource* source = Source()) source->Command(kCmdCopy, SelectedSheetRows());
}

// Cutting copies: the rows stay in the sheet.
void MyCug::CutRows() {
  if (CUGDataSource* source = Source()) source->Command(kCmdCut, SelectedSheetRows());
}

void MyCug::AppendRows(const std::vector<std::string>& states) {
  if (AppendSheetRows(*model_, undoStack_, states)) GoToCell(Source()->RowCount() - 1, 0);
}

bool MyCug::RewriteRows(const QString& text, const std::function<void(CUGDataSource&)>& command) {
  const bool changed = RewriteSheetRows(*model_, undoStack_, text, command);
  RedrawAll();
  return changed;
}

void MyCug::RecordInsertedRows(int row, int count, const QString& name) {
  kestrel::RecordInsertedRows(*model_, undoStack_, row, count, name);
  RedrawAll();
}

void MyCug::PasteRows() {
  const QModelIndex current = currentIndex();
  if (Source() == nullptr || !current.isValid()) return;
  PasteSheetRows(*model_, undoStack_, current.row());
  RedrawAll();
}

}  // namespace kestrel
