#pragma once
// Precision Stadia rows for the adjustment tests and the benchmark: row
// builders, and a generated network on a grid whose first row and column are
// fixed stations. Every other grid point is shot from the point to its left,
// the one above and the one above-left (three observations each), with the
// distances and directions disturbed by a few millimetres and seconds so
// that the observations disagree. The set-ups use a zero circle, so a
// reading is the bearing. Rows are reduced as Calculate Coordinates does.
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "sheets/stadia/precision_reduction.h"
#include "survey/angles.h"

namespace kestrel::testing {

inline PrecisionStadiaRow StnRow(std::uint32_t p, double e, double n, double h) {
  PrecisionStadiaRow r = BlankPrecisionRow(kStadiaStn);
  r.point = p, r.east = e, r.north = n, r.height = h;
  return r;
}
// A set-up on a zero circle: readings are bearings.
inline PrecisionStadiaRow SetupRow(std::uint32_t at, double ih) {
  PrecisionStadiaRow r = BlankPrecisionRow(kStadiaAtBs);
  r.point = at, r.hz = 0.0, r.dist = ih;
  return r;
}
inline PrecisionStadiaRow ShotRow(int type, std::uint32_t p, double hzPacked, double second,
                                  double dist, double target) {
  PrecisionStadiaRow r = BlankPrecisionRow(type);
  r.point = p, r.hz = hzPacked, r.obs2 = second, r.dist = dist, r.targetHt = target;
  return r;
}

inline void Reduce(std::vector<PrecisionStadiaRow>& rows) {
  PrecisionReductionState state;
  ReducePrecisionStadia(rows, state, PrecisionReductionOptions{});
}

// A grid of `columns` × `lines` points 50 m apart; (columns-1)(lines-1) free.
inline std::vector<PrecisionStadiaRow> GridNetwork(int columns, int lines, unsigned seed = 1) {
  constexpr double kSpacing = 50.0, kPi = 3.141592653589793;
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> mm(-0.004, 0.004), seconds(-4.0, 4.0);
  const auto number = [&](int c, int l) { return static_cast<std::uint32_t>(l * columns + c + 1); };
  const auto east = [&](int c) { return 10000.0 + c * kSpacing; };
  const auto north = [&](int l) { return 50000.0 + l * kSpacing; };
  const auto height = [&](int c, int l) { return 100.0 + 0.01 * c - 0.02 * l; };
  std::vector<PrecisionStadiaRow> rows;
  for (int l = 0; l < lines; ++l) {
    for (int c = 0; c < columns; ++c) {
      if (l == 0 || c == 0) rows.push_back(StnRow(number(c, l), east(c), north(l), height(c, l)));
    }
  }
  for (int l = 0; l + 1 < lines; ++l) {
    for (int c = 0; c + 1 < columns; ++c) {
      rows.push_back(SetupRow(number(c, l), 1.5));
      const int steps[3][2] = {{1, 0}, {0, 1}, {1, 1}};
      for (const auto& step : steps) {
        const int tc = c + step[0], tl = l + step[1];
        if (tl == 0 || tc == 0) continue;  // a fixed station
        const double dE = east(tc) - east(c), dN = north(tl) - north(l);
        const double dH = height(tc, tl) - height(c, l);
        const double horizontal = std::hypot(dE, dN);
        const double bearing = std::atan2(dE, dN) * 180.0 / kPi + seconds(random) / 3600.0;
        const double slope = std::hypot(horizontal, dH) + mm(random);
        const double zenith = 90.0 - std::atan2(dH, horizontal) * 180.0 / kPi;
        rows.push_back(ShotRow(kStadiaSdHt, number(tc, tl), DegreesToDms(bearing),
                               DegreesToDms(zenith), slope, 1.5));
      }
    }
  }
  Reduce(rows);
  return rows;
}

}  // namespace kestrel::testing
