// Numbers in text: reading them as far as the text forms a number, and
// printing them with a decimal point whatever the locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdarg>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

TEST(NumberTextTest, ReadDoubleReadsAsFarAsTheTextFormsANumber) {
  // A comma is never a decimal point; an exponent without digits and
  // hexadecimal are not part of the number; the view ends the number, whatever
  // lies beyond it. Beyond the range of a double reads as 0, but the number is
  // still used up. Text, value, characters used.
  const std::tuple<std::string_view, double, std::size_t> cases[] = {
      {" -5.5e2x", -550.0, 7}, {".5", 0.5, 2},   {"\t\r\n 3", 3.0, 5}, {"12,5", 12.0, 2},
      {"1e+", 1.0, 1},         {"0x10", 0.0, 1}, {"-1e999", 0.0, 6},   {"1e-999", 0.0, 6},
      {"-", 0.0, 0},           {".", 0.0, 0},    {"inf", 0.0, 0},      {"\v5", 0.0, 0},
  };
  for (const auto& [text, value, used] : cases) {
    std::size_t consumed = 99;
    EXPECT_EQ(ReadDouble(text, &consumed), value) << '"' << text << '"';
    EXPECT_EQ(consumed, used) << '"' << text << '"';
    EXPECT_EQ(ReadDouble(text), value) << '"' << text << '"';
  }
  EXPECT_EQ(ReadDouble(std::string_view("12345.75", 7)), 12345.7);
  EXPECT_EQ(ReadDouble("123456789012345678901234567890"), 1.2345678901234568e29);
}

TEST(NumberTextTest, ReadIntReadsLikeAtoiAndClamps) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const std::tuple<std::string_view, int, std::size_t> cases[] = {
      {"42", 42, 2},
      {" -17abc", -17, 4},
      {"3.9", 3, 1},
      {"2147483647", kMax, 10},
      {"2147483648", kMax, 10},
      {"-2147483649", kMin, 11},
      {" + 1", 0, 0},
  };
  for (const auto& [text, value, used] : cases) {
    std::size_t consumed = 99;
    EXPECT_EQ(ReadInt(text, &consumed), value) << '"' << text << '"';
    EXPECT_EQ(consumed, used) << '"' << text << '"';
  }
  constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(ReadInt64("9223372036854775808"), kMax64);
  EXPECT_EQ(ReadInt64("18446744073709551616"), kMax64);
  EXPECT_EQ(ReadInt64("-9223372036854775809"), kMin64);
}

// Runs the test under a decimal-comma locale even when the program was not
// started with one, and puts the previous locale back afterwards.
class DecimalCommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "de_DE.UTF-8 is not installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  }
  void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }

 private:
  std::string previous_;
};

std::string Forward(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Forward(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = VSprintf(format, args);
  va_end(args);
  return text;
}

TEST_F(DecimalCommaLocale, WritesADecimalPointWhateverTheLocale) {
  EXPECT_EQ(Sprintf("%8.3f", 1234.5), "1234.500");
  EXPECT_EQ(Sprintf("%10.4f|%-6.1f|", -0.03125, 2.25), "   -0.0312|2.2   |");
  EXPECT_EQ(Forward("%.2f m", 99.996), "100.00 m");
  // The process keeps its own locale.
  EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

TEST(SprintfTest, LongTextsAreNeverCut) {
  // Texts of 255 and 256 characters, either side of the first attempt's
  // 256-byte buffer (with its ending zero), and one far beyond it.
  for (std::size_t n : {246u, 247u, 5000u}) {
    const std::string word(n, 'w');
    EXPECT_EQ(Forward("<%s|%6.3f>", word.c_str(), 1.0), "<" + word + "| 1.000>");
  }
  EXPECT_EQ(Sprintf("%s", ""), "");
}

}  // namespace
}  // namespace kestrel
