#pragma once
// Pictures: the TGraphic abstraction every picture class derives from, and
// TBitmap, 32-bit pixels of its own with a canvas.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/errors.h"
#include "platform/streams.h"
#include "platform/types.h"

namespace quorix {

// Raised by Assign when the source is a picture of another class, and by
// pictures that cannot load their stream.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

class TGraphic {
 public:
  virtual ~TGraphic() = default;

  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual bool GetEmpty() const { return GetWidth() == 0 || GetHeight() == 0; }
  // Draws the picture into rect of canvas: its own size when rect has that
  // size, stretched otherwise.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  // Copies source, a picture of the same class; no source clears the picture.
  // Any other class raises EInvalidGraphic.
  virtual void Assign(const TGraphic* source) = 0;
  // Replaces the content with the picture read from the stream's position;
  // raises on failure.
  virtual void LoadFromStream(TStream& stream) = 0;
  // An empty picture of the same class.
  virtual std::unique_ptr<TGraphic> CreateEmpty() const = 0;
  // The class name, as the picture registry and diagnostics know it ("TGIFImage").
  virtual const char* ClassName() const = 0;

  virtual bool GetTransparent() const { return transparent_; }
  virtual void SetTransparent(bool value) { transparent_ = value; }
  // Palette handle of the picture; 0 when it has none. SetPalette(0) releases it.
  virtual HPALETTE GetPalette() const { return 0; }
  virtual void SetPalette(HPALETTE palette) { (void)palette; }

 protected:
  bool transparent_ = false;
};

// 0xAARRGGBB, the toolkit's native 32-bit layout. Opaque pixels have alpha 0xFF.
using TPixel = std::uint32_t;

constexpr TPixel PixelFromColor(TColor rgb) {
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) | static_cast<std::uint32_t>(GetBValue(rgb));
}
constexpr TColor ColorFromPixel(TPixel p) {
  return RGB(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF));
}

// How a transparent bitmap finds the colour it leaves out: the colour of its
// bottom-left pixel (tmAuto), or a colour set for it (tmFixed).
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  TBitmap(int width, int height) { SetSize(width, height); }
  TBitmap(const TBitmap& other)
      : TGraphic(other),
        width_(other.width_),
        height_(other.height_),
        pixels_(other.pixels_),
        transparentMode_(other.transparentMode_),
        transparentColor_(other.transparentColor_) {}
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap() override;

  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  // Resizes to width x height (negative sizes count as 0); new pixels are white.
  // The content is not kept.
  void SetSize(int width, int height);
  // A transparent bitmap leaves the destination as it was where its pixels
  // have the transparent colour (TransparentKeyColor).
  void Draw(TCanvas& canvas, const TRect& rect) override;
  void Assign(const TGraphic* source) override;
  // Bitmaps load from PNG and the other raster formats the toolkit reads.
  void LoadFromStream(TStream& stream) override;
  std::unique_ptr<TGraphic> CreateEmpty() const override { return std::make_unique<TBitmap>(); }
  const char* ClassName() const override { return "TBitmap"; }

  TPixel* Scanline(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const TPixel* Scanline(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  TPixel* Pixels() { return pixels_.data(); }
  const TPixel* Pixels() const { return pixels_.data(); }
  TColor PixelColor(int x, int y) const { return ColorFromPixel(Scanline(y)[x]); }
  void Fill(TColor color);

  // The transparency settings, used when the bitmap is transparent. The colour
  // is clDefault until one is set, and clDefault always stands for the
  // bottom-left pixel's colour. Setting a colour other than clDefault makes
  // the mode tmFixed; setting tmAuto puts the colour back to clDefault. So the
  // two settings read back and set again, in either order, draw the same.
  TTransparentMode GetTransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);
  TColor GetTransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor color);
  // The colour a transparent draw leaves out, as an RGB value: the bottom-left
  // pixel's colour in tmAuto (and for clDefault), else the set colour.
  // clNone for an empty bitmap.
  TColor TransparentKeyColor() const;

  // The bitmap's canvas, made on first use; it draws on these pixels. Resizing
  // or assigning the bitmap keeps the canvas valid.
  TCanvas& Canvas();

  // Writes the bitmap as PNG; false when the file cannot be written.
  bool SaveToPngFile(const std::string& path) const;

 private:
  friend class BitmapCanvasAccess;
  // One flag per pixel: set where the pixel has the key colour.
  TMask TransparencyMask() const;
  int width_ = 0;
  int height_ = 0;
  std::vector<TPixel> pixels_;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
  std::unique_ptr<TCanvas> canvas_;
};

// Implemented by the toolkit layer (PNG and other raster formats).
bool LoadRasterImage(std::string_view bytes, TBitmap& bitmap);
bool SavePng(const TBitmap& bitmap, const std::string& path);

}  // namespace quorix
