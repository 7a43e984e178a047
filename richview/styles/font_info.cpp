#include "richview/styles/font_info.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "richview/styles/color_modes.h"
#include "richview/styles/rv_settings.h"
#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

const TRVFontInfoProperties kAllFontProperties =
    TRVFontInfoProperties::FromMask((1ull << static_cast<int>(rvfiCount_)) - 1);

bool SameName(const UnicodeString& a, const UnicodeString& b) { return LowerCase(a) == LowerCase(b); }

TRVFontInfoProperties PropertiesOfStyles(TFontStyles styles) {
  TRVFontInfoProperties result;
  if (styles.Contains(fsBold)) result.Include(rvfiBold);
  if (styles.Contains(fsItalic)) result.Include(rvfiItalic);
  if (styles.Contains(fsUnderline)) result.Include(rvfiUnderline);
  if (styles.Contains(fsStrikeOut)) result.Include(rvfiStrikeout);
  return result;
}

// Dash patterns of the hand-drawn underlines, in multiples of the line thickness:
// alternating drawn and skipped lengths; empty = a solid line.
struct UnderlineShape {
  bool thick = false;
  bool twoLines = false;
  std::initializer_list<int> pattern;
};

UnderlineShape ShapeOf(TRVUnderlineType type) {
  switch (type) {
    case rvutNormal: return {false, false, {}};
    case rvutThick: return {true, false, {}};
    case rvutDouble: return {false, true, {}};
    case rvutDotted: return {false, false, {1, 1}};
    case rvutThickDotted: return {true, false, {1, 1}};
    case rvutDashed: return {false, false, {4, 2}};
    case rvutThickDashed: return {true, false, {4, 2}};
    case rvutLongDashed: return {false, false, {8, 3}};
    case rvutThickLongDashed: return {true, false, {8, 3}};
    case rvutDashDotted: return {false, false, {4, 2, 1, 2}};
    case rvutThickDashDotted: return {true, false, {4, 2, 1, 2}};
    case rvutDashDotDotted: return {false, false, {4, 2, 1, 2, 1, 2}};
    case rvutThickDashDotDotted: return {true, false, {4, 2, 1, 2, 1, 2}};
  }
  return {};
}

// A horizontal band from x1 to x2 (exclusive), thickness t, in colour, drawn
// with the pattern; the brush is restored afterwards.
void DrawHorizontalLine(TCanvas& canvas, int x1, int x2, int y, int t, TColor color,
                        std::initializer_list<int> pattern) {
  if (x2 <= x1 || t <= 0) return;
  const TBrush saved = canvas.Brush;
  canvas.Brush.Color = color;
  canvas.Brush.Style = bsSolid;
  if (pattern.size() == 0) {
    canvas.FillRect(Rect(x1, y, x2, y + t));
  } else {
    int x = x1;
    bool draw = true;
    while (x < x2) {
      for (int len : pattern) {
        const int w = len * t;
        if (draw) canvas.FillRect(Rect(x, y, std::min(x + w, x2), y + t));
        x += w;
        draw = !draw;
        if (x >= x2) break;
      }
    }
  }
  canvas.Brush = saved;
}

}  // namespace

// ---------------------------------------------------------------- TCustomRVFontInfo

TCustomRVFontInfo::TCustomRVFontInfo(TFontInfos* collection) : collection_(collection) { StyleName = u"Font Style"; }

void TCustomRVFontInfo::Assign(const TCustomRVInfo& source) {
  if (const auto* src = dynamic_cast<const TCustomRVFontInfo*>(&source)) {
    FontName = src->FontName;
    Size = src->Size;
    Charset = src->Charset;
    Style = src->Style;
    StyleEx = src->StyleEx;
    VShift = src->VShift;
    Color = src->Color;
    BackColor = src->BackColor;
    HoverColor = src->HoverColor;
    HoverBackColor = src->HoverBackColor;
    HoverEffects = src->HoverEffects;
    Jump = src->Jump;
    JumpCursor = src->JumpCursor;
    CharScale = src->CharScale;
    CharSpacing = src->CharSpacing;
    BiDiMode = src->BiDiMode;
    SubSuperScriptType = src->SubSuperScriptType;
    Protection = src->Protection;
    Options = src->Options;
    UnderlineType = src->UnderlineType;
    UnderlineColor = src->UnderlineColor;
    HoverUnderlineColor = src->HoverUnderlineColor;
  }
  TCustomRVInfo::Assign(source);
}

