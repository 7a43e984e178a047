#include "pictures/gif_lzw.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace quorix::gif {

SubBlockChain ScanSubBlocks(const std::uint8_t* p, const std::uint8_t* end) {
  SubBlockChain chain;
  while (p < end) {
    const std::size_t n = *p++;
    if (n == 0) {
      chain.Terminated = true;
      break;
    }
    const std::size_t available = static_cast<std::size_t>(end - p);
    if (n > available) {
      chain.DataBytes += available;
      p = end;
      break;
    }
    chain.DataBytes += n;
    p += n;
  }
  chain.End = p;
  return chain;
}

const std::uint8_t* ReadSubBlocks(const std::uint8_t* p, const std::uint8_t* end, std::vector<std::uint8_t>& out) {
  while (p < end) {
    const std::size_t n = *p++;
    if (n == 0) break;
    const std::size_t take = std::min(n, static_cast<std::size_t>(end - p));
    out.insert(out.end(), p, p + take);
    p += take;
  }
  return p;
}

namespace {

constexpr int kMaxCodeBits = 12;
constexpr unsigned kTableSize = 1u << kMaxCodeBits;

// The output keeps this many bytes beyond its logical end, so a short run may
// be copied as two whole 8-byte words.
constexpr std::size_t kCopySlack = 16;

// Table offsets are 32-bit; no caller asks for anywhere near this many pixels.
constexpr std::size_t kMaxLimit = std::size_t{1} << 31;

inline std::uint64_t Load64LittleEndian(const std::uint8_t* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}

// Codes are packed least significant bit first across the sub-blocks; the
// reader keeps up to 63 bits in hand and refills from the current block,
// stepping over length bytes as it meets them.
class ChainBitReader {
 public:
  ChainBitReader(const std::uint8_t* begin, const std::uint8_t* chainEnd)
      : p_(begin), blockEnd_(begin), end_(chainEnd) {}

  // Has at least `count` bits buffered afterwards unless the chain ran out.
  bool Ensure(int count) {
    if (bits_ < count) Refill();
    return bits_ >= count;
  }
  unsigned Take(int count, unsigned mask) {
    const unsigned v = static_cast<unsigned>(acc_) & mask;
    acc_ >>= count;
    bits_ -= count;
    return v;
  }

 private:
  void Refill() {
    while (bits_ <= 56) {
      const std::size_t inBlock = static_cast<std::size_t>(blockEnd_ - p_);
      if (inBlock >= 8) {
        // Take as many whole bytes as fit. The bits of the next, partly
        // loaded byte land above bits_ and are ORed in again, identically,
        // by the next refill.
        acc_ |= Load64LittleEndian(p_) << bits_;
        const int take = (63 - bits_) >> 3;
        p_ += take;
        bits_ += take * 8;
        return;
      }
      if (inBlock > 0) {
        acc_ |= static_cast<std::uint64_t>(*p_++) << bits_;
        bits_ += 8;
        continue;
      }
      if (p_ >= end_) return;
      const std::size_t n = *p_++;  // the next block's length; 0 ends the chain
      if (n == 0) {
        blockEnd_ = end_ = p_;
        return;
      }
      blockEnd_ = p_ + std::min(n, static_cast<std::size_t>(end_ - p_));
    }
  }

  const std::uint8_t* p_;         // next unread byte
  const std::uint8_t* blockEnd_;  // end of the current block's data
  const std::uint8_t* end_;       // end of the chain
  std::uint64_t acc_ = 0;
  int bits_ = 0;
};

}  // namespace

LzwResult DecodeLzw(const std::uint8_t* begin, const std::uint8_t* end, int minCodeSize, std::size_t limit,
                    std::vector<std::uint8_t>& out) {
  LzwResult result;
  const SubBlockChain chain = ScanSubBlocks(begin, end);
  result.End = chain.End;
  if (minCodeSize < kMinLzwCodeSize || minCodeSize > kMaxLzwCodeSize) {
    result.Status = LzwStatus::BadCodeSize;
    return result;
  }
  limit = std::min(limit, kMaxLimit);
  if (limit == 0) return result;

  std::size_t cap = std::min(limit, std::max(kLzwInitialOutput, chain.DataBytes * 8));
  if (out.size() < cap + kCopySlack) out.resize(cap + kCopySlack);
  std::uint8_t* buf = out.data();
  auto grow = [&](std::size_t need) {
    if (cap == limit) return;
    cap = std::min(limit, std::max(need, cap * 2));
    out.resize(cap + kCopySlack);
    buf = out.data();
  };

  // Each table entry is the run of output where its string was first
  // written: the string of the previous code plus one byte, which is exactly
  // the previous code's output followed by the first byte after it. Output is
  // then a copy of an earlier run, with no chains to follow.
  std::uint32_t offsets[kTableSize];
  std::uint16_t lengths[kTableSize];

  const unsigned clear = 1u << minCodeSize;
  const unsigned endCode = clear + 1;
  int codeSize = minCodeSize + 1;
  unsigned mask = (1u << codeSize) - 1;
  unsigned next = clear + 2;

  ChainBitReader bits(begin, chain.End);
  std::size_t pos = 0;
  std::size_t prevPos = 0;
  std::size_t prevLen = 0;  // 0: no previous code since the last clear

  for (;;) {
    if (!bits.Ensure(codeSize)) {
      result.Status = LzwStatus::DataEnded;
      break;
    }
    const unsigned code = bits.Take(codeSize, mask);
    std::size_t len;
    if (code < clear) {
      if (pos >= cap) grow(pos + 1);
      buf[pos] = static_cast<std::uint8_t>(code);
      len = 1;
    } else if (code == clear) {
      codeSize = minCodeSize + 1;
      mask = (1u << codeSize) - 1;
      next = clear + 2;
      prevLen = 0;
      continue;
    } else if (code == endCode) {
      break;
    } else {
      std::size_t src;
      if (code < next) {
        src = offsets[code];
        len = lengths[code];
      } else if (code == next && prevLen != 0) {
        // The code being defined right now: the previous string plus its own
        // first byte.
        src = prevPos;
        len = prevLen + 1;
      } else {
        result.Status = LzwStatus::BadCode;
        break;
      }
      if (pos + len > cap) {
        grow(pos + len);
        if (pos + len > cap) {
          // The frame is full: keep the part of the string that fits. A
          // forward byte copy also gives the last byte of a just-defined
          // string right.
          for (std::size_t i = 0; pos < cap; ++i) buf[pos++] = buf[src + i];
          break;
        }
      }
      std::uint8_t* dst = buf + pos;
      const std::uint8_t* from = buf + src;
      if (len <= 16 && pos - src >= 16) {
        // Short runs far enough back: two words, the slack takes the excess.
        std::memcpy(dst, from, 8);
        std::memcpy(dst + 8, from + 8, 8);
      } else {
        // The source ends at or before dst, except for the last byte of a
        // just-defined string, which is dst[0] itself: copy it after the rest.
        std::memcpy(dst, from, len - 1);
        dst[len - 1] = from[len - 1];
      }
    }
    if (prevLen != 0 && next < kTableSize) {
      offsets[next] = static_cast<std::uint32_t>(prevPos);
      lengths[next] = static_cast<std::uint16_t>(prevLen + 1);
      ++next;
      if (next == (1u << codeSize) && codeSize < kMaxCodeBits) {
        ++codeSize;
        mask = (1u << codeSize) - 1;
      }
    }
    prevPos = pos;
    prevLen = len;
    pos += len;
    if (pos == limit) break;  // every pixel is there; what follows is not needed
  }
  result.Decoded = pos;
  return result;
}

}  // namespace quorix::gif
