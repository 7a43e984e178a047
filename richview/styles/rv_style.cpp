#include "richview/styles/rv_style.h"

#include <algorithm>

namespace quorix {

namespace {

std::unique_ptr<TFontInfo> NewFontInfo(TFontInfos* collection) { return std::make_unique<TFontInfo>(collection); }
std::unique_ptr<TParaInfo> NewParaInfo(TParaInfos* collection) { return std::make_unique<TParaInfo>(collection); }
std::unique_ptr<TRVListInfo> NewListInfo(TRVListInfos* collection) {
  return std::make_unique<TRVListInfo>(collection);
}

// The picture for pictures that cannot be drawn: a grey frame around a red
// cross on white, 20 x 20 pixels.
std::unique_ptr<TGraphic> MakeBadPicture() {
  constexpr int kSize = 20;
  auto bitmap = std::make_unique<TBitmap>(kSize, kSize);
  bitmap->Fill(clWhite);
  const TPixel frame = PixelFromColor(clGray);
  const TPixel cross = PixelFromColor(clRed);
  for (int y = 0; y < kSize; ++y) {
    TPixel* row = bitmap->Scanline(y);
    for (int x = 0; x < kSize; ++x) {
      if (x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1)
        row[x] = frame;
      else if (x >= 4 && x < kSize - 4 && (x == y || x == kSize - 1 - y || x == y + 1 || x + 1 == kSize - 1 - y))
        row[x] = cross;
    }
  }
  return bitmap;
}

}  // namespace

TRVStyle::TRVStyle() {
  // The jump cursor is the platform's hand; every platform this library runs
  // on has one, so no cursor of the program's own is needed in its place.
  RegisterCursor(crJump, HasSystemCursor(ckHandPoint) ? ckHandPoint : ckArrow);
  RegisterCursor(crRVFlipArrow, ckFlipArrow);
  ResetParaStyles();
  ResetTextStyles();
}

TRVStyle::~TRVStyle() = default;

TFontInfoClass TRVStyle::GetTextStyleClass() const { return &NewFontInfo; }
TParaInfoClass TRVStyle::GetParaStyleClass() const { return &NewParaInfo; }
TRVListInfoClass TRVStyle::GetListStyleClass() const { return &NewListInfo; }

void TRVStyle::ResetTextStyles() {
  TextStyles.Clear();
  TextStyles.Add().StyleName = u"Normal text";

  TFontInfo& heading = TextStyles.Add();
  heading.StyleName = u"Heading";
  heading.Style = {fsBold};
  heading.Color = clBlue;

  TFontInfo& subheading = TextStyles.Add();
  subheading.StyleName = u"Subheading";
  subheading.Style = {fsBold};
  subheading.Color = clNavy;

  TFontInfo& keywords = TextStyles.Add();
  keywords.StyleName = u"Keywords";
  keywords.Style = {fsItalic};
  keywords.Color = clMaroon;

  for (const char16_t* name : {u"Jump 1", u"Jump 2"}) {
    TFontInfo& jump = TextStyles.Add();
    jump.StyleName = name;
    jump.Style = {fsUnderline};
    jump.Color = clGreen;
    jump.Jump = true;
    jump.JumpCursor = JumpCursor;
  }
}

void TRVStyle::ResetParaStyles() {
  ParaStyles.Clear();
  ParaStyles.Add();  // "Paragraph Style", the defaults
  TParaInfo& centered = ParaStyles.Add();
  centered.StyleName = u"Centered";
  centered.Alignment = rvaCenter;
}

int TRVStyle::AddTextStyle() {
  TextStyles.Add();
  return TextStyles.Count() - 1;
}

void TRVStyle::DeleteTextStyle(int Index) { TextStyles.Delete(Index); }

void TRVStyle::ApplyStyle(TCanvas& Canvas, int StyleNo, TRVBiDiMode DefBiDiMode, bool CanUseCustomPPI,
                          const TRVExtraFontInfo* ExtraFontInfo, bool IgnoreScript) {
  bool doDefault = true;
  if (OnApplyStyle) OnApplyStyle(*this, Canvas, StyleNo, doDefault);
  if (doDefault) TextStyles[StyleNo].Apply(Canvas, DefBiDiMode, CanUseCustomPPI, ExtraFontInfo, IgnoreScript);
  if (OnAfterApplyStyle) OnAfterApplyStyle(*this, Canvas, StyleNo);
}

void TRVStyle::ApplyStyleColor(TCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState, bool Printing,
                               TRVColorMode ColorMode) {
  bool doDefault = true;
  if (OnApplyStyleColor) OnApplyStyleColor(*this, Canvas, StyleNo, DrawState, doDefault);
  if (doDefault) TextStyles[StyleNo].ApplyColor(Canvas, *this, DrawState, Printing, ColorMode);
}

void TRVStyle::DrawStyleText(const TRVRawByteString& s, TCanvas& Canvas, int StyleNo, int SpaceBefore, int Left,
                             int Top, int Width, int Height, TRVTextDrawStates DrawState, bool Printing,
                             TRVColorMode ColorMode, TRVBiDiMode DefBiDiMode) {
  bool doDefault = true;
  if (OnDrawStyleText)
    OnDrawStyleText(*this, s, Canvas, StyleNo, SpaceBefore, Left, Top, Width, Height, DrawState, doDefault);
  if (doDefault)
    TextStyles[StyleNo].Draw(s, Canvas, StyleNo, SpaceBefore, Left, Top, Width, Height, *this, DrawState, Printing,
                             ColorMode, DefBiDiMode);
}

TColor TRVStyle::GetHoverColor(int StyleNo) const {
  const TColor own = TextStyles[StyleNo].HoverColor;
  return own != clNone ? own : HoverColor;
}

bool TRVStyle::StyleHoverSensitive(int StyleNo) const {
  const TFontInfo& style = TextStyles[StyleNo];
  bool sensitive = GetHoverColor(StyleNo) != clNone || style.HoverBackColor != style.BackColor ||
                   style.HoverUnderlineColor != clNone || !style.HoverEffects.Empty();
  if (OnStyleHoverSensitive) OnStyleHoverSensitive(*this, StyleNo, sensitive);
  return sensitive;
}

void TRVStyle::DrawTextBack(TCanvas& Canvas, int ItemNo, int StyleNo, int Left, int Top, int Width, int Height,
                            TRVTextDrawStates DrawState) {
  if (OnDrawTextBack) OnDrawTextBack(*this, Canvas, ItemNo, StyleNo, Left, Top, Width, Height, DrawState);
}

void TRVStyle::DrawCheckpoint(TCanvas& Canvas, int X, int Y, int ItemNo, int XShift, bool RaiseEvent) {
  if (OnDrawCheckpoint) OnDrawCheckpoint(*this, Canvas, X, Y, ItemNo, XShift, RaiseEvent);
}

void TRVStyle::DrawPageBreak(TCanvas& Canvas, int Y, int XShift, TRVPageBreakType PageBreakType) {
  if (OnDrawPageBreak) OnDrawPageBreak(*this, Canvas, Y, XShift, PageBreakType);
}

void TRVStyle::DrawParaBack(TCanvas& Canvas, int ParaNo, const TRect& Rect, bool Printing, TRVColorMode ColorMode) {
  bool doDefault = true;
  if (OnDrawParaBack) OnDrawParaBack(*this, Canvas, ParaNo, Rect, doDefault);
  if (doDefault) ParaStyles[ParaNo].Background.Draw(Rect, Canvas, Printing, ColorMode);
}

// Right-to-left lines are measured from their right end: X is then the
// distance from the right origin and the right indent takes the left one's part.
TRVTabStop TRVStyle::GetNextTab(int ParaNo, int X, const TRVScreenAndDevice* sad, TRVBiDiMode DefBiDiMode,
                                int LeftIndent, int RightIndent) const {
  const TParaInfo& para = ParaStyles[ParaNo];
  const TRVBiDiMode mode = para.BiDiMode != rvbdUnspecified ? para.BiDiMode : DefBiDiMode;
  const int indent = mode == rvbdRightToLeft ? RightIndent : LeftIndent;
  for (int i = 0; i < para.Tabs.Count(); ++i) {
    const TRVTabInfo& tab = para.Tabs.Items(i);
    const int position = RV_XToDevice(tab.GetPosition(), sad);
    if (position <= X) continue;
    if (X < indent && indent < position) return TRVTabStop{indent, rvtaLeft, {}};
    return TRVTabStop{position, tab.Align, tab.Leader};
  }
  if (X < indent) return TRVTabStop{indent, rvtaLeft, {}};
  const int step = std::max(1, RV_XToDevice(DefTabWidth, sad));
  return TRVTabStop{(IntDiv(X, step) + 1) * step, rvtaLeft, {}};
}

TGraphic& TRVStyle::GetInvalidPicture() {
  if (!invalidPicture_) invalidPicture_ = MakeBadPicture();
  return *invalidPicture_;
}

void TRVStyle::SetInvalidPicture(const TGraphic* Picture) {
  if (!Picture) {
    invalidPicture_.reset();
    return;
  }
  auto copy = Picture->CreateEmpty();
  copy->Assign(Picture);
  invalidPicture_ = std::move(copy);
}

}  // namespace quorix
