#include "job/host_command_line.h"

#include <vector>

#include "job/choose_sheet.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
      fields.push_back(text);
      return fields;
    }
    fields.push_back(text.substr(0, comma));
    text.remove_prefix(comma + 1);
  }
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// "\data" becomes "\data\", "/home/me/jobs" becomes "/home/me/jobs/".
std::string WithTrailingSeparator(std::string_view folder) {
  std::string result(folder);
  if (result.empty() || result.back() == '\\' || result.back() == '/') return result;
  const bool native =
      result.find('/') != std::string::npos && result.find('\\') == std::string::npos;
  result.push_back(native ? '/' : '\\');
  return result;
}

void SetTypeFlag(std::string_view keyword, ApplicationState& app) {
  app.flags.Clear();
  if (const std::optional<SheetType> type = SheetTypeFromKeyword(keyword)) app.flags.Set(*type);
}

}  // namespace

int HostCommandLine::NumberForChooser() const {
  return sheetNumber ? *sheetNumber : kNoSheetNumber;
}

HostCommandLine ApplyHostCommandLine(std::string_view argument, ApplicationState& app) {
  HostCommandLine result;
  app.job = JobLocation{};
  app.hostValue = 0;
  app.hostDistanceUnit = 0;
  app.hostDistanceUnitKnown = false;
  app.flags.Clear();
  if (argument.empty()) return result;

  result.hasArgument = true;
  if (argument.find(',') == std::string_view::npos) {
    SetTypeFlag(argument, app);
    result.path = std::string(argument);
    return result;
  }

  const std::vector<std::string_view> fields = SplitAtCommas(argument);
  SetTypeFlag(fields[0], app);
  if (fields.size() > 1) app.job.drive = std::string(fields[1]);
  if (fields.size() > 2) app.job.folder = WithTrailingSeparator(fields[2]);
  if (fields.size() > 3) app.job.job = std::string(fields[3]);
  if (fields.size() > 4) app.hostValue = ReadInt(fields[4]);
  if (fields.size() > 5) {
    app.hostDistanceUnit = ReadInt(fields[5]);
    app.hostDistanceUnitKnown = app.hostDistanceUnit != -1;
  }
  if (fields.size() > 6 && !IsBlank(fields[6])) result.sheetNumber = ReadInt(fields[6]);

  result.path =
      Sprintf("%s%s.%s", app.job.drive.c_str(), app.job.folder.c_str(), app.job.job.c_str());
  return result;
}

}  // namespace kestrel
