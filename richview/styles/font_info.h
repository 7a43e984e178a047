#pragma once
// Text styles: how a run of text looks (font, colours for each state, jump
// behaviour, typographic extras), and the style sheet's collection of them.

#include <memory>

#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/sets.h"
#include "platform/text.h"
#include "platform/types.h"
#include "richview/styles/collection.h"
#include "richview/styles/custom_info.h"
#include "richview/styles/style_types.h"
#include "richview/styles/text_encoding.h"

namespace quorix {

class TFontInfos;
class TRVStyle;

// The jump cursor the style sheet registers.
constexpr TCursor crJump = 101;

// The properties of a text style, for comparing styles and for recording which
// ones differ from a template.
enum TRVFontInfoProperty {
  rvfiFontName,
  rvfiSize,
  rvfiCharset,
  rvfiUnicode,
  rvfiBold,
  rvfiItalic,
  rvfiUnderline,
  rvfiStrikeout,
  rvfiOverline,
  rvfiAllCaps,
  rvfiSubSuperScriptType,
  rvfiVShift,
  rvfiColor,
  rvfiBackColor,
  rvfiJump,
  rvfiHoverBackColor,
  rvfiHoverColor,
  rvfiHoverUnderline,
  rvfiJumpCursor,
  rvfiNextStyleNo,
  rvfiProtection,
  rvfiCharScale,
  rvfiBiDiMode,
  rvfiCharSpacing,
  rvfiHTMLCode,
  rvfiRTFCode,
  rvfiUnderlineType,
  rvfiUnderlineColor,
  rvfiHoverUnderlineColor,
  rvfiCount_  // not a property: the number of them
};
using TRVFontInfoProperties = TSet<TRVFontInfoProperty, 64>;

class TCustomRVFontInfo : public TCustomRVInfo {
 public:
  explicit TCustomRVFontInfo(TFontInfos* collection = nullptr);

  // Copies every property from another text style.
  void Assign(const TCustomRVInfo& source) override;
  // Takes name, size, colour, style and character set from a platform font.
  void AssignFont(const TFont& font);
  // Gives a platform font this style's name, size, colour, style and character set.
  void AssignTo(TFont& font) const;

  // Selects the style's font into the canvas and sets its reading order.
  void Apply(TCanvas& Canvas, TRVBiDiMode DefBiDiMode, bool CanUseCustomPPI, const TRVExtraFontInfo* ExtraFontInfo,
             bool IgnoreScript) const;
  // Sets the canvas's font colour, brush colour and brush style for a draw state.
  void ApplyColor(TCanvas& Canvas, const TRVStyle& RVStyle, TRVTextDrawStates DrawState, bool Printing,
                  TRVColorMode ColorMode) const;
  // Sets the reading order and character spacing of the canvas.
  void ApplyBiDiMode(TCanvas& Canvas, TRVBiDiMode DefBiDiMode) const;
  // The character height of sub- or superscript text for the font now selected
  // in the canvas (0 for normal text).
  int GetScriptHeight(TCanvas& Canvas) const;
  void AssignToLogFont(TLogFont& LogFont, TCanvas& Canvas, bool CanUseCustomPPI, bool NoUnderline) const;

  // Equal in every property except those in IgnoreList (names compared
  // without regard to case; the style's name and bookkeeping not compared).
  virtual bool IsEqual(const TCustomRVFontInfo& Value, const TRVFontInfoProperties& IgnoreList) const;

  TFontInfos* GetCollection() const { return collection_; }
  // Position in the collection, -1 outside one (the invalid style).
  int GetIndex() const;

  UnicodeString FontName = u"Arial";
  int Size = 10;
  int Charset = DEFAULT_CHARSET;
  TFontStyles Style;
  TRVFontStylesEx StyleEx;
  int VShift = 0;
  TColor Color = clWindowText;
  TColor BackColor = clNone;
  TColor HoverColor = clNone;
  TColor HoverBackColor = clNone;
  TRVHoverEffects HoverEffects;
  bool Jump = false;
  TCursor JumpCursor = crJump;
  int CharScale = 100;
  int CharSpacing = 0;
  TRVBiDiMode BiDiMode = rvbdUnspecified;
  TRVSubSuperScriptType SubSuperScriptType = rvsssNormal;
  TRVProtectOptions Protection;
  TRVTextOptions Options;
  TRVUnderlineType UnderlineType = rvutNormal;
  TColor UnderlineColor = clNone;
  TColor HoverUnderlineColor = clNone;

