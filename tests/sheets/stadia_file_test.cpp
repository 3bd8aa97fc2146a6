// The Stadia sheet file: exact bytes, the older layout, damaged files.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/archive.h"
#include "sheet_test_context.h"
#include "sheets/stadia/stadia.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

constexpr double E = kEmptyValue;

// Little-endian bytes written by hand, field by field.
struct Bytes {
  std::string s;
  Bytes& Le(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  Bytes& F32(float v) { return Le(std::bit_cast<std::uint32_t>(v), 4); }
  Bytes& F64(double v) { return Le(Bits(v), 8); }
  Bytes& Text(const std::string& t) {
    s += t + '\0';
    return *this;
  }
};

const std::string kHeader =
    std::string("\x02", 1) + std::string(42, '\0') + "" + '\0' + "" + '\0' + "Version 2" + '\0';

std::string Record(const StadiaRow& r) {
  Bytes b;
  b.Le(static_cast<std::uint8_t>(r.type), 1).Le(r.point, 4);
  for (double v : {r.hz, r.obs2, r.spare, r.dist, r.targetHt, r.east, r.north, r.height}) b.F64(v);
  return b.Text(r.code).Text(r.comment).Text(r.note).s;
}

// A row of each type as a surveyor books it.
const std::vector<StadiaRow> kBook = {
    {.type = 0,
     .point = 1,
     .east = 1000.0,
     .north = 2000.0,
     .height = 50.5,
     .code = "CP",
     .comment = "pin"},
    // Backsight 2 in bytes 13-16, and whatever bytes 17-20 held.
    {.type = 1,
     .point = 1,
     .hz = 0.0,
     .obs2 = std::bit_cast<double>(0x4433221100000002ull),
     .dist = 1.55,
     .east = 1000.0,
     .note = "v0ha"},
    {.type = 2, .note = "null"},
    {.type = 3,
     .point = 100,
     .hz = 45.3015,
     .obs2 = 90.152,
     .dist = 25.123,
     .targetHt = 1.6,
     .east = 1017.8,
     .north = 2017.7,
     .height = 50.3,
     .code = "TREE",
     .comment = std::string("\xB0 \x80", 3)},
    {.type = 4, .point = 101, .hz = 120.0, .obs2 = -0.35, .dist = 14.2, .targetHt = 1.5},
    {.type = 5, .point = 102, .hz = 200.3, .dist = 30.0, .height = 48.25, .comment = "kerb"},
    {.type = 6, .point = 1, .hz = 0.0005, .obs2 = 89.5959, .spare = -7.0, .dist = 0.5},
};

class StadiaFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.Ok()); }
  int Load(const std::string& bytes) { return sheet.LoadFromFile(folder.Write("in.tst", bytes)); }
  std::string Save() {
    sheet.SaveToFile(folder.File("out.tst"));
    return ScratchFolder::Read(folder.File("out.tst"));
  }
  void ExpectRows(const std::vector<StadiaRow>& expected) {
    ASSERT_EQ(sheet.Rows().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(Fields(sheet.Rows()[i]), Fields(expected[i])) << "row " << i;
    }
  }

  ScratchFolder folder;
  SheetTestContext context;
  Stadia sheet{context.ctx};
};

TEST_F(StadiaFileTest, EveryRowTypeReadsAndWritesByteForByte) {
  EXPECT_EQ(kHeader.size(), 55u);
  EXPECT_EQ(Save(), kHeader);  // an empty sheet is the header record alone

  std::string file = kHeader;
  for (const StadiaRow& row : kBook) file += Record(row);
  ASSERT_EQ(Load(file), 1);
  ExpectRows(kBook);
  EXPECT_EQ(BacksightNumber(sheet.Rows()[1]), 2u);
  EXPECT_TRUE(sheet.EntryFlag(1));  // loaded rows are complete: no suggestions
  EXPECT_EQ(Save(), file);
  EXPECT_EQ(sheet.DocumentPath(), folder.File("out.tst"));
}

