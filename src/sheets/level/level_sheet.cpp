// The level sheet's rows, columns, cell texts, carried defaults, cell parsing,
// Enter key, commands and point records.
#include "sheets/level/level_sheet.h"

#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/command_codes.h"
#include "sheets/command_table.h"
#include "sheets/level/level_headings.h"
#include "sheets/level/level_sheet_file.h"
#include "sheets/level/level_sheet_listing.h"
#include "survey/distances.h"

namespace kestrel {

namespace {

constexpr const char* kHeadings[LevelSheet::kColumns] = {"PT", "Chain", "Offset", "RL", "Code"};
constexpr int kColumnWidths[LevelSheet::kColumns] = {60, 90, 90, 90, 80};
constexpr int kCodeColumn = 4;
constexpr std::size_t kRecordText = 32;

}  // namespace

LevelSheet::LevelSheet(SheetContext& context) : RowSheet(context) {}

LevelSheet::~LevelSheet() = default;

int LevelSheet::ColumnCount() { return kColumns; }

int LevelSheet::ColumnHeading(int column, std::string& text) {
  LevelColumnHeading(rows_, ReadInt(text), column, kHeadings, text);
  return 0;
}

int LevelSheet::ColumnKind(int column, int& kind) {
  kind = EntryColumnKind(column, 4);
  return 0;
}

int LevelSheet::AppendRow() {
  LevelSheetRow row;
  row.type = static_cast<std::uint32_t>(defaultType_);
  row.point = 1;
  rows_.push_back(std::move(row));
  entryFlags_.fill(false);
  return 0;
}

std::string LevelSheet::ValueText(double value) const {
  if (IsEmptyValue(value)) return {};
  std::string text = Sprintf("%8.3f", value);
  FormatDistanceText(text, value, ctx_.units.DistanceUnit());
  return text;
}

// On the row being typed (not the first), column 0 until it is entered and any
// cell whose left neighbour has been entered while it has not offer the value
// of the nearest point row above: the next point number, the same chainage,
// the same code.
bool LevelSheet::DefaultText(int column, int row, std::string& text) const {
  if (row == 0 || row != static_cast<int>(rows_.size()) - 1) return false;
  if (rows_[static_cast<std::size_t>(row)].IsNote()) return false;
  const auto entered = [this](int c) { return entryFlags_[static_cast<std::size_t>(c)]; };
  const bool offered = column == 0 ? !entered(0) : entered(column - 1) && !entered(column);
  if (!offered) return false;
  text.clear();
  int source = row - 1;
  while (source >= 0 && rows_[static_cast<std::size_t>(source)].IsNote()) --source;
  if (source < 0) return true;
  const LevelSheetRow& above = rows_[static_cast<std::size_t>(source)];
  if (column == 0) {
    text = Sprintf("%5d", above.point + 1);
  } else if (column == 1) {
    text = ValueText(above.Value(kSheetChainage));
  } else if (column == kCodeColumn) {
    text = above.code;
  }
  return true;
}

int LevelSheet::CellText(int column, int row, CellValue& cell) {
  if (FrameCellText(*this, column, row, cell)) return 0;
  if (!RowInside(row) || column < 0 || column >= kColumns) return 0;
  const LevelSheetRow& current = rows_[static_cast<std::size_t>(row)];
  if (current.IsNote()) {
    cell.joinNote = true;
    if (column == 0) cell.text = current.note;
    return 0;
  }
  if (DefaultText(column, row, cell.text)) return 0;
  if (column == 0) {
    if (current.point > 0) cell.text = Sprintf("%8d", current.point);
  } else if (column == kCodeColumn) {
    cell.text = current.code;
  } else {
    cell.text = ValueText(current.Value(column - 1));
  }
  return 0;
}

int LevelSheet::ParseCell(int column, int row, const CellValue& cell) {
  if (!ctx_.app.startupComplete) return 0;
  if (row < 0 || row > RowCount() || column < 0 || column >= kColumns) return 0;
  if (row == RowCount()) {
    if (row == 0) return 0;
    AppendRow();
  }
  LevelSheetRow& target = rows_[static_cast<std::size_t>(row)];
  if (target.IsNote()) {
    if (column == 0) target.note = cell.text;
  } else if (column == 0) {
    target.point = ReadInt(cell.text);
  } else if (column == kCodeColumn) {
    target.code = cell.text;
  } else {
    target.values[static_cast<std::size_t>(column - 1)] =
        cell.text.empty() ? kLevelClearedValue
                          : KeptValue(ParseDistanceText(cell.text, ctx_.units.DistanceUnit()));
  }
  if (row == RowCount() - 1) entryFlags_[static_cast<std::size_t>(column)] = true;
  return 0;
}

int LevelSheet::SetDefaultType(std::int64_t type) {
  if (type == kLevelSheetPoint || type == kLevelSheetFnote) defaultType_ = static_cast<int>(type);
  return 0;
}

namespace {

using LevelSheetHandler = SheetCommand<LevelSheet>;
const LevelSheetHandler kLevelSheetCommands[] = {
    {kCmdSetDefaultType, [](LevelSheet& sheet, const CommandArg& p1,
                            const CommandArg&) { return sheet.SetDefaultType(ArgInt(p1, -1)); }},
    {kCmdFirstPoint,
     [](LevelSheet& sheet, const CommandArg& p1, const CommandArg&) {
       return sheet.NextPoint(ArgAs<PointRecord*>(p1, nullptr), true);
     }},
    {kCmdNextPoint,
     [](LevelSheet& sheet, const CommandArg& p1, const CommandArg&) {
       return sheet.NextPoint(ArgAs<PointRecord*>(p1, nullptr), false);
     }},
    {kCmdPrintHeader,
     [](LevelSheet& sheet, const CommandArg& p1, const CommandArg&) {
       return PrintLevelSheetHeader(sheet, ArgAs<PageCanvas*>(p1, nullptr));
     }},
    {kCmdPrintRows,
     [](LevelSheet& sheet, const CommandArg& p1, const CommandArg& p2) {
       return ListLevelSheetRows(sheet, ArgAs<PageCanvas*>(p1, nullptr), ArgAs<RowRange>(p2));
     }},
    // The sheet has no row types to cycle.
    {kCmdCycleType, [](LevelSheet&, const CommandArg&, const CommandArg&) { return 1; }},
    {kCmdRenumber, [](LevelSheet& sheet, const CommandArg& p1,
                      const CommandArg& p2) { return sheet.Renumber(p1, ArgInt(p2, 1)); }},
};

}  // namespace

std::vector<int> LevelSheetCommandCodes() {
  return CommandCodes(std::span<const SheetCommand<LevelSheet>>(kLevelSheetCommands));
}

int LevelSheet::Command(int code, const CommandArg& p1, const CommandArg& p2) {
  return DispatchCommand(std::span<const SheetCommand<LevelSheet>>(kLevelSheetCommands), *this,
                         code, p1, p2);
}

// A point row with a number and all three values goes to the host; road notes
// on the way set the road number.
int LevelSheet::NextPoint(PointRecord* record, bool first) {
  if (first) nextRow_ = 0;
  for (; nextRow_ < rows_.size(); ++nextRow_) {
    const LevelSheetRow& row = rows_[nextRow_];
    if (row.IsNote()) {
      if (const auto road = RoadNumberOfNote(row.note)) road_ = *road;
      continue;
    }
    if (row.point <= 0 || IsEmptyValue(row.Value(kSheetChainage)) ||
        IsEmptyValue(row.Value(kSheetOffset)) || IsEmptyValue(row.Value(kSheetRl))) {
      continue;
    }
    if (++nextRow_ == rows_.size() && !first) return -1;
    if (record != nullptr) {
      *record = PointRecord{
          .name = {},
          .point = row.point,
          .east = row.Value(kSheetChainage),
          .north = -row.Value(kSheetOffset),
          .height = float(row.Value(kSheetRl)),
          .code = row.code.substr(0, kRecordText),
          .description = {},
          .road = road_,
          .chainage = row.Value(kSheetChainage),
          .offset = row.Value(kSheetOffset),
          .spare = float(kEmptyValue),
          .flag = 0,
      };
    }
    return 0;
  }
  return -1;
}

// Every point row whose number lies in the range, in row order, takes the next
// number from the first new one up.
int LevelSheet::Renumber(const CommandArg& range, std::int64_t firstNewNumber) {
  const NumberRange numbers = ArgAs<NumberRange>(range);
  std::int64_t next = firstNewNumber;
  for (LevelSheetRow& row : rows_) {
    if (row.IsNote() || row.point < numbers.first || row.point > numbers.last) continue;
    row.point = static_cast<std::int32_t>(next++);
  }
  return 0;
}

std::span<const int> LevelSheet::ColumnWidths() const { return kColumnWidths; }

void LevelSheet::NextCell(int& column, int& row) {
  if ((rows_[static_cast<std::size_t>(row)].IsNote() && column == 0) || ++column >= kColumns) {
    column = 0;
    ++row;
  }
}

void LevelSheet::WriteRowState(ArchiveWriter& out, const LevelSheetRow& row) const {
  WriteLevelSheetRecord(out, row);
}

bool LevelSheet::ReadRowState(ArchiveReader& in, LevelSheetRow& row) const {
  return ReadLevelSheetRecord(in, row);
}

}  // namespace kestrel
