#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrel {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(TextEncodingTest, EveryByteSurvivesTheRoundTrip) {
  const std::string bytes = AllBytes();
  const std::string utf8 = Cp1252ToUtf8(bytes);
  EXPECT_EQ(Utf8ToCp1252(utf8), bytes);
  // No byte may be lost to a '?' on the way.
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << "byte " << b;
  }
}

TEST(TextEncodingTest, ConvertsBytesToTheirCharacters) {
  struct Case {
    unsigned char byte;
    const char* utf8;
  };
  // The glyphs are typed here as they look, not as code numbers.
  const Case cases[] = {
      {0x41, "A"},        {0x80, "€"},        {0x81, "\xC2\x81"}, {0x82, "‚"},
      {0x83, "ƒ"},        {0x84, "„"},        {0x85, "…"},        {0x86, "†"},
      {0x87, "‡"},        {0x88, "ˆ"},        {0x89, "‰"},        {0x8A, "Š"},
      {0x8B, "‹"},        {0x8C, "Œ"},        {0x8D, "\xC2\x8D"}, {0x8E, "Ž"},
      {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"}, {0x91, "‘"},        {0x92, "’"},
      {0x93, "“"},        {0x94, "”"},        {0x95, "•"},        {0x96, "–"},
      {0x97, "—"},        {0x98, "˜"},        {0x99, "™"},        {0x9A, "š"},
      {0x9B, "›"},        {0x9C, "œ"},        {0x9D, "\xC2\x9D"}, {0x9E, "ž"},
      {0x9F, "Ÿ"},        {0xA0, "\xC2\xA0"}, {0xB0, "°"},        {0xB1, "±"},
      {0xD7, "×"},        {0xE9, "é"},        {0xFF, "ÿ"},
  };
  for (const Case& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(Cp1252ToUtf8(byte), c.utf8) << "byte " << int(c.byte);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), byte) << "byte " << int(c.byte);
  }
  EXPECT_EQ(Cp1252ToUtf8("N 45\xB0"
                         "30'"),
            "N 45°30'");
}

TEST(TextEncodingTest, UnrepresentableOrMalformedUtf8BecomesQuestionMarks) {
  struct Case {
    const char* utf8;
    const char* expected;
  };
  const Case cases[] = {
      {"a\xE2\x82z", "a?z"},         // sequence cut short inside the text
      {"ab\xE2\x82", "ab?"},         // ... and at its end
      {"\xC3", "?"},                 // lone lead byte
      {"\x80x", "?x"},               // stray continuation byte
      {"\xC0\xAF", "??"},            // overlong slash
      {"\xE0\x80\xAF", "???"},       // overlong three-byte form
      {"\xED\xA0\x80", "???"},       // encoded surrogate
      {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"\xFF\xFE", "??"},            // bytes never used in UTF-8
      {"\xC2\x80", "?"},             // U+0080, a C1 control Windows-1252 has no byte for
      {"中", "?"},                   // a character outside Windows-1252
      {"\xF0\x9F\x98\x80!", "?!"},   // four-byte character
      {"Ω≈€", "??\x80"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.expected) << c.utf8;
  }
}

TEST(TextEncodingTest, Utf16ToCp1252) {
  struct Case {
    std::u16string utf16;
    std::string expected;
  };
  const Case cases[] = {
      {u"Stn 1", "Stn 1"},
      {u"45\u00B0 \u20AC \u2122", "45\xB0 \x80 \x99"},
      {u"\u4E2D", "?"},
      {u"a\U0001F600b", "a?b"},                        // a pair is one character
      {std::u16string{u'x', char16_t(0xD800)}, "x?"},  // unpaired high surrogate
      {std::u16string{char16_t(0xDC00), u'y'}, "?y"},  // unpaired low surrogate
      {std::u16string{char16_t(0x0081)}, "\x81"},      // undefined byte's C1 control
      {std::u16string{char16_t(0x0080)}, "?"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16ToCp1252(c.utf16), c.expected);
  }
}

}  // namespace
}  // namespace kestrel
