#include "tests/support/fixed_metrics_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace quorix::test {

TFixedMetricsCanvas::TFixedMetricsCanvas(TBitmap& bitmap) : bitmap_(&bitmap), pixels_(CreateBitmapCanvas(bitmap)) {}

TFixedMetricsCanvas::TFixedMetricsCanvas(int width, int height)
    : owned_(std::make_unique<TBitmap>(width, height)), bitmap_(owned_.get()), pixels_(CreateBitmapCanvas(*owned_)) {}

TFixedMetricsCanvas::~TFixedMetricsCanvas() = default;

int TFixedMetricsCanvas::WidthOf(char16_t c) const {
  const int base = CharWidthOf ? CharWidthOf(c) : CharWidth;
  if (Font.Width > 0 && CharWidth > 0) return MulDiv(base, Font.Width, CharWidth);
  return base;
}

int TFixedMetricsCanvas::CurrentAscent() const {
  if (!ScaleWithFont) return Ascent;
  const int cell = Font.Height != 0 ? std::abs(Font.Height) : 13;
  return cell - cell / 4;
}

int TFixedMetricsCanvas::CurrentDescent() const {
  if (!ScaleWithFont) return Descent;
  const int cell = Font.Height != 0 ? std::abs(Font.Height) : 13;
  return cell / 4;
}

TCanvas& TFixedMetricsCanvas::Pixels() {
  pixels_->Font = Font;
  pixels_->Brush = Brush;
  pixels_->Pen = Pen;
  return *pixels_;
}

void TFixedMetricsCanvas::FillRect(const TRect& rect) { Pixels().FillRect(rect); }
void TFixedMetricsCanvas::FrameRect(const TRect& rect) { Pixels().FrameRect(rect); }
void TFixedMetricsCanvas::Rectangle(int x1, int y1, int x2, int y2) { Pixels().Rectangle(x1, y1, x2, y2); }
void TFixedMetricsCanvas::MoveTo(int x, int y) { Pixels().MoveTo(x, y); }
void TFixedMetricsCanvas::LineTo(int x, int y) { Pixels().LineTo(x, y); }
TColor TFixedMetricsCanvas::GetPixel(int x, int y) { return Pixels().GetPixel(x, y); }
void TFixedMetricsCanvas::SetPixel(int x, int y, TColor color) { Pixels().SetPixel(x, y, color); }

TRect TFixedMetricsCanvas::Cell(int x, int y, int width) const {
  const int ascent = CurrentAscent();
  const int height = ascent + CurrentDescent();
  switch (align_ & (TA_RIGHT | TA_CENTER)) {
    case TA_RIGHT: x -= width; break;
    case TA_CENTER: x -= width / 2; break;
    default: break;
  }
  switch (align_ & TA_BASELINE) {
    case TA_BASELINE: y -= ascent; break;
    case TA_BOTTOM: y -= height; break;
    default: break;
  }
  return Bounds(x, y, width, height);
}

void TFixedMetricsCanvas::PaintText(const TRect& cell, const TRect* clip) {
  TCanvas& p = Pixels();
  p.SaveState();
  if (clip != nullptr) p.IntersectClipRect(*clip);
  if (Brush.Style != bsClear) p.FillRect(clip != nullptr ? *clip : cell);
  p.Brush.Style = bsSolid;
  p.Brush.Color = Font.Color;
  p.FillRect(TRect{cell.Left, cell.Top, cell.Right, cell.Top + CurrentAscent()});
  p.RestoreState();
}

void TFixedMetricsCanvas::TextOut(int x, int y, std::u16string_view text) {
  TextCalls.push_back(TextCall{x, y, UnicodeString(text), Font, Brush.Style, Brush.Color, align_, extra_, false,
                               TRect{}, GetOrigin()});
  PaintText(Cell(x, y, TextExtent(text).cx), nullptr);
}

void TFixedMetricsCanvas::TextRect(const TRect& rect, int x, int y, std::u16string_view text) {
  TextCalls.push_back(
      TextCall{x, y, UnicodeString(text), Font, Brush.Style, Brush.Color, align_, extra_, true, rect, GetOrigin()});
  PaintText(Cell(x, y, TextExtent(text).cx), &rect);
}

TSize TFixedMetricsCanvas::TextExtent(std::u16string_view text) {
  int width = 0;
  for (char16_t c : text) width += WidthOf(c) + extra_;
  return TSize{width, CurrentAscent() + CurrentDescent()};
}

TSize TFixedMetricsCanvas::TextExtentFit(std::u16string_view text, int maxExtent, int& fit, std::vector<int>* dx) {
  if (dx != nullptr) dx->clear();
  fit = 0;
  int width = 0;
  bool fits = true;
  for (char16_t c : text) {
    width += WidthOf(c) + extra_;
    if (dx != nullptr) dx->push_back(width);
    fits = fits && width <= maxExtent;
    if (fits) ++fit;
  }
  return TSize{width, CurrentAscent() + CurrentDescent()};
}

