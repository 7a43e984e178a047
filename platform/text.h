#pragma once
// Byte strings, UTF-16 text and the 8-bit code pages.
//
// A byte string is a std::string used as a counted run of bytes (zero bytes
// allowed); text is UTF-16 in a std::u16string; 8-bit text is a std::string in
// some code page, by default the system one.

#include <string>
#include <string_view>

namespace quorix {

using RawByteString = std::string;  // bytes, no encoding implied
using UnicodeString = std::u16string;
using AnsiString = std::string;     // 8-bit text in a code page

constexpr int CP_UTF8 = 65001;

// The system's 8-bit code page: 1251 unless QUORIX_CODEPAGE names another one
// (read once, on first use).
int SystemCodePage();
// Overrides the system code page for the rest of the process (tests, tools).
void SetSystemCodePage(int codePage);

// Whether the platform knows how to convert this code page.
bool IsCodePageSupported(int codePage);

// UTF-16 to 8-bit text in codePage. A character the code page cannot hold
// becomes the default character "?" (one per character, surrogate pairs
// included). An unknown code page converts nothing and yields "".
AnsiString UnicodeToAnsi(std::u16string_view text, int codePage);
AnsiString UnicodeToAnsi(std::u16string_view text);  // system code page

// 8-bit text in codePage to UTF-16; a byte (sequence) that does not decode
// becomes U+FFFD.
UnicodeString AnsiToUnicode(std::string_view text, int codePage);
UnicodeString AnsiToUnicode(std::string_view text);  // system code page

// UTF-8 <-> UTF-16 for file names, JSON and diagnostics. Invalid input decodes
// to U+FFFD; a lone surrogate encodes as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
UnicodeString Utf8ToUtf16(std::string_view text);

// Letter-case mapping of the characters the system meets in lists and codes:
// ASCII, Latin-1 and Cyrillic. Other characters stay as they are.
char16_t CharLower(char16_t c);
char16_t CharUpper(char16_t c);
UnicodeString LowerCase(std::u16string_view text);
UnicodeString UpperCase(std::u16string_view text);

// Parses an optionally signed decimal integer that fills the whole text
// (surrounding spaces not allowed). False when the text is not one or the value
// does not fit 32 bits.
bool TryStrToInt(std::u16string_view text, int& value);

// Convenience for literals in code: ASCII / UTF-8 to text.
inline UnicodeString U(std::string_view utf8) { return Utf8ToUtf16(utf8); }

}  // namespace quorix
