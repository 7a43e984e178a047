#pragma once
// TCustomRichView, the rich-view control: a scrolling window that owns one
// document, formats it for its width, shows it on its style sheet's
// background and is built and queried through the methods below; TRichView
// is the control as forms use it.
//
// Building never formats or repaints: callers Add* items, then Format. Items,
// their pictures and (with rvoTagsArePChars) their tag strings belong to the
// document from the moment they are handed in.

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "platform/canvas.h"
#include "platform/format.h"
#include "platform/graphics.h"
#include "platform/image_list.h"
#include "richview/control/background.h"
#include "richview/control/control_data.h"
#include "richview/control/scroller.h"
#include "richview/document/checkpoint.h"
#include "richview/document/item_info.h"
#include "richview/document/tag.h"

namespace quorix {

class TRVStyle;

// Vertical placement of a document shorter than the window.
enum TTextLayout { tlTop, tlCenter, tlBottom };

enum TRVAnimationMode { rvaniDisabled, rvaniManualStart, rvaniOnFormat };

// A held left button scrolls the view when the pointer is beyond its edges.
inline bool RichViewLMouseScroll = true;

// The control's window timers.
constexpr int kRVScrollTimer = 1;
constexpr int kRVAnimationTimer = 2;

// The options a new control starts with.
inline const TRVOptions RVDefaultOptions = TRVOptions::FromMask(0x4FE25);

class TCustomRichView;
using TRVItemHintEvent = std::function<void(TCustomRichView* Sender, TCustomRVData* RVData, int ItemNo,
                                            UnicodeString& HintText)>;
using TJumpEvent = std::function<void(TCustomRichView* Sender, int id)>;
using TRVMouseMoveEvent = std::function<void(TCustomRichView* Sender, int id)>;
using TRVMouseEvent = std::function<void(TCustomRichView* Sender, TMouseButton Button, TShiftState Shift,
                                         int ItemNo, int X, int Y)>;
using TRVPaintEvent = std::function<void(TCustomRichView* Sender, TCanvas& Canvas, bool Prepaint)>;
using TRVNotifyEvent = std::function<void(TCustomRichView* Sender)>;

class TCustomRichView : public TRVScroller {
 public:
  explicit TCustomRichView(TWinControl* parent);
  ~TCustomRichView() override;

  // --- virtual operations ---
  virtual void ClearTemporal();
  virtual void SetStyle(TRVStyle* Value);

  // The end of a form's loading: palette, then the first format.
  void Loaded();
  // Palette copies of the pictures and the background follow the control's palette.
  void UpdatePaletteInfo() override;

  // --- formatting ---
  void Format();
  void Reformat();
  void FormatTail();
  void Format_(bool KeepPosition, bool Force, TCanvas* Canvas, bool OnlyTail, bool NoCaching, bool Reformatting);
  // The canvas formatting measures on: DefCanvas unless OnGetFormatCanvas answers another.
  TCanvas* GetFormatCanvas(TCanvas* DefCanvas);
  int GetDocumentHeight() const;
  // The document's height and width handed over by the formatting pass.
  void SetDocumentAreaSize(int Width, int Height, bool UpdateH);
  void AdjustVScrollUnits();
  void SetVSmallStep(int Value) override;

  // --- animation (timer 2 drives every animator of the document) ---
  void StartAnimation();
  void StopAnimation();
  // Stops the timer and destroys every animator; pictures then paint still.
  void KillAnimators();
  // Every animator back to its first frame.
  void ResetAnimation();

  // --- repainting ---
  void Invalidate() override;
  void FullInvalidate();
  // Replays the last pointer position, so that what is under a resting
  // pointer after a scroll is tracked.
  void GenerateMouseMove();

