#include "richview/styles/borders.h"

#include <algorithm>
#include <vector>

#include "richview/styles/color_modes.h"

namespace quorix {

void TRVRect::AssignToRectIfGreater(TRect& r) const {
  r.Left = std::max(r.Left, Left);
  r.Top = std::max(r.Top, Top);
  r.Right = std::max(r.Right, Right);
  r.Bottom = std::max(r.Bottom, Bottom);
}

void TRVRect::InflateRect(TRect& r) const {
  r.Left -= Left;
  r.Top -= Top;
  r.Right += Right;
  r.Bottom += Bottom;
}

void TRVRect::InflateRectSaD(TRect& r, const TRVScreenAndDevice& sad) const {
  r.Left -= RV_XToDevice(Left, sad);
  r.Top -= RV_YToDevice(Top, sad);
  r.Right += RV_XToDevice(Right, sad);
  r.Bottom += RV_YToDevice(Bottom, sad);
}

int TRVBorder::GetTotalWidth() const {
  switch (Style) {
    case rvbNone: return 0;
    case rvbSingle: return Width;
    case rvbDouble: return 2 * Width + InternalWidth;
    case rvbTriple: return 3 * Width + 2 * InternalWidth;
    case rvbThickInside:
    case rvbThickOutside: return 3 * Width + InternalWidth;
  }
  return 0;
}

void TRVBorder::Draw(const TRect& rect, TCanvas& canvas, TRVColorMode colorMode) const {
  DoDraw(rect, canvas, nullptr, colorMode);
}

void TRVBorder::DrawSaD(const TRect& rect, TCanvas& canvas, const TRVScreenAndDevice& sad,
                        TRVColorMode colorMode) const {
  DoDraw(rect, canvas, &sad, colorMode);
}

// Each line is a band that lies inside its rectangle (thick lines grow
// inward, as an inside-frame pen draws them); the next line's rectangle is
// widened by the gap and that line's own width, so the lines never overlap and
// the whole border is GetTotalWidth wide for any Width.
void TRVBorder::DoDraw(TRect r, TCanvas& canvas, const TRVScreenAndDevice* sad, TRVColorMode colorMode) const {
  if (Style == rvbNone) return;
  if (sad)
    BorderOffsets.InflateRectSaD(r, *sad);
  else
    BorderOffsets.InflateRect(r);

  std::vector<int> widths;  // from the inner line outward
  switch (Style) {
    case rvbNone: return;
    case rvbSingle: widths = {Width}; break;
    case rvbDouble: widths = {Width, Width}; break;
    case rvbTriple: widths = {Width, Width, Width}; break;
    case rvbThickInside: widths = {2 * Width, Width}; break;
    case rvbThickOutside: widths = {Width, 2 * Width}; break;
  }
  const TColor color = RV_GetColorForMode(Color, colorMode);
  if (color == clNone) return;
  const TBrush saved = canvas.Brush;
  canvas.Brush.Color = color;
  canvas.Brush.Style = bsSolid;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const int wx = RV_XToDevice(widths[i], sad);
    const int wy = RV_YToDevice(widths[i], sad);
    if (i > 0) quorix::InflateRect(r, RV_XToDevice(InternalWidth, sad) + wx, RV_YToDevice(InternalWidth, sad) + wy);
    if (VisibleBorders.Left) canvas.FillRect(Rect(r.Left, r.Top, r.Left + wx, r.Bottom));
    if (VisibleBorders.Right) canvas.FillRect(Rect(r.Right - wx, r.Top, r.Right, r.Bottom));
    if (VisibleBorders.Top) canvas.FillRect(Rect(r.Left, r.Top, r.Right, r.Top + wy));
    if (VisibleBorders.Bottom) canvas.FillRect(Rect(r.Left, r.Bottom - wy, r.Right, r.Bottom));
  }
  canvas.Brush = saved;
}

void TRVBackgroundRect::Draw(const TRect& rect, TCanvas& canvas, bool printing, TRVColorMode colorMode) const {
  if (Color == clNone) return;
  TColor color = Color;
  if (printing) {
    if (colorMode == rvcmBlackAndWhite || colorMode == rvcmBlackOnWhite) return;  // no fills on paper
    color = RV_GetColorForMode(Color, colorMode);
  }
  TRect r = rect;
  PrepareDraw(r);
  const TBrush saved = canvas.Brush;
  canvas.Brush.Color = color;
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(r);
  canvas.Brush = saved;
}

}  // namespace quorix
