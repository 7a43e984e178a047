#include "smilies/package_codec.h"

#include <algorithm>

namespace quorix {

namespace {

unsigned ByteAt(const RawByteString& bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

char AsChar(unsigned value) { return static_cast<char>(value & 0xFFu); }

}  // namespace

RawByteString EncodeByte(std::int32_t value) {
  const bool inRange = value >= 0 && value <= 255;
  return RawByteString(1, AsChar(inRange ? static_cast<unsigned>(value) : 0u));
}

RawByteString EncodeWord(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return RawByteString{AsChar(v), AsChar(v >> 8)};
}

RawByteString EncodeInt32(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return RawByteString{AsChar(v), AsChar(v >> 8), AsChar(v >> 16), AsChar(v >> 24)};
}

RawByteString EncodeShortBytes(std::string_view bytes) {
  const std::size_t n = std::min<std::size_t>(bytes.size(), 255);
  RawByteString out(1, AsChar(static_cast<unsigned>(n)));
  out.append(bytes.substr(0, n));
  return out;
}

RawByteString EncodeShortText(std::u16string_view text) {
  const std::size_t n = std::min<std::size_t>(text.size(), 255);
  RawByteString out;
  out.reserve(1 + 2 * n);
  out += AsChar(static_cast<unsigned>(n));
  for (std::size_t i = 0; i < n; ++i) {
    out += AsChar(text[i]);
    out += AsChar(static_cast<unsigned>(text[i]) >> 8);
  }
  return out;
}

int TakeByte(RawByteString& bytes) {
  if (bytes.empty()) return 0;
  const int value = static_cast<int>(ByteAt(bytes, 0));
  bytes.erase(0, 1);
  return value;
}

int TakeWord(RawByteString& bytes) {
  if (bytes.size() < 2) return 0;
  const int value = static_cast<int>(ByteAt(bytes, 0) | (ByteAt(bytes, 1) << 8));
  bytes.erase(0, 2);
  return value;
}

std::int32_t TakeInt32(RawByteString& bytes) {
  if (bytes.size() < 4) return 0;
  const std::uint32_t v = ByteAt(bytes, 0) | (ByteAt(bytes, 1) << 8) | (ByteAt(bytes, 2) << 16) |
                          (static_cast<std::uint32_t>(ByteAt(bytes, 3)) << 24);
  bytes.erase(0, 4);
  return static_cast<std::int32_t>(v);
}

UnicodeString TakeShortText(RawByteString& bytes) {
  if (bytes.empty()) return {};
  const std::size_t n = ByteAt(bytes, 0);
  if (bytes.size() < 1 + 2 * n) return {};
  UnicodeString text(n, u'\0');
  for (std::size_t i = 0; i < n; ++i) {
    text[i] = static_cast<char16_t>(ByteAt(bytes, 1 + 2 * i) | (ByteAt(bytes, 2 + 2 * i) << 8));
  }
  bytes.erase(0, 1 + 2 * n);
  return text;
}

RawByteString TakeBlock(RawByteString& bytes) {
  if (bytes.size() < 2) return {};
  const std::size_t n = ByteAt(bytes, 0) | (ByteAt(bytes, 1) << 8);
  RawByteString block = bytes.substr(2, n);
  if (bytes.size() > n + 2) {
    bytes.erase(0, n + 2);
  } else {
    bytes.clear();
  }
  return block;
}

}  // namespace quorix
