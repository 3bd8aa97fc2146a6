#pragma once
// The RTF document the report writer makes, written out by hand from its
// published form: the font table, the page commands, the colour table, then
// every line ended by "\par " and CR LF, and the closing brace.
#include <string>
#include <vector>

namespace kestrel::testing {

inline const std::string kRtfFont = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}";
inline const std::string kRtfColours =
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
    "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
    "\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue127;"
    "\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;"
    "\\red127\\green0\\blue0;\\red127\\green127\\blue0;\\red127\\green127\\blue127;"
    "\\red192\\green192\\blue192;}";

// `page` stands between the font table and the colour table.
inline std::string RtfFile(const std::string& page, const std::vector<std::string>& lines) {
  std::string text = kRtfFont + page + kRtfColours;
  for (const std::string& line : lines) text += line + "\\par \r\n";
  return text + "}";
}

}  // namespace kestrel::testing
