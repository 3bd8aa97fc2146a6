#pragma once
// Undoable changes the entry grid makes to its sheet. Each function makes the
// change at once and, when the sheet's rows changed, pushes one step onto the
// stack. Undo and redo put rows back through the sheet's own row states and
// InsertRow / DeleteRow, then tell the model, which repaints the grid and
// reports the sheet modified.
//
// The blank row the grid appends when the cursor enters the row after the
// last, and the suggestion stored when the cursor enters a cell of the last
// row, are part of moving about and are not steps of their own: a step's
// rows are always rows that existed when it was made, and appends only ever
// add rows after them, so the steps stay valid.
#include <functional>
#include <string>
#include <vector>

#include <QString>

class QString;
class QUndoStack;

namespace kestrel {

class CUGDataSource;
class SheetTableModel;

// Hands a typed cell to ParseCell. A cell of the row after the last first
// appends a row, so the entry is kept rather than dropped.
bool EditCell(SheetTableModel& model, QUndoStack& stack, int row, int column,
              const std::string& text);

// Steps the row's type forwards (key ' ' or '+') or backwards ('-') through
// the sheet's Command 25. On the row after the last a row is appended first.
bool CycleRowType(SheetTableModel& model, QUndoStack& stack, int row, char key);

// Gives the row the sheet's default type (Command 3 with the cell).
bool ApplyDefaultType(SheetTableModel& model, QUndoStack& stack, int column, int row);

// Inserts a blank row before `row`.
bool InsertSheetRow(SheetTableModel& model, QUndoStack& stack, int row);

// Removes the given rows (any order, repeats allowed; rows outside the sheet
// are ignored), from the bottom up.
bool DeleteSheetRows(SheetTableModel& model, QUndoStack& stack, std::vector<int> rows);

// Adds rows after the sheet's last row from their saved states (another sheet
// file's rows), as one step.
bool AppendSheetRows(SheetTableModel& model, QUndoStack& stack,
                     const std::vector<std::string>& states);

// Runs a sheet command that rewrites typed values in place (angular close),
// as one step holding every row it changed. A command that adds or removes
// rows cannot be taken back, and the older steps are then dropped.
bool RewriteSheetRows(SheetTableModel& model, QUndoStack& stack, const QString& text,
                      const std::function<void(CUGDataSource&)>& command);

// Pastes the clipboard's rows before `row` (Command 42).
bool PasteSheetRows(SheetTableModel& model, QUndoStack& stack, int row);

// Makes the `count` rows a sheet command has just inserted before `row` one
// step named `name` (Get Database's points from the host).
bool RecordInsertedRows(SheetTableModel& model, QUndoStack& stack, int row, int count,
                        const QString& name);

}  // namespace kestrel
