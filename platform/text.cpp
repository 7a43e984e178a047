#include "platform/text.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace quorix {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char kDefaultChar = '?';

int g_systemCodePage = 0;  // 0 = not read yet

int CodePageFromEnvironment() {
  const char* env = std::getenv("QUORIX_CODEPAGE");
  if (env && *env) {
    char* end = nullptr;
    long value = std::strtol(env, &end, 10);
    if (end && *end == '\0' && value > 0 && value < 100000) return static_cast<int>(value);
  }
  return 1251;
}

std::string IconvName(int codePage) {
  switch (codePage) {
    case CP_UTF8: return "UTF-8";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28595: return "ISO-8859-5";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 932: return "CP932";
    case 936: return "GBK";
    case 949: return "CP949";
    case 950: return "BIG5";
    default: return "CP" + std::to_string(codePage);
  }
}

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};

// One code page's tables. For single-byte code pages every byte maps to one
// UTF-16 unit (or none) and back, so conversion never needs iconv after the
// tables are built; other code pages go through iconv each time.
struct CodePageTables {
  bool supported = false;
  bool singleByte = false;
  std::array<char16_t, 256> toUnicode{};
  std::array<bool, 256> decodable{};
  std::map<char16_t, unsigned char> fromUnicode;
};

std::optional<char16_t> DecodeSingleByte(iconv_t cd, unsigned char byte, bool& multiByte) {
  char in[1] = {static_cast<char>(byte)};
  char16_t out[4];
  char* inp = in;
  size_t inLeft = 1;
  char* outp = reinterpret_cast<char*>(out);
  size_t outLeft = sizeof(out);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  if (rc == static_cast<size_t>(-1)) {
    if (errno == EINVAL) multiByte = true;  // a lead byte: the code page is not single-byte
    return std::nullopt;
  }
  size_t produced = (sizeof(out) - outLeft) / 2;
  if (produced != 1) return std::nullopt;
  return out[0];
}

CodePageTables BuildTables(int codePage) {
  CodePageTables t;
  if (codePage == CP_UTF8) {
    t.supported = true;
    return t;
  }
  iconv_t raw = iconv_open("UTF-16LE", IconvName(codePage).c_str());
  if (raw == reinterpret_cast<iconv_t>(-1)) return t;
  std::unique_ptr<void, IconvCloser> cd(raw);
  t.supported = true;
  bool multiByte = false;
  for (int b = 0; b < 256; ++b) {
    auto u = DecodeSingleByte(raw, static_cast<unsigned char>(b), multiByte);
    if (u) {
      t.toUnicode[b] = *u;
      t.decodable[b] = true;
    }
  }
  t.singleByte = !multiByte;
  if (t.singleByte) {
    // Build the reverse map; the first byte that decodes to a unit wins.
    for (int b = 255; b >= 0; --b)
      if (t.decodable[b]) t.fromUnicode[t.toUnicode[b]] = static_cast<unsigned char>(b);
  }
  return t;
}

const CodePageTables& TablesFor(int codePage) {
  static std::mutex mutex;
  static std::map<int, std::unique_ptr<CodePageTables>> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto& slot = cache[codePage];
  if (!slot) slot = std::make_unique<CodePageTables>(BuildTables(codePage));
  return *slot;
}

// General iconv conversion, one input character at a time on failure so that an
// unconvertible character is replaced rather than ending the conversion.
std::string IconvFromUtf16(std::u16string_view text, int codePage) {
  iconv_t raw = iconv_open(IconvName(codePage).c_str(), "UTF-16LE");
  if (raw == reinterpret_cast<iconv_t>(-1)) return {};
  std::unique_ptr<void, IconvCloser> cd(raw);
  std::string result;
  size_t i = 0;
  while (i < text.size()) {
    size_t units = 1;
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      units = 2;
    char16_t in[2] = {text[i], units == 2 ? text[i + 1] : u'\0'};
    char out[16];
    char* inp = reinterpret_cast<char*>(in);
    size_t inLeft = units * 2;
    char* outp = out;
    size_t outLeft = sizeof(out);
    size_t rc = iconv(raw, &inp, &inLeft, &outp, &outLeft);
    if (rc == static_cast<size_t>(-1) || inLeft != 0) {
      iconv(raw, nullptr, nullptr, nullptr, nullptr);
      result += kDefaultChar;
    } else {
      result.append(out, sizeof(out) - outLeft);
    }
    i += units;
  }
  return result;
}

