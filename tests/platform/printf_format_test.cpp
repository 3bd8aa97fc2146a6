#include "platform/printf_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdarg>
#include <string>

namespace kestrel {
namespace {

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
  EXPECT_EQ(Sprintf("%.3e", 12345.678), "1.235e+04");
  EXPECT_EQ(Sprintf("%g %g", 0.5, 1e-5), "0.5 1e-05");
  EXPECT_EQ(Forward("%.2f m", 99.996), "100.00 m");
  // The process keeps its own locale.
  EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

TEST(SprintfTest, LongTextsAreNeverCut) {
  // Texts of 254 to 257 characters, either side of the first attempt's
  // 256-byte buffer, and one far beyond it.
  for (std::size_t n : {245u, 246u, 247u, 248u, 5000u}) {
    const std::string word(n, 'w');
    EXPECT_EQ(Forward("<%s|%6.3f>", word.c_str(), 1.0), "<" + word + "| 1.000>");
  }
  EXPECT_EQ(Sprintf("%s", ""), "");
}

}  // namespace
}  // namespace kestrel