void TCustomRVFontInfo::AssignFont(const TFont& font) {
  FontName = font.Name;
  Size = font.GetSize();
  Color = font.Color;
  Style = font.Style;
  Charset = font.Charset;
}

void TCustomRVFontInfo::AssignTo(TFont& font) const {
  font.Name = FontName;
  font.SetSize(Size);
  font.Color = Color;
  font.Style = Style;
  font.Charset = Charset;
  font.Width = 0;
}

int TCustomRVFontInfo::GetIndex() const { return collection_ ? collection_->IndexOf(dynamic_cast<const TFontInfo*>(this)) : -1; }

void TCustomRVFontInfo::AssignToLogFont(TLogFont& LogFont, TCanvas& Canvas, bool CanUseCustomPPI,
                                        bool NoUnderline) const {
  int ppi = Canvas.Font.PixelsPerInch;
  if (CanUseCustomPPI && collection_ && collection_->CustomPixelsPerInch != 0) ppi = collection_->CustomPixelsPerInch;
  LogFont = TLogFont{};
  LogFont.lfHeight = -MulDiv(Size, ppi, 72);
  LogFont.lfWeight = Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  LogFont.lfItalic = Style.Contains(fsItalic);
  LogFont.lfUnderline = Style.Contains(fsUnderline) && !NoUnderline;
  LogFont.lfStrikeOut = Style.Contains(fsStrikeOut);
  LogFont.lfCharSet = Charset;
  LogFont.lfFaceName = FontName;
  LogFont.lfPitchAndFamily = 0;
}

int TCustomRVFontInfo::GetScriptHeight(TCanvas& Canvas) const {
  if (SubSuperScriptType == rvsssNormal) return 0;
  TOutlineTextMetric otm;
  if (Canvas.GetOutlineTextMetrics(otm)) {
    const int h = SubSuperScriptType == rvsssSubscript ? otm.otmptSubscriptSize.Y : otm.otmptSuperscriptSize.Y;
    const int charHeight = Canvas.Font.Height < 0
                               ? -Canvas.Font.Height
                               : otm.otmTextMetrics.tmHeight - otm.otmTextMetrics.tmInternalLeading;
    return std::max(h, charHeight / 3);
  }
  // Rounded halves to even, as the layout's other "round" results are.
  return std::abs(static_cast<int>(std::nearbyint(Canvas.Font.Height * 2.0 / 3.0)));
}

void TCustomRVFontInfo::Apply(TCanvas& Canvas, TRVBiDiMode DefBiDiMode, bool CanUseCustomPPI,
                              const TRVExtraFontInfo* ExtraFontInfo, bool IgnoreScript) const {
  const bool script = !IgnoreScript && SubSuperScriptType != rvsssNormal;
  if (CharScale == 100) {
    TFont& font = Canvas.Font;
    if (!(font.Style == Style)) font.Style = Style;
    // A scaled font selected before leaves its width behind; this one is natural.
    font.Width = 0;
    if (CanUseCustomPPI && collection_ && collection_->CustomPixelsPerInch != 0)
      font.Height = -MulDiv(Size, collection_->CustomPixelsPerInch, 72);
    else
      font.SetSize(Size);
    if (!SameName(font.Name, FontName)) font.Name = FontName;
    if (font.Charset != Charset) font.Charset = Charset;
    if (script) font.Height = -(ExtraFontInfo ? ExtraFontInfo->ScriptHeight : GetScriptHeight(Canvas));
  } else {
    TLogFont lf;
    AssignToLogFont(lf, Canvas, CanUseCustomPPI, true);
    Canvas.Font.AssignLogFont(lf);
    if (script) {
      lf.lfHeight = -(ExtraFontInfo ? ExtraFontInfo->ScriptHeight : GetScriptHeight(Canvas));
      Canvas.Font.AssignLogFont(lf);
    }
    int average = Canvas.GetTextMetrics().tmAveCharWidth;
    if (average <= 0) average = Canvas.TextWidth(u"x");
    lf.lfWidth = IntDiv(average * CharScale, 100);
    Canvas.Font.AssignLogFont(lf);
  }
  ApplyBiDiMode(Canvas, DefBiDiMode);
}

