// The Stadia sheet's command dispatcher and the commands that work on its
// rows: finding, replacing codes, renumbering, host points and type cycling.
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>
#include <utility>
#include <vector>

#include "job/choose_sheet.h"
#include "job/job_location.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia/stadia_clipboard.h"
#include "sheets/stadia/stadia_exports.h"
#include "sheets/stadia/stadia_landxml.h"
#include "sheets/stadia/stadia_listing.h"
#include "sheets/stadia/stadia_tolerances.h"

namespace kestrel {

namespace {

// The range the Renumber Points dialog sends for "All".
constexpr NumberRange kAllNumbers{-10000000, 100000000};

int ToRow(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

bool SuppliesCoordinates(const StadiaRow& row) {
  return !(std::fabs(row.east) < kNoCoordinateLimit && std::fabs(row.north) < kNoCoordinateLimit &&
           std::fabs(row.height) < kNoCoordinateLimit);
}

// The key given to type cycling: a character code or a one-character text;
// none counts as a blank.
char CycleKey(const CommandArg& key) {
  if (const auto* code = std::get_if<std::int64_t>(&key)) return static_cast<char>(*code);
  if (const auto* text = std::get_if<std::string>(&key)) return text->empty() ? ' ' : (*text)[0];
  return ' ';
}

// Rows (or set-ups' backsights) by number, then by row, so that the repeats
// of a point are found without scanning the sheet for each renumbered point.
using NumberIndex = std::vector<std::pair<std::uint32_t, std::size_t>>;

// The entries of `index` with `number` at or after `row`.
std::pair<NumberIndex::const_iterator, NumberIndex::const_iterator> RepeatsFrom(
    const NumberIndex& index, std::uint32_t number, std::size_t row) {
  const auto first = std::lower_bound(index.begin(), index.end(), std::make_pair(number, row));
  auto last = first;
  while (last != index.end() && last->first == number) ++last;
  return {first, last};
}

}  // namespace

int Stadia::Command(int code, const CommandArg& p1, const CommandArg& p2) {
  switch (code) {
    case kCmdSetDefaultType: {
      const std::int64_t type = ArgInt(p1, -1);
      if (type >= 0 && type < kStadiaRowTypeCount) defaultType_ = static_cast<int>(type);
      return 0;
    }
    case kCmdReenterCell:
      return ReenterCell(ToRow(ArgInt(p1)), ToRow(ArgInt(p2)));
    case kCmdApplyDefaultType: {
      const int row = ToRow(ArgInt(p2, -1));
      if (ArgInt(p1, -1) == 0 && RowInside(row)) {
        rows_[static_cast<std::size_t>(row)].type = static_cast<std::int8_t>(defaultType_);
      }
      return 0;
    }
    case kCmdCalculate:
      return CalculateStadia(*this);
    case kCmdShowCoordinates:
      showCoordinates_ = ArgInt(p1) != 0;
      return 0;
    case kCmdFindPoint:
      return FindPoint(ArgInt(p1, -1));
    case kCmdFindSetup:
      return FindSetup(ArgInt(p1));
    case kCmdFindCode:
      return FindCode(ArgInt(p1), p2);
    case kCmdReplaceCode:
    case kCmdCodeTable:  // one pair of the code replacement table
      return ReplaceCode(p1, p2);
    case kCmdCollectMissing:
      return CollectMissingPoints();
    case kCmdNextMissing:
      return NextMissingPoint(p1);
    case kCmdInsertHostPoint:
      return InsertHostPoint(ArgInt(p1), p2);
    case kCmdCycleType:
      return CycleType(ArgInt(p1, -1), p2);
    case kCmdRenumber:
      return Renumber(p1, ArgInt(p2));
    case kCmdAppendSheet:
      return AppendSheet();
    case kCmdCopy:
    case kCmdCut:  // the rows stay in the sheet
      return CopyRows(p1);
    case kCmdPaste:
      return PasteRows(ArgInt(p1, -1));
    case kCmdFirstPoint:
      uploadNext_ = 0;
      return NextUploadRecord(*this, uploadNext_, ArgAs<PointRecord*>(p1, nullptr));
    case kCmdNextPoint:
      return NextUploadRecord(*this, uploadNext_, ArgAs<PointRecord*>(p1, nullptr));
    case kCmdPrintHeader:
      return PrintStadiaHeader(*this, ArgAs<PageCanvas*>(p1, nullptr));
    case kCmdPrintRows:
      return ListStadiaRows(*this, ArgAs<PageCanvas*>(p1, nullptr), ArgAs<RowRange>(p2));
    case kCmdCheckReport:
      return WriteCheckShotReport(*this);
    case kCmdLandXml:
      return ExportLandXml(*this);
    case kCmdObservationStrings:
      return AppendObservationStrings(*this, ArgAs<std::string*>(p1, nullptr));
    default:
      return 0;
  }
}

// Parses what the cell shows, so that a suggestion on the last row is kept.
// Arriving in a cell of the last row passes over the cell before it, which
// counts as entered (pressing Enter on the new row's type keeps the type and
// brings up the next point number). A cell that shows nothing was not typed:
// it stays empty rather than reading as point 0 or a vertical sight.
int Stadia::ReenterCell(int column, int row) {
  if (column <= 0 || row <= 0 || !RowInside(row)) return 0;
  if (row == RowCount() - 1 && column <= kEntryColumns) {
    entryFlags_[static_cast<std::size_t>(column - 1)] = true;
  }
  CellValue scratch;
  CellText(column, row, scratch);
  if (scratch.text.find_first_not_of(" \t") == std::string::npos) return 0;
  ParseCell(column, row, scratch);
  return 0;
}

int Stadia::FindPoint(std::int64_t number) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const StadiaRow& row = rows_[i];
    if (row.type != kStadiaFnote && row.point != kNoPoint &&
        static_cast<std::int64_t>(row.point) == number) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int Stadia::FindSetup(std::int64_t start) const {
  for (auto i = static_cast<std::size_t>(std::max<std::int64_t>(start, 0)); i < rows_.size(); ++i) {
    if (rows_[i].type == kStadiaAtBs) return static_cast<int>(i);
  }
  return -1;
}

int Stadia::FindCode(std::int64_t start, const CommandArg& code) const {
  const auto* wanted = std::get_if<std::string>(&code);
  if (wanted == nullptr) return -1;
  for (auto i = static_cast<std::size_t>(std::max<std::int64_t>(start, 0)); i < rows_.size(); ++i) {
    if (rows_[i].code == *wanted) return static_cast<int>(i);
  }
  return -1;
}

int Stadia::ReplaceCode(const CommandArg& oldCode, const CommandArg& newCode) {
  const auto* from = std::get_if<std::string>(&oldCode);
  const auto* to = std::get_if<std::string>(&newCode);
  if (from == nullptr || to == nullptr) return 0;
  for (StadiaRow& row : rows_) {
    if (row.code == *from) row.code = *to;
  }
  return 0;
}

// The instrument and backsight points of the set-ups that no station row
// gives coordinates, for fetching from the host: instrument points first,
// then backsight points, each in row order and each number once.
int Stadia::CollectMissingPoints() {
  std::unordered_set<std::uint32_t> supplied;
  for (const StadiaRow& row : rows_) {
    if (row.type == kStadiaStn && SuppliesCoordinates(row)) supplied.insert(row.point);
  }
  missingPoints_.clear();
  nextMissing_ = 0;
  std::unordered_set<std::uint32_t> listed;
  auto add = [&](std::uint32_t number) {
    if (number == 0 || number == kNoPoint || supplied.contains(number)) return;
    if (listed.insert(number).second) missingPoints_.push_back(number);
  };
  for (const StadiaRow& row : rows_) {
    if (row.type == kStadiaAtBs) add(row.point);
  }
  for (const StadiaRow& row : rows_) {
    if (row.type == kStadiaAtBs) add(BacksightNumber(row));
  }
  return static_cast<int>(missingPoints_.size());
}

int Stadia::NextMissingPoint(const CommandArg& out) {
  std::uint32_t* number = ArgAs<std::uint32_t*>(out, nullptr);
  if (nextMissing_ >= missingPoints_.size()) {
    if (number) *number = 0;
    return -1;
  }
  if (number) *number = missingPoints_[nextMissing_];
  ++nextMissing_;
  return 1;
}

int Stadia::InsertHostPoint(std::int64_t row, const CommandArg& record) {
  const PointRecord* point = ArgAs<const PointRecord*>(record, nullptr);
  if (point == nullptr) point = ArgAs<PointRecord*>(record, nullptr);
  if (point == nullptr) return 0;
  StadiaRow station = BlankStadiaRow(kStadiaStn);
  station.point = static_cast<std::uint32_t>(point->point);
  station.code = point->code;
  station.comment = point->description;
  station.east = FiniteOrEmpty(point->east);
  station.north = FiniteOrEmpty(point->north);
  station.height = FiniteOrEmpty(double(point->height));
  const auto at = std::clamp<std::int64_t>(row, 0, RowCount());
  rows_.insert(rows_.begin() + at, std::move(station));
  return 0;
}

int Stadia::CycleType(std::int64_t row, const CommandArg& key) {
  if (row < 0 || row >= RowCount()) return 1;
  StadiaRow& target = rows_[static_cast<std::size_t>(row)];
  const int type =
      ((target.type % kStadiaRowTypeCount) + kStadiaRowTypeCount) % kStadiaRowTypeCount;
  const char pressed = CycleKey(key);
  int next = type;
  if (pressed == ' ' || pressed == '+') {
    next = (type + 1) % kStadiaRowTypeCount;
  } else if (pressed == '-') {
    next = (type + kStadiaRowTypeCount - 1) % kStadiaRowTypeCount;
  } else {
    return 1;
  }
  target.type = static_cast<std::int8_t>(next);
  return 0;
}

// Gives the points whose numbers lie in the range new numbers from
// `firstNewNumber` on, in row order. Every later repeat of a renumbered point
// (set-ups included) and every later backsight to it follow it. Numbers are
// compared as signed 64-bit values; the "All" range takes every point, and
// rows without a point number never take part.
int Stadia::Renumber(const CommandArg& range, std::int64_t firstNewNumber) {
  const auto* numbers = std::get_if<NumberRange>(&range);
  if (numbers == nullptr) return 0;
  const bool all = numbers->first == kAllNumbers.first && numbers->last == kAllNumbers.last;
  auto selected = [&](std::uint32_t point) {
    if (point == kNoPoint) return false;
    const auto value = static_cast<std::int64_t>(point);
    return all || (value >= numbers->first && value <= numbers->last);
  };

  // The indexes hold the numbers as they were before renumbering, so a new
  // number that equals a later old number is never taken for it: each point
  // and each backsight moves at most once.
  NumberIndex points;
  NumberIndex backsights;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].point != kNoPoint) points.emplace_back(rows_[i].point, i);
    if (rows_[i].type == kStadiaAtBs && BacksightNumber(rows_[i]) != 0) {
      backsights.emplace_back(BacksightNumber(rows_[i]), i);
    }
  }
  std::sort(points.begin(), points.end());
  std::sort(backsights.begin(), backsights.end());

  std::vector<bool> done(rows_.size(), false);
  auto next = static_cast<std::uint32_t>(firstNewNumber);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    StadiaRow& row = rows_[i];
    if (row.type == kStadiaAtBs || done[i] || !selected(row.point)) continue;
    const std::uint32_t old = row.point;
    if (old == 0) {
      row.point = next;
      done[i] = true;
    } else {
      const auto [first, last] = RepeatsFrom(points, old, i);
      for (auto entry = first; entry != last; ++entry) {
        if (done[entry->second]) continue;
        rows_[entry->second].point = next;
        done[entry->second] = true;
      }
      const auto [bsFirst, bsLast] = RepeatsFrom(backsights, old, i);
      for (auto entry = bsFirst; entry != bsLast; ++entry) {
        SetBacksightNumber(rows_[entry->second], next);
      }
    }
    ++next;
  }
  return 0;
}

// Replaces the rows with those of a sheet file the user chooses.
int Stadia::AppendSheet() {
  std::string path;
  if (ChooseSheet(ctx_.app, path, kNoSheetNumber, std::string(), ctx_.chooser) == 0) return 0;
  return LoadFromFile(NativePath(path));
}

int Stadia::CopyRows(const CommandArg& selection) {
  const SelectedRows selected = ArgAs<SelectedRows>(selection);
  ctx_.clipboard.SetText(StadiaClipboardText(*this, selected.rows));
  return 0;
}

int Stadia::PasteRows(std::int64_t row) {
  std::string text;
  if (!ctx_.clipboard.GetText(text)) return 0;
  PasteStadiaText(*this, text, ToRow(row));
  return 0;
}

}  // namespace kestrel
