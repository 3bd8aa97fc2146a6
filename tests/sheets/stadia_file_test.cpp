// The Stadia sheet file: exact bytes, the older layout, damaged files.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
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

// Little-endian bytes written by hand, field by field.
class Bytes {
 public:
  Bytes& U8(std::uint8_t v) {
    s_ += static_cast<char>(v);
    return *this;
  }
  Bytes& U16(std::uint16_t v) { return Le(v, 2); }
  Bytes& U32(std::uint32_t v) { return Le(v, 4); }
  Bytes& U64(std::uint64_t v) { return Le(v, 8); }
  Bytes& F32(float v) { return U32(std::bit_cast<std::uint32_t>(v)); }
  Bytes& F64(double v) { return U64(std::bit_cast<std::uint64_t>(v)); }
  Bytes& Zeros(std::size_t n) {
    s_.append(n, '\0');
    return *this;
  }
  Bytes& Text(const std::string& t) {
    s_ += t;
    s_ += '\0';
    return *this;
  }
  Bytes& Raw(const std::string& t) {
    s_ += t;
    return *this;
  }
  const std::string& str() const { return s_; }

 private:
  Bytes& Le(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) s_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  std::string s_;
};

constexpr double E = kEmptyValue;
// The high half of the empty value's bit pattern, as an AT/BS row whose
// backsight was typed into a blank row holds it in bytes 17 to 20.
constexpr std::uint32_t kEmptyHigh = 0x430C6BF5;

std::string Header() { return Bytes().U8(2).Zeros(42).Text("").Text("").Text("Version 2").str(); }

// One current-layout record; obs2 as raw bits.
std::string Record(int type, std::uint32_t point, double hz, std::uint64_t obs2, double spare,
                   double dist, double targetHt, double east, double north, double height,
                   const std::string& code, const std::string& comment, const std::string& note) {
  return Bytes()
      .U8(static_cast<std::uint8_t>(type))
      .U32(point)
      .F64(hz)
      .U64(obs2)
      .F64(spare)
      .F64(dist)
      .F64(targetHt)
      .F64(east)
      .F64(north)
      .F64(height)
      .Text(code)
      .Text(comment)
      .Text(note)
      .str();
}

StadiaRow Row(int type, std::uint32_t point, double hz, std::uint64_t obs2, double spare,
              double dist, double targetHt, double east, double north, double height,
              const std::string& code, const std::string& comment, const std::string& note) {
  StadiaRow row;
  row.type = static_cast<std::int8_t>(type);
  row.point = point;
  row.hz = hz;
  row.obs2 = std::bit_cast<double>(obs2);
  row.spare = spare;
  row.dist = dist;
  row.targetHt = targetHt;
  row.east = east;
  row.north = north;
  row.height = height;
  row.code = code;
  row.comment = comment;
  row.note = note;
  return row;
}

struct RowCase {
  std::string name;
  int type;
  std::uint32_t point;
  double hz;
  std::uint64_t obs2;
  double spare, dist, targetHt, east, north, height;
  std::string code, comment, note;
};

// A row of each type as a surveyor books it.
std::vector<RowCase> EveryRowType() {
  return {
      {"STN", 0, 1, E, Bits(E), E, E, E, 1000.0, 2000.0, 50.5, "CP", "pin", ""},
      // Backsight 2 in bytes 13-16 and whatever bytes 17-20 held.
      {"AT/BS", 1, 1, 0.0, 0x4433221100000002ull, E, 1.55, E, 1000.0, 2000.0, 50.5, "", "", "v0ha"},
      {"Fnote", 2, kNoPoint, E, Bits(E), E, E, E, E, E, E, "", "", "null"},
      {"SD/HT", 3, 100, 45.3015, Bits(90.152), E, 25.123, 1.6, 1017.8, 2017.7, 50.3, "TREE", "oak",
       ""},
      {"HZ/DH", 4, 101, 120.0, Bits(-0.35), E, 14.2, 1.5, E, E, E, "FL", "", ""},
      {"HD/RL", 5, 102, 200.3, Bits(E), E, 30.0, E, E, E, 48.25, "", "kerb", ""},
      {"CHK", 6, 1, 0.0005, Bits(89.5959), -7.0, 0.5, 1.55, E, E, E, "CP", "check", ""},
  };
}

class StadiaFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.Ok()); }

  // Loads `bytes` from a file into `sheet`; returns LoadFromFile's result.
  int Load(Stadia& target, const std::string& bytes) {
    return target.LoadFromFile(folder.Write("load.tst", bytes));
  }
  std::string Save(Stadia& source) {
    const std::string path = folder.File("save.tst");
    source.SaveToFile(path);
    return ScratchFolder::Read(path);
  }

  ScratchFolder folder;
  SheetTestContext context;
  Stadia sheet{context.ctx};
};

TEST_F(StadiaFileTest, EmptySheetIsTheHeaderRecordAlone) {
  const std::string expected =
      std::string("\x02", 1) + std::string(42, '\0') + std::string("\0\0Version 2\0", 12);
  EXPECT_EQ(Save(sheet), expected);
  EXPECT_EQ(expected.size(), 55u);
  EXPECT_EQ(Header(), expected);
}

TEST_F(StadiaFileTest, ReadsAndWritesEveryRowTypeByteForByte) {
  std::string file = Header();
  for (const RowCase& c : EveryRowType()) {
    file += Record(c.type, c.point, c.hz, c.obs2, c.spare, c.dist, c.targetHt, c.east, c.north,
                   c.height, c.code, c.comment, c.note);
  }
  ASSERT_EQ(Load(sheet, file), 1);
  const std::vector<RowCase> cases = EveryRowType();
  ASSERT_EQ(sheet.Rows().size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const RowCase& c = cases[i];
    ExpectSameRow(sheet.Rows()[i],
                  Row(c.type, c.point, c.hz, c.obs2, c.spare, c.dist, c.targetHt, c.east, c.north,
                      c.height, c.code, c.comment, c.note),
                  c.name);
  }
  EXPECT_EQ(BacksightNumber(sheet.Rows()[1]), 2u);
  EXPECT_EQ(Save(sheet), file);
}

TEST_F(StadiaFileTest, TypedBacksightIsWrittenAsUnsigned32BitsAtOffset13) {
  sheet.Rows().push_back(BlankStadiaRow(kStadiaAtBs));
  CellValue typed;
  typed.text = "12";
  sheet.ParseCell(3, 0, typed);
  const std::string bytes = Save(sheet);
  ASSERT_EQ(bytes.size(), 55u + 69u + 3u);
  const std::string record = bytes.substr(55);
  EXPECT_EQ(record[0], 1);
  EXPECT_EQ(record.substr(1, 4), std::string("\xFF\xFF\xFF\xFF", 4));  // no instrument point
  EXPECT_EQ(record.substr(13, 4), std::string("\x0C\0\0\0", 4));
  EXPECT_EQ(record.substr(17, 4), Bytes().U32(kEmptyHigh).str());  // left as held
}

