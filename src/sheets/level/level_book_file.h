#pragma once
// The level book file. The binary form holds one record per row and nothing
// else: BS, IM, FS, RL, chainage and offset as little-endian single-precision
// numbers, then the comment and the note, each ended by a zero byte. The row
// type is not kept: a row with a note is a field note.
//
// A level book saved under a name holding ".csv" is text instead: a header
// line, then one line per row (note, the six values, comment) with the usual
// CSV quoting, so that it opens in a spreadsheet and reads back unchanged.
#include <string>
#include <string_view>
#include <vector>

#include "platform/archive.h"
#include "sheets/level/level_book_row.h"

namespace kestrel {

void WriteLevelBookRecord(ArchiveWriter& out, const LevelBookRow& row);
// The record's values and texts as they stand (type untouched). False when the
// data ends before the record does; a value that is not finite reads as blank.
bool ReadLevelBookRecord(ArchiveReader& in, LevelBookRow& row);

// Rows of a binary file, up to the first record cut short. Texts lose their
// trailing blanks; a row with a note is a field note, any other a reading.
void ReadLevelBookRecords(ArchiveReader& in, std::vector<LevelBookRow>& rows);

// Whether a path names the CSV form (".csv" anywhere in it, any case).
bool IsLevelBookCsvPath(std::string_view path);

inline constexpr std::string_view kLevelBookCsvHeader = "Note,BS,IM,FS,RL,Chainage,Offset,Comments";

// One row's CSV line without its line end.
std::string LevelBookCsvLine(const LevelBookRow& row);
// Rows of a CSV text; the header line is skipped when present. A value field
// that is empty or holds no number reads as blank.
void ReadLevelBookCsv(std::string_view text, std::vector<LevelBookRow>& rows);

}  // namespace kestrel
