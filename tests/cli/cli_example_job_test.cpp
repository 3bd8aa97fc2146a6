// The example job through kestrel-cli's reduction and report verbs: computed
// coordinates against an independent reduction of the same field book, the
// report files, the LandXML file, the host's strings and
// point records, and the job verb's summary.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "platform/number_text.h"

namespace kestrel::cli_test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct Shot {
  int point;
  double east, north, height;
};

// data/example_job_shots.txt: row, point, easting, northing, height.
std::map<int, Shot> ExpectedShots() {
  std::map<int, Shot> shots;
  std::ifstream in(std::string(KESTREL_TEST_DATA_DIR) + "/example_job_shots.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<double> f;
    for (const std::string& word : Split(line, ' ')) {
      if (!word.empty()) f.push_back(ReadDouble(word));
    }
    if (f.size() == 5) shots[static_cast<int>(f[0])] = {static_cast<int>(f[1]), f[2], f[3], f[4]};
  }
  return shots;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// A shot as the program printed it: the point number in cell `point` and the
// coordinates in the cells from `east` on, with three decimals, so within
// half a millimetre of the exact value.
void ExpectShot(const std::vector<std::string>& cells, std::size_t point, std::size_t east,
                const Shot& shot) {
  constexpr double kPrinted = 0.0005 + 1e-6;
  ASSERT_GT(cells.size(), east + 2);
  EXPECT_EQ(ReadInt(cells[point]), shot.point);
  EXPECT_NEAR(ReadDouble(cells[east]), shot.east, kPrinted);
  EXPECT_NEAR(ReadDouble(cells[east + 1]), shot.north, kPrinted);
  EXPECT_NEAR(ReadDouble(cells[east + 2]), shot.height, kPrinted);
}

class ExampleJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(KESTREL_SOURCE_DIR) / "examples/job/stad1.tst", sheet_);
    before_ = ReadBytes(sheet_);
  }
  bool Exists(const std::string& name) const { return fs::exists(folder_.File(name)); }
  // Runs a verb that writes one file and prints its path.
  std::string Report(const std::vector<std::string>& args, const std::string& name) {
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, folder_.File(name) + "\n");
    return ReadBytes(folder_.File(name));
  }

  TempFolder folder_;
  const std::string sheet_ = folder_.File("stad1.tst");
  std::string before_;
  const std::map<int, Shot> shots_ = ExpectedShots();
};

TEST_F(ExampleJobTest, ReduceComputesEveryShot) {
  ASSERT_EQ(shots_.size(), 14u);
  const CliResult result = RunCli({"reduce", sheet_});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 24u) << "no messages and no error report expected";
  for (const auto& [row, shot] : shots_) {
    SCOPED_TRACE(lines[row - 1]);
    const std::vector<std::string> cells = Split(lines[row - 1], '\t');
    ASSERT_EQ(cells.size(), 12u);  // the row heading and eleven columns
    ExpectShot(cells, 2, 9, shot);
  }
  // Set-ups show their instrument point's coordinates; the third stands on
  // the peg radiated in row 5.
  EXPECT_EQ(Split(lines[18], '\t')[9], Split(lines[4], '\t')[9]);
  EXPECT_EQ(ReadBytes(sheet_), before_);
  EXPECT_FALSE(Exists("stadiaerrors_tst.rtf"));

  // --save keeps the coordinates in the file.
  ASSERT_EQ(RunCli({"reduce", sheet_, "--save"}).status, 0);
  EXPECT_EQ(RunCli({"show", sheet_, "--coords"}).out, result.out);
}

// A shot booked before any set-up: the message, then the error report's path.
TEST_F(ExampleJobTest, ReduceReportsProblems) {
  const std::string sheet = folder_.File("stad2.tst");
  WriteBytes(sheet, "empty");
  const CliResult booked = RunCli({"edit", sheet, "--command", "1,3", "--set", "0,1=5", "--set",
                                   "0,2=10", "--set", "0,3=90", "--set", "0,4=10", "--save"});
  const std::vector<std::string> lines = Lines(RunCli({"reduce", sheet}).out);
  ASSERT_GE(lines.size(), 2u) << booked.err;
  EXPECT_EQ(lines[lines.size() - 2], "message: line 0 No backsight shot yet defines");
  EXPECT_EQ(lines.back(), "error report: " + folder_.File("stadiaerrors_tst.rtf"));
  EXPECT_TRUE(Exists("stadiaerrors_tst.rtf"));
}

TEST_F(ExampleJobTest, ReportFiles) {
  Report({"list", sheet_, "--reduce", "--coords"}, "StadiaListing_tst.rtf");
  // Station minus check shot, from the independently reduced check shots.
  const std::string report = Report({"check", sheet_, "--reduce"}, "CheckReport.rtf");
  EXPECT_THAT(report, HasSubstr("Point     2 Coordinate difference   -0.004,  -0.003,   0.003"));
  EXPECT_THAT(report, HasSubstr("Point     1 Coordinate difference    0.003,  -0.005,   0.000"));
  const std::string xml =
      Report({"landxml", sheet_, "--reduce", "-o", folder_.File("survey.xml")}, "survey.xml");
  EXPECT_EQ(Count(xml, "<ReducedObservation "), 9);
  EXPECT_THAT(xml, HasSubstr("<ReducedObservation name=\"101\" desc=\"temp stn\" setupID=\"IS1\" "
                             "targetSetupID=\"IS2\" azimuth=\"343.0556\" zenithAngle=\"89.0450\" "
                             "slopeDistance=\"54.023\"/>"));
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
  ExpectShot(Split(lines[3], ','), 0, 1, shots_.begin()->second);
}

TEST_F(ExampleJobTest, JobWritesEveryReport) {
  const CliResult result = RunCli({"job", sheet_});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(
      Lines(result.out),
      (std::vector<std::string>{"sheet: " + sheet_, "rows: 24", "set-ups: 3", "points computed: 14",
                                "messages: 0", "listing: " + folder_.File("StadiaListing_tst.rtf"),
                                "check shot report: " + folder_.File("CheckReport.rtf"),
                                "LandXML file: " + folder_.File("stad1_tst.xml")}));
  for (const char* name : {"StadiaListing_tst.rtf", "CheckReport.rtf", "stad1_tst.xml"}) {
    EXPECT_TRUE(Exists(name)) << name;
  }
  EXPECT_FALSE(Exists("stadiaerrors_tst.rtf"));
  EXPECT_EQ(ReadBytes(sheet_), before_);
}

}  // namespace
}  // namespace kestrel::cli_test