  // --- building ---
  void Clear();
  void AddNL(const UnicodeString& s, int StyleNo, int ParaNo) { AddNLTag(s, StyleNo, ParaNo, 0); }
  void AddNLTag(const UnicodeString& s, int StyleNo, int ParaNo, TRVTag Tag);
  void AddNLWTag(const UnicodeString& s, int StyleNo, int ParaNo, TRVTag Tag) {
    AddNLTag(s, StyleNo, ParaNo, std::move(Tag));
  }
  void Add(const UnicodeString& s, int StyleNo) { AddNLTag(s, StyleNo, -1, 0); }
  void AddTag(const UnicodeString& s, int StyleNo, TRVTag Tag) { AddNLTag(s, StyleNo, -1, std::move(Tag)); }
  void AddCenterLine(const UnicodeString& s, int StyleNo) { AddNLTag(s, StyleNo, 1, 0); }
  void AddFromNewLine(const UnicodeString& s, int StyleNo) { AddNLTag(s, StyleNo, 0, 0); }
  void AddFmt(const UnicodeString& FormatStr, std::span<const TFormatArg> Args, int StyleNo, int ParaNo);
  void AddNLATag(const TRVAnsiString& s, int StyleNo, int ParaNo, TRVTag Tag);
  void AddNLR(const TRVRawByteString& s, int StyleNo, int ParaNo) { AddNLRTag(s, StyleNo, ParaNo, 0); }
  void AddNLRTag(const TRVRawByteString& s, int StyleNo, int ParaNo, TRVTag Tag);
  void AddR(const TRVRawByteString& s, int StyleNo) { AddNLRTag(s, StyleNo, -1, 0); }
  void AddRTag(const TRVRawByteString& s, int StyleNo, TRVTag Tag) { AddNLRTag(s, StyleNo, -1, std::move(Tag)); }
  // Multi-line text: one item per line (see the line-end rules in the source).
  void AddTextNL(const UnicodeString& s, int StyleNo, int FirstParaNo, int OtherParaNo) {
    AddTextNLW(s, StyleNo, FirstParaNo, OtherParaNo, false);
  }
  void AddText(const UnicodeString& s, int StyleNo) { AddTextNL(s, StyleNo, -1, 0); }
  void AddTextFromNewLine(const UnicodeString& s, int StyleNo) { AddTextNL(s, StyleNo, 0, 0); }
  void AddTextNLW(const UnicodeString& s, int StyleNo, int FirstParaNo, int OtherParaNo, bool AsSingleParagraph);
  void AddTextNLA(const TRVAnsiString& s, int StyleNo, int FirstParaNo, int OtherParaNo);
  void AddTextNLR(const TRVRawByteString& s, int StyleNo, int FirstParaNo, int OtherParaNo);
  void AddTextBlockNLA(const TRVAnsiString& s, int StyleNo, int ParaNo);

