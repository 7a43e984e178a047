#pragma once
// Writing GIF89a (or GIF87a) files from frames of colour indices: the sample
// smilies are drawn with it, and the decoder's tests build their fixtures
// with it, including the damaged variants a reader has to survive.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pictures/gif_image.h"

namespace quorix {

struct TGifWriterFrame {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  // Width x Height colour indices, rows top to bottom. Fewer indices write a
  // frame whose data ends early (an end code after what is given).
  std::vector<std::uint8_t> Indices;
  TGIFColorTable LocalColorTable;  // empty: no local table
  bool Interlaced = false;

  // A graphic control extension before the image.
  bool ControlExtension = false;
  int Disposal = dmNone;  // 0..7; 4..7 are undefined values, for tests
  int Delay = 0;          // hundredths of a second
  bool Transparent = false;
  int TransparentIndex = 0;
  // Further extension blocks before the image: label and body.
  std::vector<std::pair<std::uint8_t, std::string>> Extensions;

  // Variants.
  bool WriteImage = true;          // false: the extensions only, no image descriptor
  bool EmptyImageData = false;     // the minimum code size and no data sub-blocks
  std::optional<std::string> LzwData;  // these code bytes instead of encoding Indices
  int MinCodeSize = 0;             // 0: from the colour table and the largest index
  std::string RawBytesBefore;      // written as they are before the frame
};

struct TGifWriterImage {
  int Width = 0;
  int Height = 0;
  TGIFColorTable GlobalColorTable;  // empty: no global table
  int BackgroundIndex = 0;
  int AspectRatio = 0;
  std::string Version = "89a";
  int LoopCount = -1;  // >= 0: a NETSCAPE2.0 loop extension (0 = for ever)
  std::vector<TGifWriterFrame> Frames;

  // Variants for readers' tests.
  std::string JunkBeforeSignature;
  std::string RawBytesBeforeTrailer;
  bool WriteTrailer = true;
  int TrailingEmptyFrames = 0;  // image descriptors with no data after the frames
  std::size_t CutAfter = std::string::npos;  // keep only the first CutAfter bytes
  int SubBlockSize = 255;                    // 1..255
  bool ClearCodeWhenFull = true;  // false: the table stays full without a clear code
};

// The whole file.
std::string WriteGif(const TGifWriterImage& image);

// The LZW code bytes of the indices (not yet split into sub-blocks), starting
// with a clear code and ending with the end code. minCodeSize 2..8.
std::string EncodeLzw(std::span<const std::uint8_t> indices, int minCodeSize, bool clearCodeWhenFull = true);

// Splits data into sub-blocks of at most blockSize bytes, with the terminator.
std::string PackSubBlocks(std::string_view data, int blockSize = 255);

// The minimum code size for a colour table of `colors` entries and indices up
// to maxIndex: at least 2, as the format asks.
int LzwMinCodeSizeFor(std::size_t colors, int maxIndex);

// Packs codes of given widths least significant bit first, as GIF does; for
// hand-made code streams (codes out of range and the like).
class TGifCodePacker {
 public:
  void Put(unsigned code, int bits);
  // The bytes so far, the last one padded with zero bits.
  std::string Bytes() const;

 private:
  std::string bytes_;
  std::uint32_t acc_ = 0;
  int bits_ = 0;
};

}  // namespace quorix
