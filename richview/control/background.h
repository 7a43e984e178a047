#pragma once
// TRVBackground, the background of a rich-view control: a colour fill and an
// optional picture placed by one of the background styles (stretched, tiled
// with the window or with the document, or pinned to a corner or the centre).

#include <memory>

#include "platform/canvas.h"
#include "platform/graphics.h"
#include "richview/document/rv_types.h"

namespace quorix {

struct TRVLogPalette;

enum TBackgroundStyle {
  bsNoBitmap,
  bsStretched,
  bsTiled,
  bsTiledAndScrolled,
  bsCentered,
  bsTopLeft,
  bsTopRight,
  bsBottomLeft,
  bsBottomRight,
};

class TRVBackground {
 public:
  TRVBackground();
  TRVBackground(const TRVBackground&) = delete;
  TRVBackground& operator=(const TRVBackground&) = delete;
  ~TRVBackground();

  // Paints the part Rect of the client area onto Canvas, whose origin stands
  // for Rect's top-left corner (when Clipping, the canvas is clipped to Rect
  // and its origin moved there first). HOffs and VOffs are the document's
  // scroll offsets; (Left, Top, Width, Height) is the client area.
  void Draw(TCanvas& Canvas, TRect Rect, int HOffs, int VOffs, int Left, int Top, int Width, int Height,
            TColor Color, bool Clipping, bool PrintSimulation) const;
  // Whether scrolling must repaint everything: a picture that does not move
  // with the document.
  bool ScrollRequiresFullRedraw() const;
  // Drops the palette copy and, on a palette display, makes a new one.
  void UpdatePaletted(TRVPaletteAction PaletteAction, HPALETTE Palette, const TRVLogPalette* LogPalette);

  TBitmap& GetBitmap() { return *Image; }
  const TBitmap& GetBitmap() const { return *Image; }
  bool Empty() const { return Image->GetEmpty(); }
  // Whether anything but the colour shows.
  bool Visible() const { return ImageStyle != bsNoBitmap && !Empty(); }
  void AssignImage(const TBitmap& Source) { Image->Assign(&Source); }
  void FreeImage() { Image->Assign(nullptr); }
  // Whether the colour shows through the picture somewhere.
  bool IsSemitransparent() const;

  std::unique_ptr<TBitmap> Image = std::make_unique<TBitmap>();
  std::unique_ptr<TGraphic> ImageCopy;
  TBackgroundStyle ImageStyle = bsNoBitmap;

 private:
  void DrawTiles(TCanvas& Canvas, TGraphic& Picture, const TRect& Rect, int x0, int y0, int HOffs, int VOffs,
                 bool Direct) const;
};

}  // namespace quorix
