#pragma once
// Row builders and comparisons shared by the Stadia tests.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "sheets/stadia/stadia_row.h"

namespace kestrel::testing {

// A row of `type` with the given fields; every other double empty.
inline StadiaRow MakeRow(int type, std::uint32_t point) {
  StadiaRow row;
  row.type = static_cast<std::int8_t>(type);
  row.point = point;
  return row;
}

inline std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Doubles are compared bit for bit: the file and the clipboard must give back
// exactly what was held.
inline void ExpectSameRow(const StadiaRow& actual, const StadiaRow& expected,
                          const std::string& where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(actual.type, expected.type);
  EXPECT_EQ(actual.point, expected.point);
  EXPECT_EQ(Bits(actual.hz), Bits(expected.hz)) << actual.hz << " vs " << expected.hz;
  EXPECT_EQ(Bits(actual.obs2), Bits(expected.obs2)) << actual.obs2 << " vs " << expected.obs2;
  EXPECT_EQ(Bits(actual.spare), Bits(expected.spare));
  EXPECT_EQ(Bits(actual.dist), Bits(expected.dist)) << actual.dist << " vs " << expected.dist;
  EXPECT_EQ(Bits(actual.targetHt), Bits(expected.targetHt));
  EXPECT_EQ(Bits(actual.east), Bits(expected.east));
  EXPECT_EQ(Bits(actual.north), Bits(expected.north));
  EXPECT_EQ(Bits(actual.height), Bits(expected.height));
  EXPECT_EQ(actual.code, expected.code);
  EXPECT_EQ(actual.comment, expected.comment);
  EXPECT_EQ(actual.note, expected.note);
}

}  // namespace kestrel::testing
