#pragma once
// What a Stadia sheet hands to others: the check shot report, the observation
// strings for the host, and the point records uploaded to the host.
#include <cstddef>
#include <string>

#include "sheets/point_record.h"
#include "sheets/stadia/stadia_row.h"

namespace kestrel {

class Stadia;

// Command 28: for every CHK row whose point has an STN row above it, the
// nearest such station's coordinates less the check shot's, written to
// "<job folder>CheckReport.rtf" (portrait, a new file) and opened. Returns 0.
int WriteCheckShotReport(Stadia& sheet);

// Command 51: one "Lot obs1,7,1,<instrument>,<point>" line (CR LF ended) per
// SD/HT row under an AT/BS row, appended to `text` (a scratch text when none
// is given), which is then shown. Returns 0.
int AppendObservationStrings(Stadia& sheet, std::string* text);

// Commands 10 and 11: fills `record` from the first row at or after `next`
// that is neither an AT/BS row nor an Fnote and moves `next` past it. Returns
// 0 when a record was filled, -1 when no such row is left (or no record was
// given).
int NextUploadRecord(const Stadia& sheet, std::size_t& next, PointRecord* record);

// The record of one row, as the host receives it.
PointRecord UploadRecord(const StadiaRow& row);

}  // namespace kestrel