void TCustomRVFontInfo::ApplyBiDiMode(TCanvas& Canvas, TRVBiDiMode DefBiDiMode) const {
  const TRVBiDiMode mode = BiDiMode != rvbdUnspecified ? BiDiMode : DefBiDiMode;
  switch (mode) {
    case rvbdLeftToRight:
      Canvas.SetTextCharacterExtra(0);
      Canvas.SetTextAlign(Canvas.GetTextAlign() & ~static_cast<unsigned>(TA_RTLREADING));
      break;
    case rvbdRightToLeft:
      Canvas.SetTextCharacterExtra(0);
      Canvas.SetTextAlign(Canvas.GetTextAlign() | TA_RTLREADING);
      break;
    case rvbdUnspecified:
      Canvas.SetTextCharacterExtra(CharSpacing);
      break;
  }
}

void TCustomRVFontInfo::ApplyColor(TCanvas& Canvas, const TRVStyle& RVStyle, TRVTextDrawStates DrawState,
                                   bool Printing, TRVColorMode ColorMode) const {
  if (DrawState.Contains(rvtsHover) && HoverEffects.Contains(rvheUnderline)) Canvas.Font.Style.Include(fsUnderline);
  const bool focused = DrawState.Contains(rvtsControlFocused);
  TColor textColor = Color;
  TColor backColor = BackColor;
  if (DrawState.Contains(rvtsSelected)) {
    backColor = focused ? RVStyle.SelColor : RVStyle.InactiveSelColor;
    textColor = focused ? RVStyle.SelTextColor : RVStyle.InactiveSelTextColor;
    if (textColor == clNone) textColor = Color;
  } else if (DrawState.Contains(rvtsHover)) {
    textColor = HoverColor != clNone ? HoverColor : RVStyle.HoverColor != clNone ? RVStyle.HoverColor : Color;
    backColor = HoverBackColor;
  } else if (Printing) {
    switch (ColorMode) {
      case rvcmColor: break;
      case rvcmPrinterColor:
        textColor = RV_GetPrnColor(Color);
        backColor = RV_GetPrnColor(BackColor);
        break;
      case rvcmGrayScale:
        textColor = RV_GetGray(RV_GetPrnColor(Color));
        backColor = RV_GetGray(RV_GetPrnColor(BackColor));
        break;
      case rvcmBlackAndWhite:
        if (BackColor == clNone) {
          textColor = ColorToRGB(Color) == clWhite ? clWhite : clBlack;
        } else if (RV_GetLuminance(Color) > RV_GetLuminance(BackColor)) {
          textColor = clWhite;
          backColor = clBlack;
        } else {
          textColor = clBlack;
          backColor = clWhite;
        }
        break;
      case rvcmBlackOnWhite:
        textColor = clBlack;
        backColor = clNone;
        break;
    }
  }
  Canvas.Font.Color = textColor;
  Canvas.Brush.Color = backColor;
  Canvas.Brush.Style = backColor == clNone ? bsClear : bsSolid;
}

