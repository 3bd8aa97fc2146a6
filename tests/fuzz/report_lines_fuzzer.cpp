// Report lines with their inline tags, turned into an RTF document.
#include "fuzz_support.h"
#include "report/report_writer.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::Bytes(data, size));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  RecordingMessages messages;
  CReportWriter writer(messages);
  // The first byte picks the page settings, so that they are explored too.
  const int pick = size > 0 ? data[0] : 0;
  writer.settings.fontSize = pick % 20 - 2;
  writer.settings.paperWidth = (pick & 1) ? 12240 : 0;
  writer.settings.paperHeight = (pick & 2) ? 15840 : 0;
  writer.settings.marginLeft = (pick & 4) ? 1440 : 0;
  std::string document;
  writer.WriteReport(lines, document, true, (pick & 8) != 0, true);
  // A document always ends with its closing brace.
  if (!document.empty() && document.back() != '}') std::abort();
  return 0;
}
