#pragma once
// StadiaFamily<Row>: the rows of a radiation sheet and every operation on
// them that the members share, written once for any member's row record.
//
// A member's Row is default-constructed blank (every value empty, no point,
// empty texts) and has the fields of StadiaRow under the same names (type,
// point, hz, obs2, east, north, height, code, comment, note; dist and
// targetHt where its cells show them), with HasBacksight, BacksightNumber and
// SetBacksightNumber for its AT/BS rows. A member may keep values in single
// precision and its point in 16 bits (all ones for none) as its file does; a
// member whose cells mean something else overrides FieldText and ParseField.
// Row type codes 0 (STN), 1 (AT/BS) and 2 (Fnote) are the family's; every
// type after the field note is a shot.
//
// A member instantiates the template once in its own .cpp
// (`template class StadiaFamily<MyRow>;`) and declares it `extern` in its
// header, so the code is compiled once.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <type_traits>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/fixed_text.h"
#include "platform/memory_advice.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/row_sheet.h"
#include "sheets/stadia/base_stadia.h"
#include "sheets/stadia/stadia_row.h"
#include "sheets/stadia/stadia_tolerances.h"
#include "sheets/stadia/stations_above.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/empty_value.h"
#include "survey/entry_doubts.h"

namespace kestrel {

// The row's point number; kNoPoint when it has none, whatever the width of
// the member's point field.
template <class Row>
std::uint32_t PointOf(const Row& row) {
  using Field = decltype(row.point);
  return row.point == static_cast<Field>(kNoPoint) ? kNoPoint : row.point;
}
template <class Row>
void SetPoint(Row& row, std::uint32_t number) {
  row.point = static_cast<decltype(row.point)>(number);
}

// A parsed or received value as a row field keeps it: empty when it is not
// finite in the field's precision.
inline void StoreValue(double& field, double value) { field = FiniteOrEmpty(value); }
inline void StoreValue(float& field, double value) {
  field = static_cast<float>(SinglePrecisionOrEmpty(value));
}

// Rows with the Stadia sheet's distance and target height fields (the
// family's default cells show them).
template <class Row>
concept StadiaDistanceRow = requires(Row& row) {
  row.dist;
  row.targetHt;
};

// The record of one row as the host receives it (commands 10, 11).
PointRecord UploadRecordOf(std::uint32_t point, double east, double north, double height,
                           const std::string& code, const std::string& comment);
template <class Row>
PointRecord UploadRecord(const Row& row) {
  return UploadRecordOf(PointOf(row), row.east, row.north, row.height, row.code, row.comment);
}

// A check shot's line of the check shot report: the station's coordinates
// less the check shot's; false when either lacks a position.
bool CheckShotLine(std::uint32_t point, const double (&station)[3], const double (&check)[3],
                   std::string& line);

template <class Row>
class StadiaFamily : public BaseStadia {
 public:
  using BaseStadia::BaseStadia;

  int RowCount() override { return static_cast<int>(rows_.size()); }
  int ColumnHeading(int column, std::string& text) override;
  int AppendRow() override;
  int InsertRow(int index) override;
  int DeleteRow(int index) override;
  int CellText(int column, int row, CellValue& cell) override;
  int ParseCell(int column, int row, const CellValue& cell) override;
  int GridOption(int option, int& p1, int& p2) override;

  // Why the value of a cell cannot be what was meant (an angle reading with
  // 60 minutes or seconds or more, a typed number with a letter inside it);
  // empty when it is sound.
  std::string CellDoubt(int column, const Row& row) const;

  // The rows, for the reductions, the listings and the exports.
  std::vector<Row>& Rows() { return rows_; }
  const std::vector<Row>& Rows() const { return rows_; }

  int NextUploadRecord(PointRecord* record, bool first) override;
  std::vector<std::string> CheckShotLines() const override;

 protected:
  bool RowInside(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }
  // Room for the rows of a file about to be read, in huge pages where the
  // system has them; skipped when the machine cannot give it.
  void ReserveRows(std::size_t count);

  // Hooks with the family's behaviour as default.

