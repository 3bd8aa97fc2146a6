// gyre-host's import file: the header decides the column order.
#include <gtest/gtest.h>

#include "gyre/points_csv.h"

namespace kestrel {
namespace {

TEST(PointsCsv, HeaderDecidesTheOrderAndBadLinesRefuseTheFile) {
  using namespace std::literals;
  struct Case {
    const char* name;
    std::string_view text;
    std::size_t count;
    double east, north;  // of the first point
    const char* code;
  };
  const Case cases[] = {
      {"north first", "P,N,E,Z,D\n1,200.5,100.25,10,TREE\n", 1, 100.25, 200.5, "TREE"},
      {"east first", "p, e, n, z, d\r\n1,100.25,200.5,10,TREE\r\n2,1,2,3\r\n", 2, 100.25, 200.5,
       "TREE"},
      {"code cut at a NUL", "P,N,E,Z,D\n1,2,3,4,S\0N\n"sv, 1, 3, 2, "S"},
      {"no header", "1,2,3,4,X\n", 0, 0, 0, ""},
      {"point number zero", "P,N,E,Z,D\n0,2,3,4,X\n", 0, 0, 0, ""},
      {"unreadable coordinate", "P,N,E,Z,D\n1,2,abc,4,X\n", 0, 0, 0, ""},
      {"not finite", "P,N,E,Z,D\n1,2,inf,4,X\n", 0, 0, 0, ""},
      {"too few fields", "P,N,E,Z,D\n1,2,3\n", 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    const PointsCsv csv = ReadPointsCsv(c.text);
    ASSERT_EQ(csv.points.size(), c.count) << c.name;
    EXPECT_EQ(csv.error.empty(), c.count > 0) << c.name;
    if (c.count == 0) continue;
    EXPECT_EQ(csv.points[0].east, c.east) << c.name;
    EXPECT_EQ(csv.points[0].north, c.north) << c.name;
    EXPECT_EQ(csv.points[0].code, c.code) << c.name;
  }
}

}  // namespace
}  // namespace kestrel
