#pragma once
// The report writer: every listing and report of a sheet is a list of text
// lines with a few inline tags, turned here into an RTF document (a file in
// the job folder, or a text for an on-screen report window), or written
// unchanged as a CSV file. The writer keeps nothing between calls. A long
// report is handed over as a source that makes its lines while they are
// written, so that it is never held whole in memory.
//
// Line tags: "$tab$", "$cf0$" (default colour), "$cf2$" (blue), "$cf4$"
// (green), "$cf6$" (red), "$b$" (bold on), "$b0$" (bold off). A line whose
// first character is a backslash is raw RTF and is written unchanged.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"

namespace kestrel {

// Page and font settings of one report. All integers; zero means not given.
struct ReportSettings {
  int paperWidth = 0, paperHeight = 0;                                   // twips
  int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;  // twips
  int fontSize = 9;  // points; written as half-points
};

// The pieces of the document, in the order they are written. Exposed so that
// callers and tests can check bytes.

// The RTF opening and the single fixed-pitch font.
std::string RtfFontTable();
// The font-size command ("\fs18 " for 9 points). A size of zero or less is
// taken as the default 9 points.
std::string RtfFontSize(const ReportSettings& settings);
// The page command: landscape letter when `landscape`, otherwise the paper
// size when both width and height are given (oriented by their order),
// otherwise empty.
std::string RtfPageSize(const ReportSettings& settings, bool landscape);
// The margins command when the left margin is given, otherwise empty.
std::string RtfMargins(const ReportSettings& settings);
// The colour table; colour 0 is the default, 2 blue, 4 green, 6 red.
std::string RtfColourTable();

// Everything before the first line of a new document.
std::string RtfHeader(const ReportSettings& settings, bool landscape);
// The header written when appending onto a file too short to hold a report:
// the paper size and margins are not repeated, only the landscape flag.
std::string RtfAppendHeader(const ReportSettings& settings, bool landscape);

// One report line as written into the document (raw lines unchanged, other
// lines escaped, tags replaced, "\par " and CR LF appended).
std::string RtfLine(std::string_view line);
// The same, appended to `out` (saves an allocation per line on long reports).
void AppendRtfLine(std::string& out, std::string_view line);

// The whole document: header, every line, closing brace.
std::string RtfDocument(const ReportSettings& settings, const std::vector<std::string>& lines,
                        bool landscape);

// Receives a report's lines one at a time, in order.
class ReportLines {
 public:
  virtual void Add(std::string_view line) = 0;

 protected:
  ~ReportLines() = default;
};

// Makes a report's lines into `lines`; called once per write.
using ReportSource = std::function<void(ReportLines& lines)>;

class CReportWriter {
 public:
  explicit CReportWriter(Messages& messages) : messages_(messages) {}

  ReportSettings settings;
  // Set when nothing could be written; never cleared by the writer.
  bool failed = false;

  // toText: the whole document into `target` (an empty line list produces
  // nothing). Otherwise `target` is a native file path: a new document
  // (written atomically) when `newFile`, else the lines are added to the
  // existing document in place, replacing its closing brace.
  // Returns 1 when written, 0 when not (failed set).
  int WriteReport(const std::vector<std::string>& lines, std::string& target, bool newFile,
                  bool landscape, bool toText);
  // The same with the lines made while they are written. A source that makes
  // no line gives the same result as an empty list; no file is opened before
  // the first line.
  int WriteReportFrom(const ReportSource& source, std::string& target, bool newFile, bool landscape,
                      bool toText);

  // Each line followed by CR LF, written atomically. Returns 1 when written,
  // 0 when not (failed set).
  int WriteCsv(const std::vector<std::string>& lines, const std::string& path);

 private:
  int WriteNewFile(const ReportSource& source, const std::string& path, bool landscape);
  int AppendToFile(const ReportSource& source, const std::string& path, bool landscape);
  int Fail(std::string_view message);
  int Created(const std::string& path);

  Messages& messages_;
};

}  // namespace kestrel
