// Worked traverses read from case files: each file books a traverse, runs
// commands on it and states the results a surveyor worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/number_text.h"
#include "sheets/command_codes.h"
#include "sheets/traverse/traverse_compute.h"
#include "survey/angles.h"
#include "traverse_test_sheet.h"

namespace kestrel::testing {
namespace {

const std::map<std::string, int> kCommands = {
    {"calc", kCmdCalculate},  {"angular", kCmdAngularClose}, {"bowditch", kCmdBowditch},
    {"compass", kCmdCompass}, {"transit", kCmdTransit},      {"crandall", kCmdCrandall}};

// Reads numbers up to the word "tol", then the tolerance.
std::vector<double> Numbers(std::istringstream& in, double& tolerance) {
  std::vector<double> values;
  std::string word;
  while (in >> word && word != "tol") values.push_back(ReadDouble(word));
  in >> word;
  tolerance = ReadDouble(word);
  return values;
}

// One "expect" line: what, the points it names, the values and tolerance.
void Expect(TraverseTestSheet& t, std::istringstream& in) {
  std::string what;
  in >> what;
  std::uint32_t a = 0, b = 0;
  if (what == "point") in >> a;
  if (what == "angle" || what == "bearing" || what == "length") in >> a >> b;
  double tol = 0;
  const std::vector<double> v = Numbers(in, tol);
  if (what == "point") {
    const TraverseRow* row = t.Arriving(a);
    ASSERT_NE(row, nullptr) << "no row arrives at " << a;
    EXPECT_NEAR(row->adj_east, v.at(0), tol);
    EXPECT_NEAR(row->adj_north, v.at(1), tol);
    if (v.size() > 2) {
      EXPECT_NEAR(row->adj_height, v[2], tol);
    }
  } else if (what == "angle") {
    const auto& rows = t.sheet.Rows();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const TraverseRow& r) {
      return IsTraverseObservation(r.type) && r.at == a && r.to == b;
    });
    ASSERT_NE(row, rows.end());
    EXPECT_NEAR(DmsToDegrees(row->angle), DmsToDegrees(v.at(0)), tol);
  } else if (what == "bearing" || what == "length") {
    // Between the adjusted coordinates of two stations.
    const TraverseRow* from = t.Arriving(a);
    const TraverseRow* to = t.Arriving(b);
    ASSERT_TRUE(from != nullptr && to != nullptr);
    const double dE = to->adj_east - from->adj_east, dN = to->adj_north - from->adj_north;
    const double bearing = std::fmod(std::atan2(dE, dN) * 180.0 / M_PI + 360.0, 360.0);
    EXPECT_NEAR(what == "length" ? std::hypot(dE, dN) : bearing,
                what == "length" ? v.at(0) : DmsToDegrees(v.at(0)), tol);
  } else if (what == "angular") {
    EXPECT_NEAR(AngularMisclose(t.sheet, true), v.at(0), tol);
  } else if (what == "misclose") {
    const MiscloseSummary s = ComputeMiscloseSummary(t.sheet);
    ASSERT_TRUE(s.linear.Formed());
    EXPECT_NEAR(s.linear.east, v.at(0), tol);
    EXPECT_NEAR(s.linear.north, v.at(1), tol);
  } else if (what == "perimeter") {
    EXPECT_NEAR(ComputeMiscloseSummary(t.sheet).perimeter, v.at(0), tol);
  } else {
    ADD_FAILURE() << "unknown expectation " << what;
  }
}

void RunCase(const std::filesystem::path& path) {
  SCOPED_TRACE(path.filename().string());
  std::ifstream file(path);
  ASSERT_TRUE(file) << path;
  TraverseTestSheet t;
  for (std::string line; std::getline(file, line);) {
    SCOPED_TRACE(line);
    std::istringstream in(line);
    std::string verb, name;
    in >> verb;
    if (verb == "row") {
      t.Add({line.substr(4)});
    } else if (verb == "heights") {
      t.sheet.SetHeightAdjust(true);
    } else if (verb == "run" && in >> name && kCommands.contains(name)) {
      t.sheet.Command(kCommands.at(name));
    } else if (verb == "expect") {
      Expect(t, in);
    } else if (!line.empty() && line[0] != '#') {
      ADD_FAILURE() << "unknown line";
    }
  }
}

TEST(TraverseCases, WorkedTraversesGiveTheHandWorkedResults) {
  int cases = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KESTREL_TEST_DATA_DIR)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("traverse_") || entry.path().extension() != ".case") continue;
    RunCase(entry.path());
    ++cases;
  }
  EXPECT_GE(cases, 5);
}

}  // namespace
}  // namespace kestrel::testing
