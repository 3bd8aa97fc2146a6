#include "grid/grid_commands.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <cstdint>
#include <utility>

#include "grid/sheet_table_model.h"
#include "sheets/command_codes.h"

namespace kestrel {

namespace {

// Puts a row back at `index` (0 to RowCount) from its saved state. A sheet
// that refused the insert keeps its rows as they are.
void InsertRowWithState(CUGDataSource& source, int index, const std::string& state) {
  const int count = source.RowCount();
  source.InsertRow(index);
  if (source.RowCount() == count + 1) source.RestoreRowState(index, state);
}

// A step whose change has already been made when it is pushed: the stack's
// first redo only records it.
class SheetStep : public QUndoCommand {
 public:
  SheetStep(SheetTableModel& model, const QString& text, int focusRow)
      : QUndoCommand(text), model_(model), focusRow_(focusRow) {}

  void undo() override {
    if (CUGDataSource* source = model_.Source()) Revert(*source);
    model_.NotifySheetChanged(focusRow_);
  }
  void redo() override {
    if (alreadyDone_) {
      alreadyDone_ = false;
      return;
    }
    if (CUGDataSource* source = model_.Source()) Apply(*source);
    model_.NotifySheetChanged(focusRow_);
  }

 protected:
  virtual void Apply(CUGDataSource& source) = 0;
  virtual void Revert(CUGDataSource& source) = 0;

 private:
  SheetTableModel& model_;
  int focusRow_;
  bool alreadyDone_ = true;
};

// One row changed in place (a cell, its type), or a row appended at the end
// and filled.
class RowEditStep : public SheetStep {
 public:
  RowEditStep(SheetTableModel& model, const QString& text, int row, std::string before,
              std::string after, bool appended)
      : SheetStep(model, text, row),
        row_(row),
        before_(std::move(before)),
        after_(std::move(after)),
        appended_(appended) {}

 protected:
  void Apply(CUGDataSource& source) override {
    if (appended_) {
      InsertRowWithState(source, row_, after_);
    } else {
      source.RestoreRowState(row_, after_);
    }
  }
  void Revert(CUGDataSource& source) override {
    if (appended_) {
      source.DeleteRow(row_);
    } else {
      source.RestoreRowState(row_, before_);
    }
  }

 private:
  int row_;
  std::string before_;
  std::string after_;
  bool appended_;
};

// Rows inserted as a block at `first` (a blank row, or pasted rows).
class InsertRowsStep : public SheetStep {
 public:
  InsertRowsStep(SheetTableModel& model, const QString& text, int first,
                 std::vector<std::string> states)
      : SheetStep(model, text, first), first_(first), states_(std::move(states)) {}

 protected:
  void Apply(CUGDataSource& source) override {
    for (std::size_t i = 0; i < states_.size(); ++i) {
      InsertRowWithState(source, first_ + static_cast<int>(i), states_[i]);
    }
  }
  void Revert(CUGDataSource& source) override {
    for (std::size_t i = states_.size(); i-- > 0;) source.DeleteRow(first_ + static_cast<int>(i));
  }

 private:
  int first_;
  std::vector<std::string> states_;
};

// Rows removed anywhere in the sheet, held bottom row first.
class DeleteRowsStep : public SheetStep {
 public:
  DeleteRowsStep(SheetTableModel& model, std::vector<std::pair<int, std::string>> removed)
      : SheetStep(model, QStringLiteral("Delete rows"), removed.back().first),
        removed_(std::move(removed)) {}

 protected:
  void Apply(CUGDataSource& source) override {
    for (const auto& [row, state] : removed_) source.DeleteRow(row);
  }
  // Top row first, so that each row goes back where it was.
  void Revert(CUGDataSource& source) override {
    for (auto it = removed_.rbegin(); it != removed_.rend(); ++it) {
      InsertRowWithState(source, it->first, it->second);
    }
  }

 private:
  std::vector<std::pair<int, std::string>> removed_;
};

// Rows changed in place, each with its state before and after.
class RewriteRowsStep : public SheetStep {
 public:
  struct Change {
    int row;
    std::string before;
    std::string after;
  };
  RewriteRowsStep(SheetTableModel& model, const QString& text, std::vector<Change> changes)
      : SheetStep(model, text, changes.front().row), changes_(std::move(changes)) {}

 protected:
  void Apply(CUGDataSource& source) override {
    for (const Change& change : changes_) source.RestoreRowState(change.row, change.after);
  }
  void Revert(CUGDataSource& source) override {
    for (const Change& change : changes_) source.RestoreRowState(change.row, change.before);
  }

