// Packed DMS conversions, angle texts and their parsing. Expected values are
// worked out by hand from degrees, minutes and seconds.
#include "survey/angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kestrel {
namespace {

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

TEST(Angles, PackedConversionEdges) {
  // Negative values are lifted by 359.59599999 (-10.3 -> 349.29599999);
  // minutes and seconds of 60 and over clamp to 59 and 59.99999999.
  const double toDegrees[][2] = {
      {-10.3, 349.5}, {725.3, 5.5}, {10.7, 10 + 59 / 60.0}, {10.0075, 10 + 59.99999999 / 3600},
      {720, 360},
  };
  for (const auto& c : toDegrees) EXPECT_NEAR(DmsToDegrees(c[0]), c[1], 1e-4 / 3600) << c[0];
  EXPECT_EQ(DmsToDegrees(std::numeric_limits<double>::quiet_NaN()), 0);
  // 59.9964" carries to the next minute and degree, 59.64" too, 59.46" not.
  const double toPacked[][2] = {
      {359.999995, 0.0}, {-0.5, 359.3}, {720.25, 0.15}, {10.9999, 11.0}, {10.99985, 10.595946},
  };
  for (const auto& c : toPacked) EXPECT_NEAR(DegreesToDms(c[0]), c[1], 1e-8) << c[0];
  // An empty field's sentinel or a damaged value folds at once into range.
  for (double huge : {1e15, -1e15, 1e300, -1e300}) {
    const double d = DmsToDegrees(huge);
    EXPECT_TRUE(d >= 0 && d <= 360.0001) << huge;
    const double packed = DegreesToDms(huge);
    EXPECT_TRUE(packed >= 0 && packed < 360) << huge;
  }
}

TEST(Angles, TextsInEachMode) {
  // Whole circle: shown as stored, even where not a valid packed value.
  EXPECT_EQ(FormatDmsText(5.07), "  5\26007'00\"");
  EXPECT_EQ(FormatDmsText(10.596), " 10\26059'60\"");
  EXPECT_EQ(FormatDmsText(-10.3), "-10\26030'00\"");
  EXPECT_EQ(FormatGradsCellText(45), " 50.0000g");
  EXPECT_EQ(FormatGradsCellText(359.5959), "399.9997g");

  // A wider text keeps its width; beyond 360 it is not a bearing.
  const auto shown = [](double packed) { return FormatDmsText(packed); };
  const std::pair<std::string, std::string> quadrants[] = {
      {shown(90), "N  90\26000'00\" E"},
      {shown(180), "S   0\26000'00\" E"},
      {shown(270), "S  90\26000'00\" W"},
      {shown(360), "N   0\26000'00\" W"},
      {"      123\26045'30\"", "  S  56\26014'30\" E"},
      {"400\26000'00\"", "400\26000'00\""},
  };
  for (const auto& [in, out] : quadrants) {
    std::string text = in;
    QuadrantBearingText(text);
    EXPECT_EQ(text, out) << in;
  }

  // 123d45'30" is 123.758333 degrees x 100/90 grads.
  const std::tuple<std::string, int, std::string> conversions[] = {
      {"123\26045'30\"", kGrads, "      137.5093g"},
      {"225\26030'00\"", kQuadrant, "S  45\26030'00\" W"},
      {"225\26030'00\"", kWholeCircle, "225\26030'00\""},
  };
  for (const auto& [in, mode, out] : conversions) {
    std::string text = in;
    ConvertAngleText(text, mode);
    EXPECT_EQ(text, out) << in << " mode " << mode;
  }
}

TEST(Angles, ParseAngleText) {
  // An E ends the number, never an exponent.
  constexpr int kW = kWholeCircle, kQ = kQuadrant, kG = kGrads;
  const std::tuple<std::string, int, double> cases[] = {
      {"123%%d45'30\"", kW, 123.4530}, {"abc", kW, 0},         {"12E5", kW, 12},
      {"S45.3000E", kW, 134.3},        {"s45.3w", kW, 225.3},  {"n45w", kQ, 315},
      {"N 10%%d00'00\" W", kQ, 350},   {"150.5g", kG, 135.27}, {"400g", kG, 0},
  };
  EXPECT_NEAR(ParseAngleText("123\26045'30.5\"", kW), 123.45305, 1e-8);
  for (const auto& [text, mode, packed] : cases) {
    EXPECT_NEAR(ParseAngleText(text, mode), packed, 1e-8) << text << " mode " << mode;
  }
}

// Every whole second of a sample of the circle (and the quarter points and
// 359d59'59"): conversions agree with the digits, and the whole-circle and
// quadrant texts parse back to the angle to the precision they show.
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
  }
}

}  // namespace
}  // namespace kestrel
