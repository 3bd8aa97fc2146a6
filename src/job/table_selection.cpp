#include "job/table_selection.h"

#include <optional>

#include "job/choose_sheet.h"
#include "job/path_parts.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

constexpr std::string_view kPrecisionExtension = ".precisionstadia";

constexpr std::array<BrowseFilter, 8> kBrowseFilters{{
    {"All Files (*.*)", "*.*"},
    {"Level Books (lvlbk*.*)", "lvlbk*.*"},
    {"Level Sheets GYRE (lvlsh *.*)", "lvlsh*.*"},
    {"Level Sheets V3.03 (lvl2sh*.*)", "lvl2sh*.*"},
    {"Stadia Entry (stad*.*)", "stad*.*"},
    {"Traditional Stadia (trad*.*)", "trad*.*"},
    {"Traverse Entry (trav*.*)", "trav*.*"},
    {"precisionstadia (*.precisionstadia*) ", "*.precisionstadia*"},
}};

// Indexed by sheet type.
constexpr std::array<int, kSheetTypeCount> kFilterIndexOfType{5, 6, 7, 2, 3, 8};
constexpr std::array<const char*, kSheetTypeCount> kInitialNameOfType{
    "stad*.*", "trad*.*", "trav*.*", "lvlbk*.*", "lvlsh*.*", "*.precisionstadia*"};

int TypeIndex(SheetType type) { return static_cast<int>(SheetTypeInfoOf(type).type); }

struct NameKeyword {
  std::string_view text;
  SheetType type;
};

// Checked in this order against the start of a browsed file name.
constexpr std::array<NameKeyword, 7> kNameKeywords{{
    {"precisionstadia", SheetType::PrecisionStadia},
    {"stad", SheetType::Stadia},
    {"trad", SheetType::Traditional},
    {"trav", SheetType::Traverse},
    {"lvlbk", SheetType::LevelBook},
    {"lvlsh", SheetType::LevelSheet},
    {"lvl2sh", SheetType::LevelSheet},
}};

const char* BrowsedLabel(SheetType type) {
  if (type == SheetType::PrecisionStadia) return "Survey Number";
  return LabelForType(type);
}

}  // namespace

std::string InitialSheetPath(const JobLocation& job, SheetType type, int number) {
  return SheetFileName(type, job, number);
}

std::string RebuildSheetPath(std::string_view presentPath, SheetType type, int number) {
  const PathParts parts = SplitPath(presentPath);
  const bool fromPrecision = IsPrecisionStadiaPath(presentPath);
  const std::string jobName = fromPrecision             ? parts.title
                              : parts.extension.empty() ? std::string()
                                                        : parts.extension.substr(1);
  const SheetTypeInfo& info = SheetTypeInfoOf(type);
  if (info.type == SheetType::PrecisionStadia) {
    return Sprintf("%s%s%s.precisionstadia%1d", parts.drive.c_str(), parts.folder.c_str(),
                   jobName.c_str(), number);
  }
  const std::string extension = fromPrecision ? "." + jobName : parts.extension;
  return Sprintf("%s%s%s%1d%s", parts.drive.c_str(), parts.folder.c_str(), info.stem, number,
                 extension.c_str());
}

const char* LabelForType(SheetType type) { return SheetTypeInfoOf(type).label; }

const std::array<BrowseFilter, 8>& BrowseFilters() { return kBrowseFilters; }

std::string BrowseFilterText() {
  std::string text;
  for (const BrowseFilter& filter : kBrowseFilters) {
    text += filter.description;
    text += '|';
    text += filter.pattern;
    text += '|';
  }
  text += '|';
  return text;
}

int BrowseFilterIndex(SheetType type) { return kFilterIndexOfType[TypeIndex(type)]; }

const char* BrowseInitialName(SheetType type) { return kInitialNameOfType[TypeIndex(type)]; }

std::string BrowseFolder(std::string_view presentPath) {
  const PathParts parts = SplitPath(presentPath);
  return NativePath(parts.drive + parts.folder);
}

BrowsedSheet SheetFromBrowsedFile(const std::string& chosenPath, SheetType presentType,
                                  int presentNumber) {
  BrowsedSheet sheet;
  sheet.type = presentType;
  sheet.number = presentNumber;
  sheet.path = chosenPath;

  const std::string name = LowerCaseAscii(FileNameOf(chosenPath));
  const PathParts parts = SplitPath(name);
  if (parts.extension.starts_with(kPrecisionExtension)) {
    sheet.type = SheetType::PrecisionStadia;
    sheet.number = ReadInt(std::string_view(parts.extension).substr(kPrecisionExtension.size()));
  } else {
    for (const NameKeyword& keyword : kNameKeywords) {
      if (!name.starts_with(keyword.text)) continue;
      sheet.number = ReadInt(std::string_view(name).substr(keyword.text.size()));
      // A precision stadia job whose name begins with "stad" stays precision.
      const bool keepPrecision =
          keyword.type == SheetType::Stadia && presentType == SheetType::PrecisionStadia;
      if (!keepPrecision) sheet.type = keyword.type;
      break;
    }
  }
  sheet.label = BrowsedLabel(sheet.type);
  return sheet;
}

}  // namespace kestrel
