#pragma once
// Pixel art for the sample smilies: an image of palette indices and the few
// shapes the faces and objects are drawn with. Coordinates are pixel centres;
// a shape covers the pixels whose centres it contains.

#include <cstdint>
#include <vector>

namespace quorix::samples {

struct TIndexedImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;  // Width * Height, rows top to bottom

  TIndexedImage() = default;
  TIndexedImage(int width, int height, std::uint8_t fill)
      : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, fill) {}

  std::uint8_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
  void Set(int x, int y, std::uint8_t c) {
    if (x >= 0 && y >= 0 && x < Width && y < Height) Pixels[static_cast<std::size_t>(y) * Width + x] = c;
  }
  // The part at (left, top) of the given size.
  TIndexedImage Crop(int left, int top, int width, int height) const;
};

void FillRect(TIndexedImage& img, int x, int y, int w, int h, std::uint8_t c);
void FillDisc(TIndexedImage& img, double cx, double cy, double r, std::uint8_t c);
void FillEllipse(TIndexedImage& img, double cx, double cy, double rx, double ry, std::uint8_t c);
// A ring of the given thickness just inside radius r.
void Ring(TIndexedImage& img, double cx, double cy, double r, double thickness, std::uint8_t c);
void Line(TIndexedImage& img, int x0, int y0, int x1, int y1, std::uint8_t c);
// The part of a circle between two angles in degrees, counter-clockwise from
// the positive x axis with y pointing down the screen (so 270 is straight down).
void Arc(TIndexedImage& img, double cx, double cy, double r, double fromDeg, double toDeg, std::uint8_t c);
// A filled polygon (even-odd rule).
void FillPolygon(TIndexedImage& img, const std::vector<double>& xy, std::uint8_t c);
// A five-pointed star, points rotated by angleDeg.
void FillStar(TIndexedImage& img, double cx, double cy, double outer, double inner, double angleDeg, std::uint8_t c);
void FillHeart(TIndexedImage& img, double cx, double cy, double size, std::uint8_t c);

}  // namespace quorix::samples
