// kestrel-cli's sheet verbs: exit statuses, the bytes it saves, text
// encodings at the terminal and the order of edit's operations.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace kestrel::cli_test {
namespace {

constexpr std::uint32_t kNoPoint = 0xFFFFFFFFu;

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += word + " ";
  return text;
}

class CliSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A sheet of two field notes, "a" and "b".
    WriteBytes(sheet_,
               SheetBytes({{2, kNoPoint, {}, "", "", "a"}, {2, kNoPoint, {}, "", "", "b"}}));
  }

  TempFolder folder_;
  const std::string sheet_ = folder_.File("stad1.tst");
};

// Every refusal, whatever the verb: 2 when the command line is wrong, 1 when
// the sheet or its file said no; the first line of standard error gives the
// reason, and nothing is written.
TEST_F(CliSheetTest, RefusalsSayWhoRefusedAndWriteNothing) {
  ::setenv("KESTREL_HOME", folder_.Path().c_str(), 1);
  std::filesystem::create_directory(folder_.File("Variable"));
  const std::string before = ReadBytes(sheet_);
  const std::string s = sheet_;
  const struct {
    std::vector<std::string> args;
    int status;
    std::string reason;  // a part of the first line of standard error
  } cases[] = {
      {{}, 2, "subcommand"},
      {{"show"}, 2, "FILE"},
      {{"--bearing", "north", "show", s}, 2, ""},
      {{"show", folder_.File("notes.txt")}, 2, "sheet kind"},
      {{"edit", s, "--set", "0,1"}, 2, "ROW,COL=TEXT"},
      {{"edit", s, "--command", "13"}, 2, "not available"},
      {{"edit", s, "--command", "16,x"}, 2, "not a whole number"},
      {{"copy", s, "--rows", "3-1"}, 2, "A <= B"},
      {{"edit", s, "--set", "0,1=z", "--output", folder_.File("x.dat")}, 2, "stadN.JOB"},
      {{"edit", s, "--set", "0,1=z", "--output", folder_.File("trav2.tst")}, 2, "names a traverse"},
      {{"show", folder_.File("stad9.tst")}, 1, "cannot open"},
      {{"edit", s, "--set", "5,1=7", "--save"}, 1, "the sheet has 2 rows"},
      {{"edit", s, "--append-row", "--set", "3,1=7", "--save"}, 1, "last row is still blank"},
      {{"edit", s, "--set", "0,1=z", "--output", folder_.File("no/stad1.tst")}, 1, "save"},
      {{"geodetic", "set", "--a", "-1"}, 1, "The semi-major axis must be above 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(result.status, c.status) << result.err;
    ASSERT_FALSE(Lines(result.err).empty());
    EXPECT_NE(Lines(result.err)[0].find(c.reason), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(sheet_), before);
  }
  ::unsetenv("KESTREL_HOME");
  for (const char* name : {"x.dat", "trav2.tst", "Variable/GeoidData"}) {
    EXPECT_FALSE(std::filesystem::exists(folder_.File(name))) << name;
  }
}

TEST_F(CliSheetTest, SavesTheRowsItWasGiven) {
  // The comment arrives in UTF-8 and is held in Windows-1252 (degree sign
  // 0xB0, euro sign 0x80); the shown text is UTF-8 again.
  const auto saved = [](std::uint32_t point) {
    return SheetBytes({{0,
                        point,
                        {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, 1000.25, 5000.0},
                        "PM",
                        "45\xB0 bend \x80",
                        ""}});
  };
  WriteBytes(sheet_, "empty");
  const CliResult result =
      RunCli({"edit", sheet_, "--set", "0,1=12", "--set", "0,2=1000.25", "--set", "0,3=5000",
              "--set", "0,6=PM", "--set", "0,7=45\xC2\xB0 bend \xE2\x82\xAC", "--save"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(sheet_), saved(12));
  EXPECT_EQ(result.out, "1\tSTN\t12\t1000.250\t5000.000\t\t\tPM\t45\xC2\xB0 bend \xE2\x82\xAC\n");

  // --output writes the same bytes elsewhere and leaves the sheet alone;
  // without --save or --output nothing is written.
  const std::string other = folder_.File("stad2.tst");
  ASSERT_EQ(RunCli({"edit", sheet_, "--set", "0,1=13", "--output", other}).status, 0);
  ASSERT_EQ(RunCli({"edit", sheet_, "--set", "0,1=14"}).status, 0);
  EXPECT_EQ(ReadBytes(sheet_), saved(12));
  EXPECT_EQ(ReadBytes(other), saved(13));
}

TEST_F(CliSheetTest, OperationsApplyInCommandLineOrder) {
  const struct {
    std::vector<std::string> operations;
    std::string typesAndNotes;  // column 0 and 1 of every row
  } cases[] = {
      {{"--delete-row", "0", "--insert-row", "0"}, "STN,|Fnote,b|"},
      {{"--insert-row", "0", "--delete-row", "0"}, "Fnote,a|Fnote,b|"},
      {{"--set", "0,0=STN", "--command", "25,0"}, "AT/BS,|Fnote,b|"},
      {{"--command", "25,0", "--set", "0,0=STN"}, "STN,|Fnote,b|"},
      // The clipboard holds the row as it was when copied.
      {{"--command", "40,1", "--set", "1,1=c", "--command", "42,0"}, "Fnote,b|Fnote,a|Fnote,c|"},
      {{"--set", "1,1=c", "--command", "40,1", "--command", "42,0"}, "Fnote,c|Fnote,a|Fnote,c|"},
      // A new row takes the default type in force when it is added.
      {{"--command", "1,6", "--set", "2,1=9", "--command", "1,4", "--set", "3,1=10"},
       "Fnote,a|Fnote,b|CHK,9|HZ/DH,10|"},
      {{"--set", "2,1=9", "--command", "1,6", "--set", "3,1=10"}, "Fnote,a|Fnote,b|STN,9|CHK,10|"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"edit", sheet_};
    args.insert(args.end(), c.operations.begin(), c.operations.end());
    const CliResult result = RunCli(args);
    ASSERT_EQ(result.status, 0) << result.err;
    std::string typesAndNotes;
    for (const std::string& line : Lines(result.out)) {
      const std::vector<std::string> cells = Split(line, '\t');
      typesAndNotes += cells.at(1) + "," + cells.at(2) + "|";
    }
    EXPECT_EQ(typesAndNotes, c.typesAndNotes) << Joined(c.operations);
  }
}

}  // namespace
}  // namespace kestrel::cli_test
