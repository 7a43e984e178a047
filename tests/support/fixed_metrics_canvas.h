#pragma once
// A canvas with fixed text metrics for layout and painting tests: every
// character is CharWidth pixels wide (or what CharWidthOf says), the ascent
// and descent are fixed, and every text call is recorded. Pixel drawing
// (fills, frames, rectangles, lines, bitmaps, masks, copies, clipping, origin)
// is done by the real raster canvas on the bitmap given to it, so pixel
// assertions see real pixels; text output paints a deterministic box instead
// of glyphs:
//   - with a solid brush, the text's cell (width x (ascent + descent)) is
//     filled with the brush colour, as the real canvas does;
//   - then the part of the cell above the baseline (width x ascent) is filled
//     with the font colour.

#include <functional>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/graphics.h"

namespace quorix::test {

class TFixedMetricsCanvas : public TCanvas {
 public:
  // One TextOut or TextRect call, as it was made.
  struct TextCall {
    int X = 0;
    int Y = 0;
    UnicodeString Text;
    TFont Font;
    TBrushStyle BrushStyle = bsSolid;
    TColor BrushColor = clWhite;
    unsigned Align = 0;
    int CharacterExtra = 0;
    bool IsTextRect = false;
    TRect Rect;  // TextRect's rectangle
    TPoint Origin;
  };

  // Draws on bitmap (which must outlive the canvas).
  explicit TFixedMetricsCanvas(TBitmap& bitmap);
  // Draws on a bitmap of its own of the given size.
  explicit TFixedMetricsCanvas(int width = 1, int height = 1);
  ~TFixedMetricsCanvas() override;

  // --- the metrics, changeable at any time ---
  int CharWidth = 8;
  // When set, the width of each character (CharWidth is then only the unit
  // that an average-width request scales; see Font.Width below).
  std::function<int(char16_t)> CharWidthOf;
  int Ascent = 10;
  int Descent = 3;
  // When set, ascent and descent follow the font's height instead: cell =
  // |Font.Height| (13 for 0), descent = cell / 4, ascent = cell - descent.
  bool ScaleWithFont = false;
  int InternalLeading = 0;
  // Off: GetOutlineTextMetrics returns false (fonts without outlines).
  bool HasOutlineMetrics = true;
  // A font with Width > 0 (an average-width request) makes every character
  // width scale by Width / CharWidth, and reports Width as tmAveCharWidth.

  std::vector<TextCall> TextCalls;

  // The width one character measures in the current font.
  int WidthOf(char16_t c) const;
  int CurrentAscent() const;
  int CurrentDescent() const;
  TBitmap& Bitmap() { return *bitmap_; }

  void FillRect(const TRect& rect) override;
  void FrameRect(const TRect& rect) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  using TCanvas::Rectangle;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  TColor GetPixel(int x, int y) override;
  void SetPixel(int x, int y, TColor color) override;

  void TextOut(int x, int y, std::u16string_view text) override;
  void TextRect(const TRect& rect, int x, int y, std::u16string_view text) override;
  TSize TextExtent(std::u16string_view text) override;
  TSize TextExtentFit(std::u16string_view text, int maxExtent, int& fit, std::vector<int>* dx = nullptr) override;
  TTextMetric GetTextMetrics() override;
  bool GetOutlineTextMetrics(TOutlineTextMetric& metrics) override;
  void SetTextCharacterExtra(int extra) override;
  int GetTextCharacterExtra() const override;
  void SetTextAlign(unsigned flags) override;
  unsigned GetTextAlign() const override;

  void DrawBitmap(int x, int y, const TBitmap& bitmap) override;
  void StretchDrawBitmap(const TRect& dest, const TBitmap& bitmap) override;
  void StretchDrawMasked(const TRect& dest, const TBitmap& bitmap, const TMask& mask) override;
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) override;

  void IntersectClipRect(const TRect& rect) override;
  void ResetClip() override;
  TRect GetClipRect() override;
  void SetOrigin(int x, int y) override;
  TPoint GetOrigin() const override;
  void SaveState() override;
  void RestoreState() override;

  TBitmap* GetBitmap() override { return bitmap_; }
  // A canvas with the same metrics settings on a 1 x 1 bitmap of its own.
  std::unique_ptr<TCanvas> CreateCompatible() override;

 private:
  // Hands the current font, brush and pen to the pixel canvas.
  TCanvas& Pixels();
  // The text's cell (logical coordinates) for output at (x, y) by the alignment.
  TRect Cell(int x, int y, int width) const;
  void PaintText(const TRect& cell, const TRect* clip);

  std::unique_ptr<TBitmap> owned_;
  TBitmap* bitmap_;
  std::unique_ptr<TCanvas> pixels_;
  int extra_ = 0;
  unsigned align_ = TA_LEFT | TA_TOP;
  std::vector<std::pair<int, unsigned>> saved_;
};

}  // namespace quorix::test
