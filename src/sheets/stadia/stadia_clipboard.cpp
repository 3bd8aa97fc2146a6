// The clipboard text of the radiation sheets: its frame, and the lines of
// Stadia rows.
#include "sheets/stadia/stadia_clipboard.h"

#include <algorithm>
#include <array>

#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "sheets/clipboard_text.h"
#include "survey/empty_value.h"

namespace kestrel {

namespace {

// Fields per line for each row type, the type digit included.
constexpr std::array<std::size_t, kStadiaRowTypeCount> kFieldCounts = {7, 5, 2, 11, 11, 9, 11};

int Signed(std::uint32_t number) { return static_cast<int>(number); }

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

std::uint32_t PointField(std::string_view field) {
  return static_cast<std::uint32_t>(ReadInt(field));
}

double NumberField(std::string_view field) { return FiniteOrEmpty(ReadDouble(field)); }

}  // namespace

std::string StadiaClipboardLine(const StadiaRow& r) {
  const char* code = r.code.c_str();
  const char* comment = r.comment.c_str();
  switch (r.type) {
    case kStadiaStn:
      return Sprintf("0,%d,%f,%f,%f,%s,%s", Signed(r.point), r.east, r.north, r.height, code,
                     comment);
    case kStadiaAtBs:
      return Sprintf("1,%d,%f,%d,%f", Signed(r.point), r.hz, Signed(BacksightNumber(r)), r.dist);
    case kStadiaFnote:
      return Sprintf("2,%s", r.note.c_str());
    case kStadiaSdHt:
      return Sprintf("3,%d,%f,%f,%f,%f,%s,%s,%f,%f,%f", Signed(r.point), r.hz, r.obs2, r.dist,
                     r.targetHt, code, comment, r.east, r.north, r.height);
    case kStadiaHzDh:
      return Sprintf("4,%d,%f,%f,%f,%f,%s,%s,%f,%f,%f", Signed(r.point), r.hz, r.dist, r.obs2,
                     r.targetHt, code, comment, r.east, r.north, r.height);
    case kStadiaHdRl:
      return Sprintf("5,%d,%f,%f,%f,%s,%s,%f,%f", Signed(r.point), r.hz, r.dist, r.height, code,
                     comment, r.east, r.north);
    case kStadiaChk:
      return Sprintf("6,%d,%f,%f,%f,%f,%s,%s,%f,%f,%f", Signed(r.point), r.hz, r.obs2, r.dist,
                     r.targetHt, code, comment, r.east, r.north, r.height);
    default:
      return {};
  }
}

bool ParseStadiaClipboardLine(std::string_view line, StadiaRow& row) {
  if (line.empty() || line[0] < '0' || line[0] > '6') return false;
  const int type = line[0] - '0';
  const std::vector<std::string_view> f = SplitFields(line);
  if (f.size() != kFieldCounts[static_cast<std::size_t>(type)]) return false;

  row = BlankStadiaRow(type);
  switch (type) {
    case kStadiaStn:
      row.point = PointField(f[1]);
      row.east = NumberField(f[2]);
      row.north = NumberField(f[3]);
      row.height = NumberField(f[4]);
      row.code = f[5];
      row.comment = f[6];
      break;
    case kStadiaAtBs: {
      row.point = PointField(f[1]);
      row.hz = NumberField(f[2]);
      // 0 is what a set-up without a backsight copies as.
      const std::uint32_t backsight = PointField(f[3]);
      if (backsight != 0) SetBacksightNumber(row, backsight);
      row.dist = NumberField(f[4]);
      break;
    }
    case kStadiaFnote:
      row.note = f[1];
      break;
    case kStadiaHdRl:
      row.point = PointField(f[1]);
      row.hz = NumberField(f[2]);
      row.dist = NumberField(f[3]);
      row.height = NumberField(f[4]);
      row.code = f[5];
      row.comment = f[6];
      row.east = NumberField(f[7]);
      row.north = NumberField(f[8]);
      break;
    default: {  // SD/HT, HZ/DH and CHK share one layout but for the order of two fields
      const bool heightDifference = type == kStadiaHzDh;
      row.point = PointField(f[1]);
      row.hz = NumberField(f[2]);
      row.obs2 = NumberField(f[heightDifference ? 4 : 3]);
      row.dist = NumberField(f[heightDifference ? 3 : 4]);
      row.targetHt = NumberField(f[5]);
      row.code = f[6];
      row.comment = f[7];
      row.east = NumberField(f[8]);
      row.north = NumberField(f[9]);
      row.height = NumberField(f[10]);
      break;
    }
  }
  return true;
}

std::string StadiaClipboardText(const BaseStadia& sheet, const std::vector<int>& rows) {
  return ClipboardText(kStadiaClipboardKind, rows,
                       [&](int row, std::string& line) { return sheet.ClipboardLine(row, line); });
}

int PasteStadiaText(BaseStadia& sheet, std::string_view text, int row) {
  const auto lines = PastedLines(kStadiaClipboardKind, text, sheet.Context().messages);
  // The row after the last takes the rows too, so that an empty sheet, or the
  // cursor on the blank line under a sheet, can be pasted into; further down
  // nothing is pasted.
  if (!lines || row < 0 || row > sheet.RowCount()) return 0;
  return sheet.InsertClipboardLines(row, *lines);
}

int CopyRowsToClipboard(BaseStadia& sheet, const SelectedRows& selected) {
  sheet.Context().clipboard.SetText(StadiaClipboardText(sheet, selected.rows));
  return 0;
}

int PasteRowsFromClipboard(BaseStadia& sheet, int row) {
  std::string text;
  if (!sheet.Context().clipboard.GetText(text)) return 0;
  PasteStadiaText(sheet, text, row);
  return 0;
}

}  // namespace kestrel
