// The Stadia sheet's commands: default types, type cycling, finding,
// replacing codes, the points the set-ups need, host points, renumbering and
// appending another sheet file.
#include <string>
#include <vector>

#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

class StadiaCommandsTest : public StadiaTest {
 protected:
  int Run(int code, CommandArg p1 = {}, CommandArg p2 = {}) { return sheet.Command(code, p1, p2); }
  // The rows' points, each set-up's followed by its backsight.
  std::vector<std::uint32_t> Points() const {
    std::vector<std::uint32_t> points;
    for (const StadiaRow& r : sheet.Rows()) {
      points.push_back(r.point);
      if (r.type == kStadiaAtBs) points.push_back(BacksightNumber(r));
    }
    return points;
  }
};

TEST_F(StadiaCommandsTest, RowTypesFromTheDefaultAndFromCycling) {
  sheet.Rows() = {Row(0, 1), Row(0, 2)};
  Run(kCmdSetDefaultType, std::int64_t{kStadiaHzDh});
  Run(kCmdApplyDefaultType, std::int64_t{2}, std::int64_t{0});  // not the type column
  Run(kCmdApplyDefaultType, std::int64_t{0}, std::int64_t{5});  // outside the sheet
  Run(kCmdApplyDefaultType, std::int64_t{0}, std::int64_t{1});
  EXPECT_EQ(std::tie(sheet.Rows()[0].type, sheet.Rows()[1].type),
            std::make_tuple(std::int8_t{kStadiaStn}, std::int8_t{kStadiaHzDh}));

  // Type, key, presses, type afterwards, result.
  const std::tuple<int, CommandArg, int, int, int> cases[] = {
      {kStadiaStn, std::int64_t{'+'}, 3, kStadiaSdHt, 0},
      {kStadiaChk, std::string("+"), 1, kStadiaStn, 0},  // wraps round
      {kStadiaStn, std::int64_t{'-'}, 1, kStadiaChk, 0},
      {kStadiaSdHt, std::int64_t{'x'}, 1, kStadiaSdHt, 1}};
  for (const auto& [type, key, presses, expected, expectedResult] : cases) {
    sheet.Rows() = {Row(type, 1)};
    int result = -1;
    for (int i = 0; i < presses; ++i) result = Run(kCmdCycleType, std::int64_t{0}, key);
    EXPECT_EQ(std::tie(sheet.Rows()[0].type, result),
              std::make_tuple(static_cast<std::int8_t>(expected), expectedResult));
  }
  EXPECT_EQ(Run(kCmdCycleType, std::int64_t{1}, std::int64_t{'+'}), 1);  // past the end
}

TEST_F(StadiaCommandsTest, FindingPointsSetupsAndCodes) {
  const StadiaRow tree = Shot(kStadiaSdHt, 7, E, E, E, E, "TREE");
  sheet.Rows() = {Row(kStadiaFnote, 7),  // notes are never found by number
                  AtBs(1, 2),           tree, Shot(kStadiaHdRl, 8, E, E, E, E, "FENCE"),
                  AtBs(7, 1),           tree};
  const std::tuple<int, CommandArg, CommandArg, int> cases[] = {
      {kCmdFindPoint, std::int64_t{7}, {}, 2},
      {kCmdFindPoint, std::int64_t{-1}, {}, -1},
      {kCmdFindSetup, std::int64_t{2}, {}, 4},
      {kCmdFindCode, std::int64_t{3}, std::string("TREE"), 5},
      {kCmdFindCode, std::int64_t{0}, std::string("tree"), -1}};
  for (const auto& [code, p1, p2, expected] : cases) EXPECT_EQ(Run(code, p1, p2), expected) << code;

  Run(kCmdReplaceCode, std::string("TREE"), std::string("OAK"));
  EXPECT_EQ(sheet.Rows()[2].code + sheet.Rows()[3].code + sheet.Rows()[5].code, "OAKFENCEOAK");
}

