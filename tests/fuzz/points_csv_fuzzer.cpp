// gyre-host's import file: every point read has a positive whole number and
// finite coordinates, and the listing it writes reads back to the same points.
#include "fuzz_support.h"
#include "gyre/points_csv.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PointsCsv csv = ReadPointsCsv(fuzz::Bytes(data, size));
  if (!csv.error.empty() && !csv.points.empty()) std::abort();
  for (const StoredPoint& point : csv.points) {
    if (point.number < 1 || point.number > 4294967295LL) std::abort();
    for (double value : {point.east, point.north, point.height}) fuzz::RequireFinite(value);
  }
  const PointsCsv again = ReadPointsCsv(WritePointsCsv(csv.points));
  if (again.points.size() != csv.points.size()) std::abort();
  for (std::size_t i = 0; i < csv.points.size(); ++i) {
    if (again.points[i].number != csv.points[i].number ||
        again.points[i].code != csv.points[i].code)
      std::abort();
  }
  return 0;
}
