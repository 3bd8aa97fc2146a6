#include "job/recent_sheet.h"

namespace kestrel {

std::optional<RecentSheet> DetectRecentSheet(std::string_view recentFile) {
  return FindSheetStem(recentFile, StemPlace::Anywhere);
}

}  // namespace kestrel
