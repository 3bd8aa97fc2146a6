// Reading and writing the Precision Stadia sheet file, in its own form or in
// the Stadia form.
#include "sheets/stadia/precision_file.h"

#include <bit>
#include <cmath>
#include <new>
#include <optional>

#include "platform/ascii_case.h"
#include "platform/file_access.h"
#include "platform/printf_format.h"
#include "sheets/stadia/precision_stadia.h"
#include "sheets/stadia/stadia.h"

namespace kestrel {

namespace {

constexpr int kRowsPerProgressStep = 25;
// What the table selection writes into a new sheet file.
constexpr std::string_view kNewSheetBytes = "empty";
constexpr std::uint64_t kNewSheetSize = kNewSheetBytes.size();

double ReadField(ArchiveReader& in) {
  double value = kEmptyValue;
  in.ReadF64(value);
  return FiniteOrEmpty(value);
}

double CutToFourDecimals(double value) {
  return IsEmptyValue(value) ? value : std::floor(value * 10000.0) / 10000.0;
}

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool IsPrecisionFormPath(const std::string& path) {
  const std::string name = FileName(path);
  return ContainsIgnoringAsciiCase(name, "precisionstadia") ||
         !ContainsIgnoringAsciiCase(name, "stad");
}

void WritePrecisionRecord(ArchiveWriter& out, const PrecisionStadiaRow& row) {
  out.WriteU8(static_cast<std::uint8_t>(row.type));
  out.WriteF64(row.hz);
  out.WriteU32(row.point);
  for (const double value :
       {row.obs2, row.dist, row.targetHt, row.spare, row.east, row.north, row.height, row.spare2,
        row.spare3, row.reducedDist, row.gridBearing}) {
    out.WriteF64(value);
  }
  out.WriteCountedText(row.code);
  out.WriteCountedText(row.comment);
  out.WriteCountedText(row.note);
}

RecordRead ReadPrecisionRecord(ArchiveReader& file, PrecisionStadiaRow& row) {
  char fixed[kPrecisionRecordBytes];
  if (file.ReadUpTo(fixed, sizeof fixed) != sizeof fixed) return RecordRead::Nothing;
  ArchiveReader in(std::string_view(fixed, sizeof fixed));
  std::uint8_t type = 0;
  in.ReadU8(type);
  row.type = static_cast<std::int8_t>(type);
  row.hz = ReadField(in);
  in.ReadU32(row.point);
  double obs2 = 0.0;
  in.ReadF64(obs2);
  if (std::isfinite(obs2)) {
    row.obs2 = obs2;
  } else if (row.type == kStadiaAtBs) {
    row.obs2 = std::bit_cast<double>(std::bit_cast<std::uint64_t>(obs2) & 0xFFFFFFFFu);
  } else {
    row.obs2 = kEmptyValue;
  }
  for (double* field : {&row.dist, &row.targetHt, &row.spare, &row.east, &row.north, &row.height,
                        &row.spare2, &row.spare3, &row.reducedDist, &row.gridBearing}) {
    *field = ReadField(in);
  }
  if (!file.ReadCountedText(row.code) || !file.ReadCountedText(row.comment) ||
      !file.ReadCountedText(row.note)) {
    return RecordRead::Cut;
  }
  return RecordRead::Whole;
}

PrecisionStadiaRow PrecisionRowFromStadia(const StadiaRow& from) {
  PrecisionStadiaRow row = BlankPrecisionRow(from.type);
  row.point = from.point;
  row.hz = CutToFourDecimals(from.hz);
  row.spare = from.spare;
  row.east = from.east;
  row.north = from.north;
  row.height = from.height;
  row.code = from.code;
  row.comment = from.comment;
  row.note = from.note;
  row.spare2 = 0.0;
  row.spare3 = 1.0;
  switch (from.type) {
    case kStadiaAtBs:
      if (HasBacksight(from) && BacksightNumber(from) != 0) {
        SetBacksightNumber(row, BacksightNumber(from));
      }
      row.dist = from.dist;
      break;
    case kStadiaSdHt:
      row.obs2 = CutToFourDecimals(from.obs2);
      row.dist = from.dist;
      row.targetHt = from.targetHt;
      break;
    case kStadiaHzDh:
    case kStadiaChk:
      row.obs2 = from.obs2;
      row.dist = from.dist;
      row.targetHt = from.targetHt;
      break;
    case kStadiaHdRl:
      row.dist = from.dist;
      break;
    default:
      break;
  }
  return row;
}

// --- The sheet's file ------------------------------------------------------------

int PrecisionStadia::SaveToFile(const std::string& path) {
  if (!unreadPath_.empty() && FollowLinks(path) == unreadPath_) {
    Context().messages.Show(
        Sprintf("%s could not be read whole, so the Precision Stadia sheet is not saved over "
                "it: save it under another name",
                path.c_str()));
    return 0;
  }
  const int saved = IsPrecisionFormPath(path) ? SaveNative(path) : SaveStadiaForm(path);
  if (saved != 1) return 0;
  SetDocumentPath(path);
  unreadPath_.clear();
  return 1;
}

int PrecisionStadia::SaveNative(const std::string& path) {
  AtomicFileWriter file;
  bool saved = file.Begin(path);
  if (saved) {
    ArchiveWriter out(file.Get());
    out.WriteU16(kPrecisionFileVersion);
    for (const PrecisionStadiaRow& row : Rows()) WritePrecisionRecord(out, row);
    if (!out.Flush()) file.NoteWriteFailure();
  }
  if (saved && file.Commit()) return 1;
  Context().messages.Show(Sprintf("Could not save the Precision Stadia sheet to %s: %s",
                                  path.c_str(), file.Reason().c_str()));
  return 0;
}

// The Stadia sheet writes the file, from the rows as a Stadia sheet holds them.
int PrecisionStadia::SaveStadiaForm(const std::string& path) {
  Stadia stadia(Context());
  stadia.Rows().reserve(Rows().size());
  for (const PrecisionStadiaRow& row : Rows()) {
    stadia.Rows().push_back(static_cast<const StadiaRow&>(row));
  }
  return stadia.SaveToFile(path);
}

int PrecisionStadia::LoadFromFile(const std::string& path) {
  if (!IsPrecisionFormPath(path)) return LoadStadiaForm(path);
  ExclusiveFile file;
  if (!file.Open(path, ExclusiveFile::Mode::Read)) return 0;
  return LoadNative(file.Get(), path);
}

// The Stadia sheet reads the file; its rows are converted and added after
// the sheet's own.
int PrecisionStadia::LoadStadiaForm(const std::string& path) {
  Stadia stadia(Context());
  if (stadia.LoadFromFile(path) != 1) {
    if (FileExists(path)) unreadPath_ = FollowLinks(path);
    return 0;
  }
  Rows().reserve(Rows().size() + stadia.Rows().size());
  for (const StadiaRow& row : stadia.Rows()) Rows().push_back(PrecisionRowFromStadia(row));
  SetAllEntryFlags(true);
  SetDocumentPath(path);
  unreadPath_.clear();
  return 1;
}

int PrecisionStadia::LoadNative(std::FILE* file, const std::string& path) {
  const std::optional<std::uint64_t> fileBytes = FileSize(path);
  ArchiveReader in(file);
  std::vector<PrecisionStadiaRow> read;
  Context().progress.SetText("Reading Stadia from Disk");
  Context().progress.Show(0, 10, 1);
  bool whole = true;
  std::string failure;
  try {
    std::uint16_t version = 0;  // not checked: every version so far is 1
    std::uint64_t count = 0;
    if (in.ReadU16(version)) {
      while (!in.AtEnd()) {
        PrecisionStadiaRow row;
        if (ReadPrecisionRecord(in, row) != RecordRead::Whole) {
          whole = false;
          break;
        }
        if (row.type >= 0 && row.type < kStadiaRowTypeCount) read.push_back(std::move(row));
        if (++count % kRowsPerProgressStep == 0) Context().progress.Step();
      }
    }
    if (in.ReadError() != 0) {
      failure =
          Sprintf("Could not read all of %s: %s", path.c_str(), ErrorText(in.ReadError()).c_str());
    }
  } catch (const std::bad_alloc&) {
    failure = Sprintf("Not enough memory to read %s", path.c_str());
  }
  Context().progress.Hide();
  if (!failure.empty()) {
    unreadPath_ = FollowLinks(path);
    Context().messages.Show(failure);
    return 0;
  }
  // A file cut or damaged inside a record keeps the rows before it; the rest
  // of the file is not written over. The new sheet's marker holds no rows.
  const bool newSheet = fileBytes && *fileBytes <= kNewSheetSize;
  if (!whole && !newSheet) {
    unreadPath_ = FollowLinks(path);
  } else {
    unreadPath_.clear();
  }
  if (!read.empty()) Rows().swap(read);
  SetAllEntryFlags(true);
  SetDocumentPath(path);
  return 1;
}

std::string PrecisionStadia::RowState(int row) {
  if (!RowInside(row)) return {};
  ArchiveWriter out;
  WritePrecisionRecord(out, Rows()[static_cast<std::size_t>(row)]);
  return out.Bytes();
}

int PrecisionStadia::RestoreRowState(int row, const std::string& state) {
  if (!RowInside(row)) return 0;
  ArchiveReader in(state);
  PrecisionStadiaRow restored;
  if (ReadPrecisionRecord(in, restored) != RecordRead::Whole) return 0;
  Rows()[static_cast<std::size_t>(row)] = std::move(restored);
  return 1;
}

}  // namespace kestrel
