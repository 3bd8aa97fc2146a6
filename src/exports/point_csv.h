#pragma once
// A sheet's reduced points as a CSV file of point number, two coordinates,
// height and code.
#include <string>

#include "sheets/sheet_plan.h"

namespace kestrel {

// Which coordinate comes first: PNEZD puts the northing first, PENZD the
// easting.
enum class CsvOrder { Pnezd, Penzd };

// One CR LF ended line per point, after a line of column names when `header`.
// Coordinates and heights with three decimals (millimetres); an empty height
// is an empty field; the code is quoted when it must be.
std::string PointCsv(const SheetPlan& plan, CsvOrder order, bool header);

}  // namespace kestrel
