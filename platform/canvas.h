#pragma once
// The drawing surface every picture, style and painter draws on. An interface:
// the real implementation draws with the toolkit on a bitmap's pixels
// (platform/qt/), tests use a canvas with fixed text metrics (tests/support/).
//
// The canvas keeps its font, brush and pen as plain value members; the
// implementation reads them at each call, so callers change them freely.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/sets.h"
#include "platform/text.h"
#include "platform/types.h"

namespace quorix {

class TBitmap;
class TGraphic;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, 8>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int DEFAULT_CHARSET = 1;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// The platform's logical-font record: what a font is created from.
struct TLogFont {
  int lfHeight = 0;  // < 0: character height in pixels; > 0: cell height; 0: default
  int lfWidth = 0;   // average character width, 0 = natural
  int lfEscapement = 0;
  int lfOrientation = 0;
  int lfWeight = FW_NORMAL;
  bool lfItalic = false;
  bool lfUnderline = false;
  bool lfStrikeOut = false;
  int lfCharSet = DEFAULT_CHARSET;
  int lfPitchAndFamily = 0;
  UnicodeString lfFaceName;
};

// A canvas's font. Height < 0 is the character height in pixels (the usual
// form); Size is the same in points at PixelsPerInch.
class TFont {
 public:
  UnicodeString Name = u"MS Sans Serif";
  int Height = -11;
  TFontStyles Style;
  TColor Color = clWindowText;
  int Charset = DEFAULT_CHARSET;
  TFontPitch Pitch = fpDefault;
  int PixelsPerInch = 96;
  // When set, the font was created from a logical-font record and Width holds
  // its average character width (scaled fonts of the text styles).
  int Width = 0;

  int GetSize() const { return -MulDiv(Height, 72, PixelsPerInch); }
  void SetSize(int points) { Height = -MulDiv(points, PixelsPerInch, 72); }
  void AssignLogFont(const TLogFont& lf);
  TLogFont ToLogFont() const;
  bool operator==(const TFont&) const = default;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush {
 public:
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmXor, pmNot };

class TPen {
 public:
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};

// Text metrics of the selected font, in pixels.
struct TTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = FW_NORMAL;
  int tmOverhang = 0;
  int tmDigitizedAspectX = 96;
  int tmDigitizedAspectY = 96;
  char16_t tmFirstChar = 0x20;
  char16_t tmLastChar = 0xFFFC;
  char16_t tmDefaultChar = 0x1F;
  char16_t tmBreakChar = 0x20;
  bool tmItalic = false;
  bool tmUnderlined = false;
  bool tmStruckOut = false;
  int tmPitchAndFamily = 0;
  int tmCharSet = DEFAULT_CHARSET;
};

// Outline metrics: the sizes and offsets of sub- and superscript, the underline
// and the strike-out line.
struct TOutlineTextMetric {
  TTextMetric otmTextMetrics;
  TPoint otmptSubscriptSize;
  TPoint otmptSubscriptOffset;
  TPoint otmptSuperscriptSize;
  TPoint otmptSuperscriptOffset;
  int otmsStrikeoutSize = 0;
  int otmsStrikeoutPosition = 0;
  int otmsUnderscoreSize = 0;
  int otmsUnderscorePosition = 0;
};

// Text alignment flags of TextOut: horizontal and vertical reference point.
enum : unsigned {
  TA_LEFT = 0,
  TA_RIGHT = 2,
  TA_CENTER = 6,
  TA_TOP = 0,
  TA_BOTTOM = 8,
  TA_BASELINE = 24,
  TA_RTLREADING = 256,
};

using HPALETTE = std::uintptr_t;  // 0 = no palette

// What GetPixel answers for a point outside the bitmap or the clipping.
constexpr TColor CLR_INVALID = static_cast<TColor>(0xFFFFFFFFu);

// A transparency mask: one flag per pixel of a bitmap, true where the bitmap's
// pixel is transparent (the destination shows through).
struct TMask {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Transparent;  // Width * Height, row by row
  bool IsTransparent(int x, int y) const { return Transparent[static_cast<std::size_t>(y) * Width + x] != 0; }
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TFont Font;
  TBrush Brush;
  TPen Pen;

  // --- fills, frames, lines (brush and pen as set) ---
  // Fills rect with the brush (nothing with a clear brush).
  virtual void FillRect(const TRect& rect) = 0;
  // A one-pixel frame inside rect in the brush colour.
  virtual void FrameRect(const TRect& rect) = 0;
  // A frame in the pen (unless psClear) with the inside in the brush (unless
  // bsClear); right and bottom exclusive.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  virtual void MoveTo(int x, int y) = 0;
  // A line in the pen from the current position to (x, y), the end point excluded.
  virtual void LineTo(int x, int y) = 0;
  virtual TColor GetPixel(int x, int y) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;

