#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>
#include <tuple>

namespace kestrel {
namespace {

TEST(NumberTextTest, ReadDoubleReadsAsFarAsTheTextFormsANumber) {
  // A comma is never a decimal point; an exponent without digits and
  // hexadecimal are not part of the number; the view ends the number, whatever
  // lies beyond it. Beyond the range of a double reads as 0, but the number is
  // still used up. Text, value, characters used.
  const std::tuple<std::string_view, double, std::size_t> cases[] = {
      {"100g", 100.0, 3}, {" -5.5e2x", -550.0, 7}, {".5", 0.5, 2},
      {"5.", 5.0, 2},     {"+7", 7.0, 2},          {"\t\r\n 3", 3.0, 5},
      {"2E+2", 200.0, 4}, {"0.1", 0.1, 3},         {"12,5", 12.0, 2},
      {"1e", 1.0, 1},     {"1e+", 1.0, 1},         {"3e5.5", 300000.0, 3},
      {"0x10", 0.0, 1},   {"1e999", 0.0, 5},       {"-1e999", 0.0, 6},
      {"1e-999", 0.0, 6}, {"-", 0.0, 0},           {"", 0.0, 0},
      {"   ", 0.0, 0},    {".", 0.0, 0},           {"-.e1", 0.0, 0},
      {"e5", 0.0, 0},     {"inf", 0.0, 0},         {"nan", 0.0, 0},
      {"--5", 0.0, 0},    {"\v5", 0.0, 0},
  };
  for (const auto& [text, value, used] : cases) {
    std::size_t consumed = 99;
    EXPECT_EQ(ReadDouble(text, &consumed), value) << '"' << text << '"';
    EXPECT_EQ(consumed, used) << '"' << text << '"';
    EXPECT_EQ(ReadDouble(text), value) << '"' << text << '"';
  }
  EXPECT_EQ(ReadDouble(std::string_view("12345.75", 6)), 12345.0);
  EXPECT_EQ(ReadDouble(std::string_view("12345.75", 7)), 12345.7);
  std::size_t consumed = 99;
  EXPECT_EQ(ReadDouble(std::string_view(" .5", 2), &consumed), 0.0);
  EXPECT_EQ(consumed, 0u);
  EXPECT_EQ(ReadDouble("123456789012345678901234567890"), 1.2345678901234568e29);
  EXPECT_EQ(ReadDouble("1.7976931348623157e308"), 1.7976931348623157e308);
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (double bad : {kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(FiniteOrZero(bad), 0.0);
  }
  EXPECT_EQ(FiniteOrZero(-2.5), -2.5);
}

TEST(NumberTextTest, ReadIntReadsLikeAtoiAndClamps) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const std::tuple<std::string_view, int, std::size_t> cases[] = {
      {"42", 42, 2},
      {" -17abc", -17, 4},
      {"+5", 5, 2},
      {"3.9", 3, 1},
      {"2147483647", kMax, 10},
      {"2147483648", kMax, 10},
      {"-2147483648", kMin, 11},
      {"-2147483649", kMin, 11},
      {"-", 0, 0},
      {"", 0, 0},
      {" + 1", 0, 0},
  };
  for (const auto& [text, value, used] : cases) {
    std::size_t consumed = 99;
    EXPECT_EQ(ReadInt(text, &consumed), value) << '"' << text << '"';
    EXPECT_EQ(consumed, used) << '"' << text << '"';
  }
  EXPECT_EQ(ReadInt("99999999999999999999999999"), kMax);
  constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(ReadInt64("9223372036854775807"), kMax64);
  EXPECT_EQ(ReadInt64("9223372036854775808"), kMax64);
  EXPECT_EQ(ReadInt64("18446744073709551616"), kMax64);
  EXPECT_EQ(ReadInt64("-9223372036854775808"), kMin64);
  EXPECT_EQ(ReadInt64("-9223372036854775809"), kMin64);
}

}  // namespace
}  // namespace kestrel
