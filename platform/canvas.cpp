#include "platform/canvas.h"

#include "platform/graphics.h"

namespace quorix {

namespace {
// The pitch bits of a logical font's pitch-and-family byte.
constexpr int kDefaultPitch = 0;
constexpr int kFixedPitch = 1;
constexpr int kVariablePitch = 2;
}  // namespace

void TFont::AssignLogFont(const TLogFont& lf) {
  Name = lf.lfFaceName;
  Height = lf.lfHeight;
  Width = lf.lfWidth;
  Style.Clear();
  // Anything from semi-bold up reads as bold: the font styles know no finer weights.
  if (lf.lfWeight >= 600) Style.Include(fsBold);
  if (lf.lfItalic) Style.Include(fsItalic);
  if (lf.lfUnderline) Style.Include(fsUnderline);
  if (lf.lfStrikeOut) Style.Include(fsStrikeOut);
  Charset = lf.lfCharSet;
  switch (lf.lfPitchAndFamily & 3) {
    case kFixedPitch: Pitch = fpFixed; break;
    case kVariablePitch: Pitch = fpVariable; break;
    default: Pitch = fpDefault; break;
  }
}

TLogFont TFont::ToLogFont() const {
  TLogFont lf;
  lf.lfHeight = Height;
  lf.lfWidth = Width;
  lf.lfWeight = Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = Style.Contains(fsItalic);
  lf.lfUnderline = Style.Contains(fsUnderline);
  lf.lfStrikeOut = Style.Contains(fsStrikeOut);
  lf.lfCharSet = Charset;
  lf.lfPitchAndFamily = Pitch == fpFixed ? kFixedPitch : Pitch == fpVariable ? kVariablePitch : kDefaultPitch;
  lf.lfFaceName = Name;
  return lf;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  graphic.Draw(*this, Bounds(x, y, graphic.GetWidth(), graphic.GetHeight()));
}

void TCanvas::StretchDraw(const TRect& dest, TGraphic& graphic) { graphic.Draw(*this, dest); }

}  // namespace quorix
