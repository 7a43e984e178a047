#include "platform/graphics.h"

#include <algorithm>
#include <string>

namespace quorix {

namespace {
constexpr TPixel kWhitePixel = 0xFFFFFFFFu;
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  // The canvas stays: it notices the new buffer and size at its next call.
  transparent_ = other.transparent_;
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

void TBitmap::Fill(TColor color) { std::fill(pixels_.begin(), pixels_.end(), PixelFromColor(ColorToRGB(color))); }

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = CreateBitmapCanvas(*this);
  return *canvas_;
}

bool TBitmap::SaveToPngFile(const std::string& path) const { return SavePng(*this, path); }

}  // namespace quorix
