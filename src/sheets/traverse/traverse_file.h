#pragma once
// The records of the traverse sheet file: no header, one record per row,
// field by field little-endian (type, two point numbers, four doubles, two
// floats, two doubles, a float), then the code, spare text and note as
// counted texts.
#include "platform/archive.h"
#include "sheets/traverse/traverse_row.h"

namespace kestrel {

// How far a record could be read.
enum class TraverseRecordRead {
  Nothing,  // the fixed part is incomplete: no row
  Cut,      // the fixed part is whole but the data ended inside the texts
  Whole,
};

void WriteTraverseRecord(ArchiveWriter& out, const TraverseRow& row);

// Reads one record into `row` (which should start blank). A number that is
// not finite reads as empty; the adjusted coordinates stay empty.
TraverseRecordRead ReadTraverseRecord(ArchiveReader& in, TraverseRow& row);

// Whether a row read from a file is kept: an STN row with neither point
// number is a blank row left at the end of the sheet, and is dropped.
bool KeepReadTraverseRow(const TraverseRow& row);

}  // namespace kestrel
