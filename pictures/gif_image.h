#pragma once
// The GIF picture: a logical screen with a list of frames, each with its own
// rectangle, colour table, colour indices and optional graphic control
// extension. Decoded by our own reader (pictures/gif_reader.cpp); drawn by
// turning a frame's indices into a bitmap (and a transparency mask) on the
// first draw and keeping those as caches until the caller releases them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/graphics.h"
#include "platform/streams.h"
#include "platform/types.h"

namespace quorix {

// Frame delays are in hundredths of a second; the animator clamps into this range.
constexpr int GIFMinimumDelay = 3;
constexpr int GIFMaximumDelay = 1000;
constexpr bool GIFImageDefaultTransparent = true;
constexpr bool GIFImageDefaultAnimate = false;

// A fixed underlying type: the packed byte may hold the undefined values 4..7 too.
enum TDisposalMethod : int { dmNone, dmNoDisposal, dmBackground, dmPrevious };

struct TGIFColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};
using TGIFColorTable = std::vector<TGIFColor>;

// Limits that keep any input, however malformed, within bounded memory.
//
// A frame stores at most kGIFMaxFramePixels colour indices: the frame's first
// rows in display order; whatever lies beyond is index 0. (Every real frame
// fits: 67 million pixels is 8192 x 8192.) All frames of one picture together
// store at most kGIFMaxImagePixels; frames past that budget keep their
// rectangle and extensions but no pixel data. Within these bounds the index
// buffers grow with the decoded output, not with the declared frame size.
constexpr std::size_t kGIFMaxFramePixels = std::size_t{1} << 26;
constexpr std::size_t kGIFMaxImagePixels = std::size_t{1} << 27;
// A frame of at most this many pixels caches its decoded bitmap at its own
// size (16 MiB of 32-bit pixels: 2048 x 2048). A bigger frame is drawn by
// sampling only the visible part of the target rectangle, tile by tile, into
// small bitmaps of at most kGIFDrawTilePixels, and caches nothing.
constexpr std::size_t kGIFMaxCachedBitmapPixels = std::size_t{1} << 22;
constexpr std::size_t kGIFDrawTilePixels = std::size_t{1} << 18;

// An extension block as read: its label and the payload of its sub-blocks.
class TGIFExtension {
 public:
  TGIFExtension(std::uint8_t label, std::vector<std::uint8_t> data) : Label(label), Data(std::move(data)) {}
  virtual ~TGIFExtension() = default;
  virtual std::unique_ptr<TGIFExtension> Clone() const { return std::make_unique<TGIFExtension>(*this); }

  std::uint8_t Label;
  std::vector<std::uint8_t> Data;
};

// The graphic control extension (label 0xF9): a 4-byte body with a packed byte,
// the delay word and the transparent colour index. A body cut short reads its
// missing bytes as 0.
class TGIFGraphicControlExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xF9;
  explicit TGIFGraphicControlExtension(std::vector<std::uint8_t> data) : TGIFExtension(kLabel, std::move(data)) {}
  std::unique_ptr<TGIFExtension> Clone() const override {
    return std::make_unique<TGIFGraphicControlExtension>(*this);
  }

  // Bits 2-4 of the packed byte; values 4-7 are undefined and come back as they are.
  TDisposalMethod GetDisposal() const { return static_cast<TDisposalMethod>((Byte(0) >> 2) & 7); }
  bool GetTransparent() const { return (Byte(0) & 1) != 0; }
  int GetDelay() const { return Byte(1) | (Byte(2) << 8); }
  int GetTransparentColorIndex() const { return Byte(3); }

 private:
  int Byte(std::size_t i) const { return i < Data.size() ? Data[i] : 0; }
};

class TGIFImage;

class TGIFFrame {
 public:
  explicit TGIFFrame(TGIFImage* owner) : owner_(owner) {}
  TGIFFrame(const TGIFFrame&) = delete;
  TGIFFrame& operator=(const TGIFFrame&) = delete;
  ~TGIFFrame();

  // The frame's rectangle on the logical screen.
  std::uint16_t Left = 0;
  std::uint16_t Top = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;

  // The graphic control extension, one of Extensions(), or none.
  const TGIFGraphicControlExtension* ControlExtension() const { return controlExtension_; }
  const std::vector<std::unique_ptr<TGIFExtension>>& Extensions() const { return extensions_; }

  bool GetEmpty() const { return !hasPixelData_ || Width == 0 || Height == 0; }
  bool GetTransparent() const { return controlExtension_ != nullptr && controlExtension_->GetTransparent(); }
  bool Interlaced() const { return interlaced_; }
  // The local colour table (empty when the frame has none), and the table the
  // frame's pixels are drawn with: the local one, else the picture's global one.
  const TGIFColorTable& LocalColorTable() const { return localColorTable_; }
  bool HasLocalColorTable() const { return !localColorTable_.empty(); }
  const TGIFColorTable& ActiveColorTable() const;

