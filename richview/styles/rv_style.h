#pragma once
// TRVStyle, the style sheet: the text, paragraph and list styles of the
// documents that refer to it, with the colours, cursors and settings shared by
// everything a rich-view control draws. Measuring and drawing go through it so
// that an application can take those steps over through its events.

#include <functional>
#include <memory>

#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/graphics.h"
#include "platform/types.h"
#include "richview/styles/font_info.h"
#include "richview/styles/list_info.h"
#include "richview/styles/para_info.h"
#include "richview/styles/screen_and_device.h"
#include "richview/styles/style_templates.h"
#include "richview/styles/style_types.h"
#include "richview/styles/text_encoding.h"

namespace quorix {

// The line-selection cursor the style sheet registers (the jump cursor is crJump).
constexpr TCursor crRVFlipArrow = 106;

enum TRVFieldHighlightType { rvfhNever, rvfhCurrent, rvfhAlways };
enum TRVSelectionMode { rvsmChar, rvsmWord, rvsmParagraph };
enum TRVSelectionStyle { rvssItems, rvssLines };
enum TRVSeqType { rvseqDecimal, rvseqLowerAlpha, rvseqUpperAlpha, rvseqLowerRoman, rvseqUpperRoman };
enum TRVPageBreakType { rvpbSoftPageBreak, rvpbPageBreak };

// The next tab position after a point of a line, with what the stop brings.
struct TRVTabStop {
  int Position = 0;
  TRVTabAlign Align = rvtaLeft;
  UnicodeString Leader;
};

class TRVStyle {
 public:
  TRVStyle();
  TRVStyle(const TRVStyle&) = delete;
  TRVStyle& operator=(const TRVStyle&) = delete;
  virtual ~TRVStyle();

  // The classes new entries are made of; a descendant sheet may use its own.
  virtual TFontInfoClass GetTextStyleClass() const;
  virtual TParaInfoClass GetParaStyleClass() const;
  virtual TRVListInfoClass GetListStyleClass() const;

  // Empty the collection and add the default styles.
  void ResetTextStyles();
  void ResetParaStyles();
  // Appends a text style with the defaults; its number.
  int AddTextStyle();
  void DeleteTextStyle(int Index);

  // Selects text style StyleNo's font into the canvas, unless OnApplyStyle does.
  void ApplyStyle(TCanvas& Canvas, int StyleNo, TRVBiDiMode DefBiDiMode, bool CanUseCustomPPI,
                  const TRVExtraFontInfo* ExtraFontInfo = nullptr, bool IgnoreScript = false);
  // Sets the colours of a draw state, unless OnApplyStyleColor does.
  void ApplyStyleColor(TCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState, bool Printing,
                       TRVColorMode ColorMode);
  // Draws a text piece (see TFontInfo::Draw), unless OnDrawStyleText does.
  void DrawStyleText(const TRVRawByteString& s, TCanvas& Canvas, int StyleNo, int SpaceBefore, int Left, int Top,
                     int Width, int Height, TRVTextDrawStates DrawState, bool Printing, TRVColorMode ColorMode,
                     TRVBiDiMode DefBiDiMode);
  // Whether a jump in this style looks different while hovered.
  bool StyleHoverSensitive(int StyleNo) const;
  TColor GetHoverColor(int StyleNo) const;
  TColor GetHoverColorByColor(TColor Color) const { return Color == clNone ? HoverColor : Color; }
  // These raise their events; the default marks belong to features not drawn here.
  void DrawTextBack(TCanvas& Canvas, int ItemNo, int StyleNo, int Left, int Top, int Width, int Height,
                    TRVTextDrawStates DrawState);
  void DrawCheckpoint(TCanvas& Canvas, int X, int Y, int ItemNo, int XShift, bool RaiseEvent);
  void DrawPageBreak(TCanvas& Canvas, int Y, int XShift, TRVPageBreakType PageBreakType);
  // Draws paragraph style ParaNo's background into Rect, unless OnDrawParaBack does.
  void DrawParaBack(TCanvas& Canvas, int ParaNo, const TRect& Rect, bool Printing, TRVColorMode ColorMode);
  // The next tab stop after X (measured from the line's origin in device
  // pixels); LeftIndent and RightIndent are the line's indents in device pixels.
  TRVTabStop GetNextTab(int ParaNo, int X, const TRVScreenAndDevice* sad, TRVBiDiMode DefBiDiMode, int LeftIndent,
                        int RightIndent) const;

