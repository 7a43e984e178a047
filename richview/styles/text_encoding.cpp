#include "richview/styles/text_encoding.h"

namespace quorix {

namespace {

int Resolve(TRVCodePage codePage) { return codePage == CP_ACP ? SystemCodePage() : codePage; }

}  // namespace

TRVRawByteString RVU_GetRawUnicode(std::u16string_view s) {
  TRVRawByteString raw;
  raw.reserve(s.size() * 2);
  for (char16_t c : s) {
    raw.push_back(static_cast<char>(c & 0xFF));
    raw.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return raw;
}

UnicodeString RVU_RawUnicodeToWideString(std::string_view raw) {
  UnicodeString s;
  s.reserve(raw.size() / 2);
  for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(raw[i]);
    const auto hi = static_cast<unsigned char>(raw[i + 1]);
    s.push_back(static_cast<char16_t>(lo | (hi << 8)));
  }
  return s;
}

UnicodeString RVU_AnsiToUnicode(TRVCodePage codePage, std::string_view s) {
  return AnsiToUnicode(s, Resolve(codePage));
}

TRVAnsiString RVU_UnicodeToAnsi(TRVCodePage codePage, std::u16string_view s) {
  return UnicodeToAnsi(s, Resolve(codePage));
}

TRVCodePage RVU_Charset2CodePage(int charset) {
  switch (charset) {
    case 0: return 1252;     // ANSI_CHARSET
    case 77: return 10000;   // MAC_CHARSET
    case 128: return 932;    // SHIFTJIS_CHARSET
    case 129: return 949;    // HANGEUL_CHARSET
    case 130: return 1361;   // JOHAB_CHARSET
    case 134: return 936;    // GB2312_CHARSET
    case 136: return 950;    // CHINESEBIG5_CHARSET
    case 161: return 1253;   // GREEK_CHARSET
    case 162: return 1254;   // TURKISH_CHARSET
    case 163: return 1258;   // VIETNAMESE_CHARSET
    case 177: return 1255;   // HEBREW_CHARSET
    case 178: return 1256;   // ARABIC_CHARSET
    case 186: return 1257;   // BALTIC_CHARSET
    case 204: return 1251;   // RUSSIAN_CHARSET
    case 222: return 874;    // THAI_CHARSET
    case 238: return 1250;   // EASTEUROPE_CHARSET
    case 255: return 437;    // OEM_CHARSET
    default: return CP_ACP;  // DEFAULT_CHARSET, SYMBOL_CHARSET and unknown sets
  }
}

}  // namespace quorix