  // The colour indices, one per pixel, rows top to bottom: the first
  // StoredIndices().size() of the Width x Height pixels are stored, the rest
  // are index 0.
  std::span<const std::uint8_t> StoredIndices() const { return pixels_; }
  std::uint64_t PixelCount() const { return static_cast<std::uint64_t>(Width) * Height; }
  std::uint8_t GetIndex(int x, int y) const;

  // Draws the frame stretched into rect; with transparent set and a
  // transparent frame, the pixels of the transparent index leave the
  // destination untouched. Tiling is not supported (this system never asks
  // for it) and draws the frame once.
  void StretchDraw(TCanvas& canvas, const TRect& rect, bool transparent, bool tile);
  // Maps the frame's rectangle into rect as a part of the whole logical
  // screen, then StretchDraw into that.
  void Draw(TCanvas& canvas, const TRect& rect, bool transparent, bool tile);

  // The caches, built by the first draw. SetHasBitmap(true) builds the bitmap
  // now (a frame too big to cache stays without one).
  bool HasBitmap() const { return bitmap_ != nullptr; }
  void SetHasBitmap(bool value);
  const TBitmap* Bitmap() const { return bitmap_.get(); }
  bool HasMask() const { return mask_ != nullptr; }
  void FreeMask() { mask_.reset(); }
  // The palette: the colour table turned into pixels, made on the first draw.
  // SetPalette(0) releases it; any other value is ignored.
  HPALETTE GetPalette() const { return reinterpret_cast<HPALETTE>(palette_.get()); }
  void SetPalette(HPALETTE palette) {
    if (palette == 0) palette_.reset();
  }

 private:
  friend class TGIFImage;
  friend class TGIFReader;
  using PixelLookup = std::array<TPixel, 256>;

  const PixelLookup& Palette();
  const TBitmap* MakeBitmap();
  const TMask& Mask();
  void DrawSampled(TCanvas& canvas, const TRect& rect, bool masked);

  TGIFImage* owner_;  // the picture that holds this frame
  bool interlaced_ = false;
  TGIFColorTable localColorTable_;
  bool hasPixelData_ = false;
  std::vector<std::uint8_t> pixels_;
  std::vector<std::unique_ptr<TGIFExtension>> extensions_;
  const TGIFGraphicControlExtension* controlExtension_ = nullptr;  // points into extensions_

  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TMask> mask_;
  std::unique_ptr<PixelLookup> palette_;
};

class TGIFImageList {
 public:
  int GetCount() const { return static_cast<int>(frames_.size()); }
  // Raises EListError for an index out of range.
  TGIFFrame& GetFrame(int index) const;
  TGIFFrame& operator[](int index) const { return GetFrame(index); }
  void Add(std::unique_ptr<TGIFFrame> frame) { frames_.push_back(std::move(frame)); }
  void Clear() { frames_.clear(); }

 private:
  std::vector<std::unique_ptr<TGIFFrame>> frames_;
};

class TGIFImage : public TGraphic {
 public:
  TGIFImage();
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;
  ~TGIFImage() override;

  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  bool GetEmpty() const override { return frames_.GetCount() == 0; }
  // Draws frame 0 into rect (see the implementation for the details).
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // No source clears; another TGIFImage is copied deeply; any other picture
  // class raises EInvalidGraphic.
  void Assign(const TGraphic* source) override;
  // Raises EInvalidGraphic for a bad signature, a stream that ends inside the
  // signature, the logical screen descriptor or an image descriptor, and an
  // image descriptor that does not start with 0x2C; then the picture is empty
  // and the stream is back where reading started. Any other damage keeps what
  // could be read.
  void LoadFromStream(TStream& stream) override;
  std::unique_ptr<TGraphic> CreateEmpty() const override { return std::make_unique<TGIFImage>(); }
  const char* ClassName() const override { return "TGIFImage"; }
  HPALETTE GetPalette() const override { return reinterpret_cast<HPALETTE>(palette_.get()); }
  void SetPalette(HPALETTE palette) override;

  void Clear();
  TGIFImageList& FrameList() { return frames_; }
  const TGIFImageList& FrameList() const { return frames_; }
  int GetCount() const { return frames_.GetCount(); }
  TGIFFrame& GetFrame(int index) const { return frames_.GetFrame(index); }

  bool GetAnimate() const { return animate_; }
  void SetAnimate(bool value) { animate_ = value; }
  int BackgroundColorIndex() const { return backgroundIndex_; }
  int AspectRatio() const { return aspectRatio_; }
  const TGIFColorTable& GlobalColorTable() const { return globalColorTable_; }
  // The colour behind a transparent first frame of a non-transparent picture:
  // the global table's entry of the background index, black when it has none.
  TColor BackgroundColor() const;
  // Colour indices stored by all frames together.
  std::size_t StoredPixelCount() const;

 private:
  friend class TGIFReader;

  int width_ = 0;
  int height_ = 0;
  int backgroundIndex_ = 0;
  int aspectRatio_ = 0;
  TGIFColorTable globalColorTable_;
  TGIFImageList frames_;
  bool animate_ = GIFImageDefaultAnimate;
  bool drawing_ = false;
  std::unique_ptr<std::array<TPixel, 256>> palette_;
};

}  // namespace quorix