TEST_F(StadiaFileTest, TypedBacksightIsUnsigned32BitsAtOffset13) {
  sheet.Rows() = {{.type = kStadiaAtBs}};
  CellValue typed;
  typed.text = "12";
  sheet.ParseCell(3, 0, typed);
  const std::string record = Save().substr(55);
  EXPECT_EQ(record.substr(0, 5), "\x01\xFF\xFF\xFF\xFF");
  // Bytes 17 to 20 stay as the blank row held them.
  EXPECT_EQ(record.substr(13, 8), std::string("\x0C\0\0\0\xF5\x6B\x0C\x43", 8));
}

TEST_F(StadiaFileTest, OlderFilesAreWidenedRowByRow) {
  // 43-byte rows: 16-bit point numbers, single precision but for east and
  // north; an AT/BS row's backsight is the observation's first two bytes.
  auto old = [](int type, std::uint16_t point, float hz, float obs2, float dist, double east,
                float height, const std::string& code) {
    Bytes b;
    b.Le(static_cast<std::uint8_t>(type), 1).Le(point, 2).F32(hz);
    if (type == 1)
      b.Le(300, 2).Le(0xBEEF, 2);
    else
      b.F32(obs2);
    return b.F32(1e15f)
        .F32(dist)
        .F32(1.6f)
        .F64(east)
        .F64(2.5)
        .F32(height)
        .Text(code)
        .Text("c")
        .Text("")
        .s;
  };
  std::string file;
  std::vector<StadiaRow> expected;
  for (int type = 0; type < kStadiaRowTypeCount; ++type) {
    file += old(type, 65000 + type, 45.3015f, 90.152f, 25.123f, 1.5, 50.1f, "T");
    StadiaRow row{.type = static_cast<std::int8_t>(type),
                  .point = 65000u + type,
                  .hz = double(45.3015f),
                  .obs2 = double(90.152f),
                  .dist = double(25.123f),
                  .targetHt = double(1.6f),
                  .east = 1.5,
                  .north = 2.5,
                  .height = double(50.1f),
                  .code = "T",
                  .comment = "c"};
    if (type == 1) {
      row.obs2 = E;
      SetBacksightNumber(row, 300);
    }
    expected.push_back(row);
  }
  ASSERT_EQ(Load(file), 1);
  ExpectRows(expected);
  EXPECT_EQ(BacksightNumber(sheet.Rows()[1]), 300u);
}

TEST_F(StadiaFileTest, TheFirstNoteDecidesTheLayout) {
  const std::string row = Record(kBook[3]);
  auto first = [](int type, char filler, const std::string& note) {
    return Bytes().Le(type, 1).s + std::string(42, filler) + '\0' + '\0' + note + '\0';
  };
  struct Case {
    std::string file;
    std::size_t rows;
    int firstType;
  } cases[] = {
      {first(2, 'Z', "Version 2") + row, 1, 3},  // bytes 1 to 42 carry nothing
      {first(2, 0, "old Version 2 book") + row, 1, 3},
      {first(2, 0, "Version 1"), 1, 2},  // any other note: an older file's row
      {first(3, 0, "Version 2"), 1, 3},
      {"empty", 0, 0},  // a new sheet file
      {"", 0, 0},
  };
  for (const Case& c : cases) {
    sheet.Rows().assign(3, StadiaRow{});
    ASSERT_EQ(Load(c.file), 1);
    ASSERT_EQ(sheet.Rows().size(), c.rows) << c.file;
    if (c.rows > 0) {
      EXPECT_EQ(sheet.Rows()[0].type, c.firstType) << c.file;
    }
  }
}

TEST_F(StadiaFileTest, EveryTruncationKeepsTheRowsWhoseFixedPartIsWhole) {
  std::string file = kHeader;
  std::vector<std::size_t> fixedEnds;
  for (const StadiaRow& row : {kBook[0], kBook[2], kBook[3]}) {
    fixedEnds.push_back(file.size() + 69);
    file += Record(row);
  }
  for (std::size_t cut = 0; cut <= file.size(); ++cut) {
    ASSERT_EQ(Load(file.substr(0, cut)), 1);
    std::size_t whole = 0;
    while (whole < fixedEnds.size() && fixedEnds[whole] <= cut) ++whole;
    ASSERT_EQ(sheet.Rows().size(), whole) << "cut at " << cut;
    // Fixed parts are exact; a text cut by the end of the file keeps its start.
    if (whole > 0) {
      StadiaRow expected = whole == 1 ? kBook[0] : whole == 2 ? kBook[2] : kBook[3];
      const StadiaRow& got = sheet.Rows().back();
      EXPECT_TRUE(expected.code.starts_with(got.code) &&
                  expected.comment.starts_with(got.comment) && expected.note.starts_with(got.note));
      expected.code = got.code, expected.comment = got.comment, expected.note = got.note;
      EXPECT_EQ(Fields(got), Fields(expected)) << "cut at " << cut;
    }
  }
}

