// The LandXML file: its lines, its validity against the LandXML 1.2 schema,
// and the save-file dialog.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"
#include "stadia_report_rows.h"

namespace kestrel::testing {
namespace {

StadiaRow Shot(std::uint32_t point, double hz, double vertical, double slope, std::string comment) {
  return ShotRow(Row(kStadiaSdHt, point), hz, vertical, slope, "", std::move(comment));
}

// Two set-ups on 10 looking at 20, which is set up on too, and one on 20
// looking at 30, which is not.
std::vector<StadiaRow> SurveyRows() {
  return {StationRow(0, 1, 1, 1),
          StationRow(10, 1000, 2000, 50),
          StationRow(20, 1100, 2000, kEmptyValue),
          StationRow(10, 5, 5, 5),  // a second station 10: the first one is the point
          SetupRow(10, 90.0, 20, 1.5),
          Shot(101, 45.3015, 89.593, 25.123, "fence <new> & \"old\""),
          SetupRow(20, 270.0, 30, 1.45),
          Shot(102, 10.0, 90.0, 12.5, ""),
          SetupRow(10, 90.0, 20, 1.6),
          Shot(103, 100.1, 91.0, 30.0, "it's 5\xB0")};
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

class StadiaLandXmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Ok());
    context.app.job = {.drive = "", .folder = folder.File(""), .job = "tst"};
    sheet.Rows() = SurveyRows();
  }

  ScratchFolder folder;
  SheetTestContext context;
  Stadia sheet{context.ctx};
};

TEST_F(StadiaLandXmlTest, FileLinesOnlyWhenConfirmed) {
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
}

TEST_F(StadiaLandXmlTest, ValidAgainstTheSchema) {
  const std::string schema = KESTREL_LANDXML_XSD;
  if (!std::filesystem::exists(schema)) GTEST_SKIP() << "no LandXML schema at " << schema;
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint missing";
  const std::string path = folder.File("survey.xml");
  context.dialogs.saveFileName = path;
  sheet.Command(kCmdLandXml);
  const std::string check = "xmllint --noout --schema '" + schema + "' '" + path + "' 2>&1";
  EXPECT_EQ(std::system(check.c_str()), 0) << ScratchFolder::Read(path);
}

}  // namespace
}  // namespace kestrel::testing
