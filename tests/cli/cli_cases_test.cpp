// Runs the sessions written down in data/*.cases: kestrel-cli command lines
// with the output, errors and exit status each must give. The format is
// described at the top of each case file and in this folder's README.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace kestrel::cli_test {
namespace {

namespace fs = std::filesystem;

struct CaseRun {
  int line = 0;
  std::string command;  // the words after "$ ", not yet split
  std::string input;
  std::vector<std::string> out;
  std::vector<std::string> err;
  bool checkOut = false;
  bool checkErr = false;
  int status = 0;
};

struct Case {
  std::string file;
  std::string name;
  std::vector<CaseRun> runs;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Words split at blanks; "..." keeps blanks, with \" and \\ inside.
std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
        word += text[++i];
      } else if (c == '"') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (c == ' ') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

// The text after a line's one-character tag and its blank.
std::string Rest(const std::string& line) { return line.size() > 2 ? line.substr(2) : ""; }

std::vector<Case> LoadCases() {
  std::vector<Case> cases;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(KESTREL_TEST_DATA_DIR)) {
    if (entry.path().extension() == ".cases") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::ifstream in(file);
    std::string line;
    std::string input;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (line.empty() || line[0] == '#') continue;
      if (line.rfind("case ", 0) == 0) {
        cases.push_back({file.filename().string(), line.substr(5), {}});
        continue;
      }
      if (cases.empty()) continue;
      std::vector<CaseRun>& runs = cases.back().runs;
      switch (line[0]) {
        case '<':
          input += Rest(line) + "\n";
          break;
        case '$':
          runs.push_back(CaseRun{number, Rest(line), input, {}, {}, false, false, 0});
          input.clear();
          break;
        case '>':
          if (!runs.empty()) {
            runs.back().out.push_back(Replace(Rest(line), "|", "\t"));
            runs.back().checkOut = true;
          }
          break;
        case '!':
          if (!runs.empty()) {
            runs.back().err.push_back(Rest(line));
            runs.back().checkErr = true;
          }
          break;
        case '=':
          if (!runs.empty()) runs.back().status = std::stoi(Rest(line));
          break;
        default:
          ADD_FAILURE() << file << ":" << number << ": unknown line " << line;
      }
    }
  }
  return cases;
}

// Names a case in test output instead of its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.file << ": " << c.name; }

class CaseFileTest : public testing::TestWithParam<Case> {};

TEST_P(CaseFileTest, GivesTheWrittenResults) {
  const Case& c = GetParam();
  TempFolder folder;
  const std::string dir = folder.Path().string();
  for (const CaseRun& run : c.runs) {
    SCOPED_TRACE(c.file + ":" + std::to_string(run.line) + ": " + run.command);
    std::vector<std::string> args = SplitWords(run.command);
    for (std::string& arg : args) arg = Replace(arg, "{dir}", dir);
    const CliResult result = RunCli(args, run.input);
    EXPECT_EQ(result.status, run.status) << result.err;
    auto expected = [&](const std::vector<std::string>& lines) {
      std::vector<std::string> replaced;
      for (const std::string& l : lines) replaced.push_back(Replace(l, "{dir}", dir));
      return replaced;
    };
    if (run.checkOut) {
      EXPECT_EQ(Lines(result.out), expected(run.out));
    }
    if (run.checkErr) {
      EXPECT_EQ(Lines(result.err), expected(run.err));
    }
  }
}

std::string CaseName(const testing::TestParamInfo<Case>& info) {
  std::string name;
  for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Sessions, CaseFileTest, testing::ValuesIn(LoadCases()), CaseName);

}  // namespace
}  // namespace kestrel::cli_test
