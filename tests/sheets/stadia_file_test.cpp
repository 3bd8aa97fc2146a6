// The Stadia sheet file: exact bytes, the older layout, damaged files (random
// bytes and non-finite values are the fuzzer's), and a load that could not
// read the whole file, which changes nothing and keeps the sheet from saving
// over the file.
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/le_bytes.h"
#include "platform/scratch_disk.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

using Bytes = LeBytes;

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
    Rec(0, 1, {E, E, E, E, E, 1000.0, 2000.0, 50.5}, "CP", "pin"),
    // Backsight 2 in bytes 13-16, and whatever bytes 17-20 held.
    Rec(1, 1, {0.0, std::bit_cast<double>(0x4433221100000002ull), E, 1.55, E, 1000.0, E, E}, "", "",
        "v0ha"),
    Note("null"),
    Rec(3, 100, {45.3015, 90.152, E, 25.123, 1.6, 1017.8, 2017.7, 50.3}, "TREE",
        std::string("\xB0 \x80", 3)),
    Shot(4, 101, 120.0, -0.35, 14.2, 1.5),
    Rec(5, 102, {200.3, E, E, 30.0, E, E, E, 48.25}, "", "kerb"),
    Rec(6, 1, {0.0005, 89.5959, -7.0, 0.5, E, E, E, E}),
};

class StadiaFileTest : public StadiaTest {
 protected:
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
};

TEST_F(StadiaFileTest, EveryRowTypeReadsAndWritesByteForByte) {
  EXPECT_EQ(Save(), kHeader);  // an empty sheet is the header record alone

  std::string file = kHeader;
  std::vector<StadiaRow> rows;
  for (int copy = 0; copy < 8; ++copy) {
    for (const StadiaRow& row : kBook) file += Record(row), rows.push_back(row);
  }
  ASSERT_EQ(Load(file), 1);
  ExpectRows(rows);
  EXPECT_TRUE(sheet.EntryFlag(1));  // loaded rows are complete: no suggestions
  // 56 rows: the progress control steps once per 25.
  EXPECT_EQ(context.progress.events,
            (std::vector<std::string>{"text:Reading Stadia from Disk", "show:0,10,1", "step",
                                      "step", "hide"}));
  EXPECT_EQ(Save(), file);
  EXPECT_EQ(sheet.DocumentPath(), folder.File("out.tst"));
}

TEST_F(StadiaFileTest, OlderFilesAreWidenedRowByRow) {
  // 43-byte rows: 16-bit point numbers, single precision but for east and
  // north; an AT/BS row's backsight is the observation's first two bytes.
  std::string file;
  std::vector<StadiaRow> expected;
  for (int type = 0; type < kStadiaRowTypeCount; ++type) {
    Bytes b;
    b.Le(type, 1).Le(65000 + type, 2).F32(45.3015f);
    if (type == kStadiaAtBs) {
      b.Le(300, 2).Le(0xBEEF, 2);
    } else {
      b.F32(90.152f);
    }
    b.F32(1e15f).F32(25.123f).F32(1.6f).F64(1.5).F64(2.5).F32(50.1f);
    file += b.Text("T").Text("c").Text("").s;
    expected.push_back(Rec(type, 65000u + type,
                           {double(45.3015f), double(90.152f), E, double(25.123f), double(1.6f),
                            1.5, 2.5, double(50.1f)},
                           "T", "c"));
  }
  expected[kStadiaAtBs].obs2 = E;
  SetBacksightNumber(expected[kStadiaAtBs], 300);
  ASSERT_EQ(Load(file), 1);
  ExpectRows(expected);

  // A set-up booked with backsight 0 shows the 0 the file holds.
  Bytes zero;
  zero.Le(kStadiaAtBs, 1).Le(7, 2).F32(0.0f).Le(0, 2).Le(0, 2);
  zero.F32(1e15f).F32(1.5f).F32(1e15f).F64(1.0).F64(2.0).F32(3.0f);
  ASSERT_EQ(Load(zero.Text("").Text("").Text("").s), 1);
  CellValue cell;
  sheet.CellText(3, 0, cell);
  EXPECT_EQ(cell.text, "0");
}