 private:
  std::vector<Change> changes_;
};

// Makes `change` to one row and records it as a step when the row changed.
template <typename Change>
bool RecordRowEdit(SheetTableModel& model, QUndoStack& stack, int row, const QString& text,
                   Change change) {
  CUGDataSource* source = model.Source();
  if (source == nullptr || row < 0) return false;
  const int countBefore = source->RowCount();
  if (row > countBefore) return false;
  std::string before = source->RowState(row);
  change(*source);
  const int countAfter = source->RowCount();
  const bool appended = row == countBefore && countAfter == countBefore + 1;
  if (!appended && countAfter != countBefore) {
    // The sheet moved rows in a way no step describes: the older steps would
    // restore the wrong rows, so they are dropped.
    stack.clear();
    model.NotifySheetChanged(row);
    return true;
  }
  std::string after = source->RowState(row);
  if (!appended && before == after) {
    // Nothing stored changed, but the sheet's entry marks may have, and with
    // them the suggestions the last row shows.
    model.NotifyDisplayChanged();
    return false;
  }
  stack.push(new RowEditStep(model, text, row, std::move(before), std::move(after), appended));
  model.NotifySheetChanged(row);
  return true;
}

// The row after the last becomes a sheet row before it is typed on.
void AppendIfPastEnd(CUGDataSource& source, int row) {
  if (row == source.RowCount()) source.AppendRow();
}

}  // namespace

bool EditCell(SheetTableModel& model, QUndoStack& stack, int row, int column,
              const std::string& text) {
  return RecordRowEdit(model, stack, row, QStringLiteral("Edit cell"), [&](CUGDataSource& source) {
    AppendIfPastEnd(source, row);
    CellValue cell;
    cell.text = text;
    source.ParseCell(column, row, cell);
  });
}

bool CycleRowType(SheetTableModel& model, QUndoStack& stack, int row, char key) {
  return RecordRowEdit(model, stack, row, QStringLiteral("Change row type"),
                       [&](CUGDataSource& source) {
                         AppendIfPastEnd(source, row);
                         source.Command(kCmdCycleType, std::int64_t{row},
                                        std::int64_t{static_cast<unsigned char>(key)});
                       });
}

bool ApplyDefaultType(SheetTableModel& model, QUndoStack& stack, int column, int row) {
  return RecordRowEdit(
      model, stack, row, QStringLiteral("Change row type"), [&](CUGDataSource& source) {
        source.Command(kCmdApplyDefaultType, std::int64_t{column}, std::int64_t{row});
      });
}

bool InsertSheetRow(SheetTableModel& model, QUndoStack& stack, int row) {
  CUGDataSource* source = model.Source();
  if (source == nullptr) return false;
  const int count = source->RowCount();
  if (row < 0 || row > count) return false;
  source->InsertRow(row);
  if (source->RowCount() != count + 1) return false;
  stack.push(new InsertRowsStep(model, QStringLiteral("Insert row"), row, {source->RowState(row)}));
  model.NotifySheetChanged(row);
  return true;
}

bool DeleteSheetRows(SheetTableModel& model, QUndoStack& stack, std::vector<int> rows) {
  CUGDataSource* source = model.Source();
  if (source == nullptr) return false;
  const int count = source->RowCount();
  std::erase_if(rows, [count](int row) { return row < 0 || row >= count; });
  std::sort(rows.begin(), rows.end(), std::greater<>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  if (rows.empty()) return false;

  std::vector<std::pair<int, std::string>> removed;
  removed.reserve(rows.size());
  for (int row : rows) {
    removed.emplace_back(row, source->RowState(row));
    source->DeleteRow(row);
  }
  stack.push(new DeleteRowsStep(model, std::move(removed)));
  model.NotifySheetChanged(rows.back());
  return true;
}

bool AppendSheetRows(SheetTableModel& model, QUndoStack& stack,
                     const std::vector<std::string>& states) {
  CUGDataSource* source = model.Source();
  if (source == nullptr || states.empty()) return false;
  const int first = source->RowCount();
  for (std::size_t i = 0; i < states.size(); ++i) {
    InsertRowWithState(*source, first + static_cast<int>(i), states[i]);
  }
  const int added = source->RowCount() - first;
  if (added <= 0) return false;
  std::vector<std::string> kept(states.begin(), states.begin() + added);
  stack.push(new InsertRowsStep(model, QStringLiteral("Append sheet"), first, std::move(kept)));
  model.NotifySheetChanged(first);
  return true;
}

bool RewriteSheetRows(SheetTableModel& model, QUndoStack& stack, const QString& text,
                      const std::function<void(CUGDataSource&)>& command) {
  CUGDataSource* source = model.Source();
  if (source == nullptr) return false;
  const int count = source->RowCount();
  std::vector<std::string> before;
  before.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) before.push_back(source->RowState(row));
  command(*source);
  if (source->RowCount() != count) {
    stack.clear();
    model.NotifySheetChanged(0);
    return true;
  }
  std::vector<RewriteRowsStep::Change> changes;
  for (int row = 0; row < count; ++row) {
    std::string after = source->RowState(row);
    if (after != before[static_cast<std::size_t>(row)]) {
      changes.push_back({row, std::move(before[static_cast<std::size_t>(row)]), std::move(after)});
    }
  }
  if (changes.empty()) {
    model.NotifyDisplayChanged();
    return false;
  }
  const int first = changes.front().row;
  stack.push(new RewriteRowsStep(model, text, std::move(changes)));
  model.NotifySheetChanged(first);
  return true;
}

bool PasteSheetRows(SheetTableModel& model, QUndoStack& stack, int row) {
  CUGDataSource* source = model.Source();
  if (source == nullptr) return false;
  const int count = source->RowCount();
  source->Command(kCmdPaste, std::int64_t{row});
  return RecordInsertedRows(model, stack, row, source->RowCount() - count,
                            QStringLiteral("Paste rows"));
}

bool RecordInsertedRows(SheetTableModel& model, QUndoStack& stack, int row, int count,
                        const QString& name) {
  CUGDataSource* source = model.Source();
  if (source == nullptr || count <= 0) return false;
  std::vector<std::string> states;
  states.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) states.push_back(source->RowState(row + i));
  stack.push(new InsertRowsStep(model, name, row, std::move(states)));
  model.NotifySheetChanged(row);
  return true;
}

}  // namespace kestrel
