#pragma once
// The sheet type and number of the most recently used file, which the table
// selection dialog offers first when it agrees with the job's sheet type.
#include <optional>
#include <string_view>

#include "job/sheet_types.h"

namespace kestrel {

using RecentSheet = SheetNameMatch;

// The recent file's kind and number: the first sheet stem found anywhere in
// its lower-cased name (FindSheetStem). The folder is left out so that a
// folder named "stadia" does not decide the kind; the extension is kept. As
// "precisionstadia" holds "stad", which is searched first,
// "tst.precisionstadia2" comes out as a stadia sheet with number 0. nullopt
// when no stem is found or the path is empty.
std::optional<RecentSheet> DetectRecentSheet(std::string_view recentFile);

}  // namespace kestrel
