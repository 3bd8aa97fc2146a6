// The report writer's bytes: every expected document below is written out by
// hand from the RTF form the viewers are given, never taken from the writer.
#include "report/report_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/file_access.h"
#include "platform/recording_ports.h"
#include "platform/scratch_disk.h"
#include "report/rtf_form.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using testing::RtfFile;

const std::string kLandscapeLetter = "\\landscape\\paperw15840\\paperh12240 ";

std::string ReadBytes(const std::string& path) { return ReadWholeFile(path).value_or("?"); }
void WriteBytes(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(WriteFileAtomically(path, bytes));
}

class ReportWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scratch_.Ok()); }
  std::string PathOf(const std::string& name) const { return scratch_.File(name); }

  testing::ScratchFolder scratch_;
  RecordingMessages messages_;
};

// The whole document in each page mode, one line as its body.
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
      {"font size 8", S{.fontSize = 8}, false, "\\fs16 "},
      {"portrait paper", a4, false, "\\fs18 \\paperh16838\\paperw11906 "},
      {"wide paper", wide, false, "\\fs18 \\landscape\\paperw16838\\paperh11906 "},
      {"width only", S{.paperWidth = 16838}, false, "\\fs18 "},
      {"landscape flag over paper", a4, true, "\\fs18 " + kLandscapeLetter},
      {"margins", S{.marginLeft = 1440, .marginRight = 720, .marginTop = 360}, false,
       "\\fs18 \\margl1440\\margr720\\margt360\\margb0 "},
      {"margins without left", S{.marginRight = 720, .marginTop = 360}, false, "\\fs18 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string expected = RtfFile(c.between, {"A"});
    CReportWriter writer(messages_);
    writer.settings = c.settings;
    std::string text = "left over";
    EXPECT_EQ(writer.WriteReport({"A"}, text, true, c.landscape, true), 1);
    EXPECT_EQ(text, expected);
  }
  // A new file replaces any older, longer one.
  CReportWriter writer(messages_);
  std::string path = PathOf("list.rtf");
  WriteBytes(path, std::string(5000, 'x'));
  EXPECT_EQ(writer.WriteReport({"A"}, path, true, false, false), 1);
  EXPECT_EQ(ReadBytes(path), RtfFile("\\fs18 ", {"A"}));
  EXPECT_EQ(messages_.texts, std::vector<std::string>{"file " + path + " created"});
  EXPECT_FALSE(writer.failed);
}

TEST_F(ReportWriterTest, LineEscapingAndTags) {
  const std::pair<std::string, std::string> cases[] = {
      {"Stn 12$tab$1.500", "Stn 12\\tab 1.500\\par \r\n"},
      {"a\\$b$word$b0$", "a\\\\\\b word\\b0 \\par \r\n"},
      {"$cf0$$cf2$b$cf4$g$cf6$r", "\\cf0 \\cf2 b\\cf4 g\\cf6 r\\par \r\n"},
      {"\\{", "\\{"},  // raw: nothing escaped
      {"c:\\job\\{1}", "c:\\\\job\\\\\\{1\\}\\par \r\n"},
      {"\\pard$b$x", "\\pard$b$x"},
      // Tags are replaced one after the other, so overlapping ones resolve by
      // that order rather than by position.
      {"$b0$b$", "$b0\\b \\par \r\n"},
      {"$b$b0$", "\\b b0$\\par \r\n"},
      {"$B$ $tab", "$B$ $tab\\par \r\n"},
  };
  for (const auto& [line, rtf] : cases) EXPECT_EQ(RtfLine(line), rtf) << line;
}

// Appending replaces a report's closing brace; a file too short to hold a
// report gets a header first, in which the paper size and margins are not
// repeated. The landscape flag only matters for a new header.
TEST_F(ReportWriterTest, AppendOntoAnExistingFile) {
  struct Case {
    const char* name;
    std::optional<std::string> before;
    bool landscape;
    std::string after;
  };
  const std::vector<std::string> lines = {"L1", "\\cf6 L2"};
  const std::string body = "L1\\par \r\n\\cf6 L2\\par \r\n}",
                    landscape = "\\fs24 " + kLandscapeLetter;
  const Case cases[] = {
      {"report", RtfFile("\\fs18 ", {"one"}), true, RtfFile("\\fs18 ", {"one", "L1", "\\cf6 L2"})},
      {"missing", std::nullopt, false, RtfFile("\\fs24 ", lines)},
      {"19 bytes", std::string(19, '}'), true, RtfFile(landscape, lines)},
      {"20 bytes", std::string(19, 'x') + "}", true, std::string(19, 'x') + body},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = PathOf("short.rtf");
    fs::remove(path);
    if (c.before) WriteBytes(path, *c.before);
    CReportWriter writer(messages_);
    writer.settings = {
        .paperWidth = 16838, .paperHeight = 11906, .marginLeft = 1440, .fontSize = 12};
    EXPECT_EQ(writer.WriteReport({"L1", "$cf6$L2"}, path, false, c.landscape, false), 1);
    EXPECT_EQ(ReadBytes(path), c.after);
    EXPECT_EQ(messages_.texts.back(), "file " + path + " created");
  }
}

