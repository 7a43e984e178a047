#pragma once
// Paragraph borders and backgrounds, with the two small rectangles of values
// they are made of.

#include "platform/canvas.h"
#include "platform/types.h"
#include "richview/styles/screen_and_device.h"
#include "richview/styles/style_types.h"

namespace quorix {

// Four distances, one per side.
class TRVRect {
 public:
  void SetAll(int value) { Left = Top = Right = Bottom = value; }
  void Assign(const TRVRect& source) { *this = source; }
  void AssignToRect(TRect& r) const { r = TRect{Left, Top, Right, Bottom}; }
  // Each side of r becomes the greater of its value and this one's.
  void AssignToRectIfGreater(TRect& r) const;
  // r.Left -= Left, r.Top -= Top, r.Right += Right, r.Bottom += Bottom.
  void InflateRect(TRect& r) const;
  void InflateRectSaD(TRect& r, const TRVScreenAndDevice& sad) const;
  bool IsEqual(const TRVRect& value) const { return *this == value; }
  bool operator==(const TRVRect&) const = default;

  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// Four flags, one per side.
class TRVBooleanRect {
 public:
  explicit TRVBooleanRect(bool value = true) { SetAll(value); }
  void SetAll(bool value) { Left = Top = Right = Bottom = value; }
  void SetValues(bool left, bool top, bool right, bool bottom) {
    Left = left;
    Top = top;
    Right = right;
    Bottom = bottom;
  }
  void Assign(const TRVBooleanRect& source) { *this = source; }
  bool IsEqual(const TRVBooleanRect& value) const { return *this == value; }
  bool IsAllEqual(bool value) const { return Left == value && Top == value && Right == value && Bottom == value; }
  bool operator==(const TRVBooleanRect&) const = default;

  bool Left = true;
  bool Top = true;
  bool Right = true;
  bool Bottom = true;
};

class TRVBorder {
 public:
  void Assign(const TRVBorder& source) { *this = source; }
  bool IsEqual(const TRVBorder& value) const { return *this == value; }
  bool operator==(const TRVBorder&) const = default;

  // The width of all lines and gaps together.
  int GetTotalWidth() const;
  // Draws the border around rect (rect widened by BorderOffsets).
  void Draw(const TRect& rect, TCanvas& canvas, TRVColorMode colorMode = rvcmColor) const;
  // The same with widths and offsets converted to device pixels.
  void DrawSaD(const TRect& rect, TCanvas& canvas, const TRVScreenAndDevice& sad,
               TRVColorMode colorMode = rvcmColor) const;

  TRVBorderStyle Style = rvbNone;
  TColor Color = clWindowText;
  int Width = 1;
  int InternalWidth = 1;
  TRVBooleanRect VisibleBorders;
  TRVRect BorderOffsets;

 private:
  void DoDraw(TRect rect, TCanvas& canvas, const TRVScreenAndDevice* sad, TRVColorMode colorMode) const;
};

class TRVBackgroundRect {
 public:
  void Assign(const TRVBackgroundRect& source) { *this = source; }
  bool IsEqual(const TRVBackgroundRect& value) const { return *this == value; }
  bool operator==(const TRVBackgroundRect&) const = default;

  // The rectangle the background covers: rect widened by BorderOffsets.
  void PrepareDraw(TRect& rect) const { BorderOffsets.InflateRect(rect); }
  void PrepareDrawSaD(TRect& rect, const TRVScreenAndDevice& sad) const { BorderOffsets.InflateRectSaD(rect, sad); }
  // Fills the background rectangle of rect with Color unless it is clNone.
  void Draw(const TRect& rect, TCanvas& canvas, bool printing, TRVColorMode colorMode) const;

  TColor Color = clNone;
  TRVRect BorderOffsets;
};

}  // namespace quorix