TEST_F(StadiaFileTest, TheFirstNoteDecidesTheLayout) {
  const std::string row = Record(kBook[3]);
  auto first = [](int type, char filler, const std::string& note) {
    return Bytes().Le(type, 1).s + std::string(42, filler) + '\0' + '\0' + note + '\0';
  };
  const std::tuple<std::string, std::size_t, int> cases[] = {
      {first(2, 'Z', "Version 2") + row, 1, 3},  // bytes 1 to 42 carry nothing
      {first(2, 0, "Version 1"), 1, 2},          // any other note: an older file's row
      {"empty", 0, 0}};                          // a new sheet file
  for (const auto& [file, rows, firstType] : cases) {
    sheet.Rows().assign(3, StadiaRow{});
    ASSERT_EQ(Load(file), 1);
    ASSERT_EQ(sheet.Rows().size(), rows) << file;
    if (rows > 0) {
      EXPECT_EQ(sheet.Rows()[0].type, firstType) << file;
    }
  }
}

TEST_F(StadiaFileTest, EveryTruncationKeepsTheRowsWhoseFixedPartIsWhole) {
  const StadiaRow rows[] = {kBook[0], kBook[2], kBook[3]};
  std::string file = kHeader;
  std::vector<std::size_t> fixedEnds;
  for (const StadiaRow& row : rows) {
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
      StadiaRow expected = rows[whole - 1];
      const StadiaRow& got = sheet.Rows().back();
      EXPECT_TRUE(expected.code.starts_with(got.code) &&
                  expected.comment.starts_with(got.comment) && expected.note.starts_with(got.note));
      expected.code = got.code, expected.comment = got.comment, expected.note = got.note;
      EXPECT_EQ(Fields(got), Fields(expected)) << "cut at " << cut;
    }
  }
}

TEST_F(StadiaFileTest, FailuresLeaveTheSheetAndAreReported) {
  sheet.Rows() = kBook;
  EXPECT_EQ(sheet.LoadFromFile(folder.File("missing.tst")), 0);
  EXPECT_EQ(sheet.Rows().size(), kBook.size());
  EXPECT_TRUE(context.progress.events.empty());

  const std::string path = folder.File("no-such-folder/stad1.tst");
  EXPECT_EQ(sheet.SaveToFile(path), 0);
  ASSERT_EQ(context.messages.texts.size(), 1u);
  EXPECT_NE(context.messages.texts[0].find(path), std::string::npos);
  EXPECT_TRUE(sheet.DocumentPath().empty());
  EXPECT_EQ(sheet.SaveToFile(folder.File("stad1.tst")), 1);
}

// A disk that serves the first `good` bytes of `bytes` and then fails.
struct FaultyDisk {
  std::string bytes;
  std::size_t good;
  std::size_t served = 0;
};

ssize_t ReadFaulty(void* cookie, char* buffer, std::size_t size) {
  auto* disk = static_cast<FaultyDisk*>(cookie);
  if (disk->served >= disk->good) {
    errno = EIO;
    return -1;
  }
  const std::size_t n = std::min(size, disk->good - disk->served);
  std::memcpy(buffer, disk->bytes.data() + disk->served, n);
  disk->served += n;
  return static_cast<ssize_t>(n);
}

TEST_F(StadiaFileTest, ALoadThatCouldNotReadTheWholeFileChangesNothing) {
  const std::string path = folder.File("stad1.tst");
  sheet.Rows().assign(5000, kBook[3]);  // about 370 KB: several reads
  ASSERT_EQ(sheet.SaveToFile(path), 1);
  const std::string onDisk = ScratchFolder::Read(path);

  Stadia loading(context.ctx);
  loading.Rows() = kBook;
  context.messages.texts.clear();
  FaultyDisk disk{onDisk, onDisk.size() / 2};
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      ::fopencookie(&disk, "rb", {ReadFaulty, nullptr, nullptr, nullptr}), std::fclose);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(loading.LoadFromOpenFile(file.get(), path), 0);
  EXPECT_EQ(context.messages.texts,
            std::vector<std::string>{"Could not read all of " + path + ": " + Reason(EIO)});
  ASSERT_EQ(loading.Rows().size(), kBook.size());
  EXPECT_EQ(Fields(loading.Rows()[3]), Fields(kBook[3]));

  // Saving over the file would drop the rows that were not read; under
  // another name it saves, and from then on it is that file's sheet.
  context.messages.texts.clear();
  EXPECT_EQ(loading.SaveToFile(path), 0);
  EXPECT_EQ(context.messages.texts,
            std::vector<std::string>{path + " could not be read whole, so the Stadia sheet is not "
                                            "saved over it: save it under another name"});
  EXPECT_EQ(ScratchFolder::Read(path), onDisk);
  EXPECT_EQ(loading.SaveToFile(folder.File("stad2.tst")), 1);
  EXPECT_EQ(loading.SaveToFile(path), 1);
}

}  // namespace
}  // namespace kestrel::testing
