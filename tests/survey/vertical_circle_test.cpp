// The vertical circle conventions, with elevations worked by hand from the
// circle's zero: zenith (90 - r), horizon (r), nadir (r - 90) and the
// counter-clockwise nadir circle (450 - r).
#include "survey/vertical_circle.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(VerticalCircle, ElevationByConvention) {
  using enum VerticalConvention;
  struct Case {
    VerticalConvention convention;
    double reading;
    bool backFace;
    double elevation;
    std::string_view keyword;
  };
  const Case cases[] = {
      {Zenith, 85.5, false, 4.5, ""},    // 4.5 degrees up
      {Zenith, 95.0, true, 175.0, ""},   // the back face turns the zenith circle half round
      {V0ha, 4.5, false, 4.5, "v0ha"},   // the reading is the elevation
      {V0ha, 4.5, true, 4.5, "v0ha"},    // and is never turned
      {V0na, 94.5, false, 4.5, "v0na"},  // 94.5 from the nadir is 4.5 above the horizon
      {V0na, 80.0, true, -10.0, "v0na"}, {V0nc, 355.5, false, 94.5, "v0nc"},
      {V0nc, 355.5, true, 94.5, "v0nc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reading);
    EXPECT_DOUBLE_EQ(ElevationDegrees(c.reading, c.convention, c.backFace), c.elevation);
    EXPECT_EQ(VerticalConventionKeyword(c.convention), c.keyword);
  }
}

}  // namespace
}  // namespace kestrel
