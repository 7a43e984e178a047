#pragma once
// The rich view's text encodings: raw UTF-16LE byte strings (the form a
// Unicode text item keeps), 8-bit text in a code page where 0 stands for the
// system's code page, and the font character sets' code pages.

#include <string_view>

#include "platform/text.h"

namespace quorix {

using TRVRawByteString = RawByteString;
using TRVAnsiString = AnsiString;
using TRVCodePage = int;

// 0 = the system's 8-bit code page.
constexpr TRVCodePage CP_ACP = 0;

// UTF-16 text as UTF-16LE bytes (two per code unit, low byte first), and back.
// An odd trailing byte is ignored.
TRVRawByteString RVU_GetRawUnicode(std::u16string_view s);
UnicodeString RVU_RawUnicodeToWideString(std::string_view raw);

// 8-bit text in a code page (0 = the system's) to UTF-16, and back.
UnicodeString RVU_AnsiToUnicode(TRVCodePage codePage, std::string_view s);
TRVAnsiString RVU_UnicodeToAnsi(TRVCodePage codePage, std::u16string_view s);

// The code page of a font character set; DEFAULT_CHARSET and sets without a
// code page of their own answer 0 (the system's).
TRVCodePage RVU_Charset2CodePage(int charset);

}  // namespace quorix
