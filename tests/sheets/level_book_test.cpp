// The level book: published books reduced as they are typed (Enter out of IM
// or FS reduces a row) and by Calculate, the arithmetic check, cells, the
// limit and the host records.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "level_test_support.h"
#include "platform/number_text.h"
#include "sheets/level/level_book_listing.h"

namespace kestrel::testing {
namespace {

// A level book case file: "start" and "row" lines (BS IM FS chainage and the
// expected level, "-" blank), a tolerance and the expected check sums.
struct BookCase {
  struct Row {
    std::string bs, im, fs, chainage;
    double level = 0.0;
  };
  std::vector<Row> rows;
  double tolerance = 0.0005;
  double sumBs = 0.0, sumFs = 0.0, difference = 0.0;
};

BookCase ReadCase(const std::filesystem::path& path) {
  BookCase c;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string key;
    if (!(words >> key) || key[0] == '#') continue;
    if (key == "tolerance") {
      words >> c.tolerance;
    } else if (key == "check") {
      words >> c.sumBs >> c.sumFs >> c.difference;
    } else {
      BookCase::Row r;
      words >> r.bs >> r.im >> r.fs >> r.chainage >> r.level;
      for (std::string* s : {&r.bs, &r.im, &r.fs, &r.chainage}) {
        if (*s == "-") s->clear();
      }
      c.rows.push_back(r);
    }
  }
  return c;
}

std::vector<std::filesystem::path> CaseFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(KESTREL_TEST_DATA_DIR)) {
    if (entry.path().filename().string().starts_with("level_book_")) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct LevelBookTest : LevelTest {
  LevelBook book{t.ctx};

  // Types a value and presses Enter, as the user does; returns the next cell.
  std::pair<int, int> TypeAndEnter(int column, int row, const std::string& text) {
    book.ParseCell(column, row, Typed(text));
    int c = column, r = row;
    book.GridOption(2, c, r);
    return {c, r};
  }

  // Row 0 takes the backsight and the starting level; every later row its
  // readings, leaving by Enter out of IM or FS, which reduces it.
  void TypeBook(const BookCase& c) {
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      const BookCase::Row& r = c.rows[i];
      const int row = static_cast<int>(i);
      if (!r.bs.empty()) TypeAndEnter(0, row, r.bs);
      if (i == 0) book.ParseCell(3, 0, Typed(Sprintf("%.3f", r.level)));
      if (!r.chainage.empty()) book.ParseCell(4, row, Typed(r.chainage));
      if (!r.im.empty()) TypeAndEnter(1, row, r.im);
      if (!r.fs.empty()) TypeAndEnter(2, row, r.fs);
    }
  }

  void ExpectLevels(const BookCase& c, const std::string& how) {
    ASSERT_EQ(book.Rows().size(), c.rows.size()) << how;
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      EXPECT_NEAR(book.Rows()[i].Value(kLevelRl), c.rows[i].level, c.tolerance)
          << how << ", row " << i + 1;
    }
  }
};

TEST_F(LevelBookTest, PublishedBooksReduceAsTypedAndByCalculate) {
  const auto files = CaseFiles();
  ASSERT_GE(files.size(), 2u);
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    const BookCase c = ReadCase(file);
    book.Rows().clear();
    TypeBook(c);
    ExpectLevels(c, "typed");

    // Calculate re-reduces from the top, so levels left wrong are put right.
    for (std::size_t i = 1; i < book.Rows().size(); ++i) book.Rows()[i].SetValue(kLevelRl, 7.0);
    book.Command(kCmdCalculate);
    ExpectLevels(c, "calculated");

    const auto lines = LevelBookCheckLines(book.Rows());
    EXPECT_NE(std::find(lines.begin(), lines.end(), Sprintf("Sum of BS          %12.3f", c.sumBs)),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), Sprintf("Sum of FS          %12.3f", c.sumFs)),
              lines.end());
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), Sprintf("Last RL - First RL %12.3f", c.difference)),
        lines.end());
    EXPECT_EQ(lines.back(), "Check OK");
  }
}

