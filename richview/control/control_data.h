#pragma once
// The document data a rich-view control owns. TRVControlData is a formatted
// document shown in a control: it paints the part of the control the
// platform asks for through one off-screen bitmap. TRichViewRVData answers
// the generic document code's questions (sizes, margins, options, scroll
// position, vertical alignment, colours) from its control.

#include <memory>
#include <vector>

#include "richview/animation/animator_list.h"
#include "richview/layout/formatted_data.h"

namespace quorix {

class TCustomRichView;
class TRVBackground;

enum TRVTabNavigationType { rvtnNone, rvtnTab, rvtnCtrlTab };

class TRVControlData : public TCustomRVFormattedData {
 public:
  TRVControlData() = default;
  // Paints the control's invalid part (its canvas's clip rectangle).
  void PaintBuffered();

  TRVTabNavigationType TabNavigation = rvtnTab;
};

class TRichViewRVData : public TRVControlData {
 public:
  explicit TRichViewRVData(TCustomRichView* RichView);
  ~TRichViewRVData() override;

  TCustomRichView* RichView() const { return FRichView; }

  // Clears the control's transient state with the items: animation under
  // rvaniOnFormat stops before the items go.
  void Clear() override;

  // --- the document's questions, answered from the control ---
  TRVStyle* GetRVStyle() const override;
  TRVOptions GetOptions() const override;
  void SetOptions(TRVOptions Value) override;
  TRVFlags GetFlags() const override { return FFlags; }
  void SetFlags(TRVFlags Value) override { FFlags = Value; }
  int GetMaxLength() const override;
  bool IsWordWrapAllowed() const override;
  TControl* GetParentControl() override;
  HPALETTE GetRVPalette() override;
  const TRVLogPalette* GetRVLogPalette() override;
  TRVPaletteAction GetDoInPaletteMode() override;
  TRVBiDiMode GetBiDiMode() override;
  TColor GetColor() const override;
  std::vector<UnicodeString>* GetDocProperties() override;

  int GetWidth() const override;
  int GetHeight() const override;
  int GetLeftMargin() const override;
  int GetRightMargin() const override;
  int GetTopMargin() const override;
  int GetBottomMargin() const override;
  int GetMinTextWidth() const override;
  int GetMaxTextWidth() const override;
  int GetVOffs() const override;
  int GetHOffs() const override;
  int GetRVDataExtraVOffs() const override;
  void GetOrigin(int& X, int& Y) const override;
  void GetOriginEx(int& X, int& Y) const { GetOrigin(X, Y); }
  TCanvas* GetFormatCanvas() override;
  void SetDocumentAreaSize(int Width, int Height, bool UpdateH) override;
  void AdjustVScrollUnits() override;
  void ScrollTo(int Y, bool Redraw) override;
  void HScrollTo(int X);
  TRVBackground* GetBackground() const override;

  bool IsControlFocused() const override;
  TCanvas* GetWindowCanvas() override;
  void PresentWindowRect(const TRect& Rect) override;

  // --- animation: the control's animators are listed here ---
  bool AllowAnimation() override;
  void InsertAnimator(std::unique_ptr<TRVAnimator>& Animator) override;
  void ResetAniBackground() override;
  // None until the first animator arrives.
  std::unique_ptr<TRVAnimatorList> AnimatorList;
  // Animation was asked for: animators inserted from now on start the timer.
  bool AnimationStarted = false;

  // --- pointer tracking, answered by the control ---
  // The hint of an item: its own, as the control's OnItemHint leaves it.
  UnicodeString GetItemHint(TCustomRVData* RVData, int ItemNo, const UnicodeString& DefaultHint) override;
  // Hands the hint to the control and the platform's hint window.
  void SetControlHint(const UnicodeString& Hint) override;
  void SetCursor(TCursor Cursor) override;
  TCursor GetNormalCursor() const override;
  void SetFocusToWindow() override;
  void DoJump(int JumpNo) override;
  void DoRVMouseMove(int id) override;
  void DoRVMouseDown(TMouseButton Button, TShiftState Shift, int ItemNo, int X, int Y) override;
  void DoRVMouseUp(TMouseButton Button, TShiftState Shift, int ItemNo, int X, int Y) override;
  bool IsAssignedJump() const override;
  bool IsAssignedRVMouseDown() const override;
  bool IsAssignedRVMouseUp() const override;
  // The control's own access to the document's state and its item list.
  TRVStates& MutableState() { return FState; }
  // Replaces an item's stored bytes as they are, without the encoding check.
  void SetItemTextRAsIs(int ItemNo, const TRVRawByteString& Text) { FItemList->SetItem(ItemNo, Text); }

  int GetAreaWidth() const;
  int GetAreaHeight() const;
  int GetVSmallStep() const;
  TCanvas& GetCanvas() const;

 protected:
  // Child controls of control items move to their items after a pass.
  void AdjustChildrenCoords() override;
  // The hot state refers to drawing items: it goes with them.
  void ForgetDrawItemReferences() override;

 private:
  TCustomRichView* FRichView;
  TRVFlags FFlags{rvflUseJumps, rvflTrim, rvflRoot, rvflCanUseCustomPPI, rvflCanProcessGetText};
};

}  // namespace quorix
