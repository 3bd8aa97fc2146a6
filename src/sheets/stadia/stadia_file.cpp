// Reading and writing the Stadia sheet file.
#include "sheets/stadia/stadia_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_access.h"
#include "platform/printf_format.h"
#include "sheets/stadia/stadia.h"

namespace kestrel {

namespace {

// The first record of a current file: an Fnote whose note names the version.
constexpr std::string_view kVersionNote = "Version 2";
// The smallest record of each layout (fixed part and three empty texts), used
// to size the row array from the file's size.
constexpr std::uint64_t kSmallestRecord = kStadiaRecordBytes + 3;
constexpr std::uint64_t kSmallestOldRecord = kStadiaOldRecordBytes + 3;
// The row array is sized from the file, so what it reserves is proportional
// to the file's size; beyond this many rows (about 5.6 GB of rows) it grows as
// rows arrive instead, and a reservation the machine cannot give is skipped.
constexpr std::uint64_t kMostRowsReserved = 32'000'000;
// The progress control advances once per this many rows read.
constexpr int kRowsPerProgressStep = 25;

template <typename Unsigned>
Unsigned LittleEndian(const std::uint8_t* bytes) {
  Unsigned value = 0;
  for (std::size_t i = sizeof(Unsigned); i-- > 0;) value = (value << 8) | bytes[i];
  return value;
}

template <typename Unsigned>
void PutLittleEndian(std::uint8_t* bytes, Unsigned value) {
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

double ReadDoubleField(const std::uint8_t* bytes) {
  return FiniteOrEmpty(std::bit_cast<double>(LittleEndian<std::uint64_t>(bytes)));
}

double ReadFloatField(const std::uint8_t* bytes) {
  return FiniteOrEmpty(double(std::bit_cast<float>(LittleEndian<std::uint32_t>(bytes))));
}

// A text and whether its terminating zero byte was there.
bool ReadText(ArchiveReader& in, std::string& text) {
  const std::uint64_t before = in.Position();
  if (!in.ReadCString(text)) return false;
  return in.Position() - before > text.size();
}

RecordRead ReadTexts(ArchiveReader& in, StadiaRow& row) {
  if (!ReadText(in, row.code) || !ReadText(in, row.comment) || !ReadText(in, row.note)) {
    return RecordRead::Cut;
  }
  return RecordRead::Whole;
}

void PutDouble(std::uint8_t* bytes, double value) {
  PutLittleEndian(bytes, std::bit_cast<std::uint64_t>(value));
}

void WriteHeader(ArchiveWriter& out) {
  std::array<std::uint8_t, kStadiaOldRecordBytes> header{};
  header[0] = kStadiaFnote;
  out.WriteBytes(header.data(), header.size());
  out.WriteCString("");
  out.WriteCString("");
  out.WriteCString(kVersionNote);
}

// A file cut inside its header record reads as its first record, an Fnote
// with no code or comment whose note is the start of the version text.
bool IsCutHeader(const StadiaRow& first, RecordRead read) {
  return read == RecordRead::Cut && first.type == kStadiaFnote && first.code.empty() &&
         first.comment.empty() && kVersionNote.starts_with(first.note);
}

std::size_t RowsToReserve(std::optional<std::uint64_t> fileBytes, std::uint64_t smallestRecord) {
  if (!fileBytes) return 0;
  // One more than the file can hold: the read that meets the end of the file
  // uses a slot too.
  return static_cast<std::size_t>(std::min(*fileBytes / smallestRecord, kMostRowsReserved) + 1);
}

}  // namespace

void WriteStadiaRecord(ArchiveWriter& out, const StadiaRow& row) {
  std::array<std::uint8_t, kStadiaRecordBytes> fixed;
  fixed[0] = static_cast<std::uint8_t>(row.type);
  PutLittleEndian(&fixed[1], row.point);
  PutDouble(&fixed[5], row.hz);
  PutDouble(&fixed[13], row.obs2);
  PutDouble(&fixed[21], row.spare);
  PutDouble(&fixed[29], row.dist);
  PutDouble(&fixed[37], row.targetHt);
  PutDouble(&fixed[45], row.east);
  PutDouble(&fixed[53], row.north);
  PutDouble(&fixed[61], row.height);
  out.WriteBytes(fixed.data(), fixed.size());
  out.WriteCString(row.code);
  out.WriteCString(row.comment);
  out.WriteCString(row.note);
}

RecordRead ReadStadiaRecord(ArchiveReader& in, StadiaRow& row) {
  std::array<std::uint8_t, kStadiaRecordBytes> fixed;
  if (in.ReadUpTo(fixed.data(), fixed.size()) != fixed.size()) return RecordRead::Nothing;
  row.type = static_cast<std::int8_t>(fixed[0]);
  row.point = LittleEndian<std::uint32_t>(&fixed[1]);
  row.hz = ReadDoubleField(&fixed[5]);
  const std::uint64_t obs2Bits = LittleEndian<std::uint64_t>(&fixed[13]);
  const double obs2 = std::bit_cast<double>(obs2Bits);
  if (std::isfinite(obs2)) {
    row.obs2 = obs2;
  } else if (row.type == kStadiaAtBs) {
    row.obs2 = std::bit_cast<double>(obs2Bits & 0xFFFFFFFFu);
  } else {
    row.obs2 = kEmptyValue;
  }
  row.spare = ReadDoubleField(&fixed[21]);
  row.dist = ReadDoubleField(&fixed[29]);
  row.targetHt = ReadDoubleField(&fixed[37]);
  row.east = ReadDoubleField(&fixed[45]);
  row.north = ReadDoubleField(&fixed[53]);
  row.height = ReadDoubleField(&fixed[61]);
  return ReadTexts(in, row);
}

RecordRead ReadOldStadiaRecord(ArchiveReader& in, StadiaRow& row) {
  std::array<std::uint8_t, kStadiaOldRecordBytes> fixed;
  if (in.ReadUpTo(fixed.data(), fixed.size()) != fixed.size()) return RecordRead::Nothing;
  row.type = static_cast<std::int8_t>(fixed[0]);
  row.point = LittleEndian<std::uint16_t>(&fixed[1]);
  row.hz = ReadFloatField(&fixed[3]);
  if (row.type == kStadiaAtBs) {
    // The backsight number is a 16-bit integer in the observation's first
    // two bytes. A 0 is kept and shown as the file has it (the reduction
    // takes backsight 0 as none, circle readings then being azimuths).
    SetBacksightNumber(row, LittleEndian<std::uint16_t>(&fixed[7]));
  } else {
    row.obs2 = ReadFloatField(&fixed[7]);
  }
  row.spare = ReadFloatField(&fixed[11]);
  row.dist = ReadFloatField(&fixed[15]);
  row.targetHt = ReadFloatField(&fixed[19]);
  row.east = ReadDoubleField(&fixed[23]);
  row.north = ReadDoubleField(&fixed[31]);
  row.height = ReadFloatField(&fixed[39]);
  return ReadTexts(in, row);
}

int Stadia::SaveToFile(const std::string& path) {
  if (!unreadPath_.empty() && FollowLinks(path) == unreadPath_) {
    Context().messages.Show(
        Sprintf("%s could not be read whole, so the Stadia sheet is not saved over it: "
                "save it under another name",
                path.c_str()));
    return 0;
  }
  AtomicFileWriter file;
  bool saved = file.Begin(path);
  if (saved) {
    // The archive flushes into the temporary file before it is renamed.
    ArchiveWriter out(file.Get());
    WriteHeader(out);
    for (const StadiaRow& row : Rows()) WriteStadiaRecord(out, row);
    if (!out.Flush()) file.NoteWriteFailure();
  }
  saved = saved && file.Commit();
  if (!saved) {
    Context().messages.Show(
        Sprintf("Could not save the Stadia sheet to %s: %s", path.c_str(), file.Reason().c_str()));
    return 0;
  }
  SetDocumentPath(path);
  unreadPath_.clear();
  // 1 when the file was written, so that a document never takes an unsaved
  // sheet for a saved one.
  return 1;
}

int Stadia::LoadFromFile(const std::string& path) {
  ExclusiveFile file;
  if (!file.Open(path, ExclusiveFile::Mode::Read)) return 0;
  return LoadFromOpenFile(file.Get(), path);
}

int Stadia::LoadFromOpenFile(std::FILE* file, const std::string& path) {
  const std::optional<std::uint64_t> fileBytes = FileSize(path);
  ArchiveReader in(file);

  // The rows read so far are kept until the new ones are all there.
  std::vector<StadiaRow> previous;
  previous.swap(Rows());
  Context().progress.SetText("Reading Stadia from Disk");
  Context().progress.Show(0, 10, 1);
  std::string failure;
  try {
    ReadRows(in, fileBytes);
    if (in.ReadError() != 0) {
      failure =
          Sprintf("Could not read all of %s: %s", path.c_str(), ErrorText(in.ReadError()).c_str());
    }
  } catch (const std::bad_alloc&) {
    // A file larger than the memory can hold: nothing half-read is kept.
    failure = Sprintf("Not enough memory to read %s", path.c_str());
  }
  Context().progress.Hide();
  if (!failure.empty()) {
    std::vector<StadiaRow>().swap(Rows());
    Rows().swap(previous);
    unreadPath_ = FollowLinks(path);
    Context().messages.Show(failure);
    return 0;
  }
  // Loaded rows are complete: no suggestions are offered on the last one.
  SetAllEntryFlags(true);
  SetDocumentPath(path);
  unreadPath_.clear();
  return 1;
}

void Stadia::ReadRows(ArchiveReader& in, std::optional<std::uint64_t> fileBytes) {
  StadiaRow first = BlankStadiaRow();
  const RecordRead firstRead = ReadOldStadiaRecord(in, first);
  if (firstRead == RecordRead::Nothing || IsCutHeader(first, firstRead)) {
    // An empty file, the five bytes of a new sheet, or a header cut short:
    // no rows.
  } else if (first.type == kStadiaFnote && first.note.find(kVersionNote) != std::string::npos) {
    ReserveRows(RowsToReserve(fileBytes, kSmallestRecord));
    std::uint64_t count = 0;
    // Each row is read in place; the one the end of the file leaves empty
    // is dropped.
    for (;;) {
      if (ReadStadiaRecord(in, Rows().emplace_back()) == RecordRead::Nothing) {
        Rows().pop_back();
        break;
      }
      if (++count % kRowsPerProgressStep == 0) Context().progress.Step();
    }
  } else {
    ReserveRows(RowsToReserve(fileBytes, kSmallestOldRecord));
    Rows().push_back(std::move(first));
    while (ReadOldStadiaRecord(in, Rows().emplace_back()) != RecordRead::Nothing) {
    }
    Rows().pop_back();
  }
}

std::string Stadia::RowState(int row) {
  if (!RowInside(row)) return {};
  ArchiveWriter out;
  WriteStadiaRecord(out, Rows()[static_cast<std::size_t>(row)]);
  return out.Bytes();
}

int Stadia::RestoreRowState(int row, const std::string& state) {
  if (!RowInside(row)) return 0;
  ArchiveReader in(state);
  StadiaRow restored = BlankStadiaRow();
  if (ReadStadiaRecord(in, restored) != RecordRead::Whole) return 0;
  Rows()[static_cast<std::size_t>(row)] = std::move(restored);
  return 1;
}

}  // namespace kestrel
