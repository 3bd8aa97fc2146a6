// Runs the sessions written down in data/*.cases: kestrel-cli command lines
// with the output, errors and exit status each must give. The format is
// described at the top of each case file and in this folder's README.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
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
  std::optional<std::vector<std::string>> out, err;  // checked when given
  int status = 0;
};

struct Case {
  std::string file, name;
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
  bool inWord = false, quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' && !quoted) {
      inWord = false;
      continue;
    }
    if (!inWord) words.emplace_back();
    inWord = true;
    const bool escaped =
        quoted && c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\');
    if (c == '"') {
      quoted = !quoted;
    } else {
      words.back() += escaped ? text[++i] : c;
    }
  }
  return words;
}

std::vector<Case> LoadCases() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(KESTREL_TEST_DATA_DIR)) {
    if (entry.path().extension() == ".cases") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<Case> cases;
  for (const fs::path& file : files) {
    std::ifstream in(file);
    std::string line, input;
    for (int number = 1; std::getline(in, line); ++number) {
      if (line.empty() || line[0] == '#') continue;
      // The text after the line's one-character tag and its blank.
      const std::string rest = line.size() > 2 ? line.substr(2) : "";
      if (line.rfind("case ", 0) == 0) {
        cases.push_back({file.filename().string(), line.substr(5), {}});
      } else if (line[0] == '<') {
        input += rest + "\n";
      } else if (line[0] == '$' && !cases.empty()) {
        cases.back().runs.push_back({number, rest, input, {}, {}, 0});
        input.clear();
      } else if (cases.empty() || cases.back().runs.empty()) {
        ADD_FAILURE() << file << ":" << number << ": a result before any command: " << line;
      } else if (CaseRun& run = cases.back().runs.back(); line[0] == '>') {
        if (!run.out) run.out.emplace();
        run.out->push_back(Replace(rest, "|", "\t"));
      } else if (line[0] == '!') {
        if (!run.err) run.err.emplace();
        run.err->push_back(rest);
      } else if (line[0] == '=') {
        run.status = std::stoi(rest);
      } else {
        ADD_FAILURE() << file << ":" << number << ": unknown line " << line;
      }
    }
  }
  return cases;
}

// Names a case in test output instead of its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.file << ": " << c.name; }

class CaseFileTest : public ::testing::TestWithParam<Case> {};

TEST_P(CaseFileTest, GivesTheWrittenResults) {
  const Case& c = GetParam();
  TempFolder folder;
  const std::string dir = folder.Path();
  const auto inFolder = [&dir](std::vector<std::string> lines) {
    for (std::string& line : lines) line = Replace(line, "{dir}", dir);
    return lines;
  };
  for (const CaseRun& run : c.runs) {
    SCOPED_TRACE(c.file + ":" + std::to_string(run.line) + ": " + run.command);
    const CliResult result = RunCli(inFolder(SplitWords(run.command)), run.input);
    EXPECT_EQ(result.status, run.status) << result.err;
    if (run.out) {
      EXPECT_EQ(Lines(result.out), inFolder(*run.out));
    }
    if (run.err) {
      EXPECT_EQ(Lines(result.err), inFolder(*run.err));
    }
  }
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name;
  for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Sessions, CaseFileTest, ::testing::ValuesIn(LoadCases()), CaseName);

}  // namespace
}  // namespace kestrel::cli_test
