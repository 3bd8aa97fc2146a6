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
  static StadiaRow Setup(std::uint32_t at, std::uint32_t backsight) {
    StadiaRow r = MakeRow(kStadiaAtBs, at);
    SetBacksightNumber(r, backsight);
    return r;
  }
  static StadiaRow Station(std::uint32_t point, double e, double n, double h) {
    StadiaRow r = MakeRow(kStadiaStn, point);
    r.east = e, r.north = n, r.height = h;
    return r;
  }

  SheetTestContext context;
  Stadia sheet{context.ctx};
};

TEST_F(StadiaCommandsTest, DefaultTypeGoesToTheRowOnlyFromTheTypeColumn) {
  sheet.Rows() = {MakeRow(kStadiaStn, 1), MakeRow(kStadiaStn, 2)};
  Run(kCmdSetDefaultType, std::int64_t{kStadiaHzDh});
  Run(kCmdApplyDefaultType, std::int64_t{2}, std::int64_t{0});  // column 2: nothing
  Run(kCmdApplyDefaultType, std::int64_t{0}, std::int64_t{5});  // outside: nothing
  Run(kCmdApplyDefaultType, std::int64_t{0}, std::int64_t{1});
  EXPECT_EQ(sheet.Rows()[0].type, kStadiaStn);
  EXPECT_EQ(sheet.Rows()[1].type, kStadiaHzDh);
}

TEST_F(StadiaCommandsTest, TypeCyclesForwardAndBack) {
  struct Case {
    int type;
    CommandArg key;
    int presses;
    int expected;
    int result;
  };
  const std::vector<Case> cases = {
      {kStadiaStn, std::int64_t{'+'}, 3, kStadiaSdHt, 0},
      {kStadiaStn, std::int64_t{' '}, 1, kStadiaAtBs, 0},
      {kStadiaChk, std::string("+"), 1, kStadiaStn, 0},
      {kStadiaStn, std::int64_t{'-'}, 1, kStadiaChk, 0},
      {kStadiaSdHt, std::string("-"), 2, kStadiaAtBs, 0},
      {kStadiaSdHt, std::int64_t{'x'}, 1, kStadiaSdHt, 1},
  };
  for (const Case& c : cases) {
    sheet.Rows() = {MakeRow(c.type, 1)};
    int result = -1;
    for (int i = 0; i < c.presses; ++i) result = Run(kCmdCycleType, std::int64_t{0}, c.key);
    EXPECT_EQ(sheet.Rows()[0].type, c.expected) << c.type;
    EXPECT_EQ(result, c.result) << c.type;
  }
  EXPECT_EQ(Run(kCmdCycleType, std::int64_t{1}, std::int64_t{'+'}), 1);  // past the end
}

TEST_F(StadiaCommandsTest, FindingPointsSetupsAndCodes) {
  StadiaRow note = MakeRow(kStadiaFnote, 7);  // notes are never found by number
  StadiaRow shot = MakeRow(kStadiaSdHt, 7);
  shot.code = "TREE";
  StadiaRow fence = MakeRow(kStadiaHdRl, 8);
  fence.code = "FENCE";
  sheet.Rows() = {note, Setup(1, 2), shot, fence, Setup(7, 1), shot};

  struct Case {
    int code;
    CommandArg p1, p2;
    int expected;
  };
  const std::vector<Case> cases = {
      {kCmdFindPoint, std::int64_t{7}, {}, 2},
      {kCmdFindPoint, std::int64_t{1}, {}, 1},
      {kCmdFindPoint, std::int64_t{99}, {}, -1},
      {kCmdFindPoint, std::int64_t{-1}, {}, -1},
      {kCmdFindSetup, std::int64_t{0}, {}, 1},
      {kCmdFindSetup, std::int64_t{2}, {}, 4},
      {kCmdFindSetup, std::int64_t{5}, {}, -1},
      {kCmdFindCode, std::int64_t{0}, std::string("TREE"), 2},
      {kCmdFindCode, std::int64_t{3}, std::string("TREE"), 5},
      {kCmdFindCode, std::int64_t{0}, std::string("tree"), -1},
      {kCmdFindCode, std::int64_t{0}, std::string("FENCE"), 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.code, c.p1, c.p2), c.expected) << c.code << " " << c.expected;
  }

  Run(kCmdReplaceCode, std::string("TREE"), std::string("OAK"));
  EXPECT_EQ(sheet.Rows()[2].code, "OAK");
  EXPECT_EQ(sheet.Rows()[5].code, "OAK");
  EXPECT_EQ(sheet.Rows()[3].code, "FENCE");
}

TEST_F(StadiaCommandsTest, SetupsNeedThePointsNoStationSupplies) {
  sheet.Rows() = {
      Station(1, 100.0, 200.0, 30.0),
      Station(2, 0.0, 0.00005, -0.00005),  // at the origin: supplies nothing
      Setup(1, 2),
      Setup(3, 4),
      Setup(2, 1),
      Setup(3, 5),
      MakeRow(kStadiaAtBs, 6),  // no backsight
  };
  EXPECT_EQ(Run(kCmdCollectMissing), 5);
  std::vector<std::uint32_t> handed;
  std::uint32_t number = 99;
  while (Run(kCmdNextMissing, &number) == 1) handed.push_back(number);
  EXPECT_EQ(number, 0u);
  // Instrument points first, then backsights, each once, in row order.
  EXPECT_EQ(handed, (std::vector<std::uint32_t>{3, 2, 6, 4, 5}));
  EXPECT_EQ(Run(kCmdNextMissing, &number), -1);

  sheet.Rows() = {Station(1, 1.0, 0.0, 0.0), Setup(1, 0)};
  EXPECT_EQ(Run(kCmdCollectMissing), 0);
}

