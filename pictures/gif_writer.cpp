#include "pictures/gif_writer.h"

#include <algorithm>
#include <array>
#include <memory>

namespace quorix {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr unsigned kTableSize = 1u << kMaxCodeBits;

struct InterlacePass {
  int Start;
  int Step;
};
constexpr InterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

void PutByte(std::string& out, int v) { out.push_back(static_cast<char>(v & 0xFF)); }
void PutWord(std::string& out, int v) {
  PutByte(out, v);
  PutByte(out, v >> 8);
}

// The size field of a colour table's flags: the table holds 2^(n + 1) entries.
int ColorTableSizeBits(std::size_t count) {
  int n = 0;
  while ((std::size_t{2} << n) < count && n < 7) ++n;
  return n;
}

void PutColorTable(std::string& out, const TGIFColorTable& table) {
  const std::size_t padded = std::size_t{2} << ColorTableSizeBits(table.size());
  for (std::size_t i = 0; i < padded; ++i) {
    const TGIFColor c = i < table.size() ? table[i] : TGIFColor{};
    PutByte(out, c.Red);
    PutByte(out, c.Green);
    PutByte(out, c.Blue);
  }
}

// The dictionary of the encoder: (prefix code, next index) -> code, open
// addressing over twice the table size.
class CodeDictionary {
 public:
  void Clear() { keys_.fill(kEmpty); }
  // The code for the key, or -1.
  int Find(std::uint32_t key) const {
    for (std::uint32_t slot = Hash(key);; slot = (slot + 1) & kMask) {
      if (keys_[slot] == kEmpty) return -1;
      if (keys_[slot] == key) return codes_[slot];
    }
  }
  void Insert(std::uint32_t key, int code) {
    std::uint32_t slot = Hash(key);
    while (keys_[slot] != kEmpty) slot = (slot + 1) & kMask;
    keys_[slot] = key;
    codes_[slot] = static_cast<std::uint16_t>(code);
  }

 private:
  static constexpr std::uint32_t kSlots = 2 * kTableSize * 2;
  static constexpr std::uint32_t kMask = kSlots - 1;
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  static std::uint32_t Hash(std::uint32_t key) { return (key * 2654435761u) >> 18 & kMask; }
  std::array<std::uint32_t, kSlots> keys_{};
  std::array<std::uint16_t, kSlots> codes_{};
};

std::vector<std::uint8_t> InterlacedOrder(const TGifWriterFrame& frame) {
  const std::size_t w = static_cast<std::size_t>(std::max(frame.Width, 0));
  std::vector<std::uint8_t> out;
  out.reserve(frame.Indices.size());
  for (const InterlacePass& pass : kInterlacePasses) {
    for (int y = pass.Start; y < frame.Height; y += pass.Step) {
      const std::size_t begin = static_cast<std::size_t>(y) * w;
      if (begin >= frame.Indices.size()) continue;
      const std::size_t end = std::min(begin + w, frame.Indices.size());
      out.insert(out.end(), frame.Indices.begin() + static_cast<std::ptrdiff_t>(begin),
                 frame.Indices.begin() + static_cast<std::ptrdiff_t>(end));
    }
  }
  return out;
}

void PutControlExtension(std::string& out, const TGifWriterFrame& frame) {
  PutByte(out, 0x21);
  PutByte(out, 0xF9);
  PutByte(out, 4);
  PutByte(out, ((frame.Disposal & 7) << 2) | (frame.Transparent ? 1 : 0));
  PutWord(out, frame.Delay);
  PutByte(out, frame.TransparentIndex);
  PutByte(out, 0);
}

void PutImage(std::string& out, const TGifWriterFrame& frame, const TGifWriterImage& image) {
  PutByte(out, 0x2C);
  PutWord(out, frame.Left);
  PutWord(out, frame.Top);
  PutWord(out, frame.Width);
  PutWord(out, frame.Height);
  int flags = frame.Interlaced ? 0x40 : 0;
  if (!frame.LocalColorTable.empty()) flags |= 0x80 | ColorTableSizeBits(frame.LocalColorTable.size());
  PutByte(out, flags);
  if (!frame.LocalColorTable.empty()) PutColorTable(out, frame.LocalColorTable);

  const std::size_t colors = !frame.LocalColorTable.empty() ? frame.LocalColorTable.size() : image.GlobalColorTable.size();
  int maxIndex = 0;
  for (std::uint8_t v : frame.Indices) maxIndex = std::max<int>(maxIndex, v);
  const int minCodeSize = frame.MinCodeSize != 0 ? frame.MinCodeSize : LzwMinCodeSizeFor(colors, maxIndex);
  PutByte(out, minCodeSize);
  if (frame.EmptyImageData) {
    PutByte(out, 0);
    return;
  }
  if (frame.LzwData) {
    out += PackSubBlocks(*frame.LzwData, image.SubBlockSize);
    return;
  }
  const std::vector<std::uint8_t> ordered = frame.Interlaced ? InterlacedOrder(frame) : frame.Indices;
  out += PackSubBlocks(EncodeLzw(ordered, minCodeSize, image.ClearCodeWhenFull), image.SubBlockSize);
}

}  // namespace