TEST_F(StadiaFileTest, DamagedFilesLoadWithoutHarm) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 2000, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    if (round % 2 == 0) bytes = kHeader + bytes;  // read as current rows
    ASSERT_EQ(Load(bytes), 1);
    ASSERT_LE(sheet.Rows().size(), bytes.size() / 43 + 1);
    for (const StadiaRow& r : sheet.Rows()) {
      for (double v : {r.hz, r.obs2, r.spare, r.dist, r.targetHt, r.east, r.north, r.height}) {
        ASSERT_TRUE(std::isfinite(v)) << "round " << round;
      }
    }
  }
  // A text without its zero byte is kept only in part and ends the file.
  ASSERT_EQ(Load(kHeader + Record(kBook[0]) + std::string(69, '\x03') + std::string(1 << 20, 'A')),
            1);
  ASSERT_EQ(sheet.Rows().size(), 2u);
  EXPECT_LE(sheet.Rows()[1].code.size(), ArchiveReader::kMaxTextBytes);
}

TEST_F(StadiaFileTest, NonFiniteValuesReadAsEmpty) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  StadiaRow shot{.type = 3,
                 .point = 1,
                 .hz = nan,
                 .obs2 = -inf,
                 .spare = inf,
                 .dist = 2.0,
                 .targetHt = nan,
                 .east = nan,
                 .north = inf,
                 .height = -inf};
  // On a set-up the backsight number survives and the rest of obs2 is cleared.
  StadiaRow setup{
      .type = 1, .point = 2, .hz = inf, .obs2 = std::bit_cast<double>(0x7FF800000000000Cull)};
  ASSERT_EQ(Load(kHeader + Record(shot) + Record(setup)), 1);
  ExpectRows({{.type = 3, .point = 1, .dist = 2.0},
              {.type = 1, .point = 2, .obs2 = std::bit_cast<double>(std::uint64_t{12})}});
  EXPECT_EQ(BacksightNumber(sheet.Rows()[1]), 12u);
}

TEST_F(StadiaFileTest, ProgressStepsOncePerTwentyFiveRows) {
  std::string file = kHeader;
  for (int i = 0; i < 60; ++i) file += Record(kBook[i % 7]);
  ASSERT_EQ(Load(file), 1);
  EXPECT_EQ(context.progress.events,
            (std::vector<std::string>{"text:Reading Stadia from Disk", "show:0,10,1", "step",
                                      "step", "hide"}));
}

TEST_F(StadiaFileTest, FailuresLeaveTheSheetAndReportSaving) {
  sheet.Rows() = kBook;
  EXPECT_EQ(sheet.LoadFromFile(folder.File("missing.tst")), 0);
  EXPECT_EQ(sheet.Rows().size(), kBook.size());
  EXPECT_TRUE(context.progress.events.empty());

  const std::string path = folder.File("no-such-folder/stad1.tst");
  EXPECT_EQ(sheet.SaveToFile(path), 0);
  ASSERT_EQ(context.messages.texts.size(), 1u);
  EXPECT_NE(context.messages.texts[0].find(path), std::string::npos);
  EXPECT_TRUE(sheet.DocumentPath().empty());
}

TEST_F(StadiaFileTest, RowStateRestoresARowAndRefusesDamage) {
  sheet.Rows() = {kBook[3]};
  const std::string state = sheet.RowState(0);
  EXPECT_EQ(sheet.RowState(1), "");
  sheet.Rows()[0] = StadiaRow{};
  EXPECT_EQ(sheet.RestoreRowState(0, state.substr(0, state.size() - 1)), 0);
  EXPECT_EQ(sheet.RestoreRowState(1, state), 0);
  EXPECT_EQ(sheet.RestoreRowState(0, state), 1);
  ExpectRows({kBook[3]});
}

}  // namespace
}  // namespace kestrel::testing