TEST_F(StadiaCommandsTest, SetupsNeedThePointsNoStationSupplies) {
  // Station 2 is at zero and so supplies nothing; the set-up on 6 has no backsight.
  sheet.Rows() = {Stn(1, 100.0, 200.0, 30.0),
                  Stn(2, 0.0, 0.00005, -0.00005),
                  AtBs(1, 2),
                  AtBs(3, 4),
                  AtBs(2, 1),
                  AtBs(3, 5),
                  Row(kStadiaAtBs, 6)};
  EXPECT_EQ(Run(kCmdCollectMissing), 5);
  std::vector<std::uint32_t> handed;
  std::uint32_t number = 99;
  while (Run(kCmdNextMissing, &number) == 1) handed.push_back(number);
  EXPECT_EQ(number, 0u);
  // Instrument points first, then backsights, each once, in row order.
  EXPECT_EQ(handed, (std::vector<std::uint32_t>{3, 2, 6, 4, 5}));
}

TEST_F(StadiaCommandsTest, HostPointBecomesAStationRowAtTheTop) {
  sheet.Rows() = {Row(kStadiaSdHt, 5)};
  // Name, number, east, north, height, code, description.
  const PointRecord record{"0", 77, 1500.25, 2500.5, 30.125f, "CP", "control pin"};
  EXPECT_EQ(Run(kCmdInsertHostPoint, std::int64_t{0}, &record), 0);
  ASSERT_EQ(sheet.Rows().size(), 2u);
  EXPECT_EQ(Fields(sheet.Rows()[0]),
            Fields(Rec(0, 77, {E, E, E, E, E, 1500.25, 2500.5, 30.125}, "CP", "control pin")));
}

TEST_F(StadiaCommandsTest, RenumberGivesNewNumbersToPointsAndTheirRepeats) {
  const std::vector<StadiaRow> book = {Row(0, 1),    Row(0, 2),  AtBs(1, 2), Row(3, 10), Row(3, 11),
                                       AtBs(10, 12),  // sighted before 12 appears
                                       Row(3, 12),   Row(6, 10), Note(""),   Row(3, 0),  Row(3, 0)};
  const std::uint32_t none = kNoPoint;
  const std::tuple<NumberRange, std::int64_t, std::vector<std::uint32_t>> cases[] = {
      {{10, 12}, 100, {1, 2, 1, 2, 100, 101, 100, 12, 102, 100, none, 0, 0}},
      // "All": every number, and the unnumbered rows (0) each their own.
      {{-10000000, 100000000},
       500,
       {500, 501, 500, 501, 502, 503, 502, 12, 504, 502, none, 505, 506}},
      // New numbers that equal later old numbers are not renumbered again.
      {{1, 2}, 2, {2, 3, 2, 3, 10, 11, 10, 12, 12, 10, none, 0, 0}}};
  for (const auto& [range, first, points] : cases) {
    sheet.Rows() = book;
    EXPECT_EQ(Run(kCmdRenumber, range, first), 0);
    EXPECT_EQ(Points(), points) << range.first;
  }
}

TEST_F(StadiaCommandsTest, AppendReplacesTheRowsWithTheChosenFile) {
  const std::string path = folder.File("stad2.job7");
  sheet.Rows() = {Row(0, 41), Row(kStadiaSdHt, 42)};
  sheet.SaveToFile(path);

  sheet.Rows() = {Row(0, 1)};
  context.app.flags.Set(SheetType::Stadia);
  EXPECT_EQ(Run(kCmdAppendSheet), 0);  // cancelled
  EXPECT_EQ(Points(), std::vector<std::uint32_t>{1});
  context.chooser.answer = SheetChoice{SheetType::Stadia, path};
  EXPECT_EQ(Run(kCmdAppendSheet), 1);
  EXPECT_EQ(Points(), (std::vector<std::uint32_t>{41, 42}));
  EXPECT_EQ(context.app.job.job, "job7");
}

}  // namespace
}  // namespace kestrel::testing
