// Worked traverses read from case files: each file books a traverse, runs
// commands on it and states the results a surveyor worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/number_text.h"
#include "sheets/command_codes.h"
#include "sheets/traverse/traverse_compute.h"
#include "survey/angles.h"
#include "traverse_test_sheet.h"

namespace kestrel::testing {
namespace {

int CommandOf(const std::string& name) {
  if (name == "calc") return kCmdCalculate;
  if (name == "angular") return kCmdAngularClose;
  if (name == "bowditch") return kCmdBowditch;
  if (name == "compass") return kCmdCompass;
  if (name == "transit") return kCmdTransit;
  if (name == "crandall") return kCmdCrandall;
  return -1;
}

// Reads numbers up to the word "tol", then the tolerance.
std::vector<double> Numbers(std::istringstream& in, double& tolerance) {
  std::vector<double> values;
  std::string word;
  while (in >> word && word != "tol") values.push_back(ReadDouble(word));
  in >> word;
  tolerance = ReadDouble(word);
  return values;
}

void RunCase(const std::filesystem::path& path) {
  SCOPED_TRACE(path.filename().string());
  std::ifstream file(path);
  ASSERT_TRUE(file) << path;
  TraverseTestSheet t;
  std::string line;
  int lineNumber = 0;
  while (std::getline(file, line)) {
    ++lineNumber;
    SCOPED_TRACE("line " + std::to_string(lineNumber) + ": " + line);
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "row") {
      t.Add({line.substr(4)});
    } else if (verb == "heights") {
      t.sheet.SetHeightAdjust(true);
    } else if (verb == "run") {
      std::string name;
      in >> name;
      ASSERT_GE(CommandOf(name), 0) << name;
      t.sheet.Command(CommandOf(name));
    } else if (verb == "expect") {
      std::string what;
      in >> what;
      double tol = 0;
      if (what == "point") {
        std::uint32_t point = 0;
        in >> point;
        const std::vector<double> v = Numbers(in, tol);
        const TraverseRow* row = t.Arriving(point);
        ASSERT_NE(row, nullptr) << "no row arrives at " << point;
        EXPECT_NEAR(row->adj_east, v.at(0), tol);
        EXPECT_NEAR(row->adj_north, v.at(1), tol);
        if (v.size() > 2) {
          EXPECT_NEAR(row->adj_height, v[2], tol);
        }
      } else if (what == "angle") {
        std::uint32_t at = 0, to = 0;
        in >> at >> to;
        const std::vector<double> v = Numbers(in, tol);
        bool found = false;
        for (const TraverseRow& row : t.sheet.Rows()) {
          if (IsTraverseObservation(row.type) && row.at == at && row.to == to) {
            EXPECT_NEAR(DmsToDegrees(row.angle), DmsToDegrees(v.at(0)), tol);
            found = true;
            break;
          }
        }
        EXPECT_TRUE(found);
      } else if (what == "bearing" || what == "length") {
        // Between the adjusted coordinates of two stations.
        std::uint32_t from = 0, to = 0;
        in >> from >> to;
        const std::vector<double> v = Numbers(in, tol);
        const TraverseRow* a = t.Arriving(from);
        const TraverseRow* b = t.Arriving(to);
        ASSERT_TRUE(a != nullptr && b != nullptr);
        const double dE = b->adj_east - a->adj_east;
        const double dN = b->adj_north - a->adj_north;
        if (what == "length") {
          EXPECT_NEAR(std::hypot(dE, dN), v.at(0), tol);
        } else {
          const double degrees = std::fmod(std::atan2(dE, dN) * 180.0 / M_PI + 360.0, 360.0);
          EXPECT_NEAR(degrees, DmsToDegrees(v.at(0)), tol);
        }
      } else if (what == "angular") {
        const std::vector<double> v = Numbers(in, tol);
        EXPECT_NEAR(AngularMisclose(t.sheet, true), v.at(0), tol);
      } else if (what == "misclose") {
        const std::vector<double> v = Numbers(in, tol);
        const MiscloseSummary s = ComputeMiscloseSummary(t.sheet);
        ASSERT_TRUE(s.linear.Formed());
        EXPECT_NEAR(s.linear.east, v.at(0), tol);
        EXPECT_NEAR(s.linear.north, v.at(1), tol);
      } else if (what == "perimeter") {
        const std::vector<double> v = Numbers(in, tol);
        EXPECT_NEAR(ComputeMiscloseSummary(t.sheet).perimeter, v.at(0), tol);
      } else {
        ADD_FAILURE() << "unknown expectation " << what;
      }
    } else {
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