TTextMetric TFixedMetricsCanvas::GetTextMetrics() {
  TTextMetric tm;
  tm.tmAscent = CurrentAscent();
  tm.tmDescent = CurrentDescent();
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = InternalLeading;
  tm.tmAveCharWidth = Font.Width > 0 ? Font.Width : WidthOf(u'x');
  tm.tmMaxCharWidth = std::max(tm.tmAveCharWidth, CharWidth);
  tm.tmWeight = Font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  tm.tmItalic = Font.Style.Contains(fsItalic);
  tm.tmUnderlined = Font.Style.Contains(fsUnderline);
  tm.tmStruckOut = Font.Style.Contains(fsStrikeOut);
  tm.tmCharSet = Font.Charset;
  return tm;
}

bool TFixedMetricsCanvas::GetOutlineTextMetrics(TOutlineTextMetric& metrics) {
  if (!HasOutlineMetrics) return false;
  // Scripts two thirds of the cell high; subscripts sit a descent lower,
  // superscripts half an ascent higher; both lines one pixel thick.
  TOutlineTextMetric om;
  om.otmTextMetrics = GetTextMetrics();
  const int cell = om.otmTextMetrics.tmHeight;
  om.otmptSubscriptSize = {om.otmTextMetrics.tmAveCharWidth * 2 / 3, cell * 2 / 3};
  om.otmptSubscriptOffset = {0, CurrentDescent()};
  om.otmptSuperscriptSize = om.otmptSubscriptSize;
  om.otmptSuperscriptOffset = {0, CurrentAscent() / 2};
  om.otmsUnderscoreSize = 1;
  om.otmsUnderscorePosition = -1;
  om.otmsStrikeoutSize = 1;
  om.otmsStrikeoutPosition = CurrentAscent() / 3;
  metrics = om;
  return true;
}

void TFixedMetricsCanvas::SetTextCharacterExtra(int extra) { extra_ = extra; }
int TFixedMetricsCanvas::GetTextCharacterExtra() const { return extra_; }
void TFixedMetricsCanvas::SetTextAlign(unsigned flags) { align_ = flags; }
unsigned TFixedMetricsCanvas::GetTextAlign() const { return align_; }

void TFixedMetricsCanvas::DrawBitmap(int x, int y, const TBitmap& bitmap) { Pixels().DrawBitmap(x, y, bitmap); }
void TFixedMetricsCanvas::StretchDrawBitmap(const TRect& dest, const TBitmap& bitmap) {
  Pixels().StretchDrawBitmap(dest, bitmap);
}
void TFixedMetricsCanvas::StretchDrawMasked(const TRect& dest, const TBitmap& bitmap, const TMask& mask) {
  Pixels().StretchDrawMasked(dest, bitmap, mask);
}
void TFixedMetricsCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  Pixels().CopyRect(dest, source, sourceRect);
}

void TFixedMetricsCanvas::IntersectClipRect(const TRect& rect) { pixels_->IntersectClipRect(rect); }
void TFixedMetricsCanvas::ResetClip() { pixels_->ResetClip(); }
TRect TFixedMetricsCanvas::GetClipRect() { return pixels_->GetClipRect(); }
void TFixedMetricsCanvas::SetOrigin(int x, int y) { pixels_->SetOrigin(x, y); }
TPoint TFixedMetricsCanvas::GetOrigin() const { return pixels_->GetOrigin(); }

void TFixedMetricsCanvas::SaveState() {
  // The pixel canvas saves font, brush, pen, clipping and origin; the text
  // settings are this canvas's own.
  Pixels().SaveState();
  saved_.emplace_back(extra_, align_);
}

void TFixedMetricsCanvas::RestoreState() {
  if (saved_.empty()) return;
  pixels_->RestoreState();
  Font = pixels_->Font;
  Brush = pixels_->Brush;
  Pen = pixels_->Pen;
  extra_ = saved_.back().first;
  align_ = saved_.back().second;
  saved_.pop_back();
}

std::unique_ptr<TCanvas> TFixedMetricsCanvas::CreateCompatible() {
  auto c = std::make_unique<TFixedMetricsCanvas>(1, 1);
  c->CharWidth = CharWidth;
  c->CharWidthOf = CharWidthOf;
  c->Ascent = Ascent;
  c->Descent = Descent;
  c->ScaleWithFont = ScaleWithFont;
  c->InternalLeading = InternalLeading;
  c->HasOutlineMetrics = HasOutlineMetrics;
  return c;
}

}  // namespace quorix::test
