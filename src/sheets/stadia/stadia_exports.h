#pragma once
// The observation strings a Stadia sheet hands to the host.
#include <string>

namespace kestrel {

class Stadia;

// Command 51: one "Lot obs1,7,1,<instrument>,<point>" line (CR LF ended) per
// SD/HT row under an AT/BS row, appended to `text` (a scratch text when none
// is given), which is then shown. Returns 0.
int AppendObservationStrings(Stadia& sheet, std::string* text);

}  // namespace kestrel
