// The Stadia sheet's rows, columns, cell texts and cell parsing.
#include "sheets/stadia/stadia.h"

#include <algorithm>
#include <cmath>

#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/stadia/stadia_file.h"
#include "survey/angles.h"
#include "survey/distances.h"

namespace kestrel {

namespace {

// What a column of a row type shows and stores.
enum class Field {
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
  Field field;
};

// Columns 1 to 5 of each row type.
constexpr ColumnSpec kTypeColumns[kStadiaRowTypeCount][5] = {
    {{"Pt#", Field::Point},
     {"East", Field::East},
     {"North", Field::North},
     {"Height", Field::Height},
     {"", Field::None}},
    {{"At#", Field::Point},
     {"Hz Cir", Field::Hz},
     {"BS#", Field::Backsight},
     {"Ht In", Field::Dist},
     {"", Field::None}},
    {{"Note", Field::Note},
     {"", Field::None},
     {"", Field::None},
     {"", Field::None},
     {"", Field::None}},
    {{"Pt#", Field::Point},
     {"Hz Cir", Field::Hz},
     {"Vt Cir", Field::Vertical},
     {"S/Dist", Field::Dist},
     {"Ht", Field::TargetHt}},
    {{"Pt#", Field::Point},
     {"Hz Cir", Field::Hz},
     {"Hz dist", Field::Dist},
     {"Ht/Diff", Field::HeightDiff},
     {"Ht", Field::TargetHt}},
    {{"Pt#", Field::Point},
     {"Hz Cir", Field::Hz},
     {"Hz dist", Field::Dist},
     {"Height", Field::Height},
     {"", Field::None}},
    {{"Pt#", Field::Point},
     {"Hz Cir", Field::Hz},
     {"Vt Cir", Field::Vertical},
     {"S/Dist", Field::Dist},
     {"Ht", Field::TargetHt}},
};

// Columns 0 and 6 to 10 are the same on every row type.
constexpr ColumnSpec kCommonColumns[] = {
    {"Type", Field::None},     {"", Field::None},
    {"", Field::None},         {"", Field::None},
    {"", Field::None},         {"", Field::None},
    {"PC", Field::Code},       {"Comments", Field::Comment},
    {"East", Field::East},     {"North", Field::North},
    {"Height", Field::Height},
};

constexpr int kColumnWidths[Stadia::kEntryColumns] = {65, 45, 95, 95, 80, 50, 70, 90, 60, 60, 60};

ColumnSpec SpecOf(int column, int type) {
  if (column < 0 || column >= Stadia::kEntryColumns) return {"", Field::None};
  if (column >= 1 && column <= 5) {
    if (type < 0 || type >= kStadiaRowTypeCount) return {"", Field::None};
    return kTypeColumns[type][column - 1];
  }
  return kCommonColumns[column];
}

std::string PointText(std::uint32_t point) {
  if (point == kNoPoint) return {};
  return Sprintf("%1d", static_cast<int>(point));
}

}  // namespace

Stadia::Stadia(SheetContext& context) : ctx_(context) {}

Stadia::~Stadia() = default;

bool Stadia::EntryFlag(int column) const {
  if (column < 0 || column >= kEntryColumns) return false;
  return entryFlags_[static_cast<std::size_t>(column)];
}

int Stadia::RowCount() { return static_cast<int>(rows_.size()); }

int Stadia::ColumnCount() { return showCoordinates_ ? kEntryColumns : kColumnsHidden; }

int Stadia::ColumnHeading(int column, std::string& text) {
  const int row = ReadInt(text);
  text.clear();
  const int count = RowCount();
  if (count == 0 || row < 0 || row > count) return 0;
  text = SpecOf(column, rows_[static_cast<std::size_t>(std::min(row, count - 1))].type).heading;
  return 0;
}

int Stadia::ColumnKind(int column, int& kind) {
  if (column == 1) {
    kind = 3;
  } else if (column >= 2 && column <= 5) {
    kind = 5;
  } else {
    kind = 0;
  }
  return 0;
}

int Stadia::AppendRow() {
  if (!rows_.empty() && rows_.back().point == kNoPoint && rows_.back().note.empty()) return 0;
  rows_.push_back(BlankStadiaRow(defaultType_));
  SetAllEntryFlags(false);
  return 0;
}

int Stadia::InsertRow(int index) {
  if (index < 0 || index > RowCount()) return 0;
  rows_.insert(rows_.begin() + index, BlankStadiaRow(kStadiaStn));
  return 0;
}

int Stadia::DeleteRow(int index) {
  if (!RowInside(index)) return 0;
  if (index == RowCount() - 1) SetAllEntryFlags(true);
  rows_.erase(rows_.begin() + index);
  return 0;
}

std::string Stadia::HorizontalAngleText(double packedDms) {
  if (IsEmptyValue(packedDms)) return {};
  const int mode = ctx_.units.BearingMode();
  if (mode == kGrads) return FormatGradsCellText(packedDms);
  std::string text = FormatDmsText(packedDms);
  if (mode == kQuadrant) QuadrantBearingText(text);
  return text;
}

// Vertical circle readings are never given quadrant letters.
std::string Stadia::VerticalAngleText(double packedDms) {
  if (IsEmptyValue(packedDms)) return {};
  if (ctx_.units.BearingMode() == kGrads) return FormatGradsCellText(packedDms);
  return FormatDmsText(packedDms);
}

std::string Stadia::DistanceText(double value) {
  if (IsEmptyValue(value)) return {};
  std::string text = Sprintf("%8.3f", value);
  FormatDistanceText(text, value, ctx_.units.DistanceUnit());
  return text;
}

std::string Stadia::FieldText(int column, const StadiaRow& row) {
  if (column == 0) return std::string(StadiaTypeKeyword(row.type));
  switch (SpecOf(column, row.type).field) {
    case Field::None:
      return {};
    case Field::Point:
      return PointText(row.point);
    case Field::Note:
      return row.note;
    case Field::Hz:
      return HorizontalAngleText(row.hz);
    case Field::Vertical:
      return VerticalAngleText(row.obs2);
    case Field::Backsight:
      return HasBacksight(row) ? Sprintf("%1d", static_cast<int>(BacksightNumber(row)))
                               : std::string();
    case Field::Dist:
      return DistanceText(row.dist);
    case Field::HeightDiff:
      return DistanceText(row.obs2);
    case Field::TargetHt:
      return DistanceText(row.targetHt);
    case Field::East:
      return DistanceText(row.east);
    case Field::North:
      return DistanceText(row.north);
    case Field::Height:
      return DistanceText(row.height);
    case Field::Code:
      return row.code;
    case Field::Comment:
      return row.comment;
  }
  return {};
}

// The last row offers values from the rows above in the cell after the one
// the user filled last. The column-2 suggestion is stored as well, so that the
// shot keeps it when the user passes over it.
bool Stadia::SuggestionText(int column, int row, std::string& text) {
  if (row != RowCount() - 1 || row == 0) return false;
  if (column < 1 || column >= kEntryColumns) return false;
  StadiaRow& current = rows_[static_cast<std::size_t>(row)];
  if (current.type == kStadiaFnote) return false;
  if (!entryFlags_[static_cast<std::size_t>(column - 1)] ||
      entryFlags_[static_cast<std::size_t>(column)]) {
    return false;
  }
  int source = row - 1;
  while (source >= 0 && rows_[static_cast<std::size_t>(source)].type == kStadiaFnote) --source;
  if (source < 0) return false;
  const StadiaRow& from = rows_[static_cast<std::size_t>(source)];

  switch (column) {
    case 1:
      // The next number after the row above; nothing when it has none.
      text =
          from.point == kNoPoint ? std::string() : Sprintf("%6d", static_cast<int>(from.point + 1));
      return true;
    case 2: {
      if (!IsStadiaShot(current.type)) return false;
      int shot = row - 1;
      while (shot >= 0 && !IsStadiaShot(rows_[static_cast<std::size_t>(shot)].type)) --shot;
      if (shot < 0) return false;
      current.hz = rows_[static_cast<std::size_t>(shot)].hz;
      text = IsEmptyValue(current.hz) ? std::string() : FormatDmsText(current.hz);
      return true;
    }
    case 5:
      if (current.type == kStadiaHdRl) return false;
      // In the user's distance notation, so that passing over the cell reads
      // the same value back.
      text = DistanceText(from.targetHt);
      return true;
    case 6:
      text = from.code;
      return true;
    case 7:
      text = from.comment;
      return true;
    default:
      text.clear();
      return true;
  }
}

int Stadia::CellText(int column, int row, CellValue& cell) {
  cell = CellValue{};
  if (column == -1 && row == -1) return 0;
  if (column == -1) {
    cell.text = Sprintf("%1d", row + 1);
    return 0;
  }
  if (row == -1) {
    cell.text = StoredHeading(column);
    return 0;
  }
  if (rows_.empty()) return 0;
  if (column == 0) cell.choices = kStadiaTypeChoices;
  if (!RowInside(row) || column < 0) return 0;

  const StadiaRow& current = rows_[static_cast<std::size_t>(row)];
  const bool station = current.type == kStadiaStn || current.type == kStadiaAtBs;
  cell.textColor = station ? kBlueText : kBlackText;
  cell.joinNote = current.type == kStadiaFnote;
  if (!SuggestionText(column, row, cell.text)) cell.text = FieldText(column, current);
  return 0;
}

void Stadia::ParseField(int column, StadiaRow& row, const std::string& text) {
  const int mode = ctx_.units.BearingMode();
  const int unit = ctx_.units.DistanceUnit();
  switch (SpecOf(column, row.type).field) {
    case Field::None:
      break;
    case Field::Point:
      row.point = static_cast<std::uint32_t>(ReadInt(text));
      break;
    case Field::Note:
      row.note = text;
      break;
    case Field::Hz:
      row.hz = FiniteOrEmpty(ParseAngleText(text, mode));
      break;
    case Field::Vertical:
      row.obs2 = FiniteOrEmpty(ParseAngleText(text, mode == kGrads ? kGrads : kWholeCircle));
      break;
    case Field::Backsight:
      SetBacksightNumber(row, static_cast<std::uint32_t>(ReadInt(text)));
      break;
    case Field::Dist:
      row.dist = FiniteOrEmpty(ParseDistanceText(text, unit));
      break;
    case Field::HeightDiff:
      row.obs2 = FiniteOrEmpty(ParseDistanceText(text, unit));
      break;
    case Field::TargetHt:
      row.targetHt = FiniteOrEmpty(ParseDistanceText(text, unit));
      break;
    case Field::East:
      row.east = FiniteOrEmpty(ParseDistanceText(text, unit));
      break;
    case Field::North:
      row.north = FiniteOrEmpty(ParseDistanceText(text, unit));
      break;
    case Field::Height:
      row.height = FiniteOrEmpty(ParseDistanceText(text, unit));
      break;
    case Field::Code:
      row.code = text;
      break;
    case Field::Comment:
      row.comment = text;
      break;
  }
}

int Stadia::ParseCell(int column, int row, const CellValue& cell) {
  const int count = RowCount();
  if (row < 0 || row > count) return 0;
  if (row == count) {
    // The entry in the row after the last only opens a new row.
    AppendRow();
    return 0;
  }
  StadiaRow& target = rows_[static_cast<std::size_t>(row)];
  int result = 0;
  if (column == 0) {
    const int type = StadiaTypeFromKeyword(cell.text);
    if (type >= 0) target.type = static_cast<std::int8_t>(type);
    result = 1;
  } else {
    ParseField(column, target, cell.text);
  }
  if (row == count - 1 && column >= 0 && column < kEntryColumns) {
    entryFlags_[static_cast<std::size_t>(column)] = true;
  }
  return result;
}

int Stadia::GridOption(int option, int& p1, int& p2) {
  if (option == 1) {
    p2 = (p1 >= 0 && p1 < kEntryColumns) ? kColumnWidths[p1] : 0;
    return 0;
  }
  if (option != 2) return 0;
  int& column = p1;
  int& row = p2;
  if (!RowInside(row)) return 1;
  const int type = rows_[static_cast<std::size_t>(row)].type;
  if (type == kStadiaFnote && column == 1) {
    column = 0;
    ++row;
  } else if (type == kStadiaHdRl && column == 4) {
    // An HD/RL row has no target height: skip to the code, which then offers
    // its suggestion.
    column = 6;
    entryFlags_[5] = true;
  } else if (++column > ColumnCount()) {
    column = 0;
    ++row;
  }
  return 0;
}

std::string Stadia::RowState(int row) {
  if (!RowInside(row)) return {};
  ArchiveWriter out;
  WriteStadiaRecord(out, rows_[static_cast<std::size_t>(row)]);
  return out.Bytes();
}

int Stadia::RestoreRowState(int row, const std::string& state) {
  if (!RowInside(row)) return 0;
  ArchiveReader in(state);
  StadiaRow restored = BlankStadiaRow();
  if (ReadStadiaRecord(in, restored) != RecordRead::Whole) return 0;
  rows_[static_cast<std::size_t>(row)] = std::move(restored);
  return 1;
}

}  // namespace kestrel
