// The Stadia sheet's commands: default types, type cycling, finding,
// replacing codes, the points the set-ups need, host points, renumbering and
// appending another sheet file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

class StadiaCommandsTest : public ::testing::Test {
 protected:
  int Run(int code, CommandArg p1 = {}, CommandArg p2 = {}) { return sheet.Command(code, p1, p2); }
  std::vector<std::uint32_t> Points() const {
    std::vector<std::uint32_t> points;
    for (const StadiaRow& r : sheet.Rows()) points.push_back(r.point);
    return points;
  }

  SheetTestContext context;
  Stadia sheet{context.ctx};
};

TEST_F(StadiaCommandsTest, RowTypesFromTheDefaultAndFromCycling) {
  sheet.Rows() = {{.point = 1}, {.point = 2}};
  Run(kCmdSetDefaultType, std::int64_t{kStadiaHzDh});
  Run(kCmdApplyDefaultType, std::int64_t{2}, std::int64_t{0});  // not the type column
  Run(kCmdApplyDefaultType, std::int64_t{0}, std::int64_t{5});  // outside the sheet
  Run(kCmdApplyDefaultType, std::int64_t{0}, std::int64_t{1});
  EXPECT_EQ(sheet.Rows()[0].type, kStadiaStn);
  EXPECT_EQ(sheet.Rows()[1].type, kStadiaHzDh);

  struct Case {
    int type;
    CommandArg key;
    int presses, expected, result;
  } cases[] = {{kStadiaStn, std::int64_t{'+'}, 3, kStadiaSdHt, 0},
               {kStadiaStn, std::int64_t{' '}, 1, kStadiaAtBs, 0},
               {kStadiaChk, std::string("+"), 1, kStadiaStn, 0},
               {kStadiaStn, std::int64_t{'-'}, 1, kStadiaChk, 0},
               {kStadiaSdHt, std::int64_t{'x'}, 1, kStadiaSdHt, 1}};
  for (const Case& c : cases) {
    sheet.Rows() = {{.type = static_cast<std::int8_t>(c.type)}};
    int result = -1;
    for (int i = 0; i < c.presses; ++i) result = Run(kCmdCycleType, std::int64_t{0}, c.key);
    EXPECT_EQ(std::tie(sheet.Rows()[0].type, result),
              std::make_tuple(static_cast<std::int8_t>(c.expected), c.result));
  }
  EXPECT_EQ(Run(kCmdCycleType, std::int64_t{1}, std::int64_t{'+'}), 1);  // past the end
}

TEST_F(StadiaCommandsTest, FindingPointsSetupsAndCodes) {
  const StadiaRow tree{.type = kStadiaSdHt, .point = 7, .code = "TREE"};
  sheet.Rows() = {{.type = kStadiaFnote, .point = 7},  // notes are never found by number
                  AtBsRow(1, 2),
                  tree,
                  {.type = kStadiaHdRl, .point = 8, .code = "FENCE"},
                  AtBsRow(7, 1),
                  tree};
  struct Case {
    int code;
    CommandArg p1, p2;
    int expected;
  } cases[] = {{kCmdFindPoint, std::int64_t{7}, {}, 2},
               {kCmdFindPoint, std::int64_t{1}, {}, 1},
               {kCmdFindPoint, std::int64_t{-1}, {}, -1},
               {kCmdFindSetup, std::int64_t{2}, {}, 4},
               {kCmdFindSetup, std::int64_t{5}, {}, -1},
               {kCmdFindCode, std::int64_t{3}, std::string("TREE"), 5},
               {kCmdFindCode, std::int64_t{0}, std::string("tree"), -1}};
  for (const Case& c : cases) EXPECT_EQ(Run(c.code, c.p1, c.p2), c.expected) << c.code;

  Run(kCmdReplaceCode, std::string("TREE"), std::string("OAK"));
  EXPECT_EQ(sheet.Rows()[2].code + sheet.Rows()[3].code + sheet.Rows()[5].code, "OAKFENCEOAK");
}

TEST_F(StadiaCommandsTest, SetupsNeedThePointsNoStationSupplies) {
  sheet.Rows() = {{.point = 1, .east = 100.0, .north = 200.0, .height = 30.0},
                  {.point = 2, .east = 0.0, .north = 0.00005, .height = -0.00005},  // none
                  AtBsRow(1, 2),
                  AtBsRow(3, 4),
                  AtBsRow(2, 1),
                  AtBsRow(3, 5),
                  {.type = kStadiaAtBs, .point = 6}};  // no backsight
  EXPECT_EQ(Run(kCmdCollectMissing), 5);
  std::vector<std::uint32_t> handed;
  std::uint32_t number = 99;
  while (Run(kCmdNextMissing, &number) == 1) handed.push_back(number);
  EXPECT_EQ(number, 0u);
  // Instrument points first, then backsights, each once, in row order.
  EXPECT_EQ(handed, (std::vector<std::uint32_t>{3, 2, 6, 4, 5}));
}

