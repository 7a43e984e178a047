#pragma once
// Plain value types shared by every layer: colours, points, rectangles and the
// two integer helpers the layout arithmetic is written in.

#include <cstdint>

namespace quorix {

// A colour value: red in the low byte, then green, then blue. A value with the
// high byte set names a system colour (resolved by the toolkit's palette);
// clNone means "no colour".
using TColor = std::int32_t;

constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// System colours: the high byte set, the low byte the system colour index.
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

constexpr bool IsSystemColor(TColor c) { return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0xFF000000u; }

// Resolves a system colour to RGB through the toolkit's palette (identity for
// RGB values). The palette is installed by the toolkit layer; without one a
// fixed classic table answers, so toolkit-free tests get stable values.
TColor ColorToRGB(TColor c);
using SystemColorResolver = TColor (*)(int index);
void SetSystemColorResolver(SystemColorResolver resolver);

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle whose right and bottom edges are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}
void OffsetRect(TRect& r, int dx, int dy);
void InflateRect(TRect& r, int dx, int dy);
// The common part of two rectangles; false (and an empty result) when they do not meet.
bool IntersectRect(TRect& result, const TRect& a, const TRect& b);
// The smallest rectangle holding both; an empty rectangle adds nothing.
TRect UnionRect(const TRect& a, const TRect& b);

// a * b / c with a 64-bit intermediate, rounded to the nearest integer (halves
// away from zero). Division by zero yields -1, the classic platform answer.
int MulDiv(int a, int b, int c);

// Integer division truncating toward zero (what C++ does; named so that the
// layout code reads as its arithmetic is written).
constexpr int IntDiv(int a, int b) { return a / b; }

}  // namespace quorix