 protected:
  TFontInfos* collection_ = nullptr;
};

class TFontInfo : public TCustomRVFontInfo {
 public:
  explicit TFontInfo(TFontInfos* collection = nullptr);

  void Assign(const TCustomRVInfo& source) override;
  bool IsEqual(const TCustomRVFontInfo& Value, const TRVFontInfoProperties& IgnoreList) const override;
  // The obsolete stored property "SingleSymbols": true protects the style.
  void ReadSingleSymbols(bool value);

  // Draws a piece of text s (UTF-16LE bytes for a Unicode style, else 8-bit
  // text in the style's character set) whose rectangle is (Left, Top, Left +
  // Width, Top + Height); the text starts SpaceBefore pixels into it. The
  // canvas holds the style's font and the colours of DrawState.
  void Draw(const TRVRawByteString& s, TCanvas& Canvas, int ThisStyleNo, int SpaceBefore, int Left, int Top, int Width,
            int Height, const TRVStyle& RVStyle, TRVTextDrawStates DrawState, bool Printing, TRVColorMode ColorMode,
            TRVBiDiMode DefBiDiMode) const;

  int NextStyleNo = -1;
  bool Unicode = true;
  TRVFontInfoProperties ModifiedProperties;
};

// A text-style class: makes a new style of that class in a collection.
using TFontInfoClass = std::unique_ptr<TFontInfo> (*)(TFontInfos* collection);

class TFontInfos : public TRVCollection<TFontInfo> {
 public:
  explicit TFontInfos(TRVStyle* owner = nullptr) : owner_(owner) {}

  TRVStyle* GetOwner() const { return owner_; }

  // Appends a style with the defaults (of the owner's text-style class).
  TFontInfo& Add();
  TFontInfo& AddFont(const UnicodeString& Name, int Size, TColor Color, TColor BackColor, TFontStyles Style);
  TFontInfo& AddFontEx(const UnicodeString& Name, int Size, TColor Color, TColor BackColor, TFontStyles Style,
                       int Charset);

  // The style at Index; the invalid style for an index out of range.
  TFontInfo& GetItem(int Index) const;
  TFontInfo& operator[](int Index) const { return GetItem(Index); }
  // Makes the style at Index a copy of Value.
  void SetItem(int Index, const TFontInfo& Value);

  // Each returns BaseStyle when it already has the wanted value, else the
  // first other style that has it and equals BaseStyle otherwise, else -1.
  int FindStyleWithFont(int BaseStyle, const TFont& Font) const;
  int FindStyleWithFontSize(int BaseStyle, int Size) const;
  int FindStyleWithColor(int BaseStyle, TColor Color, TColor BackColor) const;
  int FindStyleWithFontName(int BaseStyle, const UnicodeString& FontName) const;
  int FindStyleWithCharset(int BaseStyle, int Charset) const;
  int FindStyleWithFontStyle(int BaseStyle, TFontStyles Value, TFontStyles Mask) const;
  int FindSuchStyle(int BaseStyle, const TFontInfo& Style, const TRVFontInfoProperties& Mask) const;

  // The style answered for style numbers that do not exist: style 0's look in
  // white on red. Made on first use.
  TFontInfo& GetInvalidItem() const;
  void SetInvalidItem(const TFontInfo& Value);

  // When not 0, fonts are sized for this resolution where the caller allows it.
  int CustomPixelsPerInch = 0;

 private:
  std::unique_ptr<TFontInfo> NewStyle();
  TRVStyle* owner_ = nullptr;
  mutable std::unique_ptr<TFontInfo> invalid_;
};

}  // namespace quorix
