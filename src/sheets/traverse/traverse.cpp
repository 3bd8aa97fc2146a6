// The Traverse sheet's rows, columns, cell texts and cell parsing.
#include "sheets/traverse/traverse.h"

#include <algorithm>
#include <cmath>

#include "platform/archive.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/traverse/traverse_file.h"
#include "survey/angles.h"
#include "survey/distances.h"

namespace kestrel {

namespace {

// What a column of a row type shows and stores.
enum class Field {
  None,
  At,
  To,
  Note,
  Angle,
  Bearing,  // the Robj row's reference bearing
  Vertical,
  SlopeDist,
  InstHt,
  TargetHt,
  East,
  North,
  Height,
  Code,
};

struct ColumnSpec {
  const char* heading;
  Field field;
};

// Columns 1 to 8 of each kind of row.
constexpr ColumnSpec kStnColumns[8] = {{"At point", Field::At}, {"East", Field::East},
                                       {"North", Field::North}, {"Height", Field::Height},
                                       {"", Field::None},       {"", Field::None},
                                       {"", Field::None},       {"", Field::Code}};
constexpr ColumnSpec kBSiteColumns[8] = {{"At point", Field::At},      {"To Point", Field::To},
                                         {"Ang / Bear", Field::Angle}, {"", Field::Vertical},
                                         {"", Field::SlopeDist},       {"", Field::InstHt},
                                         {"", Field::TargetHt},        {"", Field::Code}};
constexpr ColumnSpec kNoteColumns[8] = {
    {"Fnote", Field::Note}, {"", Field::None}, {"", Field::None}, {"", Field::None},
    {"", Field::None},      {"", Field::None}, {"", Field::None}, {"", Field::None}};
constexpr ColumnSpec kObservationColumns[8] = {
    {"At point", Field::At},     {"To Point", Field::To},     {"Ang / Bear", Field::Angle},
    {"Vert", Field::Vertical},   {"SDist", Field::SlopeDist}, {"Ht in", Field::InstHt},
    {"Ht tar", Field::TargetHt}, {"Pt Code", Field::Code}};
constexpr ColumnSpec kRobjColumns[8] = {{"At point", Field::At},        {"To Point", Field::To},
                                        {"Ang / Bear", Field::Bearing}, {"Vert", Field::Vertical},
                                        {"SDist", Field::SlopeDist},    {"Ht in", Field::InstHt},
                                        {"Ht tar", Field::TargetHt},    {"Pt Code", Field::Code}};
constexpr ColumnSpec kNoColumns[8] = {{"At point", Field::None},   {"To Point", Field::None},
                                      {"Ang / Bear", Field::None}, {"Vert", Field::None},
                                      {"SDist", Field::None},      {"Ht in", Field::None},
                                      {"Ht tar", Field::None},     {"Pt Code", Field::None}};

constexpr const char* kCoordinateHeadings[3] = {"East", "North", "Height"};

constexpr int kColumnWidths[Traverse::kEntryColumns] = {80, 55, 95, 95, 80, 80,
                                                        60, 60, 60, 90, 90, 60};

const ColumnSpec* ColumnsOf(int type) {
  switch (type) {
    case kTravStn:
      return kStnColumns;
    case kTravBSite:
      return kBSiteColumns;
    case kTravFnote:
      return kNoteColumns;
    case kTravRobj:
      return kRobjColumns;
    case kTravDual:
    case kTravRounds:
      return kNoColumns;
    default:
      return kObservationColumns;
  }
}

ColumnSpec SpecOf(int column, int type) {
  if (column >= 1 && column <= 8) return ColumnsOf(type)[column - 1];
  return {"", Field::None};
}

double Stored(double value) { return std::isfinite(value) ? value : kEmptyValue; }

// Heights are single precision; what a float cannot hold is left empty.
float StoredFloat(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 1e30) return kEmptyFloat;
  return static_cast<float>(value);
}

std::string PointText(std::uint32_t point) {
  if (point == kNoPoint) return {};
  return Sprintf("%1d", static_cast<int>(point));
}

}  // namespace

Traverse::Traverse(SheetContext& context) : RowSheet(context) {}

Traverse::~Traverse() = default;

void Traverse::RowsChanged() {
  indexStale_ = true;
  angleNote_.reset();
}

int Traverse::ColumnCount() { return showCoordinates_ ? kEntryColumns : kColumnsHidden; }

int Traverse::ColumnHeading(int column, std::string& text) {
  const int row = ReadInt(text);
  text.clear();
  const int count = RowCount();
  if (count == 0 || row < 0 || row > count) return 0;
  const int type = rows_[static_cast<std::size_t>(std::min(row, count - 1))].type;
  if (column == 0) {
    text = "Type";
  } else if (column >= 9 && column <= 11) {
    text = kCoordinateHeadings[column - 9];
  } else {
    text = SpecOf(column, type).heading;
  }
  return 0;
}