TEST_F(StadiaFileTest, OlderFilesAreWidenedRowByRow) {
  // 43-byte rows: 16-bit point numbers, single-precision observations,
  // double-precision east and north, single-precision height.
  auto old = [](int type, std::uint16_t point, float hz, std::string obs2, float spare, float dist,
                float targetHt, double east, double north, float height, const std::string& code,
                const std::string& comment, const std::string& note) {
    return Bytes()
        .U8(static_cast<std::uint8_t>(type))
        .U16(point)
        .F32(hz)
        .Raw(obs2)
        .F32(spare)
        .F32(dist)
        .F32(targetHt)
        .F64(east)
        .F64(north)
        .F32(height)
        .Text(code)
        .Text(comment)
        .Text(note)
        .str();
  };
  auto f = [](float v) { return Bytes().F32(v).str(); };
  const float e = 1e15f;
  std::string file;
  file += old(0, 1, e, f(e), e, e, e, 1000.25, 2000.5, 50.1f, "CP", "pin", "");
  // Backsight 300 in the first two bytes of the observation; the other two
  // are not part of it.
  file += old(1, 1, 0.0f, Bytes().U16(300).U16(0xBEEF).str(), e, 1.55f, e, e, e, e, "", "", "");
  file += old(2, 65535, e, f(e), e, e, e, e, e, e, "", "", "v0na");
  file += old(3, 65000, 45.3015f, f(90.152f), e, 25.123f, 1.6f, 1.5, 2.5, 3.5f, "T", "c", "");
  file += old(4, 101, 120.0f, f(-0.35f), e, 14.2f, 1.5f, e, e, e, "", "", "");
  file += old(5, 102, 200.3f, f(e), e, 30.0f, e, e, e, 48.25f, "", "", "");
  file += old(6, 1, 0.0005f, f(89.5959f), e, 0.5f, 1.55f, e, e, e, "", "", "");
  ASSERT_EQ(Load(sheet, file), 1);
  ASSERT_EQ(sheet.Rows().size(), 7u);

  auto d = [](float v) { return double(v); };
  StadiaRow atbs = Row(1, 1, 0.0, Bits(E), E, d(1.55f), E, E, E, E, "", "", "");
  SetBacksightNumber(atbs, 300);
  const std::vector<StadiaRow> expected = {
      Row(0, 1, E, Bits(E), E, E, E, 1000.25, 2000.5, d(50.1f), "CP", "pin", ""),
      atbs,
      Row(2, 65535, E, Bits(E), E, E, E, E, E, E, "", "", "v0na"),
      Row(3, 65000, d(45.3015f), Bits(d(90.152f)), E, d(25.123f), d(1.6f), 1.5, 2.5, 3.5, "T", "c",
          ""),
      Row(4, 101, 120.0, Bits(d(-0.35f)), E, d(14.2f), 1.5, E, E, E, "", "", ""),
      Row(5, 102, d(200.3f), Bits(E), E, 30.0, E, E, E, 48.25, "", "", ""),
      Row(6, 1, d(0.0005f), Bits(d(89.5959f)), E, 0.5, d(1.55f), E, E, E, "", "", ""),
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ExpectSameRow(sheet.Rows()[i], expected[i], "row " + std::to_string(i));
  }
  EXPECT_EQ(BacksightNumber(sheet.Rows()[1]), 300u);
}