bool TCustomRVFontInfo::IsEqual(const TCustomRVFontInfo& v, const TRVFontInfoProperties& ignore) const {
  const std::pair<TRVFontInfoProperty, bool> checks[] = {
      {rvfiFontName, SameName(FontName, v.FontName)},
      {rvfiSize, Size == v.Size},
      {rvfiCharset, Charset == v.Charset},
      {rvfiBold, Style.Contains(fsBold) == v.Style.Contains(fsBold)},
      {rvfiItalic, Style.Contains(fsItalic) == v.Style.Contains(fsItalic)},
      {rvfiUnderline, Style.Contains(fsUnderline) == v.Style.Contains(fsUnderline)},
      {rvfiStrikeout, Style.Contains(fsStrikeOut) == v.Style.Contains(fsStrikeOut)},
      {rvfiOverline, StyleEx.Contains(rvfsOverline) == v.StyleEx.Contains(rvfsOverline)},
      {rvfiAllCaps, StyleEx.Contains(rvfsAllCaps) == v.StyleEx.Contains(rvfsAllCaps)},
      {rvfiSubSuperScriptType, SubSuperScriptType == v.SubSuperScriptType},
      {rvfiVShift, VShift == v.VShift},
      {rvfiColor, Color == v.Color},
      {rvfiBackColor, BackColor == v.BackColor},
      {rvfiJump, Jump == v.Jump},
      {rvfiHoverBackColor, HoverBackColor == v.HoverBackColor},
      {rvfiHoverColor, HoverColor == v.HoverColor},
      {rvfiHoverUnderline, HoverEffects == v.HoverEffects},
      {rvfiJumpCursor, JumpCursor == v.JumpCursor},
      {rvfiProtection, Protection == v.Protection},
      {rvfiCharScale, CharScale == v.CharScale},
      {rvfiBiDiMode, BiDiMode == v.BiDiMode},
      {rvfiCharSpacing, CharSpacing == v.CharSpacing},
      {rvfiHTMLCode, Options.Contains(rvteoHTMLCode) == v.Options.Contains(rvteoHTMLCode)},
      {rvfiRTFCode, Options.Contains(rvteoRTFCode) == v.Options.Contains(rvteoRTFCode)},
      {rvfiUnderlineType, UnderlineType == v.UnderlineType},
      {rvfiUnderlineColor, UnderlineColor == v.UnderlineColor},
      {rvfiHoverUnderlineColor, HoverUnderlineColor == v.HoverUnderlineColor},
  };
  for (const auto& [property, same] : checks)
    if (!same && !ignore.Contains(property)) return false;
  return true;
}

// ---------------------------------------------------------------- TFontInfo

TFontInfo::TFontInfo(TFontInfos* collection) : TCustomRVFontInfo(collection) {
  if (collection && collection->GetOwner()) Unicode = collection->GetOwner()->GetTextStylesUnicode();
}

void TFontInfo::Assign(const TCustomRVInfo& source) {
  if (const auto* src = dynamic_cast<const TFontInfo*>(&source)) {
    NextStyleNo = src->NextStyleNo;
    Unicode = src->Unicode;
    ModifiedProperties = src->ModifiedProperties;
  }
  TCustomRVFontInfo::Assign(source);
}

bool TFontInfo::IsEqual(const TCustomRVFontInfo& v, const TRVFontInfoProperties& ignore) const {
  if (!TCustomRVFontInfo::IsEqual(v, ignore)) return false;
  if (const auto* f = dynamic_cast<const TFontInfo*>(&v)) {
    if (NextStyleNo != f->NextStyleNo && !ignore.Contains(rvfiNextStyleNo)) return false;
    if (Unicode != f->Unicode && !ignore.Contains(rvfiUnicode)) return false;
  }
  return true;
}

void TFontInfo::ReadSingleSymbols(bool value) {
  if (value) Protection.Include(rvprStyleProtect).Include(rvprDoNotAutoSwitch);
}

