#include "job/recent_sheet.h"

#include <array>
#include <string>

#include "job/path_parts.h"
#include "platform/number_text.h"

namespace kestrel {
namespace {

struct RecentKeyword {
  std::string_view text;
  SheetType type;
};

// The search order matters: the first keyword found wins.
constexpr std::array<RecentKeyword, 7> kRecentKeywords{{
    {"stad", SheetType::Stadia},
    {"trad", SheetType::Traditional},
    {"trav", SheetType::Traverse},
    {"lvlbk", SheetType::LevelBook},
    {"lvlsh", SheetType::LevelSheet},
    {"lvl2sh", SheetType::LevelSheet},
    {"precisionstadia", SheetType::PrecisionStadia},
}};

}  // namespace

std::optional<RecentSheet> DetectRecentSheet(std::string_view recentFile) {
  const std::string name = LowerCaseAscii(FileNameOf(recentFile));
  for (const RecentKeyword& keyword : kRecentKeywords) {
    const std::size_t at = name.find(keyword.text);
    if (at == std::string::npos) continue;
    const std::string_view after = std::string_view(name).substr(at + keyword.text.size());
    return RecentSheet{keyword.type, ReadInt(after)};
  }
  return std::nullopt;
}

}  // namespace kestrel
