#pragma once
// Windows-1252 <-> UTF-8. Texts inside the core are Windows-1252 bytes, as the
// sheet files and RTF reports hold them (the degree sign is 0xB0); UTF-8 exists
// only at the edges (widgets, terminal, command-line input).
#include <string>
#include <string_view>

namespace kestrel {

// Every byte of `text` becomes its Unicode character in UTF-8. The five bytes
// that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// C1 control characters of the same value, so the conversion is reversible.
std::string Cp1252ToUtf8(std::string_view text);
// The same, appended to `out`.
void AppendCp1252AsUtf8(std::string& out, std::string_view text);

// The reverse of Cp1252ToUtf8. A character that Windows-1252 cannot hold, or a
// malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1252(std::string_view text);

// UTF-16 text (as older sheet files may hold it) in Windows-1252; a character
// it cannot hold, or an unpaired surrogate, becomes '?'.
std::string Utf16ToCp1252(std::u16string_view text);

// One Unicode character as its Windows-1252 byte, or '?'.
char CodePointToCp1252(char32_t c);

}  // namespace kestrel
