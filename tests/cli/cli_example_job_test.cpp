// The example job through kestrel-cli's reduction and report verbs: computed
// coordinates against an independent reduction of the same field book, the
// report files, the LandXML file against its schema, the host's strings and
// point records, and the job verb's summary.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "platform/number_text.h"

namespace kestrel::cli_test {
namespace {

namespace fs = std::filesystem;

struct Shot {
  int point;
  double east, north, height;
};

// data/example_job_shots.txt: row, point, easting, northing, height.
std::map<int, Shot> ExpectedShots() {
  std::map<int, Shot> shots;
  std::ifstream in(std::string(KESTREL_TEST_DATA_DIR) + "/example_job_shots.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<double> fields;
    std::size_t at = 0;
    while (at < line.size()) {
      std::size_t used = 0;
      fields.push_back(ReadDouble(std::string_view(line).substr(at), &used));
      if (used == 0) break;
      at += used;
    }
    if (fields.size() == 5) {
      shots[static_cast<int>(fields[0])] = {static_cast<int>(fields[1]), fields[2], fields[3],
                                            fields[4]};
    }
  }
  return shots;
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, separator)) fields.push_back(field);
  if (!line.empty() && line.back() == separator) fields.emplace_back();
  return fields;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// Printed with three decimals: within half a millimetre of the exact value.
constexpr double kPrinted = 0.0005 + 1e-6;

class ExampleJobTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(KESTREL_SOURCE_DIR) / "examples/job/stad1.tst", sheet_);
  }
  bool Exists(const std::string& name) const { return fs::exists(folder_.File(name)); }

  TempFolder folder_;
  const std::string sheet_ = folder_.File("stad1.tst");
  const std::map<int, Shot> shots_ = ExpectedShots();
};

TEST_F(ExampleJobTest, ReduceComputesEveryShot) {
  ASSERT_EQ(shots_.size(), 14u);
  const std::string before = ReadBytes(sheet_);
  const CliResult result = RunCli({"reduce", sheet_});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 24u) << "no messages and no error report expected";
  for (const auto& [row, shot] : shots_) {
    SCOPED_TRACE(lines[row - 1]);
    const std::vector<std::string> cells = Split(lines[row - 1], '\t');
    ASSERT_EQ(cells.size(), 12u);  // the row heading and eleven columns
    EXPECT_EQ(ReadInt(cells[2]), shot.point);
    EXPECT_NEAR(ReadDouble(cells[9]), shot.east, kPrinted);
    EXPECT_NEAR(ReadDouble(cells[10]), shot.north, kPrinted);
    EXPECT_NEAR(ReadDouble(cells[11]), shot.height, kPrinted);
  }
  // Set-ups show their instrument point's coordinates; the third stands on
  // the peg radiated in row 5.
  EXPECT_EQ(Split(lines[18], '\t')[9], Split(lines[4], '\t')[9]);
  EXPECT_EQ(ReadBytes(sheet_), before);
  EXPECT_FALSE(Exists("stadiaerrors_tst.rtf"));

  // --save keeps the coordinates in the file.
  ASSERT_EQ(RunCli({"reduce", sheet_, "--save"}).status, 0);
  const CliResult shown = RunCli({"show", sheet_, "--coords"});
  EXPECT_EQ(shown.out, result.out);
}

TEST_F(ExampleJobTest, ReduceReportsProblems) {
  // A shot booked before any set-up.
  const std::string sheet = folder_.File("stad2.tst");
  WriteBytes(sheet, "empty");
  ASSERT_EQ(RunCli({"edit", sheet, "--command", "1,3", "--set", "0,1=5", "--set", "0,2=10", "--set",
                    "0,3=90", "--set", "0,4=10", "--save"})
                .status,
            0);
  const CliResult quiet = RunCli({"reduce", sheet, "--no-error-report"});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(Lines(quiet.out).back(), "message: line 0 No backsight shot yet defines");
  EXPECT_FALSE(Exists("stadiaerrors_tst.rtf"));

  const CliResult reported = RunCli({"reduce", sheet});
  EXPECT_EQ(reported.status, 0);
  const std::vector<std::string> lines = Lines(reported.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "message: line 0 No backsight shot yet defines");
  EXPECT_EQ(lines.back(), "error report: " + folder_.File("stadiaerrors_tst.rtf"));
  EXPECT_TRUE(Exists("stadiaerrors_tst.rtf"));
}

