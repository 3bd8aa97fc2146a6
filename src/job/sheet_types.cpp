#include "job/sheet_types.h"

#include "job/path_parts.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

using enum SheetType;
using enum SheetNameForm;

// The radio button text of the traverse keeps its trailing blank, and the
// precision stadia filter's description its trailing blank: they are the
// dialog's own texts. A browsed precision stadia file shows "Survey Number"
// although the kind's own label is "Level Number".
constexpr std::array<SheetTypeInfo, kSheetTypeCount> kSheetTypes{{
    {Stadia,
     "stadia",
     NumberFirst,
     "Survey Number",
     "Stadia",
     {"stad", nullptr},
     {{{"Stadia Entry (stad*.*)", "stad*.*"}, {nullptr, nullptr}}},
     "Survey Number",
     std::nullopt},
    {Traditional,
     "traditional",
     NumberFirst,
     "Survey Number",
     "Traditional Stadia",
     {"trad", nullptr},
     {{{"Traditional Stadia (trad*.*)", "trad*.*"}, {nullptr, nullptr}}},
     "Survey Number",
     std::nullopt},
    {Traverse,
     "traverse",
     NumberFirst,
     "Traverse Number",
     "Traverse ",
     {"trav", nullptr},
     {{{"Traverse Entry (trav*.*)", "trav*.*"}, {nullptr, nullptr}}},
     "Traverse Number",
     std::nullopt},
    {LevelBook,
     "levelbook",
     NumberFirst,
     "Level Number",
     "Level Book",
     {"lvlbk", nullptr},
     {{{"Level Books (lvlbk*.*)", "lvlbk*.*"}, {nullptr, nullptr}}},
     "Level Number",
     std::nullopt},
    {LevelSheet,
     "levelsheet",
     NumberFirst,
     "Level Number",
     "Level Sheet",
     {"lvlsh", "lvl2sh"},
     {{{"Level Sheets GYRE (lvlsh *.*)", "lvlsh*.*"},
       {"Level Sheets V3.03 (lvl2sh*.*)", "lvl2sh*.*"}}},
     "Level Number",
     std::nullopt},
    {PrecisionStadia,
     "precisionstadia",
     JobFirst,
     "Level Number",
     "Precision Stadia",
     {"precisionstadia", nullptr},
     {{{"precisionstadia (*.precisionstadia*) ", "*.precisionstadia*"}, {nullptr, nullptr}}},
     "Survey Number",
     Stadia},
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

std::string SheetKeywordList() {
  std::string list;
  for (std::size_t i = 0; i < kSheetTypes.size(); ++i) {
    if (i > 0) list += i + 1 == kSheetTypes.size() ? " or " : ", ";
    list += kSheetTypes[i].keyword;
  }
  return list;
}

void SheetTypeFlags::Set(SheetType type) {
  Clear();
  switch (type) {
    case Stadia:
      stadia = true;
      break;
    case Traditional:
      traditional = true;
      break;
    case Traverse:
      traverse = true;
      break;
    case LevelBook:
      levelbook = true;
      break;
    case LevelSheet:
      levelsheet = true;
      break;
    case PrecisionStadia:
      precisionstadia = true;
      break;
  }
}

std::optional<SheetType> SheetTypeFlags::First() const {
  if (stadia) return Stadia;
  if (traditional) return Traditional;
  if (traverse) return Traverse;
  if (levelbook) return LevelBook;
  if (levelsheet) return LevelSheet;
  if (precisionstadia) return PrecisionStadia;
  return std::nullopt;
}

std::string SheetFileName(SheetType type, std::string_view drive, std::string_view folder,
                          std::string_view job, int number) {
  const SheetTypeInfo& info = SheetTypeInfoOf(type);
  const std::string d(drive), f(folder), j(job);
  if (info.form == JobFirst) {
    return Sprintf("%s%s%s.%s%1d", d.c_str(), f.c_str(), j.c_str(), info.Stem(), number);
  }
  return Sprintf("%s%s%s%1d.%s", d.c_str(), f.c_str(), info.Stem(), number, j.c_str());
}

std::string SheetFileName(SheetType type, const JobLocation& job, int number) {
  return SheetFileName(type, job.drive, job.folder, job.job, number);
}

std::optional<SheetNameMatch> FindSheetStem(std::string_view path, StemPlace place) {
  const std::string name = LowerCaseAscii(FileNameOf(path));
  for (const SheetTypeInfo& info : kSheetTypes) {
    for (const char* stem : info.nameStems) {
      if (stem == nullptr) continue;
      const std::size_t at = name.find(stem);
      if (at == std::string::npos || (place == StemPlace::AtStart && at != 0)) continue;
      const std::string_view after =
          std::string_view(name).substr(at + std::string_view(stem).size());
      return SheetNameMatch{info.type, ReadInt(after)};
    }
  }
  return std::nullopt;
}

std::optional<SheetNameMatch> JobFirstSheetName(std::string_view path) {
  const std::string name = LowerCaseAscii(FileNameOf(path));
  for (const SheetTypeInfo& info : kSheetTypes) {
    if (info.form != JobFirst) continue;
    const std::string mark = std::string(".") + info.Stem();
    const std::size_t at = name.find(mark);
    if (at == std::string::npos) continue;
    return SheetNameMatch{info.type, ReadInt(std::string_view(name).substr(at + mark.size()))};
  }
  return std::nullopt;
}

std::optional<SheetNameMatch> RecognizeSheetFile(std::string_view path) {
  if (const std::optional<SheetNameMatch> jobFirst = JobFirstSheetName(path)) return jobFirst;
  return FindSheetStem(path, StemPlace::Anywhere);
}

}  // namespace kestrel
