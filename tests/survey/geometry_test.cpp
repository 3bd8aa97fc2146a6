// Plane geometry: bearings in every quadrant and on the axes, the coincidence
// limit, polar steps and angles turned, against values worked out by hand.
#include "survey/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace kestrel {
namespace {

constexpr double kDegree = kPi / 180;

TEST(Geometry, BearingAndDistanceBetween) {
  struct Case {
    double e1, n1, e2, n2, bearing, distance;
  };
  const double root3 = std::sqrt(3.0);
  // Differences below 1e-6 are no difference: a northing difference that
  // small puts the bearing on the axis; both that small leave no bearing.
  const Case cases[] = {
      {0, 0, 0, 1, 0, 1},
      {0, 0, 0, -1, kPi, 1},
      {0, 0, -1, 1, 7 * kPi / 4, std::sqrt(2.0)},
      {10, 20, 11, 20 + root3, kPi / 6, 2},
      {10, 20, 10 - root3, 19, 240 * kDegree, 2},
      {0, 0, 5, 5e-7, kPi / 2, std::sqrt(25 + 25e-14)},
      {0, 0, 0, 0, kNoBearing, 0},
      {100, 100, 100 - 5e-7, 100 + 5e-7, kNoBearing, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.e1 << "," << c.n1 << " -> " << c.e2 << "," << c.n2);
    EXPECT_NEAR(BearingBetween(c.e1, c.n1, c.e2, c.n2), c.bearing, 1e-12);
    EXPECT_DOUBLE_EQ(DistanceBetween(c.e1, c.n1, c.e2, c.n2), c.distance);
  }
}

// Steps in every direction: swapped sine and cosine or a wrong quadrant
// would not come back.
TEST(Geometry, PolarStepIsUndoneByBearingAndDistance) {
  for (int tenth = 0; tenth < 3600; ++tenth) {
    const double bearing = tenth * 0.1 * kDegree;
    const double distance = 1 + tenth * 0.37;
    double dEast = 0, dNorth = 0;
    PolarStep(bearing, distance, dEast, dNorth);
    const double e0 = 5000, n0 = -2000;
    ASSERT_NEAR(BearingBetween(e0, n0, e0 + dEast, n0 + dNorth), bearing, 1e-9) << tenth;
    ASSERT_NEAR(DistanceBetween(e0, n0, e0 + dEast, n0 + dNorth), distance, 1e-9) << tenth;
  }
}

TEST(Geometry, AngleBetween) {
  // From, to, clockwise, angle turned.
  const std::tuple<double, double, bool, double> cases[] = {
      {350 * kDegree, 10 * kDegree, true, 20 * kDegree},
      {350 * kDegree, 10 * kDegree, false, 340 * kDegree},
      {370 * kDegree, 350 * kDegree, true, 340 * kDegree},
      {1, 1, true, 0},
  };
  for (const auto& [from, to, clockwise, angle] : cases) {
    EXPECT_NEAR(AngleBetween(from, to, clockwise), angle, 1e-12)
        << from / kDegree << " -> " << to / kDegree;
  }
}

}  // namespace
}  // namespace kestrel
