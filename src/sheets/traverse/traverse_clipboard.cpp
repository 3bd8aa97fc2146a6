// Copying traverse rows to the clipboard text and pasting them back.
#include "sheets/traverse/traverse_clipboard.h"

#include <algorithm>
#include <cmath>

#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/clipboard_text.h"
#include "sheets/traverse/traverse.h"

namespace kestrel {

namespace {

int Signed(std::uint32_t number) { return static_cast<int>(number); }

std::string ClipboardLine(const TraverseRow& r) {
  switch (r.type) {
    case kTravStn:
      return Sprintf("0,%d,%f,%f,%f,%s", Signed(r.at), r.east, r.north, double(r.height),
                     r.code.c_str());
    case kTravBSite:
      return Sprintf("1,%d,%d,%f,%f,%f,%f", Signed(r.at), Signed(r.to), r.angle, r.east, r.north,
                     double(r.height));
    case kTravFnote:
      return Sprintf("2,%s", r.note.c_str());
    case kTravTraverse:
    case kTravSShot:
    case kTravClose:
    case kTravRobj:
    case kTravCheck:
      // A Robj row carries its angle field, not its reference bearing.
      return Sprintf("%d,%d,%d,%f,%f,%f,%f,%f,%s,%f,%f,%f", int(r.type), Signed(r.at), Signed(r.to),
                     r.angle, r.vertical, r.slope_dist, double(r.inst_ht), double(r.target_ht),
                     r.code.c_str(), r.east, r.north, double(r.height));
    default:
      return {};
  }
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    fields.push_back(line.substr(0, comma));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return fields;
}

// Fields `first` to `last` (inclusive) joined back with their commas, so that
// a code holding a comma survives.
std::string Joined(const std::vector<std::string_view>& f, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t i = first; i <= last && i < f.size(); ++i) {
    if (i > first) text += ',';
    text += f[i];
  }
  return text;
}

double Number(const std::vector<std::string_view>& f, std::size_t i) {
  if (i >= f.size()) return kEmptyValue;
  const double value = ReadDouble(f[i]);
  return std::isfinite(value) ? value : kEmptyValue;
}

float Height(const std::vector<std::string_view>& f, std::size_t i) {
  const double value = Number(f, i);
  return std::fabs(value) > 1e30 ? kEmptyFloat : static_cast<float>(value);
}

std::uint32_t Point(const std::vector<std::string_view>& f, std::size_t i) {
  return i < f.size() ? static_cast<std::uint32_t>(ReadInt(f[i])) : kNoPoint;
}

bool ParseClipboardLine(std::string_view line, TraverseRow& row) {
  if (line.empty() || line[0] < '0' || line[0] > '9') return false;
  const int type = line[0] - '0';
  row = BlankTraverseRow(type);
  if (type == kTravFnote) {
    row.note = line.size() > 2 ? line.substr(2) : std::string_view();
    return true;
  }
  const std::vector<std::string_view> f = SplitFields(line);
  switch (type) {
    case kTravStn:
      row.at = Point(f, 1);
      row.east = Number(f, 2);
      row.north = Number(f, 3);
      row.height = Height(f, 4);
      row.code = Joined(f, 5, f.size() - 1);
      break;
    case kTravBSite:
      row.at = Point(f, 1);
      row.to = Point(f, 2);
      row.angle = Number(f, 3);
      row.east = Number(f, 4);
      row.north = Number(f, 5);
      row.height = Height(f, 6);
      break;
    case kTravDual:
    case kTravRounds:
      break;
    default: {
      // The code stands between the heights and the coordinates; extra
      // fields are commas inside it.
      const std::size_t extra = f.size() > 12 ? f.size() - 12 : 0;
      row.at = Point(f, 1);
      row.to = Point(f, 2);
      row.angle = Number(f, 3);
      row.vertical = Number(f, 4);
      row.slope_dist = Number(f, 5);
      row.inst_ht = Height(f, 6);
      row.target_ht = Height(f, 7);
      row.code = Joined(f, 8, 8 + extra);
      row.east = Number(f, 9 + extra);
      row.north = Number(f, 10 + extra);
      row.height = Height(f, 11 + extra);
      break;
    }
  }
  return true;
}

}  // namespace

std::string TraverseClipboardText(const Traverse& sheet, const std::vector<int>& rows) {
  const std::vector<TraverseRow>& sheetRows = sheet.Rows();
  return ClipboardText(kTraverseClipboardKind, rows, [&](int row, std::string& line) {
    if (row < 0 || row >= static_cast<int>(sheetRows.size())) return false;
    line = ClipboardLine(sheetRows[static_cast<std::size_t>(row)]);
    return !line.empty();
  });
}

int PasteTraverseText(Traverse& sheet, std::string_view text, int row) {
  const auto lines = PastedLines(kTraverseClipboardKind, text, sheet.Context().messages);
  if (!lines) return 0;
  std::vector<TraverseRow>& rows = sheet.Rows();
  row = std::clamp(row, 0, static_cast<int>(rows.size()));
  std::vector<TraverseRow> pasted;
  for (const std::string_view line : *lines) {
    TraverseRow parsed;
    if (ParseClipboardLine(line, parsed)) pasted.push_back(std::move(parsed));
  }
  rows.insert(rows.begin() + row, std::make_move_iterator(pasted.begin()),
              std::make_move_iterator(pasted.end()));
  sheet.RowsChanged();
  return static_cast<int>(pasted.size());
}

}  // namespace kestrel
