// The Traverse sheet's command dispatcher and the commands on its rows.
#include <algorithm>
#include <cmath>
#include <limits>

#include "sheets/command_codes.h"
#include "sheets/traverse/traverse.h"
#include "sheets/traverse/traverse_adjust.h"
#include "sheets/traverse/traverse_clipboard.h"
#include "sheets/traverse/traverse_compute.h"
#include "sheets/traverse/traverse_report.h"

namespace kestrel {

namespace {

int ToRow(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

char CycleKey(const CommandArg& key) {
  if (const auto* code = std::get_if<std::int64_t>(&key)) return static_cast<char>(*code);
  if (const auto* text = std::get_if<std::string>(&key)) return text->empty() ? ' ' : (*text)[0];
  return ' ';
}

double Stored(double value) { return std::isfinite(value) ? value : kEmptyValue; }

// Calculate Coordinates as the user asks for it. The problems found become
// the sheet's message lines, and the route is built quietly so that the
// report and the misclose bar have it.
int CalculateCommand(Traverse& sheet) {
  sheet.MessageLines() = CalculateTraverse(sheet);
  BuildRoute(sheet, true);
  return 0;
}

// Writes the report of the last adjustment as the report dialog would.
int AdjustmentReport(Traverse& sheet, bool csv, bool corrected) {
  // Only an adjustment that ran has a report; the adjustment said why not.
  if (!sheet.Adjustment().valid) return 0;
  TraverseReportChoice choice;
  choice.csv = csv;
  choice.corrected = corrected;
  return WriteTraverseAdjustmentReport(sheet, choice);
}

}  // namespace

int Traverse::Command(int code, const CommandArg& p1, const CommandArg& p2) {
  switch (code) {
    case kCmdSetDefaultType: {
      const std::int64_t type = ArgInt(p1, -1);
      if (type >= 0 && type < kTraverseRowTypeCount) defaultType_ = static_cast<int>(type);
      return 0;
    }
    case kCmdReenterCell: {
      const int column = ToRow(ArgInt(p1));
      const int row = ToRow(ArgInt(p2));
      if (column == 0 || row <= 0 || !RowInside(row)) return 0;
      CellValue scratch;
      CellText(column, row, scratch);
      ParseCell(column, row, scratch);
      return 0;
    }
    case kCmdApplyDefaultType: {
      const int row = ToRow(ArgInt(p2, -1));
      if (ArgInt(p1, -1) == 0 && RowInside(row) && defaultType_ >= 0) {
        rows_[static_cast<std::size_t>(row)].type = static_cast<std::uint8_t>(defaultType_);
        RowsChanged();
      }
      return 0;
    }
    case kCmdCalculate:
      return CalculateCommand(*this);
    case kCmdShowCoordinates:
      showCoordinates_ = ArgInt(p1) != 0;
      return 0;
    case kCmdMisclose: {
      const MiscloseSummary summary = ComputeMiscloseSummary(*this);
      if (std::string* text = ArgAs<std::string*>(p1, nullptr)) *text = summary.angleText;
      if (std::string* lines = ArgAs<std::string*>(p2, nullptr)) {
        lines->clear();
        for (const std::string& line :
             MiscloseSummaryLines(summary, ctx_.units.BearingMode(), ctx_.units.DistanceUnit())) {
          *lines += line + "\n";
        }
      }
      return 0;
    }
    case kCmdAngularClose:
      return AngularClose(*this);
    case kCmdTransit:
      return AdjustTraverse(*this, TraverseMethod::Transit);
    case kCmdHeightAdjust:
      return ToggleHeightAdjust(*this);
    case kCmdFirstPoint:
      uploadNext_ = 0;
      return NextUploadRecord(ArgAs<PointRecord*>(p1, nullptr));
    case kCmdNextPoint:
      return NextUploadRecord(ArgAs<PointRecord*>(p1, nullptr));
    case kCmdPrintHeader:
      return PrintTraverseHeader(*this, ArgAs<PageCanvas*>(p1, nullptr));
    case kCmdPrintRows:
      return ListTraverseReport(*this, ArgAs<PageCanvas*>(p1, nullptr), ArgAs<RowRange>(p2));
    case kCmdFirstRouteNote:
      routeNoteNext_ = 0;
      return NextRouteNote(ArgAs<std::string*>(p1, nullptr));
    case kCmdNextRouteNote:
      return NextRouteNote(ArgAs<std::string*>(p1, nullptr));
    case kCmdFindPoint:
      return FindPoint(ArgInt(p1, -1));
    case kCmdFindSetup:
      return FindBacksight(ArgInt(p1));
    case kCmdFindCode:
      return FindCode(ArgInt(p1), p2);
    case kCmdReplaceCode:
      return ReplaceCode(p1, p2);
    case kCmdBuildRoute:  // from freshly calculated rows
      CalculateTraverse(*this);
      return BuildRoute(*this, false);
    case kCmdInsertHostPoint:
      return InsertHostPoint(ArgInt(p1), p2);
    case kCmdBowditch:
    case kCmdCompass:
      return AdjustTraverse(*this, TraverseMethod::Bowditch);
    case kCmdCycleType:
      return CycleType(ArgInt(p1, -1), p2);
    case kCmdCrandall:
      return AdjustTraverse(*this, TraverseMethod::Crandall);
    case kCmdAdjustmentReport:
      return AdjustmentReport(*this, ArgInt(p1) != 0, ArgInt(p2) != 0);
    case kCmdCopy:
    case kCmdCut:  // the rows stay in the sheet
      ctx_.clipboard.SetText(TraverseClipboardText(*this, ArgAs<SelectedRows>(p1).rows));
      return 0;
    case kCmdPaste:
      return PasteRows(ArgInt(p1, -1));
    default:
      return 0;
  }
}

int Traverse::FindPoint(std::int64_t number) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const std::uint32_t point = TraverseRowPoint(rows_[i]);
    if (point != kNoPoint && static_cast<std::int64_t>(point) == number) return static_cast<int>(i);
  }
  return -1;
}

