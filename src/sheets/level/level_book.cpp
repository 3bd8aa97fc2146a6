// The level book's rows, columns, cell texts, cell parsing and Enter key.
#include "sheets/level/level_book.h"

#include <cmath>

#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/command_codes.h"
#include "sheets/command_table.h"
#include "sheets/level/level_book_file.h"
#include "sheets/level/level_book_listing.h"
#include "sheets/level/level_book_reduction.h"
#include "sheets/level/level_headings.h"
#include "survey/distances.h"

namespace kestrel {

namespace {

constexpr const char* kHeadings[LevelBook::kColumns] = {"BS",       "IM",     "FS",      "RL",
                                                        "Chainage", "Offset", "Comments"};
constexpr int kColumnWidths[LevelBook::kColumns] = {60, 60, 60, 60, 80, 60, 80};
// An offset this close to zero is on the centre line.
constexpr double kCentreLine = 0.001;

}  // namespace

LevelBook::LevelBook(SheetContext& context) : RowSheet(context) {}

LevelBook::~LevelBook() = default;

int LevelBook::ColumnCount() { return kColumns; }

int LevelBook::ColumnHeading(int column, std::string& text) {
  LevelColumnHeading(rows_, ReadInt(text), column, kHeadings, text);
  return 0;
}

int LevelBook::ColumnKind(int column, int& kind) {
  kind = EntryColumnKind(column, 5);
  return 0;
}

int LevelBook::AppendRow() {
  LevelBookRow row;
  row.type = static_cast<std::uint8_t>(defaultType_);
  rows_.push_back(std::move(row));
  entryFlags_.fill(false);
  return 0;
}

std::string LevelBook::ValueText(int column, const LevelBookRow& row) const {
  const double value = row.Value(column);
  if (IsEmptyValue(value)) return {};
  if (column == kLevelOffset && std::fabs(value) < kCentreLine) return "CL";
  std::string text = Sprintf("%8.3f", value);
  // The staff readings BS and IM are always shown in plain decimals.
  if (column >= kLevelFs) FormatDistanceText(text, value, ctx_.units.DistanceUnit());
  return text;
}

int LevelBook::CellText(int column, int row, CellValue& cell) {
  if (FrameCellText(*this, column, row, cell)) return 0;
  if (!RowInside(row) || column < 0 || column >= kColumns) return 0;
  const LevelBookRow& current = rows_[static_cast<std::size_t>(row)];
  if (current.IsNote()) {
    cell.joinNote = true;
    if (column == 0) cell.text = current.note;
    return 0;
  }
  // On the row being typed, the cell after the one just entered stays empty
  // until it is entered itself.
  if (row == RowCount() - 1 && column >= 1 && entryFlags_[static_cast<std::size_t>(column - 1)] &&
      !entryFlags_[static_cast<std::size_t>(column)]) {
    return 0;
  }
  cell.text = column == kLevelCommentColumn ? current.comment : ValueText(column, current);
  return 0;
}

int LevelBook::ParseCell(int column, int row, const CellValue& cell) {
  if (row < 0 || row > RowCount() || column < 0 || column >= kColumns) return 0;
  if (row == RowCount()) AppendRow();
  LevelBookRow& target = rows_[static_cast<std::size_t>(row)];
  if (target.IsNote()) {
    if (column == 0) target.note = cell.text;
  } else if (column == kLevelCommentColumn) {
    target.comment = cell.text;
  } else if (cell.text.empty()) {
    target.SetValue(column, column == kLevelOffset ? 0.0 : kLevelClearedValue);
  } else {
    target.SetValue(column, KeptValue(ParseDistanceText(cell.text, ctx_.units.DistanceUnit())));
  }
  if (row == RowCount() - 1) entryFlags_[static_cast<std::size_t>(column)] = true;
  return 0;
}

int LevelBook::ReenterCell(int column, int row) {
  if (!RowInside(row)) return 0;
  CellValue cell;
  CellText(column, row, cell);
  ParseCell(column, row, cell);
  return 0;
}

int LevelBook::SetDefaultType(std::int64_t type) {
  if (type == kLevelReading || type == kLevelFnote) defaultType_ = static_cast<int>(type);
  return 0;
}

int LevelBook::Calculate() {
  ReduceLevelBook(rows_);
  return 0;
}

namespace {

using LevelBookHandler = SheetCommand<LevelBook>;
const LevelBookHandler kLevelBookCommands[] = {
    {kCmdSetDefaultType, [](LevelBook& book, const CommandArg& p1,
                            const CommandArg&) { return book.SetDefaultType(ArgInt(p1, -1)); }},
    {kCmdReenterCell,
     [](LevelBook& book, const CommandArg& p1, const CommandArg& p2) {
       return book.ReenterCell(static_cast<int>(ArgInt(p1, -1)), static_cast<int>(ArgInt(p2, -1)));
     }},
    {kCmdCalculate,
     [](LevelBook& book, const CommandArg&, const CommandArg&) { return book.Calculate(); }},
    {kCmdFirstPoint,
     [](LevelBook& book, const CommandArg& p1, const CommandArg&) {
       return book.NextPoint(ArgAs<PointRecord*>(p1, nullptr), true);
     }},
    {kCmdNextPoint,
     [](LevelBook& book, const CommandArg& p1, const CommandArg&) {
       return book.NextPoint(ArgAs<PointRecord*>(p1, nullptr), false);
     }},
    {kCmdPrintHeader,
     [](LevelBook& book, const CommandArg& p1, const CommandArg&) {
       return PrintLevelBookHeader(book, ArgAs<PageCanvas*>(p1, nullptr));
     }},
    {kCmdPrintRows,
     [](LevelBook& book, const CommandArg& p1, const CommandArg& p2) {
       return ListLevelBookRows(book, ArgAs<PageCanvas*>(p1, nullptr), ArgAs<RowRange>(p2));
     }},
    // The book has no row types to cycle.
    {kCmdCycleType, [](LevelBook&, const CommandArg&, const CommandArg&) { return 1; }},
};

}  // namespace

std::vector<int> LevelBookCommandCodes() {
  return CommandCodes(std::span<const SheetCommand<LevelBook>>(kLevelBookCommands));
}

int LevelBook::Command(int code, const CommandArg& p1, const CommandArg& p2) {
  return DispatchCommand(std::span<const SheetCommand<LevelBook>>(kLevelBookCommands), *this, code,
                         p1, p2);
}

// Point records for the host: one per reading row, numbered from 1, with the
// chainage carried down from the last row that gave one and the road number
// from the last "rd " note.
int LevelBook::NextPoint(PointRecord* record, bool first) {
  if (first) {
    road_ = 1;
    nextPoint_ = 1;
    nextRow_ = 0;
    chainage_ = 0.0;
  }
  for (; nextRow_ < rows_.size(); ++nextRow_) {
    const LevelBookRow& row = rows_[nextRow_];
    if (row.IsNote()) {
      if (const auto road = RoadNumberOfNote(row.note)) road_ = *road;
      continue;
    }
    if (!IsEmptyValue(row.Value(kLevelChainage))) chainage_ = row.Value(kLevelChainage);
    // The last row, normally the blank entry row, only counts as the first.
    if (++nextRow_ == rows_.size() && !first) return -1;
    if (record != nullptr) *record = LevelBookPointRecord(row, nextPoint_, road_, chainage_);
    ++nextPoint_;
    return 0;
  }
  return -1;
}

std::span<const int> LevelBook::ColumnWidths() const { return kColumnWidths; }

void LevelBook::NextCell(int& column, int& row) {
  if (rows_[static_cast<std::size_t>(row)].IsNote()) {
    // A note has one cell: Enter goes on to the next row.
    column = 0;
    ++row;
    return;
  }
  switch (column) {
    case kLevelBs:
      column = kLevelFs;
      break;
    case kLevelIm:
    case kLevelFs:
      ReduceLevelRow(rows_, static_cast<std::size_t>(row));
      column = kLevelOffset;
      break;
    case kLevelOffset:
      column = kLevelIm;
      ++row;
      break;
    default:
      if (++column > kLevelOffset) {
        column = 0;
        ++row;
      }
      break;
  }
}

void LevelBook::WriteRowState(ArchiveWriter& out, const LevelBookRow& row) const {
  out.WriteU8(row.type);
  WriteLevelBookRecord(out, row);
}

bool LevelBook::ReadRowState(ArchiveReader& in, LevelBookRow& row) const {
  return in.ReadU8(row.type) && ReadLevelBookRecord(in, row);
}

}  // namespace kestrel
