#include "sheets/stadia/stadia_columns.h"

#include "sheets/row_sheet.h"
#include "sheets/stadia/stadia_row.h"

namespace kestrel {

namespace {

using enum StadiaField;

// Columns 1 to 5 of each row type.
constexpr ColumnSpec kTypeColumns[] = {
    // STN
    {"Pt#", Point},
    {"East", East},
    {"North", North},
    {"Height", Height},
    {"", None},
    // AT/BS
    {"At#", Point},
    {"Hz Cir", Hz},
    {"BS#", Backsight},
    {"Ht In", Dist},
    {"", None},
    // Fnote
    {"Note", Note},
    {"", None},
    {"", None},
    {"", None},
    {"", None},
    // SD/HT
    {"Pt#", Point},
    {"Hz Cir", Hz},
    {"Vt Cir", Vertical},
    {"S/Dist", Dist},
    {"Ht", TargetHt},
    // HZ/DH
    {"Pt#", Point},
    {"Hz Cir", Hz},
    {"Hz dist", Dist},
    {"Ht/Diff", HeightDiff},
    {"Ht", TargetHt},
    // HD/RL
    {"Pt#", Point},
    {"Hz Cir", Hz},
    {"Hz dist", Dist},
    {"Height", Height},
    {"", None},
    // CHK
    {"Pt#", Point},
    {"Hz Cir", Hz},
    {"Vt Cir", Vertical},
    {"S/Dist", Dist},
    {"Ht", TargetHt},
};
static_assert(std::size(kTypeColumns) == kStadiaRowTypeCount * 5);

// Columns 0 and 6 to 10 are the same on every row type.
constexpr ColumnSpec kCommonColumns[] = {
    {"Type", None}, {"", None},       {"", None},         {"", None},
    {"", None},     {"", None},       {"PC", Code},       {"Comments", Comment},
    {"East", East}, {"North", North}, {"Height", Height},
};

constexpr int kWidths[kStadiaEntryColumns] = {65, 45, 95, 95, 80, 50, 70, 90, 60, 60, 60};

}  // namespace

const StadiaColumns kStadiaColumns{
    .keywords = kStadiaTypeKeywords,
    .typeChoices = kStadiaTypeChoices,
    .entryColumns = kStadiaEntryColumns,
    .hiddenColumns = kStadiaHiddenColumns,
    .widths = kWidths,
    .common = kCommonColumns,
    .firstTypeColumn = 1,
    .typeColumns = 5,
    .byType = kTypeColumns,
};

ColumnSpec StadiaColumns::SpecOf(int column, int type) const {
  if (column < 0 || column >= entryColumns) return {"", StadiaField::None};
  if (column >= firstTypeColumn && column < firstTypeColumn + typeColumns) {
    const auto at = static_cast<std::size_t>(type) * static_cast<std::size_t>(typeColumns) +
                    static_cast<std::size_t>(column - firstTypeColumn);
    if (type < 0 || at >= byType.size()) return {"", StadiaField::None};
    return byType[at];
  }
  return common[static_cast<std::size_t>(column)];
}

int StadiaColumns::Width(int column) const { return ColumnWidthOf(widths, column); }

}  // namespace kestrel
