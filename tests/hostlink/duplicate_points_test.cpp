// The duplicate check before an upload.
#include <gtest/gtest.h>

#include "hostlink/duplicate_points.h"

namespace kestrel {
namespace {

PointRecord At(std::int32_t point, double east, double north = 0.0, float height = 0.0f) {
  PointRecord record;
  record.point = point;
  record.east = east;
  record.north = north;
  record.height = height;
  return record;
}

TEST(DuplicatePoints, ConflictsByHowRepeatsDiffer) {
  struct Case {
    const char* name;
    std::vector<PointRecord> records;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"none", {}, {}},
      {"distinct numbers", {At(1, 0), At(2, 5)}, {}},
      {"repeat within 0.01", {At(5, 100.0, 50.0, 10.0f), At(5, 100.009, 50.009, 10.005f)}, {}},
      {"easting differs by exactly 0.01",
       {At(5, 0.0), At(5, 0.01)},
       {"point number 5 in file at least twice"}},
      {"height differs",
       {At(9, 1.0, 1.0, 10.0f), At(9, 1.0, 1.0, 10.5f)},
       {"point number 9 in file at least twice"}},
      {"three, the third different",
       {At(3, 1.0), At(3, 1.0), At(3, 2.0)},
       {"point number 3 in file at least twice"}},
      {"three, the first different",
       {At(3, 2.0), At(3, 1.0), At(3, 1.0)},
       {"point number 3 in file at least twice"}},
      {"two runs, sheet order mixed",
       {At(8, 0.0), At(2, 0.0), At(8, 1.0), At(2, 0.0), At(2, 3.0)},
       {"point number 2 in file at least twice", "point number 8 in file at least twice"}},
      {"negative numbers take part",
       {At(-4, 0.0), At(-4, 9.0)},
       {"point number -4 in file at least twice"}},
  };
  for (const Case& c : cases) {
    const DuplicateReport report = FindDuplicatePoints(c.records);
    EXPECT_EQ(report.lines, c.lines) << c.name;
    EXPECT_EQ(report.conflicts, static_cast<int>(c.lines.size())) << c.name;
  }
}

}  // namespace
}  // namespace kestrel
