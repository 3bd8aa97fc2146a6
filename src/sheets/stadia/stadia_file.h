#pragma once
// The records of the Stadia sheet file. A row is its 69-byte fixed part
// (type, point and eight doubles, little-endian) followed by its code, comment
// and note, each ended by a zero byte. Older files hold 43-byte rows with
// 16-bit point numbers and single-precision observations.
#include <cstddef>

#include "platform/archive.h"
#include "sheets/stadia/stadia_row.h"

namespace kestrel {

inline constexpr std::size_t kStadiaRecordBytes = 69;
inline constexpr std::size_t kStadiaOldRecordBytes = 43;

// How far a record could be read.
enum class RecordRead {
  Nothing,  // the fixed part is incomplete: no row
  Cut,      // the fixed part is whole but the data ended inside the texts
  Whole,    // fixed part and all three texts
};

void WriteStadiaRecord(ArchiveWriter& out, const StadiaRow& row);

// Reads a record into `row` (which should start blank). Doubles that are not
// finite come back empty; on an AT/BS row a non-finite obs2 keeps its low four
// bytes (the backsight number) and loses its high four.
RecordRead ReadStadiaRecord(ArchiveReader& in, StadiaRow& row);
// The same for a record of an older file, widened to a row.
RecordRead ReadOldStadiaRecord(ArchiveReader& in, StadiaRow& row);

}  // namespace kestrel
