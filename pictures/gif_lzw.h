#pragma once
// The variable-length-code LZW decompressor of GIF image data, and the walk
// over the data sub-blocks that carry it (and every extension's body).
//
// In the file the compressed data is a chain of sub-blocks: a length byte,
// that many bytes, the next length byte, ... ended by a zero length. The
// decoder reads the codes straight out of the chain; nothing is concatenated.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorix::gif {

// Where a sub-block chain that starts at `begin` ends: just after its zero
// terminator, or at `end` when the input stops first.
struct SubBlockChain {
  const std::uint8_t* End = nullptr;  // first byte after the chain
  std::size_t DataBytes = 0;          // payload bytes, length bytes not counted
  bool Terminated = false;            // false when the input ended inside the chain
};
SubBlockChain ScanSubBlocks(const std::uint8_t* begin, const std::uint8_t* end);

// Appends the payload of the chain at `begin` to `out`; returns the chain's end.
const std::uint8_t* ReadSubBlocks(const std::uint8_t* begin, const std::uint8_t* end, std::vector<std::uint8_t>& out);

// The smallest and largest LZW minimum code size the decoder takes. GIF colour
// indices are bytes, so a root alphabet above 8 bits cannot be stored; below 1
// there would be no room for the clear and end codes.
constexpr int kMinLzwCodeSize = 1;
constexpr int kMaxLzwCodeSize = 8;

enum class LzwStatus {
  Complete,    // the end code arrived, or `limit` indices were produced
  DataEnded,   // the chain (or the input) ended before the end code
  BadCode,     // a code that names no table entry; output stops before it
  BadCodeSize  // the minimum code size is outside kMinLzwCodeSize..kMaxLzwCodeSize
};

struct LzwResult {
  std::size_t Decoded = 0;            // indices written to the front of `out`
  const std::uint8_t* End = nullptr;  // the end of the whole sub-block chain
  LzwStatus Status = LzwStatus::Complete;
};

// Decodes the chain at `begin` (its first length byte) with the given minimum
// code size, writing at most `limit` colour indices to `out`.
//
// Memory grows with the output, not with `limit`: `out` starts at
// min(limit, max(kLzwInitialOutput, 8 x the compressed bytes)) and doubles
// (never beyond `limit`) as decoded output arrives. So a frame that declares
// 65535 x 65535 pixels but carries a few bytes of data costs 16 KiB. On return `out` may be larger than
// `Decoded`; the caller keeps or trims it.
//
// Everything the chain might hold is tolerated: the data may end anywhere,
// codes may be out of range, the table may fill without a clear code (the
// "deferred clear" of some encoders: codes stay 12 bits and the table frozen).
LzwResult DecodeLzw(const std::uint8_t* begin, const std::uint8_t* end, int minCodeSize, std::size_t limit,
                    std::vector<std::uint8_t>& out);

// The least output buffer: small enough to spend on any frame, however
// little data it carries, and big enough for a whole smiley.
constexpr std::size_t kLzwInitialOutput = std::size_t{1} << 14;

}  // namespace quorix::gif
