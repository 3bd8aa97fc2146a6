// The family's helpers that do not depend on the row record.
#include "sheets/stadia/stadia_family.h"

#include <limits>

namespace kestrel {

namespace {

constexpr const char* kCheckLine = "Point %5d Coordinate difference %8.3f,%8.3f,%8.3f";
// The same line when a height is missing on either side: the height
// difference is left blank.
constexpr const char* kCheckLineNoHeight = "Point %5d Coordinate difference %8.3f,%8.3f,%8s";

// The host's text fields hold 32 bytes.
constexpr std::size_t kRecordText = 32;

// A height as the record's single-precision field holds it; one beyond that
// range is no height.
float RecordHeight(double height) {
  if (std::fabs(height) > std::numeric_limits<float>::max()) return static_cast<float>(kEmptyValue);
  return static_cast<float>(height);
}

}  // namespace

PointRecord UploadRecordOf(std::uint32_t point, double east, double north, double height,
                           const std::string& code, const std::string& comment) {
  return PointRecord{
      .name = std::string(1, '0'),
      .point = static_cast<std::int32_t>(point),  // no point: -1, which the host skips
      .east = east,
      .north = north,
      .height = RecordHeight(height),
      .code = code.substr(0, kRecordText),
      .description = comment.substr(0, kRecordText),
      .road = 0,
      .chainage = kEmptyValue,
      .offset = kEmptyValue,
      .spare = static_cast<float>(kEmptyValue),
      .flag = 0,
  };
}

bool CheckShotLine(std::uint32_t point, const double (&station)[3], const double (&check)[3],
                   std::string& line) {
  if (IsEmptyValue(station[0]) || IsEmptyValue(station[1]) || IsEmptyValue(check[0]) ||
      IsEmptyValue(check[1])) {
    return false;
  }
  const double dEast = station[0] - check[0];
  const double dNorth = station[1] - check[1];
  if (IsEmptyValue(station[2]) || IsEmptyValue(check[2])) {
    line = Sprintf(kCheckLineNoHeight, static_cast<int>(point), dEast, dNorth, "");
  } else {
    line = Sprintf(kCheckLine, static_cast<int>(point), dEast, dNorth, station[2] - check[2]);
  }
  return true;
}

}  // namespace kestrel
