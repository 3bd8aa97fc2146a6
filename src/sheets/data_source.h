#pragma once
// The data-source contract between a sheet and the entry grid. The grid owns
// no data: it asks the sheet for rows, columns, headings and cell texts, hands
// every edited cell back to ParseCell, and forwards commands as codes.
// Every sheet kind implements this contract unchanged.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "sheets/point_record.h"

namespace kestrel {

class PageCanvas;

struct RgbColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const RgbColor&) const = default;
};

inline constexpr RgbColor kBlackText{0, 0, 0};
inline constexpr RgbColor kBlueText{0, 0, 255};
inline constexpr RgbColor kNoteBackground{214, 214, 214};

// One grid cell as the sheet fills it for display, or as the grid hands an
// edited text back.
struct CellValue {
  std::string text;     // Windows-1252
  std::string choices;  // drop list of column 0, "\n"-terminated keywords; empty otherwise
  RgbColor textColor = kBlackText;
  bool joinNote = false;  // an Fnote row: columns 1 to 6 show one joined grey cell
  // Why the value cannot be what was meant (shown as a warning); empty when
  // it is sound.
  std::string doubt;
};

// First row, end row (exclusive) and the corrected-values flag of a listing.
struct RowRange {
  int first = 0;
  int end = 0;
  int corrected = 0;
};

// The first and last number of a renumbering, both included. Signed, because
// the "All" choice sends -10000000 to 100000000.
struct NumberRange {
  std::int64_t first = 0;
  std::int64_t last = 0;
};

// The grid's selection: the row of every selected cell (any order, repeats
// allowed).
struct SelectedRows {
  std::vector<int> rows;
};

// A typed Command argument. Each code documents which alternative it takes; a
// sheet given another alternative treats the argument as absent.
using CommandArg =
    std::variant<std::monostate, std::int64_t, std::string, std::string*, std::uint32_t*,
                 PointRecord*, const PointRecord*, PageCanvas*, RowRange, NumberRange, SelectedRows,
                 const std::vector<PointRecord>*>;

class CUGDataSource {
 public:
  virtual ~CUGDataSource() = default;

  virtual int RowCount() = 0;
  virtual int ColumnCount() = 0;
  // `text` comes in as the grid's current row number in decimal and goes out
  // as the heading of `column` for that row's type.
  virtual int ColumnHeading(int column, std::string& text) = 0;
  virtual int ColumnKind(int column, int& kind) = 0;
  virtual int AppendRow() = 0;
  virtual int InsertRow(int index) = 0;
  virtual int DeleteRow(int index) = 0;
  virtual int CellText(int column, int row, CellValue& cell) = 0;
  virtual int ParseCell(int column, int row, const CellValue& cell) = 0;
  virtual int Command(int code, const CommandArg& p1 = {}, const CommandArg& p2 = {}) = 0;
  // Option 1: p1 column in, p2 width in pixels out. Option 2: p1 column and
  // p2 row in, the cell the Enter key goes to out.
  virtual int GridOption(int option, int& p1, int& p2) = 0;
  // 1 when the sheet file was written, 0 when it could not be (the old file
  // is then untouched); 1 when read, 0 when the file cannot be opened.
  virtual int SaveToFile(const std::string& path) = 0;
  virtual int LoadFromFile(const std::string& path) = 0;

  // Undo support for the grid: the whole of one row as opaque bytes (the
  // sheet's own record encoding), and a row put back from such bytes. A row
  // outside the sheet gives an empty state; restoring into a row outside the
  // sheet, or from bytes that do not decode, does nothing and returns 0.
  virtual std::string RowState(int row) = 0;
  virtual int RestoreRowState(int row, const std::string& state) = 0;

  // The heading texts the grid keeps in the source, one per column.
  const std::string& StoredHeading(int column) const;
  void StoreHeading(int column, const std::string& text);

 private:
  std::vector<std::string> headings_;
};

// Helpers for reading typed arguments: the value when the argument holds that
// alternative, else the fallback.
std::int64_t ArgInt(const CommandArg& arg, std::int64_t fallback = 0);
template <typename T>
T ArgAs(const CommandArg& arg, T fallback = T{}) {
  if (const T* value = std::get_if<T>(&arg)) return *value;
  return fallback;
}

}  // namespace kestrel
