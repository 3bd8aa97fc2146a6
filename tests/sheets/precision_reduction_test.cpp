// Calculate Coordinates on Precision Stadia set-ups worked by hand.
#include "sheets/stadia/precision_reduction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace kestrel {
namespace {

constexpr double kEmpty = kEmptyValue;

PrecisionStadiaRow Stn(std::uint32_t p, double e, double n, double h) {
  PrecisionStadiaRow r = BlankPrecisionRow(kStadiaStn);
  r.point = p, r.east = e, r.north = n, r.height = h;
  return r;
}
PrecisionStadiaRow AtBs(std::uint32_t at, std::uint32_t bs, double hz, double ih) {
  PrecisionStadiaRow r = BlankPrecisionRow(kStadiaAtBs);
  r.point = at, r.hz = hz, r.dist = ih;
  SetBacksightNumber(r, bs);
  return r;
}
PrecisionStadiaRow Shot(int type, std::uint32_t p, double hz, double second, double dist,
                        double target) {
  PrecisionStadiaRow r = BlankPrecisionRow(type);
  r.point = p, r.hz = hz, r.obs2 = second, r.dist = dist, r.targetHt = target;
  return r;
}
PrecisionStadiaRow Sd(std::uint32_t p, double hz, double zenith, double dist, double target) {
  return Shot(kStadiaSdHt, p, hz, zenith, dist, target);
}
PrecisionStadiaRow Note(const std::string& text) {
  PrecisionStadiaRow r = BlankPrecisionRow(kStadiaFnote);
  r.note = text;
  return r;
}

struct Expected {
  std::size_t row;
  double east, north, height;
};

struct Case {
  const char* what;
  std::vector<PrecisionStadiaRow> rows;
  std::vector<Expected> expected;
  double verticalAdjustment = 0.0;
  std::size_t messages = 0;
};

// Station 1 at (1000, 1000, 100) with station 2 due north of it; the set-up
// on 1 reads 30 degrees on 2, so the orientation is -30 degrees. A shot read
// at 120 degrees, zenith 84 degrees, 200 m, lands due east at
// 200 cos 6 = 198.904379 m, 1.6 - 1.2 + 200 sin 6 = 21.305693 m higher.
std::vector<PrecisionStadiaRow> OrientedOnStation2() {
  return {Stn(1, 1000, 1000, 100), Stn(2, 1000, 1100, 100), AtBs(1, 2, 30.0, 1.6)};
}

TEST(PrecisionReductionTest, SetupsWorkedByHand) {
  const double east3 = 1198.904379;
  const double height3 = 121.305693;
  auto with = [](std::vector<PrecisionStadiaRow> rows, std::vector<PrecisionStadiaRow> more) {
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
  };
  const std::vector<Case> cases = {
      {"zero circle: readings are bearings",
       {Stn(1, 1000, 2000, 50), AtBs(1, 0, 0.0, 1.5), Sd(2, 90.0, 90.0, 100, 1.5)},
       {{1, 1000, 2000, 50}, {2, 1100, 2000, 50}}},
      // 10 + 90 = 100 degrees: 100 sin 100 = 98.48078, 100 cos 100 = -17.36482.
      {"back bearing without a backsight point",
       {Stn(1, 1000, 2000, 50), AtBs(1, 0, 90.0, 1.5), Sd(2, 10.0, 90.0, 100, 1.5)},
       {{2, 1098.480775, 1982.635182, 50}}},
      {"oriented from coordinates",
       with(OrientedOnStation2(), {Sd(3, 120.0, 84.0, 200, 1.2)}),
       {{2, 1000, 1000, 100}, {3, east3, 1000, height3}}},
      {"face right lands on the face-left point",
       with(OrientedOnStation2(), {Sd(3, 300.0, 276.0, 200, 1.2)}),
       {{3, east3, 1000, height3}}},
      // The second set-up's orientation comes from the direction 1 -> 3
      // (90 degrees) reversed: 270 - 0. A shot read at 90 goes due north.
      {"orientation from an observed direction reversed",
       with(OrientedOnStation2(), {Sd(3, 120.0, 84.0, 200, 1.2), AtBs(3, 1, 0.0, 1.5),
                                   Shot(kStadiaHzDh, 4, 90.0, -1.5, 50, 1.5)}),
       {{5, east3, 1050, height3 - 1.5}}},
      {"the same from a face-right observation",
       with(OrientedOnStation2(), {Sd(3, 300.0, 276.0, 200, 1.2), AtBs(3, 1, 0.0, 1.5),
                                   Shot(kStadiaHzDh, 4, 90.0, -1.5, 50, 1.5)}),
       {{5, east3, 1050, height3 - 1.5}}},
      // HD/RL keeps its typed height; CHK is reduced like SD/HT.
      {"HD/RL and CHK",
       with(OrientedOnStation2(), {Shot(kStadiaHdRl, 5, 30.0, kEmpty, 10, kEmpty),
                                   Shot(kStadiaChk, 6, 210.0, 90.0, 10, 1.6)}),
       {{3, 1000, 1010, kEmpty}, {4, 1000, 990, 100}}},
      {"go extends the line",
       with(OrientedOnStation2(), {Note("go 1.5"), Sd(3, 120.0, 90.0, 10, 1.6)}),
       {{4, 1011.5, 1000, 100}}},
      {"bk shortens it",
       with(OrientedOnStation2(), {Note("BK 1.5"), Sd(3, 120.0, 90.0, 10, 1.6)}),
       {{4, 1008.5, 1000, 100}}},
      {"or and ol offset to the side",
       with(OrientedOnStation2(),
            {Note("or 2"), Sd(3, 120.0, 90.0, 10, 1.6), Note("ol 2"), Sd(4, 120.0, 90.0, 10, 1.6)}),
       {{4, 1010, 998, 100}, {6, 1010, 1002, 100}}},
      {"null leaves one height empty",
       with(OrientedOnStation2(),
            {Note("null"), Sd(3, 120.0, 90.0, 10, 1.6), Sd(4, 120.0, 90.0, 20, 1.6)}),
       {{4, 1010, 1000, kEmpty}, {5, 1020, 1000, 100}}},
      // 45 degrees read as an elevation: 10 sin 45 up and 10 cos 45 along.
      {"v0ha reads elevations",
       with(OrientedOnStation2(), {Note("v0ha"), Sd(3, 120.0, 45.0, 10, 1.6)}),
       {{4, 1007.071068, 1000, 107.071068}}},
      // 12" per km over 2 km lowers the zenith by 24": 2000 sin 24" = 0.232711 up;
      // the horizontal distance comes from the reading as booked.
      {"vertical adjustment on SD/HT but not CHK",
       with(OrientedOnStation2(),
            {Sd(3, 120.0, 90.0, 2000, 1.6), Shot(kStadiaChk, 4, 120.0, 90.0, 2000, 1.6)}),
       {{3, 3000, 1000, 100.232711}, {4, 3000, 1000, 100}},
       12.0},
      {"set-up on a point with no coordinates",
       {Stn(1, 1000, 1000, 100), AtBs(9, 1, 0.0, 1.6), Sd(3, 120.0, 84.0, 200, 1.2)},
       {{1, kEmpty, kEmpty, kEmpty}, {2, kEmpty, kEmpty, kEmpty}},
       0.0,
       1},
      {"backsight with no coordinates and no observed direction",
       {Stn(1, 1000, 1000, 100), AtBs(1, 8, 0.0, 1.6), Sd(3, 120.0, 84.0, 200, 1.2)},
       {{1, 1000, 1000, 100}, {2, kEmpty, kEmpty, kEmpty}},
       0.0,
       1},
      {"readings never entered",
       with(OrientedOnStation2(), {Sd(3, kEmpty, 84.0, 200, 1.2), Sd(4, 120.0, kEmpty, 200, 1.2),
                                   Sd(5, 120.0, 84.0, kEmpty, 1.2)}),
       {{3, kEmpty, kEmpty, kEmpty}, {4, kEmpty, kEmpty, kEmpty}, {5, kEmpty, kEmpty, kEmpty}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<PrecisionStadiaRow> rows = c.rows;
    PrecisionReductionState state;
    PrecisionReductionOptions options;
    options.verticalAdjustment = c.verticalAdjustment;
    const PrecisionReductionResult result = ReducePrecisionStadia(rows, state, options);
    EXPECT_EQ(result.messages.size(), c.messages);
    EXPECT_TRUE(result.correctionsLog.empty());
    for (const Expected& x : c.expected) {
      SCOPED_TRACE(x.row);
      const PrecisionStadiaRow& r = rows[x.row];
      for (auto [got, want] :
           {std::pair{r.east, x.east}, {r.north, x.north}, {r.height, x.height}}) {
        if (want == kEmpty) {
          EXPECT_EQ(got, kEmpty);
        } else {
          EXPECT_NEAR(got, want, 1e-5);
        }
      }
    }
  }
}

// A set-up on the central meridian at the grid's equator, shooting 1000 m
// due north level: no arc-to-chord correction, a scale factor of k0 and a
// sea-level correction of (100 + 100) x 1000 / 2 / b, where b (6356752.3141
// m) is the radius of curvature there. The distance becomes
// (1000 - 0.0157313) x 0.9996; a face-right reading is shortened the same.
TEST(PrecisionReductionTest, GridCorrectionsOnSlopeShotsOnly) {
  const GeoidParameters mga;
  const double corrected = (1000.0 - 200.0 * 1000.0 / 2.0 / 6356752.3141) * 0.9996;
  std::vector<PrecisionStadiaRow> rows = {
      Stn(1, mga.FE, mga.FN, 100),
      AtBs(1, 0, 0.0, 1.5),
      Sd(2, 0.0, 90.0, 1000, 1.5),
      Sd(3, 180.0, 270.0, 1000, 1.5),
      Shot(kStadiaHzDh, 4, 0.0, 0.0, 1000, 1.5),
      Shot(kStadiaChk, 5, 0.0, 90.0, 1000, 1.5),
  };
  PrecisionReductionState state;
  PrecisionReductionOptions options;
  options.gridCorrections = true;
  const PrecisionReductionResult result = ReducePrecisionStadia(rows, state, options);
  ASSERT_EQ(result.correctionsLog.size(), 4u);
  EXPECT_EQ(result.correctionsLog[0], "Stadia Geoid Corrections");
  EXPECT_EQ(result.correctionsLog[1], "");
  EXPECT_EQ(result.correctionsLog[2],
            "from     1 to     2  ArcToChord   0.00 SLC    0.016  LSF   0.999600000");
  EXPECT_EQ(result.correctionsLog[3],
            "from     1 to     3  ArcToChord   0.00 SLC    0.016  LSF   0.999600000");
  // The set-up without a backsight point takes its station's coordinates
  // on the first calculation like any other set-up.
  EXPECT_EQ(rows[1].east, mga.FE);
  EXPECT_EQ(rows[1].north, mga.FN);
  EXPECT_NEAR(rows[2].reducedDist, corrected, 1e-6);
  EXPECT_NEAR(rows[2].north, mga.FN + corrected, 1e-6);
  EXPECT_NEAR(rows[3].reducedDist, -corrected, 1e-6);
  EXPECT_NEAR(rows[3].north, mga.FN + corrected, 1e-6);
  EXPECT_NEAR(rows[4].north, mga.FN + 1000, 1e-9);
  EXPECT_NEAR(rows[5].north, mga.FN + 1000, 1e-9);
  EXPECT_TRUE(result.messages.empty());
}

TEST(PrecisionReductionTest, VerticalAdjustmentBoxReadsMinutesAndSeconds) {
  const double second = M_PI / 648000;
  const struct {
    double box, rate;
  } cases[] = {{12, 12 * second}, {130, 90 * second}, {-12, -12 * second},
               {0.0005, 0},       {1e7, 0},           {10000, 3600 * second}};
  for (const auto& c : cases) EXPECT_NEAR(VerticalAdjustmentRate(c.box), c.rate, 1e-15) << c.box;
}

}  // namespace
}  // namespace kestrel
