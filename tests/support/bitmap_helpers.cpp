#include "tests/support/bitmap_helpers.h"

#include <algorithm>
#include <cstdio>

namespace quorix::test {

namespace {
TRect Clamp(const TBitmap& bitmap, const TRect& area) {
  TRect r;
  IntersectRect(r, area, TRect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()});
  return r;
}
}  // namespace

TColor PixelAt(const TBitmap& bitmap, int x, int y) {
  if (x < 0 || y < 0 || x >= bitmap.GetWidth() || y >= bitmap.GetHeight()) return CLR_INVALID;
  return bitmap.PixelColor(x, y);
}

int CountPixels(const TBitmap& bitmap, TColor color) {
  return CountPixels(bitmap, color, TRect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()});
}

int CountPixels(const TBitmap& bitmap, TColor color, const TRect& area) {
  const TRect r = Clamp(bitmap, area);
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) n += bitmap.PixelColor(x, y) == color ? 1 : 0;
  }
  return n;
}

TRect InkBounds(const TBitmap& bitmap, TColor background) {
  TRect ink{bitmap.GetWidth(), bitmap.GetHeight(), 0, 0};
  bool any = false;
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    for (int x = 0; x < bitmap.GetWidth(); ++x) {
      if (bitmap.PixelColor(x, y) == background) continue;
      any = true;
      ink.Left = std::min(ink.Left, x);
      ink.Top = std::min(ink.Top, y);
      ink.Right = std::max(ink.Right, x + 1);
      ink.Bottom = std::max(ink.Bottom, y + 1);
    }
  }
  return any ? ink : TRect{};
}

bool AllPixels(const TBitmap& bitmap, TColor color, const TRect& area) {
  const TRect r = Clamp(bitmap, area);
  return CountPixels(bitmap, color, r) == r.Width() * r.Height() && r.Width() == area.Width() &&
         r.Height() == area.Height();
}

std::string CompareBitmaps(const TBitmap& a, const TBitmap& b) {
  char buf[128];
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) {
    std::snprintf(buf, sizeof buf, "sizes differ: %dx%d and %dx%d", a.GetWidth(), a.GetHeight(), b.GetWidth(),
                  b.GetHeight());
    return buf;
  }
  for (int y = 0; y < a.GetHeight(); ++y) {
    for (int x = 0; x < a.GetWidth(); ++x) {
      if (a.PixelColor(x, y) != b.PixelColor(x, y)) {
        std::snprintf(buf, sizeof buf, "pixel (%d, %d) differs: %06X and %06X", x, y,
                      static_cast<unsigned>(a.PixelColor(x, y)), static_cast<unsigned>(b.PixelColor(x, y)));
        return buf;
      }
    }
  }
  return {};
}

std::string Picture(const TBitmap& bitmap, TColor background, const TRect& area) {
  const TRect r = Clamp(bitmap, area);
  std::string s;
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) s += bitmap.PixelColor(x, y) == background ? '.' : '#';
    s += '\n';
  }
  return s;
}

}  // namespace quorix::test
