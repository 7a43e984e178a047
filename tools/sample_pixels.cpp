#include "tools/sample_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace quorix::samples {

TIndexedImage TIndexedImage::Crop(int left, int top, int width, int height) const {
  TIndexedImage part(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) part.Set(x, y, At(left + x, top + y));
  }
  return part;
}

void FillRect(TIndexedImage& img, int x, int y, int w, int h, std::uint8_t c) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) img.Set(i, j, c);
  }
}

void FillEllipse(TIndexedImage& img, double cx, double cy, double rx, double ry, std::uint8_t c) {
  for (int y = 0; y < img.Height; ++y) {
    for (int x = 0; x < img.Width; ++x) {
      const double dx = (x + 0.5 - cx) / rx;
      const double dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) img.Set(x, y, c);
    }
  }
}

void FillDisc(TIndexedImage& img, double cx, double cy, double r, std::uint8_t c) { FillEllipse(img, cx, cy, r, r, c); }

void Ring(TIndexedImage& img, double cx, double cy, double r, double thickness, std::uint8_t c) {
  for (int y = 0; y < img.Height; ++y) {
    for (int x = 0; x < img.Width; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d <= r && d > r - thickness) img.Set(x, y, c);
    }
  }
}

void Line(TIndexedImage& img, int x0, int y0, int x1, int y1, std::uint8_t c) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    img.Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Arc(TIndexedImage& img, double cx, double cy, double r, double fromDeg, double toDeg, std::uint8_t c) {
  const int steps = std::max(8, static_cast<int>(std::abs(toDeg - fromDeg) * r / 20.0));
  for (int i = 0; i <= steps; ++i) {
    const double a = (fromDeg + (toDeg - fromDeg) * i / steps) * std::numbers::pi / 180.0;
    img.Set(static_cast<int>(std::floor(cx + r * std::cos(a))), static_cast<int>(std::floor(cy - r * std::sin(a))), c);
  }
}

void FillPolygon(TIndexedImage& img, const std::vector<double>& xy, std::uint8_t c) {
  const std::size_t n = xy.size() / 2;
  for (int y = 0; y < img.Height; ++y) {
    const double py = y + 0.5;
    for (int x = 0; x < img.Width; ++x) {
      const double px = x + 0.5;
      bool inside = false;
      for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
      }
      if (inside) img.Set(x, y, c);
    }
  }
}

void FillStar(TIndexedImage& img, double cx, double cy, double outer, double inner, double angleDeg, std::uint8_t c) {
  std::vector<double> xy;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = (angleDeg + 90.0 + i * 36.0) * std::numbers::pi / 180.0;
    xy.push_back(cx + r * std::cos(a));
    xy.push_back(cy - r * std::sin(a));
  }
  FillPolygon(img, xy, c);
}

void FillHeart(TIndexedImage& img, double cx, double cy, double size, std::uint8_t c) {
  const double r = size * 0.28;
  FillDisc(img, cx - r * 0.95, cy - size * 0.12, r, c);
  FillDisc(img, cx + r * 0.95, cy - size * 0.12, r, c);
  FillPolygon(img, {cx - size * 0.52, cy - size * 0.04, cx + size * 0.52, cy - size * 0.04, cx, cy + size * 0.5}, c);
}

}  // namespace quorix::samples
