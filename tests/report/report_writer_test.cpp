// The report writer's bytes: every expected document below is written out by
// hand from the RTF form the viewers are given, never taken from the writer.
#include "report/report_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/file_access.h"
#include "platform/recording_ports.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

const std::string kFont = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}";
const std::string kColours =
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
    "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
    "\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue127;"
    "\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;"
    "\\red127\\green0\\blue0;\\red127\\green127\\blue0;\\red127\\green127\\blue127;"
    "\\red192\\green192\\blue192;}";
const std::string kLandscapeLetter = "\\landscape\\paperw15840\\paperh12240 ";

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class ReportWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("kestrel_report_" + std::to_string(getpid()) + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
  RecordingMessages messages_;
};

// The whole document in each page mode, one line "A" as its body.
TEST_F(ReportWriterTest, DocumentInEachPageMode) {
  struct Case {
    const char* name;
    ReportSettings settings;
    bool landscape;
    std::string between;  // what stands between the font table and the colour table
  };
  using S = ReportSettings;
  const S a4{.paperWidth = 11906, .paperHeight = 16838};
  const S wide{.paperWidth = 16838, .paperHeight = 11906};
  const Case cases[] = {
      {"defaults", S{}, false, "\\fs18 "},
      {"font size 8", S{.fontSize = 8}, false, "\\fs16 "},
      {"portrait paper", a4, false, "\\fs18 \\paperh16838\\paperw11906 "},
      {"wide paper", wide, false, "\\fs18 \\landscape\\paperw16838\\paperh11906 "},
      {"square paper", S{.paperWidth = 12000, .paperHeight = 12000}, false,
       "\\fs18 \\paperh12000\\paperw12000 "},
      {"width only", S{.paperWidth = 16838}, false, "\\fs18 "},
      {"landscape flag", S{}, true, "\\fs18 " + kLandscapeLetter},
      {"landscape flag over paper", a4, true, "\\fs18 " + kLandscapeLetter},
      {"margins", S{.marginLeft = 1440, .marginRight = 720, .marginTop = 360}, false,
       "\\fs18 \\margl1440\\margr720\\margt360\\margb0 "},
      {"margins without left", S{.marginRight = 720, .marginTop = 360}, false, "\\fs18 "},
      {"everything", S{16838, 11906, 1000, 900, 800, 700, 10}, false,
       "\\fs20 \\landscape\\paperw16838\\paperh11906 \\margl1000\\margr900\\margt800\\margb700 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CReportWriter writer(messages_);
    writer.settings = c.settings;
    std::string text = "left over";
    EXPECT_EQ(writer.WriteReport({"A"}, text, true, c.landscape, true), 1);
    EXPECT_EQ(text, kFont + c.between + kColours + "A\\par \r\n}");
    EXPECT_FALSE(writer.failed);
  }
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(ReportWriterTest, LineEscapingAndTags) {
  struct Case {
    std::string line;
    std::string rtf;
  };
  const Case cases[] = {
      {"", "\\par \r\n"},
      {"Stn 12$tab$1.500", "Stn 12\\tab 1.500\\par \r\n"},
      {"a\\$b$word$b0$", "a\\\\\\b word\\b0 \\par \r\n"},
      {"$cf0$$cf2$b$cf4$g$cf6$r", "\\cf0 \\cf2 b\\cf4 g\\cf6 r\\par \r\n"},
      {"$tab$$tab$", "\\tab \\tab \\par \r\n"},
      {"{x}", "\\{x\\}\\par \r\n"},
      {"\\{", "\\{"},  // raw: nothing escaped
      {"c:\\job\\{1}", "c:\\\\job\\\\\\{1\\}\\par \r\n"},
      {" \\page", " \\\\page\\par \r\n"},
      {"\\page ", "\\page "},
      {"\\pard$b$x", "\\pard$b$x"},
      {"12\xB0"
       "30'",
       "12\xB0"
       "30'\\par \r\n"},
      // Tags are replaced one after the other, so overlapping ones resolve by
      // that order rather than by position.
      {"$b0$b$", "$b0\\b \\par \r\n"},
      {"$b$b0$", "\\b b0$\\par \r\n"},
      {"$tab$cf0$", "\\tab cf0$\\par \r\n"},
      {"$B$ $tab", "$B$ $tab\\par \r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(RtfLine(c.line), c.rtf);
  }
}

TEST_F(ReportWriterTest, ToTextWithNoLinesProducesNothing) {
  CReportWriter writer(messages_);
  std::string text = "left over";
  EXPECT_EQ(writer.WriteReport({}, text, true, false, true), 0);
  EXPECT_EQ(text, "");
  EXPECT_TRUE(writer.failed);
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(ReportWriterTest, NewFileReplacesAnyOldOne) {
  std::string path = PathOf("list.rtf");
  WriteBytes(path, std::string(5000, 'x'));
  CReportWriter writer(messages_);
  writer.settings.marginLeft = 500;
  writer.settings.marginRight = 400;
  writer.settings.marginTop = 300;
  writer.settings.marginBottom = 200;
  EXPECT_EQ(writer.WriteReport({"$b$Title$b0$", "", "\\page ", "1$tab$2"}, path, true, true, false),
            1);
  EXPECT_EQ(ReadBytes(path), kFont + "\\fs18 " + kLandscapeLetter +
                                 "\\margl500\\margr400\\margt300\\margb200 " + kColours +
                                 "\\b Title\\b0 \\par \r\n\\par \r\n\\page 1\\tab 2\\par \r\n}");
  EXPECT_EQ(messages_.texts, std::vector<std::string>{"file " + path + " created"});
  EXPECT_FALSE(writer.failed);
}

TEST_F(ReportWriterTest, AppendReplacesTheClosingBrace) {
  std::string path = PathOf("errors.rtf");
  CReportWriter first(messages_);
  ASSERT_EQ(first.WriteReport({"one"}, path, true, false, false), 1);

  // Page settings and the landscape flag only matter for a new header.
  CReportWriter second(messages_);
  second.settings.paperWidth = 16838;
  second.settings.paperHeight = 11906;
  second.settings.marginLeft = 1440;
  EXPECT_EQ(second.WriteReport({"two", "$cf6$three"}, path, false, true, false), 1);
  EXPECT_EQ(ReadBytes(path),
            kFont + "\\fs18 " + kColours + "one\\par \r\ntwo\\par \r\n\\cf6 three\\par \r\n}");
  EXPECT_EQ(messages_.texts.back(), "file " + path + " created");
  EXPECT_FALSE(second.failed);
}

TEST_F(ReportWriterTest, AppendOntoAFileTooShortForAReport) {
  struct Case {
    const char* name;
    bool exists;
    std::string before;
    bool landscape;
    std::string after;
  };
  const std::string body = "L1\\par \r\n}";
  const Case cases[] = {
      {"missing", false, "", false, kFont + "\\fs24 " + kColours + body},
      {"empty", true, "", true, kFont + "\\fs24 " + kLandscapeLetter + kColours + body},
      {"new sheet marker", true, "empty", false, kFont + "\\fs24 " + kColours + body},
      {"19 bytes", true, std::string(19, '}'), true,
       kFont + "\\fs24 " + kLandscapeLetter + kColours + body},
      {"20 bytes", true, std::string(19, 'x') + "}", true, std::string(19, 'x') + body},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = PathOf("short.rtf");
    fs::remove(path);
    if (c.exists) WriteBytes(path, c.before);
    CReportWriter writer(messages_);
    // Paper size and margins are not part of the header written on append.
    writer.settings.fontSize = 12;
    writer.settings.paperWidth = 12240;
    writer.settings.paperHeight = 15840;
    writer.settings.marginLeft = 1440;
    EXPECT_EQ(writer.WriteReport({"L1"}, path, false, c.landscape, false), 1);
    EXPECT_EQ(ReadBytes(path), c.after);
  }
}

TEST_F(ReportWriterTest, NothingToWrite) {
  std::string existing = PathOf("old.rtf");
  WriteBytes(existing, "{\\rtf1 old report}");
  for (bool newFile : {true, false}) {
    SCOPED_TRACE(newFile ? "new file" : "append");
    messages_.texts.clear();
    std::string missing = PathOf("none.rtf");
    CReportWriter writer(messages_);
    EXPECT_EQ(writer.WriteReport({}, missing, newFile, false, false), 0);
    EXPECT_EQ(writer.WriteReport({}, existing, newFile, false, false), 0);
    EXPECT_TRUE(writer.failed);
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(ReadBytes(existing), "{\\rtf1 old report}");
    EXPECT_EQ(messages_.texts, std::vector<std::string>(2, "There is nothing to display/print!"));
  }
}

TEST_F(ReportWriterTest, FileThatCannotBeOpened) {
  const std::string old = kFont + "\\fs18 " + kColours + "kept\\par \r\n}";
  std::string locked = PathOf("locked.rtf");
  WriteBytes(locked, old);
  ExclusiveFile holder;
  ASSERT_TRUE(holder.Open(locked, ExclusiveFile::Mode::Read));

  for (bool newFile : {true, false}) {
    for (std::string path : {PathOf("no such folder/r.rtf"), locked}) {
      SCOPED_TRACE(path + (newFile ? " new" : " append"));
      messages_.texts.clear();
      CReportWriter writer(messages_);
      EXPECT_EQ(writer.WriteReport({"x"}, path, newFile, false, false), 0);
      EXPECT_TRUE(writer.failed);
      EXPECT_EQ(messages_.texts, std::vector<std::string>{"error opening file " + path});
    }
  }
  EXPECT_EQ(ReadBytes(locked), old);
  EXPECT_FALSE(fs::exists(PathOf("no such folder")));
}

TEST_F(ReportWriterTest, CsvLinesEndWithCrLf) {
  std::string path = PathOf("trav.csv");
  WriteBytes(path, "older and longer content\r\n");
  CReportWriter writer(messages_);
  EXPECT_EQ(writer.WriteCsv({"Stn,East,North", "", "1,100.000,2\xB0"}, path), 1);
  EXPECT_EQ(ReadBytes(path), "Stn,East,North\r\n\r\n1,100.000,2\xB0\r\n");
  EXPECT_EQ(messages_.texts, std::vector<std::string>{"file " + path + " created"});
  EXPECT_FALSE(writer.failed);
}

TEST_F(ReportWriterTest, CsvThatCannotBeWritten) {
  CReportWriter writer(messages_);
  EXPECT_EQ(writer.WriteCsv({"a"}, PathOf("missing/x.csv")), 0);
  EXPECT_TRUE(writer.failed);
  EXPECT_EQ(messages_.texts,
            std::vector<std::string>{"error writing to csv file (make sure file is not already "
                                     "open in another program - aborting"});
}

// A real RTF reader must accept the document and show every line's text.
TEST_F(ReportWriterTest, ReadableByAnRtfReader) {
  if (std::system("command -v unrtf >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "unrtf is not installed";
  }
  // Each line with the pieces of text a reader must show, in order.
  struct Line {
    std::string line;
    std::vector<std::string> shown;
  };
  const std::vector<Line> lines = {
      {"$b$STADIA LISTING$b0$", {"STADIA LISTING"}},
      {"Pt$tab$Easting$tab$Northing", {"Pt", "Easting", "Northing"}},
      {"$cf6$check shot 12 out by 0.031$cf0$", {"check shot 12 out by 0.031"}},
      {"comment {brace} here", {"comment {brace} here"}},
      {"path c:\\jobs\\north", {"path c:\\jobs\\north"}},
      {"$cf2$unclosed { brace", {"unclosed { brace"}},
      {"", {}},
      {"last line", {"last line"}},
  };
  std::vector<std::string> raw;
  for (const Line& l : lines) raw.push_back(l.line);

  std::string path = PathOf("read.rtf");
  CReportWriter writer(messages_);
  ASSERT_EQ(writer.WriteReport(raw, path, true, false, false), 1);
  std::string out = PathOf("read.txt");
  ASSERT_EQ(std::system(("unrtf --text '" + path + "' > '" + out + "' 2>/dev/null").c_str()), 0);
  std::string text = ReadBytes(out);

  std::string::size_type from = 0;
  for (const Line& l : lines) {
    for (const std::string& piece : l.shown) {
      SCOPED_TRACE(piece);
      std::string::size_type at = text.find(piece, from);
      ASSERT_NE(at, std::string::npos) << text;
      from = at + piece.size();
    }
  }
}

}  // namespace
}  // namespace kestrel
