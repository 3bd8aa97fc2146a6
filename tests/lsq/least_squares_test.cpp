// The adjustment on networks worked by hand, its refusals, and the sparse
// factorisation against dense Gauss-Jordan elimination.
#include "lsq/least_squares.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "lsq/dense_gauss_jordan.h"
#include "lsq/network_rows.h"

namespace kestrel {
namespace {

using testing::Reduce;
using testing::SetupRow;
using testing::ShotRow;
using testing::StnRow;

LeastSquaresResult Adjust(const std::vector<PrecisionStadiaRow>& rows, int mode = kLsBoth,
                          NormalSolverFactory solver = {}) {
  LeastSquaresOptions options;
  options.settings.mode = mode;
  options.solver = std::move(solver);
  return RunLeastSquares(rows, options);
}

const NetworkPoint& PointOf(const LeastSquaresResult& result, std::uint32_t number) {
  return result.network.points.at(static_cast<std::size_t>(result.network.Find(number)));
}

// Station 1 at (1000, 2000, 50), instrument 1.6 m; point 10 read at 30
// degrees, zenith 84 degrees, 200 m slope, target 1.2 m: 200 cos 6 =
// 198.904379 m horizontal, 0.4 + 200 sin 6 = 21.305693 m higher.
std::vector<PrecisionStadiaRow> PolarShot() {
  std::vector<PrecisionStadiaRow> rows = {StnRow(1, 1000, 2000, 50), SetupRow(1, 1.6),
                                          ShotRow(kStadiaSdHt, 10, 30.0, 84.0, 200.0, 1.2)};
  Reduce(rows);
  return rows;
}

// Point 10 between stations 1 and 2 (150 m apart on an east-west line): 50.010
// m and 2.000 m up from 1, 100.000 m and 2.030 m up from 2.
std::vector<PrecisionStadiaRow> BetweenTwoStations() {
  std::vector<PrecisionStadiaRow> rows = {
      StnRow(1, 1000, 2000, 50), StnRow(2, 1150, 2000, 50),
      SetupRow(1, 1.5),          ShotRow(kStadiaHzDh, 10, 90.0, 2.000, 50.010, 1.5),
      SetupRow(2, 1.5),          ShotRow(kStadiaHzDh, 10, 270.0, 2.030, 100.000, 1.5)};
  Reduce(rows);
  return rows;
}

// The report file's lines: '#' lines are comments, a line ends at its last
// '|', and "\\n" stands for a line feed.
std::vector<std::string> ReportLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with('#')) continue;
    line.resize(line.rfind('|'));
    for (std::size_t at = 0; (at = line.find("\\n", at)) != std::string::npos;) {
      line.replace(at, 2, "\n");
    }
    lines.push_back(line);
  }
  return lines;
}

// Hand values agree to a micrometre: reading packed angles nudges them by
// about 1e-10 degrees.
constexpr double kHandTolerance = 1e-6;

TEST(LeastSquares, HandWorkedNetworks) {
  struct Case {
    const char* what;
    std::vector<PrecisionStadiaRow> rows;
    double east, north, height;
  };
  // A single shot is the polar point, whatever the approximate coordinates.
  std::vector<PrecisionStadiaRow> offPolar = PolarShot();
  offPolar[2].east += 0.05, offPolar[2].north -= 0.04, offPolar[2].height += 0.03;
  // Between two stations the east weights are 1/sd² with sd = 2 mm + 3 ppm:
  // 0.00215003 m from 1, 0.0023 m from 2, so the east lies 0.53366 of the way
  // from 1050.000 to 1050.010; heights weigh 1/distance: (52.00/50.01 +
  // 52.03/100) / (1/50.01 + 1/100).
  const Case cases[] = {
      {"polar", PolarShot(), 1099.4521895368, 2172.2562452018, 71.3056926535},
      {"polar from off approximations", offPolar, 1099.4521895368, 2172.2562452018, 71.3056926535},
      {"between two stations", BetweenTwoStations(), 1050.0053366266, 2000.0, 52.0100013332},
  };
  for (const Case& c : cases) {
    const LeastSquaresResult result = Adjust(c.rows);
    ASSERT_TRUE(result.adjusted) << c.what;
    const NetworkPoint& p = PointOf(result, 10);
    EXPECT_NEAR(p.east, c.east, kHandTolerance) << c.what;
    EXPECT_NEAR(p.north, c.north, kHandTolerance) << c.what;
    EXPECT_NEAR(p.height, c.height, kHandTolerance) << c.what;

    std::vector<PrecisionStadiaRow> rows = c.rows;
    WriteBackAdjusted(rows, result);
    EXPECT_NEAR(rows.back().east, c.east, kHandTolerance) << c.what;
    EXPECT_NEAR(rows.back().height, c.height, kHandTolerance) << c.what;
  }
}

