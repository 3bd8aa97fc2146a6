#pragma once
// What every sheet that keeps its rows in one vector does alike: the frame
// cells of the grid, inserting and deleting rows, a row's undo state as its
// file record, and the sheet file written by atomic replacement or read under
// an exclusive lock, with the messages every sheet gives when that fails.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/archive.h"
#include "platform/ports.h"
#include "sheets/data_source.h"
#include "sheets/sheet_context.h"

namespace kestrel {

template <class Row>
bool RowIn(const std::vector<Row>& rows, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < rows.size();
}

// Before row `index`, up to after the last; elsewhere nothing.
template <class Row>
void InsertRowAt(std::vector<Row>& rows, int index, Row row) {
  if (index < 0 || static_cast<std::size_t>(index) > rows.size()) return;
  rows.insert(rows.begin() + index, std::move(row));
}

template <class Row>
void EraseRowAt(std::vector<Row>& rows, int index) {
  if (RowIn(rows, index)) rows.erase(rows.begin() + index);
}

// The grid's cell kind of a column: 3 for the point number in column 1, 5
// for the numbers in columns 2 to `lastNumberColumn`, 0 for the rest.
int EntryColumnKind(int column, int lastNumberColumn);

// A column's width in pixels from the sheet's table; 0 outside it.
int ColumnWidthOf(std::span<const int> widths, int column);

// The cells outside the rows: the corner shows nothing, a row heading the
// row's number from 1, a column heading the heading the grid stored. True
// when (column, row) is one of them; `cell` is then filled (and is emptied
// in every case).
bool FrameCellText(const CUGDataSource& sheet, int column, int row, CellValue& cell);

// A row's undo state: what `write(ArchiveWriter&, const Row&)` writes for it;
// empty outside the rows.
template <class Row, class Write>
std::string RecordState(const std::vector<Row>& rows, int row, Write write) {
  if (!RowIn(rows, row)) return {};
  ArchiveWriter out;
  write(out, rows[static_cast<std::size_t>(row)]);
  return out.Bytes();
}

// Puts a row back from its undo state through `read(ArchiveReader&, Row&)`,
// which starts from a default-constructed row; 0 (nothing changed) outside
// the rows or when the state does not read.
template <class Row, class Read>
int RestoreRecordState(std::vector<Row>& rows, int row, const std::string& state, Read read) {
  if (!RowIn(rows, row)) return 0;
  ArchiveReader in(state);
  Row restored{};
  if (!read(in, restored)) return 0;
  rows[static_cast<std::size_t>(row)] = std::move(restored);
  return 1;
}

// Writes the sheet file through `write(ArchiveWriter&)` into a temporary file
// that replaces `path` only once it is whole. False, after showing "Could not
// save the <what> to <path>: <reason>", when it could not; `path` is then as
// it was.
bool SaveSheetFile(const std::string& path, Messages& messages, const char* what,
                   const std::function<void(ArchiveWriter&)>& write);

enum class SheetFileRead { NotOpened, Failed, Read };

// Reads the sheet file through `read(ArchiveReader&)` while holding it
// locked. NotOpened (no message) when it cannot be opened; Failed, after
// showing why, when a read failed before the end or memory ran out: the
// caller then drops what `read` gathered.
SheetFileRead ReadSheetFile(const std::string& path, Messages& messages,
                            const std::function<void(ArchiveReader&)>& read);

// The base of a sheet that keeps its rows in one vector: the rows, the sheet's
// context and file path, the row count, inserting and deleting rows and a
// row's undo state. A sheet adds its columns, cells and commands, and says
// what a row's state holds (WriteRowState, ReadRowState).
template <class Row>
class RowSheet : public CUGDataSource {
 public:
  explicit RowSheet(SheetContext& context) : ctx_(context) {}
  RowSheet(const RowSheet&) = delete;
  RowSheet& operator=(const RowSheet&) = delete;

  int RowCount() override { return static_cast<int>(rows_.size()); }
  int InsertRow(int index) override {
    if (index < 0 || index > RowCount()) return 0;
    rows_.insert(rows_.begin() + index, InsertedRow());
    RowsChanged();
    return 0;
  }
  int DeleteRow(int index) override {
    if (!RowInside(index)) return 0;
    rows_.erase(rows_.begin() + index);
    RowsChanged();
    return 0;
  }
  std::string RowState(int row) override {
    return RecordState(rows_, row,
                       [this](ArchiveWriter& out, const Row& r) { WriteRowState(out, r); });
  }
  int RestoreRowState(int row, const std::string& state) override {
    const int restored = RestoreRecordState(
        rows_, row, state, [this](ArchiveReader& in, Row& r) { return ReadRowState(in, r); });
    if (restored != 0) RowsChanged();
    return restored;
  }

  // Option 1: the column's width; option 2: where Enter goes from a cell of
  // a row in the sheet (1, nothing moved, for a row outside it).
  int GridOption(int option, int& p1, int& p2) override {
    if (option == 1) {
      p2 = ColumnWidthOf(ColumnWidths(), p1);
      return 0;
    }
    if (option != 2) return 0;
    if (!RowInside(p2)) return 1;
    NextCell(p1, p2);
    return 0;
  }

  std::vector<Row>& Rows() { return rows_; }
  const std::vector<Row>& Rows() const { return rows_; }
  SheetContext& Context() { return ctx_; }
  // The file last loaded or saved (the printed header names it).
  const std::string& DocumentPath() const { return documentPath_; }

 protected:
  bool RowInside(int row) const { return RowIn(rows_, row); }
  // Pixels per column, one per column.
  virtual std::span<const int> ColumnWidths() const = 0;
  // The cell Enter goes to from (column, row); the row is in the sheet.
  virtual void NextCell(int& column, int& row) = 0;
  // The row InsertRow puts in.
  virtual Row InsertedRow() const { return Row{}; }
  // A row's undo state; ReadRowState starts from a default-constructed row.
  virtual void WriteRowState(ArchiveWriter& out, const Row& row) const = 0;
  virtual bool ReadRowState(ArchiveReader& in, Row& row) const = 0;
  // After rows were inserted, deleted or restored.
  virtual void RowsChanged() {}

  SheetContext& ctx_;
  std::vector<Row> rows_;
  std::string documentPath_;
};

}  // namespace kestrel
