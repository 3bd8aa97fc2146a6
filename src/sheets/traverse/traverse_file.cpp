// Reading and writing the traverse sheet file.
#include "sheets/traverse/traverse_file.h"

#include <cmath>
#include <new>
#include <optional>

#include "platform/file_access.h"
#include "platform/printf_format.h"
#include "sheets/traverse/traverse.h"

namespace kestrel {

namespace {

// The progress control advances once per this many rows read.
constexpr int kRowsPerProgressStep = 25;

bool ReadDouble(ArchiveReader& in, double& value) {
  double read = 0;
  if (!in.ReadF64(read)) return false;
  value = std::isfinite(read) ? read : kEmptyValue;
  return true;
}

bool ReadFloat(ArchiveReader& in, float& value) {
  float read = 0;
  if (!in.ReadF32(read)) return false;
  value = std::isfinite(read) ? read : kEmptyFloat;
  return true;
}

}  // namespace

void WriteTraverseRecord(ArchiveWriter& out, const TraverseRow& row) {
  out.WriteU8(row.type);
  out.WriteU32(row.at);
  out.WriteU32(row.to);
  out.WriteF64(row.angle);
  out.WriteF64(row.bearing);
  out.WriteF64(row.vertical);
  out.WriteF64(row.slope_dist);
  out.WriteF32(row.inst_ht);
  out.WriteF32(row.target_ht);
  out.WriteF64(row.east);
  out.WriteF64(row.north);
  out.WriteF32(row.height);
  out.WriteCountedText(row.code);
  out.WriteCountedText(row.spare_text);
  out.WriteCountedText(row.note);
}

TraverseRecordRead ReadTraverseRecord(ArchiveReader& in, TraverseRow& row) {
  const bool fixed = in.ReadU8(row.type) && in.ReadU32(row.at) && in.ReadU32(row.to) &&
                     ReadDouble(in, row.angle) && ReadDouble(in, row.bearing) &&
                     ReadDouble(in, row.vertical) && ReadDouble(in, row.slope_dist) &&
                     ReadFloat(in, row.inst_ht) && ReadFloat(in, row.target_ht) &&
                     ReadDouble(in, row.east) && ReadDouble(in, row.north) &&
                     ReadFloat(in, row.height);
  if (!fixed) return TraverseRecordRead::Nothing;
  if (!in.ReadCountedText(row.code) || !in.ReadCountedText(row.spare_text) ||
      !in.ReadCountedText(row.note)) {
    return TraverseRecordRead::Cut;
  }
  return TraverseRecordRead::Whole;
}

bool KeepReadTraverseRow(const TraverseRow& row) {
  return !(row.type == kTravStn && row.at == kNoPoint && row.to == kNoPoint);
}

int Traverse::SaveToFile(const std::string& path) {
  const auto write = [&](ArchiveWriter& out) {
    for (const TraverseRow& row : rows_) WriteTraverseRecord(out, row);
  };
  if (!SaveSheetFile(path, ctx_.messages, "Traverse sheet", write)) return 0;
  documentPath_ = path;
  return 1;
}

int Traverse::LoadFromFile(const std::string& path) {
  ExclusiveFile file;
  if (!file.Open(path, ExclusiveFile::Mode::Read)) return 0;
  ArchiveReader in(file.Get());
  ctx_.progress.SetText("Reading Traverse from Disk");
  ctx_.progress.Show(0, 10, 1);
  std::vector<TraverseRow> read;
  bool loaded = true;
  try {
    for (std::uint64_t count = 1;; ++count) {
      TraverseRow row = BlankTraverseRow();
      const TraverseRecordRead result = ReadTraverseRecord(in, row);
      if (result == TraverseRecordRead::Nothing) break;
      if (KeepReadTraverseRow(row)) read.push_back(std::move(row));
      // A record cut inside its texts is the end of a damaged file: the rows
      // before it (and what it holds) are kept.
      if (result == TraverseRecordRead::Cut) break;
      if (count % kRowsPerProgressStep == 0) ctx_.progress.Step();
    }
  } catch (const std::bad_alloc&) {
    loaded = false;
  }
  ctx_.progress.Hide();
  if (!loaded) {
    ctx_.messages.Show(Sprintf("Not enough memory to read %s", path.c_str()));
    return 0;
  }
  rows_ = std::move(read);
  RowsChanged();
  ClearRoute();
  documentPath_ = path;
  return 1;
}

}  // namespace kestrel
