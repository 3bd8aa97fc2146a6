// The check shot report, the observation strings and the upload records.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <tuple>
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
  const std::string path = folder.File("CheckReport.rtf");
  const std::string heading =
      "CHECK SHOT REPORT\\par \r\n\\par \r\n"
      "                                      East    North    Height\\par \r\n\\par \r\n";
  const std::tuple<std::vector<StadiaRow>, std::string> cases[] = {
      {{StationRow(7, 500, 500, 10), StationRow(7, 1000, 2000, 50),  // the nearer one counts
        CheckRow(7, 999.990, 2000.020, 50.005)},
       "Point     7 Coordinate difference    0.010,  -0.020,  -0.005\\par \r\n"},
      {{CheckRow(7, 999.990, 2000.020, 50.005), StationRow(7, 1000, 2000, 50)}, ""}};
  for (const auto& [rows, lines] : cases) {
    sheet.Rows() = rows;
    context.shell.opened.clear();
    EXPECT_EQ(sheet.Command(kCmdCheckReport), 0);
    EXPECT_EQ(ScratchFolder::Read(path),
              "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\fs18 " +
                  RtfColourTable() + heading + lines + "}");
    EXPECT_EQ(context.shell.opened, std::vector<std::string>{path});
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

// The 149 bytes the host receives, laid out field by field: name "0", point,
// easting, northing, height, code, comment, road 0, no chainage, no offset,
// the empty spare value and flag 0.
std::array<std::uint8_t, kPointRecordSize> RecordBytes(std::int32_t point, double east,
                                                       double north, float height,
                                                       const std::string& code,
                                                       const std::string& comment) {
  static_assert(std::endian::native == std::endian::little);
  std::array<std::uint8_t, kPointRecordSize> bytes{};
  const auto put = [&](std::size_t at, const auto& value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
  };
  bytes[0] = '0';
  put(36, point);
  put(40, east);
  put(48, north);
  put(56, height);
  std::memcpy(bytes.data() + 60, code.data(), code.size());
  std::memcpy(bytes.data() + 92, comment.data(), comment.size());
  put(128, 999999986991104.0);
  put(136, 999999986991104.0);
  put(144, 1e15f);
  return bytes;
}

TEST_F(StadiaExportsTest, UploadRecords) {
  StadiaRow station = StationRow(5, 1000.5, 2000.25, 50.1);
  station.code = "CTRL";
  station.comment = "mark";
  StadiaRow shot = Row(kStadiaSdHt, 6, 1010.75, 1990.5);
  shot.code = std::string(40, 'C');  // cut to its 32-byte field, without a NUL
  shot.comment = std::string(31, 'd');
  sheet.Rows() = {SetupRow(1, 0, 2, 1.5), NoteRow("note"), station, shot, NoteRow("end")};
  const auto stationBytes = RecordBytes(5, 1000.5, 2000.25, 50.1f, "CTRL", "mark");

  PointRecord record;
  ASSERT_EQ(sheet.Command(kCmdFirstPoint, &record), 0);
  EXPECT_EQ(EncodePointRecord(record), stationBytes);
  ASSERT_EQ(sheet.Command(kCmdNextPoint, &record), 0);
  EXPECT_EQ(EncodePointRecord(record),
            RecordBytes(6, 1010.75, 1990.5, 1e15f, std::string(32, 'C'), std::string(31, 'd')));
  EXPECT_EQ(sheet.Command(kCmdNextPoint, &record), -1);
  EXPECT_EQ(sheet.Command(kCmdNextPoint, &record), -1);
  ASSERT_EQ(sheet.Command(kCmdFirstPoint, &record), 0);  // from the top again
  EXPECT_EQ(EncodePointRecord(record), stationBytes);
}

}  // namespace
}  // namespace kestrel::testing
