#pragma once
// The column tables of the radiation sheets: what each column of each row
// type is headed and which field of the row it shows and stores. A member of
// the family describes its grid with one StadiaColumns; the family's cell
// texts, cell parsing, headings, widths and column counts all read it.
#include <span>
#include <string_view>

namespace kestrel {

// What a cell shows and stores.
enum class StadiaField {
  None,
  Point,
  Note,
  Hz,         // horizontal circle reading
  Vertical,   // vertical circle reading in obs2
  Backsight,  // the AT/BS backsight number inside obs2
  Dist,
  HeightDiff,  // the HZ/DH height difference in obs2
  TargetHt,
  East,
  North,
  Height,
  Code,
  Comment,
};

struct ColumnSpec {
  const char* heading;
  StadiaField field;
};

struct StadiaColumns {
  // The row types' keywords in code order (the text of column 0), and the
  // drop list of column 0 made of them ("STN\nAT/BS\n...").
  std::span<const std::string_view> keywords;
  const char* typeChoices;
  // Columns while the coordinate columns are shown, and while they are not.
  int entryColumns;
  int hiddenColumns;
  // Pixels per column (GridOption 1), one per entry column.
  std::span<const int> widths;
  // The columns alike on every row type, one per entry column; the per-type
  // columns hold None here.
  std::span<const ColumnSpec> common;
  // The columns that change with the row type: columns firstTypeColumn to
  // firstTypeColumn + typeColumns - 1, typeColumns specs per row type in type
  // order.
  int firstTypeColumn;
  int typeColumns;
  std::span<const ColumnSpec> byType;

  // The description of a cell; None outside the table.
  ColumnSpec SpecOf(int column, int type) const;
  std::string_view Heading(int column, int type) const { return SpecOf(column, type).heading; }
  // 0 outside the table.
  int Width(int column) const;
};

// The Stadia sheet's table: eleven columns, eight while the coordinates are
// hidden; the precision sheet shows the same columns.
inline constexpr int kStadiaEntryColumns = 11;
inline constexpr int kStadiaHiddenColumns = 8;
extern const StadiaColumns kStadiaColumns;

}  // namespace kestrel