TEST_F(StadiaCommandsTest, HostPointBecomesAStationRowAtTheTop) {
  sheet.Rows() = {{.type = kStadiaSdHt, .point = 5}};
  const PointRecord record{.name = "0",
                           .point = 77,
                           .east = 1500.25,
                           .north = 2500.5,
                           .height = 30.125f,
                           .code = "CP",
                           .description = "control pin"};
  EXPECT_EQ(Run(kCmdInsertHostPoint, std::int64_t{0}, &record), 0);
  ASSERT_EQ(sheet.Rows().size(), 2u);
  EXPECT_EQ(Fields(sheet.Rows()[0]), Fields({.point = 77,
                                             .east = 1500.25,
                                             .north = 2500.5,
                                             .height = 30.125,
                                             .code = "CP",
                                             .comment = "control pin"}));
}

TEST_F(StadiaCommandsTest, RenumberGivesNewNumbersToPointsAndTheirRepeats) {
  const std::vector<StadiaRow> book = {{.point = 1},
                                       {.point = 2},
                                       AtBsRow(1, 2),
                                       {.type = 3, .point = 10},
                                       {.type = 3, .point = 11},
                                       AtBsRow(10, 12),  // sighted before 12 appears
                                       {.type = 3, .point = 12},
                                       {.type = 6, .point = 10},
                                       {.type = 2},
                                       {.type = 3, .point = 0},
                                       {.type = 3, .point = 0}};
  const std::uint32_t none = kNoPoint;
  struct Case {
    NumberRange range;
    std::int64_t first;
    std::vector<std::uint32_t> points;
    std::uint32_t backsight2, backsight5;
  } cases[] = {{{10, 12}, 100, {1, 2, 1, 100, 101, 100, 102, 100, none, 0, 0}, 2, 12},
               // "All": every number, and the unnumbered rows (0) each their own.
               {{-10000000, 100000000},
                500,
                {500, 501, 500, 502, 503, 502, 504, 502, none, 505, 506},
                501,
                12},
               // New numbers that equal later old numbers are not renumbered again.
               {{1, 2}, 2, {2, 3, 2, 10, 11, 10, 12, 10, none, 0, 0}, 3, 12},
               {{-5, -1}, 1, {1, 2, 1, 10, 11, 10, 12, 10, none, 0, 0}, 2, 12}};
  for (const Case& c : cases) {
    sheet.Rows() = book;
    EXPECT_EQ(Run(kCmdRenumber, c.range, c.first), 0);
    EXPECT_EQ(Points(), c.points) << c.range.first;
    EXPECT_EQ(BacksightNumber(sheet.Rows()[2]), c.backsight2) << c.range.first;
    EXPECT_EQ(BacksightNumber(sheet.Rows()[5]), c.backsight5) << c.range.first;
  }
}

TEST_F(StadiaCommandsTest, AppendReplacesTheRowsWithTheChosenFile) {
  ScratchFolder folder;
  ASSERT_TRUE(folder.Ok());
  const std::string path = folder.File("stad2.job7");
  sheet.Rows() = {{.point = 41}, {.type = kStadiaSdHt, .point = 42}};
  sheet.SaveToFile(path);

  sheet.Rows() = {{.point = 1}};
  context.app.flags.Set(SheetType::Stadia);
  EXPECT_EQ(Run(kCmdAppendSheet), 0);  // cancelled
  EXPECT_EQ(Points(), std::vector<std::uint32_t>{1});
  context.chooser.answer = SheetChoice{SheetType::Stadia, path};
  EXPECT_EQ(Run(kCmdAppendSheet), 1);
  EXPECT_EQ(Points(), (std::vector<std::uint32_t>{41, 42}));
  EXPECT_EQ(context.app.job.job, "job7");

  for (const int code : {0, 6, 7, 99, -3}) EXPECT_EQ(Run(code), 0) << code;
  EXPECT_EQ(Points(), (std::vector<std::uint32_t>{41, 42}));
}

}  // namespace
}  // namespace kestrel::testing
