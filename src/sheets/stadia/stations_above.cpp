#include "sheets/stadia/stations_above.h"

#include <algorithm>

namespace kestrel {

StationsAbove::StationsAbove(const std::vector<std::uint32_t>& points, int bitsPerPoint)
    : followAll_(false) {
  for (const std::uint32_t point : points) last_.try_emplace(point, kNoRow);
  const auto wanted = static_cast<std::size_t>(std::max(bitsPerPoint, 1)) * last_.size();
  int bits = 10;
  while (bits < 30 && (std::size_t{1} << bits) < wanted) ++bits;
  followedShift_ = 32 - bits;
  followedBits_.assign((std::size_t{1} << bits) / 64, 0);
  for (const auto& [point, row] : last_) {
    const std::uint32_t slot = BitSlot(point);
    followedBits_[slot / 64] |= std::uint64_t{1} << (slot % 64);
  }
}

std::uint32_t StationsAbove::BitSlot(std::uint32_t point) const {
  return static_cast<std::uint32_t>(point * 2654435761u) >> followedShift_;
}

bool StationsAbove::MayBeFollowed(std::uint32_t point) const {
  const std::uint32_t slot = BitSlot(point);
  return (followedBits_[slot / 64] >> (slot % 64)) & 1;
}

void StationsAbove::Pass(std::uint32_t point, std::size_t row) {
  if (followAll_) {
    last_[point] = row;
  } else if (MayBeFollowed(point)) {
    if (const auto followed = last_.find(point); followed != last_.end()) followed->second = row;
  }
}

bool StationsAbove::Follows(std::uint32_t point) const {
  return followAll_ || (MayBeFollowed(point) && last_.contains(point));
}

void StationsAbove::Restart() {
  if (followAll_) {
    last_.clear();
    return;
  }
  for (auto& [point, row] : last_) row = kNoRow;
}

std::optional<std::size_t> StationsAbove::Nearest(std::uint32_t point) const {
  const auto found = last_.find(point);
  if (found == last_.end() || found->second == kNoRow) return std::nullopt;
  return found->second;
}

}  // namespace kestrel