  void AddPictureEx(const TRVAnsiString& Name, std::unique_ptr<TGraphic> gr, int ParaNo, TRVVAlign VAlign) {
    AddPictureExTag(Name, std::move(gr), ParaNo, VAlign, 0);
  }
  void AddPictureExTag(const TRVAnsiString& Name, std::unique_ptr<TGraphic> gr, int ParaNo, TRVVAlign VAlign,
                       TRVTag Tag);
  void AddPicture(std::unique_ptr<TGraphic> gr) { AddPictureExTag({}, std::move(gr), 1, rvvaBaseline, 0); }
  void AddHotPicture(const TRVAnsiString& Name, std::unique_ptr<TGraphic> gr, int ParaNo, TRVVAlign VAlign) {
    AddHotPictureTag(Name, std::move(gr), ParaNo, VAlign, 0);
  }
  void AddHotPictureTag(const TRVAnsiString& Name, std::unique_ptr<TGraphic> gr, int ParaNo, TRVVAlign VAlign,
                        TRVTag Tag);
  void AddBulletEx(const TRVAnsiString& Name, int ImageIndex, TCustomImageList* ImageList, int ParaNo) {
    AddBulletExTag(Name, ImageIndex, ImageList, ParaNo, 0);
  }
  void AddBulletExTag(const TRVAnsiString& Name, int ImageIndex, TCustomImageList* ImageList, int ParaNo,
                      TRVTag Tag);
  void AddBullet(int ImageIndex, TCustomImageList* ImageList, bool FromNewLine) {
    AddBulletExTag({}, ImageIndex, ImageList, FromNewLine ? 0 : -1, 0);
  }
  void AddHotspotEx(const TRVAnsiString& Name, int ImageIndex, int HotImageIndex, TCustomImageList* ImageList,
                    int ParaNo) {
    AddHotspotExTag(Name, ImageIndex, HotImageIndex, ImageList, ParaNo, 0);
  }
  void AddHotspotExTag(const TRVAnsiString& Name, int ImageIndex, int HotImageIndex, TCustomImageList* ImageList,
                       int ParaNo, TRVTag Tag);
  void AddHotspot(int ImageIndex, TCustomImageList* ImageList, bool FromNewLine) {
    AddHotspotExTag({}, ImageIndex, ImageIndex, ImageList, FromNewLine ? 0 : -1, 0);
  }
  // The control must already be a child of this control (the platform's
  // controls get their parent when they are made).
  void AddControlEx(const TRVAnsiString& Name, TControl* ctrl, int ParaNo, TRVVAlign VAlign) {
    AddControlExTag(Name, ctrl, ParaNo, VAlign, 0);
  }
  void AddControlExTag(const TRVAnsiString& Name, TControl* ctrl, int ParaNo, TRVVAlign VAlign, TRVTag Tag);
  void AddControl(TControl* ctrl, bool Center) { AddControlExTag({}, ctrl, Center ? 1 : 0, rvvaBaseline, 0); }
  void AddBreakEx(std::uint8_t Width, TRVBreakStyle Style, TColor Color) { AddBreakExTag(Width, Style, Color, 0); }
  void AddBreakExTag(std::uint8_t Width, TRVBreakStyle Style, TColor Color, TRVTag Tag);
  void AddBreak() { AddBreakExTag(1, rvbsLine, clNone, 0); }
  void AddBreakTag(TRVTag Tag) { AddBreakExTag(1, rvbsLine, clNone, std::move(Tag)); }
  void AddTab(int TextStyleNo, int ParaNo);
  int AddNamedCheckpointExTag(const UnicodeString& Name, bool RaiseEvent, TRVTag Tag);
  int AddNamedCheckpointEx(const UnicodeString& Name, bool RaiseEvent) {
    return AddNamedCheckpointExTag(Name, RaiseEvent, 0);
  }
  int AddNamedCheckpoint(const UnicodeString& Name) { return AddNamedCheckpointExTag(Name, false, 0); }
  int AddCheckpointTag(TRVTag Tag) { return AddNamedCheckpointExTag({}, false, std::move(Tag)); }
  int AddCheckpoint() { return AddNamedCheckpointExTag({}, false, 0); }
  void AddItem(const UnicodeString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  void AddItemR(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item);

  // --- queries and setters (an item number out of range raises the list error) ---
  TCustomRVItemInfo* GetItem(int ItemNo) const;
  int GetItemNo(const TCustomRVItemInfo* Item) const;
  int GetLineCount() const;
  int GetItemStyle(int ItemNo) const;
  int GetItemPara(int ItemNo) const;
  const TRVTag& GetItemTag(int ItemNo) const;
  void SetItemTag(int ItemNo, TRVTag Tag);
  bool IsParaStart(int ItemNo) const;
  bool IsFromNewLine(int ItemNo) const;
  UnicodeString GetItemText(int ItemNo) const { return GetItemTextW(ItemNo); }
  UnicodeString GetItemTextW(int ItemNo) const;
  TRVAnsiString GetItemTextA(int ItemNo) const;
  TRVRawByteString GetItemTextR(int ItemNo) const;
  void SetItemText(int ItemNo, const UnicodeString& s) { SetItemTextW(ItemNo, s); }
  void SetItemTextW(int ItemNo, const UnicodeString& s);
  void SetItemTextA(int ItemNo, const TRVAnsiString& s);
  // Replaces the stored bytes as they are.
  void SetItemTextR(int ItemNo, const TRVRawByteString& Text);
  void GetTextInfo(int ItemNo, UnicodeString& Text, const TRVTag*& Tag) const;
  void GetPictureInfo(int ItemNo, TRVAnsiString& Name, TGraphic*& gr, TRVVAlign& VAlign, const TRVTag*& Tag) const;
  bool SetPictureInfo(int ItemNo, const TRVAnsiString& Name, std::unique_ptr<TGraphic> gr, TRVVAlign VAlign,
                      TRVTag Tag);
  void GetBreakInfo(int ItemNo, std::uint8_t& Width, TRVBreakStyle& Style, TColor& Color, const TRVTag*& Tag) const;
  void SetBreakInfo(int ItemNo, std::uint8_t Width, TRVBreakStyle Style, TColor Color, TRVTag Tag);
  void GetBulletInfo(int ItemNo, TRVAnsiString& Name, int& ImageIndex, TCustomImageList*& ImageList,
                     const TRVTag*& Tag) const;
  void SetBulletInfo(int ItemNo, const TRVAnsiString& Name, int ImageIndex, TCustomImageList* ImageList, TRVTag Tag);
  void GetHotspotInfo(int ItemNo, TRVAnsiString& Name, int& ImageIndex, int& HotImageIndex,
                      TCustomImageList*& ImageList, const TRVTag*& Tag) const;
  void SetHotspotInfo(int ItemNo, const TRVAnsiString& Name, int ImageIndex, int HotImageIndex,
                      TCustomImageList* ImageList, TRVTag Tag);
  void GetControlInfo(int ItemNo, TRVAnsiString& Name, TControl*& ctrl, TRVVAlign& VAlign, const TRVTag*& Tag) const;
  void SetControlInfo(int ItemNo, const TRVAnsiString& Name, TRVVAlign VAlign, TRVTag Tag);
  bool GetItemExtraIntProperty(int ItemNo, TRVExtraItemProperty Prop, int& Value) const;
  bool SetItemExtraIntProperty(int ItemNo, TRVExtraItemProperty Prop, int Value);
  bool GetItemExtraStrProperty(int ItemNo, TRVExtraItemStrProperty Prop, UnicodeString& Value) const;
  bool SetItemExtraStrProperty(int ItemNo, TRVExtraItemStrProperty Prop, const UnicodeString& Value);
  int GetOffsBeforeItem(int ItemNo) const;
  int GetOffsAfterItem(int ItemNo) const;
  void SetAddParagraphMode(bool AllowNewPara);
  TRVCPInfo* GetFirstCheckpoint() const;
  TRVCPInfo* GetNextCheckpoint(const TRVCPInfo* CP) const;
  TRVCPInfo* GetLastCheckpoint() const;
  TRVCPInfo* GetPrevCheckpoint(const TRVCPInfo* CP) const;
  TRVCPInfo* GetCheckpointByNo(int No) const;
  int GetCheckpointNo(const TRVCPInfo* CP) const;
  int GetCheckpointItemNo(const TRVCPInfo* CP) const;
  TRVCPInfo* GetItemCheckpoint(int ItemNo) const;
  TRVCPInfo* FindCheckpointByName(const UnicodeString& Name) const;
  TRVCPInfo* FindCheckpointByTag(const TRVTag& Tag) const;
  void GetCheckpointInfo(const TRVCPInfo* CP, const TRVTag*& Tag, UnicodeString& Name, bool& RaiseEvent) const;
  void SetCheckpointInfo(int ItemNo, TRVTag Tag, const UnicodeString& Name, bool RaiseEvent);
  bool RemoveCheckpoint(int ItemNo);
  int GetFirstJumpNo() const;
  void SetFirstJumpNo(int Value);

  // --- properties ---
  TRVStyle* Style() const { return FStyle; }
  TRichViewRVData& RVData() const { return *FRVData; }
  TRVBackground& Background() const { return *FBackground; }
  int LeftMargin() const { return FLeftMargin; }
  int RightMargin() const { return FRightMargin; }
  int TopMargin() const { return FTopMargin; }
  int BottomMargin() const { return FBottomMargin; }
  void SetLeftMargin(int Value) { FLeftMargin = Value; }
  void SetRightMargin(int Value) { FRightMargin = Value; }
  void SetTopMargin(int Value) { FTopMargin = Value; }
  void SetBottomMargin(int Value) { FBottomMargin = Value; }
  int MinTextWidth() const { return FMinTextWidth; }
  int MaxTextWidth() const { return FMaxTextWidth; }
  void SetMinTextWidth(int Value) { FMinTextWidth = Value; }
  void SetMaxTextWidth(int Value) { FMaxTextWidth = Value; }
  TRVOptions Options() const { return FOptions; }
  void SetOptions(TRVOptions Value) { FOptions = Value; }
  TTextLayout VAlign() const { return FVAlign; }
  void SetVAlign(TTextLayout Value);
  TRVAnimationMode AnimationMode() const { return FAnimationMode; }
  void SetAnimationMode(TRVAnimationMode Value);
  TRVTabNavigationType TabNavigation() const { return FRVData->TabNavigation; }
  void SetTabNavigation(TRVTabNavigationType Value) { FRVData->TabNavigation = Value; }
  // The background colour; clNone: the style sheet's.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // The style sheet's colour where Color is clNone (the window colour without a sheet).
  TColor GetColor() const;
  TColor GetHoverColor(TColor Color) const;
  // The control's normal cursor (the one shown away from hot items).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // Shows a cursor over the control without changing the normal one.
  void ShowCursor(TCursor Value) { TRVScroller::SetCursor(Value); }
  TBackgroundStyle BackgroundStyle() const { return FBackground->ImageStyle; }
  void SetBackgroundStyle(TBackgroundStyle Value);
  const TBitmap& BackgroundBitmap() const { return FBackground->GetBitmap(); }
  void SetBackgroundBitmap(const TBitmap& Value);
  void DoOnBackBitmapChange();
  // The control's vertical-alignment offset: how far a short document is moved down.
  int GetExtraVOffs() const;
  std::vector<UnicodeString>& DocProperties() { return FDocProperties; }
  bool Destroying() const { return FDestroying; }

  bool WordWrap = true;
  int MaxLength = 0;
  UnicodeString Delimiters = u" .;,:(){}\"/\\<>!?[]\u2013\u2014";
  bool ParentShowHint = true;

  TRVItemHintEvent OnItemHint;
  TJumpEvent OnJump;
  TRVMouseMoveEvent OnRVMouseMove;
  TRVMouseEvent OnRVMouseDown;
  TRVMouseEvent OnRVMouseUp;
  TRVNotifyEvent OnVScrolled;
  TRVNotifyEvent OnHScrolled;
  TRVPaintEvent OnPaint;
  std::function<void(TCustomRichView* Sender, TCanvas*& Canvas)> OnGetFormatCanvas;

 protected:
  void AfterCreateWnd1() override;
  void AfterCreateWnd2() override;
  void DestroyWnd() override;
  void AfterVScroll() override;
  void AfterHScroll() override;
  void Paint() override;
  void Resize() override;
  void FocusChanged(bool Gained) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void Timer(int Id) override;

 private:
  // Drag auto-scroll: the directions from a pointer position, the timer.
  void UpdateAutoScroll(int X, int Y);
  void StartScrollTimer();
  void StopScrollTimer();
  void ScrollTimerTick();
  // The text style a text item of (StyleNo, ParaNo) is drawn in.
  int ActualTextStyle(int StyleNo, int ParaNo) const;
  void PaintNoStyleMessage();
  // Appends multi-line text one item per line. The text comes as UTF-16
  // units, 8-bit text one byte per unit (Eight: AddNLATag for each line,
  // Raw: AddNLRTag, RawUnicode: raw UTF-16LE text decoded to units); only
  // UTF-16 text breaks at VT, U+2028 and U+2029.
  enum TLineText { ltUnicode, ltEight, ltRaw, ltRawUnicode };
  void AddTextLines(const UnicodeString& s, int StyleNo, int FirstParaNo, int OtherParaNo, bool AsSingleParagraph,
                    TLineText Kind);

  std::unique_ptr<TRichViewRVData> FRVData;
  std::unique_ptr<TRVBackground> FBackground;
  TRVStyle* FStyle = nullptr;
  int FLeftMargin = 5;
  int FRightMargin = 5;
  int FTopMargin = 5;
  int FBottomMargin = 5;
  int FMinTextWidth = 0;
  int FMaxTextWidth = 0;
  TRVOptions FOptions = RVDefaultOptions;
  TTextLayout FVAlign = tlTop;
  TRVAnimationMode FAnimationMode = rvaniManualStart;
  TColor FColor = clNone;
  TCursor FCursor = crDefault;
  std::vector<UnicodeString> FDocProperties;
  bool FDestroying = false;

 protected:
  int FVAutoScroll = 0;
  int FHAutoScroll = 0;
  bool FScrollTimerActive = false;
};

// The control as forms place it.
class TRichView : public TCustomRichView {
 public:
  explicit TRichView(TWinControl* parent) : TCustomRichView(parent) {}
};

}  // namespace quorix
