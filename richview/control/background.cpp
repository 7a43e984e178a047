#include "richview/control/background.h"

#include <algorithm>

namespace quorix {

TRVBackground::TRVBackground() = default;

TRVBackground::~TRVBackground() = default;

bool TRVBackground::ScrollRequiresFullRedraw() const {
  return !Image->GetEmpty() && ImageStyle != bsNoBitmap && ImageStyle != bsTiledAndScrolled;
}

bool TRVBackground::IsSemitransparent() const { return Visible() && Image->GetTransparent(); }

void TRVBackground::UpdatePaletted(TRVPaletteAction PaletteAction, HPALETTE Palette, const TRVLogPalette* LogPalette) {
  ImageCopy.reset();
  if (Palette == 0 || !LogPalette) return;  // a true-colour display needs no copies
  if (PaletteAction == rvpaAssignPalette) {
    Image->SetPalette(Palette);
  } else if ((PaletteAction == rvpaCreateCopies || PaletteAction == rvpaCreateCopiesEx) && !Image->GetEmpty()) {
    auto copy = std::make_unique<TBitmap>(*Image);
    copy->SetPalette(Palette);
    ImageCopy = std::move(copy);
  }
}

void TRVBackground::DrawTiles(TCanvas& Canvas, TGraphic& Picture, const TRect& Rect, int x0, int y0, int HOffs,
                              int VOffs, bool Direct) const {
  const int pw = Picture.GetWidth();
  const int ph = Picture.GetHeight();
  auto* bitmap = Direct ? dynamic_cast<TBitmap*>(&Picture) : nullptr;
  for (int j = (Rect.Top + VOffs) / ph; j <= (Rect.Bottom + VOffs) / ph; ++j) {
    for (int i = (Rect.Left + HOffs) / pw; i <= (Rect.Right + HOffs) / pw; ++i) {
      const int x = i * pw - HOffs - x0;
      const int y = j * ph - VOffs - y0;
      if (bitmap)
        Canvas.DrawBitmap(x, y, *bitmap);
      else
        Canvas.Draw(x, y, Picture);
    }
  }
}

void TRVBackground::Draw(TCanvas& Canvas, TRect Rect, int HOffs, int VOffs, int Left, int Top, int Width,
                         int Height, TColor Color, bool Clipping, bool PrintSimulation) const {
  TGraphic* picture = ImageCopy ? ImageCopy.get() : Image.get();
  if (Clipping) {
    Canvas.SaveState();
    Canvas.IntersectClipRect(Rect);
    const TPoint origin = Canvas.GetOrigin();
    Canvas.SetOrigin(origin.X + Rect.Left, origin.Y + Rect.Top);
  }
  OffsetRect(Rect, -Left, -Top);
  const int x0 = Rect.Left;
  const int y0 = Rect.Top;
  const bool hasPicture = picture && !picture->GetEmpty();
  const bool pinned = ImageStyle >= bsCentered && ImageStyle <= bsBottomRight;
  if (Color != clNone && (!hasPicture || picture->GetTransparent() || ImageStyle == bsNoBitmap || pinned)) {
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = ColorToRGB(Color);
    Canvas.FillRect(quorix::Rect(0, 0, Rect.Width(), Rect.Height()));
  }
  if (hasPicture && ImageStyle != bsNoBitmap) {
    const int pw = picture->GetWidth();
    const int ph = picture->GetHeight();
    // Bitmaps are copied pixel for pixel; other pictures draw themselves.
    const bool direct = dynamic_cast<TBitmap*>(picture) && ImageStyle != bsStretched && !PrintSimulation;
    auto place = [&](int x, int y) {
      if (direct)
        Canvas.DrawBitmap(x - x0, y - y0, static_cast<TBitmap&>(*picture));
      else
        Canvas.Draw(x - x0, y - y0, *picture);
    };
    switch (ImageStyle) {
      case bsStretched: Canvas.StretchDraw(quorix::Rect(-x0, -y0, Width - x0, Height - y0), *picture); break;
      case bsTiled: DrawTiles(Canvas, *picture, Rect, x0, y0, 0, 0, direct); break;
      case bsTiledAndScrolled: DrawTiles(Canvas, *picture, Rect, x0, y0, HOffs, VOffs, direct); break;
      case bsCentered: place((Width - pw) / 2, (Height - ph) / 2); break;
      case bsTopLeft: place(0, 0); break;
      case bsTopRight: place(Width - pw, 0); break;
      case bsBottomLeft: place(0, Height - ph); break;
      case bsBottomRight: place(Width - pw, Height - ph); break;
      case bsNoBitmap: break;
    }
  }
  if (Clipping) Canvas.RestoreState();
}

}  // namespace quorix