void TFontInfo::Draw(const TRVRawByteString& s, TCanvas& Canvas, int /*ThisStyleNo*/, int SpaceBefore, int Left,
                     int Top, int Width, int Height, const TRVStyle& RVStyle, TRVTextDrawStates DrawState,
                     bool /*Printing*/, TRVColorMode /*ColorMode*/, TRVBiDiMode /*DefBiDiMode*/) const {
  const TColor textColor = Canvas.Font.Color;
  const bool scaled = CharScale != 100;

  // 1. Does the underline need drawing by hand?
  TColor underlineColor = textColor;
  if (!DrawState.Contains(rvtsSelected)) {
    if (DrawState.Contains(rvtsHover) && HoverUnderlineColor != clNone)
      underlineColor = HoverUnderlineColor;
    else if (UnderlineColor != clNone)
      underlineColor = UnderlineColor;
  }
  bool handUnderline;
  if (scaled)
    handUnderline = Style.Contains(fsUnderline);
  else
    handUnderline = Canvas.Font.Style.Contains(fsUnderline) &&
                    (UnderlineType != rvutNormal || underlineColor != textColor);
  const bool fontUnderlined = Canvas.Font.Style.Contains(fsUnderline);
  if (handUnderline && fontUnderlined) Canvas.Font.Style.Exclude(fsUnderline);

  // 2. The text, on the background ApplyColor chose.
  UnicodeString text;
  if (Unicode) {
    text = RVU_RawUnicodeToWideString(s);
  } else {
    const TRVCodePage cp = Charset == DEFAULT_CHARSET ? RVStyle.DefCodePage : RVU_Charset2CodePage(Charset);
    text = RVU_AnsiToUnicode(cp, s);
  }
  if (SpaceBefore > 0 && Canvas.Brush.Style != bsClear) Canvas.FillRect(Rect(Left, Top, Left + SpaceBefore, Top + Height));
  const int x = Left + SpaceBefore;
  Canvas.TextOut(x, Top, text);

  // 3. Marks over spaces and non-breaking spaces.
  if (DrawState.Contains(rvtsSpecialCharacters)) {
    const TBrushStyle savedBrush = Canvas.Brush.Style;
    Canvas.Brush.Style = bsClear;
    for (std::size_t i = 0; i < text.size(); ++i) {
      char16_t mark = 0;
      if (text[i] == u' ' && RVVisibleSpecialCharacters.Contains(rvscSpace)) mark = 0x00B7;
      if (text[i] == 0x00A0 && RVVisibleSpecialCharacters.Contains(rvscNBSP)) mark = 0x00B0;
      if (!mark) continue;
      const std::u16string_view all(text);
      const int before = Canvas.TextWidth(all.substr(0, i));
      const int charWidth = Canvas.TextWidth(all.substr(i, 1));
      const char16_t markText[1] = {mark};
      const int markWidth = Canvas.TextWidth(std::u16string_view(markText, 1));
      Canvas.TextOut(x + before + (charWidth - markWidth) / 2, Top, std::u16string_view(markText, 1));
    }
    Canvas.Brush.Style = savedBrush;
  }

  // 4. Hand-made underline and overline.
  if (handUnderline || StyleEx.Contains(rvfsOverline)) {
    const TTextMetric tm = Canvas.GetTextMetrics();
    TOutlineTextMetric otm;
    int thickness = std::max(1, IntDiv(std::abs(Canvas.Font.Height), 15));
    int position = std::max(1, tm.tmDescent / 2);  // below the baseline
    if (Canvas.GetOutlineTextMetrics(otm)) {
      if (otm.otmsUnderscoreSize > 0) thickness = otm.otmsUnderscoreSize;
      position = -otm.otmsUnderscorePosition;
    }
    const int right = Left + Width;
    if (handUnderline) {
      const UnderlineShape shape = ShapeOf(UnderlineType);
      const int t = shape.thick ? thickness * 2 : thickness;
      const int y = Top + tm.tmAscent + position;
      DrawHorizontalLine(Canvas, x, right, y, t, underlineColor, shape.pattern);
      if (shape.twoLines) DrawHorizontalLine(Canvas, x, right, y + 2 * t, t, underlineColor, shape.pattern);
    }
    if (StyleEx.Contains(rvfsOverline)) DrawHorizontalLine(Canvas, x, right, Top, thickness, textColor, {});
  }
  if (handUnderline && fontUnderlined) Canvas.Font.Style.Include(fsUnderline);
}

// ---------------------------------------------------------------- TFontInfos

std::unique_ptr<TFontInfo> TFontInfos::NewStyle() {
  if (owner_) return owner_->GetTextStyleClass()(this);
  return std::make_unique<TFontInfo>(this);
}

TFontInfo& TFontInfos::Add() { return Append(NewStyle()); }

