// The check shot report, the observation strings, the point records handed
// to the host, and the LandXML file with its validity against the LandXML 1.2
// schema.
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "report/report_writer.h"
#include "stadia_test_rows.h"

namespace kestrel::testing {
namespace {

using StadiaExportsTest = StadiaTest;

TEST_F(StadiaExportsTest, CheckShotReport) {
  const std::string path = folder.File("CheckReport.rtf");
  const std::string heading =
      "CHECK SHOT REPORT\\par \r\n\\par \r\n"
      "                                      East    North    Height\\par \r\n\\par \r\n";
  const std::tuple<std::vector<StadiaRow>, std::string> cases[] = {
      {{Stn(7, 500, 500, 10), Stn(7, 1000, 2000, 50),  // the nearer one counts
        Row(kStadiaChk, 7, 999.990, 2000.020, 50.005)},
       "Point     7 Coordinate difference    0.010,  -0.020,  -0.005\\par \r\n"},
      {{Row(kStadiaChk, 7, 999.990, 2000.020, 50.005), Stn(7, 1000, 2000, 50)}, ""}};
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
                  AtBs(10, 1, 0, 1.5),   Row(kStadiaSdHt, 101), Row(kStadiaHzDh, 103),
                  Note("fence"),         Row(kStadiaSdHt, 102)};
  std::string text;
  EXPECT_EQ(sheet.Command(kCmdObservationStrings, &text), 0);
  EXPECT_EQ(text, "Lot obs1,7,1,10,101\r\nLot obs1,7,1,10,102\r\n");
  EXPECT_EQ(context.messages.texts, std::vector<std::string>{text});
}

TEST(PointRecord, FieldsLieAtTheirOffsetsAndTextsAreCutToFit) {
  const PointRecord record{std::string(40, 'n'), 0x01020304, 1.0,  -2.0, 1e15f, "CP",
                           std::string(33, 'd'), -2,         1e15, 0.5,  1.0f,  7};
  const auto bytes = EncodePointRecord(record);
  const std::string s(bytes.begin(), bytes.end());
  // The name keeps its terminator within 32 bytes; the description fills its
  // 32 bytes without one.
  EXPECT_EQ(s.substr(0, 36), std::string(31, 'n') + std::string(5, '\0'));
  EXPECT_EQ(s.substr(36, 4), "\x04\x03\x02\x01");
  EXPECT_EQ(s.substr(40, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
  EXPECT_EQ(s.substr(48, 8), std::string("\0\0\0\0\0\0\x00\xC0", 8));
  EXPECT_EQ(s.substr(56, 4), "\xA9\x5F\x63\x58");  // 1e15 in single precision
  EXPECT_EQ(s.substr(60, 64), "CP" + std::string(30, '\0') + std::string(32, 'd'));
  EXPECT_EQ(s.substr(124, 4), "\xFE\xFF\xFF\xFF");
  EXPECT_EQ(s.substr(128, 8), std::string("\0\0\x34\x26\xF5\x6B\x0C\x43", 8));
  EXPECT_EQ(s.substr(136, 8), std::string("\0\0\0\0\0\0\xE0\x3F", 8));
  EXPECT_EQ(s.substr(144, 5), std::string("\0\0\x80\x3F\x07", 5));

  const PointRecord back = DecodePointRecord(bytes.data());
  EXPECT_EQ(back.name, std::string(31, 'n'));
  EXPECT_EQ(back.description, std::string(32, 'd'));
  EXPECT_EQ(std::tie(back.point, back.east, back.north, back.height, back.code, back.road,
                     back.chainage, back.offset, back.spare, back.flag),
            std::tie(record.point, record.east, record.north, record.height, record.code,
                     record.road, record.chainage, record.offset, record.spare, record.flag));
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
  // The shot's code is cut to its 32-byte field, without a NUL.
  sheet.Rows() = {
      AtBs(1, 2, 0, 1.5), Note("note"),
      Rec(0, 5, {E, E, E, E, E, 1000.5, 2000.25, 50.1}, "CTRL", "mark"),
      Rec(3, 6, {E, E, E, E, E, 1010.75, 1990.5, E}, std::string(40, 'C'), std::string(31, 'd')),
      Note("end")};
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

// Two set-ups on 10 looking at 20, which is set up on too, and one on 20
// looking at 30, which is not.
std::vector<StadiaRow> SurveyRows() {
  return {Stn(0, 1, 1, 1),
          Stn(10, 1000, 2000, 50),
          Stn(20, 1100, 2000, E),
          Stn(10, 5, 5, 5),  // a second station 10: the first one is the point
          AtBs(10, 20, 90.0, 1.5),
          Shot(kStadiaSdHt, 101, 45.3015, 89.593, 25.123, E, "", "fence <new> & \"old\""),
          AtBs(20, 30, 270.0, 1.45),
          Shot(kStadiaSdHt, 102, 10.0, 90.0, 12.5),
          AtBs(10, 20, 90.0, 1.6),
          Shot(kStadiaSdHt, 103, 100.1, 91.0, 30.0, E, "", "it's 5\xB0")};
}

const char* const kExpected =
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xsi:schemaLocation=\"http://www.landxml.org/schema/LandXML-1.2 "
    "http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd\" version=\"1.0\" "
    "date=\"2011-03-30\" time=\"13:59:59\">\r\n"
    "\t<Units>\r\n"
    "\t\t<Metric linearUnit=\"meter\" temperatureUnit=\"celsius\" volumeUnit=\"cubicMeter\" "
    "areaUnit=\"squareMeter\" pressureUnit=\"milliBars\" angularUnit=\"decimal dd.mm.ss\" "
    "directionUnit=\"decimal dd.mm.ss\"/>\r\n"
    "\t</Units>\r\n"
    "\t<CoordinateSystem horizontalDatum=\"Local\" verticalDatum=\"AHD\"/>\r\n"
    "\t<Application name=\"GYRE_Stadia\" version=\"2.2\" />\r\n"
    "\t<FeatureDictionary name=\"ReferenceDataContext\" version=\"NSW-101013\">\r\n"
    "\t\t<DocFileRef name=\"au-gov-nsw-icsm-cif-referencedata-101013.xml\" "
    "location=\"au-gov-nsw-icsm-cif-referencedata-101013.xml\"/>\r\n"
    "\t</FeatureDictionary>\r\n"
    "\t<CgPoints>\r\n"
    "\t\t<CgPoint name=\"10\">1000.000000 2000.000000 50.000000 </CgPoint>\r\n"
    "\t\t<CgPoint name=\"20\">1100.000000 2000.000000 </CgPoint>\r\n"
    "\t</CgPoints>\r\n"
    "\t<Survey>\r\n"
    "\t\t<SurveyHeader name=\"1162126\" jurisdiction=\"New South Wales\" "
    "desc=\"PLAN OF SUBDIVISION OF LOT 14 IN DP 1130230\" surveyFormat=\"Standard\" "
    "type=\"surveyed\">\r\n"
    "\t\t</SurveyHeader>\r\n"
    "\t\t<InstrumentSetup id=\"IS10\" stationName=\"10\" instrumentHeight=\"1.500000\">\r\n"
    "\t\t\t<InstrumentPoint pntRef=\"10\"/>\r\n"
    "\t\t</InstrumentSetup>\r\n"
    "\t\t<InstrumentSetup id=\"IS20\" stationName=\"20\" instrumentHeight=\"1.450000\">\r\n"
    "\t\t\t<InstrumentPoint pntRef=\"20\"/>\r\n"
    "\t\t</InstrumentSetup>\r\n"
    "\t\t<InstrumentSetup id=\"IS10_2\" stationName=\"10\" instrumentHeight=\"1.600000\">\r\n"
    "\t\t\t<InstrumentPoint pntRef=\"10\"/>\r\n"
    "\t\t</InstrumentSetup>\r\n"
    "\t\t<ObservationGroup id=\"OG-1\">\r\n"
    "\t\t\t<ReducedObservation name=\"101\" desc=\"fence &lt;new&gt; &amp; &quot;old&quot;\" "
    "setupID=\"IS10\" targetSetupID=\"IS20\" azimuth=\"45.3015\" zenithAngle=\"89.5930\" "
    "slopeDistance=\"25.123\"/>\r\n"
    "\t\t\t<ReducedObservation name=\"102\" desc=\"\" setupID=\"IS20\" azimuth=\"10.0000\" "
    "zenithAngle=\"90.0000\" slopeDistance=\"12.500\"/>\r\n"
    "\t\t\t<ReducedObservation name=\"103\" desc=\"it&apos;s 5\xC2\xB0\" setupID=\"IS10_2\" "
    "targetSetupID=\"IS20\" azimuth=\"100.1000\" zenithAngle=\"91.0000\" "
    "slopeDistance=\"30.000\"/>\r\n"
    "\t\t</ObservationGroup>\r\n"
    "\t</Survey>\r\n"
    "</LandXML>\r\n";

TEST_F(StadiaExportsTest, LandXmlWrittenOnlyWhenConfirmedAndValid) {
  sheet.Rows() = SurveyRows();
  context.dialogs.saveFileName.reset();  // Cancel
  EXPECT_EQ(sheet.Command(kCmdLandXml), 0);
  EXPECT_TRUE(std::filesystem::is_empty(folder.File("")));
  EXPECT_TRUE(context.messages.texts.empty());

  const std::string path = folder.File("survey.xml");
  context.dialogs.saveFileName = path;
  EXPECT_EQ(sheet.Command(kCmdLandXml), 0);
  EXPECT_EQ(ScratchFolder::Read(path), kExpected);
  EXPECT_EQ(context.messages.texts,
            std::vector<std::string>{"xml output file " + path + " created"});

  const std::string schema = KESTREL_LANDXML_XSD;
  if (!std::filesystem::exists(schema)) GTEST_SKIP() << "no LandXML schema at " << schema;
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint missing";
  const std::string check = "xmllint --noout --schema '" + schema + "' '" + path + "' 2>&1";
  EXPECT_EQ(std::system(check.c_str()), 0) << ScratchFolder::Read(path);
}

}  // namespace
}  // namespace kestrel::testing
