#pragma once
// The LandXML survey file of a Stadia sheet: the stations as COGO points, one
// instrument set-up per AT/BS row and the SD/HT shots as reduced observations
// with their angles as booked (packed degrees, minutes and seconds).
#include <functional>
#include <string>
#include <string_view>

namespace kestrel {

class Stadia;

// Command 50: asks for the file with the save-file dialog (in the job folder);
// on confirmation writes it and shows "xml output file %s created". Cancel
// writes nothing. Returns 0.
int ExportLandXml(Stadia& sheet);

// The whole file, every line ended by CR LF, in UTF-8.
std::string StadiaLandXml(const Stadia& sheet);
// The same text handed to `write` a piece at a time, in order.
using XmlWrite = std::function<void(std::string_view)>;
void WriteStadiaLandXml(const Stadia& sheet, const XmlWrite& write);

// Windows-1252 text as the value of an XML attribute: in UTF-8, with & < > " '
// and tab, CR and LF as references; other control characters, which XML cannot
// hold, become blanks.
std::string XmlAttributeText(std::string_view text);

}  // namespace kestrel
