#include "platform/fixed_text.h"

#include "platform/printf_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace kestrel {
namespace {

TEST(FixedText, WritesWhatPrintfWrites) {
  struct Case {
    double value;
    int width, precision;
    const char* expected;
  };
  const Case cases[] = {
      {123.4530, 8, 4, "123.4530"},
      {5.5, 8, 4, "  5.5000"},
      {0.125, 1, 2, "0.12"},  // an exact tie goes to the even digit
      {0.375, 1, 2, "0.38"},
      {2.5, 1, 0, "2"},
      {1.0005, 8, 3, "   1.000"},  // held as 1.000499999...
      {-0.0, 6, 3, "-0.000"},
      {-0.0004, 1, 3, "-0.000"},
      {345678.901, 14, 3, "    345678.901"},
      {-6234567.89, 14, 3, "  -6234567.890"},
      {12345.6, 3, 1, "12345.6"},  // never cut to the width
      {1e21, 1, 1, "1000000000000000000000.0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FixedText(c.value, c.width, c.precision), c.expected) << c.value;
  }
  EXPECT_EQ(IntegerText(-42, 5), "  -42");
  EXPECT_EQ(IntegerText(0), "0");
  EXPECT_EQ(IntegerText(1234567, 3), "1234567");
}

// printf as the second opinion over many values of survey magnitude.
TEST(FixedText, AgreesWithTheCLibrary) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> magnitude(-1e7, 1e7);
  for (int i = 0; i < 20000; ++i) {
    // Sixteenths make exact ties at three decimals.
    const double drawn = magnitude(random);
    const double value = i % 3 == 0 ? drawn : std::round(drawn) / (i % 3 == 1 ? 2000 : 16);
    const int precision = i % 7;
    // Sprintf: printf in the C locale, whatever locale the tests run under.
    ASSERT_EQ(FixedText(value, 14, precision), Sprintf("%14.*f", precision, value)) << value;
  }
}

}  // namespace
}  // namespace kestrel
