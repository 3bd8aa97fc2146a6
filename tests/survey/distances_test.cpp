// Distance notations: feet-and-inches texts worked out by hand (feet, inches,
// sixteenths cut down, blanks closed up and moved to the front), typed texts
// and display round trips in every notation.
#include "survey/distances.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include "platform/printf_format.h"

namespace kestrel {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(Distances, FeetAndInchesTexts) {
  const std::pair<double, std::string> cases[] = {
      {5.2604167, "  5' 3 1/8"},        // the format's two spare blanks move to the front
      {3.9987, "3'11 15/16"},           // longer than the field: never cut
      {3.9999, "      4' 0"},           // 16/16 -> a whole inch -> 12 inches -> a foot
      {2 + 10.999 / 12, "      2'11"},  // 10 in + 15.98/16 -> 11 in, no foot carried
      {-0.99999, "      -1' 0"},        // carries away from zero
      {-5.53125, "  -5' 6 3/8"},
      {12.99, "  12'11 7/8"},                 // 11.88 in: 14.08 sixteenths cut to 14
      {2 + 3.0615234375 / 12, " 2' 3 1/16"},  // 1/64 of a sixteenth short goes up
      {2 + 3.06 / 12, "      2' 3"},          // 0.04 of a sixteenth short does not
  };
  const auto shown = [](double feet, std::size_t width) {
    std::string text(width, 'x');
    FormatFeetInches(feet, text);
    return text;
  };
  for (const auto& [feet, text] : cases) EXPECT_EQ(shown(feet, 8), text) << feet;
  EXPECT_EQ(shown(0.5, 20), Blanks(16) + "0' 6");
  EXPECT_EQ(shown(5.5, 0), "");
  // A value that is not a number leaves the printed text alone.
  EXPECT_EQ(shown(std::numeric_limits<double>::quiet_NaN(), 8), "xxxxxxxx");

  // FormatDistanceText keeps the caller's width and returns the length.
  const std::tuple<std::string, int, std::string> distances[] = {
      {"   5.500", kFeetInches, "      5' 6"},
      {"        5.500", kFeetInches, Blanks(9) + "5' 6"},
      {"", kFeetInches, ""},
  };
  for (const auto& [printed, unit, expected] : distances) {
    std::string text = printed;
    EXPECT_EQ(FormatDistanceText(text, 5.5, unit), static_cast<int>(expected.size()));
    EXPECT_EQ(text, expected) << printed << " unit " << unit;
  }
}

TEST(Distances, ParseDistanceText) {
  const std::tuple<std::string, int, double> cases[] = {
      {"5'6", kFeetInches, 5.5},
      {"'6", kFeetInches, 0.5},
      {"-5'6 3/8", kFeetInches, -5.53125},
      {"5'6\"3/8", kFeetInches, 5.53125},
      {"5'063/8", kFeetInches, 5.53125},
      {"12", kFeetInches, 0},                  // no apostrophe
      {"5'6 3/0", kFeetInches, 5.5},           // zero denominator: no fraction
      {"5'6 1e300/1e-300", kFeetInches, 5.5},  // overflowing fraction: none
      {"5'6 3/8", kDecimalFeet, 5.53125},
      {"5\"", kMetres, 0},  // a quote makes it feet and inches, without feet
      {"12.345m", kDecimalFeet, 12.345},
      {"3.25", 7, 3.25},  // an unknown notation reads as metres
  };
  for (const auto& [text, unit, value] : cases) {
    EXPECT_DOUBLE_EQ(ParseDistanceText(text, unit), value) << text << " unit " << unit;
  }
}

// A cell prints "%8.3f", puts it into feet and inches and the user edits it
// back: the value comes back to the precision shown.
TEST(Distances, DisplayRoundTrips) {
  const double inch = 1.0 / 12;
  for (int i = -5000; i <= 5000; ++i) {
    const double value = i * 0.06103;  // from -305 to 305, through 0
    std::string text = Sprintf("%8.3f", value);
    FormatDistanceText(text, value, kFeetInches);
    ASSERT_GE(text.size(), 8u);
    // Sixteenths are cut down, so the length shown is at most 1/16 inch short
    // of the value, or 1/32 of a sixteenth long.
    const double parsed = ParseDistanceText(text, kFeetInches);
    const double shortBy = value < 0 ? parsed - value : value - parsed;
    ASSERT_LE(shortBy, inch / 16 + 1e-9) << value << " -> " << text;
    ASSERT_GE(shortBy, -inch / 512 - 1e-9) << value << " -> " << text;
  }
}

}  // namespace
}  // namespace kestrel
