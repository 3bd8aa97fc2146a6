// The Traditional Stadia sheet's columns, hair cells, Enter-key rules and
// file; the rows, the other cells and the shared commands are the family's.
#include "sheets/stadia/traditional.h"

#include "platform/number_text.h"
#include "platform/ports.h"
#include "sheets/row_sheet.h"
#include "survey/distances.h"
#include "survey/empty_value.h"

namespace kestrel {

template class StadiaFamily<TraditionalRow>;

namespace {

using enum StadiaField;

constexpr int kRowsPerProgressStep = 25;
constexpr RgbColor kRedText{255, 0, 0};

// Columns 1 to 6 of each row type. The hair readings (and the AT/BS
// instrument height, which the file keeps in the middle hair) are this
// sheet's own cells: None here.
constexpr ColumnSpec kTypeColumns[] = {
    // STN
    {"Pt#", Point},
    {"East", East},
    {"North", North},
    {"Height", Height},
    {"", None},
    {"", None},
    // AT/BS
    {"At#", Point},
    {"Hz Cir", Hz},
    {"BS#", Backsight},
    {"Ht In", None},
    {"", None},
    {"", None},
    // Fnote
    {"Note", Note},
    {"", None},
    {"", None},
    {"", None},
    {"", None},
    {"", None},
    // 3Hair
    {"Pt#", Point},
    {"Hz Cir", Hz},
    {"Vt Cir", Vertical},
    {"Low", None},
    {"MH", None},
    {"Top", None},
    // MH/SD
    {"Pt#", Point},
    {"Hz Cir", Hz},
    {"Vt Cir", Vertical},
    {"MH", None},
    {"SD", None},
    {"", None},
    // MH/SI
    {"Pt#", Point},
    {"Hz Cir", Hz},
    {"Vt Cir", Vertical},
    {"MH", None},
    {"Staff", None},
    {"", None},
};
static_assert(std::size(kTypeColumns) == kTradRowTypeCount * 6);

constexpr ColumnSpec kCommonColumns[] = {
    {"Type", None}, {"", None},       {"", None},
    {"", None},     {"", None},       {"", None},
    {"", None},     {"PC", Code},     {"Comments", Comment},
    {"East", East}, {"North", North}, {"Height", Height},
};

constexpr int kWidths[Traditional::kEntryColumns] = {65, 45, 95, 95, 80, 80,
                                                     80, 90, 90, 60, 60, 60};

const StadiaColumns kTraditionalColumns{
    .keywords = kTradTypeKeywords,
    .typeChoices = kTradTypeChoices,
    .entryColumns = Traditional::kEntryColumns,
    .hiddenColumns = Traditional::kColumnsHidden,
    .widths = kWidths,
    .common = kCommonColumns,
    .firstTypeColumn = 1,
    .typeColumns = 6,
    .byType = kTypeColumns,
};

// The reading a hair cell shows and stores: the AT/BS instrument height in
// column 4, the shots' three readings in columns 4 to 6; none elsewhere.
template <class Row>
auto* HairField(int column, Row& row) {
  using Field = decltype(&row.lowHair);
  if (row.type == kTradAtBs) return column == 4 ? &row.midHair : Field{};
  if (!IsTraditionalShot(row.type)) return Field{};
  if (column == 4) return &row.lowHair;
  if (column == 5) return &row.midHair;
  return column == 6 ? &row.topHair : Field{};
}

HairReadings HairsOf(const TraditionalRow& row) {
  return {SingleValue(row.lowHair), SingleValue(row.midHair), SingleValue(row.topHair)};
}

}  // namespace

Traditional::Traditional(SheetContext& context) : StadiaFamily(context) {}

Traditional::~Traditional() = default;

const StadiaColumns& Traditional::Columns() const { return kTraditionalColumns; }

int Traditional::AppendRow() {
  Rows().push_back(BlankRow(DefaultType()));
  SetAllEntryFlags(false);
  return 0;
}

std::string Traditional::FieldText(int column, const TraditionalRow& row) const {
  if (const float* hair = HairField(column, row)) return DistanceText(SingleValue(*hair));
  return StadiaFamily::FieldText(column, row);
}

void Traditional::ParseField(int column, TraditionalRow& row, const std::string& text) {
  if (float* hair = HairField(column, row)) {
    StoreValue(*hair, ParseDistanceText(text, Context().units.DistanceUnit()));
    return;
  }
  StadiaFamily::ParseField(column, row, text);
}

RgbColor Traditional::RowTextColor(const TraditionalRow& row) const {
  if (row.type == kTradThreeHair && HairsOutOfTolerance(HairsOf(row), tolerance_)) return kRedText;
  return StadiaFamily::RowTextColor(row);
}

// Enter in the hair columns of a 3Hair row completes the readings: leaving MH
// fills a missing Top from Low and MH; leaving Top fills the one reading
// missing when the three are not symmetric within the tolerance.
void Traditional::HairEnter(int& column, TraditionalRow& row) const {
  double low = SingleValue(row.lowHair);
  double mid = SingleValue(row.midHair);
  double top = SingleValue(row.topHair);
  if (column == 5) {
    if (IsEmptyValue(top) && !IsEmptyValue(mid) && !IsEmptyValue(low)) {
      row.topHair = static_cast<float>(2 * mid - low);
    }
    column = 6;
    return;
  }
  if (HairAsymmetry({low, mid, top}) >= tolerance_ && FillMissingHair(low, mid, top)) {
    row.lowHair = static_cast<float>(low);
    row.midHair = static_cast<float>(mid);
    row.topHair = static_cast<float>(top);
  }
  column = 7;
}

// MH/SD and MH/SI go from their second reading to the code; past the last
// column the cursor goes to the next row.
bool Traditional::MemberNextCell(int& column, int& row) {
  TraditionalRow& current = Rows()[static_cast<std::size_t>(row)];
  if ((current.type == kTradMhSd || current.type == kTradMhSi) && column == 5) {
    column = 7;
  } else if (current.type == kTradThreeHair && (column == 5 || column == 6)) {
    HairEnter(column, current);
  } else if (column + 1 >= ColumnCount()) {
    column = 0;
    ++row;
  } else {
    return false;
  }
  return true;
}

std::string Traditional::RowState(int row) {
  return RecordState(Rows(), row, WriteTraditionalRecord);
}

int Traditional::RestoreRowState(int row, const std::string& state) {
  return RestoreRecordState(Rows(), row, state, ReadTraditionalRecord);
}

int Traditional::SaveToFile(const std::string& path) {
  const auto write = [&](ArchiveWriter& out) {
    for (const TraditionalRow& row : Rows()) WriteTraditionalRecord(out, row);
  };
  if (!SaveSheetFile(path, Context().messages, "Traditional Stadia sheet", write)) return 0;
  SetDocumentPath(path);
  return 1;
}

int Traditional::LoadFromFile(const std::string& path) {
  Progress& progress = Context().progress;
  std::vector<TraditionalRow>& rows = Rows();
  const std::size_t before = rows.size();
  const auto readRows = [&](ArchiveReader& in) {
    progress.SetText("Reading Traditional from Disk");
    progress.Show(0, 10, 1);
    TraditionalRow row;
    while (ReadTraditionalRecord(in, row)) {
      if (row.type >= 0 && row.type <= kTradLastKeptType) rows.push_back(std::move(row));
      if ((rows.size() - before) % kRowsPerProgressStep == 0) progress.Step();
      row = TraditionalRow{};
    }
  };
  const SheetFileRead result = ReadSheetFile(path, Context().messages, readRows);
  if (result == SheetFileRead::NotOpened) return 0;
  progress.Hide();
  if (result == SheetFileRead::Failed) {
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(before), rows.end());
    return 0;
  }
  SetAllEntryFlags(true);
  SetDocumentPath(path);
  return 1;
}

}  // namespace kestrel
