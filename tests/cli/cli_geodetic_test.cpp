// kestrel-cli geodetic show|set and grid-corrections, with KESTREL_HOME
// naming a temporary folder that stands in for the program's parent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_runner.h"

namespace kestrel::cli_test {
namespace {

namespace fs = std::filesystem;

class CliGeodeticTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(home_.File("Variable"));
    ::setenv("KESTREL_HOME", home_.Path().c_str(), 1);
  }
  void TearDown() override { ::unsetenv("KESTREL_HOME"); }
  std::string File() const { return home_.File("Variable/GeoidData"); }

  TempFolder home_;
};

std::string Shown(const std::string& file, const char* name, const char* a, const char* invF,
                  const char* zone, const char* k0, const char* fe, const char* fn) {
  return "file: " + file + "\nname: " + name + "\nsemi-major axis: " + a +
         "\ninverse flattening: " + invF + "\nzone width: " + zone +
         "\ncentral scale factor: " + k0 + "\nfalse easting: " + fe + "\nfalse northing: " + fn +
         "\n";
}

TEST_F(CliGeodeticTest, ShowSetAndTheirFile) {
  // Showing the defaults writes nothing.
  CliResult r = RunCli({"geodetic", "show"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            Shown(File(), "MGA", "6378137", "298.2572221", "6", "0.9996", "500000", "10000000"));
  EXPECT_FALSE(fs::exists(File()));

  r = RunCli({"geodetic", "set", "--preset", "ISG"});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string isg =
      Shown(File(), "ISG", "6378160", "298.25", "2", "0.99994", "300000", "5000000");
  EXPECT_EQ(r.out, isg);
  EXPECT_EQ(RunCli({"geodetic", "show"}).out, isg);
  EXPECT_EQ(ReadBytes(File()).size(), 56u);

  // Single values on top of a preset make a custom set.
  r = RunCli({"geodetic", "set", "--preset", "MGA", "--k0", "0.9999", "--false-northing", "0"});
  EXPECT_EQ(r.out, Shown(File(), "CUSTOM", "6378137", "298.2572221", "6", "0.9999", "500000", "0"));
}

TEST_F(CliGeodeticTest, DamagedFileAndMissingFolder) {
  WriteBytes(File(), std::string("\x02\x00\x00\x00", 4));
  CliResult r = RunCli({"geodetic", "show"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "message: The geodetic values file " + File() +
                       " has version 2, which this program does not read; the MGA values are "
                       "used\n");
  EXPECT_NE(r.out.find("name: MGA\n"), std::string::npos);

  // A folder that cannot be made, whoever runs the test: "Variable" is a file.
  fs::remove_all(home_.File("Variable"));
  WriteBytes(home_.File("Variable"), "x");
  r = RunCli({"geodetic", "set", "--preset", "ISG"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot be saved: the folder " + home_.File("Variable") + " does not exist"),
            std::string::npos)
      << r.err;
}

// A 50 km line due north, 200 km east of the central meridian, centred on the
// grid's equator, where sqrt(rho nu) is b = 6356752.3141 m: the arc-to-chord
// correction is -50000 x 600000 / (6 (k0 b)^2) x (1 - 600000^2 / (27 (k0 b)^2))
// seconds, the scale factor k0 (1 + q + q^2 / 6) with q = 200000^2 / (2 (k0 b)^2),
// the sea-level correction (100 + 300) x 50000 / 2 / b.
TEST_F(CliGeodeticTest, GridCorrectionsOfOneLine) {
  const CliResult r =
      RunCli({"grid-corrections", "700000", "9975000", "100", "700000", "10025000", "300"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "arc-to-chord: -25.534574\n"
            "line scale factor: 1.0000951868\n"
            "sea-level correction: 1.573130\n");
}

}  // namespace
}  // namespace kestrel::cli_test
