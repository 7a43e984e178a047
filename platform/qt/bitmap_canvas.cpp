// The raster canvas: draws on a TBitmap's own pixels.
//
// Text goes through QPainter on a QImage that wraps the bitmap's pixel vector
// (no copy), so the glyphs land straight in the bitmap. Fills, frames,
// rectangles, one-pixel lines and all pixel copies are written directly into
// the pixels instead: their results are defined pixel for pixel (right and
// bottom exclusive, nearest-pixel stretching with an exact integer mapping,
// masked pixels untouched), which a few lines of integer code give exactly
// and faster than setting up a painter for each call. Wide pens go through
// QPainter as well.
//
// The clipping is always one rectangle (only intersections of rectangles are
// asked for), kept in device coordinates; the origin moves logical
// coordinates, not the clipping, as on the classic platform.

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/canvas.h"
#include "platform/graphics.h"
#include "platform/qt/font_cache.h"
#include "platform/qt/gui_application.h"

namespace quorix {

namespace {

QString ToQString(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

TRect Normalized(int x1, int y1, int x2, int y2) {
  return TRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TRect Intersection(const TRect& a, const TRect& b) {
  TRect r;
  IntersectRect(r, a, b);
  return r;
}

// On/off run lengths of the cosmetic pen styles, in pixels.
struct DashPattern {
  int runs[6];
  int count;
};

constexpr DashPattern kDash{{18, 6}, 2};
constexpr DashPattern kDot{{3, 3}, 2};
constexpr DashPattern kDashDot{{9, 6, 3, 6}, 4};
constexpr DashPattern kDashDotDot{{9, 3, 3, 3, 3, 3}, 6};

const DashPattern* PatternOf(TPenStyle style) {
  switch (style) {
    case psDash: return &kDash;
    case psDot: return &kDot;
    case psDashDot: return &kDashDot;
    case psDashDotDot: return &kDashDotDot;
    default: return nullptr;
  }
}

// Walks a dash pattern pixel by pixel: On() tells whether the current pixel
// is drawn, then Step() moves on.
class DashWalker {
 public:
  explicit DashWalker(const DashPattern* p) : p_(p) {}
  bool On() const { return p_ == nullptr || run_ % 2 == 0; }
  void Step() {
    if (p_ == nullptr) return;
    if (++pos_ >= p_->runs[run_]) {
      pos_ = 0;
      run_ = (run_ + 1) % p_->count;
    }
  }

 private:
  const DashPattern* p_;
  int run_ = 0;
  int pos_ = 0;
};

class QtBitmapCanvas final : public TCanvas {
 public:
  explicit QtBitmapCanvas(TBitmap& bitmap) : bitmap_(&bitmap) { qt::EnsureGuiApplication(); }
  explicit QtBitmapCanvas(std::unique_ptr<TBitmap> owned) : bitmap_(owned.get()), owned_(std::move(owned)) {
    qt::EnsureGuiApplication();
  }

  // --- fills, frames, lines ---
  void FillRect(const TRect& rect) override {
    if (Brush.Style == bsClear) return;
    FillDevice(ToDevice(rect), PixelFromColor(ColorToRGB(Brush.Color)));
  }

  void FrameRect(const TRect& rect) override {
    if (Brush.Style == bsClear || rect.IsEmpty()) return;
    const TPixel p = PixelFromColor(ColorToRGB(Brush.Color));
    FrameDevice(ToDevice(rect), 1, p, pmCopy);
  }

  void Rectangle(int x1, int y1, int x2, int y2) override {
    const TRect r = ToDevice(Normalized(x1, y1, x2, y2));
    const bool brush = Brush.Style != bsClear;
    const TPixel brushPixel = PixelFromColor(ColorToRGB(Brush.Color));
    if (Pen.Style == psClear) {
      // Without a pen the classic call fills one pixel less to the right and
      // below: the pixels the frame would have covered there stay as they were.
      if (brush) FillDevice(TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}, brushPixel, Pen.Mode);
      return;
    }
    const int w = std::max(Pen.Width, 1);
    TRect outer = r;
    if (w > 1 && Pen.Style != psInsideFrame) {
      // A wide pen is centred on the frame's one-pixel path.
      outer = TRect{r.Left - (w - 1) / 2, r.Top - (w - 1) / 2, r.Right + w / 2, r.Bottom + w / 2};
    }
    const TRect inner{outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w};
    if (brush && !inner.IsEmpty()) FillDevice(inner, brushPixel, Pen.Mode);
    const TPixel penPixel = PixelFromColor(ColorToRGB(Pen.Color));
    const DashPattern* dash = w == 1 ? PatternOf(Pen.Style) : nullptr;
    if (dash == nullptr) {
      FrameDevice(outer, w, penPixel, Pen.Mode);
    } else {
      DashedFrame(outer, *dash, penPixel);
    }
  }

  void MoveTo(int x, int y) override { penPos_ = {x, y}; }

  void LineTo(int x, int y) override {
    const TPoint from = penPos_;
    penPos_ = {x, y};
    if (Pen.Style == psClear) return;
    const TPixel p = PixelFromColor(ColorToRGB(Pen.Color));
    if (Pen.Width > 1) {
      WideLine(from, TPoint{x, y});
      return;
    }
    // Bresenham from the start point, the end point excluded.
    int x0 = from.X + origin_.X, y0 = from.Y + origin_.Y;
    const int x1 = x + origin_.X, y1 = y + origin_.Y;
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    DashWalker dash(PatternOf(Pen.Style));
    const TRect area = DrawArea();
    while (x0 != x1 || y0 != y1) {
      if (dash.On()) PutPixel(area, x0, y0, p, Pen.Mode);
      dash.Step();
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

  TColor GetPixel(int x, int y) override {
    const int dx = x + origin_.X, dy = y + origin_.Y;
    if (!DrawArea().Contains(TPoint{dx, dy})) return CLR_INVALID;
    return ColorFromPixel(bitmap_->Scanline(dy)[dx]);
  }

  void SetPixel(int x, int y, TColor color) override {
    PutPixel(DrawArea(), x + origin_.X, y + origin_.Y, PixelFromColor(ColorToRGB(color)), pmCopy);
  }

  // --- text ---
  void TextOut(int x, int y, std::u16string_view text) override {
    qt::FontEntry& font = CurrentFont();
    const int width = font.Width(text) + static_cast<int>(text.size()) * extra_;
    const TPoint at = Aligned(x, y, width, font);
    if (Brush.Style != bsClear) {
      FillDevice(ToDevice(Bounds(at.X, at.Y, width, font.TextMetric().tmHeight)),
                 PixelFromColor(ColorToRGB(Brush.Color)));
    }
    DrawGlyphs(DrawArea(), at, text, font);
  }

  void TextRect(const TRect& rect, int x, int y, std::u16string_view text) override {
    qt::FontEntry& font = CurrentFont();
    const TRect area = Intersection(DrawArea(), ToDevice(rect));
    if (area.IsEmpty()) return;
    // Opaque output fills the whole clipping rectangle, not only the text's cell.
    if (Brush.Style != bsClear) FillDevice(area, PixelFromColor(ColorToRGB(Brush.Color)));
    const int width = font.Width(text) + static_cast<int>(text.size()) * extra_;
    DrawGlyphs(area, Aligned(x, y, width, font), text, font);
  }

  TSize TextExtent(std::u16string_view text) override {
    qt::FontEntry& font = CurrentFont();
    return TSize{font.Width(text) + static_cast<int>(text.size()) * extra_, font.TextMetric().tmHeight};
  }

  TSize TextExtentFit(std::u16string_view text, int maxExtent, int& fit, std::vector<int>* dx) override {
    qt::FontEntry& font = CurrentFont();
    std::vector<int>& widths = dx != nullptr ? *dx : scratch_;
    font.PrefixWidths(text, extra_, widths);
    fit = 0;
    while (static_cast<std::size_t>(fit) < widths.size() && widths[fit] <= maxExtent) ++fit;
    return TSize{widths.empty() ? 0 : widths.back(), font.TextMetric().tmHeight};
  }

  TTextMetric GetTextMetrics() override { return CurrentFont().TextMetric(); }

  bool GetOutlineTextMetrics(TOutlineTextMetric& metrics) override {
    metrics = CurrentFont().OutlineMetric();
    return true;
  }

  void SetTextCharacterExtra(int extra) override { extra_ = extra; }
  int GetTextCharacterExtra() const override { return extra_; }
  void SetTextAlign(unsigned flags) override { align_ = flags; }
  unsigned GetTextAlign() const override { return align_; }

  // --- pictures and pixel copies ---
  void DrawBitmap(int x, int y, const TBitmap& bitmap) override {
    if (bitmap.GetEmpty()) return;
    const TRect dest = ToDevice(Bounds(x, y, bitmap.GetWidth(), bitmap.GetHeight()));
    const TRect area = Intersection(DrawArea(), dest);
    if (area.IsEmpty()) return;
    const TBitmap* src = &bitmap;
    std::optional<TBitmap> copy;
    if (src == bitmap_) src = &copy.emplace(bitmap);
    const std::size_t n = static_cast<std::size_t>(area.Width());
    for (int yy = area.Top; yy < area.Bottom; ++yy) {
      std::memcpy(bitmap_->Scanline(yy) + area.Left, src->Scanline(yy - dest.Top) + (area.Left - dest.Left),
                  n * sizeof(TPixel));
    }
  }

  void StretchDrawBitmap(const TRect& dest, const TBitmap& bitmap) override {
    Stretch(ToDevice(dest), bitmap, Bounds(0, 0, bitmap.GetWidth(), bitmap.GetHeight()), nullptr);
  }

  void StretchDrawMasked(const TRect& dest, const TBitmap& bitmap, const TMask& mask) override {
    Stretch(ToDevice(dest), bitmap, Bounds(0, 0, bitmap.GetWidth(), bitmap.GetHeight()), &mask);
  }

  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) override {
    TRect src = sourceRect;
    const TPoint so = source.GetOrigin();
    OffsetRect(src, so.X, so.Y);
    if (TBitmap* pixels = source.GetBitmap()) {
      Stretch(ToDevice(dest), *pixels, src, nullptr);
      return;
    }
    // A canvas without pixels of its own: read its pixels one by one.
    const TRect n = Normalized(sourceRect.Left, sourceRect.Top, sourceRect.Right, sourceRect.Bottom);
    TBitmap copy(n.Width(), n.Height());
    for (int yy = 0; yy < n.Height(); ++yy) {
      for (int xx = 0; xx < n.Width(); ++xx) {
        const TColor c = source.GetPixel(n.Left + xx, n.Top + yy);
        copy.Scanline(yy)[xx] = c == CLR_INVALID ? 0u : PixelFromColor(c);
      }
    }
    TRect local{sourceRect.Left - n.Left, sourceRect.Top - n.Top, sourceRect.Right - n.Left,
                sourceRect.Bottom - n.Top};
    Stretch(ToDevice(dest), copy, local, nullptr);
  }

  // --- clipping and origin ---
  void IntersectClipRect(const TRect& rect) override { clip_ = Intersection(DrawArea(), ToDevice(rect)); }
  void ResetClip() override { clip_.reset(); }
  TRect GetClipRect() override {
    TRect r = DrawArea();
    if (r.IsEmpty()) return TRect{};
    OffsetRect(r, -origin_.X, -origin_.Y);
    return r;
  }
  void SetOrigin(int x, int y) override { origin_ = {x, y}; }
  TPoint GetOrigin() const override { return origin_; }

  void SaveState() override { saved_.push_back(State{Font, Brush, Pen, clip_, origin_, penPos_, align_, extra_}); }
  void RestoreState() override {
    if (saved_.empty()) return;
    State& s = saved_.back();
    Font = s.font;
    Brush = s.brush;
    Pen = s.pen;
    clip_ = s.clip;
    origin_ = s.origin;
    penPos_ = s.penPos;
    align_ = s.align;
    extra_ = s.extra;
    saved_.pop_back();
  }

  // --- device ---
  TBitmap* GetBitmap() override { return bitmap_; }
  std::unique_ptr<TCanvas> CreateCompatible() override {
    return std::make_unique<QtBitmapCanvas>(std::make_unique<TBitmap>(1, 1));
  }

 private:
  struct State {
    TFont font;
    TBrush brush;
    TPen pen;
    std::optional<TRect> clip;
    TPoint origin;
    TPoint penPos;
    unsigned align;
    int extra;
  };

  TRect ToDevice(TRect r) const {
    OffsetRect(r, origin_.X, origin_.Y);
    return r;
  }

  // The device pixels drawing may touch: the bitmap, less what the clipping excludes.
  TRect DrawArea() const {
    const TRect bounds{0, 0, bitmap_->GetWidth(), bitmap_->GetHeight()};
    return clip_ ? Intersection(*clip_, bounds) : bounds;
  }

  qt::FontEntry& CurrentFont() {
    if (!font_ || !qt::SameFace(Font, fontOf_)) {
      font_ = qt::FindFont(Font);
      fontOf_ = Font;
    }
    return *font_;
  }

  static TPixel Combine(TPixel dest, TPixel p, TPenMode mode) {
    switch (mode) {
      case pmXor: return 0xFF000000u | ((dest ^ p) & 0x00FFFFFFu);
      case pmNot: return 0xFF000000u | (~dest & 0x00FFFFFFu);
      default: return p;
    }
  }

  void PutPixel(const TRect& area, int x, int y, TPixel p, TPenMode mode) {
    if (!area.Contains(TPoint{x, y})) return;
    TPixel& d = bitmap_->Scanline(y)[x];
    d = Combine(d, p, mode);
  }

  void FillDevice(const TRect& rect, TPixel p, TPenMode mode = pmCopy) {
    const TRect r = Intersection(DrawArea(), rect);
    if (r.IsEmpty()) return;
    for (int y = r.Top; y < r.Bottom; ++y) {
      TPixel* row = bitmap_->Scanline(y);
      if (mode == pmCopy) {
        std::fill(row + r.Left, row + r.Right, p);
      } else {
        for (int x = r.Left; x < r.Right; ++x) row[x] = Combine(row[x], p, mode);
      }
    }
  }

  // A frame of thickness w inside rect.
  void FrameDevice(const TRect& r, int w, TPixel p, TPenMode mode) {
    if (r.IsEmpty()) return;
    if (r.Width() <= 2 * w || r.Height() <= 2 * w) {
      FillDevice(r, p, mode);
      return;
    }
    FillDevice(TRect{r.Left, r.Top, r.Right, r.Top + w}, p, mode);
    FillDevice(TRect{r.Left, r.Bottom - w, r.Right, r.Bottom}, p, mode);
    FillDevice(TRect{r.Left, r.Top + w, r.Left + w, r.Bottom - w}, p, mode);
    FillDevice(TRect{r.Right - w, r.Top + w, r.Right, r.Bottom - w}, p, mode);
  }

  // A one-pixel dashed frame, the pattern running clockwise from the top-left corner.
  void DashedFrame(const TRect& r, const DashPattern& pattern, TPixel p) {
    if (r.IsEmpty()) return;
    const TRect area = DrawArea();
    DashWalker dash(&pattern);
    auto put = [&](int x, int y) {
      if (dash.On()) PutPixel(area, x, y, p, Pen.Mode);
      dash.Step();
    };
    const int right = r.Right - 1, bottom = r.Bottom - 1;
    for (int x = r.Left; x < right; ++x) put(x, r.Top);
    for (int y = r.Top; y < bottom; ++y) put(right, y);
    for (int x = right; x > r.Left; --x) put(x, bottom);
    for (int y = bottom; y > r.Top; --y) put(r.Left, y);
    if (right == r.Left || bottom == r.Top) put(right, bottom);
  }

  QImage& Image() {
    TPixel* data = bitmap_->Pixels();
    if (data != wrapped_ || image_.width() != bitmap_->GetWidth() || image_.height() != bitmap_->GetHeight()) {
      image_ = QImage(reinterpret_cast<uchar*>(data), bitmap_->GetWidth(), bitmap_->GetHeight(),
                      static_cast<qsizetype>(bitmap_->GetWidth()) * 4, QImage::Format_RGB32);
      wrapped_ = data;
    }
    return image_;
  }

  void WideLine(TPoint from, TPoint to) {
    const TRect area = DrawArea();
    if (area.IsEmpty()) return;
    QPainter painter(&Image());
    painter.setClipRect(QRect(area.Left, area.Top, area.Width(), area.Height()));
    const TColor c = ColorToRGB(Pen.Color);
    QPen pen(QColor(GetRValue(c), GetGValue(c), GetBValue(c)), Pen.Width, Qt::SolidLine, Qt::RoundCap,
             Qt::RoundJoin);
    painter.setPen(pen);
    if (Pen.Mode == pmXor) painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (Pen.Mode == pmNot) painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.drawLine(from.X + origin_.X, from.Y + origin_.Y, to.X + origin_.X, to.Y + origin_.Y);
  }

  // The top-left corner of the text's cell, in logical coordinates.
  TPoint Aligned(int x, int y, int width, qt::FontEntry& font) const {
    const TTextMetric& tm = font.TextMetric();
    switch (align_ & (TA_RIGHT | TA_CENTER)) {
      case TA_RIGHT: x -= width; break;
      case TA_CENTER: x -= width / 2; break;
      default: break;
    }
    switch (align_ & TA_BASELINE) {
      case TA_BASELINE: y -= tm.tmAscent; break;
      case TA_BOTTOM: y -= tm.tmHeight; break;
      default: break;
    }
    return TPoint{x, y};
  }

  void DrawGlyphs(const TRect& area, TPoint cell, std::u16string_view text, qt::FontEntry& font) {
    if (text.empty() || area.IsEmpty()) return;
    QPainter painter(&Image());
    painter.setClipRect(QRect(area.Left, area.Top, area.Width(), area.Height()));
    painter.setFont(font.Font());
    const TColor c = ColorToRGB(Font.Color);
    painter.setPen(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    const double x0 = cell.X + origin_.X;
    const double baseline = cell.Y + origin_.Y + font.TextMetric().tmAscent;
    if (extra_ == 0) {
      for (const QGlyphRun& run : font.GlyphRuns(text)) painter.drawGlyphRun(QPointF(x0, baseline), run);
      return;
    }
    // Extra spacing after every glyph puts character i at its advance plus i
    // spacings, where measuring puts it, and keeps underlines continuous.
    QFont spaced = font.Font();
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, extra_);
    painter.setFont(spaced);
    painter.drawText(QPointF(x0, baseline), ToQString(text));
  }

  // Copies the source rectangle of src into dest (device coordinates of both),
  // stretched to nearest pixels: destination column i of a w-wide destination
  // shows source column i * sw / w (integer division) of an sw-wide source,
  // and likewise for rows; a destination or source with Right < Left (Bottom
  // < Top) is mirrored. Pixels whose source lies outside src, and pixels the
  // mask marks transparent, leave the destination as it was.
  void Stretch(const TRect& dest, const TBitmap& src, const TRect& srcRect, const TMask* mask) {
    const int dw = std::abs(dest.Width()), dh = std::abs(dest.Height());
    const int sw = std::abs(srcRect.Width()), sh = std::abs(srcRect.Height());
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || src.GetEmpty()) return;
    const TRect d = Normalized(dest.Left, dest.Top, dest.Right, dest.Bottom);
    const TRect s = Normalized(srcRect.Left, srcRect.Top, srcRect.Right, srcRect.Bottom);
    const bool flipX = (dest.Right < dest.Left) != (srcRect.Right < srcRect.Left);
    const bool flipY = (dest.Bottom < dest.Top) != (srcRect.Bottom < srcRect.Top);
    const TRect area = Intersection(DrawArea(), d);
    if (area.IsEmpty()) return;
    const TBitmap* from = &src;
    std::optional<TBitmap> copy;
    if (from == bitmap_) from = &copy.emplace(src);
    const bool useMask = mask != nullptr && !mask->Transparent.empty();
    if (!useMask && !flipX && dw == sw) {
      // Same width: each row is a straight copy of the source columns that exist.
      const int left = std::max(area.Left, d.Left - s.Left);
      const int right = std::min(area.Right, d.Left - s.Left + from->GetWidth());
      if (left >= right) return;
      for (int y = area.Top; y < area.Bottom; ++y) {
        int j = y - d.Top;
        if (flipY) j = dh - 1 - j;
        const int sy = s.Top + static_cast<int>(static_cast<long long>(j) * sh / dh);
        if (sy < 0 || sy >= from->GetHeight()) continue;
        std::memcpy(bitmap_->Scanline(y) + left, from->Scanline(sy) + (left - d.Left + s.Left),
                    static_cast<std::size_t>(right - left) * sizeof(TPixel));
      }
      return;
    }
    columns_.resize(static_cast<std::size_t>(area.Width()));
    for (int x = area.Left; x < area.Right; ++x) {
      int i = x - d.Left;
      if (flipX) i = dw - 1 - i;
      columns_[static_cast<std::size_t>(x - area.Left)] =
          s.Left + static_cast<int>(static_cast<long long>(i) * sw / dw);
    }
    for (int y = area.Top; y < area.Bottom; ++y) {
      int j = y - d.Top;
      if (flipY) j = dh - 1 - j;
      const int sy = s.Top + static_cast<int>(static_cast<long long>(j) * sh / dh);
      if (sy < 0 || sy >= from->GetHeight()) continue;
      const TPixel* srow = from->Scanline(sy);
      TPixel* drow = bitmap_->Scanline(y);
      const bool maskRow = useMask && sy < mask->Height;
      for (int x = area.Left; x < area.Right; ++x) {
        const int sx = columns_[static_cast<std::size_t>(x - area.Left)];
        if (sx < 0 || sx >= from->GetWidth()) continue;
        if (maskRow && sx < mask->Width && mask->IsTransparent(sx, sy)) continue;
        drow[x] = srow[sx];
      }
    }
  }

  TBitmap* bitmap_;
  std::unique_ptr<TBitmap> owned_;
  QImage image_;
  const TPixel* wrapped_ = nullptr;
  std::optional<TRect> clip_;
  TPoint origin_;
  TPoint penPos_;
  unsigned align_ = TA_LEFT | TA_TOP;
  int extra_ = 0;
  std::vector<State> saved_;
  std::shared_ptr<qt::FontEntry> font_;
  TFont fontOf_;
  std::vector<int> scratch_;
  std::vector<int> columns_;
};

}  // namespace

std::unique_ptr<TCanvas> CreateBitmapCanvas(TBitmap& bitmap) { return std::make_unique<QtBitmapCanvas>(bitmap); }

}  // namespace quorix
