#include "report/report_writer.h"

#include <sys/types.h>

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <utility>

#include "platform/file_access.h"
#include "platform/printf_format.h"

namespace kestrel {

namespace {

constexpr int kDefaultFontSize = 9;  // points
// Landscape letter, 11 x 8.5 inches.
constexpr int kLandscapeWidth = 15840;   // twips
constexpr int kLandscapeHeight = 12240;  // twips
// A file shorter than this cannot hold a report to append to; it gets a new
// header instead. Every header is longer, so writing one from the start of the
// file covers whatever the file held.
constexpr long kShortestReport = 20;  // bytes

constexpr std::string_view kNothingToShow = "There is nothing to display/print!";
constexpr std::string_view kCsvError =
    "error writing to csv file (make sure file is not already open in another program - "
    "aborting";

// Paths go into the texts as they are, followed by the system's reason.
std::string OpenError(const std::string& path, const std::string& reason) {
  return Sprintf("error opening file %s: %s", path.c_str(), reason.c_str());
}

// The file opened but the bytes did not all reach the disk.
std::string WriteError(const std::string& path, const std::string& reason) {
  return Sprintf("error writing file %s: %s", path.c_str(), reason.c_str());
}

// The reason of a failed stdio call, taken at once before errno changes.
std::string LastError() { return ErrorText(errno != 0 ? errno : EIO); }

struct Tag {
  std::string_view tag;
  std::string_view rtf;
};

// Replaced one tag after the other, in this order.
constexpr std::array<Tag, 7> kTags = {{
    {"$tab$", "\\tab "},
    {"$cf0$", "\\cf0 "},
    {"$cf2$", "\\cf2 "},
    {"$cf4$", "\\cf4 "},
    {"$cf6$", "\\cf6 "},
    {"$b$", "\\b "},
    {"$b0$", "\\b0 "},
}};

// Every non-overlapping occurrence, left to right, like a plain text replace.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::string::size_type at = text.find(from);
  if (at == std::string::npos) return;
  std::string result;
  result.reserve(text.size() + text.size() / 4);
  std::string::size_type start = 0;
  while (at != std::string::npos) {
    result.append(text, start, at - start);
    result.append(to);
    start = at + from.size();
    at = text.find(from, start);
  }
  result.append(text, start);
  text.swap(result);
}

bool WriteBytes(std::FILE* file, std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Report lines turned into RTF and handed to stdio in blocks, so that a long
// report is neither held whole in memory nor written a line at a time. The
// file is opened at the first line, by `open`, which gives the bytes that go
// before the lines (the header) or returns null when the file cannot be made.
class RtfBlocks : public ReportLines {
 public:
  using Opener = std::function<std::FILE*(std::string& prefix)>;
  explicit RtfBlocks(Opener open) : open_(std::move(open)) {}

  void Add(std::string_view line) override {
    if (count_++ == 0) {
      block_.reserve(kBlock + 1024);
      file_ = open_(block_);
    }
    if (file_ == nullptr || !written_) return;
    AppendRtfLine(block_, line);
    if (block_.size() >= kBlock) Flush();
  }

  std::size_t Count() const { return count_; }
  bool OpenFailed() const { return count_ > 0 && file_ == nullptr; }
  // The rest and the closing brace; false when any write failed.
  bool Close() {
    block_ += '}';
    Flush();
    return written_;
  }

 private:
  static constexpr std::size_t kBlock = 64 * 1024;

  void Flush() {
    written_ = written_ && WriteBytes(file_, block_);
    block_.clear();
  }

  Opener open_;
  std::FILE* file_ = nullptr;
  std::string block_;
  std::size_t count_ = 0;
  bool written_ = true;
};

// Lines into a document held in memory (the on-screen report) or a list.
class RtfText : public ReportLines {
 public:
  explicit RtfText(std::string& document) : document_(document) {}
  void Add(std::string_view line) override {
    AppendRtfLine(document_, line);
    ++count_;
  }
  std::size_t Count() const { return count_; }

 private:
  std::string& document_;
  std::size_t count_ = 0;
};

class LineList : public ReportLines {
 public:
  void Add(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

ReportSource FromList(const std::vector<std::string>& lines) {
  return [&lines](ReportLines& out) {
    for (const std::string& line : lines) out.Add(line);
  };
}

}  // namespace

std::string RtfFontTable() { return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}"; }

std::string RtfFontSize(const ReportSettings& settings) {
  const int points = settings.fontSize > 0 ? settings.fontSize : kDefaultFontSize;
  // Widened so that an absurd size cannot overflow when doubled.
  return Sprintf("\\fs%1lld ", 2LL * points);
}

std::string RtfPageSize(const ReportSettings& settings, bool landscape) {
  if (landscape) {
    return Sprintf("\\landscape\\paperw%1d\\paperh%1d ", kLandscapeWidth, kLandscapeHeight);
  }
  if (settings.paperWidth == 0 || settings.paperHeight == 0) return {};
  if (settings.paperHeight < settings.paperWidth) {
    return Sprintf("\\landscape\\paperw%1d\\paperh%1d ", settings.paperWidth, settings.paperHeight);
  }
  return Sprintf("\\paperh%1d\\paperw%1d ", settings.paperHeight, settings.paperWidth);
}

std::string RtfMargins(const ReportSettings& settings) {
  if (settings.marginLeft == 0) return {};
  return Sprintf("\\margl%1d\\margr%1d\\margt%1d\\margb%1d ", settings.marginLeft,
                 settings.marginRight, settings.marginTop, settings.marginBottom);
}

std::string RtfColourTable() {
  return "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
         "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
         "\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue127;"
         "\\red0\\green127\\blue127;\\red0\\green127\\blue0;"
         "\\red127\\green0\\blue127;\\red127\\green0\\blue0;\\red127\\green127\\blue0;"
         "\\red127\\green127\\blue127;\\red192\\green192\\blue192;}";
}

std::string RtfHeader(const ReportSettings& settings, bool landscape) {
  return RtfFontTable() + RtfFontSize(settings) + RtfPageSize(settings, landscape) +
         RtfMargins(settings) + RtfColourTable();
}

std::string RtfAppendHeader(const ReportSettings& settings, bool landscape) {
  std::string header = RtfFontTable() + RtfFontSize(settings);
  if (landscape) header += RtfPageSize(settings, true);
  return header + RtfColourTable();
}

void AppendRtfLine(std::string& out, std::string_view line) {
  if (!line.empty() && line.front() == '\\') {
    out.append(line);
    return;
  }
  // Backslashes first, so that the tags' own backslashes stay single. Braces
  // are escaped too: a comment holding one must not end a group early.
  if (line.find('$') == std::string_view::npos) {
    // No tag: escaped straight into the document (most lines of a listing
    // have nothing to escape either, and go in whole).
    std::size_t plain = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (c != '\\' && c != '{' && c != '}') continue;
      out.append(line, plain, i - plain);
      out += '\\';
      plain = i;
    }
    out.append(line, plain);
    out += "\\par \r\n";
    return;
  }
  std::string text;
  text.reserve(line.size() + 16);
  for (char c : line) {
    if (c == '\\' || c == '{' || c == '}') text += '\\';
    text += c;
  }
  // One tag after the other, as a later tag may straddle an earlier one.
  for (const Tag& tag : kTags) ReplaceAll(text, tag.tag, tag.rtf);
  out += text;
  out += "\\par \r\n";
}

std::string RtfLine(std::string_view line) {
  std::string out;
  AppendRtfLine(out, line);
  return out;
}

std::string RtfDocument(const ReportSettings& settings, const std::vector<std::string>& lines,
                        bool landscape) {
  std::string document = RtfHeader(settings, landscape);
  for (const std::string& line : lines) AppendRtfLine(document, line);
  document += '}';
  return document;
}

int CReportWriter::WriteReport(const std::vector<std::string>& lines, std::string& target,
                               bool newFile, bool landscape, bool toText) {
  return WriteReportFrom(FromList(lines), target, newFile, landscape, toText);
}

int CReportWriter::WriteReportFrom(const ReportSource& source, std::string& target, bool newFile,
                                   bool landscape, bool toText) {
  if (toText) {
    target = RtfHeader(settings, landscape);
    RtfText document(target);
    source(document);
    if (document.Count() == 0) {
      target.clear();
      failed = true;
      return 0;
    }
    target += '}';
    return 1;
  }
  return newFile ? WriteNewFile(source, target, landscape)
                 : AppendToFile(source, target, landscape);
}

// A new report never replaces an old one until it is complete.
int CReportWriter::WriteNewFile(const ReportSource& source, const std::string& path,
                                bool landscape) {
  AtomicFileWriter writer;
  RtfBlocks blocks([&](std::string& prefix) -> std::FILE* {
    if (!writer.Begin(path)) return nullptr;
    prefix = RtfHeader(settings, landscape);
    return writer.Get();
  });
  source(blocks);
  if (blocks.Count() == 0) return Fail(kNothingToShow);
  if (blocks.OpenFailed()) return Fail(OpenError(path, writer.Reason()));
  if (!blocks.Close()) writer.NoteWriteFailure();
  if (!writer.Commit()) return Fail(WriteError(path, writer.Reason()));
  return Created(path);
}

// The lines go in place of the document's closing brace, under the file's
// lock; a file too short to be a report gets a header first. When the lines
// cannot all be written (a full disk), the bytes they replaced are put back
// and the file cut to its old length, so the report stays whole. Reports
// added to one file are short; their lines are gathered first.
int CReportWriter::AppendToFile(const ReportSource& source, const std::string& path,
                                bool landscape) {
  LineList list;
  source(list);
  if (list.lines.empty()) return Fail(kNothingToShow);
  ExclusiveFile file;
  if (!file.Open(path, ExclusiveFile::Mode::ReadWrite)) {
    return Fail(OpenError(path, file.Reason()));
  }
  std::FILE* stream = file.Get();
  if (fseeko(stream, 0, SEEK_END) != 0) return Fail(OpenError(path, LastError()));
  const off_t size = ftello(stream);
  if (size < 0) return Fail(OpenError(path, LastError()));

  // What the new bytes overwrite: the whole of a short file, else the brace.
  const off_t start = size < kShortestReport ? 0 : size - 1;
  std::string replaced(static_cast<std::size_t>(size - start), '\0');
  bool written = fseeko(stream, start, SEEK_SET) == 0 &&
                 std::fread(replaced.data(), 1, replaced.size(), stream) == replaced.size() &&
                 fseeko(stream, start, SEEK_SET) == 0;
  if (written) {
    RtfBlocks blocks([&](std::string& prefix) {
      if (start == 0) prefix = RtfAppendHeader(settings, landscape);
      return stream;
    });
    FromList(list.lines)(blocks);
    written = blocks.Close() && std::fflush(stream) == 0;
  }
  if (!written) {
    const std::string reason = LastError();
    const int fd = ::fileno(stream);
    std::clearerr(stream);
    if (::ftruncate(fd, size) == 0) {
      [[maybe_unused]] const ssize_t restored =
          ::pwrite(fd, replaced.data(), replaced.size(), start);
    }
    return Fail(WriteError(path, reason));
  }
  if (!file.Close()) return Fail(WriteError(path, file.Reason()));
  return Created(path);
}

int CReportWriter::WriteCsv(const std::vector<std::string>& lines, const std::string& path) {
  AtomicFileWriter writer;
  bool written = writer.Begin(path);
  for (std::size_t i = 0; written && i < lines.size(); ++i) {
    written = WriteBytes(writer.Get(), lines[i]) && WriteBytes(writer.Get(), "\r\n");
    if (!written) writer.NoteWriteFailure();
  }
  if (!writer.Commit()) {
    return Fail(Sprintf("%s\n%s: %s", std::string(kCsvError).c_str(), path.c_str(),
                        writer.Reason().c_str()));
  }
  return Created(path);
}

int CReportWriter::Fail(std::string_view message) {
  failed = true;
  messages_.Show(message);
  return 0;
}

int CReportWriter::Created(const std::string& path) {
  messages_.Show(Sprintf("file %s created", path.c_str()));
  return 1;
}

}  // namespace kestrel