int Traverse::FindBacksight(std::int64_t start) const {
  for (auto i = static_cast<std::size_t>(std::max<std::int64_t>(start, 0)); i < rows_.size(); ++i) {
    if (rows_[i].type == kTravBSite) return static_cast<int>(i);
  }
  return -1;
}

int Traverse::FindCode(std::int64_t start, const CommandArg& code) const {
  const auto* wanted = std::get_if<std::string>(&code);
  if (wanted == nullptr) return -1;
  for (auto i = static_cast<std::size_t>(std::max<std::int64_t>(start, 0)); i < rows_.size(); ++i) {
    if (rows_[i].code == *wanted) return static_cast<int>(i);
  }
  return -1;
}

int Traverse::ReplaceCode(const CommandArg& oldCode, const CommandArg& newCode) {
  const auto* from = std::get_if<std::string>(&oldCode);
  const auto* to = std::get_if<std::string>(&newCode);
  if (from == nullptr || to == nullptr) return 0;
  for (TraverseRow& row : rows_) {
    if (row.code == *from) row.code = *to;
  }
  return 0;
}

int Traverse::InsertHostPoint(std::int64_t row, const CommandArg& record) {
  const PointRecord* point = ArgAs<const PointRecord*>(record, nullptr);
  if (point == nullptr) point = ArgAs<PointRecord*>(record, nullptr);
  if (point == nullptr) return 0;
  TraverseRow station = BlankTraverseRow(kTravStn);
  station.at = static_cast<std::uint32_t>(point->point);
  station.code = point->code;
  station.east = Stored(point->east);
  station.north = Stored(point->north);
  station.height = std::isfinite(point->height) ? point->height : kEmptyFloat;
  station.adj_east = station.east;
  station.adj_north = station.north;
  station.adj_height = IsEmptyValue(station.height) ? kEmptyValue : double(station.height);
  const auto at = std::clamp<std::int64_t>(row, 0, RowCount());
  rows_.insert(rows_.begin() + at, std::move(station));
  RowsChanged();
  return 0;
}

int Traverse::CycleType(std::int64_t row, const CommandArg& key) {
  if (row < 0 || row >= RowCount()) return 1;
  TraverseRow& target = rows_[static_cast<std::size_t>(row)];
  const int type = target.type % kTraverseRowTypeCount;
  const char pressed = CycleKey(key);
  int next = type;
  if (pressed == ' ' || pressed == '+') {
    next = (type + 1) % kTraverseRowTypeCount;
  } else if (pressed == '-') {
    next = (type + kTraverseRowTypeCount - 1) % kTraverseRowTypeCount;
  } else {
    return 1;
  }
  target.type = static_cast<std::uint8_t>(next);
  RowsChanged();
  return 0;
}

// BSite, Fnote and the rows without data give no point; STN and Robj rows give
// their `at`, the observations their `to`, each with the coordinates shown.
int Traverse::NextUploadRecord(PointRecord* record) {
  if (record == nullptr) return -1;
  for (std::size_t i = uploadNext_; i < rows_.size(); ++i) {
    const TraverseRow& row = rows_[i];
    const std::uint32_t point = TraverseRowPoint(row);
    if (row.type == kTravBSite || point == kNoPoint) continue;
    PointRecord out;
    out.point = static_cast<std::int32_t>(point);
    out.east = IsEmptyValue(row.adj_east) ? 0.0 : row.adj_east;
    out.north = IsEmptyValue(row.adj_north) ? 0.0 : row.adj_north;
    out.height = IsEmptyValue(row.adj_height) ? 0.0f : static_cast<float>(row.adj_height);
    out.code = row.code;
    *record = std::move(out);
    uploadNext_ = i + 1;
    return 0;
  }
  uploadNext_ = rows_.size();
  return -1;
}

int Traverse::NextRouteNote(std::string* text) {
  for (std::size_t i = routeNoteNext_; i < rows_.size(); ++i) {
    if (rows_[i].type == kTravFnote && NoteStartsWith(rows_[i].note, "tr")) {
      if (text) *text = rows_[i].note;
      routeNoteNext_ = i + 1;
      return static_cast<int>(i);
    }
  }
  routeNoteNext_ = rows_.size();
  return -1;
}

int Traverse::PasteRows(std::int64_t row) {
  std::string text;
  if (!ctx_.clipboard.GetText(text)) {
    ctx_.messages.Show("Nothing to Paste");
    return 0;
  }
  PasteTraverseText(*this, text, ToRow(row < 0 ? RowCount() : row));
  return 0;
}

}  // namespace kestrel
