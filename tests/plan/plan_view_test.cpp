// Clicks on the plan: which row a screen position picks, after zooming to
// all, zooming about the cursor and panning; and the point index against a
// search of every point.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

#include "plan/plan_view.h"

namespace kestrel {
namespace {

// On a 100 x 100 view with 10 px margins the extent 0..80 m fills 80 px, so
// 1 px is 1 m and (e, n) is drawn at (10 + e, 90 - n).
SheetPlan SixPoints() {
  SheetPlan plan;
  // (row, e, n): drawn at (10, 90), (90, 90), (10, 10), (50, 50), (52, 50) and
  // (90, 10), the last a point of no known row.
  for (const auto& [row, east, north] : std::vector<std::tuple<int, double, double>>{
           {0, 0, 0}, {2, 80, 0}, {5, 0, 80}, {7, 40, 40}, {9, 42, 40}, {-1, 80, 80}}) {
    plan.points.push_back({row, 0, east, north, 0.0, "", {}});
  }
  return plan;
}

enum class Move { None, ZoomFourAboutCentre, ZoomThenPan };

struct HitCase {
  Move move;
  double x, y;
  std::optional<int> row;
};

TEST(PlanView, ClickPicksTheNearestPointsRowWithinFivePixels) {
  const HitCase cases[] = {
      {Move::None, 12, 88, 0},
      {Move::None, 89, 91, 2},
      {Move::None, 10, 14, 5},
      {Move::None, 10, 16, std::nullopt},  // 6 px from point 5
      {Move::None, 50.9, 50, 7},           // 0.9 px from 7, 1.1 px from 9
      {Move::None, 51.2, 50, 9},
      {Move::None, 30, 30, std::nullopt},
      {Move::None, 90, 10, std::nullopt},  // a point without a row
      // Four times larger about (50, 50): 40,40 stays there, 42,40 moves to
      // (58, 50) and 0,0 to (-110, 210).
      {Move::ZoomFourAboutCentre, 57, 51, 9},
      {Move::ZoomFourAboutCentre, 53, 50, 7},
      {Move::ZoomFourAboutCentre, 12, 88, std::nullopt},
      // Then dragged 10 px right and 20 px up: 42,40 is at (68, 30).
      {Move::ZoomThenPan, 68, 30, 9},
      {Move::ZoomThenPan, 58, 50, std::nullopt},
  };
  for (const HitCase& c : cases) {
    PlanView view(SixPoints(), 100, 100);
    if (c.move != Move::None) view.ZoomAbout({50, 50}, 4.0);
    if (c.move == Move::ZoomThenPan) view.Pan(10, -20);
    EXPECT_EQ(view.HitRow({c.x, c.y}, 5.0), c.row) << "click at " << c.x << "," << c.y;
  }
}

// A long thin plan with repeated positions: the index finds what a search of
// every point finds (the nearest within the radius, the first of equals).
TEST(PointIndex, AgreesWithASearchOfEveryPoint) {
  std::uint32_t seed = 12345;
  const auto next = [&seed](double range) {
    seed = seed * 1664525u + 1013904223u;
    return range * static_cast<double>(seed >> 8) / static_cast<double>(1u << 24);
  };
  std::vector<PlanPoint> points;
  for (int i = 0; i < 3000; ++i) {
    const bool repeat = i % 10 == 9;
    const double east = repeat ? points[i - 5].east : next(1000.0);
    const double north = repeat ? points[i - 5].north : next(10.0);
    points.push_back({i, 0, east, north, 0.0, "", {}});
  }
  const PointIndex index(points);
  for (int q = 0; q < 2000; ++q) {
    const double east = next(1100.0) - 50.0, north = next(30.0) - 10.0, radius = next(8.0);
    int expected = -1;
    double best = radius * radius;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const double de = points[i].east - east, dn = points[i].north - north;
      if (de * de + dn * dn < best || (expected < 0 && de * de + dn * dn == best)) {
        expected = static_cast<int>(i);
        best = de * de + dn * dn;
      }
    }
    ASSERT_EQ(index.Nearest(east, north, radius), expected) << east << "," << north;
  }
}

}  // namespace
}  // namespace kestrel
