#include "gyre/points_csv.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {

namespace {

std::string Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  return std::string(text.substr(first, last - first));
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(
        Trim(line.substr(start, comma == std::string_view::npos ? comma : comma - start)));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// A number that is the whole field.
bool ReadField(const std::string& field, double& value) {
  std::size_t consumed = 0;
  value = ReadDouble(field, &consumed);
  return !field.empty() && consumed == field.size() && std::isfinite(value);
}

}  // namespace

PointsCsv ReadPointsCsv(std::string_view text) {
  PointsCsv csv;
  bool eastFirst = false;
  bool headerSeen = false;
  std::size_t start = 0;
  int lineNumber = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty()) continue;
    std::vector<std::string> fields = SplitFields(line);
    if (!headerSeen) {
      std::string header;
      for (const std::string& field : fields) {
        for (char c : field)
          header.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        header.push_back(',');
      }
      if (header == "P,E,N,Z,D,") {
        eastFirst = true;
      } else if (header != "P,N,E,Z,D,") {
        csv.error = "the first line must name the columns: P,N,E,Z,D or P,E,N,Z,D";
        csv.points.clear();
        return csv;
      }
      headerSeen = true;
      continue;
    }
    double number = 0, first = 0, second = 0, height = 0;
    if (fields.size() < 4 || fields.size() > 5 || !ReadField(fields[0], number) ||
        number != std::floor(number) || number < 1 || number > 4294967295.0 ||
        !ReadField(fields[1], first) || !ReadField(fields[2], second) ||
        !ReadField(fields[3], height)) {
      csv.error = Sprintf("line %d is not a point: P,N,E,Z,D", lineNumber);
      csv.points.clear();
      return csv;
    }
    StoredPoint point;
    point.number = static_cast<std::int64_t>(number);
    point.north = eastFirst ? second : first;
    point.east = eastFirst ? first : second;
    point.height = height;
    // Cut as the host's 32-byte code field holds it: at most 32 bytes, up to a NUL.
    if (fields.size() == 5)
      point.code = Trim(fields[4].substr(0, std::min(fields[4].find('\0'), std::size_t{32})));
    point.chainage = 1e15;  // no value, as the sheets give it
    point.offset = 1e15;
    csv.points.push_back(std::move(point));
  }
  if (!headerSeen) csv.error = "the file is empty";
  return csv;
}

std::string WritePointsCsv(const std::vector<StoredPoint>& points) {
  std::string out = "P,N,E,Z,D\n";
  for (const StoredPoint& point : points)
    out += Sprintf("%lld,%.4f,%.4f,%.4f,%s\n", static_cast<long long>(point.number), point.north,
                   point.east, point.height, point.code.c_str());
  return out;
}

}  // namespace kestrel
