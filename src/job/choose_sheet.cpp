#include "job/choose_sheet.h"

#include <optional>

#include "job/path_parts.h"
#include "job/recent_sheet.h"

namespace kestrel {

std::string JobNameOfSheetPath(SheetType type, std::string_view path) {
  const PathParts parts = SplitPath(path);
  const std::optional<SheetNameMatch> jobFirst = JobFirstSheetName(path);
  if (jobFirst && jobFirst->type == type) return parts.title;
  return parts.extension.empty() ? std::string() : parts.extension.substr(1);
}

void ApplySheetChoice(ApplicationState& app, const SheetChoice& choice) {
  app.flags.Set(choice.type);
  const PathParts parts = SplitPath(choice.path);
  app.job.drive = parts.drive;
  app.job.folder = parts.folder;
  app.job.job = JobNameOfSheetPath(choice.type, choice.path);
}

int ChooseSheet(ApplicationState& app, std::string& path, int number, const std::string& recentFile,
                SheetChooser& chooser) {
  const bool numberGiven = number != kNoSheetNumber;
  const std::optional<RecentSheet> recent =
      recentFile.empty() ? std::nullopt : DetectRecentSheet(recentFile);

  const std::optional<SheetType> flagged = app.flags.First();
  SheetType type = SheetType::Stadia;
  if (flagged) {
    type = *flagged;
  } else if (recent) {
    type = recent->type;
  }

  if (numberGiven && flagged) {
    path = SheetFileName(type, app.job, number);
    return 1;
  }

  int offered = numberGiven ? number : 1;
  if (!numberGiven && recent && recent->type == type) offered = recent->number;

  const std::optional<SheetChoice> choice = chooser.Choose(app.job, type, offered);
  if (!choice) return 0;
  ApplySheetChoice(app, *choice);
  path = choice->path;
  return 1;
}

}  // namespace kestrel
