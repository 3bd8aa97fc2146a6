// The Traditional Stadia sheet's rows, columns, cell texts, cell parsing,
// Enter-key movement and file.
#include "sheets/stadia/traditional.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/file_access.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "survey/angles.h"
#include "survey/distances.h"
#include "survey/empty_value.h"

namespace kestrel {

namespace {

constexpr int kColumnWidths[Traditional::kEntryColumns] = {65, 45, 95, 95, 80, 80,
                                                           80, 90, 90, 60, 60, 60};
constexpr int kRowsPerProgressStep = 25;
constexpr RgbColor kRedText{255, 0, 0};

// Headings of columns 1 to 6 by row type.
constexpr const char* kTypeHeadings[kTradRowTypeCount][6] = {
    {"Pt#", "East", "North", "Height", "", ""},
    {"At#", "Hz Cir", "BS#", "Ht In", "", ""},
    {"Note", "", "", "", "", ""},
    {"Pt#", "Hz Cir", "Vt Cir", "Low", "MH", "Top"},
    {"Pt#", "Hz Cir", "Vt Cir", "MH", "SD", ""},
    {"Pt#", "Hz Cir", "Vt Cir", "MH", "Staff", ""},
};
constexpr const char* kCommonHeadings[] = {"Type", "",   "",         "",     "",      "",
                                           "",     "PC", "Comments", "East", "North", "Height"};

const char* HeadingOf(int column, int type) {
  if (column < 0 || column >= Traditional::kEntryColumns) return "";
  if (column >= 1 && column <= 6) {
    if (type < 0 || type >= kTradRowTypeCount) return "";
    return kTypeHeadings[type][column - 1];
  }
  return kCommonHeadings[column];
}

HairReadings HairsOf(const TraditionalRow& row) {
  return {SingleValue(row.lowHair), SingleValue(row.midHair), SingleValue(row.topHair)};
}

}  // namespace

Traditional::Traditional(SheetContext& context) : ctx_(context) {}

Traditional::~Traditional() = default;

int Traditional::RowCount() { return static_cast<int>(rows_.size()); }

int Traditional::ColumnCount() { return showCoordinates_ ? kEntryColumns : kColumnsHidden; }

int Traditional::ColumnHeading(int column, std::string& text) {
  const int row = ReadInt(text);
  text.clear();
  const int count = RowCount();
  if (count == 0 || row < 0 || row > count) return 0;
  text = HeadingOf(column, rows_[static_cast<std::size_t>(std::min(row, count - 1))].type);
  return 0;
}

int Traditional::ColumnKind(int column, int& kind) {
  if (column == 1) {
    kind = 3;
  } else if (column >= 2 && column <= 6) {
    kind = 5;
  } else {
    kind = 0;
  }
  return 0;
}

int Traditional::AppendRow() {
  rows_.push_back(BlankTraditionalRow(defaultType_));
  entryFlags_.fill(false);
  return 0;
}

int Traditional::InsertRow(int index) {
  if (index < 0 || index > RowCount()) return 0;
  rows_.insert(rows_.begin() + index, BlankTraditionalRow(kTradStn));
  return 0;
}

int Traditional::DeleteRow(int index) {
  if (!RowInside(index)) return 0;
  rows_.erase(rows_.begin() + index);
  return 0;
}

std::string Traditional::AngleText(float packedDms, bool horizontal) const {
  const double value = SingleValue(packedDms);
  if (IsEmptyValue(value)) return {};
  const int mode = ctx_.units.BearingMode();
  if (mode == kGrads) return FormatGradsCellText(value);
  std::string text = FormatDmsText(value);
  if (horizontal && mode == kQuadrant) QuadrantBearingText(text);
  return text;
}

std::string Traditional::DistanceText(double value) const {
  if (IsEmptyValue(value) || !std::isfinite(value)) return {};
  std::string text = Sprintf("%8.3f", value);
  FormatDistanceText(text, value, ctx_.units.DistanceUnit());
  return text;
}

std::string Traditional::FieldText(int column, const TraditionalRow& row) const {
  const auto point = [](std::uint16_t number) {
    return number == kTradNoPoint ? std::string() : Sprintf("%1d", int{number});
  };
  switch (column) {
    case 0:
      return std::string(TraditionalTypeKeyword(row.type));
    case 7:
      return row.code;
    case 8:
      return row.comment;
    case 9:
      return DistanceText(row.east);
    case 10:
      return DistanceText(row.north);
    case 11:
      return DistanceText(SingleValue(row.height));
    default:
      break;
  }
  switch (row.type) {
    case kTradStn:
      if (column == 1) return point(row.point);
      if (column == 2) return DistanceText(row.east);
      if (column == 3) return DistanceText(row.north);
      if (column == 4) return DistanceText(SingleValue(row.height));
      return {};
    case kTradAtBs:
      if (column == 1) return point(row.point);
      if (column == 2) return AngleText(row.hz, true);
      if (column == 3) {
        const std::uint16_t backsight = TraditionalBacksight(row);
        return row.obs2 == kTradEmptySingle ? std::string() : Sprintf("%1d", int{backsight});
      }
      if (column == 4) return DistanceText(SingleValue(row.midHair));
      return {};
    case kTradFnote:
      return column == 1 ? row.note : std::string();
    default:
      break;
  }
  if (!IsTraditionalShot(row.type)) return {};
  if (column == 1) return point(row.point);
  if (column == 2) return AngleText(row.hz, true);
  if (column == 3) return AngleText(row.obs2, false);
  if (column == 4) return DistanceText(SingleValue(row.lowHair));
  if (column == 5) return DistanceText(SingleValue(row.midHair));
  if (column == 6) return DistanceText(SingleValue(row.topHair));
  return {};
}

int Traditional::CellText(int column, int row, CellValue& cell) {
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
  if (column == 0) cell.choices = kTradTypeChoices;
  if (!RowInside(row) || column < 0) return 0;
  const TraditionalRow& current = rows_[static_cast<std::size_t>(row)];
  if (current.type == kTradStn || current.type == kTradAtBs) {
    cell.textColor = kBlueText;
  } else if (current.type == kTradThreeHair && HairsOutOfTolerance(HairsOf(current), tolerance_)) {
    cell.textColor = kRedText;
  }
  cell.joinNote = current.type == kTradFnote;
  cell.text = FieldText(column, current);
  return 0;
}

void Traditional::ParseField(int column, TraditionalRow& row, const std::string& text) {
  const int mode = ctx_.units.BearingMode();
  const int unit = ctx_.units.DistanceUnit();
  const auto distance = [&] {
    return static_cast<float>(FiniteOrEmpty(ParseDistanceText(text, unit)));
  };
  const auto single = [](double value) {
    const auto stored = static_cast<float>(value);
    return std::isfinite(stored) ? stored : kTradEmptySingle;
  };
  switch (column) {
    case 7:
      row.code = text;
      return;
    case 8:
      row.comment = text;
      return;
    case 9:
      row.east = FiniteOrEmpty(ParseDistanceText(text, unit));
      return;
    case 10:
      row.north = FiniteOrEmpty(ParseDistanceText(text, unit));
      return;
    case 11:
      row.height = single(ParseDistanceText(text, unit));
      return;
    default:
      break;
  }
  if (column == 1) {
    if (row.type == kTradFnote) {
      row.note = text;
    } else {
      row.point = static_cast<std::uint16_t>(ReadInt(text));
    }
    return;
  }
  if (row.type == kTradStn) {
    if (column == 2) row.east = FiniteOrEmpty(ParseDistanceText(text, unit));
    if (column == 3) row.north = FiniteOrEmpty(ParseDistanceText(text, unit));
    if (column == 4) row.height = single(ParseDistanceText(text, unit));
    return;
  }
  if (row.type != kTradAtBs && !IsTraditionalShot(row.type)) return;
  if (column == 2) {
    row.hz = single(FiniteOrEmpty(ParseAngleText(text, mode)));
  } else if (column == 3 && row.type == kTradAtBs) {
    SetTraditionalBacksight(row, static_cast<std::uint16_t>(ReadInt(text)));
  } else if (column == 3) {
    row.obs2 = single(FiniteOrEmpty(ParseAngleText(text, mode == kGrads ? kGrads : kWholeCircle)));
  } else if (column == 4 && row.type == kTradAtBs) {
    row.midHair = distance();
  } else if (row.type != kTradAtBs && column == 4) {
    row.lowHair = distance();
  } else if (row.type != kTradAtBs && column == 5) {
    row.midHair = distance();
  } else if (row.type != kTradAtBs && column == 6) {
    row.topHair = distance();
  }
}

int Traditional::ParseCell(int column, int row, const CellValue& cell) {
  const int count = RowCount();
  if (row < 0 || row > count) return 0;
  if (row == count) {
    AppendRow();
    return 0;
  }
  TraditionalRow& target = rows_[static_cast<std::size_t>(row)];
  int result = 0;
  if (column == 0) {
    const int type = TraditionalTypeFromKeyword(cell.text);
    if (type >= 0) target.type = static_cast<std::int8_t>(type);
    SanitizeTraditionalRow(target);
    result = 1;
  } else {
    ParseField(column, target, cell.text);
  }
  if (row == count - 1 && column >= 0 && column < kEntryColumns) {
    entryFlags_[static_cast<std::size_t>(column)] = true;
  }
  return result;
}

// Enter on the hair columns of a 3Hair row completes the readings.
void Traditional::HairEnter(int& column, int row) {
  TraditionalRow& target = rows_[static_cast<std::size_t>(row)];
  double low = SingleValue(target.lowHair);
  double mid = SingleValue(target.midHair);
  double top = SingleValue(target.topHair);
  if (column == 5) {
    if (IsEmptyValue(top) && !IsEmptyValue(mid) && !IsEmptyValue(low)) {
      target.topHair = static_cast<float>(2 * mid - low);
    }
    column = 6;
    return;
  }
  if (HairAsymmetry({low, mid, top}) >= tolerance_ && FillMissingHair(low, mid, top)) {
    target.lowHair = static_cast<float>(low);
    target.midHair = static_cast<float>(mid);
    target.topHair = static_cast<float>(top);
  }
  column = 7;
}

int Traditional::GridOption(int option, int& p1, int& p2) {
  if (option == 1) {
    p2 = (p1 >= 0 && p1 < kEntryColumns) ? kColumnWidths[p1] : 0;
    return 0;
  }
  if (option != 2) return 0;
  int& column = p1;
  int& row = p2;
  if (!RowInside(row)) return 1;
  const int type = rows_[static_cast<std::size_t>(row)].type;
  if (type == kTradFnote && column == 1) {
    column = 0;
    ++row;
  } else if ((type == kTradMhSd || type == kTradMhSi) && column == 5) {
    column = 7;
  } else if (type == kTradThreeHair && (column == 5 || column == 6)) {
    HairEnter(column, row);
  } else if (++column >= ColumnCount()) {
    column = 0;
    ++row;
  }
  return 0;
}

std::string Traditional::RowState(int row) {
  if (!RowInside(row)) return {};
  ArchiveWriter out;
  WriteTraditionalRecord(out, rows_[static_cast<std::size_t>(row)]);
  return out.Bytes();
}

int Traditional::RestoreRowState(int row, const std::string& state) {
  if (!RowInside(row)) return 0;
  ArchiveReader in(state);
  TraditionalRow restored;
  if (!ReadTraditionalRecord(in, restored)) return 0;
  rows_[static_cast<std::size_t>(row)] = std::move(restored);
  return 1;
}

int Traditional::SaveToFile(const std::string& path) {
  AtomicFileWriter file;
  bool saved = file.Begin(path);
  if (saved) {
    ArchiveWriter out(file.Get());
    for (const TraditionalRow& row : rows_) WriteTraditionalRecord(out, row);
    if (!out.Flush()) file.NoteWriteFailure();
  }
  saved = saved && file.Commit();
  if (!saved) {
    ctx_.messages.Show(Sprintf("Could not save the Traditional Stadia sheet to %s: %s",
                               path.c_str(), file.Reason().c_str()));
    return 0;
  }
  documentPath_ = path;
  return 1;
}

int Traditional::LoadFromFile(const std::string& path) {
  ExclusiveFile file;
  if (!file.Open(path, ExclusiveFile::Mode::Read)) return 0;
  ArchiveReader in(file.Get());
  std::vector<TraditionalRow> read;
  ctx_.progress.SetText("Reading Traditional from Disk");
  ctx_.progress.Show(0, 10, 1);
  std::string failure;
  try {
    TraditionalRow row;
    while (ReadTraditionalRecord(in, row)) {
      if (row.type >= 0 && row.type <= kTradLastKeptType) read.push_back(std::move(row));
      if (read.size() % kRowsPerProgressStep == 0) ctx_.progress.Step();
      row = TraditionalRow{};
    }
    if (in.ReadError() != 0) {
      failure =
          Sprintf("Could not read all of %s: %s", path.c_str(), ErrorText(in.ReadError()).c_str());
    }
    if (failure.empty()) rows_.insert(rows_.end(), read.begin(), read.end());
  } catch (const std::bad_alloc&) {
    failure = Sprintf("Not enough memory to read %s", path.c_str());
  }
  ctx_.progress.Hide();
  if (!failure.empty()) {
    ctx_.messages.Show(failure);
    return 0;
  }
  entryFlags_.fill(true);
  documentPath_ = path;
  return 1;
}

}  // namespace kestrel