void TGifCodePacker::Put(unsigned code, int bits) {
  acc_ |= (code & ((1u << bits) - 1)) << bits_;
  bits_ += bits;
  while (bits_ >= 8) {
    bytes_.push_back(static_cast<char>(acc_ & 0xFF));
    acc_ >>= 8;
    bits_ -= 8;
  }
}

std::string TGifCodePacker::Bytes() const {
  std::string out = bytes_;
  if (bits_ > 0) out.push_back(static_cast<char>(acc_ & 0xFF));
  return out;
}

int LzwMinCodeSizeFor(std::size_t colors, int maxIndex) {
  int bits = 2;
  while (bits < 8 && ((std::size_t{1} << bits) < colors || (1 << bits) <= maxIndex)) ++bits;
  return bits;
}

std::string EncodeLzw(std::span<const std::uint8_t> indices, int minCodeSize, bool clearCodeWhenFull) {
  minCodeSize = std::clamp(minCodeSize, 2, 8);
  const unsigned clear = 1u << minCodeSize;
  const unsigned endCode = clear + 1;
  const unsigned rootMask = clear - 1;
  TGifCodePacker packer;
  auto dictionary = std::make_unique<CodeDictionary>();
  int codeSize = minCodeSize + 1;
  unsigned next = clear + 2;
  auto reset = [&] {
    dictionary->Clear();
    codeSize = minCodeSize + 1;
    next = clear + 2;
  };
  reset();
  packer.Put(clear, codeSize);
  if (indices.empty()) {
    packer.Put(endCode, codeSize);
    return packer.Bytes();
  }

  // The decoder adds a table entry for every code but the first after a
  // clear, one code behind the encoder; the code size grows when the next
  // free code no longer fits, which the encoder sees one entry earlier.
  unsigned w = indices[0] & rootMask;
  bool firstSinceClear = true;
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const unsigned k = indices[i] & rootMask;
    const std::uint32_t key = (w << 8) | k;
    const int found = dictionary->Find(key);
    if (found >= 0) {
      w = static_cast<unsigned>(found);
      continue;
    }
    packer.Put(w, codeSize);
    firstSinceClear = false;
    if (next < kTableSize) {
      dictionary->Insert(key, static_cast<int>(next));
      ++next;
      if (next > (1u << codeSize) && codeSize < kMaxCodeBits) ++codeSize;
      if (next == kTableSize && clearCodeWhenFull) {
        packer.Put(clear, codeSize);
        reset();
        firstSinceClear = true;
      }
    }
    w = k;
  }
  packer.Put(w, codeSize);
  // The decoder adds an entry for that last code too (unless it is the first
  // after a clear, or the table is full), which may widen the end code.
  if (!firstSinceClear && next < kTableSize) {
    ++next;
    if (next > (1u << codeSize) && codeSize < kMaxCodeBits) ++codeSize;
  }
  packer.Put(endCode, codeSize);
  return packer.Bytes();
}

std::string PackSubBlocks(std::string_view data, int blockSize) {
  blockSize = std::clamp(blockSize, 1, 255);
  std::string out;
  out.reserve(data.size() + data.size() / static_cast<std::size_t>(blockSize) + 2);
  for (std::size_t pos = 0; pos < data.size(); pos += static_cast<std::size_t>(blockSize)) {
    const std::size_t n = std::min(data.size() - pos, static_cast<std::size_t>(blockSize));
    PutByte(out, static_cast<int>(n));
    out.append(data.substr(pos, n));
  }
  PutByte(out, 0);
  return out;
}

std::string WriteGif(const TGifWriterImage& image) {
  std::string out = image.JunkBeforeSignature;
  out += "GIF";
  out += image.Version.substr(0, 3);
  PutWord(out, image.Width);
  PutWord(out, image.Height);
  int flags = 0;
  if (!image.GlobalColorTable.empty()) flags = 0x80 | (7 << 4) | ColorTableSizeBits(image.GlobalColorTable.size());
  PutByte(out, flags);
  PutByte(out, image.BackgroundIndex);
  PutByte(out, image.AspectRatio);
  if (!image.GlobalColorTable.empty()) PutColorTable(out, image.GlobalColorTable);

  if (image.LoopCount >= 0) {
    PutByte(out, 0x21);
    PutByte(out, 0xFF);
    PutByte(out, 11);
    out += "NETSCAPE2.0";
    PutByte(out, 3);
    PutByte(out, 1);
    PutWord(out, image.LoopCount);
    PutByte(out, 0);
  }

  for (const TGifWriterFrame& frame : image.Frames) {
    out += frame.RawBytesBefore;
    if (frame.ControlExtension) PutControlExtension(out, frame);
    for (const auto& [label, body] : frame.Extensions) {
      PutByte(out, 0x21);
      PutByte(out, label);
      out += PackSubBlocks(body, image.SubBlockSize);
    }
    if (frame.WriteImage) PutImage(out, frame, image);
  }
  for (int i = 0; i < image.TrailingEmptyFrames; ++i) {
    TGifWriterFrame empty;
    empty.Width = std::max(image.Width, 1);
    empty.Height = std::max(image.Height, 1);
    empty.EmptyImageData = true;
    PutImage(out, empty, image);
  }
  out += image.RawBytesBeforeTrailer;
  if (image.WriteTrailer) PutByte(out, 0x3B);
  if (image.CutAfter < out.size()) out.resize(image.CutAfter);
  return out;
}

}  // namespace quorix
