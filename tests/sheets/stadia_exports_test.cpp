// The check shot report, the observation strings and the upload records.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "stadia_report_rows.h"

namespace kestrel::testing {
namespace {

class StadiaExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Ok());
    context.app.job = {.drive = "", .folder = folder.File(""), .job = "tst"};
  }

  ScratchFolder folder;
  SheetTestContext context;
  Stadia sheet{context.ctx};
};

TEST_F(StadiaExportsTest, CheckShotReport) {
  const std::vector<std::string> heading = {
      "CHECK SHOT REPORT", "", "                                      East    North    Height", ""};
  struct Case {
    const char* name;
    std::vector<StadiaRow> rows;
    std::vector<std::string> lines;
  } cases[] = {
      {"the nearest station above",
       {StationRow(7, 500, 500, 10), StationRow(7, 1000, 2000, 50),
        CheckRow(7, 999.990, 2000.020, 50.005)},
       {"Point     7 Coordinate difference    0.010,  -0.020,  -0.005"}},
      {"no station above",
       {CheckRow(7, 999.990, 2000.020, 50.005), StationRow(7, 1000, 2000, 50),
        StationRow(8, 1, 2, 3)},
       {}},
  };
  const std::string path = folder.File("CheckReport.rtf");
  for (const Case& c : cases) {
    sheet.Rows() = c.rows;
    context.shell.opened.clear();
    EXPECT_EQ(sheet.Command(kCmdCheckReport), 0);

    std::string expected =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\fs18 " + RtfColourTable();
    for (const std::string& line : heading) expected += line + "\\par \r\n";
    for (const std::string& line : c.lines) expected += line + "\\par \r\n";
    EXPECT_EQ(ScratchFolder::Read(path), expected + "}") << c.name;
    EXPECT_EQ(context.shell.opened, std::vector<std::string>{path}) << c.name;
  }
}

TEST_F(StadiaExportsTest, ObservationStrings) {
  sheet.Rows() = {Row(kStadiaSdHt, 100),  // before any set-up
                  SetupRow(10, 0, 1, 1.5), Row(kStadiaSdHt, 101), Row(kStadiaHzDh, 103),
                  NoteRow("fence"),        Row(kStadiaSdHt, 102)};
  std::string text;
  EXPECT_EQ(sheet.Command(kCmdObservationStrings, &text), 0);
  EXPECT_EQ(text, "Lot obs1,7,1,10,101\r\nLot obs1,7,1,10,102\r\n");
  EXPECT_EQ(context.messages.texts, std::vector<std::string>{text});
}

// The 149 bytes the host receives, laid out field by field.
class RecordBytes {
 public:
  RecordBytes& Text(std::size_t at, const std::string& text) {
    std::memcpy(bytes_.data() + at, text.data(), text.size());
    return *this;
  }
  template <typename T>
  RecordBytes& Value(std::size_t at, T value) {
    auto bits = std::bit_cast<std::array<std::uint8_t, sizeof(T)>>(value);
    if constexpr (std::endian::native == std::endian::big) std::reverse(bits.begin(), bits.end());
    std::memcpy(bytes_.data() + at, bits.data(), bits.size());
    return *this;
  }
  // The fields every stadia record has: name "0", road 0, no chainage, no
  // offset, the empty spare value and flag 0.
  RecordBytes& StadiaFields() {
    return Text(0, "0")
        .Value(124, std::int32_t{0})
        .Value(128, 999999986991104.0)
        .Value(136, 999999986991104.0)
        .Value(144, 1e15f);
  }
  const std::array<std::uint8_t, kPointRecordSize>& Bytes() const { return bytes_; }

 private:
  std::array<std::uint8_t, kPointRecordSize> bytes_{};
};

TEST_F(StadiaExportsTest, UploadRecords) {
  StadiaRow station = StationRow(5, 1000.5, 2000.25, 50.1);
  station.code = "CTRL";
  station.comment = "mark";
  StadiaRow shot = Positioned(Row(kStadiaSdHt, 6), 1010.75, 1990.5, kEmptyValue);
  shot.code = std::string(40, 'C');
  shot.comment = std::string(31, 'd');
  sheet.Rows() = {SetupRow(1, 0, 2, 1.5), NoteRow("note"), station, shot, NoteRow("end")};

  const auto stationBytes = RecordBytes()
                                .StadiaFields()
                                .Value(36, std::int32_t{5})
                                .Value(40, 1000.5)
                                .Value(48, 2000.25)
                                .Value(56, 50.1f)
                                .Text(60, "CTRL")
                                .Text(92, "mark")
                                .Bytes();
  // The code fills its field without a NUL; the empty height is the empty
  // single-precision value.
  const auto shotBytes = RecordBytes()
                             .StadiaFields()
                             .Value(36, std::int32_t{6})
                             .Value(40, 1010.75)
                             .Value(48, 1990.5)
                             .Value(56, 1e15f)
                             .Text(60, std::string(32, 'C'))
                             .Text(92, std::string(31, 'd'))
                             .Bytes();

  PointRecord record;
  ASSERT_EQ(sheet.Command(kCmdFirstPoint, &record), 0);
  EXPECT_EQ(EncodePointRecord(record), stationBytes);
  ASSERT_EQ(sheet.Command(kCmdNextPoint, &record), 0);
  EXPECT_EQ(EncodePointRecord(record), shotBytes);
  EXPECT_EQ(record.code.size(), 32u);
  EXPECT_EQ(sheet.Command(kCmdNextPoint, &record), -1);
  EXPECT_EQ(sheet.Command(kCmdNextPoint, &record), -1);
  // The first record starts again from the top.
  ASSERT_EQ(sheet.Command(kCmdFirstPoint, &record), 0);
  EXPECT_EQ(EncodePointRecord(record), stationBytes);

  sheet.Rows() = {NoteRow("only a note")};
  EXPECT_EQ(sheet.Command(kCmdFirstPoint, &record), -1);
}

}  // namespace
}  // namespace kestrel::testing