TEST_F(StadiaCommandsTest, HostPointBecomesAStationRow) {
  sheet.Rows() = {MakeRow(kStadiaSdHt, 5)};
  PointRecord record;
  record.name = "0";
  record.point = 77;
  record.east = 1500.25;
  record.north = 2500.5;
  record.height = 30.125f;
  record.code = "CP";
  record.description = "control pin";
  const PointRecord* given = &record;
  EXPECT_EQ(Run(kCmdInsertHostPoint, std::int64_t{0}, given), 0);
  ASSERT_EQ(sheet.Rows().size(), 2u);
  StadiaRow expected = Station(77, 1500.25, 2500.5, 30.125);
  expected.code = "CP";
  expected.comment = "control pin";
  ExpectSameRow(sheet.Rows()[0], expected, "host point");
  EXPECT_EQ(sheet.Rows()[1].point, 5u);
}

TEST_F(StadiaCommandsTest, RenumberGivesNewNumbersToPointsAndTheirRepeats) {
  const StadiaRow note = MakeRow(kStadiaFnote, kNoPoint);
  const std::vector<StadiaRow> book = {
      MakeRow(kStadiaStn, 1),   MakeRow(kStadiaStn, 2),   Setup(1, 2),
      MakeRow(kStadiaSdHt, 10), MakeRow(kStadiaSdHt, 11), Setup(10, 1),
      MakeRow(kStadiaSdHt, 12), MakeRow(kStadiaChk, 10),  note,
      MakeRow(kStadiaSdHt, 0),  MakeRow(kStadiaSdHt, 0),
  };
  struct Case {
    std::string name;
    NumberRange range;
    std::int64_t first;
    std::vector<std::uint32_t> points;
    std::uint32_t backsight2, backsight5;
  };
  const std::uint32_t none = kNoPoint;
  const std::vector<Case> cases = {
      {"a range of shots", {10, 12}, 100, {1, 2, 1, 100, 101, 100, 102, 100, none, 0, 0}, 2, 1},
      // Every number, the unnumbered rows (0) each their own.
      {"all",
       {-10000000, 100000000},
       500,
       {500, 501, 500, 502, 503, 502, 504, 502, none, 505, 506},
       501,
       500},
      // New numbers that equal later old numbers are not renumbered twice.
      {"overlapping", {1, 2}, 2, {2, 3, 2, 10, 11, 10, 12, 10, none, 0, 0}, 3, 2},
      {"an empty range", {20, 30}, 1, {1, 2, 1, 10, 11, 10, 12, 10, none, 0, 0}, 2, 1},
      {"a negative range", {-5, -1}, 1, {1, 2, 1, 10, 11, 10, 12, 10, none, 0, 0}, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sheet.Rows() = book;
    EXPECT_EQ(Run(kCmdRenumber, c.range, c.first), 0);
    EXPECT_EQ(Points(), c.points);
    EXPECT_EQ(BacksightNumber(sheet.Rows()[2]), c.backsight2);
    EXPECT_EQ(BacksightNumber(sheet.Rows()[5]), c.backsight5);
  }
}

TEST_F(StadiaCommandsTest, AppendReplacesTheRowsWithTheChosenFile) {
  ScratchFolder folder;
  ASSERT_TRUE(folder.Ok());
  Stadia other(context.ctx);
  other.Rows() = {MakeRow(kStadiaStn, 41), MakeRow(kStadiaSdHt, 42)};
  const std::string path = folder.File("stad2.job7");
  other.SaveToFile(path);

  sheet.Rows() = {MakeRow(kStadiaStn, 1)};
  context.app.flags.Set(SheetType::Stadia);
  EXPECT_EQ(Run(kCmdAppendSheet), 0);  // cancelled
  EXPECT_EQ(Points(), std::vector<std::uint32_t>{1});

  context.chooser.answer = SheetChoice{SheetType::Stadia, path};
  EXPECT_EQ(Run(kCmdAppendSheet), 1);
  EXPECT_EQ(Points(), (std::vector<std::uint32_t>{41, 42}));
  EXPECT_EQ(context.chooser.offeredTypes.back(), SheetType::Stadia);
  EXPECT_EQ(context.app.job.job, "job7");
}

TEST_F(StadiaCommandsTest, OtherCodesDoNothing) {
  sheet.Rows() = {MakeRow(kStadiaSdHt, 1)};
  for (const int code : {0, 4, 6, 10, 12, 27, 28, 50, 99, -3}) {
    EXPECT_EQ(Run(code), 0) << code;
  }
  ASSERT_EQ(sheet.Rows().size(), 1u);
  ExpectSameRow(sheet.Rows()[0], MakeRow(kStadiaSdHt, 1), "unchanged");
}

}  // namespace
}  // namespace kestrel::testing
