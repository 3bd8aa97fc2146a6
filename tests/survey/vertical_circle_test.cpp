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
  };
  const Case cases[] = {
      {Zenith, 85.5, false, 4.5},   // 4.5 degrees up
      {Zenith, 95.0, true, 175.0},  // the back face turns the zenith circle half round
      {V0ha, 4.5, true, 4.5},       // the reading is the elevation, never turned
      {V0na, 94.5, false, 4.5},     // 94.5 from the nadir is 4.5 above the horizon
      {V0na, 80.0, true, -10.0},   {V0nc, 355.5, true, 94.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reading);
    EXPECT_DOUBLE_EQ(ElevationDegrees(c.reading, c.convention, c.backFace), c.elevation);
  }
}

}  // namespace
}  // namespace kestrel
