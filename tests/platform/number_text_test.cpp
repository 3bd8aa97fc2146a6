#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace kestrel {
namespace {

TEST(NumberTextTest, ReadDoubleReadsAsFarAsTheTextFormsANumber) {
  struct Case {
    std::string_view text;
    double value;
    std::size_t consumed;
  };
  const Case cases[] = {
      {"100g", 100.0, 3},
      {" -5.5e2x", -550.0, 7},
      {".5", 0.5, 2},
      {"-.25", -0.25, 4},
      {"5.", 5.0, 2},
      {"+7", 7.0, 2},
      {"\t\r\n 3", 3.0, 5},
      {"12.5m", 12.5, 4},
      {"12,5", 12.0, 2},  // a comma never counts as a decimal point
      {"1.5e-3", 0.0015, 6},
      {"2E+2", 200.0, 4},
      {"1e", 1.0, 1},  // an exponent without digits is not part of the number
      {"1e+", 1.0, 1},
      {"3e5.5", 300000.0, 3},
      {"0x10", 0.0, 1},  // hexadecimal is not read: only the leading 0
      {"007", 7.0, 3},
      {"0.1", 0.1, 3},
      {"123456789012345678901234567890", 1.2345678901234568e29, 30},
      {"1.7976931348623157e308", 1.7976931348623157e308, 22},
      // No number.
      {"-", 0.0, 0},
      {"", 0.0, 0},
      {"   ", 0.0, 0},
      {".", 0.0, 0},
      {"-.e1", 0.0, 0},
      {"e5", 0.0, 0},
      {"inf", 0.0, 0},
      {"-infinity", 0.0, 0},
      {"nan", 0.0, 0},
      {"NAN(1)", 0.0, 0},
      {"--5", 0.0, 0},
      {"- 5", 0.0, 0},
      {"\v5", 0.0, 0},
      {"g100", 0.0, 0},
      // Beyond the range of a double: read as 0, but the number is still used up.
      {"1e999", 0.0, 5},
      {"-1e999", 0.0, 6},
      {"1e-999", 0.0, 6},
  };
  for (const Case& c : cases) {
    std::size_t consumed = 99;
    const double value = ReadDouble(c.text, &consumed);
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(consumed, c.consumed) << '"' << c.text << '"';
    EXPECT_EQ(ReadDouble(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(NumberTextTest, ReadDoubleStopsAtTheEndOfTheView) {
  const char digits[] = "12345.75";
  EXPECT_EQ(ReadDouble(std::string_view(digits, 2)), 12.0);
  EXPECT_EQ(ReadDouble(std::string_view(digits, 6)), 12345.0);
  EXPECT_EQ(ReadDouble(std::string_view(digits, 7)), 12345.7);
  // A point at the very end of the view with digits beyond it.
  std::size_t consumed = 0;
  EXPECT_EQ(ReadDouble(std::string_view(" .5", 2), &consumed), 0.0);
  EXPECT_EQ(consumed, 0u);
}

TEST(NumberTextTest, ReadIntReadsLikeAtoiAndClamps) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  struct Case {
    std::string_view text;
    int value;
    std::size_t consumed;
  };
  const Case cases[] = {
      {"42", 42, 2},
      {" -17abc", -17, 4},
      {"+5", 5, 2},
      {"3.9", 3, 1},
      {"0x10", 0, 1},
      {"1e3", 1, 1},
      {"2147483647", kMax, 10},
      {"2147483648", kMax, 10},
      {"-2147483648", kMin, 11},
      {"-2147483649", kMin, 11},
      {"99999999999999999999999999", kMax, 26},
      {"-99999999999999999999999999", kMin, 27},
      {"-", 0, 0},
      {"", 0, 0},
      {"x1", 0, 0},
      {" + 1", 0, 0},
  };
  for (const Case& c : cases) {
    std::size_t consumed = 99;
    EXPECT_EQ(ReadInt(c.text, &consumed), c.value) << '"' << c.text << '"';
    EXPECT_EQ(consumed, c.consumed) << '"' << c.text << '"';
  }
}

TEST(NumberTextTest, ReadInt64Clamps) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  struct Case {
    std::string_view text;
    std::int64_t value;
  };
  const Case cases[] = {
      {"4294967295", 4294967295LL},   {"-4294967296", -4294967296LL},
      {"9223372036854775807", kMax},  {"9223372036854775808", kMax},
      {"-9223372036854775808", kMin}, {"-9223372036854775809", kMin},
      {"18446744073709551616", kMax}, {"-99999999999999999999", kMin},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadInt64(c.text), c.value) << c.text;
}

TEST(NumberTextTest, FiniteOrZero) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const double cases[][2] = {
      {kInf, 0.0},
      {-kInf, 0.0},
      {std::numeric_limits<double>::quiet_NaN(), 0.0},
      {1.5, 1.5},
      {-2.0, -2.0},
      {std::numeric_limits<double>::max(), std::numeric_limits<double>::max()},
      {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::denorm_min()},
  };
  for (const auto& c : cases) EXPECT_EQ(FiniteOrZero(c[0]), c[1]) << c[0];
}

}  // namespace
}  // namespace kestrel