// Without lines, or where the file cannot be opened, nothing is written and
// every file stays as it was; the message says why.
TEST_F(ReportWriterTest, FailuresLeaveFilesAsTheyWere) {
  const std::string old = RtfFile("\\fs18 ", {"kept"});
  const std::string existing = PathOf("old.rtf"), locked = PathOf("locked.rtf"),
                    missing = PathOf("no such folder/r.rtf"), readOnly = PathOf("read-only.rtf");
  for (const std::string& path : {existing, locked, readOnly}) WriteBytes(path, old);
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  ExclusiveFile holder;
  ASSERT_TRUE(holder.Open(locked, ExclusiveFile::Mode::Read));
  const struct {
    std::vector<std::string> lines;
    std::string path, message;
  } cases[] = {
      {{}, existing, "There is nothing to display/print!"},
      {{"x"}, missing, "error opening file " + missing + ": " + testing::Reason(ENOENT)},
      {{"x"}, locked, "error opening file " + locked + ": the file is in use by another program"},
      {{"x"}, readOnly, "error opening file " + readOnly + ": " + testing::Reason(EACCES)},
  };
  for (bool newFile : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.path + (newFile ? " new" : " append"));
      messages_.texts.clear();
      CReportWriter writer(messages_);
      std::string path = c.path;
      EXPECT_EQ(writer.WriteReport(c.lines, path, newFile, false, false), 0);
      EXPECT_TRUE(writer.failed);
      EXPECT_EQ(messages_.texts, std::vector<std::string>{c.message});
    }
  }
  ASSERT_TRUE(holder.Close());
  for (const std::string& path : {existing, locked, readOnly}) EXPECT_EQ(ReadBytes(path), old);
  EXPECT_FALSE(fs::exists(PathOf("no such folder")));

  // Into a text, no lines give no text and no message.
  messages_.texts.clear();
  CReportWriter toText(messages_);
  std::string text = "left over";
  EXPECT_EQ(toText.WriteReport({}, text, true, false, true), 0);
  EXPECT_EQ(text, "");
  EXPECT_TRUE(toText.failed);
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(ReportWriterTest, CsvLinesEndWithCrLf) {
  std::string path = PathOf("trav.csv");
  WriteBytes(path, "older and longer content\r\n");
  CReportWriter writer(messages_);
  EXPECT_EQ(writer.WriteCsv({"Stn,East,North", "", "1,100.000,2\xB0"}, path), 1);
  EXPECT_EQ(ReadBytes(path), "Stn,East,North\r\n\r\n1,100.000,2\xB0\r\n");
  EXPECT_FALSE(writer.failed);
  EXPECT_EQ(writer.WriteCsv({"a"}, PathOf("missing/x.csv")), 0);
  EXPECT_TRUE(writer.failed);
  EXPECT_EQ(messages_.texts, (std::vector<std::string>{
                                 "file " + path + " created",
                                 "error writing to csv file (make sure file is not already "
                                 "open in another program - aborting\n" +
                                     PathOf("missing/x.csv") + ": " + testing::Reason(ENOENT)}));
}

// A real RTF reader must accept the document and show every line's text.
TEST_F(ReportWriterTest, ReadableByAnRtfReader) {
  ASSERT_EQ(std::system("command -v unrtf >/dev/null 2>&1"), 0) << "unrtf is not installed";
  const std::vector<std::string> lines = {"$b$STADIA LISTING$b0$",
                                          "Pt$tab$Easting",
                                          "$cf6$check shot$cf0$",
                                          "comment {brace} here",
                                          "path c:\\jobs\\north",
                                          "$cf2$unclosed { brace",
                                          "",
                                          "last line"};
  // The pieces of text a reader must show, in order.
  const std::string shown[] = {"STADIA LISTING",
                               "Pt",
                               "Easting",
                               "check shot",
                               "comment {brace} here",
                               "path c:\\jobs\\north",
                               "unclosed { brace",
                               "last line"};
  std::string path = PathOf("read.rtf");
  CReportWriter writer(messages_);
  ASSERT_EQ(writer.WriteReport(lines, path, true, false, false), 1);
  std::string out = PathOf("read.txt");
  ASSERT_EQ(std::system(("unrtf --text '" + path + "' > '" + out + "' 2>/dev/null").c_str()), 0);
  std::string text = ReadBytes(out);

  std::string::size_type from = 0;
  for (const std::string& piece : shown) {
    const std::string::size_type at = text.find(piece, from);
    ASSERT_NE(at, std::string::npos) << piece << " in " << text;
    from = at + piece.size();
  }
}

}  // namespace
}  // namespace kestrel
