// Reading and writing the two level sheet file forms.
#include "sheets/level/level_sheet_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "platform/ascii_case.h"
#include "platform/file_access.h"
#include "platform/printf_format.h"
#include "sheets/level/level_sheet.h"

namespace kestrel {

namespace {

constexpr std::size_t kCodeCharacters = kLevelSheetCodeBytes - 1;

double FiniteOrBlank(double value) { return std::isfinite(value) ? value : kLevelNewValue; }

// A value in the 32-bit field: blanks keep their sign at the empty value's
// magnitude, so no value can overflow single precision.
float SingleField(double value) {
  if (IsEmptyValue(value)) return float(value < 0 ? kLevelNewValue : kLevelClearedValue);
  return float(value);
}

// The road number kept in a version 3 file: the first row's note, read as an
// integer after a leading "rd ".
std::uint16_t FirstRoadNumber(const std::vector<LevelSheetRow>& rows) {
  if (rows.empty()) return 0;
  std::string_view note = rows.front().note;
  if (note.starts_with(kRoadNotePrefix)) note.remove_prefix(kRoadNotePrefix.size());
  return static_cast<std::uint16_t>(ReadInt(note));
}

}  // namespace

bool IsLevelSheetV3Path(std::string_view path) { return ContainsIgnoringAsciiCase(path, "lvl2s"); }

void WriteLevelSheetRecord(ArchiveWriter& out, const LevelSheetRow& row) {
  out.WriteU32(row.type);
  out.WriteU32(static_cast<std::uint32_t>(row.point));
  for (double value : row.values) out.WriteF64(value);
  out.WriteCountedText(row.code);
  out.WriteCountedText(row.note);
}

bool ReadLevelSheetRecord(ArchiveReader& in, LevelSheetRow& row) {
  std::uint32_t point = 0;
  if (!in.ReadU32(row.type) || !in.ReadU32(point)) return false;
  row.point = static_cast<std::int32_t>(point);
  for (double& value : row.values) {
    if (!in.ReadF64(value)) return false;
    value = FiniteOrBlank(value);
  }
  return in.ReadCountedText(row.code) && in.ReadCountedText(row.note);
}

void WriteLevelSheetV3(ArchiveWriter& out, const std::vector<LevelSheetRow>& rows) {
  out.WriteU16(FirstRoadNumber(rows));
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const LevelSheetRow& row = rows[r];
    out.WriteU32(static_cast<std::uint32_t>(row.point));
    for (double value : row.values) out.WriteF32(SingleField(value));
    std::array<char, kLevelSheetCodeBytes> code{};
    std::memcpy(code.data(), row.code.data(), std::min(row.code.size(), kCodeCharacters));
    out.WriteBytes(code.data(), code.size());
  }
}

void ReadLevelSheetRows(ArchiveReader& in, std::vector<LevelSheetRow>& rows) {
  for (;;) {
    LevelSheetRow& row = rows.emplace_back();
    if (!ReadLevelSheetRecord(in, row)) {
      rows.pop_back();
      return;
    }
  }
}

void ReadLevelSheetV3Rows(ArchiveReader& in, std::vector<LevelSheetRow>& rows) {
  std::uint16_t road = 0;
  if (!in.ReadU16(road)) return;
  LevelSheetRow& first = rows.emplace_back();
  first.type = kLevelSheetFnote;
  first.point = 0;
  first.values = {0.0, 0.0, 0.0};
  first.note = Sprintf("rd %1d", road);
  for (;;) {
    LevelSheetRow row;
    std::uint32_t point = 0;
    std::array<float, kLevelSheetValueCount> values{};
    std::array<char, kLevelSheetCodeBytes> code{};
    if (!in.ReadU32(point) || !in.ReadF32(values[0]) || !in.ReadF32(values[1]) ||
        !in.ReadF32(values[2]) || !in.ReadBytes(code.data(), code.size())) {
      return;
    }
    row.point = static_cast<std::int32_t>(point);
    for (std::size_t i = 0; i < values.size(); ++i) row.values[i] = FiniteOrBlank(values[i]);
    row.code.assign(code.data(), strnlen(code.data(), code.size()));
    rows.push_back(std::move(row));
  }
}

int LevelSheet::SaveToFile(const std::string& path) {
  const auto write = [&](ArchiveWriter& out) {
    if (IsLevelSheetV3Path(path)) {
      WriteLevelSheetV3(out, rows_);
    } else {
      for (const LevelSheetRow& row : rows_) WriteLevelSheetRecord(out, row);
    }
  };
  if (!SaveSheetFile(path, ctx_.messages, "Level Sheet", write)) return 0;
  documentPath_ = path;
  return 1;
}

int LevelSheet::LoadFromFile(const std::string& path) {
  std::vector<LevelSheetRow> read;
  const SheetFileRead result = ReadSheetFile(path, ctx_.messages, [&](ArchiveReader& in) {
    if (IsLevelSheetV3Path(path)) {
      ReadLevelSheetV3Rows(in, read);
    } else {
      ReadLevelSheetRows(in, read);
    }
  });
  if (result == SheetFileRead::NotOpened) return 0;
  // A file that failed to read leaves an empty sheet, as a new one.
  rows_ = result == SheetFileRead::Read ? std::move(read) : std::vector<LevelSheetRow>();
  if (result == SheetFileRead::Failed) return 0;
  documentPath_ = path;
  entryFlags_.fill(true);
  if (rows_.size() <= 1) StartNewSheet();
  return 1;
}

// A new sheet starts a road: its note and a first point row.
void LevelSheet::StartNewSheet() {
  // Cancel keeps the number offered.
  const int road = ctx_.dialogs.AskInteger(kRoadNumberQuestion, 0).value_or(0);
  // The note row as the version 3 form reads its road back.
  LevelSheetRow note;
  note.type = kLevelSheetFnote;
  note.point = 0;
  note.values = {0.0, 0.0, 0.0};
  note.note = Sprintf("rd %1d", road);
  rows_.push_back(std::move(note));
  LevelSheetRow point;
  point.point = 1;
  rows_.push_back(std::move(point));
}

}  // namespace kestrel
