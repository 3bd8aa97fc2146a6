// The check shot report, the point record's bytes, and the LandXML file with
// its validity against the LandXML 1.2 schema (the observation strings and the
// points handed to the host are checked through kestrel-cli on the example
// job).
#include <utime.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "report/rtf_form.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

using StadiaExportsTest = StadiaTest;

TEST_F(StadiaExportsTest, CheckShotReport) {
  const std::string path = folder.File("CheckReport.rtf");
  const std::vector<std::string> heading = {
      "CHECK SHOT REPORT", "", "                                      East    North    Height", ""};
  // The nearest station above counts; a check shot without one gives no line.
  const std::tuple<std::vector<StadiaRow>, std::vector<std::string>> cases[] = {
      {{Stn(7, 500, 500, 10), Stn(7, 1000, 2000, 50),
        Row(kStadiaChk, 7, 999.990, 2000.020, 50.005)},
       {"Point     7 Coordinate difference    0.010,  -0.020,  -0.005"}},
      {{Row(kStadiaChk, 7, 999.990, 2000.020, 50.005), Stn(7, 1000, 2000, 50)}, {}}};
  for (auto [rows, lines] : cases) {
    sheet.Rows() = rows;
    context.shell.opened.clear();
    EXPECT_EQ(sheet.Command(kCmdCheckReport), 0);
    lines.insert(lines.begin(), heading.begin(), heading.end());
    EXPECT_EQ(ScratchFolder::Read(path), RtfFile("\\fs18 ", lines));
    EXPECT_EQ(context.shell.opened, std::vector<std::string>{path});
  }
}

TEST(PointRecord, FieldsLieAtTheirOffsetsAndTextsAreCutToFit) {
  const PointRecord record{
      std::string(40, 'n'), 0x01020304, 1.0,  -2.0, 1e15f, std::string(33, 'c'),
      std::string(33, 'd'), -2,         1e15, 0.5,  1.0f,  7};
  const auto bytes = EncodePointRecord(record);
  const std::string s(bytes.begin(), bytes.end());
  // The name keeps its terminator within 32 bytes; the code and description
  // fill their 32 bytes without one.
  EXPECT_EQ(s.substr(0, 36), std::string(31, 'n') + std::string(5, '\0'));
  EXPECT_EQ(s.substr(36, 4), "\x04\x03\x02\x01");
  EXPECT_EQ(s.substr(40, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
  EXPECT_EQ(s.substr(48, 8), std::string("\0\0\0\0\0\0\x00\xC0", 8));
  EXPECT_EQ(s.substr(56, 4), "\xA9\x5F\x63\x58");  // 1e15 in single precision
  EXPECT_EQ(s.substr(60, 64), std::string(32, 'c') + std::string(32, 'd'));
  EXPECT_EQ(s.substr(124, 4), "\xFE\xFF\xFF\xFF");
  EXPECT_EQ(s.substr(128, 8), std::string("\0\0\x34\x26\xF5\x6B\x0C\x43", 8));
  EXPECT_EQ(s.substr(136, 8), std::string("\0\0\0\0\0\0\xE0\x3F", 8));
  EXPECT_EQ(s.substr(144, 5), std::string("\0\0\x80\x3F\x07", 5));

  const PointRecord back = DecodePointRecord(bytes.data());
  EXPECT_EQ(back.name, std::string(31, 'n'));
  EXPECT_EQ(back.code + back.description, std::string(32, 'c') + std::string(32, 'd'));
  EXPECT_EQ(std::tie(back.point, back.east, back.north, back.height, back.road, back.chainage,
                     back.offset, back.spare, back.flag),
            std::tie(record.point, record.east, record.north, record.height, record.road,
                     record.chainage, record.offset, record.spare, record.flag));
}

// Two set-ups on 10 looking at 20, which is set up on too, and one on 20
// looking at 30, which is not.
std::vector<StadiaRow> SurveyRows() {
  return {Stn(0, 1, 1, 1),
          Stn(10, 1000, 2000, 50),
          Stn(20, 1100, 2000, 60),
          Stn(10, 5, 5, 5),  // a second station 10: the first one is the point
          AtBs(10, 20, 90.0, 1.5),
          Shot(kStadiaSdHt, 101, 45.3015, 89.593, 25.123, E, "", "fence <new> & \"old\""),
          AtBs(20, 30, 270.0, 1.45),
          Shot(kStadiaSdHt, 102, 10.0, 90.0, 12.5),
          AtBs(10, 20, 90.0, 1.6),
          Shot(kStadiaSdHt, 103, 100.1, 91.0, 30.0, E, "", "it's 5\xB0")};
}

// The file carries the job's name, the sheet file's name and date (here
// 2026-03-14 12:00:00 UTC), and every station and reduced shot as a point;
// shot 102's set-up has no backsight and is not reduced. The shots' positions
// are worked out by hand from station 10 oriented due east on 20.
TEST_F(StadiaExportsTest, LandXmlWrittenOnlyWhenConfirmedAndValid) {
  sheet.Rows() = SurveyRows();
  context.app.errorReport = false;
  sheet.Command(kCmdCalculate);
  ScratchFolder sheets;
  const std::string sheetFile = sheets.File("stad1.tst");
  ASSERT_EQ(sheet.SaveToFile(sheetFile), 1);
  const utimbuf written{1773489600, 1773489600};
  ASSERT_EQ(utime(sheetFile.c_str(), &written), 0);
  setenv("TZ", "UTC", 1);
  tzset();
  context.dialogs.saveFileName.reset();  // Cancel
  EXPECT_EQ(sheet.Command(kCmdLandXml), 0);
  EXPECT_TRUE(std::filesystem::is_empty(folder.File("")));
  EXPECT_TRUE(context.messages.texts.empty());

  const std::string path = folder.File("survey.xml");
  context.dialogs.saveFileName = path;
  EXPECT_EQ(sheet.Command(kCmdLandXml), 0);
  EXPECT_EQ(ScratchFolder::Read(path),
            ScratchFolder::Read(KESTREL_TEST_DATA_DIR "/stadia_survey.xml"));
  EXPECT_EQ(context.messages.texts,
            std::vector<std::string>{"xml output file " + path + " created"});

  const std::string schema = KESTREL_SOURCE_DIR "/tests/data/LandXML-1.2.xsd";
  ASSERT_TRUE(std::filesystem::exists(schema)) << "the LandXML schema is missing: " << schema;
  ASSERT_EQ(std::system("command -v xmllint >/dev/null 2>&1"), 0) << "xmllint is not installed";
  const std::string check = "xmllint --noout --nonet --schema '" + schema + "' '" + path + "' 2>&1";
  EXPECT_EQ(std::system(check.c_str()), 0) << ScratchFolder::Read(path);
}

}  // namespace
}  // namespace kestrel::testing
