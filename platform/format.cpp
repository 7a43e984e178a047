#include "platform/format.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>

namespace quorix {

namespace {

[[noreturn]] void Invalid(const UnicodeString& fmt) {
  throw Exception("Format '" + Utf16ToUtf8(fmt) + "' invalid or incompatible with argument");
}

UnicodeString Ascii(const std::string& s) { return UnicodeString(s.begin(), s.end()); }

// Digits with a thousands separator, for %n.
std::string GroupThousands(const std::string& number) {
  const std::size_t dot = number.find('.');
  std::string whole = number.substr(0, dot);
  const std::string rest = dot == std::string::npos ? "" : number.substr(dot);
  const bool negative = !whole.empty() && whole[0] == '-';
  if (negative) whole.erase(0, 1);
  std::string grouped;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
    grouped += whole[i];
  }
  return (negative ? "-" : "") + grouped + rest;
}

}  // namespace

UnicodeString FormatText(const UnicodeString& Fmt, std::span<const TFormatArg> Args) {
  UnicodeString out;
  std::size_t next = 0;
  const std::size_t n = Fmt.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (Fmt[i] != u'%') {
      out += Fmt[i];
      continue;
    }
    if (++i >= n) Invalid(Fmt);
    if (Fmt[i] == u'%') {
      out += u'%';
      continue;
    }
    auto readNumber = [&](int& value) {
      bool any = false;
      value = 0;
      while (i < n && Fmt[i] >= u'0' && Fmt[i] <= u'9') {
        value = value * 10 + (Fmt[i] - u'0');
        if (value > 1000000) Invalid(Fmt);
        ++i;
        any = true;
      }
      return any;
    };
    int number = 0;
    const std::size_t start = i;
    if (readNumber(number) && i < n && Fmt[i] == u':') {
      next = static_cast<std::size_t>(number);
      ++i;
    } else {
      i = start;
    }
    bool left = false;
    if (i < n && Fmt[i] == u'-') {
      left = true;
      ++i;
    }
    int width = 0;
    readNumber(width);
    int precision = -1;
    if (i < n && Fmt[i] == u'.') {
      ++i;
      readNumber(precision);
    }
    if (i >= n || next >= Args.size()) Invalid(Fmt);
    const TFormatArg& arg = Args[next++];
    const char16_t type = Fmt[i];
    UnicodeString piece;
    char buffer[512];
    switch (type) {
      case u'd':
      case u'u':
      case u'x':
      case u'X': {
        const long long* v = std::get_if<long long>(&arg);
        if (!v) Invalid(Fmt);
        const int digits = precision < 0 ? 1 : std::min(precision, 100);
        if (type == u'd')
          std::snprintf(buffer, sizeof buffer, "%.*lld", digits, *v);
        else if (type == u'u')
          std::snprintf(buffer, sizeof buffer, "%.*llu", digits, static_cast<unsigned long long>(*v) & 0xFFFFFFFFull);
        else
          std::snprintf(buffer, sizeof buffer, type == u'x' ? "%.*llx" : "%.*llX", digits,
                        static_cast<unsigned long long>(*v) & 0xFFFFFFFFull);
        piece = Ascii(buffer);
        break;
      }
      case u'e':
      case u'f':
      case u'g':
      case u'n': {
        double v = 0;
        if (const auto* d = std::get_if<double>(&arg))
          v = *d;
        else if (const auto* k = std::get_if<long long>(&arg))
          v = static_cast<double>(*k);
        else
          Invalid(Fmt);
        const int digits = precision < 0 ? (type == u'g' ? 15 : 2) : std::min(precision, 100);
        const char* conversion = type == u'e' ? "%.*E" : type == u'g' ? "%.*G" : "%.*f";
        std::snprintf(buffer, sizeof buffer, conversion, digits, v);
        piece = Ascii(type == u'n' ? GroupThousands(buffer) : std::string(buffer));
        break;
      }
      case u's': {
        const auto* s = std::get_if<UnicodeString>(&arg);
        if (!s) Invalid(Fmt);
        piece = precision >= 0 && static_cast<std::size_t>(precision) < s->size() ? s->substr(0, precision) : *s;
        break;
      }
      default: Invalid(Fmt);
    }
    if (static_cast<int>(piece.size()) < width) {
      const UnicodeString pad(static_cast<std::size_t>(width) - piece.size(), u' ');
      piece = left ? piece + pad : pad + piece;
    }
    out += piece;
  }
  return out;
}

}  // namespace quorix
