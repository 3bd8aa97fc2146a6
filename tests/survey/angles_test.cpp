// Packed DMS conversions, angle texts and their parsing. Expected values are
// worked out by hand from degrees, minutes and seconds.
#include "survey/angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace kestrel {
namespace {

// Test texts are written with "°" in UTF-8; the program's texts hold the
// Windows-1252 byte.
std::string W(std::string text) {
  for (std::size_t at; (at = text.find("\xC2\xB0")) != std::string::npos;) {
    text.replace(at, 2, 1, kDegreeSign);
  }
  return text;
}

// Whole seconds of arc -> packed DMS, built digit by digit.
double Pack(int seconds) {
  return seconds / 3600 + (seconds / 60 % 60) / 100.0 + (seconds % 60) / 10000.0;
}

constexpr int kCircle = 360 * 3600;

// Difference of two angles in seconds, across the 0/360 join.
double SecondsApart(double degreesA, double degreesB) {
  const double d = std::fmod(std::fabs(degreesA - degreesB) * 3600, kCircle);
  return std::min(d, kCircle - d);
}

TEST(Angles, DmsToDegrees) {
  struct Case {
    double packed, degrees, tolerance;
  };
  const Case cases[] = {
      {123.4530, 123 + 45 / 60.0 + 30 / 3600.0, 1e-8},
      {45.30155, 45.5 + 15.5 / 3600, 1e-8},
      // Negative values are lifted by 359.59599999: -10.3000 -> 349.29599999.
      {-10.3, 349.5, 1e-4 / 3600},
      {725.3, 5.5, 1e-8},
      {10.7, 10 + 59 / 60.0, 1e-8},              // 70 minutes clamp to 59
      {10.0075, 10 + 59.99999999 / 3600, 1e-8},  // 75 seconds clamp
      {360, 360, 1e-8},
      {720, 360, 1e-8},
      {std::numeric_limits<double>::quiet_NaN(), 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(DmsToDegrees(c.packed), c.degrees, c.tolerance) << c.packed;
  }
  // An empty field's sentinel or a damaged value folds at once into range.
  for (double huge : {1e15, -1e15, 1e300, -1e300}) {
    const double d = DmsToDegrees(huge);
    EXPECT_TRUE(d >= 0 && d <= 360.0001) << huge;
  }
}

TEST(Angles, DegreesToDmsCarries) {
  struct Case {
    double degrees, packed;
  };
  const Case cases[] = {
      {45.5, 45.3},
      {45.999999, 46.0},  // 59.9964 s -> next minute -> next degree
      {359.999995, 0.0},  // a hair under 360
      {-0.5, 359.3},
      {720.25, 0.15},
      {10.9999, 11.0},        // 59'59.64" carries
      {10.99985, 10.595946},  // 59'59.46" does not
      {123 + 45 / 60.0 + 30 / 3600.0, 123.4530},
  };
  for (const Case& c : cases) EXPECT_NEAR(DegreesToDms(c.degrees), c.packed, 1e-8) << c.degrees;
  for (double huge : {1e300, -1e300}) {
    const double packed = DegreesToDms(huge);
    EXPECT_TRUE(packed >= 0 && packed < 360) << huge;
  }
}

TEST(Angles, WholeCircleAndGradsCellTexts) {
  struct Case {
    double packed;
    std::string text;
  };
  const Case dms[] = {
      {123.4530, W("123°45'30\"")}, {5.07, W("  5°07'00\"")},
      {10.596, W(" 10°59'60\"")},  // not a valid packed value: shown as stored
      {0, W("  0°00'00\"")},        {-10.3, W("-10°30'00\"")},
  };
  for (const Case& c : dms) EXPECT_EQ(FormatDmsText(c.packed), c.text) << c.packed;

  const Case grads[] = {
      {45, " 50.0000g"}, {0, "  0.0000g"}, {90, "100.0000g"}, {359.5959, "399.9997g"}};
  for (const Case& c : grads) EXPECT_EQ(FormatGradsCellText(c.packed), c.text) << c.packed;
}

TEST(Angles, QuadrantText) {
  struct Case {
    std::string in, out;
  };
  const auto shown = [](double packed) { return FormatDmsText(packed); };
  const Case cases[] = {
      {shown(90), W("N  90°00'00\" E")},
      {shown(180), W("S   0°00'00\" E")},
      {shown(270), W("S  90°00'00\" W")},
      {shown(360), W("N   0°00'00\" W")},
      {shown(0), W("N   0°00'00\" E")},
      {shown(45.3), W("N  45°30'00\" E")},
      {shown(134.3), W("S  45°30'00\" E")},
      {shown(225.3), W("S  45°30'00\" W")},
      {shown(315), W("N  45°00'00\" W")},
      {shown(123.453), W("S  56°14'30\" E")},
      // A wider text keeps its width; beyond 360 it is not a bearing.
      {W("      123°45'30\""), W("  S  56°14'30\" E")},
      {W("400°00'00\""), W("400°00'00\"")},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    QuadrantBearingText(text);
    EXPECT_EQ(text, c.out) << c.in;
  }
}

TEST(Angles, ConvertAngleText) {
  struct Case {
    std::string in;
    int mode;
    std::string out;
  };
  const Case cases[] = {
      {W(" 45°00'00\""), kGrads, "       50.0000g"},
      {W("123°45'30\""), kGrads, "      137.5093g"},  // 123.758333 x 100/90
      {W("45%%D30'00\""), kGrads, "       50.5556g"},
      {W("45%%d30'00\""), kGrads, "       50.5556g"},
      {W("225°30'00\""), kQuadrant, W("S  45°30'00\" W")},
      {W("225°30'00\""), kWholeCircle, W("225°30'00\"")},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    ConvertAngleText(text, c.mode);
    EXPECT_EQ(text, c.out) << c.in << " mode " << c.mode;
  }
}

TEST(Angles, ParseAngleText) {
  struct Case {
    std::string text;
    int mode;
    double packed;
  };
  const Case cases[] = {
      {W("123°45'30\""), kWholeCircle, 123.4530},
      {W("123°45'30.5\""), kWholeCircle, 123.45305},
      {"123%%d45'30\"", kWholeCircle, 123.4530},
      {"123%%D45'30", kWholeCircle, 123.4530},
      {W("  5°07'00\""), kWholeCircle, 5.07},
      {"123.4530", kWholeCircle, 123.4530},
      {"", kWholeCircle, 0},
      {"abc", kWholeCircle, 0},
      {"45E", kWholeCircle, 45},
      {"12E5", kWholeCircle, 12},  // an E ends the number, not an exponent
      {"S45.3000E", kWholeCircle, 134.3},
      {W("S 45°30'00\" E"), kQuadrant, 134.3},
      {"N45W", kQuadrant, 315},
      {"n45e", kQuadrant, 45},
      {"s45.3w", kWholeCircle, 225.3},
      {W("S  45°30'00\" W"), kQuadrant, 225.3},
      {"N 10%%d00'00\" W", kQuadrant, 350},
      {"50g", kGrads, 45},
      {"100", kGrads, 90},
      {"150.5g", kGrads, 135.27},
      {"400g", kGrads, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ParseAngleText(c.text, c.mode), c.packed, 1e-8) << c.text << " mode " << c.mode;
  }
}

// Every whole second of a sample of the circle (and the quarter points and
// 359°59'59"): conversions agree with the digits, and each mode's display text
// parses back to the angle to the precision it shows.
TEST(Angles, DisplayRoundTripsOverTheCircle) {
  std::vector<int> samples = {0, 90 * 3600, 180 * 3600, 270 * 3600, kCircle - 1};
  for (int s = 0; s < kCircle; s += 37) samples.push_back(s);

  for (int s : samples) {
    const double packed = Pack(s);
    const double degrees = s / 3600.0;
    ASSERT_NEAR(DmsToDegrees(packed), degrees, 1e-8) << s;
    ASSERT_NEAR(DegreesToDms(degrees), packed, 1e-8) << s;

    const std::string whole = FormatDmsText(packed);
    ASSERT_NEAR(ParseAngleText(whole, kWholeCircle), packed, 1e-9) << whole;

    std::string quadrant = whole;
    QuadrantBearingText(quadrant);
    ASSERT_GE(quadrant.size(), whole.size());
    ASSERT_LT(SecondsApart(DmsToDegrees(ParseAngleText(quadrant, kQuadrant)), degrees), 0.01)
        << quadrant;

    // Grads show 0.0001 g (0.324"); the packed result may also carry
    // seconds of 59.5 and over to the next minute.
    const std::string grads = FormatGradsCellText(packed);
    ASSERT_LT(SecondsApart(DmsToDegrees(ParseAngleText(grads, kGrads)), degrees), 0.162 + 0.5)
        << grads;
  }
}

}  // namespace
}  // namespace kestrel
