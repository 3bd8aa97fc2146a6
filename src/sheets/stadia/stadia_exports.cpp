// The check shot report, the observation strings and the upload records of a
// Stadia sheet.
#include "sheets/stadia/stadia_exports.h"

#include <cmath>
#include <limits>
#include <unordered_map>
#include <vector>

#include "platform/printf_format.h"
#include "report/report_writer.h"
#include "sheets/stadia/stadia.h"

namespace kestrel {

namespace {

constexpr const char* kCheckReportPattern = "%s%sCheckReport.rtf";
constexpr const char* kCheckLine = "Point %5d Coordinate difference %8.3f,%8.3f,%8.3f";
// The same line when a height is missing on either side: the height
// difference is left blank.
constexpr const char* kCheckLineNoHeight = "Point %5d Coordinate difference %8.3f,%8.3f,%8s";

// The host's text fields hold 32 bytes.
constexpr std::size_t kRecordText = 32;

std::vector<std::string> CheckReportHeading() {
  return {"CHECK SHOT REPORT", "", "                                      East    North    Height",
          ""};
}

// Station less check shot; nothing when either lacks a position.
bool CheckLine(const StadiaRow& station, const StadiaRow& check, std::string& line) {
  if (IsEmptyValue(station.east) || IsEmptyValue(station.north) || IsEmptyValue(check.east) ||
      IsEmptyValue(check.north)) {
    return false;
  }
  const int point = static_cast<int>(check.point);
  const double dEast = station.east - check.east;
  const double dNorth = station.north - check.north;
  if (IsEmptyValue(station.height) || IsEmptyValue(check.height)) {
    line = Sprintf(kCheckLineNoHeight, point, dEast, dNorth, "");
  } else {
    line = Sprintf(kCheckLine, point, dEast, dNorth, station.height - check.height);
  }
  return true;
}

// A height as the record's single-precision field holds it; one beyond that
// range is no height.
float RecordHeight(double height) {
  if (std::fabs(height) > std::numeric_limits<float>::max()) return static_cast<float>(kEmptyValue);
  return static_cast<float>(height);
}

}  // namespace

int WriteCheckShotReport(Stadia& sheet) {
  std::vector<std::string> lines = CheckReportHeading();
  // The nearest STN row above, by point number, as the rows go by.
  std::unordered_map<std::uint32_t, const StadiaRow*> stations;
  for (const StadiaRow& row : sheet.Rows()) {
    if (row.type == kStadiaStn) {
      stations[row.point] = &row;
    } else if (row.type == kStadiaChk) {
      const auto station = stations.find(row.point);
      std::string line;
      if (station != stations.end() && CheckLine(*station->second, row, line)) {
        lines.push_back(std::move(line));
      }
    }
  }

  SheetContext& ctx = sheet.Context();
  CReportWriter writer(ctx.messages);
  std::string path = ctx.app.job.FolderPath(kCheckReportPattern);
  if (writer.WriteReport(lines, path, true, false, false) == 1) ctx.shell.OpenFile(path);
  return 0;
}

int AppendObservationStrings(Stadia& sheet, std::string* text) {
  std::string scratch;
  std::string& out = text != nullptr ? *text : scratch;
  std::uint32_t instrument = kNoPoint;
  bool setUp = false;
  for (const StadiaRow& row : sheet.Rows()) {
    if (row.type == kStadiaAtBs) {
      instrument = row.point;
      setUp = true;
    } else if (row.type == kStadiaSdHt && setUp) {
      // A string runs between numbered points only.
      if (instrument == kNoPoint || row.point == kNoPoint) continue;
      out += Sprintf("Lot obs%d,7,1,%d,%d\r\n", 1, static_cast<int>(instrument),
                     static_cast<int>(row.point));
    }
  }
  sheet.Context().messages.Show(out);
  return 0;
}

PointRecord UploadRecord(const StadiaRow& row) {
  return PointRecord{
      .name = std::string(1, '0'),
      .point = static_cast<std::int32_t>(row.point),  // no point: -1, which the host skips
      .east = row.east,
      .north = row.north,
      .height = RecordHeight(row.height),
      .code = row.code.substr(0, kRecordText),
      .description = row.comment.substr(0, kRecordText),
      .road = 0,
      .chainage = kEmptyValue,
      .offset = kEmptyValue,
      .spare = static_cast<float>(kEmptyValue),
      .flag = 0,
  };
}

int NextUploadRecord(const Stadia& sheet, std::size_t& next, PointRecord* record) {
  if (record == nullptr) return -1;
  const std::vector<StadiaRow>& rows = sheet.Rows();
  for (std::size_t i = next; i < rows.size(); ++i) {
    if (rows[i].type == kStadiaAtBs || rows[i].type == kStadiaFnote) continue;
    *record = UploadRecord(rows[i]);
    next = i + 1;
    return 0;
  }
  next = rows.size();
  return -1;
}

}  // namespace kestrel
