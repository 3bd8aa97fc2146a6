// The level sheet: carried defaults, cells, the Enter key, the listing and
// the host records (renumbering is checked through kestrel-cli's sessions).
#include "level_test_support.h"
#include "sheets/level/level_sheet_listing.h"

namespace kestrel::testing {
namespace {

LevelSheetRow Point(std::int32_t point, double chainage, double offset, double level,
                    std::string code = "") {
  LevelSheetRow r;
  r.point = point;
  r.values = {chainage, offset, level};
  r.code = std::move(code);
  return r;
}

LevelSheetRow Note(std::string note) {
  LevelSheetRow r;
  r.type = kLevelSheetFnote;
  r.note = std::move(note);
  return r;
}

struct LevelSheetTest : LevelTest {
  LevelSheet sheet{t.ctx};
};

TEST_F(LevelSheetTest, LastRowCarriesThePointAbove) {
  sheet.Rows() = {Note("rd 1"), Point(12, 100.0, -3.0, 50.0, "KB"), Note("kerb")};
  sheet.ParseCell(0, 3, Typed("   13"));  // the row after the last: appended, then entered
  const auto shown = [&] {
    std::string cells;
    for (int c = 0; c < LevelSheet::kColumns; ++c) cells += Shown(sheet, c, 3) + "|";
    return cells;
  };
  // An offer is kept by entering its cell as shown: the chainage at once, the
  // code once the level's cell is passed.
  sheet.ParseCell(1, 3, Typed(Shown(sheet, 1, 3)));
  EXPECT_EQ(shown(), "      13| 100.000||||");
  sheet.ParseCell(3, 3, Typed(Shown(sheet, 3, 3)));
  sheet.ParseCell(4, 3, Typed(Shown(sheet, 4, 3)));
  EXPECT_EQ(shown(), "      13| 100.000|||KB|");
  EXPECT_EQ(std::tie(sheet.Rows()[3].point, sheet.Rows()[3].code),
            std::make_tuple(13, std::string("KB")));
}

TEST_F(LevelSheetTest, CellsAndEntries) {
  sheet.Rows() = {Note("rd 1"), Point(0, kLevelNewValue, 1.5, 20.0)};
  sheet.ParseCell(2, 1, Typed(""));      // cleared: blank
  sheet.ParseCell(3, 1, Typed("1e40"));  // too large to keep: blank
  EXPECT_EQ(sheet.Rows()[1].Value(kSheetOffset), kLevelClearedValue);
  EXPECT_EQ(sheet.Rows()[1].Value(kSheetRl), kLevelClearedValue);
  sheet.ParseCell(1, 1, Typed("25.5"));
  struct Case {
    int column, row;
    std::string text;
  } cases[] = {{0, 0, "rd 1"}, {0, 1, ""}, {1, 1, "  25.500"}, {3, 1, ""}, {-1, 1, "2"}};
  for (const Case& c : cases) EXPECT_EQ(Shown(sheet, c.column, c.row), c.text) << c.column;

  // Nothing is entered before start-up is complete, nor into an empty sheet.
  t.app.startupComplete = false;
  sheet.ParseCell(1, 1, Typed("1"));
  EXPECT_EQ(sheet.Rows()[1].Value(kSheetChainage), 25.5);
  t.app.startupComplete = true;
  LevelSheet empty(t.ctx);
  empty.ParseCell(0, 0, Typed("1"));
  EXPECT_EQ(empty.RowCount(), 0);
}

TEST_F(LevelSheetTest, EnterMovesAlongTheRow) {
  sheet.Rows() = {Note("rd 1"), Point(1, 0, 0, 0)};
  struct Case {
    int column, row, toColumn, toRow;
  } cases[] = {{0, 0, 0, 1}, {3, 1, 4, 1}, {4, 1, 0, 2}};
  for (const Case& c : cases) {
    int column = c.column, row = c.row;
    EXPECT_EQ(sheet.GridOption(2, column, row), 0);
    EXPECT_EQ(std::make_pair(column, row), std::make_pair(c.toColumn, c.toRow));
  }
  int column = 0, row = 2;
  EXPECT_EQ(sheet.GridOption(2, column, row), 1);
}

TEST_F(LevelSheetTest, ListingLines) {
  struct Case {
    LevelSheetRow row;
    std::optional<std::string> line;
  } cases[] = {
      {Note("rd 4"), "Fnote  rd 4"},
      {Point(12, 100.0, kLevelNewValue, 50.25, "KB"),
       "      12       100.000         0.000        50.250        KB"},
      {Point(13, 110.0, -2.5, kLevelClearedValue, "TOE"),
       "      13       110.000        -2.500          NULL       TOE"},
      {Point(14, kLevelNewValue, 1.0, 2.0), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(LevelSheetRowLine(c.row, 0), c.line);
}

TEST_F(LevelSheetTest, OnlyCompletePointsGoToTheHost) {
  sheet.Rows() = {Note("rd 3"),
                  Point(12, 100.0, 2.0, 50.25, "KB"),
                  Point(13, 110.0, 2.0, kLevelClearedValue),  // no level
                  Point(0, 120.0, 2.0, 51.0),                 // no number
                  Note("rd 4"),
                  Point(14, 130.0, -1.0, 52.0),
                  Point(15, 140.0, 0.0, 53.0)};
  PointRecord p;
  ASSERT_EQ(sheet.Command(kCmdFirstPoint, &p), 0);
  EXPECT_EQ(std::tie(p.point, p.road, p.east, p.north, p.chainage, p.offset, p.code),
            std::make_tuple(12, 3, 100.0, -2.0, 100.0, 2.0, std::string("KB")));
  ASSERT_EQ(sheet.Command(kCmdNextPoint, &p), 0);
  EXPECT_EQ(std::tie(p.point, p.road, p.north), std::make_tuple(14, 4, 1.0));
  EXPECT_EQ(sheet.Command(kCmdNextPoint, &p), -1);  // point 15 is the last row
}

}  // namespace
}  // namespace kestrel::testing