UnicodeString IconvToUtf16(std::string_view text, int codePage) {
  iconv_t raw = iconv_open("UTF-16LE", IconvName(codePage).c_str());
  if (raw == reinterpret_cast<iconv_t>(-1)) return {};
  std::unique_ptr<void, IconvCloser> cd(raw);
  UnicodeString result;
  result.reserve(text.size());
  std::string input(text);
  char* inp = input.data();
  size_t inLeft = input.size();
  while (inLeft > 0) {
    char16_t out[256];
    char* outp = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof(out);
    size_t rc = iconv(raw, &inp, &inLeft, &outp, &outLeft);
    result.append(out, (sizeof(out) - outLeft) / 2);
    if (rc == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // Invalid or incomplete sequence: replace one byte and go on.
      iconv(raw, nullptr, nullptr, nullptr, nullptr);
      result += kReplacement;
      ++inp;
      --inLeft;
    }
  }
  return result;
}

}  // namespace

int SystemCodePage() {
  if (g_systemCodePage == 0) g_systemCodePage = CodePageFromEnvironment();
  return g_systemCodePage;
}

void SetSystemCodePage(int codePage) { g_systemCodePage = codePage; }

bool IsCodePageSupported(int codePage) { return TablesFor(codePage).supported; }

AnsiString UnicodeToAnsi(std::u16string_view text, int codePage) {
  if (codePage == CP_UTF8) return Utf16ToUtf8(text);
  const CodePageTables& t = TablesFor(codePage);
  if (!t.supported) return {};
  if (!t.singleByte) return IconvFromUtf16(text, codePage);
  AnsiString result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;  // a supplementary character never fits a single-byte code page
      result += kDefaultChar;
      continue;
    }
    auto it = t.fromUnicode.find(c);
    result += it != t.fromUnicode.end() ? static_cast<char>(it->second) : kDefaultChar;
  }
  return result;
}

AnsiString UnicodeToAnsi(std::u16string_view text) { return UnicodeToAnsi(text, SystemCodePage()); }

UnicodeString AnsiToUnicode(std::string_view text, int codePage) {
  if (codePage == CP_UTF8) return Utf8ToUtf16(text);
  const CodePageTables& t = TablesFor(codePage);
  if (!t.supported) return {};
  if (!t.singleByte) return IconvToUtf16(text, codePage);
  UnicodeString result;
  result.reserve(text.size());
  for (unsigned char b : text) result += t.decodable[b] ? t.toUnicode[b] : kReplacement;
  return result;
}

UnicodeString AnsiToUnicode(std::string_view text) { return AnsiToUnicode(text, SystemCodePage()); }

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

UnicodeString Utf8ToUtf16(std::string_view text) {
  UnicodeString out;
  out.reserve(text.size());
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
      continue;
    }
    int len = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((b & 0xE0) == 0xC0) {
      len = 2;
      c = b & 0x1F;
      min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3;
      c = b & 0x0F;
      min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4;
      c = b & 0x07;
      min = 0x10000;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    if (i + len > n) {
      out += kReplacement;
      ++i;
      continue;
    }
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      unsigned char cb = static_cast<unsigned char>(text[i + k]);
      if ((cb & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (cb & 0x3F);
    }
    if (!ok || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += kReplacement;
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += len;
  }
  return out;
}

char16_t CharLower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 32;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

char16_t CharUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}

UnicodeString LowerCase(std::u16string_view text) {
  UnicodeString r(text);
  for (auto& c : r) c = CharLower(c);
  return r;
}

UnicodeString UpperCase(std::u16string_view text) {
  UnicodeString r(text);
  for (auto& c : r) c = CharUpper(c);
  return r;
}

bool TryStrToInt(std::u16string_view text, int& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace quorix
