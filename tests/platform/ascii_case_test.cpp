// ASCII case folding: only A-Z and a-z change, every Windows-1252 byte beyond
// ASCII stays as it is.
#include "platform/ascii_case.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(AsciiCase, FoldsAsciiLettersOnly) {
  // 0xC4 is A with diaeresis, 0xE4 its small letter, 0xB0 the degree sign.
  EXPECT_EQ(LowerCaseAscii("StAd1.TST \xC4\xB0"), "stad1.tst \xC4\xB0");
  EXPECT_EQ(UpperCaseAscii("n 45\xB0"
                           "30' e \xE4"),
            "N 45\xB0"
            "30' E \xE4");
}

TEST(AsciiCase, ComparisonsIgnoreCase) {
  struct Case {
    std::string_view text, word;
    bool equals, startsWith, contains;
  };
  const Case cases[] = {
      {"V0HA", "v0ha", true, true, true},
      {"Vertadj 0.0012", "vertadj ", false, true, true},
      {"set-up AZIMUTH Only", "azimuth only", false, false, true},
      {"v0h", "v0ha", false, false, false},                 // shorter than the keyword
      {"\xC4nderung", "\xE4nderung", false, false, false},  // not an ASCII letter
      {"", "", true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EqualsIgnoringAsciiCase(c.text, c.word), c.equals);
    EXPECT_EQ(StartsWithIgnoringAsciiCase(c.text, c.word), c.startsWith);
    EXPECT_EQ(ContainsIgnoringAsciiCase(c.text, c.word), c.contains);
  }
}

}  // namespace
}  // namespace kestrel
