#pragma once
// Points typed or exported elsewhere, as comma-separated text: a header line
// naming the column order ("P,N,E,Z,D" or "P,E,N,Z,D"), then one point a line.
#include <string>
#include <string_view>
#include <vector>

#include "gyre/point_database.h"

namespace kestrel {

struct PointsCsv {
  std::vector<StoredPoint> points;
  std::string error;  // set when the text is not a points file; nothing is read then
};

// D goes into the point's code. Blank lines are passed over; a line whose
// point number is not a positive whole number, or whose coordinates do not
// read as finite numbers, makes the whole file refused (with its line number).
PointsCsv ReadPointsCsv(std::string_view text);

// The listing of `gyre-host points --csv`: the P,N,E,Z,D header and a line per
// point.
std::string WritePointsCsv(const std::vector<StoredPoint>& points);

}  // namespace kestrel
