#pragma once
// The sheet type and number of the most recently used file, which the table
// selection dialog offers first when it agrees with the job's sheet type.
#include <optional>
#include <string_view>

#include "job/sheet_types.h"

namespace kestrel {

struct RecentSheet {
  SheetType type = SheetType::Stadia;
  int number = 0;
};

// The recent file's name (without its folder, extension included) is
// lower-cased and searched for "stad", "trad", "trav", "lvlbk", "lvlsh",
// "lvl2sh" and "precisionstadia" in that order; the first keyword found gives
// the type ("lvl2sh", the older level sheet name, is a level sheet) and the
// integer after it the number. nullopt when no keyword is found or the path is
// empty.
//
// The folder is left out so that a folder named "stadia" does not decide the
// type; the extension is kept because a precision stadia file carries its
// keyword there. As "precisionstadia" contains "stad", which is searched
// first, "tst.precisionstadia2" comes out as a stadia sheet with number 0 (the
// text after "stad" is "ia2", which reads as 0).
std::optional<RecentSheet> DetectRecentSheet(std::string_view recentFile);

}  // namespace kestrel
