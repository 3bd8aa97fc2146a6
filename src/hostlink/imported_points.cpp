#include "hostlink/imported_points.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/printf_format.h"

namespace kestrel {

namespace {

constexpr double kSamePoint = 0.001;  // job length unit

bool Identical(const PointRecord& a, const PointRecord& b) {
  return std::fabs(a.east - b.east) < kSamePoint && std::fabs(a.north - b.north) < kSamePoint &&
         std::fabs(double(a.height) - double(b.height)) < kSamePoint && a.code == b.code &&
         a.description == b.description;
}

}  // namespace

ImportedPoints::ImportedPoints(const std::vector<std::uint32_t>& requested,
                               std::vector<PointRecord>& records,
                               const std::vector<std::uint32_t>& /*hostNumbers*/,
                               const std::vector<PointRecord>& existing,
                               std::uint32_t highestHostNumber)
    : records_(records), highest_(highestHostNumber) {
  // The database list is rebuilt from the existing records; the host's own
  // number list is not needed for it.
  std::unordered_map<std::int32_t, const PointRecord*> firstExisting;
  for (const PointRecord& record : existing) {
    existing_.push_back(record.point);
    database_.insert(record.point);
    firstExisting.emplace(record.point, &record);
  }
  for (PointRecord& record : records_) {
    const auto found = firstExisting.find(record.point);
    if (found != firstExisting.end() && Identical(record, *found->second))
      record.point = -record.point;
  }
  if (!requested.empty()) {
    const auto [low, high] = std::minmax_element(requested.begin(), requested.end());
    rangeFrom = *low;
    rangeTo = *high;
  }
  RebuildLists();
  ComputeOffsets();
}

void ImportedPoints::RebuildLists() {
  incoming_.clear();
  for (const PointRecord& record : records_) incoming_.push_back(record.point);
}

void ImportedPoints::ComputeOffsets() {
  offsetAll = offsetSome = 0;
  if (choice_ == ReconcileChoice::kReplace || choice_ == ReconcileChoice::kReplaceFields) {
    offsetAll = offsetSome = 1;
    return;
  }
  bool overlap = false;
  std::int64_t smallest = 0;
  for (std::int64_t number : incoming_) {
    if (database_.count(number) != 0) overlap = true;
    if (number > 0 && (smallest == 0 || number < smallest)) smallest = number;
  }
  if (!overlap) return;
  offsetAll = offsetSome = std::int64_t{highest_} + 1 - smallest;
}

void ImportedPoints::Choose(ReconcileChoice choice) {
  choice_ = choice;
  ComputeOffsets();
}

void ImportedPoints::ApplyRange() {
  std::erase_if(incoming_,
                [this](std::int64_t number) { return number < rangeFrom || number > rangeTo; });
  ComputeOffsets();
}

void ImportedPoints::SetRangeChecked(bool checked) {
  rangeChecked = checked;
  if (!checked) {
    RebuildLists();
    ComputeOffsets();
  }
}

std::int64_t ImportedPoints::ListOffset() const {
  return choice_ == ReconcileChoice::kAlterSome ? offsetSome : offsetAll;
}

std::int64_t ImportedPoints::NewNumber(std::int64_t number) const {
  if (number <= 0) return number;
  switch (choice_) {
    case ReconcileChoice::kAlterAll:
      return number + offsetAll;
    case ReconcileChoice::kAlterSome:
      return database_.count(number) != 0 ? number + offsetSome : number;
    default:
      return number;  // stored under its own number, replacing the database's point
  }
}

std::vector<PointListItem> ImportedPoints::IncomingItems() const {
  std::vector<PointListItem> items;
  items.reserve(incoming_.size());
  for (std::int64_t number : incoming_) {
    PointListItem item;
    item.inDatabase = database_.count(number) != 0;
    if (number <= 0)
      item.text = Sprintf("%lld already in dbase", static_cast<long long>(std::llabs(number)));
    else if (ListOffset() == 0)
      item.text = Sprintf("%lld", static_cast<long long>(number));
    else
      item.text = Sprintf("%lld in as %lld", static_cast<long long>(number),
                          static_cast<long long>(NewNumber(number)));
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<PointListItem> ImportedPoints::ExistingItems() const {
  std::vector<PointListItem> items;
  items.reserve(existing_.size());
  for (std::int64_t number : existing_)
    items.push_back({Sprintf("%lld", static_cast<long long>(number)), true});
  return items;
}

void ImportedPoints::Accept() {
  for (PointRecord& record : records_) {
    if (rangeChecked && record.point > 0 && (record.point < rangeFrom || record.point > rangeTo))
      record.point = -record.point;
    record.point = static_cast<std::int32_t>(NewNumber(record.point));
  }
}

}  // namespace kestrel
