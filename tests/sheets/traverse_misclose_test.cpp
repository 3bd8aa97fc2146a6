// The route, the misclose and the adjustments on small traverses whose
// answers follow from their shape, and everything that must be refused.
// Non-finite values are the traverse fuzzer's to find.
#include <gtest/gtest.h>

#include <cmath>

#include "sheets/command_codes.h"
#include "sheets/traverse/traverse_compute.h"
#include "sheets/traverse/traverse_report.h"
#include "survey/geometry.h"
#include "traverse_test_sheet.h"

namespace kestrel::testing {
namespace {

TEST(TraverseRoute, NotesAreReadAsLists) {
  struct Case {
    std::string note;
    std::vector<std::uint32_t> stations;
    bool continues;
  } cases[] = {
      {"tr 1,2,3,4,1", {1, 2, 3, 4, 1}, false},
      {"tr 10.7", {10, 9, 8, 7}, false},  // a run of numbers, downwards too
      {"TR 3 . 5 , 9", {3, 4, 5, 9}, false},
      {"tr 1 2 3", {1}, true},  // a blank alone does not separate numbers
      {"tr 1,2,", {1, 2}, true},
      {"tr 3,x,4", {3, 0, 4}, false},
  };
  for (const Case& c : cases) {
    std::vector<std::uint32_t> stations;
    bool continues = false;
    ASSERT_TRUE(ReadRouteNote(c.note, stations, continues)) << c.note;
    EXPECT_EQ(stations, c.stations) << c.note;
    EXPECT_EQ(continues, c.continues) << c.note;
  }
  std::vector<std::uint32_t> stations;
  bool continues = false;
  EXPECT_FALSE(ReadRouteNote("tr 1.4000000000", stations, continues));
}

TEST(TraverseRoute, BadRoutesAreRefusedWithAReason) {
  const std::string leg12 = "3,1,2,90,90,100,0,0,,0,0,0";
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    std::string message;
  } cases[] = {
      {"empty sheet", {}, "No traverse route"},
      {"note not continued",
       {"0,1,0,0,0,", "2,tr 1,2,", "2,not a route", leg12},
       "Error finding traverse field note"},
      {"station nobody observes",
       {"0,1,0,0,0,", "2,tr 1,2,7,1", leg12},
       "The route names point 7, which no Traverse row observes"},
      {"start nobody gives",
       {"2,tr 8,2", leg12},
       "The route starts at point 8, which no row gives"},
      {"leg without distance",
       {"0,1,0,0,0,", "3,1,2,90,90,999999986991104,0,0,,0,0,0"},
       "Route point 2 has no coordinates"},
  };
  for (const Case& c : cases) {
    TraverseTestSheet t(c.rows);
    EXPECT_EQ(t.sheet.Command(kCmdCollectMissing), -1) << c.name;
    ASSERT_FALSE(t.messages.texts.empty()) << c.name;
    EXPECT_TRUE(t.messages.texts.back().starts_with(c.message))
        << c.name << ": " << t.messages.texts.back();
    EXPECT_TRUE(t.sheet.Stations().Empty()) << c.name;
  }
}

TEST(TraverseRoute, CalculateListsWhatItCouldNotFind) {
  TraverseTestSheet t(
      {"0,1,0,0,0,", "3,1,2,90,90,999999986991104,0,0,,0,0,0", "3,7,8,90,90,10,0,0,,0,0,0"});
  t.sheet.Command(kCmdCalculate);
  EXPECT_EQ(
      t.sheet.MessageLines(),
      (std::vector<std::string>{"1 to 2 has no distance (row 2)", "at point    7 not found (row 3)",
                                "row 3: 7 to 8 does not start where the route ends (2)"}));
  EXPECT_TRUE(t.messages.texts.empty());
}

TEST(TraverseRoute, ChainedLegs) {
  TraverseTestSheet chained({"0,1,0,0,0,", "3,1,2,90,90,10,0,0,,0,0,0", "3,2,3,0,90,10,0,0,,0,0,0",
                             "3,5,6,0,90,10,0,0,,0,0,0", "3,3,1,225,90,14.142136,0,0,,0,0,0",
                             "3,1,2,90,90,10,0,0,,0,0,0"});
  EXPECT_EQ(chained.sheet.Command(kCmdCollectMissing), 4);
  EXPECT_EQ(chained.sheet.Stations().route, (std::vector<std::uint32_t>{1, 2, 3, 1}));
  // The gap and the leg after the closed loop are reported, not lost.
  EXPECT_EQ(chained.sheet.MessageLines().size(), 2u);
  EXPECT_EQ(chained.sheet.RowCount(), 6);
}

TEST(TraverseMisclose, CrandallHoldsTheBearings) {
  TraverseTestSheet t({"0,1,5000,5000,100,", "2,tr 1,2,3,4,5,1",
                       "3,1,2,26.1000,90,285.10,0,0,,0,0,0", "3,2,3,104.3530,90,610.45,0,0,,0,0,0",
                       "3,3,4,195.3015,90,720.48,0,0,,0,0,0", "3,4,5,286.1745,90,203.00,0,0,,0,0,0",
                       "3,5,1,328.2500,90,628.30,0,0,,0,0,0"});
  EXPECT_EQ(t.sheet.Command(kCmdCrandall), 1);
  const TraverseStations& st = t.sheet.Stations();
  double lengthChange = 0;
  for (std::size_t k = 1; k < st.Count(); ++k) {
    const double before = BearingBetween(st.computedEast[k - 1], st.computedNorth[k - 1],
                                         st.computedEast[k], st.computedNorth[k]);
    const double after = BearingBetween(st.east[k - 1], st.north[k - 1], st.east[k], st.north[k]);
    EXPECT_NEAR(after, before, 1e-10) << "leg " << k;
    lengthChange +=
        std::fabs(DistanceBetween(st.east[k - 1], st.north[k - 1], st.east[k], st.north[k]) -
                  DistanceBetween(st.computedEast[k - 1], st.computedNorth[k - 1],
                                  st.computedEast[k], st.computedNorth[k]));
  }
  EXPECT_GT(lengthChange, 0.01);
  EXPECT_NEAR(st.east.back(), 5000, 1e-9);
  EXPECT_NEAR(st.north.back(), 5000, 1e-9);
}

TEST(TraverseMisclose, DegenerateTraversesAreExplainedNotDivided) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int command;
    std::string message;  // the last message shown
    bool corrected;
  } cases[] = {
      {"misclose of 0.0004", Square("50", "100", "99.9996"), kCmdBowditch,
       "Perfect linear misclose", false},
      {"open, 12 from any station",
       {"0,1,0,0,0,", "0,9,112,0,0,", "3,1,2,90,90,100,0,0,,0,0,0"},
       kCmdBowditch,
       "No traverse - or error in Traverse\nCheck for possible data error",
       false},
      {"legs of no length onto a known point",
       {"0,1,0,0,0,", "0,2,0.5,0,0,", "2,tr 1,2", "3,1,2,90,90,0,0,0,,0,0,0"},
       kCmdBowditch,
       "The route has no length: the misclose cannot be distributed",
       false},
      {"legs all on one line",
       {"0,1,0,0,0,", "0,3,200,0.5,0,", "3,1,2,90,90,100,0,0,,0,0,0", "3,2,3,90,90,100,0,0,,0,0,0"},
       kCmdCrandall,
       "Crandall cannot hold the bearings of legs that all lie on one line: adjusted by Bowditch "
       "instead",
       true},
      {"north-south legs by transit",
       {"0,1,0,0,0,", "0,3,0.02,200,0,", "3,1,2,0,90,100,0,0,,0,0,0", "3,2,3,0,90,100,0,0,,0,0,0"},
       kCmdTransit,
       "",
       true},
  };
  for (const Case& c : cases) {
    TraverseTestSheet t(c.rows);
    EXPECT_EQ(t.sheet.Command(c.command), c.corrected ? 1 : 0) << c.name;
    const std::string last = t.messages.texts.empty() ? "" : t.messages.texts.back();
    EXPECT_EQ(last, c.message) << c.name;
  }
  // Only the exact text "network" refuses; "Network" only stops back bearings.
  TraverseTestSheet capital(Square("50", "100", "100.02"));
  capital.Add({"2,Network"});
  EXPECT_EQ(capital.sheet.Command(kCmdBowditch), 1);
}

