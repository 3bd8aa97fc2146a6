#pragma once
// The level book's listing ("Level Book Report"), its printed page, and the
// point records it hands the host.
#include <string>
#include <vector>

#include "sheets/data_source.h"
#include "sheets/level/level_book_row.h"

namespace kestrel {

class LevelBook;

// One row's line of the listing in the given distance notation.
std::string LevelBookRowLine(const std::vector<LevelBookRow>& rows, std::size_t r,
                             int distanceUnit);
// The lines that close the listing: the sums of the backsights and
// foresights, their difference, the last less the first level, and "Check OK"
// or the discrepancy.
std::vector<std::string> LevelBookCheckLines(const std::vector<LevelBookRow>& rows);

// Command 12: the page heading, or with no page the report lines emptied (-1).
int PrintLevelBookHeader(LevelBook& book, PageCanvas* canvas);
// Command 13: the rows of `range` on the page, or with no page the whole
// listing written to the job's LevelBook report file and opened.
int ListLevelBookRows(LevelBook& book, PageCanvas* canvas, const RowRange& range);

// The record of a reading row: easting the chainage in force, northing minus
// the offset, height the reduced level, code the comment.
PointRecord LevelBookPointRecord(const LevelBookRow& row, int point, int road, double chainage);

}  // namespace kestrel
