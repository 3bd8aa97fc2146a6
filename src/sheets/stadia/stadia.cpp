// The Stadia sheet's own parts: its Enter-key rule, its clipboard lines and
// its listing hooks; the rows and cells are the family's.
#include "sheets/stadia/stadia.h"

#include "sheets/stadia/stadia_clipboard.h"
#include "sheets/stadia/stadia_listing.h"

namespace kestrel {

template class StadiaFamily<StadiaRow>;

Stadia::Stadia(SheetContext& context) : StadiaFamily(context) {}

Stadia::~Stadia() = default;

bool Stadia::MemberNextCell(int& column, int& row) { return HdRlSkipsTargetHeight(column, row); }

Stadia::ListingForm Stadia::Listing() const {
  return {"Stadia Report", "Stadia File :", "%s%sStadiaListing_%s.rtf"};
}

std::vector<std::string> Stadia::ListingLines(int first, int end, bool corrected) {
  return StadiaListingLines(*this, first, end, corrected);
}

void Stadia::ListLines(int first, int end, bool corrected, ReportLines& out) {
  StadiaListing(*this, first, end, corrected, out);
}

ReportSettings Stadia::ListingSettings(bool corrected, bool& landscape) const {
  return StadiaListingSettings(ShowCoordinates(), corrected, landscape);
}

bool Stadia::ClipboardLine(int row, std::string& line) const {
  if (!RowInside(row)) return false;
  const StadiaRow& r = Rows()[static_cast<std::size_t>(row)];
  if (r.type < 0 || r.type >= kStadiaRowTypeCount) return false;
  line = StadiaClipboardLine(r);
  return true;
}

int Stadia::InsertClipboardLines(int row, const std::vector<std::string_view>& lines) {
  std::vector<StadiaRow> pasted;
  for (const std::string_view line : lines) {
    StadiaRow parsed;
    if (ParseStadiaClipboardLine(line, parsed)) pasted.push_back(std::move(parsed));
  }
  Rows().insert(Rows().begin() + row, std::make_move_iterator(pasted.begin()),
                std::make_move_iterator(pasted.end()));
  return static_cast<int>(pasted.size());
}

}  // namespace kestrel
