#pragma once
// The six field encodings of the smilies package: writers that turn a value
// into bytes and readers that take a field from the front of a byte string.
//
// Integers wider than a byte are little-endian. Text is stored as raw UTF-16
// code units, never converted. Readers never fail: on short input they return
// their empty value and leave the string as it was (TakeShortText and TakeBlock
// state exactly what they remove).

#include <cstdint>
#include <string_view>

#include "platform/text.h"

namespace quorix {

// One byte; a value outside 0..255 is written as 0, not cut to its low byte.
RawByteString EncodeByte(std::int32_t value);
// The low 16 bits, little-endian; no range check.
RawByteString EncodeWord(std::int32_t value);
RawByteString EncodeInt32(std::int32_t value);
// A count byte and at most 255 bytes; longer input is cut to its first 255.
RawByteString EncodeShortBytes(std::string_view bytes);
// A count byte and at most 255 UTF-16 code units, 2 bytes each. The cut counts
// code units, so it may split a surrogate pair.
RawByteString EncodeShortText(std::u16string_view text);

int TakeByte(RawByteString& bytes);
int TakeWord(RawByteString& bytes);
std::int32_t TakeInt32(RawByteString& bytes);
// Empty text, and nothing removed, when the count byte promises more units than
// follow it.
UnicodeString TakeShortText(RawByteString& bytes);
// A Word count n and up to n bytes; a short block yields what there is.
RawByteString TakeBlock(RawByteString& bytes);

}  // namespace quorix
