#pragma once
// The level sheet files. The older form holds per row the row type and point
// number (32-bit), chainage, offset and level (doubles) and the code and note
// as counted texts. The version 3 form, used when the file name holds "lvl2s",
// holds the road number (16-bit) and then per point its number (32-bit),
// chainage, offset and level in single precision and the code in a 9-byte
// field; its first row is always the road note. Little-endian throughout.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/archive.h"
#include "sheets/level/level_sheet_row.h"

namespace kestrel {

inline constexpr std::size_t kLevelSheetCodeBytes = 9;

// Whether a path names the version 3 form ("lvl2s" in the name, any case).
bool IsLevelSheetV3Path(std::string_view path);

void WriteLevelSheetRecord(ArchiveWriter& out, const LevelSheetRow& row);
// False when the data ends before the record does. Values that are not
// finite read as blank.
bool ReadLevelSheetRecord(ArchiveReader& in, LevelSheetRow& row);

// The whole sheet in the version 3 form.
void WriteLevelSheetV3(ArchiveWriter& out, const std::vector<LevelSheetRow>& rows);
// Rows of either form, up to the first record cut short.
void ReadLevelSheetRows(ArchiveReader& in, std::vector<LevelSheetRow>& rows);
void ReadLevelSheetV3Rows(ArchiveReader& in, std::vector<LevelSheetRow>& rows);

}  // namespace kestrel
