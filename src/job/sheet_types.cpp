#include "job/sheet_types.h"

#include "platform/printf_format.h"

namespace kestrel {
namespace {

// The radio button text of the traverse keeps its trailing blank: it is the
// dialog's own text.
constexpr std::array<SheetTypeInfo, kSheetTypeCount> kSheetTypes{{
    {SheetType::Stadia, "stadia", "stad", "%s%sstad%1d.%s", "Survey Number", "Stadia"},
    {SheetType::Traditional, "traditional", "trad", "%s%strad%1d.%s", "Survey Number",
     "Traditional Stadia"},
    {SheetType::Traverse, "traverse", "trav", "%s%strav%1d.%s", "Traverse Number", "Traverse "},
    {SheetType::LevelBook, "levelbook", "lvlbk", "%s%slvlbk%1d.%s", "Level Number", "Level Book"},
    {SheetType::LevelSheet, "levelsheet", "lvlsh", "%s%slvlsh%1d.%s", "Level Number",
     "Level Sheet"},
    {SheetType::PrecisionStadia, "precisionstadia", "precisionstadia", "%s%s%s.precisionstadia%1d",
     "Level Number", "Precision Stadia"},
}};

}  // namespace

const std::array<SheetTypeInfo, kSheetTypeCount>& SheetTypeTable() { return kSheetTypes; }

const SheetTypeInfo& SheetTypeInfoOf(SheetType type) {
  const int index = static_cast<int>(type);
  // A value cast from an unchecked integer falls back to the first type.
  return (index >= 0 && index < kSheetTypeCount) ? kSheetTypes[index] : kSheetTypes[0];
}

std::optional<SheetType> SheetTypeFromKeyword(std::string_view keyword) {
  for (const SheetTypeInfo& info : kSheetTypes) {
    if (keyword == info.keyword) return info.type;
  }
  return std::nullopt;
}

void SheetTypeFlags::Set(SheetType type) {
  Clear();
  switch (type) {
    case SheetType::Stadia:
      stadia = true;
      break;
    case SheetType::Traditional:
      traditional = true;
      break;
    case SheetType::Traverse:
      traverse = true;
      break;
    case SheetType::LevelBook:
      levelbook = true;
      break;
    case SheetType::LevelSheet:
      levelsheet = true;
      break;
    case SheetType::PrecisionStadia:
      precisionstadia = true;
      break;
  }
}

std::optional<SheetType> SheetTypeFlags::First() const {
  if (stadia) return SheetType::Stadia;
  if (traditional) return SheetType::Traditional;
  if (traverse) return SheetType::Traverse;
  if (levelbook) return SheetType::LevelBook;
  if (levelsheet) return SheetType::LevelSheet;
  if (precisionstadia) return SheetType::PrecisionStadia;
  return std::nullopt;
}

std::string SheetFileName(SheetType type, const JobLocation& job, int number) {
  const SheetTypeInfo& info = SheetTypeInfoOf(type);
  // The precision stadia file carries the job name first and the number in its
  // extension; every other sheet the number first and the job as extension.
  if (info.type == SheetType::PrecisionStadia) {
    return Sprintf(info.pattern, job.drive.c_str(), job.folder.c_str(), job.job.c_str(), number);
  }
  return Sprintf(info.pattern, job.drive.c_str(), job.folder.c_str(), number, job.job.c_str());
}

}  // namespace kestrel
