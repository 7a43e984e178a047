#include "platform/graphics.h"

#include <algorithm>
#include <string>

namespace quorix {

namespace {
constexpr TPixel kWhitePixel = 0xFFFFFFFFu;
constexpr TPixel kColorBits = 0x00FFFFFFu;
}  // namespace

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  // The canvas stays: it notices the new buffer and size at its next call.
  transparent_ = other.transparent_;
  transparentMode_ = other.transparentMode_;
  transparentColor_ = other.transparentColor_;
  width_ = other.width_;
  height_ = other.height_;
  pixels_ = other.pixels_;
  return *this;
}

// Out of line so that the canvas (declared last) goes first, while the pixels
// it draws on still exist.
TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kWhitePixel);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (GetEmpty()) return;
  if (GetTransparent()) {
    // The mask is made at each draw: the pixels can change at any time through
    // the canvas or the scan lines, and so can the bottom-left one.
    canvas.StretchDrawMasked(rect, *this, TransparencyMask());
    return;
  }
  if (rect.Width() == width_ && rect.Height() == height_) {
    canvas.DrawBitmap(rect.Left, rect.Top, *this);
  } else {
    canvas.StretchDrawBitmap(rect, *this);
  }
}

void TBitmap::Assign(const TGraphic* source) {
  if (source == nullptr) {
    SetSize(0, 0);
    return;
  }
  const auto* bitmap = dynamic_cast<const TBitmap*>(source);
  if (bitmap == nullptr) {
    throw EInvalidGraphic(std::string("Cannot assign a ") + source->ClassName() + " to a " + ClassName());
  }
  *this = *bitmap;
}

void TBitmap::LoadFromStream(TStream& stream) {
  const std::int64_t remaining = stream.Remaining();
  std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(remaining, 0)), '\0');
  bytes.resize(stream.Read(bytes.data(), bytes.size()));
  TBitmap loaded;
  if (!LoadRasterImage(bytes, loaded)) throw EInvalidGraphic("Bitmap image is not valid");
  width_ = loaded.width_;
  height_ = loaded.height_;
  pixels_ = std::move(loaded.pixels_);
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  transparentMode_ = mode;
  if (mode == tmAuto) transparentColor_ = clDefault;
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? tmAuto : tmFixed;
}

TColor TBitmap::TransparentKeyColor() const {
  if (GetEmpty()) return clNone;
  if (transparentMode_ == tmAuto || transparentColor_ == clDefault) return PixelColor(0, height_ - 1);
  return ColorToRGB(transparentColor_);
}

TMask TBitmap::TransparencyMask() const {
  TMask mask;
  mask.Width = width_;
  mask.Height = height_;
  mask.Transparent.resize(pixels_.size());
  // Alpha plays no part: the key is a colour, and colours have none.
  const TPixel key = PixelFromColor(TransparentKeyColor()) & kColorBits;
  std::transform(pixels_.begin(), pixels_.end(), mask.Transparent.begin(),
                 [key](TPixel p) { return static_cast<std::uint8_t>((p & kColorBits) == key ? 1 : 0); });
  return mask;
}

void TBitmap::Fill(TColor color) { std::fill(pixels_.begin(), pixels_.end(), PixelFromColor(ColorToRGB(color))); }

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = CreateBitmapCanvas(*this);
  return *canvas_;
}

bool TBitmap::SaveToPngFile(const std::string& path) const { return SavePng(*this, path); }

}  // namespace quorix
