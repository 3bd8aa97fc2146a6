#pragma once
// The Precision Stadia listing: a heading line before each run of rows of one
// type and one line per row, narrow without the coordinate columns and wide
// with them (the shots then also list their easting, northing and height).
#include <string>
#include <vector>

namespace kestrel {

class PrecisionStadia;

// The listing lines of rows [first, end) in the sheet's present layout and
// the user's angle and distance notation.
std::vector<std::string> PrecisionListingLines(const PrecisionStadia& sheet, int first, int end);

}  // namespace kestrel
