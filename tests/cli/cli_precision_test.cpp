// kestrel-cli reduce on a precision stadia sheet: the geoid toolbar's check
// box and "Vertical Adj" box given as options, with KESTREL_HOME naming a
// temporary folder that stands in for the program's parent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_runner.h"

namespace kestrel::cli_test {
namespace {

// A set-up on the grid's origin (central meridian, false northing) with no
// backsight: circle readings are bearings. Two level shots due north, 1000 m
// and 2000 m, with the target at the instrument's height.
TEST(CliPrecisionTest, ReduceTakesTheGeoidBar) {
  TempFolder home;
  TempFolder job;
  std::filesystem::create_directory(home.File("Variable"));
  ::setenv("KESTREL_HOME", home.Path().c_str(), 1);
  const std::string sheet = job.File("job7.precisionstadia1");
  ASSERT_EQ(RunCli({"new", "precisionstadia", "1", "--job", job.File("job7")}).status, 0);
  std::vector<std::string> edit = {"edit", sheet, "--append-row"};
  for (const char* cell :
       {"0,0=STN",   "0,1=1", "0,2=500000", "0,3=10000000", "0,4=100",  "1,0=AT/BS",
        "1,1=1",     "1,2=0", "1,4=1.5",  //
        "2,0=SD/HT", "2,1=2", "2,2=0",      "2,3=90",       "2,4=1000", "2,5=1.5",
        "3,0=SD/HT", "3,1=3", "3,2=0",      "3,3=90",       "3,4=2000", "3,5=1.5"}) {
    edit.insert(edit.end(), {"--set", cell});
  }
  edit.push_back("--save");
  ASSERT_EQ(RunCli(edit).status, 0);

  const struct {
    std::vector<std::string> options;
    int status;
    std::string shown;  // a part of standard output (or error, when refused)
  } cases[] = {
      // At the equator the radius is 6356752.314 m: the sea-level correction
      // of 1000 m at height 100 is 0.015731 m, and the scale factor is k0, so
      // (1000 - 0.015731) x 0.9996 = 999.584275 m.
      {{"--geoid"}, 0, "\t10000999.584\t 100.000\n"},
      {{"--geoid"}, 0, "corrections report: " + job.File("GeoidCorrections.rtf") + "\n"},
      // 12" per km lowers the zenith readings by 12" and 24": 1000 sin 12" =
      // 0.058178 m and 2000 sin 24" = 0.232711 m up.
      {{"--vertical-adjustment", "12"}, 0, "\t10001000.000\t 100.058\n"},
      {{"--vertical-adjustment", "12"}, 0, "\t10002000.000\t 100.233\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"reduce", sheet};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE((c.status == 0 ? r.out : r.err).find(c.shown), std::string::npos) << r.out << r.err;
  }
  // The first grid correction leaves the MGA values in a new file.
  EXPECT_EQ(ReadBytes(home.File("Variable/GeoidData")).size(), 56u);

  // A kind that has no geoid toolbar refuses the options.
  ASSERT_EQ(RunCli({"new", "stadia", "1", "--job", job.File("job7")}).status, 0);
  const CliResult stadia = RunCli({"reduce", job.File("stad1.job7"), "--geoid"});
  EXPECT_EQ(stadia.status, 1);
  EXPECT_NE(stadia.err.find("no geoid corrections"), std::string::npos);
  ::unsetenv("KESTREL_HOME");
}

}  // namespace
}  // namespace kestrel::cli_test