TEST_F(ExampleJobTest, ListingAndCheckShotReport) {
  const CliResult listing = RunCli({"list", sheet_, "--reduce", "--coords"});
  ASSERT_EQ(listing.status, 0) << listing.err;
  EXPECT_EQ(listing.out, folder_.File("StadiaListing_tst.rtf") + "\n");
  const std::string rtf = ReadBytes(folder_.File("StadiaListing_tst.rtf"));
  EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u);
  EXPECT_EQ(Count(rtf, "SD/HT    "), 9);  // "SD/HT%7d", one per SD/HT row
  EXPECT_EQ(Count(rtf, "  CHK    "), 2);  // "  CHK%5d" with the coordinate columns

  const CliResult check = RunCli({"check", sheet_, "--reduce"});
  ASSERT_EQ(check.status, 0) << check.err;
  EXPECT_EQ(check.out, folder_.File("CheckReport.rtf") + "\n");
  const std::string report = ReadBytes(folder_.File("CheckReport.rtf"));
  EXPECT_NE(report.find("CHECK SHOT REPORT"), std::string::npos);
  // Station minus check shot, from the independently reduced check shots.
  EXPECT_NE(report.find("Point     2 Coordinate difference   -0.004,  -0.003,   0.003"),
            std::string::npos);
  EXPECT_NE(report.find("Point     1 Coordinate difference    0.003,  -0.005,   0.000"),
            std::string::npos);
}

TEST_F(ExampleJobTest, LandXmlFile) {
  const std::string xml = folder_.File("survey.xml");
  const CliResult result = RunCli({"landxml", sheet_, "--reduce", "-o", xml});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, xml + "\n");
  const std::string text = ReadBytes(xml);
  EXPECT_NE(text.find("<CgPoint name=\"1\">1000.000000 5000.000000 50.000000 </CgPoint>"),
            std::string::npos);
  EXPECT_EQ(Count(text, "<InstrumentSetup "), 3);
  EXPECT_EQ(Count(text, "<ReducedObservation "), 9);
  EXPECT_NE(text.find("<ReducedObservation name=\"101\" desc=\"temp stn\" setupID=\"IS1\" "
                      "targetSetupID=\"IS2\" azimuth=\"343.0556\" zenithAngle=\"89.0450\" "
                      "slopeDistance=\"54.023\"/>"),
            std::string::npos);

  const std::string schema = "/work/shared/landxml/LandXML-1.2.xsd";
  if (!fs::exists(schema) || std::system("command -v xmllint >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "no LandXML schema or xmllint to validate against";
  }
  const std::string validate = "xmllint --noout --nonet --schema '" + schema + "' '" + xml +
                               "' >'" + folder_.File("xmllint.txt") + "' 2>&1";
  EXPECT_EQ(std::system(validate.c_str()), 0) << ReadBytes(folder_.File("xmllint.txt"));
}

TEST_F(ExampleJobTest, StringsAndPointsForTheHost) {
  const CliResult strings = RunCli({"strings", sheet_});
  ASSERT_EQ(strings.status, 0) << strings.err;
  EXPECT_EQ(strings.err, "");
  // One line per SD/HT row after a set-up: instrument point, shot.
  EXPECT_EQ(strings.out,
            "Lot obs1,7,1,1,101\nLot obs1,7,1,1,102\nLot obs1,7,1,1,103\nLot obs1,7,1,1,105\n"
            "Lot obs1,7,1,2,107\nLot obs1,7,1,2,108\n"
            "Lot obs1,7,1,101,110\nLot obs1,7,1,101,111\nLot obs1,7,1,101,112\n");

  const CliResult points = RunCli({"points", sheet_, "--reduce"});
  ASSERT_EQ(points.status, 0) << points.err;
  const std::vector<std::string> lines = Lines(points.out);
  ASSERT_EQ(lines.size(), 17u);  // the header, two stations and fourteen shots
  EXPECT_EQ(lines[0], "number,easting,northing,height,code,comment");
  EXPECT_EQ(lines[1], "1,1000.000,5000.000,50.000,PM,PM 4521");
  EXPECT_EQ(lines[2], "2,1084.362,5061.785,51.732,PM,PM 4522");
  int line = 3;
  for (const auto& [row, shot] : shots_) {
    SCOPED_TRACE(lines[line]);
    const std::vector<std::string> fields = Split(lines[line++], ',');
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(ReadInt(fields[0]), shot.point);
    EXPECT_NEAR(ReadDouble(fields[1]), shot.east, kPrinted);
    EXPECT_NEAR(ReadDouble(fields[2]), shot.north, kPrinted);
    EXPECT_NEAR(ReadDouble(fields[3]), shot.height, kPrinted);
  }
}

TEST_F(ExampleJobTest, JobWritesEveryReport) {
  const std::string before = ReadBytes(sheet_);
  const CliResult result = RunCli({"job", sheet_});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(
      Lines(result.out),
      (std::vector<std::string>{"sheet: " + sheet_, "rows: 24", "set-ups: 3", "points computed: 14",
                                "messages: 0", "listing: " + folder_.File("StadiaListing_tst.rtf"),
                                "check shot report: " + folder_.File("CheckReport.rtf"),
                                "LandXML file: " + folder_.File("stad1_tst.xml")}));
  EXPECT_TRUE(Exists("StadiaListing_tst.rtf"));
  EXPECT_TRUE(Exists("CheckReport.rtf"));
  EXPECT_TRUE(Exists("stad1_tst.xml"));
  EXPECT_FALSE(Exists("stadiaerrors_tst.rtf"));
  EXPECT_EQ(ReadBytes(sheet_), before);
}

}  // namespace
}  // namespace kestrel::cli_test
