#include "richview/control/control_data.h"

#include <algorithm>

#include "platform/graphics.h"
#include "richview/control/rich_view.h"
#include "richview/document/control_item.h"
#include "richview/styles/rv_style.h"

namespace quorix {

// ---------------------------------------------------------------- TRVControlData

void TRVControlData::PaintBuffered() {
  if (FState.Contains(rvstSkipFormatting)) return;
  if (TCustomRVData* root = GetAbsoluteRootData(); root && root->GetState().Contains(rvstFormattingPart)) return;
  auto* control = dynamic_cast<TCustomControl*>(GetParentControl());
  if (!control) return;
  TCanvas& canvas = control->Canvas();
  const TRect clip = canvas.GetClipRect();
  if (clip.IsEmpty()) return;

  // The whole clip rectangle is rendered off screen and copied in one go, so
  // the window never shows a half-painted state.
  TBitmap buffer(clip.Width(), clip.Height());
  TCanvas& memory = buffer.Canvas();
  HPALETTE oldPalette = 0;
  const HPALETTE palette = GetRVPalette();
  if (palette != 0) {
    oldPalette = memory.SelectPalette(palette);
    memory.RealizePalette();
  }
  DrawBackground(memory, clip);
  std::string error;
  bool failed = false;
  try {
    PaintTo(memory, clip, false, false, false, false, 0, 0);
  } catch (const Exception& e) {
    failed = true;
    error = e.what();
  }
  canvas.DrawBitmap(clip.Left, clip.Top, buffer);
  if (palette != 0) memory.SelectPalette(oldPalette);
  if (failed) {
    canvas.Font = TFont();
    canvas.Font.Name = u"Arial";
    canvas.Font.SetSize(10);
    canvas.Font.Color = clRed;
    canvas.Font.Style = {};
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.TextOut(0, 0, u"Error:" + Utf8ToUtf16(error));
  }
}

// ---------------------------------------------------------------- TRichViewRVData

TRichViewRVData::TRichViewRVData(TCustomRichView* RichView) : FRichView(RichView) {}

// The items go with the control's own state first; what a failing item
// action raises has nobody to go to from a destructor.
TRichViewRVData::~TRichViewRVData() {
  try {
    TRichViewRVData::Clear();
  } catch (...) {
  }
}

void TRichViewRVData::Clear() {
  // Live spelling and smart popups are not part of this library. Under
  // animation on format, the timer stops before the items (and with them
  // their animators) go.
  // (A control being destroyed has stopped it already.)
  if (FRichView->AnimationMode() == rvaniOnFormat && !FRichView->Destroying()) FRichView->StopAnimation();
  TCustomRVFormattedData::Clear();
}

bool TRichViewRVData::AllowAnimation() { return FRichView->AnimationMode() != rvaniDisabled; }

void TRichViewRVData::InsertAnimator(std::unique_ptr<TRVAnimator>& Animator) {
  if (!AnimatorList) AnimatorList = std::make_unique<TRVAnimatorList>();
  AnimatorList->Add(Animator);
  if (AnimationStarted) FRichView->StartAnimation();
}

void TRichViewRVData::ResetAniBackground() {
  if (AnimatorList) AnimatorList->ResetBackground();
}

TCanvas* TRichViewRVData::GetWindowCanvas() { return &FRichView->Canvas(); }
void TRichViewRVData::PresentWindowRect(const TRect& Rect) { FRichView->Present(Rect); }

TRVStyle* TRichViewRVData::GetRVStyle() const { return FRichView->Style(); }
TRVOptions TRichViewRVData::GetOptions() const { return FRichView->Options(); }
void TRichViewRVData::SetOptions(TRVOptions Value) { FRichView->SetOptions(Value); }
int TRichViewRVData::GetMaxLength() const { return FRichView->MaxLength; }
bool TRichViewRVData::IsWordWrapAllowed() const { return FRichView->WordWrap; }
TControl* TRichViewRVData::GetParentControl() { return FRichView; }
HPALETTE TRichViewRVData::GetRVPalette() { return FRichView->GetPalette(); }
const TRVLogPalette* TRichViewRVData::GetRVLogPalette() { return FRichView->GetLogPalette(); }
TRVPaletteAction TRichViewRVData::GetDoInPaletteMode() { return FRichView->GetDoInPaletteMode(); }
TRVBiDiMode TRichViewRVData::GetBiDiMode() { return FRichView->GetBiDiMode(); }
TColor TRichViewRVData::GetColor() const { return FRichView->GetColor(); }
std::vector<UnicodeString>* TRichViewRVData::GetDocProperties() { return &FRichView->DocProperties(); }

int TRichViewRVData::GetWidth() const { return FRichView->ClientWidth(); }
int TRichViewRVData::GetHeight() const { return FRichView->ClientHeight(); }
int TRichViewRVData::GetLeftMargin() const { return FRichView->LeftMargin(); }
int TRichViewRVData::GetRightMargin() const { return FRichView->RightMargin(); }
int TRichViewRVData::GetTopMargin() const { return FRichView->TopMargin(); }
int TRichViewRVData::GetBottomMargin() const { return FRichView->BottomMargin(); }
int TRichViewRVData::GetMinTextWidth() const { return FRichView->MinTextWidth(); }
int TRichViewRVData::GetMaxTextWidth() const { return FRichView->MaxTextWidth(); }
int TRichViewRVData::GetHOffs() const { return FRichView->HPos(); }
int TRichViewRVData::GetRVDataExtraVOffs() const { return FRichView->GetExtraVOffs(); }

int TRichViewRVData::GetVOffs() const {
  return FRichView->VPos() * FRichView->GetVSmallStep() - GetRVDataExtraVOffs();
}

void TRichViewRVData::GetOrigin(int& X, int& Y) const {
  X = 0;
  Y = GetRVDataExtraVOffs();
}

TCanvas* TRichViewRVData::GetFormatCanvas() { return FRichView->GetFormatCanvas(&FRichView->Canvas()); }

void TRichViewRVData::SetDocumentAreaSize(int Width, int Height, bool UpdateH) {
  FRichView->SetDocumentAreaSize(Width, Height, UpdateH);
}

void TRichViewRVData::AdjustVScrollUnits() { FRichView->AdjustVScrollUnits(); }

void TRichViewRVData::ScrollTo(int Y, bool Redraw) {
  if (FState.Contains(rvstNoScroll)) return;
  if (Redraw)
    FRichView->ScrollTo(Y);
  else
    FRichView->ScrollToNoRedraw(Y);
}

void TRichViewRVData::HScrollTo(int X) {
  if (FState.Contains(rvstNoScroll)) return;
  FRichView->SetHPos(X);
}

bool TRichViewRVData::IsControlFocused() const { return FRichView->Focused(); }
void TRichViewRVData::AdjustChildrenCoords() {
  for (int i = 0; i < GetItemCount(); ++i) {
    auto* item = dynamic_cast<TRVControlItemInfo*>(GetItem(i));
    if (!item || !item->Control) continue;
    const int d = item->FirstDrawItemNo;
    if (d < 0 || d >= DrawItems.Count()) continue;
    const TRVDrawLineInfo* di = DrawItems[d];
    TControl& control = *item->Control;
    // The tag keeps the unclamped client y, which scrolling moves along.
    control.Tag = di->Top + item->GetBorderHeight() - GetVOffs();
    control.SetBounds(di->Left + item->GetBorderWidth() - GetHOffs(), RV_GetYByTag(control), control.Width(),
                      control.Height());
  }
}

TRVBackground* TRichViewRVData::GetBackground() const { return &FRichView->Background(); }
int TRichViewRVData::GetAreaWidth() const { return FRichView->XSize(); }
int TRichViewRVData::GetAreaHeight() const { return FRichView->YSize(); }
int TRichViewRVData::GetVSmallStep() const { return FRichView->GetVSmallStep(); }
TCursor TRichViewRVData::GetNormalCursor() const { return FRichView->Cursor(); }

void TRichViewRVData::ForgetDrawItemReferences() {
  ClearLastJump();
  FHotDrawItemNo = -1;
  FClickedDrawItemNo = -1;
}

// ---------------------------------------------------------------- pointer tracking

UnicodeString TRichViewRVData::GetItemHint(TCustomRVData* RVData, int ItemNo, const UnicodeString& DefaultHint) {
  if (ItemNo < 0) return DefaultHint;
  UnicodeString hint;
  RVData->GetItem(ItemNo)->GetExtraStrProperty(rvespHint, hint);
  if (FRichView->OnItemHint) FRichView->OnItemHint(FRichView, RVData, ItemNo, hint);
  return hint.empty() ? DefaultHint : hint;
}

void TRichViewRVData::SetControlHint(const UnicodeString& Hint) {
  const UnicodeString old = FRichView->Hint();
  FRichView->SetHint(Hint);
  if (Hint.empty()) {
    FRichView->CancelHint();
  } else if (Hint != old) {
    // A tip already up for the control changes at once; otherwise the
    // platform shows this one after its pause.
    FRichView->ActivateHint(FRichView->ClientToScreen(FRichView->CursorPosition()));
  }
}

void TRichViewRVData::SetCursor(TCursor Cursor) { FRichView->ShowCursor(Cursor); }
void TRichViewRVData::SetFocusToWindow() { FRichView->SetFocus(); }

void TRichViewRVData::DoJump(int JumpNo) {
  if (FRichView->OnJump) FRichView->OnJump(FRichView, JumpNo);
}

void TRichViewRVData::DoRVMouseMove(int id) {
  if (FRichView->OnRVMouseMove) FRichView->OnRVMouseMove(FRichView, id);
}

void TRichViewRVData::DoRVMouseDown(TMouseButton Button, TShiftState Shift, int ItemNo, int X, int Y) {
  if (FRichView->OnRVMouseDown) FRichView->OnRVMouseDown(FRichView, Button, Shift, ItemNo, X, Y);
}

void TRichViewRVData::DoRVMouseUp(TMouseButton Button, TShiftState Shift, int ItemNo, int X, int Y) {
  if (FRichView->OnRVMouseUp) FRichView->OnRVMouseUp(FRichView, Button, Shift, ItemNo, X, Y);
}

bool TRichViewRVData::IsAssignedJump() const { return static_cast<bool>(FRichView->OnJump); }
bool TRichViewRVData::IsAssignedRVMouseDown() const { return static_cast<bool>(FRichView->OnRVMouseDown); }
bool TRichViewRVData::IsAssignedRVMouseUp() const { return static_cast<bool>(FRichView->OnRVMouseUp); }
TCanvas& TRichViewRVData::GetCanvas() const { return FRichView->Canvas(); }

}  // namespace quorix