TEST_F(StadiaFileTest, VersionNoteDecidesTheLayout) {
  const std::string row = Record(3, 7, 1.0, Bits(2.0), E, 3.0, 4.0, E, E, E, "a", "b", "");
  struct Case {
    std::string name;
    std::string file;
    std::size_t rows;
    int firstType;
  };
  const std::vector<Case> cases = {
      // The header's bytes 1 to 42 carry nothing; a reader ignores them.
      {"junk in the header",
       Bytes().U8(2).Raw(std::string(42, '\x5A')).Text("").Text("").Text("Version 2").str() + row,
       1, 3},
      {"the version inside a longer note",
       Bytes().U8(2).Zeros(42).Text("").Text("").Text("old Version 2 book").str() + row, 1, 3},
      // Any other first note is an ordinary older row.
      {"an older file's field note",
       Bytes().U8(2).Zeros(42).Text("").Text("").Text("Version 1").str(), 1, 2},
      {"the note on another row type",
       Bytes().U8(3).Zeros(42).Text("").Text("").Text("Version 2").str(), 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(Load(sheet, c.file), 1);
    ASSERT_EQ(sheet.Rows().size(), c.rows);
    EXPECT_EQ(sheet.Rows()[0].type, c.firstType);
  }
  ASSERT_EQ(Load(sheet, cases[0].file), 1);
  ExpectSameRow(sheet.Rows()[0], Row(3, 7, 1.0, Bits(2.0), E, 3.0, 4.0, E, E, E, "a", "b", ""),
                "current row after the note");
}

TEST_F(StadiaFileTest, NewSheetFileAndEmptyFileReadAsNoRows) {
  for (const std::string& bytes : {std::string("empty"), std::string()}) {
    sheet.Rows().assign(3, BlankStadiaRow());
    EXPECT_EQ(Load(sheet, bytes), 1);
    EXPECT_TRUE(sheet.Rows().empty()) << bytes;
  }
}

TEST_F(StadiaFileTest, SavedRowsLoadBackUnchanged) {
  for (const RowCase& c : EveryRowType()) {
    sheet.Rows().push_back(Row(c.type, c.point, c.hz, c.obs2, c.spare, c.dist, c.targetHt, c.east,
                               c.north, c.height, c.code, c.comment, c.note));
  }
  sheet.Rows()[3].comment = std::string("\xB0 and \x80", 7);  // Windows-1252 bytes stay bytes
  const std::string path = folder.File("stad1.tst");
  EXPECT_EQ(sheet.SaveToFile(path), 0);
  EXPECT_EQ(sheet.DocumentPath(), path);

  Stadia loaded(context.ctx);
  ASSERT_EQ(loaded.LoadFromFile(path), 1);
  EXPECT_EQ(loaded.DocumentPath(), path);
  ASSERT_EQ(loaded.Rows().size(), sheet.Rows().size());
  for (std::size_t i = 0; i < sheet.Rows().size(); ++i) {
    ExpectSameRow(loaded.Rows()[i], sheet.Rows()[i], "row " + std::to_string(i));
  }
}

TEST_F(StadiaFileTest, EveryTruncationKeepsTheRowsWhoseFixedPartIsWhole) {
  const std::vector<std::string> records = {
      Record(0, 1, E, Bits(E), E, E, E, 10.0, 20.0, 30.0, "CP", "pin", ""),
      Record(2, kNoPoint, E, Bits(E), E, E, E, E, E, E, "", "", "v0nc"),
      Record(3, 2, 1.0, Bits(90.0), E, 5.0, 1.5, E, E, E, "TR", "", "x"),
  };
  const StadiaRow full[] = {
      Row(0, 1, E, Bits(E), E, E, E, 10.0, 20.0, 30.0, "CP", "pin", ""),
      Row(2, kNoPoint, E, Bits(E), E, E, E, E, E, E, "", "", "v0nc"),
      Row(3, 2, 1.0, Bits(90.0), E, 5.0, 1.5, E, E, E, "TR", "", "x"),
  };
  std::string file = Header();
  std::vector<std::size_t> fixedEnds;
  for (const std::string& r : records) {
    fixedEnds.push_back(file.size() + 69);
    file += r;
  }
  for (std::size_t cut = 0; cut <= file.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    ASSERT_EQ(Load(sheet, file.substr(0, cut)), 1);
    std::size_t whole = 0;
    while (whole < fixedEnds.size() && fixedEnds[whole] <= cut) ++whole;
    ASSERT_EQ(sheet.Rows().size(), whole);
    for (std::size_t i = 0; i < whole; ++i) {
      // Fixed parts are exact; a text cut by the end of the file keeps its
      // start.
      StadiaRow expected = full[i];
      const StadiaRow& got = sheet.Rows()[i];
      EXPECT_TRUE(expected.code.starts_with(got.code) &&
                  expected.comment.starts_with(got.comment) && expected.note.starts_with(got.note));
      expected.code = got.code;
      expected.comment = got.comment;
      expected.note = got.note;
      ExpectSameRow(got, expected, "row " + std::to_string(i));
    }
  }
}

void ExpectAllFinite(const Stadia& s) {
  for (const StadiaRow& r : s.Rows()) {
    for (double v : {r.hz, r.obs2, r.spare, r.dist, r.targetHt, r.east, r.north, r.height}) {
      ASSERT_TRUE(std::isfinite(v));
    }
  }
}

TEST_F(StadiaFileTest, RandomBytesLoadWithoutHarm) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 2000, '\0');
    for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
    // Half the files start as current files, so that rows are read.
    if (round % 2 == 0) bytes = Header() + bytes;
    SCOPED_TRACE("round " + std::to_string(round));
    ASSERT_EQ(Load(sheet, bytes), 1);
    ASSERT_LE(sheet.Rows().size(), bytes.size() / 43 + 1);
    ExpectAllFinite(sheet);
  }
}

