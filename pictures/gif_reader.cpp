#include "pictures/gif_reader.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "pictures/gif_lzw.h"
#include "platform/graphics.h"

namespace quorix {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

constexpr std::size_t kSignatureSize = 6;
constexpr std::size_t kLogicalScreenSize = 7;
constexpr std::size_t kImageDescriptorSize = 10;
// Where a signature that is not at the start may stand instead: some writers
// put a 4-byte length or tag in front of the file.
constexpr std::size_t kSignatureRetryOffset = 4;

constexpr std::uint8_t kColorTableFlag = 0x80;
constexpr std::uint8_t kInterlaceFlag = 0x40;
constexpr std::uint8_t kColorTableSizeBits = 0x07;

// Interlaced rows arrive in four passes: every 8th row from row 0, every 8th
// from row 4, every 4th from row 2, every 2nd from row 1.
struct InterlacePass {
  int Start;
  int Step;
};
constexpr InterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

int Word(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

bool IsGifSignature(const std::uint8_t* p) {
  auto upper = [](std::uint8_t c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
  return upper(p[0]) == 'G' && upper(p[1]) == 'I' && upper(p[2]) == 'F';
}

[[noreturn]] void Fail(const char* message) { throw EInvalidGraphic(message); }

// Calls visit(displayRow, decodedRow) for the first `rows` rows of an
// interlaced image of the given height, in the order they are stored.
template <typename Visit>
void ForEachInterlacedRow(int height, std::size_t rows, Visit visit) {
  std::size_t decodedRow = 0;
  for (const InterlacePass& pass : kInterlacePasses) {
    for (int y = pass.Start; y < height; y += pass.Step) {
      if (decodedRow == rows) return;
      visit(y, decodedRow++);
    }
  }
}

// The stored pixels of an interlaced frame from its first `count` decoded
// indices: display rows 0 up to the lowest row that received data, at most
// `keptRows` of them; rows not (or not fully) decoded are index 0.
std::vector<std::uint8_t> Deinterlace(const std::uint8_t* decoded, std::size_t count, int width, int height,
                                      std::size_t keptRows) {
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t rows = (count + w - 1) / w;
  std::size_t storedRows = 0;
  ForEachInterlacedRow(height, rows, [&](int y, std::size_t) {
    if (static_cast<std::size_t>(y) < keptRows) storedRows = std::max(storedRows, static_cast<std::size_t>(y) + 1);
  });
  std::vector<std::uint8_t> out(storedRows * w);
  ForEachInterlacedRow(height, rows, [&](int y, std::size_t row) {
    if (static_cast<std::size_t>(y) >= storedRows) return;
    const std::size_t n = std::min(w, count - row * w);
    std::copy_n(decoded + row * w, n, out.data() + static_cast<std::size_t>(y) * w);
  });
  return out;
}

}  // namespace

TGIFReader::TGIFReader(std::string_view bytes, TGIFImage& image)
    : begin_(reinterpret_cast<const std::uint8_t*>(bytes.data())),
      p_(begin_),
      end_(begin_ + bytes.size()),
      image_(image),
      pixelBudget_(kGIFMaxImagePixels) {}

std::size_t TGIFReader::Read(std::string_view bytes, TGIFImage& image) {
  TGIFReader reader(bytes, image);
  reader.read_signature();
  reader.read_logical_screen();
  reader.read_frames();
  return static_cast<std::size_t>(reader.p_ - reader.begin_);
}

void TGIFReader::read_signature() {
  if (left() < kSignatureSize) Fail("GIF: the stream ends inside the signature");
  if (!IsGifSignature(p_)) {
    if (static_cast<std::size_t>(end_ - begin_) < kSignatureRetryOffset + kSignatureSize)
      Fail("GIF: the stream ends inside the signature");
    p_ = begin_ + kSignatureRetryOffset;
    if (!IsGifSignature(p_)) Fail("GIF: invalid signature");
  }
  // The version (87a, 89a or anything else) does not change how we read.
  p_ += kSignatureSize;
}

void TGIFReader::read_logical_screen() {
  if (left() < kLogicalScreenSize) Fail("GIF: the stream ends inside the logical screen descriptor");
  image_.width_ = Word(p_);
  image_.height_ = Word(p_ + 2);
  const std::uint8_t flags = p_[4];
  image_.backgroundIndex_ = p_[5];
  image_.aspectRatio_ = p_[6];
  p_ += kLogicalScreenSize;
  if (flags & kColorTableFlag) read_color_table(flags, image_.globalColorTable_);
}

// A colour table cut short keeps the entries that are there; the stream has
// then ended, which ends the picture without error.
void TGIFReader::read_color_table(int flags, TGIFColorTable& table) {
  const std::size_t count = std::size_t{2} << (flags & kColorTableSizeBits);
  const std::size_t n = std::min(count, left() / 3);
  table.resize(n);
  for (std::size_t i = 0; i < n; ++i, p_ += 3) table[i] = TGIFColor{p_[0], p_[1], p_[2]};
  if (n < count) p_ = end_;
}

void TGIFReader::skip_zero_bytes() {
  while (p_ < end_ && *p_ == 0) ++p_;
}

void TGIFReader::read_frames() {
  skip_zero_bytes();
  while (p_ < end_ && *p_ != kTrailer) {
    // A block of any other type ends the frame list; the rest of the stream
    // is not ours to interpret.
    if (*p_ != kExtensionIntroducer && *p_ != kImageSeparator) return;
    auto frame = std::make_unique<TGIFFrame>(&image_);
    read_frame(*frame);
    if (!frame->GetEmpty() || !frame->extensions_.empty()) image_.frames_.Add(std::move(frame));
    skip_zero_bytes();
  }
  if (p_ < end_) ++p_;  // the trailer
}

void TGIFReader::read_frame(TGIFFrame& frame) {
  while (p_ < end_ && *p_ == kExtensionIntroducer) {
    // A frame has at most one graphic control extension. A second one before
    // an image belongs to the next image: it ends this frame (which keeps its
    // extensions but has no image) rather than being dropped or overriding.
    if (frame.controlExtension_ != nullptr && left() > 1 && p_[1] == TGIFGraphicControlExtension::kLabel) return;
    read_extension(frame);
  }
  // Extensions without an image: at the end of the stream, before the
  // trailer or before zero padding.
  if (p_ == end_ || *p_ == kTrailer || *p_ == 0) return;
  read_image_descriptor(frame);
  read_image_data(frame);
}

void TGIFReader::read_extension(TGIFFrame& frame) {
  ++p_;  // the introducer
  if (p_ == end_) return;
  const std::uint8_t label = *p_++;
  std::vector<std::uint8_t> data;
  p_ = gif::ReadSubBlocks(p_, end_, data);
  if (label == TGIFGraphicControlExtension::kLabel && frame.controlExtension_ == nullptr) {
    auto gce = std::make_unique<TGIFGraphicControlExtension>(std::move(data));
    frame.controlExtension_ = gce.get();
    frame.extensions_.push_back(std::move(gce));
  } else {
    frame.extensions_.push_back(std::make_unique<TGIFExtension>(label, std::move(data)));
  }
}

void TGIFReader::read_image_descriptor(TGIFFrame& frame) {
  if (left() < kImageDescriptorSize) Fail("GIF: the stream ends inside an image descriptor");
  if (*p_ != kImageSeparator) Fail("GIF: an image descriptor does not start with 0x2C");
  frame.Left = static_cast<std::uint16_t>(Word(p_ + 1));
  frame.Top = static_cast<std::uint16_t>(Word(p_ + 3));
  frame.Width = static_cast<std::uint16_t>(Word(p_ + 5));
  frame.Height = static_cast<std::uint16_t>(Word(p_ + 7));
  const std::uint8_t flags = p_[9];
  p_ += kImageDescriptorSize;
  if (frame.Width == 0 || frame.Height == 0) {
    frame.Width = static_cast<std::uint16_t>(image_.width_);
    frame.Height = static_cast<std::uint16_t>(image_.height_);
  }
  frame.interlaced_ = (flags & kInterlaceFlag) != 0;
  if (flags & kColorTableFlag) read_color_table(flags, frame.localColorTable_);
}

void TGIFReader::read_image_data(TGIFFrame& frame) {
  if (p_ == end_) return;
  const int minCodeSize = *p_++;
  const std::size_t limit = static_cast<std::size_t>(
      std::min<std::uint64_t>({frame.PixelCount(), kGIFMaxFramePixels, pixelBudget_}));
  std::vector<std::uint8_t> decoded;
  const gif::LzwResult result = gif::DecodeLzw(p_, end_, minCodeSize, limit, decoded);
  p_ = result.End;
  // Damaged data (cut short, a code out of range) keeps what came before it.
  if (result.Decoded == 0) return;
  frame.hasPixelData_ = true;
  if (frame.interlaced_) {
    const std::size_t keptRows = std::min<std::size_t>(frame.Height, limit / frame.Width);
    frame.pixels_ = Deinterlace(decoded.data(), result.Decoded, frame.Width, frame.Height, keptRows);
  } else {
    decoded.resize(result.Decoded);
    // The buffer may have doubled past what arrived; give back a large excess.
    if (decoded.capacity() - decoded.size() > decoded.size() / 4 + 4096) decoded.shrink_to_fit();
    frame.pixels_ = std::move(decoded);
  }
  pixelBudget_ -= std::min(pixelBudget_, frame.pixels_.size());
}

}  // namespace quorix