// The report's end and the messages for every way the adjustment stops.
TEST(LeastSquares, Refusals) {
  std::vector<PrecisionStadiaRow> unreduced = BetweenTwoStations();
  unreduced.push_back(ShotRow(kStadiaSdHt, 11, 10.0, 90.0, 20.0, 1.5));  // never reduced
  std::vector<PrecisionStadiaRow> blank = BetweenTwoStations();
  blank.push_back(ShotRow(kStadiaHzDh, 12, kEmptyValue, 1.0, 20.0, 1.5));
  Reduce(blank);
  std::vector<PrecisionStadiaRow> shortShot = BetweenTwoStations();
  shortShot.push_back(ShotRow(kStadiaSdHt, 13, 10.0, 90.0, 0.004, 1.5));
  Reduce(shortShot);
  // Points 20 and 21 only see each other: nothing holds them in place.
  std::vector<PrecisionStadiaRow> untied = BetweenTwoStations();
  for (const auto& [at, to] : {std::pair{21u, 20u}, std::pair{20u, 21u}}) {
    untied.push_back(SetupRow(at, 1.5));
    PrecisionStadiaRow shot = ShotRow(kStadiaHzDh, to, 0.0, 0.0, 10.0, 1.5);
    shot.gridBearing = at == 21 ? 0.0 : 180.0, shot.reducedDist = 10.0;
    shot.east = 5000.0, shot.north = at == 21 ? 5010.0 : 5000.0, shot.height = 0.0;
    untied.push_back(shot);
  }
  struct Case {
    const char* what;
    std::vector<PrecisionStadiaRow> rows;
    std::vector<std::string> messages;
    std::string reportStop;  // the line before the end, empty: none
  };
  const Case cases[] = {
      {"unreduced bearing", unreduced, {"pt 11 bear 999999986991104.000000"}, ""},
      {"blank approximate coordinates",
       blank,
       {kFinished},
       "Point 12 has invalid approximate coordinates"},
      {"slope distance under 5 mm",
       shortShot,
       {kFinished},
       "Observation from 2 to 13 has zero slope distance"},
      {"untied part",
       untied,
       {"\nHorizontal and vertical adjustment\n\aError number on the matrix diagonal = "
        "0.0\nPoints not tied to a fixed point: 20 21",
        kFinished},
       ""},
  };
  for (const Case& c : cases) {
    const LeastSquaresResult result = Adjust(c.rows);
    EXPECT_FALSE(result.adjusted) << c.what;
    EXPECT_EQ(result.messages, c.messages) << c.what;
    std::vector<PrecisionStadiaRow> rows = c.rows;
    WriteBackAdjusted(rows, result);
    if (!result.computed) {
      EXPECT_TRUE(result.report.empty()) << c.what;
      EXPECT_EQ(rows[5].east, c.rows[5].east) << c.what;
      continue;
    }
    const std::vector<std::string>& report = result.report;
    ASSERT_GE(report.size(), 3u) << c.what;
    EXPECT_EQ(report.back(), kEndOfPrintout) << c.what;
    EXPECT_EQ(report[report.size() - 2], "") << c.what;
    if (!c.reportStop.empty()) {
      EXPECT_EQ(report[report.size() - 3], c.reportStop) << c.what;
    }
    // Nothing adjusted: the shot keeps its approximate place.
    EXPECT_EQ(rows[3].east, c.rows[3].east) << c.what;
    for (const PrecisionStadiaRow& row : rows) {
      EXPECT_TRUE(std::isfinite(row.east) && std::isfinite(row.north) && std::isfinite(row.height))
          << c.what;
    }
  }
}

TEST(LeastSquares, ReportLineForLine) {
  std::vector<PrecisionStadiaRow> rows = {
      StnRow(1, 1000, 2000, 50), StnRow(2, 1150, 2000, 50),
      SetupRow(1, 1.5),          ShotRow(kStadiaHzDh, 10, 90.0010, 2.000, 50.010, 1.5),
      SetupRow(2, 1.5),          ShotRow(kStadiaSdHt, 10, 270.0020, 88.0, 100.050, 1.5)};
  Reduce(rows);
  const LeastSquaresResult result = Adjust(rows);
  EXPECT_EQ(result.report, ReportLines(KESTREL_TEST_DATA_DIR "/two_stations_report.txt"));
  EXPECT_EQ(result.passes, 2);
}

// On networks small enough for the dense method the two agree to 1e-9 m.
TEST(LeastSquares, SparseEqualsDenseGaussJordan) {
  const std::vector<PrecisionStadiaRow> grids[] = {testing::GridNetwork(3, 3, 7),
                                                   testing::GridNetwork(9, 6, 11),
                                                   testing::GridNetwork(2, 30, 5)};
  for (const auto& rows : grids) {
    for (const int mode : {kLsHorizontal, kLsBoth}) {
      const LeastSquaresResult sparse = Adjust(rows, mode);
      const LeastSquaresResult dense = Adjust(rows, mode, testing::DenseSolver());
      ASSERT_TRUE(sparse.adjusted && dense.adjusted);
      ASSERT_EQ(sparse.network.points.size(), dense.network.points.size());
      for (std::size_t i = 0; i < sparse.network.points.size(); ++i) {
        const NetworkPoint& s = sparse.network.points[i];
        const NetworkPoint& d = dense.network.points[i];
        EXPECT_NEAR(s.east, d.east, 1e-9);
        EXPECT_NEAR(s.north, d.north, 1e-9);
        EXPECT_NEAR(s.height, d.height, 1e-9);
      }
    }
  }
}

}  // namespace
}  // namespace kestrel
