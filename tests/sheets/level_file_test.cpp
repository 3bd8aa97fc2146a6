// Level book and level sheet files: exact bytes, both sheet forms, the CSV
// form, and damaged or truncated files.
#include <cmath>
#include <limits>

#include "level_test_support.h"
#include "sheets/level/level_book_file.h"
#include "sheets/level/level_sheet_file.h"

namespace kestrel::testing {
namespace {

auto Fields(const LevelBookRow& r) {
  return std::make_tuple(int{r.type}, std::bit_cast<std::array<std::uint32_t, 6>>(r.values),
                         r.comment, r.note);
}

auto Fields(const LevelSheetRow& r) {
  return std::make_tuple(r.type, r.point, r.values, r.code, r.note);
}

template <typename Row>
void ExpectRows(const std::vector<Row>& actual, const std::vector<Row>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(Fields(actual[i]), Fields(expected[i])) << "row " << i + 1;
  }
}

const std::vector<LevelBookRow> kBook = {
    BookRow({1.5f, kNew, kNew, 100.0f, 0.0f, 0.0f}, "BM 7"),
    BookRow({kNew, kNew, kNew, kNew, kNew, kNew}, "", "rd 2"),
    BookRow({0.835f, kNew, 3.54f, 75.565f, 240.0f, -2.25f}, "peg, \"old\"\nline"),
};

struct LevelFileTest : LevelTest {
  LevelBook book{t.ctx};
  LevelSheet sheet{t.ctx};
};

TEST_F(LevelFileTest, LevelBookRecordBytes) {
  book.Rows() = {kBook[0], kBook[1]};
  const std::string path = folder.File("lvlbk1.tst");
  ASSERT_EQ(book.SaveToFile(path), 1);
  LeBytes expected;
  expected.F32(1.5f).F32(kNew).F32(kNew).F32(100.0f).F32(0.0f).F32(0.0f).Raw(
      std::string("BM 7\0\0", 6));
  for (int i = 0; i < 6; ++i) expected.F32(kNew);
  expected.Raw(std::string("\0rd 2\0", 6));
  EXPECT_EQ(ScratchFolder::Read(path), expected.s);
}

TEST_F(LevelFileTest, LevelBookLoadsWholeRecordsOfDamagedFiles) {
  // Trailing blanks go; a row with a note is a field note; a number that is
  // not finite reads as blank.
  LeBytes file;
  file.F32(1.0f)
      .F32(std::numeric_limits<float>::quiet_NaN())
      .F32(2.0f)
      .F32(std::numeric_limits<float>::infinity())
      .F32(3.0f)
      .F32(4.0f)
      .Raw(std::string("a  \0\0", 5));
  for (int i = 0; i < 6; ++i) file.F32(0.0f);
  file.Raw(std::string("x\0rd 9 \0", 8));
  const std::vector<LevelBookRow> whole = {BookRow({1.0f, kNew, 2.0f, kNew, 3.0f, 4.0f}, "a"),
                                           BookRow({0, 0, 0, 0, 0, 0}, "x", "rd 9")};
  const std::size_t firstEnd = 29;
  for (std::size_t cut = 0; cut <= file.s.size(); ++cut) {
    SCOPED_TRACE(cut);
    ASSERT_EQ(book.LoadFromFile(folder.Write("lvlbk1.tst", file.s.substr(0, cut))), 1);
    const std::size_t rows = cut == file.s.size() ? 2 : cut >= firstEnd ? 1 : 0;
    ExpectRows(book.Rows(), std::vector<LevelBookRow>(whole.begin(), whole.begin() + rows));
  }
  // A new sheet file holds "empty", which is no row.
  ASSERT_EQ(book.LoadFromFile(folder.Write("lvlbk2.tst", "empty")), 1);
  EXPECT_TRUE(book.Rows().empty());
}

TEST_F(LevelFileTest, LevelBookCsvIsOneQuotedLinePerRowAndReadsBack) {
  book.Rows() = kBook;
  const std::string path = folder.File("levels.CSV");
  ASSERT_EQ(book.SaveToFile(path), 1);
  EXPECT_EQ(ScratchFolder::Read(path),
            "Note,BS,IM,FS,RL,Chainage,Offset,Comments\r\n"
            ",1.5,,,100,0,0,BM 7\r\n"
            "rd 2,,,,,,,\r\n"
            ",0.835,,3.54,75.565,240,-2.25,\"peg, \"\"old\"\"\nline\"\r\n");
  LevelBook reread(t.ctx);
  ASSERT_EQ(reread.LoadFromFile(path), 1);
  ExpectRows(reread.Rows(), kBook);
}

TEST_F(LevelFileTest, LevelBookCsvOfOtherHandsReadsSafely) {
  struct Case {
    std::string text;
    std::vector<LevelBookRow> rows;
  } cases[] = {
      // No header, LF line ends, missing fields, texts that are no numbers,
      // a value too large to keep.
      {"x,1\n,abc,2,1e40\n",
       {BookRow({1, kNew, kNew, kNew, kNew, kNew}, "", "x"),
        BookRow({kNew, 2, kNew, kNew, kNew, kNew})}},
      // A quote left open runs to the end of the file.
      {",1,,,,,,\"open\r\n,2", {BookRow({1, kNew, kNew, kNew, kNew, kNew}, "open\r\n,2")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(book.LoadFromFile(folder.Write("in.csv", c.text)), 1);
    ExpectRows(book.Rows(), c.rows);
  }
}

LevelSheetRow SheetRow(std::int32_t point, std::array<double, 3> values, std::string code = "") {
  LevelSheetRow r;
  r.point = point;
  r.values = values;
  r.code = std::move(code);
  return r;
}

LevelSheetRow RoadNote(const std::string& note) {
  LevelSheetRow r;
  r.type = kLevelSheetFnote;
  r.point = 0;
  r.values = {0.0, 0.0, 0.0};
  r.note = note;
  return r;
}

TEST_F(LevelFileTest, LevelSheetVersion3BytesAndRoadNote) {
  sheet.Rows() = {RoadNote("rd 7"), SheetRow(12, {100.0, -2.5, 50.25}, "KERBLINE1"),
                  SheetRow(13, {kLevelNewValue, 1.0, 1e300}, "K")};
  const std::string path = folder.File("lvl2sh1.tst");
  ASSERT_EQ(sheet.SaveToFile(path), 1);
  LeBytes expected;
  expected.Le(7, 2).Le(12, 4).F32(100.0f).F32(-2.5f).F32(50.25f).Raw(std::string("KERBLINE\0", 9));
  expected.Le(13, 4).F32(kNew).F32(1.0f).F32(-kNew).Raw(std::string("K\0\0\0\0\0\0\0\0", 9));
  EXPECT_EQ(ScratchFolder::Read(path), expected.s);

  ASSERT_EQ(sheet.LoadFromFile(path), 1);
  ExpectRows(sheet.Rows(), {RoadNote("rd 7"), SheetRow(12, {100.0, -2.5, 50.25}, "KERBLINE"),
                            SheetRow(13, {kNew, 1.0, -kNew}, "K")});
  for (std::size_t cut = 2; cut < expected.s.size(); ++cut) {
    ASSERT_EQ(sheet.LoadFromFile(folder.Write("lvl2sh2.tst", expected.s.substr(0, cut))), 1);
    // Two rows or more are read as they are; fewer start a new road.
    EXPECT_EQ(sheet.Rows().size(), cut < 27 ? 3u : cut < 52 ? 2u : 3u) << cut;
  }
}

TEST_F(LevelFileTest, LevelSheetOlderFormBytesAndCountedTexts) {
  const std::string longCode(300, 'c');
  sheet.Rows() = {RoadNote("rd 3"), SheetRow(5, {10.0, kLevelClearedValue, 1.5}, longCode)};
  const std::string path = folder.File("lvlsh1.tst");
  ASSERT_EQ(sheet.SaveToFile(path), 1);
  LeBytes expected;
  expected.Le(1, 4).Le(0, 4).F64(0.0).F64(0.0).F64(0.0).Raw(std::string("\0\x04rd 3", 6));
  expected.Le(0, 4).Le(5, 4).F64(10.0).F64(kLevelClearedValue).F64(1.5);
  expected.Raw("\xFF").Le(300, 2).Raw(longCode).Raw(std::string(1, '\0'));
  EXPECT_EQ(ScratchFolder::Read(path), expected.s);
  ASSERT_EQ(sheet.LoadFromFile(path), 1);
  ExpectRows(sheet.Rows(),
             {RoadNote("rd 3"), SheetRow(5, {10.0, kLevelClearedValue, 1.5}, longCode)});

  // Cut inside each field of the second record: the first row alone starts a
  // road.
  for (std::size_t cut : {38u, 70u, 73u, 373u}) {
    ASSERT_EQ(sheet.LoadFromFile(folder.Write("lvlsh2.tst", expected.s.substr(0, cut))), 1);
    ASSERT_EQ(sheet.Rows().size(), 3u) << cut;
    EXPECT_EQ(sheet.Rows()[1].note, "rd 0");
  }
}

TEST_F(LevelFileTest, NewLevelSheetAsksForItsRoadOnce) {
  t.dialogs.integerAnswer = 7;
  ASSERT_EQ(sheet.LoadFromFile(folder.Write("lvlsh4.tst", "empty")), 1);
  EXPECT_EQ(t.dialogs.integerPrompts,
            std::vector<std::string>{"Enter Road Number for Level Sheet Entries"});
  ExpectRows(sheet.Rows(), {RoadNote("rd 7"), SheetRow(1, {kNew, kNew, kNew})});
}

}  // namespace
}  // namespace kestrel::testing
