// Windows-1252 text: ASCII case folding (only A-Z and a-z change) and the
// conversions to and from UTF-8 and UTF-16.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/ascii_case.h"
#include "platform/text_encoding.h"

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
      {"set-up AZIMUTH Only", "azimuth only", false, false, true},
      {"v0h", "v0ha", false, false, false},                 // shorter than the keyword
      {"\xC4nderung", "\xE4nderung", false, false, false},  // not an ASCII letter
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EqualsIgnoringAsciiCase(c.text, c.word), c.equals);
    EXPECT_EQ(StartsWithIgnoringAsciiCase(c.text, c.word), c.startsWith);
    EXPECT_EQ(ContainsIgnoringAsciiCase(c.text, c.word), c.contains);
  }
}

TEST(TextEncodingTest, EveryByteConvertsToItsCharacterAndBack) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(bytes);
  EXPECT_EQ(Utf8ToCp1252(utf8), bytes);

  // The glyphs of 0x80 to 0x9F are typed here as they look; the five bytes
  // Windows-1252 leaves undefined become the C1 controls of the same number.
  std::string expected;
  for (int b = 0; b < 0x80; ++b) expected += static_cast<char>(b);
  expected +=
      "€\xC2\x81‚ƒ„…†‡ˆ‰Š‹Œ\xC2\x8DŽ\xC2\x8F"
      "\xC2\x90‘’“”•–—˜™š›œ\xC2\x9DžŸ";
  // From 0xA0 on the byte is the character's number: two UTF-8 bytes.
  for (int b = 0xA0; b < 0x100; ++b) {
    expected += static_cast<char>(0xC0 | (b >> 6));
    expected += static_cast<char>(0x80 | (b & 0x3F));
  }
  EXPECT_EQ(utf8, expected);
}

TEST(TextEncodingTest, UnrepresentableOrMalformedTextBecomesQuestionMarks) {
  const std::pair<const char*, const char*> cases[] = {
      {"a\xE2\x82z", "a?z"},         // sequence cut short inside the text
      {"\x80x", "?x"},               // stray continuation byte
      {"\xC0\xAF", "??"},            // overlong slash
      {"\xED\xA0\x80", "???"},       // encoded surrogate
      {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"\xC2\x80", "?"},             // U+0080, a C1 control Windows-1252 has no byte for
      {"\xF0\x9F\x98\x80!", "?!"},   // four-byte character
  };
  for (const auto& [utf8, expected] : cases) EXPECT_EQ(Utf8ToCp1252(utf8), expected) << utf8;

  const std::pair<std::u16string, std::string> cases16[] = {
      {u"45\u00B0 \u20AC \u2122 \u4E2D", "45\xB0 \x80 \x99 ?"},
      {u"a\U0001F600b", "a?b"},                        // a pair is one character
      {std::u16string{u'x', char16_t(0xD800)}, "x?"},  // unpaired high surrogate
      {std::u16string{char16_t(0x0081), char16_t(0x0080)}, "\x81?"},
  };
  for (const auto& [utf16, expected] : cases16) EXPECT_EQ(Utf16ToCp1252(utf16), expected);
}

}  // namespace
}  // namespace kestrel