TEST_F(StadiaFileTest, HugeTextWithoutTerminatorIsBoundedAndEndsTheFile) {
  const std::string file = Header() + Record(0, 5, E, Bits(E), E, E, E, 1, 2, 3, "a", "b", "c") +
                           Bytes().U8(3).U32(6).Zeros(64).str() + std::string(1 << 20, 'A');
  ASSERT_EQ(Load(sheet, file), 1);
  ASSERT_EQ(sheet.Rows().size(), 2u);
  EXPECT_EQ(sheet.Rows()[1].point, 6u);
  EXPECT_LE(sheet.Rows()[1].code.size(), ArchiveReader::kMaxTextBytes);
  EXPECT_TRUE(sheet.Rows()[1].comment.empty());
}

TEST_F(StadiaFileTest, NonFiniteValuesInAFileReadAsEmpty) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::uint64_t nanWithBacksight = 0x7FF8000000000000ull | 12u;
  const std::string file =
      Header() + Record(3, 1, nan, Bits(-inf), inf, 2.0, nan, nan, inf, -inf, "", "", "") +
      Record(1, 2, inf, nanWithBacksight, E, 1.5, E, E, E, E, "", "", "");
  ASSERT_EQ(Load(sheet, file), 1);
  ASSERT_EQ(sheet.Rows().size(), 2u);
  ExpectSameRow(sheet.Rows()[0], Row(3, 1, E, Bits(E), E, 2.0, E, E, E, E, "", "", ""), "shot");
  // The backsight number survives; the rest of the field is cleared.
  EXPECT_EQ(Bits(sheet.Rows()[1].obs2), 12u);
  EXPECT_EQ(BacksightNumber(sheet.Rows()[1]), 12u);
  EXPECT_EQ(sheet.Rows()[1].hz, E);
}

TEST_F(StadiaFileTest, ProgressStepsOncePerTwentyFiveRows) {
  std::string file = Header();
  for (int i = 0; i < 60; ++i) file += Record(3, i, E, Bits(E), E, E, E, E, E, E, "", "", "");
  ASSERT_EQ(Load(sheet, file), 1);
  EXPECT_EQ(sheet.Rows().size(), 60u);
  const std::vector<std::string> expected = {"text:Reading Stadia from Disk", "show:0,10,1", "step",
                                             "step", "hide"};
  EXPECT_EQ(context.progress.events, expected);
}

TEST_F(StadiaFileTest, FileThatCannotBeOpenedLeavesTheSheetAlone) {
  sheet.Rows().assign(2, BlankStadiaRow(kStadiaSdHt));
  EXPECT_EQ(sheet.LoadFromFile(folder.File("missing.tst")), 0);
  EXPECT_EQ(sheet.Rows().size(), 2u);
  EXPECT_TRUE(sheet.DocumentPath().empty());
  EXPECT_TRUE(context.progress.events.empty());
}

TEST_F(StadiaFileTest, FailedSaveIsReportedAndKeepsNoHalfFile) {
  sheet.Rows().push_back(BlankStadiaRow());
  const std::string path = folder.File("no-such-folder/stad1.tst");
  EXPECT_EQ(sheet.SaveToFile(path), 0);
  ASSERT_EQ(context.messages.texts.size(), 1u);
  EXPECT_NE(context.messages.texts[0].find(path), std::string::npos);
  EXPECT_TRUE(sheet.DocumentPath().empty());
}

TEST_F(StadiaFileTest, RowStateRestoresARowAndRefusesDamage) {
  const RowCase c = EveryRowType()[3];
  sheet.Rows().push_back(Row(c.type, c.point, c.hz, c.obs2, c.spare, c.dist, c.targetHt, c.east,
                             c.north, c.height, c.code, c.comment, c.note));
  const StadiaRow original = sheet.Rows()[0];
  const std::string state = sheet.RowState(0);
  EXPECT_EQ(sheet.RowState(1), "");
  sheet.Rows()[0] = BlankStadiaRow();
  EXPECT_EQ(sheet.RestoreRowState(0, state.substr(0, state.size() - 1)), 0);
  EXPECT_EQ(sheet.RestoreRowState(1, state), 0);
  EXPECT_EQ(sheet.RestoreRowState(0, state), 1);
  ExpectSameRow(sheet.Rows()[0], original, "restored");
}

}  // namespace
}  // namespace kestrel::testing