TFontInfo& TFontInfos::AddFont(const UnicodeString& Name, int Size, TColor Color, TColor BackColor,
                               TFontStyles Style) {
  TFontInfo& f = Add();
  f.FontName = Name;
  f.Size = Size;
  f.Color = Color;
  f.BackColor = BackColor;
  f.Style = Style;
  return f;
}

TFontInfo& TFontInfos::AddFontEx(const UnicodeString& Name, int Size, TColor Color, TColor BackColor,
                                 TFontStyles Style, int Charset) {
  TFontInfo& f = AddFont(Name, Size, Color, BackColor, Style);
  f.Charset = Charset;
  return f;
}

TFontInfo& TFontInfos::GetItem(int Index) const {
  if (Index < 0 || Index >= Count()) return GetInvalidItem();
  return Items(Index);
}

void TFontInfos::SetItem(int Index, const TFontInfo& Value) { Items(Index).Assign(Value); }

TFontInfo& TFontInfos::GetInvalidItem() const {
  if (!invalid_) {
    auto* self = const_cast<TFontInfos*>(this);  // made on first use, as part of reading
    invalid_ = self->NewStyle();
    if (Count() > 0) invalid_->Assign(Items(0));
    invalid_->BackColor = clRed;
    invalid_->Color = clWhite;
  }
  return *invalid_;
}

void TFontInfos::SetInvalidItem(const TFontInfo& Value) { GetInvalidItem().Assign(Value); }

int TFontInfos::FindSuchStyle(int BaseStyle, const TFontInfo& Style, const TRVFontInfoProperties& Mask) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  const TRVFontInfoProperties others = kAllFontProperties - Mask;
  const TFontInfo& base = Items(BaseStyle);
  if (base.IsEqual(Style, others)) return BaseStyle;
  for (int i = 0; i < Count(); ++i) {
    if (i == BaseStyle) continue;
    const TFontInfo& candidate = Items(i);
    if (candidate.IsEqual(Style, others) && candidate.IsEqual(base, Mask)) return i;
  }
  return -1;
}

int TFontInfos::FindStyleWithFont(int BaseStyle, const TFont& Font) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  TFontInfo wanted;
  wanted.Assign(Items(BaseStyle));
  wanted.AssignFont(Font);
  return FindSuchStyle(BaseStyle, wanted,
                       TRVFontInfoProperties{rvfiFontName, rvfiSize, rvfiColor, rvfiBold, rvfiItalic, rvfiUnderline,
                                             rvfiStrikeout, rvfiCharset});
}

int TFontInfos::FindStyleWithFontSize(int BaseStyle, int Size) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  TFontInfo wanted;
  wanted.Assign(Items(BaseStyle));
  wanted.Size = Size;
  return FindSuchStyle(BaseStyle, wanted, TRVFontInfoProperties{rvfiSize});
}

int TFontInfos::FindStyleWithColor(int BaseStyle, TColor Color, TColor BackColor) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  TFontInfo wanted;
  wanted.Assign(Items(BaseStyle));
  wanted.Color = Color;
  wanted.BackColor = BackColor;
  return FindSuchStyle(BaseStyle, wanted, TRVFontInfoProperties{rvfiColor, rvfiBackColor});
}

int TFontInfos::FindStyleWithFontName(int BaseStyle, const UnicodeString& FontName) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  TFontInfo wanted;
  wanted.Assign(Items(BaseStyle));
  wanted.FontName = FontName;
  return FindSuchStyle(BaseStyle, wanted, TRVFontInfoProperties{rvfiFontName});
}

int TFontInfos::FindStyleWithCharset(int BaseStyle, int Charset) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  TFontInfo wanted;
  wanted.Assign(Items(BaseStyle));
  wanted.Charset = Charset;
  return FindSuchStyle(BaseStyle, wanted, TRVFontInfoProperties{rvfiCharset});
}

int TFontInfos::FindStyleWithFontStyle(int BaseStyle, TFontStyles Value, TFontStyles Mask) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  TFontInfo wanted;
  wanted.Assign(Items(BaseStyle));
  wanted.Style = (wanted.Style - Mask) + (Value * Mask);
  return FindSuchStyle(BaseStyle, wanted, PropertiesOfStyles(Mask));
}

}  // namespace quorix