TEST_F(LevelBookTest, EditedBacksightLeavesStaleLevelsUntilCalculate) {
  // BS 1.500 on 100.000, IM 1.200 gives 100.300, FS 2.000 gives 99.500.
  TypeBook(BookCase{
      .rows = {{"1.500", "", "", "", 100.0}, {"", "1.200", "", "", 0}, {"", "", "2.000", "", 0}}});
  EXPECT_NEAR(book.Rows()[1].Value(kLevelRl), 100.300, 1e-4);
  EXPECT_NEAR(book.Rows()[2].Value(kLevelRl), 99.500, 1e-4);

  // The backsight rebooked as 1.700: Enter out of BS reduces nothing, and the
  // check finds the stale levels (-0.300 booked against -0.500 reduced).
  TypeAndEnter(0, 0, "1.700");
  EXPECT_EQ(LevelBookCheckLines(book.Rows()).back(), "Check fails by 0.200");
  book.Command(kCmdCalculate);
  EXPECT_NEAR(book.Rows()[1].Value(kLevelRl), 100.500, 1e-4);
  EXPECT_NEAR(book.Rows()[2].Value(kLevelRl), 99.700, 1e-4);
  EXPECT_EQ(LevelBookCheckLines(book.Rows()).back(), "Check OK");
}

TEST_F(LevelBookTest, LevelsBeyondTheLimitAreStoredAsZeroAndMarked) {
  struct Case {
    std::string startLevel, fs;
    double expected;
    bool marked;
  } cases[] = {
      {"", "1.000", 0.0, true},            // no level above
      {"99999.000", "-2.000", 0.0, true},  // 100001.500
      {"99999.000", "0.000", 99999.5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.startLevel + " " + c.fs);
    book.Rows().clear();
    book.ParseCell(0, 0, Typed("0.5"));
    if (!c.startLevel.empty()) book.ParseCell(3, 0, Typed(c.startLevel));
    TypeAndEnter(2, 1, c.fs);
    EXPECT_EQ(book.Rows()[1].Value(kLevelRl), c.expected);
    const std::string line = LevelBookRowLine(book.Rows(), 1, 0);
    EXPECT_EQ(line.find("beyond 100000") != std::string::npos, c.marked) << line;
  }
}

TEST_F(LevelBookTest, CellsShowReadingsLevelsAndCentreLine) {
  book.Rows() = {BookRow({1.5f, kNew, 2.0f, 100.25f, 20.0f, 0.0004f}, "peg"),
                 BookRow({1.5f, kNew, 2.0f, 100.25f, 20.0f, -3.2f}, "peg"),
                 BookRow({kNew, kNew, kNew, kNew, kNew, kNew}, "", "rd 4")};
  book.AppendRow();
  book.ParseCell(3, 3, Typed("5"));  // the row being typed: RL entered, chainage not

  struct Case {
    int column, row;
    std::string text;
  } cases[] = {
      {0, 0, "   1.500"}, {1, 0, ""}, {5, 0, "CL"}, {5, 1, "  -3.200"}, {0, 2, "rd 4"},
      {3, 3, "   5.000"}, {4, 3, ""}, {-1, 2, "3"}, {0, 9, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Shown(book, c.column, c.row), c.text) << c.column << "," << c.row;
  }

  // A cleared offset goes to the centre line.
  book.ParseCell(5, 1, Typed(""));
  EXPECT_EQ(Shown(book, 5, 1), "CL");
  // Text that is no number reads as 0; a number too large for the file is blank.
  book.ParseCell(0, 1, Typed("abc"));
  book.ParseCell(2, 1, Typed("1e39"));
  EXPECT_EQ(Shown(book, 0, 1), "   0.000");
  EXPECT_EQ(Shown(book, 2, 1), "");
  EXPECT_TRUE(std::isfinite(book.Rows()[1].Value(kLevelFs)));
}

TEST_F(LevelBookTest, PointRecordsCarryRoadAndChainage) {
  book.Rows() = {BookRow({kNew, kNew, kNew, kNew, kNew, kNew}, "", "rd 12"),
                 BookRow({kNew, kNew, kNew, 50.5f, 10.0f, 2.0f}, "TOE"),
                 BookRow({kNew, kNew, kNew, 51.0f, kNew, -1.0f}), LevelBookRow{}};

  PointRecord p;
  ASSERT_EQ(book.Command(kCmdFirstPoint, &p), 0);
  EXPECT_EQ(std::tie(p.point, p.road, p.east, p.north, p.chainage, p.offset, p.code),
            std::make_tuple(1, 12, 10.0, -2.0, 10.0, 2.0, std::string("TOE")));
  ASSERT_EQ(book.Command(kCmdNextPoint, &p), 0);  // the chainage carried down
  EXPECT_EQ(std::tie(p.point, p.north, p.chainage), std::make_tuple(2, 1.0, 10.0));
  EXPECT_EQ(book.Command(kCmdNextPoint, &p), -1);  // the blank entry row
}

}  // namespace
}  // namespace kestrel::testing
