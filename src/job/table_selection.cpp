#include "job/table_selection.h"

#include <algorithm>
#include <optional>

#include "job/choose_sheet.h"
#include "job/path_parts.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

std::vector<BrowseFilter> MakeBrowseFilters() {
  std::vector<BrowseFilter> kinds;
  for (const SheetTypeInfo& info : SheetTypeTable()) {
    for (const BrowseFilter& filter : info.filters) {
      if (filter.pattern != nullptr) kinds.push_back(filter);
    }
  }
  std::sort(kinds.begin(), kinds.end(), [](const BrowseFilter& a, const BrowseFilter& b) {
    return std::string_view(a.description) < std::string_view(b.description);
  });
  std::vector<BrowseFilter> filters{{"All Files (*.*)", "*.*"}};
  filters.insert(filters.end(), kinds.begin(), kinds.end());
  return filters;
}

}  // namespace

std::string InitialSheetPath(const JobLocation& job, SheetType type, int number) {
  return SheetFileName(type, job, number);
}

std::string RebuildSheetPath(std::string_view presentPath, SheetType type, int number) {
  const PathParts parts = SplitPath(presentPath);
  const bool fromJobFirst = JobFirstSheetName(presentPath).has_value();
  const std::string jobName = fromJobFirst              ? parts.title
                              : parts.extension.empty() ? std::string()
                                                        : parts.extension.substr(1);
  const SheetTypeInfo& info = SheetTypeInfoOf(type);
  if (info.form == SheetNameForm::JobFirst) {
    return SheetFileName(type, parts.drive, parts.folder, jobName, number);
  }
  const std::string extension = fromJobFirst ? "." + jobName : parts.extension;
  return Sprintf("%s%s%s%1d%s", parts.drive.c_str(), parts.folder.c_str(), info.Stem(), number,
                 extension.c_str());
}

const char* LabelForType(SheetType type) { return SheetTypeInfoOf(type).label; }

const std::vector<BrowseFilter>& BrowseFilters() {
  static const std::vector<BrowseFilter> filters = MakeBrowseFilters();
  return filters;
}

std::string BrowseFilterText() {
  std::string text;
  for (const BrowseFilter& filter : BrowseFilters()) {
    text += filter.description;
    text += '|';
    text += filter.pattern;
    text += '|';
  }
  text += '|';
  return text;
}

int BrowseFilterIndex(SheetType type) {
  const std::vector<BrowseFilter>& filters = BrowseFilters();
  const std::string_view wanted = BrowseInitialName(type);
  for (std::size_t i = 0; i < filters.size(); ++i) {
    if (filters[i].pattern == wanted) return static_cast<int>(i) + 1;
  }
  return 1;
}

const char* BrowseInitialName(SheetType type) { return SheetTypeInfoOf(type).filters[0].pattern; }

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

  const std::string extension = LowerCaseAscii(SplitPath(FileNameOf(chosenPath)).extension);
  const std::optional<SheetNameMatch> jobFirst = JobFirstSheetName(extension);
  if (jobFirst &&
      extension.starts_with(std::string(".") + SheetTypeInfoOf(jobFirst->type).Stem())) {
    sheet.type = jobFirst->type;
    sheet.number = jobFirst->number;
  } else if (const std::optional<SheetNameMatch> match =
                 FindSheetStem(chosenPath, StemPlace::AtStart)) {
    sheet.number = match->number;
    if (SheetTypeInfoOf(presentType).readsFilesOf != match->type) sheet.type = match->type;
  }
  sheet.label = SheetTypeInfoOf(sheet.type).browsedLabel;
  return sheet;
}

}  // namespace kestrel
