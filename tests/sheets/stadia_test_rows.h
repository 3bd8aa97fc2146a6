#pragma once
// Row comparison shared by the Stadia tests.
#include <bit>
#include <cstdint>
#include <tuple>

#include "sheets/stadia/stadia_row.h"

namespace kestrel::testing {

inline std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Every field, doubles as bit patterns: the file and the clipboard must give
// back exactly what was held.
inline auto Fields(const StadiaRow& r) {
  return std::make_tuple(int{r.type}, r.point, Bits(r.hz), Bits(r.obs2), Bits(r.spare),
                         Bits(r.dist), Bits(r.targetHt), Bits(r.east), Bits(r.north),
                         Bits(r.height), r.code, r.comment, r.note);
}

inline StadiaRow AtBsRow(std::uint32_t at, std::uint32_t backsight) {
  StadiaRow r{.type = kStadiaAtBs, .point = at};
  SetBacksightNumber(r, backsight);
  return r;
}

}  // namespace kestrel::testing
