// The grid corrections against the exact Transverse Mercator projection and
// exact geodesics on the ellipsoid, on lines up to 50 km long across MGA zones.
#include "adjust/grid_corrections.h"

#include <gtest/gtest.h>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/TransverseMercator.hpp>

#include <cmath>

namespace kestrel {
namespace {

struct ExactLine {
  double e1, n1, e2, n2;
  double lineScaleFactor;  // grid distance over geodesic distance
  double arcToChordSec;    // chord bearing less the projected geodesic's grid bearing at point 1
};

// A line from (lat, lon offset from the central meridian) along a true
// azimuth, on the MGA ellipsoid and grid.
ExactLine ExactMgaLine(double lat, double dLon, double azimuth, double length) {
  const GeoidParameters mga;
  const double f = 1.0 / 298.257222101;
  const GeographicLib::Geodesic geodesic(mga.a, f);
  const GeographicLib::TransverseMercator tm(mga.a, f, mga.k0);
  double lat2 = 0.0;
  double lon2 = 0.0;
  double azi2 = 0.0;
  geodesic.Direct(lat, dLon, azimuth, length, lat2, lon2, azi2);
  double x1 = 0.0, y1 = 0.0, gamma1 = 0.0, k1 = 0.0, x2 = 0.0, y2 = 0.0, gamma2 = 0.0, k2 = 0.0;
  tm.Forward(0.0, lat, dLon, x1, y1, gamma1, k1);
  tm.Forward(0.0, lat2, lon2, x2, y2, gamma2, k2);
  ExactLine line{x1 + mga.FE, y1 + mga.FN, x2 + mga.FE, y2 + mga.FN, 0.0, 0.0};
  line.lineScaleFactor = std::hypot(x2 - x1, y2 - y1) / length;
  const double chord = std::atan2(x2 - x1, y2 - y1) * 180.0 / M_PI;
  double delta = chord - (azimuth - gamma1);
  delta -= 360.0 * std::round(delta / 360.0);
  line.arcToChordSec = delta * 3600.0;
  return line;
}

// Lines from points across the zone (up to half a degree past its edges),
// from the equator to -75 degrees, in seven directions and four lengths.
TEST(GridCorrectionsTest, AgreeWithTheExactProjectionAcrossAZone) {
  const GridCorrections corrections{GeoidParameters{}};
  const double latitudes[] = {-1.0, -9.0, -20.0, -30.0, -45.0, -60.0, -75.0};
  const double lonOffsets[] = {-3.5, -3.0, -2.0, -0.5, 0.0, 1.0, 2.5, 3.0, 3.5};
  const double azimuths[] = {0.0, 30.0, 90.0, 135.0, 200.0, 270.0, 315.0};
  const double lengths[] = {100.0, 5000.0, 20000.0, 50000.0};
  for (double lat : latitudes) {
    for (double dLon : lonOffsets) {
      for (double azimuth : azimuths) {
        for (double length : lengths) {
          SCOPED_TRACE(testing::Message() << "lat " << lat << " lon offset " << dLon << " azimuth "
                                          << azimuth << " length " << length);
          const ExactLine line = ExactMgaLine(lat, dLon, azimuth, length);
          EXPECT_NEAR(corrections.LineScaleFactor(line.e1, line.n1, 0, line.e2, line.n2, 0),
                      line.lineScaleFactor, 0.2e-6);
          EXPECT_NEAR(corrections.ArcToChord(line.e1, line.n1, 0, line.e2, line.n2, 0),
                      line.arcToChordSec, 0.01);
        }
      }
    }
  }
}

// Lines centred on the equator of the grid, where the meridian radius times
// the prime vertical's is b squared (b = 6356752.314140 m for MGA), worked
// by hand; and the ISG grid's origin.
TEST(GridCorrectionsTest, HandWorkedLines) {
  const GeoidParameters mga;
  GeoidParameters isg;
  ASSERT_TRUE(PresetGeoidParameters("ISG", isg));
  struct Case {
    const char* what;
    GeoidParameters values;
    double e1, n1, h1, e2, n2, h2;
    double arcToChordSec, lineScaleFactor, seaLevel;
  };
  const double fe = mga.FE, fn = mga.FN;
  const double kUnchecked = std::nan("");
  const Case cases[] = {
      // 400 x 5000 / 2 / b; k0 on the central meridian.
      {"sea level", mga, fe, fn - 2000, 100, fe + 3000, fn + 2000, 300, kUnchecked, kUnchecked,
       0.157313035},
      {"below the ellipsoid", mga, fe, fn - 2000, -100, fe + 3000, fn + 2000, 100, kUnchecked,
       kUnchecked, 0.0},
      // k0 (1 + q + q^2 / 6), q = (x1^2 + x1 x2 + x2^2) / (6 (k0 b)^2); east-west, so no bend.
      {"scale east of the meridian", mga, fe + 90000, fn, 0, fe + 110000, fn, 0, 0.0,
       0.999724201663, 0.0},
      // -50000 x 600000 / (6 (k0 b)^2) x (1 - 600000^2 / (27 (k0 b)^2)) / sin 1".
      {"northwards east of the meridian", mga, fe + 200000, fn - 25000, 0, fe + 200000, fn + 25000,
       0, -25.534574, kUnchecked, 0.0},
      {"ISG on its central meridian", isg, isg.FE, isg.FN - 100, 0, isg.FE, isg.FN + 100, 0, 0.0,
       0.99994, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const GridCorrections corrections(c.values);
    if (!std::isnan(c.arcToChordSec)) {
      EXPECT_NEAR(corrections.ArcToChord(c.e1, c.n1, c.h1, c.e2, c.n2, c.h2), c.arcToChordSec,
                  1e-6);
    }
    if (!std::isnan(c.lineScaleFactor)) {
      EXPECT_NEAR(corrections.LineScaleFactor(c.e1, c.n1, c.h1, c.e2, c.n2, c.h2),
                  c.lineScaleFactor, 1e-12);
    }
    EXPECT_NEAR(corrections.SeaLevelCorrection(c.e1, c.n1, c.h1, c.e2, c.n2, c.h2), c.seaLevel,
                1e-9);
  }
}

}  // namespace
}  // namespace kestrel
