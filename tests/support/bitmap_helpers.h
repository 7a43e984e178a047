#pragma once
// Reading and comparing bitmap pixels in tests.

#include <string>

#include "platform/graphics.h"

namespace quorix::test {

// The colour at (x, y), or CLR_INVALID outside the bitmap.
TColor PixelAt(const TBitmap& bitmap, int x, int y);
// How many pixels of area (the whole bitmap by default) have exactly this colour.
int CountPixels(const TBitmap& bitmap, TColor color);
int CountPixels(const TBitmap& bitmap, TColor color, const TRect& area);
// The smallest rectangle holding every pixel whose colour is not background
// (empty when there is none).
TRect InkBounds(const TBitmap& bitmap, TColor background);
// Whether every pixel of area has this colour.
bool AllPixels(const TBitmap& bitmap, TColor color, const TRect& area);
// Empty when both bitmaps have the same size and colours; otherwise a short
// description of the first difference (for test messages).
std::string CompareBitmaps(const TBitmap& a, const TBitmap& b);
// A text picture of the area, one character per pixel: '.' for background,
// '#' for anything else (for test messages).
std::string Picture(const TBitmap& bitmap, TColor background, const TRect& area);

}  // namespace quorix::test