  // The picture drawn for pictures that cannot be drawn; a default bitmap is
  // made on first use. Setting stores a copy; nullptr drops it.
  TGraphic& GetInvalidPicture();
  void SetInvalidPicture(const TGraphic* Picture);

  bool GetTextStylesUnicode() const { return textStylesUnicode_; }
  void SetTextStylesUnicode(bool value) { textStylesUnicode_ = value; }

  TFontInfos TextStyles{this};
  TParaInfos ParaStyles{this};
  TRVListInfos ListStyles;
  TRVStyleTemplateCollection StyleTemplates;

  TColor Color = clWindow;
  TColor HoverColor = clNone;
  TColor CurrentItemColor = clNone;
  TColor SelColor = clHighlight;
  TColor SelTextColor = clHighlightText;
  TColor InactiveSelColor = clHighlight;
  TColor InactiveSelTextColor = clHighlightText;
  TColor CheckpointColor = clGreen;
  TColor CheckpointEvColor = clLime;
  TColor PageBreakColor = clBtnShadow;
  TColor SoftPageBreakColor = clBtnFace;
  TColor LiveSpellingColor = clRed;
  TColor FieldHighlightColor = clBtnFace;
  TRVFieldHighlightType FieldHighlightType = rvfhCurrent;
  TCursor JumpCursor = crJump;
  TCursor LineSelectCursor = crRVFlipArrow;
  int SpacesInTab = 0;
  int DefTabWidth = 48;
  bool FullRedraw = false;
  bool UseSound = true;
  TRVSelectionMode SelectionMode = rvsmWord;
  TRVSelectionStyle SelectionStyle = rvssItems;
  TRVSeqType FootnoteNumbering = rvseqDecimal;
  TRVSeqType EndnoteNumbering = rvseqLowerRoman;
  bool FootnotePageReset = true;
  int DefUnicodeStyle = -1;
  TRVCodePage DefCodePage = CP_ACP;

  std::function<void(TRVStyle& Sender, TCanvas& Canvas, int StyleNo, bool& DoDefault)> OnApplyStyle;
  std::function<void(TRVStyle& Sender, TCanvas& Canvas, int StyleNo)> OnAfterApplyStyle;
  std::function<void(TRVStyle& Sender, TCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState, bool& DoDefault)>
      OnApplyStyleColor;
  std::function<void(TRVStyle& Sender, const TRVRawByteString& s, TCanvas& Canvas, int StyleNo, int SpaceBefore,
                     int Left, int Top, int Width, int Height, TRVTextDrawStates DrawState, bool& DoDefault)>
      OnDrawStyleText;
  std::function<void(const TRVStyle& Sender, int StyleNo, bool& Sensitive)> OnStyleHoverSensitive;
  std::function<void(TRVStyle& Sender, TCanvas& Canvas, int ItemNo, int StyleNo, int Left, int Top, int Width,
                     int Height, TRVTextDrawStates DrawState)>
      OnDrawTextBack;
  std::function<void(TRVStyle& Sender, TCanvas& Canvas, int X, int Y, int ItemNo, int XShift, bool RaiseEvent)>
      OnDrawCheckpoint;
  std::function<void(TRVStyle& Sender, TCanvas& Canvas, int Y, int XShift, TRVPageBreakType PageBreakType)>
      OnDrawPageBreak;
  std::function<void(TRVStyle& Sender, TCanvas& Canvas, int ParaNo, const TRect& Rect, bool& DoDefault)>
      OnDrawParaBack;

 private:
  bool textStylesUnicode_ = true;
  std::unique_ptr<TGraphic> invalidPicture_;
};

}  // namespace quorix