int Traverse::ColumnKind(int column, int& kind) {
  kind = EntryColumnKind(column, 5);
  return 0;
}

int Traverse::AppendRow() {
  int type = kTravStn;
  if (!rows_.empty()) type = defaultType_ >= 0 ? defaultType_ : rows_.back().type;
  rows_.push_back(BlankTraverseRow(type));
  RowsChanged();
  return 0;
}

bool Traverse::HasAngleNote() {
  if (!angleNote_) {
    angleNote_ = std::any_of(rows_.begin(), rows_.end(), [](const TraverseRow& row) {
      return row.type == kTravFnote && NoteStartsWith(row.note, "angle");
    });
  }
  return *angleNote_;
}

int Traverse::TraverseRowAbove(int row) {
  if (indexStale_) {
    traverseRows_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i].type == kTravTraverse) traverseRows_.push_back(static_cast<int>(i));
    }
    indexStale_ = false;
  }
  const auto found = std::lower_bound(traverseRows_.begin(), traverseRows_.end(), row);
  return found == traverseRows_.begin() ? -1 : *(found - 1);
}

void Traverse::FillCarriedFields(int row) {
  if (!RowInside(row)) return;
  TraverseRow& r = rows_[static_cast<std::size_t>(row)];
  if (r.type != kTravTraverse) return;
  const int aboveIndex = TraverseRowAbove(row);
  const TraverseRow* above =
      aboveIndex >= 0 ? &rows_[static_cast<std::size_t>(aboveIndex)] : nullptr;
  if ((r.at == kNoPoint || r.at == 0) && above != nullptr && above->to != kNoPoint)
    r.at = above->to;
  if (r.to == kNoPoint && r.at != kNoPoint && r.at != 0) r.to = r.at + 1;
  if (above == nullptr) return;
  if (IsEmptyValue(r.angle)) r.angle = above->angle;
  if (IsEmptyValue(r.vertical)) r.vertical = above->vertical;
  if (IsEmptyValue(r.slope_dist)) r.slope_dist = above->slope_dist;
  if (IsEmptyValue(r.inst_ht)) r.inst_ht = above->inst_ht;
  if (IsEmptyValue(r.target_ht)) r.target_ht = above->target_ht;
}

std::string Traverse::AngleText(double packedDms, bool quadrant) {
  if (IsEmptyValue(packedDms)) return {};
  const int mode = ctx_.units.BearingMode();
  if (mode == kGrads) return FormatGradsCellText(packedDms);
  std::string text = FormatDmsText(packedDms);
  if (mode == kQuadrant && quadrant) QuadrantBearingText(text);
  return text;
}

std::string Traverse::VerticalText(double packedDms) {
  if (IsEmptyValue(packedDms)) return {};
  if (ctx_.units.BearingMode() == kGrads) return FormatGradsCellText(packedDms);
  return FormatDmsText(packedDms);
}

std::string Traverse::DistanceText(double value) {
  if (IsEmptyValue(value)) return {};
  std::string text = Sprintf("%8.3f", value);
  FormatDistanceText(text, value, ctx_.units.DistanceUnit());
  return text;
}

std::string Traverse::FieldText(int column, const TraverseRow& row) {
  if (column == 0) return std::string(TraverseTypeKeyword(row.type));
  const int type = row.type;
  if (type == kTravDual || type == kTravRounds || type >= kTraverseRowTypeCount) return {};
  if (column >= 9 && column <= 11) {
    if (type == kTravFnote) return {};
    // STN and BSite rows show their own coordinates, observations the
    // adjusted ones.
    const bool own = type == kTravStn || type == kTravBSite;
    const double values[3] = {own ? row.east : row.adj_east, own ? row.north : row.adj_north,
                              own ? double(row.height) : row.adj_height};
    return DistanceText(values[column - 9]);
  }
  // A BSite row edits more fields than it shows.
  if (type == kTravBSite && column >= 4) return {};
  // With an angle note the legs' column holds angles, which stay whole circle.
  const bool quadrantAngle =
      type == kTravBSite || type == kTravRobj || type == kTravCheck || !HasAngleNote();
  switch (SpecOf(column, type).field) {
    case Field::None:
      return {};
    case Field::At:
      return PointText(row.at);
    case Field::To:
      return PointText(row.to);
    case Field::Note:
      return row.note;
    case Field::Angle:
      return AngleText(row.angle, quadrantAngle);
    case Field::Bearing:
      return AngleText(row.bearing, true);
    case Field::Vertical:
      return VerticalText(row.vertical);
    case Field::SlopeDist:
      return DistanceText(row.slope_dist);
    case Field::InstHt:
      return DistanceText(row.inst_ht);
    case Field::TargetHt:
      return DistanceText(row.target_ht);
    case Field::East:
      return DistanceText(row.east);
    case Field::North:
      return DistanceText(row.north);
    case Field::Height:
      return DistanceText(row.height);
    case Field::Code:
      return row.code;
  }
  return {};
}

