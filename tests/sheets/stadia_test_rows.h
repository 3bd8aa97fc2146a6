#pragma once
// Row builders and row comparison shared by the Stadia and desktop tests, and
// the Stadia tests' fixture.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <tuple>

#include "sheet_test_context.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/stadia.h"

namespace kestrel::testing {

constexpr double E = kEmptyValue;

inline std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Every field, doubles as bit patterns: the file and the clipboard must give
// back exactly what was held.
inline auto Fields(const StadiaRow& r) {
  return std::make_tuple(int{r.type}, r.point, Bits(r.hz), Bits(r.obs2), Bits(r.spare),
                         Bits(r.dist), Bits(r.targetHt), Bits(r.east), Bits(r.north),
                         Bits(r.height), r.code, r.comment, r.note);
}

// A row with its fields in file order: hz, obs2, spare, dist, target height,
// east, north, height, then the three texts.
inline StadiaRow Rec(int type, std::uint32_t point, std::array<double, 8> v, std::string code = "",
                     std::string comment = "", std::string note = "") {
  StadiaRow r{.type = static_cast<std::int8_t>(type), .point = point};
  r.hz = v[0], r.obs2 = v[1], r.spare = v[2], r.dist = v[3], r.targetHt = v[4];
  r.east = v[5], r.north = v[6], r.height = v[7];
  r.code = std::move(code), r.comment = std::move(comment), r.note = std::move(note);
  return r;
}

// A row of `type` with a point number and, when given, a position.
inline StadiaRow Row(int type, std::uint32_t point, double east = E, double north = E,
                     double height = E) {
  return Rec(type, point, {E, E, E, E, E, east, north, height});
}

inline StadiaRow Stn(std::uint32_t point, double east, double north, double height) {
  return Row(kStadiaStn, point, east, north, height);
}

// A set-up on `at` sighting `backsight` with the circle reading `hz`.
inline StadiaRow AtBs(std::uint32_t at, std::uint32_t backsight, double hz = E,
                      double instrumentHeight = E) {
  StadiaRow row = Rec(kStadiaAtBs, at, {hz, E, E, instrumentHeight, E, E, E, E});
  SetBacksightNumber(row, backsight);
  return row;
}

inline StadiaRow Note(std::string text) {
  return Rec(kStadiaFnote, kNoPoint, {E, E, E, E, E, E, E, E}, "", "", std::move(text));
}

// A shot: obs2 is the vertical reading (SD/HT, CHK) or the height difference
// (HZ/DH).
inline StadiaRow Shot(int type, std::uint32_t point, double hz, double obs2, double dist,
                      double target = E, std::string code = "", std::string comment = "") {
  return Rec(type, point, {hz, obs2, E, dist, target, E, E, E}, std::move(code),
             std::move(comment));
}

inline StadiaRow HdRl(std::uint32_t point, double hz, double dist, double level) {
  return Rec(kStadiaHdRl, point, {hz, E, E, dist, E, E, E, level});
}

// A Stadia sheet with recording ports and job "tst" in a scratch folder.
class StadiaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Ok());
    context.app.job = {.drive = "", .folder = folder.File(""), .job = "tst"};
  }

  ScratchFolder folder;
  SheetTestContext context;
  Stadia sheet{context.ctx};
};

}  // namespace kestrel::testing