TEST(TraverseMisclose, ZeroMiscloseHasNoBearing) {
  TraverseTestSheet t(Square());
  t.sheet.Command(kCmdMisclose);
  const MiscloseSummary& s = t.sheet.LastMisclose();
  EXPECT_EQ(s.linear.bearing, kNoBearing);
  EXPECT_EQ(s.linear.distance, 0.0);
  EXPECT_NEAR(s.perimeter, 400.0, 1e-9);
  EXPECT_EQ(s.percent, 0.0);
  const std::vector<std::string> lines = MiscloseSummaryLines(s, 0, 0);
  EXPECT_EQ(lines.at(1), "misclose: bearing no bearing distance 0.000");
  EXPECT_EQ(lines.back(), "misclose: accuracy Closed");
}

TEST(TraverseMisclose, HeightsFollowRiseAndFallAndSideShotsFollowTheirStation) {
  // Leg 1-2 rises 10, leg 2-3 falls 10 back onto station 3 given 0.04 low:
  // each leg takes half of the height misclose.
  TraverseTestSheet t({"0,1,0,0,0,", "0,3,200.02,0,-0.04,", "3,1,2,90,84.1721,100.5,0,0,,0,0,0",
                       "6,2,50,0,90,10,0,0,,0,0,0", "6,1,51,0,90,10,0,0,,0,0,0",
                       "3,2,3,90,95.4239,100.5,0,0,,0,0,0"});
  t.sheet.Command(kCmdHeightAdjust);
  t.sheet.Command(kCmdBowditch);
  const TraverseRow* two = t.Arriving(2);
  const TraverseRow* three = t.Arriving(3);
  ASSERT_NEAR(two->height, 10.0, 1e-3);
  ASSERT_NEAR(three->height, 0.0, 1e-3);
  EXPECT_NEAR(two->adj_height, two->height - 0.02, 1e-4);
  EXPECT_NEAR(three->adj_height, -0.04, 1e-5);
  // The shot from 2 moves with 2; the shot from the start does not.
  const TraverseRow* shot = t.Arriving(50);
  EXPECT_NEAR(shot->adj_east - shot->east, two->adj_east - two->east, 1e-12);
  EXPECT_NEAR(shot->adj_height - shot->height, two->adj_height - two->height, 1e-5);
  EXPECT_EQ(t.Arriving(51)->adj_east, t.Arriving(51)->east);
}

}  // namespace
}  // namespace kestrel::testing