  // The text of an angle field of `row` (Hz or Vertical).
  virtual std::string AngleText(const Row& row, StadiaField field, double packedDms) const;
  virtual std::string FieldText(int column, const Row& row) const;
  // Cell parsing of columns 1 and up.
  virtual void ParseField(int column, Row& row, const std::string& text);
  // Notes in the row whether the number typed into `column` had a letter
  // inside it.
  void MarkTypedLetters(int column, Row& row, const std::string& text) const;
  // The last row offers values from the rows above (see the .cpp comment).
  virtual bool SuggestionText(int column, int row, std::string& text);
  // The member's own Enter-key moves, tried before the family's; true when it
  // moved the cursor.
  virtual bool MemberNextCell(int& /*column*/, int& /*row*/) { return false; }
  // The text colour of a row's cells: stations and set-ups blue.
  virtual RgbColor RowTextColor(const Row& row) const {
    return row.type == kStadiaStn || row.type == kStadiaAtBs ? kBlueText : kBlackText;
  }
  // After a row's type changed (typed, cycled or the default applied).
  virtual void TypeChanged(Row& /*row*/) {}
  // The rule of members whose HD/RL rows have no target height: Enter in the
  // height goes on to the code, which then offers its suggestion.
  bool HdRlSkipsTargetHeight(int& column, int row) {
    if (rows_[static_cast<std::size_t>(row)].type != kStadiaHdRl || column != 4) return false;
    column = 6;
    SetEntryFlag(5);
    return true;
  }

  int FindPoint(std::int64_t number) const override;
  int FindSetup(std::int64_t start) const override;
  int FindCode(std::int64_t start, const std::string& code) const override;
  void ReplaceCode(const std::string& from, const std::string& to) override;
  void CollectMissingPoints() override;
  void InsertHostPoint(std::int64_t row, const PointRecord& point) override;
  void InsertHostPoints(std::int64_t row, const std::vector<PointRecord>& points) override;
  int CycleType(std::int64_t row, char key) override;
  void Renumber(const NumberRange& range, std::int64_t firstNewNumber) override;
  void ApplyDefaultType(int row) override;

  // The STN row of a point from the host.
  static Row HostStation(const PointRecord& point);

  static Row BlankRow(int type) {
    Row row;
    row.type = static_cast<std::int8_t>(type);
    return row;
  }

 private:
  int TypeFromKeyword(std::string_view keyword) const;

