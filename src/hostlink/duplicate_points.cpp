#include "hostlink/duplicate_points.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/printf_format.h"

namespace kestrel {

namespace {

constexpr double kSamePosition = 0.01;  // job length unit

bool SamePosition(const PointRecord& a, const PointRecord& b) {
  return std::fabs(a.east - b.east) < kSamePosition &&
         std::fabs(a.north - b.north) < kSamePosition &&
         std::fabs(double(a.height) - double(b.height)) < kSamePosition;
}

}  // namespace

DuplicateReport FindDuplicatePoints(const std::vector<PointRecord>& records) {
  DuplicateReport report;
  if (records.empty()) return report;
  std::vector<std::pair<std::int32_t, std::size_t>> pairs;  // number, record index
  pairs.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) pairs.emplace_back(records[i].point, i);
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i + 1 < pairs.size(); ++i) {
    if (pairs[i].first == 0) continue;  // cleared as an earlier link
    std::size_t next = i + 1;
    while (next < pairs.size() && pairs[next].first == 0) ++next;
    if (next == pairs.size()) continue;
    if (pairs[next].first != pairs[i].first) continue;
    if (!SamePosition(records[pairs[i].second], records[pairs[next].second])) {
      report.lines.push_back(Sprintf("point number %d in file at least twice", pairs[i].first));
      ++report.conflicts;
    }
    pairs[i].first = 0;  // the run goes on from the later record
  }
  return report;
}

}  // namespace kestrel