  // --- text ---
  // Writes text with its reference point at (x, y) (see SetTextAlign), in the
  // font; with a solid brush the text's cell is filled with the brush colour.
  virtual void TextOut(int x, int y, std::u16string_view text) = 0;
  // 8-bit text in the system code page.
  void TextOutA(int x, int y, std::string_view text) { TextOut(x, y, AnsiToUnicode(text)); }
  // Writes text clipped to rect (ExtTextOut with clipping; opaque when the brush is solid).
  virtual void TextRect(const TRect& rect, int x, int y, std::u16string_view text) = 0;
  virtual TSize TextExtent(std::u16string_view text) = 0;
  TSize TextExtentA(std::string_view text) { return TextExtent(AnsiToUnicode(text)); }
  int TextWidth(std::u16string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::u16string_view text) { return TextExtent(text).cy; }
  // The extent of the whole text, how many leading characters fit into
  // maxExtent, and (when dx is given) the extent of each prefix: dx[i] is the
  // width of the first i + 1 characters.
  virtual TSize TextExtentFit(std::u16string_view text, int maxExtent, int& fit, std::vector<int>* dx = nullptr) = 0;
  virtual TTextMetric GetTextMetrics() = 0;
  // False when the font has no outline metrics.
  virtual bool GetOutlineTextMetrics(TOutlineTextMetric& metrics) = 0;
  // Extra pixels added after every character, for output and measuring.
  virtual void SetTextCharacterExtra(int extra) = 0;
  virtual int GetTextCharacterExtra() const = 0;
  virtual void SetTextAlign(unsigned flags) = 0;
  virtual unsigned GetTextAlign() const = 0;

  // --- pictures and pixel copies ---
  // A plain copy of the bitmap with its top-left corner at (x, y).
  virtual void DrawBitmap(int x, int y, const TBitmap& bitmap) = 0;
  // The bitmap stretched into dest (nearest pixel).
  virtual void StretchDrawBitmap(const TRect& dest, const TBitmap& bitmap) = 0;
  // The bitmap stretched into dest (nearest pixel); where the mask marks a pixel
  // transparent the destination stays as it was.
  virtual void StretchDrawMasked(const TRect& dest, const TBitmap& bitmap, const TMask& mask) = 0;
  // Copies the source rectangle of another canvas into dest (stretched when sizes differ).
  virtual void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) = 0;
  // A picture in its own size at (x, y), or stretched into a rectangle.
  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const TRect& dest, TGraphic& graphic);

  // --- clipping and origin ---
  // Limits drawing to rect (in the canvas's current coordinates), intersected
  // with the clipping already in force.
  virtual void IntersectClipRect(const TRect& rect) = 0;
  virtual void ResetClip() = 0;
  // The bounding rectangle of the area drawing reaches, in current coordinates.
  virtual TRect GetClipRect() = 0;
  // Moves the coordinate origin: after SetOrigin(x, y) drawing at (0, 0) lands at
  // device point (x, y).
  virtual void SetOrigin(int x, int y) = 0;
  virtual TPoint GetOrigin() const = 0;
  // Saves / restores font, brush, pen, clipping, origin, alignment and extra spacing.
  virtual void SaveState() = 0;
  virtual void RestoreState() = 0;

  // --- device ---
  // The bitmap this canvas draws on, when it draws on one; pixel copies from
  // this canvas read it directly. Null for canvases without pixels of their own.
  virtual TBitmap* GetBitmap() { return nullptr; }
  virtual int PixelsPerInchX() const { return 96; }
  virtual int PixelsPerInchY() const { return 96; }
  // A palette-based device? Screens and bitmaps here never are.
  virtual bool IsPaletteDevice() const { return false; }
  virtual HPALETTE SelectPalette(HPALETTE palette) { (void)palette; return 0; }
  virtual void RealizePalette() {}
  // A measuring context like this canvas (same resolution and font machinery),
  // on its own 1 x 1 bitmap.
  virtual std::unique_ptr<TCanvas> CreateCompatible() = 0;
};

// Creates the toolkit's raster canvas drawing on bitmap's pixels. Defined by the
// toolkit layer; the bitmap must outlive the canvas.
std::unique_ptr<TCanvas> CreateBitmapCanvas(TBitmap& bitmap);

}  // namespace quorix
