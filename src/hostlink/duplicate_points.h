#pragma once
// The duplicate check before an upload: points that the sheet gives more
// than once with positions that disagree.
#include <string>
#include <vector>

#include "sheets/point_record.h"

namespace kestrel {

struct DuplicateReport {
  int conflicts = 0;
  // "point number %d in file at least twice", one per conflict.
  std::vector<std::string> lines;
};

// Records with the same number are compared link by link in number order:
// positions within 0.01 in easting, northing and height are a harmless
// repeat; anything else is one conflict.
DuplicateReport FindDuplicatePoints(const std::vector<PointRecord>& records);

}  // namespace kestrel