  std::vector<Row> rows_;
  // The row after the one the last upload record came from (commands 10, 11).
  std::size_t uploadNext_ = 0;
};

// --- Rows and cells ------------------------------------------------------------

template <class Row>
int StadiaFamily<Row>::TypeFromKeyword(std::string_view keyword) const {
  const std::span<const std::string_view> keywords = Columns().keywords;
  const auto found = std::find(keywords.begin(), keywords.end(), keyword);
  return found == keywords.end() ? -1 : static_cast<int>(found - keywords.begin());
}

template <class Row>
int StadiaFamily<Row>::ColumnHeading(int column, std::string& text) {
  const int row = ReadInt(text);
  text.clear();
  const int count = RowCount();
  if (count == 0 || row < 0 || row > count) return 0;
  text = Columns().Heading(column, rows_[static_cast<std::size_t>(std::min(row, count - 1))].type);
  return 0;
}

template <class Row>
int StadiaFamily<Row>::AppendRow() {
  if (!rows_.empty() && PointOf(rows_.back()) == kNoPoint && rows_.back().note.empty()) return 0;
  rows_.push_back(BlankRow(DefaultType()));
  SetAllEntryFlags(false);
  return 0;
}

template <class Row>
int StadiaFamily<Row>::InsertRow(int index) {
  if (index < 0 || index > RowCount()) return 0;
  rows_.insert(rows_.begin() + index, BlankRow(kStadiaStn));
  return 0;
}

template <class Row>
int StadiaFamily<Row>::DeleteRow(int index) {
  if (!RowInside(index)) return 0;
  if (index == RowCount() - 1) SetAllEntryFlags(true);
  rows_.erase(rows_.begin() + index);
  return 0;
}

template <class Row>
std::string StadiaFamily<Row>::AngleText(const Row&, StadiaField field, double packedDms) const {
  return field == StadiaField::Vertical ? VerticalAngleText(packedDms)
                                        : HorizontalAngleText(packedDms);
}

template <class Row>
std::string StadiaFamily<Row>::FieldText(int column, const Row& row) const {
  if (column == 0) return std::string(TypeKeyword(row.type));
  const StadiaField field = Columns().SpecOf(column, row.type).field;
  switch (field) {
    case StadiaField::None:
      return {};
    case StadiaField::Point:
      return PointOf(row) == kNoPoint ? std::string() : IntegerText(static_cast<int>(row.point));
    case StadiaField::Note:
      return row.note;
    case StadiaField::Hz:
      return AngleText(row, field, row.hz);
    case StadiaField::Vertical:
      return AngleText(row, field, row.obs2);
    case StadiaField::Backsight:
      return HasBacksight(row) ? IntegerText(static_cast<int>(BacksightNumber(row)))
                               : std::string();
    case StadiaField::Dist:
      if constexpr (StadiaDistanceRow<Row>) return DistanceText(row.dist);
      return {};
    case StadiaField::HeightDiff:
      return DistanceText(row.obs2);
    case StadiaField::TargetHt:
      if constexpr (StadiaDistanceRow<Row>) return DistanceText(row.targetHt);
      return {};
    case StadiaField::East:
      return DistanceText(row.east);
    case StadiaField::North:
      return DistanceText(row.north);
    case StadiaField::Height:
      return DistanceText(row.height);
    case StadiaField::Code:
      return row.code;
    case StadiaField::Comment:
      return row.comment;
  }
  return {};
}

// The last row offers values from the rows above in the cell after the one
// the user filled last. The column-2 suggestion is stored as well, so that the
// shot keeps it when the user passes over it.
template <class Row>
bool StadiaFamily<Row>::SuggestionText(int column, int row, std::string& text) {
  if (row != RowCount() - 1 || row == 0) return false;
  if (column < 1 || column >= Columns().entryColumns) return false;
  Row& current = rows_[static_cast<std::size_t>(row)];
  if (current.type == kStadiaFnote) return false;
  if (!EntryFlag(column - 1) || EntryFlag(column)) return false;
  int source = row - 1;
  while (source >= 0 && rows_[static_cast<std::size_t>(source)].type == kStadiaFnote) --source;
  if (source < 0) return false;
  const Row& from = rows_[static_cast<std::size_t>(source)];

  switch (column) {
    case 1:
      // The next number after the row above; nothing when it has none.
      text = PointOf(from) == kNoPoint ? std::string()
                                       : Sprintf("%6d", static_cast<int>(from.point + 1));
      return true;
    case 2: {
      if (!IsShot(current.type)) return false;
      int shot = row - 1;
      while (shot >= 0 && !IsShot(rows_[static_cast<std::size_t>(shot)].type)) --shot;
      if (shot < 0) return false;
      current.hz = rows_[static_cast<std::size_t>(shot)].hz;
      text = IsEmptyValue(current.hz) ? std::string() : FormatDmsText(current.hz);
      return true;
    }
    default:
      break;
  }
  if constexpr (StadiaDistanceRow<Row>) {
    if (column == 5) {
      if (current.type == kStadiaHdRl) return false;
      // In the user's distance notation, so that passing over the cell reads
      // the same value back.
      text = DistanceText(from.targetHt);
      return true;
    }
  }
  // The code and comment columns; any other cell offers nothing.
  const StadiaField field = Columns().common[static_cast<std::size_t>(column)].field;
  text = field == StadiaField::Code ? from.code : field == StadiaField::Comment ? from.comment : "";
  return true;
}

template <class Row>
int StadiaFamily<Row>::CellText(int column, int row, CellValue& cell) {
  if (FrameCellText(*this, column, row, cell)) return 0;
  if (rows_.empty()) return 0;
  if (column == 0) cell.choices = Columns().typeChoices;
  if (!RowInside(row) || column < 0) return 0;

  const Row& current = rows_[static_cast<std::size_t>(row)];
  cell.textColor = RowTextColor(current);
  cell.joinNote = current.type == kStadiaFnote;
  if (!SuggestionText(column, row, cell.text)) {
    cell.text = FieldText(column, current);
    cell.doubt = CellDoubt(column, current);
  }
  return 0;
}

template <class Row>
std::string StadiaFamily<Row>::CellDoubt(int column, const Row& row) const {
  // Rows of the Stadia form only (the traditional sheet keeps its own).
  if constexpr (std::is_base_of_v<StadiaRow, Row>) {
    if (column < 1 || column >= 16) return {};
    if ((row.typedLetters >> column & 1) != 0) return kLetterInsideNumberDoubt;
    const StadiaField field = Columns().SpecOf(column, row.type).field;
    if (field == StadiaField::Hz) return AngleReadingDoubt(row.hz);
    if (field == StadiaField::Vertical) return AngleReadingDoubt(row.obs2);
  }
  return {};
}

template <class Row>
void StadiaFamily<Row>::ParseField(int column, Row& row, const std::string& text) {
  const int mode = Context().units.BearingMode();
  const int unit = Context().units.DistanceUnit();
  switch (Columns().SpecOf(column, row.type).field) {
    case StadiaField::None:
      break;
    case StadiaField::Point:
      SetPoint(row, static_cast<std::uint32_t>(ReadInt(text)));
      break;
    case StadiaField::Note:
      row.note = text;
      break;
    case StadiaField::Hz:
      StoreValue(row.hz, ParseAngleText(text, mode));
      break;
    case StadiaField::Vertical:
      StoreValue(row.obs2, ParseAngleText(text, mode == kGrads ? kGrads : kWholeCircle));
      break;
    case StadiaField::Backsight:
      SetBacksightNumber(row, static_cast<std::uint32_t>(ReadInt(text)));
      break;
    case StadiaField::Dist:
      if constexpr (StadiaDistanceRow<Row>) StoreValue(row.dist, ParseDistanceText(text, unit));
      break;
    case StadiaField::HeightDiff:
      StoreValue(row.obs2, ParseDistanceText(text, unit));
      break;
    case StadiaField::TargetHt:
      if constexpr (StadiaDistanceRow<Row>) StoreValue(row.targetHt, ParseDistanceText(text, unit));
      break;
    case StadiaField::East:
      StoreValue(row.east, ParseDistanceText(text, unit));
      break;
    case StadiaField::North:
      StoreValue(row.north, ParseDistanceText(text, unit));
      break;
    case StadiaField::Height:
      StoreValue(row.height, ParseDistanceText(text, unit));
      break;
    case StadiaField::Code:
      row.code = text;
      break;
    case StadiaField::Comment:
      row.comment = text;
      break;
  }
}

template <class Row>
void StadiaFamily<Row>::MarkTypedLetters(int column, Row& row, const std::string& text) const {
  if constexpr (std::is_base_of_v<StadiaRow, Row>) {
    if (column < 1 || column >= 16) return;
    const StadiaField field = Columns().SpecOf(column, row.type).field;
    const bool number = field != StadiaField::None && field != StadiaField::Note &&
                        field != StadiaField::Code && field != StadiaField::Comment;
    const bool angle = field == StadiaField::Hz || field == StadiaField::Vertical;
    const auto bit = static_cast<std::uint16_t>(1u << column);
    if (number && LetterInsideNumber(text, angle)) {
      row.typedLetters |= bit;
    } else {
      row.typedLetters &= static_cast<std::uint16_t>(~bit);
    }
  }
}

template <class Row>
int StadiaFamily<Row>::ParseCell(int column, int row, const CellValue& cell) {
  const int count = RowCount();
  if (row < 0 || row > count) return 0;
  if (row == count) {
    // The entry in the row after the last only opens a new row.
    AppendRow();
    return 0;
  }
  Row& target = rows_[static_cast<std::size_t>(row)];
  int result = 0;
  if (column == 0) {
    const int type = TypeFromKeyword(cell.text);
    if (type >= 0) target.type = static_cast<std::int8_t>(type);
    TypeChanged(target);
    result = 1;
  } else {
    ParseField(column, target, cell.text);
    MarkTypedLetters(column, target, cell.text);
  }
  if (row == count - 1) SetEntryFlag(column);
  return result;
}

template <class Row>
int StadiaFamily<Row>::GridOption(int option, int& p1, int& p2) {
  if (option == 1) {
    p2 = Columns().Width(p1);
    return 0;
  }
  if (option != 2) return 0;
  int& column = p1;
  int& row = p2;
  if (!RowInside(row)) return 1;
  if (rows_[static_cast<std::size_t>(row)].type == kStadiaFnote && column == 1) {
    column = 0;
    ++row;
  } else if (MemberNextCell(column, row)) {
    // moved by the member's rule
  } else if (++column > ColumnCount()) {
    column = 0;
    ++row;
  }
  return 0;
}

template <class Row>
void StadiaFamily<Row>::ReserveRows(std::size_t count) {
  try {
    rows_.reserve(count);
  } catch (const std::bad_alloc&) {
    return;  // the rows then arrive one by one
  }
  AdviseHugePages(rows_.data(), rows_.capacity() * sizeof(Row));
}

// --- The family's row commands -------------------------------------------------

template <class Row>
int StadiaFamily<Row>::FindPoint(std::int64_t number) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const Row& row = rows_[i];
    if (row.type != kStadiaFnote && PointOf(row) != kNoPoint &&
        static_cast<std::int64_t>(row.point) == number) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

template <class Row>
int StadiaFamily<Row>::FindSetup(std::int64_t start) const {
  for (auto i = static_cast<std::size_t>(std::max<std::int64_t>(start, 0)); i < rows_.size(); ++i) {
    if (rows_[i].type == kStadiaAtBs) return static_cast<int>(i);
  }
  return -1;
}

template <class Row>
int StadiaFamily<Row>::FindCode(std::int64_t start, const std::string& code) const {
  for (auto i = static_cast<std::size_t>(std::max<std::int64_t>(start, 0)); i < rows_.size(); ++i) {
    if (rows_[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

template <class Row>
void StadiaFamily<Row>::ReplaceCode(const std::string& from, const std::string& to) {
  for (Row& row : rows_) {
    if (row.code == from) row.code = to;
  }
}

// The instrument and backsight points of the set-ups that no station row
// gives coordinates, for fetching from the host: instrument points first,
// then backsight points, each in row order and each number once.
template <class Row>
void StadiaFamily<Row>::CollectMissingPoints() {
  const auto supplies = [](const Row& row) {
    return !(std::fabs(row.east) < kNoCoordinateLimit &&
             std::fabs(row.north) < kNoCoordinateLimit &&
             std::fabs(row.height) < kNoCoordinateLimit);
  };
  std::unordered_set<std::uint32_t> supplied;
  for (const Row& row : rows_) {
    if (row.type == kStadiaStn && supplies(row)) supplied.insert(PointOf(row));
  }
  std::vector<std::uint32_t>& missing = MissingPoints();
  std::unordered_set<std::uint32_t> listed;
  auto add = [&](std::uint32_t number) {
    if (number == 0 || number == kNoPoint || supplied.contains(number)) return;
    if (listed.insert(number).second) missing.push_back(number);
  };
  for (const Row& row : rows_) {
    if (row.type == kStadiaAtBs) add(PointOf(row));
  }
  for (const Row& row : rows_) {
    if (row.type == kStadiaAtBs) add(BacksightNumber(row));
  }
}

template <class Row>
Row StadiaFamily<Row>::HostStation(const PointRecord& point) {
  Row station = BlankRow(kStadiaStn);
  SetPoint(station, static_cast<std::uint32_t>(point.point));
  station.code = point.code;
  station.comment = point.description;
  StoreValue(station.east, point.east);
  StoreValue(station.north, point.north);
  StoreValue(station.height, double(point.height));
  return station;
}

template <class Row>
void StadiaFamily<Row>::InsertHostPoint(std::int64_t row, const PointRecord& point) {
  const auto at = std::clamp<std::int64_t>(row, 0, RowCount());
  rows_.insert(rows_.begin() + at, HostStation(point));
}

// One insert for the whole batch: the rows below move once, not once per
// point.
template <class Row>
void StadiaFamily<Row>::InsertHostPoints(std::int64_t row, const std::vector<PointRecord>& points) {
  std::vector<Row> stations;
  stations.reserve(points.size());
  for (auto point = points.rbegin(); point != points.rend(); ++point) {
    stations.push_back(HostStation(*point));
  }
  const auto at = std::clamp<std::int64_t>(row, 0, RowCount());
  rows_.insert(rows_.begin() + at, std::make_move_iterator(stations.begin()),
               std::make_move_iterator(stations.end()));
}

template <class Row>
int StadiaFamily<Row>::CycleType(std::int64_t row, char key) {
  if (row < 0 || row >= RowCount()) return 1;
  Row& target = rows_[static_cast<std::size_t>(row)];
  const int count = static_cast<int>(Columns().keywords.size());
  const int type = ((target.type % count) + count) % count;
  int next = type;
  if (key == ' ' || key == '+') {
    next = (type + 1) % count;
  } else if (key == '-') {
    next = (type + count - 1) % count;
  } else {
    return 1;
  }
  target.type = static_cast<std::int8_t>(next);
  TypeChanged(target);
  return 0;
}

template <class Row>
void StadiaFamily<Row>::ApplyDefaultType(int row) {
  if (!RowInside(row)) return;
  Row& target = rows_[static_cast<std::size_t>(row)];
  target.type = static_cast<std::int8_t>(DefaultType());
  TypeChanged(target);
}

// Gives the points whose numbers lie in the range new numbers from
// `firstNewNumber` on, in row order. Every later repeat of a renumbered point
// (set-ups included) and every later backsight to it follow it. Numbers are
// compared as signed 64-bit values; the "All" range takes every point, and
// rows without a point number never take part.
template <class Row>
void StadiaFamily<Row>::Renumber(const NumberRange& numbers, std::int64_t firstNewNumber) {
  // The range the Renumber Points dialog sends for "All".
  constexpr NumberRange kAllNumbers{-10000000, 100000000};
  const bool all = numbers.first == kAllNumbers.first && numbers.last == kAllNumbers.last;
  auto selected = [&](std::uint32_t point) {
    if (point == kNoPoint) return false;
    const auto value = static_cast<std::int64_t>(point);
    return all || (value >= numbers.first && value <= numbers.last);
  };

  // Rows (or set-ups' backsights) by number, then by row, so that the
  // repeats of a point are found without scanning the sheet for each
  // renumbered point. The indexes hold the numbers as they were before
  // renumbering, so a new number that equals a later old number is never
  // taken for it: each point and each backsight moves at most once.
  using NumberIndex = std::vector<std::pair<std::uint32_t, std::size_t>>;
  NumberIndex points;
  NumberIndex backsights;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (PointOf(rows_[i]) != kNoPoint) points.emplace_back(rows_[i].point, i);
    if (rows_[i].type == kStadiaAtBs && BacksightNumber(rows_[i]) != 0) {
      backsights.emplace_back(BacksightNumber(rows_[i]), i);
    }
  }
  std::sort(points.begin(), points.end());
  std::sort(backsights.begin(), backsights.end());
  // The entries of `index` with `number` at or after `row`.
  const auto repeatsFrom = [](const NumberIndex& index, std::uint32_t number, std::size_t row) {
    const auto first = std::lower_bound(index.begin(), index.end(), std::make_pair(number, row));
    auto last = first;
    while (last != index.end() && last->first == number) ++last;
    return std::make_pair(first, last);
  };

  std::vector<bool> done(rows_.size(), false);
  auto next = static_cast<std::uint32_t>(firstNewNumber);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    Row& row = rows_[i];
    if (row.type == kStadiaAtBs || done[i] || !selected(PointOf(row))) continue;
    const std::uint32_t old = row.point;
    if (old == 0) {
      SetPoint(row, next);
      done[i] = true;
    } else {
      const auto [first, last] = repeatsFrom(points, old, i);
      for (auto entry = first; entry != last; ++entry) {
        if (done[entry->second]) continue;
        SetPoint(rows_[entry->second], next);
        done[entry->second] = true;
      }
      const auto [bsFirst, bsLast] = repeatsFrom(backsights, old, i);
      for (auto entry = bsFirst; entry != bsLast; ++entry) {
        SetBacksightNumber(rows_[entry->second], next);
      }
    }
    ++next;
  }
}

// Commands 10 and 11: the first row at or after the cursor that is neither
// an AT/BS row nor a field note; -1 when none is left (or no record was
// given).
template <class Row>
int StadiaFamily<Row>::NextUploadRecord(PointRecord* record, bool first) {
  if (first) uploadNext_ = 0;
  if (record == nullptr) return -1;
  for (std::size_t i = uploadNext_; i < rows_.size(); ++i) {
    if (rows_[i].type == kStadiaAtBs || rows_[i].type == kStadiaFnote) continue;
    *record = UploadRecord(rows_[i]);
    uploadNext_ = i + 1;
    return 0;
  }
  uploadNext_ = rows_.size();
  return -1;
}

// For every CHK row, the nearest STN row above with its point.
template <class Row>
std::vector<std::string> StadiaFamily<Row>::CheckShotLines() const {
  std::vector<std::string> lines;
  StationsAbove stations;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const Row& row = rows_[i];
    if (row.type == kStadiaStn) {
      stations.Pass(PointOf(row), i);
    } else if (row.type == kStadiaChk) {
      const std::optional<std::size_t> above = stations.Nearest(PointOf(row));
      if (!above) continue;
      const Row& station = rows_[*above];
      std::string line;
      if (CheckShotLine(PointOf(row), {station.east, station.north, station.height},
                        {row.east, row.north, row.height}, line)) {
        lines.push_back(std::move(line));
      }
    }
  }
  return lines;
}

}  // namespace kestrel
