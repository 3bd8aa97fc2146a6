#pragma once
// The Precision Stadia sheet's own file form: a 16-bit version word (1), then
// one record per row with no count: type (8-bit), hz, point (32-bit), obs2
// (its 8 bytes as held), dist, targetHt, spare, east, north, height, spare2,
// spare3, reducedDist and gridBearing (doubles, little-endian), 101 bytes in
// all, then code, comment and note as counted texts. The refraction-adjusted
// vertical reading is recomputed by every calculation and not kept.
//
// The sheet also reads and writes the Stadia form (stadia_file.h) when the
// file is named as a Stadia sheet: rows then go through the conversions
// below.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/archive.h"
#include "sheets/stadia/precision_row.h"
#include "sheets/stadia/stadia_file.h"

namespace kestrel {

inline constexpr std::uint16_t kPrecisionFileVersion = 1;
inline constexpr std::size_t kPrecisionRecordBytes = 101;

// True when the file name (not its folders) holds "precisionstadia", or
// holds neither that nor "stad": the sheet's own form. Otherwise the Stadia
// form.
bool IsPrecisionFormPath(const std::string& path);

void WritePrecisionRecord(ArchiveWriter& out, const PrecisionStadiaRow& row);
// Reads a record into `row` (which should start blank). Doubles that are not
// finite come back empty; on an AT/BS row a non-finite obs2 keeps its low four
// bytes (the backsight number) and loses its high four.
RecordRead ReadPrecisionRecord(ArchiveReader& in, PrecisionStadiaRow& row);

// A row read from a Stadia-form file: the readings a Stadia file holds to
// four decimals are cut to four (floor(v x 10^4) / 10^4), the fields its
// type does not use are left empty, spare2 and spare3 become 0 and 1, and
// the computed fields stay empty until the sheet is calculated again.
PrecisionStadiaRow PrecisionRowFromStadia(const StadiaRow& row);

}  // namespace kestrel