int Traverse::CellText(int column, int row, CellValue& cell) {
  if (FrameCellText(*this, column, row, cell)) return 0;
  if (rows_.empty()) return 0;
  if (column == 0) cell.choices = kTraverseTypeChoices;
  if (!RowInside(row) || column < 0) return 0;
  FillCarriedFields(row);
  const TraverseRow& current = rows_[static_cast<std::size_t>(row)];
  cell.textColor = current.type == kTravStn ? kBlueText : kBlackText;
  cell.joinNote = current.type == kTravFnote;
  cell.text = FieldText(column, current);
  return 0;
}

void Traverse::ParseField(int column, TraverseRow& row, const std::string& text) {
  const int mode = ctx_.units.BearingMode();
  const int unit = ctx_.units.DistanceUnit();
  switch (SpecOf(column, row.type).field) {
    case Field::None:
      break;
    case Field::At:
      row.at = static_cast<std::uint32_t>(ReadInt(text));
      break;
    case Field::To:
      row.to = static_cast<std::uint32_t>(ReadInt(text));
      break;
    case Field::Note:
      row.note = text;
      RowsChanged();  // the note may start or stop being an angle note
      break;
    case Field::Angle:
      row.angle = Stored(ParseAngleText(text, mode));
      break;
    case Field::Bearing:
      row.bearing = Stored(ParseAngleText(text, mode));
      break;
    case Field::Vertical: {
      // A leg booked without a vertical angle is a level sight.
      const bool level =
          row.type == kTravTraverse && text.find_first_not_of(' ') == std::string::npos;
      const int verticalMode = (mode == kGrads && row.type != kTravBSite) ? kGrads : kWholeCircle;
      row.vertical = level ? 90.0 : Stored(ParseAngleText(text, verticalMode));
      break;
    }
    case Field::SlopeDist:
      row.slope_dist = Stored(ParseDistanceText(text, unit));
      break;
    case Field::InstHt:
      row.inst_ht = StoredFloat(ParseDistanceText(text, unit));
      break;
    case Field::TargetHt:
      row.target_ht = StoredFloat(ParseDistanceText(text, unit));
      break;
    case Field::East:
      row.east = Stored(ParseDistanceText(text, unit));
      break;
    case Field::North:
      row.north = Stored(ParseDistanceText(text, unit));
      break;
    case Field::Height:
      row.height = StoredFloat(ParseDistanceText(text, unit));
      break;
    case Field::Code:
      row.code = text;
      break;
  }
}

int Traverse::ParseCell(int column, int row, const CellValue& cell) {
  const int count = RowCount();
  if (row < 0 || row > count) return 0;
  if (row == count) AppendRow();
  TraverseRow& target = rows_[static_cast<std::size_t>(row)];
  if (column == 0) {
    const int type = TraverseTypeFromKeyword(cell.text);
    if (type >= 0 && type != target.type) {
      target.type = static_cast<std::uint8_t>(type);
      RowsChanged();
    }
    return 1;
  }
  ParseField(column, target, cell.text);
  return 0;
}

std::span<const int> Traverse::ColumnWidths() const { return kColumnWidths; }

void Traverse::NextCell(int& column, int& row) {
  const int type = rows_[static_cast<std::size_t>(row)].type;
  const bool lastOfType = (type == kTravStn && column == 4) ||
                          (type == kTravBSite && column == 3) ||
                          (type == kTravFnote && column == 1);
  if (lastOfType || ++column >= ColumnCount()) {
    column = 0;
    ++row;
  }
}

void Traverse::WriteRowState(ArchiveWriter& out, const TraverseRow& row) const {
  WriteTraverseRecord(out, row);
  out.WriteF64(row.adj_east);
  out.WriteF64(row.adj_north);
  out.WriteF64(row.adj_height);
}

bool Traverse::ReadRowState(ArchiveReader& in, TraverseRow& row) const {
  row = BlankTraverseRow();
  if (ReadTraverseRecord(in, row) != TraverseRecordRead::Whole) return false;
  for (double* adjusted : {&row.adj_east, &row.adj_north, &row.adj_height}) {
    if (!in.ReadF64(*adjusted)) return false;
    *adjusted = Stored(*adjusted);
  }
  return true;
}

}  // namespace kestrel
