#pragma once
// "The nearest row above with point p": a sweep index kept while the rows are
// walked from the top. The walker passes each row of the kind it follows
// (station rows, or shot rows); the index then answers for any point, in
// constant time, which of the rows passed so far was the last with that
// number. One index answers what a backward scan from every row would, so a
// sheet of a million rows is still one sweep.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kestrel {

class StationsAbove {
 public:
  // Follows every point.
  StationsAbove() = default;

  // Follows only `points` (the numbers a pass will ask for): a pass that asks
  // for few points among many rows then spends a bit test, not a map lookup,
  // on each of the others. The more filter bits per followed point, the fewer
  // of the others are looked up in vain (16 bits leave about one in twenty).
  explicit StationsAbove(const std::vector<std::uint32_t>& points, int bitsPerPoint = 16);

  // Row `row` (of the kind followed) has point `point`.
  void Pass(std::uint32_t point, std::size_t row);

  // The last row passed with `point`, or none.
  std::optional<std::size_t> Nearest(std::uint32_t point) const;

  // Whether `point` is followed (always, without a follow list).
  bool Follows(std::uint32_t point) const;

  // Forgets every row passed, for a new sweep over the same rows; the points
  // followed stay.
  void Restart();

 private:
  std::uint32_t BitSlot(std::uint32_t point) const;
  bool MayBeFollowed(std::uint32_t point) const;

  static constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

  // Point -> its last row (kNoRow while none has been passed). With a follow
  // list the map holds the followed points from the start, and a bit per
  // hash slot of them spares most other points a lookup.
  std::unordered_map<std::uint32_t, std::size_t> last_;
  bool followAll_ = true;
  std::vector<std::uint64_t> followedBits_;
  int followedShift_ = 32;
};

}  // namespace kestrel
