// The Precision Stadia sheet's own parts: its cells to hundredths of a
// second, its Enter-key rule, its clipboard lines and its listing hooks; the
// rows and cells are the family's.
#include "sheets/stadia/precision_stadia.h"

#include "adjust/geoid_data.h"
#include "sheets/stadia/precision_angles.h"
#include "sheets/stadia/precision_listing.h"
#include "sheets/stadia/stadia_clipboard.h"
#include "sheets/stadia/stadia_listing.h"

namespace kestrel {

template class StadiaFamily<PrecisionStadiaRow>;

PrecisionStadia::PrecisionStadia(SheetContext& context)
    : StadiaFamily(context), geoidDataPath_(DefaultGeoidDataPath()) {}

PrecisionStadia::~PrecisionStadia() = default;

// SD/HT readings show to hundredths of a second; every other reading as on
// the Stadia sheet.
std::string PrecisionStadia::AngleText(const PrecisionStadiaRow& row, StadiaField field,
                                       double packedDms) const {
  if (row.type != kStadiaSdHt) return StadiaFamily::AngleText(row, field, packedDms);
  if (IsEmptyValue(packedDms)) return {};
  return PreciseAngleText(packedDms, Context().units.BearingMode(), field == StadiaField::Hz);
}

// Typed readings keep their hundredths of a second in every angle mode.
void PrecisionStadia::ParseField(int column, PrecisionStadiaRow& row, const std::string& text) {
  const StadiaField field = Columns().SpecOf(column, row.type).field;
  if (field != StadiaField::Hz && field != StadiaField::Vertical) {
    StadiaFamily::ParseField(column, row, text);
    return;
  }
  const double value = FiniteOrEmpty(
      ParsePreciseAngleText(text, Context().units.BearingMode(), field == StadiaField::Hz));
  (field == StadiaField::Hz ? row.hz : row.obs2) = value;
}

// The reading carried down to a new shot shows to hundredths of a second.
bool PrecisionStadia::SuggestionText(int column, int row, std::string& text) {
  if (!StadiaFamily::SuggestionText(column, row, text)) return false;
  const double hz = Rows()[static_cast<std::size_t>(row)].hz;
  if (column == 2 && !text.empty()) text = PreciseDmsText(hz);
  return true;
}

bool PrecisionStadia::MemberNextCell(int& column, int& row) {
  return HdRlSkipsTargetHeight(column, row);
}

PrecisionStadia::ListingForm PrecisionStadia::Listing() const {
  return {"Stadia Report", "Stadia File :", "%s%sPrecisionStadiaListing_%s.rtf"};
}

std::vector<std::string> PrecisionStadia::ListingLines(int first, int end, bool) {
  return PrecisionListingLines(*this, first, end);
}

ReportSettings PrecisionStadia::ListingSettings(bool corrected, bool& landscape) const {
  return StadiaListingSettings(ShowCoordinates(), corrected, landscape);
}

// The Stadia sheet's lines, so that rows move between the two kinds.
bool PrecisionStadia::ClipboardLine(int row, std::string& line) const {
  if (!RowInside(row)) return false;
  const PrecisionStadiaRow& r = Rows()[static_cast<std::size_t>(row)];
  if (r.type < 0 || r.type >= kStadiaRowTypeCount) return false;
  line = StadiaClipboardLine(r);
  return true;
}

int PrecisionStadia::InsertClipboardLines(int row, const std::vector<std::string_view>& lines) {
  std::vector<PrecisionStadiaRow> pasted;
  for (const std::string_view line : lines) {
    PrecisionStadiaRow parsed;
    if (ParseStadiaClipboardLine(line, parsed)) pasted.push_back(std::move(parsed));
  }
  Rows().insert(Rows().begin() + row, std::make_move_iterator(pasted.begin()),
                std::make_move_iterator(pasted.end()));
  return static_cast<int>(pasted.size());
}

}  // namespace kestrel
