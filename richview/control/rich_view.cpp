#include "richview/control/rich_view.h"

#include <algorithm>

#include "richview/document/control_item.h"
#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

// What control items need of the platform's controls.
const bool kControlItemHooksInstalled = [] {
  RV_ControlItemHooks.GetSize = [](const TControl& Control) { return TSize{Control.Width(), Control.Height()}; };
  RV_ControlItemHooks.SetWidth = [](TControl& Control, int Width) { Control.SetWidth(Width); };
  RV_ControlItemHooks.SetVisible = [](TControl& Control, bool Visible) { Control.SetVisible(Visible); };
  RV_ControlItemHooks.HasParent = [](const TControl& Control) { return Control.Parent() != nullptr; };
  return true;
}();

// Vertical positions travel in 16-bit scroll messages: a document never
// needs more units than this while its bar is allowed.
constexpr int kMaxVUnits = 32000;

}  // namespace

TCustomRichView::TCustomRichView(TWinControl* parent)
    : TRVScroller(parent),
      FRVData(std::make_unique<TRichViewRVData>(this)),
      FBackground(std::make_unique<TRVBackground>()) {
  SetBounds(Left(), Top(), 100, 40);
  // The window exists as soon as the control has its parent.
  if (parent) CreateHandle();
}

TCustomRichView::~TCustomRichView() {
  StopAnimation();
  FDestroying = true;
  DestroyHandle();
  FRVData->Clear();
  FRVData.reset();
  FBackground.reset();
  FDocProperties.clear();
  FLogPalette.reset();
  FPalette = 0;
}

// ---------------------------------------------------------------- life cycle

void TCustomRichView::Loaded() {
  FLoading = false;
  UpdatePaletteInfo();
  Format();
}

void TCustomRichView::UpdatePaletteInfo() {
  TRVScroller::UpdatePaletteInfo();
  for (int i = 0; i < FRVData->GetItemCount(); ++i)
    FRVData->GetItem(i)->UpdatePaletteInfo(FDoInPaletteMode, true, FPalette, FLogPalette.get());
  FBackground->UpdatePaletted(FDoInPaletteMode, FPalette, FLogPalette.get());
  Invalidate();
}

void TCustomRichView::AfterCreateWnd1() {
  if (FRVData->GetItemCount() == 0) {
    FVPos = 0;
    FHPos = 0;
  }
}

void TCustomRichView::AfterCreateWnd2() {
  if (FRVData->GetItemCount() > 0)
    Format_(true, false, GetFormatCanvas(&Canvas()), false, false, false);
  else
    UpdateScrollBars(ClientWidth(), ClientHeight() / VSmallStep, true, true);
}

void TCustomRichView::DestroyWnd() {
  StopScrollTimer();
  TRVScroller::DestroyWnd();
}

void TCustomRichView::ClearTemporal() {
  StopScrollTimer();
  FRVData->ClearTemporal();
}

void TCustomRichView::SetStyle(TRVStyle* Value) {
  FStyle = Value;
  Invalidate();
}

// ---------------------------------------------------------------- formatting

TCanvas* TCustomRichView::GetFormatCanvas(TCanvas* DefCanvas) {
  TCanvas* canvas = DefCanvas;
  if (OnGetFormatCanvas) OnGetFormatCanvas(this, canvas);
  return canvas;
}

void TCustomRichView::Format_(bool KeepPosition, bool Force, TCanvas* Canvas, bool OnlyTail, bool NoCaching,
                              bool Reformatting) {
  if (VSmallStep == 0 || FDestroying) return;
  FRVData->Format_(KeepPosition, Force, false, 0, Canvas, OnlyTail, NoCaching, Reformatting);
}

void TCustomRichView::Format() {
  Format_(false, true, GetFormatCanvas(&Canvas()), false, true, false);
  if (FOptions.Contains(rvoFormatInvalidate)) Invalidate();
  if (FAnimationMode == rvaniOnFormat) StartAnimation();
}

void TCustomRichView::Reformat() {
  Format_(true, true, GetFormatCanvas(&Canvas()), false, true, true);
  if (FOptions.Contains(rvoFormatInvalidate)) Invalidate();
}

void TCustomRichView::FormatTail() {
  Format_(false, true, GetFormatCanvas(&Canvas()), true, true, false);
  if (FOptions.Contains(rvoFormatInvalidate)) Invalidate();
}

void TCustomRichView::Resize() {
  if (FDestroying || !FRVData) return;
  Format_(true, false, GetFormatCanvas(&Canvas()), false, false, false);
}

int TCustomRichView::GetDocumentHeight() const { return FRVData->DocumentHeight; }

void TCustomRichView::SetDocumentAreaSize(int Width, int Height, bool UpdateH) {
  int units = Height / VSmallStep;
  if (Height % VSmallStep > 0) ++units;
  UpdateScrollBars(Width, units, UpdateH, true);
}

void TCustomRichView::AdjustVScrollUnits() {
  const int d = GetDocumentHeight();
  if (FVScrollVisible && d / VSmallStep > kMaxVUnits) {
    int s = d / kMaxVUnits;
    if (d / s > kMaxVUnits) ++s;
    SetVSmallStep(s);
  } else if (VSmallStep > 10 && d / 10 <= kMaxVUnits) {
    SetVSmallStep(10);
  }
}

void TCustomRichView::SetVSmallStep(int Value) {
  if (Value <= 0) return;
  if (FVScrollVisible && GetDocumentHeight() / Value > kMaxVUnits) return;
  VSmallStep = Value;
}

int TCustomRichView::GetExtraVOffs() const {
  const int d = GetDocumentHeight();
  const int h = ClientHeight();
  int e = 0;
  switch (FVAlign) {
    case tlTop: e = 0; break;
    case tlCenter: e = (h - d) / 2; break;
    case tlBottom: e = h - d; break;
  }
  return std::max(e, 0);
}

void TCustomRichView::SetVAlign(TTextLayout Value) {
  FVAlign = Value;
  Invalidate();
}

// ---------------------------------------------------------------- painting

void TCustomRichView::Invalidate() { TRVScroller::Invalidate(); }

void TCustomRichView::FullInvalidate() { Invalidate(); }

void TCustomRichView::Paint() {
  if (!FStyle) {
    PaintNoStyleMessage();
    return;
  }
  FRVData->PaintBuffered();
  if (OnPaint) OnPaint(this, Canvas(), false);
}

void TCustomRichView::PaintNoStyleMessage() {
  TCanvas& canvas = Canvas();
  canvas.Brush.Color = ColorToRGB(GetColor());
  canvas.Brush.Style = bsSolid;
  canvas.Pen.Color = clWindow;  // the control is drawn 3-D: no frame of its own
  canvas.Font = TFont();
  canvas.Font.Name = u"MS Sans Serif";
  canvas.Font.SetSize(8);
  canvas.Font.Color = clWindowText;
  canvas.FillRect(canvas.GetClipRect());
  const UnicodeString message =
      u"Style is not defined\rCreate a TRVStyle object and assign it to " + Utf8ToUtf16(Name) + u".Style";
  // Word-wrapped into the client rectangle, one paragraph per carriage return.
  canvas.Brush.Style = bsClear;
  const int width = ClientWidth();
  const int lineHeight = std::max(1, canvas.TextHeight(u"Wg"));
  int y = 0;
  std::size_t start = 0;
  while (start <= message.size()) {
    std::size_t end = message.find(u'\r', start);
    if (end == UnicodeString::npos) end = message.size();
    const UnicodeString paragraph = message.substr(start, end - start);
    UnicodeString line;
    std::size_t i = 0;
    while (i < paragraph.size()) {
      std::size_t next = paragraph.find(u' ', i);
      if (next == UnicodeString::npos) next = paragraph.size();
      const UnicodeString word = paragraph.substr(i, next - i);
      const UnicodeString candidate = line.empty() ? word : line + u" " + word;
      if (!line.empty() && canvas.TextWidth(candidate) > width) {
        canvas.TextOut(0, y, line);
        y += lineHeight;
        line = word;
      } else {
        line = candidate;
      }
      i = next + 1;
    }
    canvas.TextOut(0, y, line);
    y += lineHeight;
    start = end + 1;
  }
}

// ---------------------------------------------------------------- colours, background, cursor, focus

TColor TCustomRichView::GetColor() const {
  if (FColor != clNone) return FColor;
  return FStyle ? FStyle->Color : clWindow;
}

TColor TCustomRichView::GetHoverColor(TColor Color) const {
  if (Color != clNone) return Color;
  return FStyle ? FStyle->HoverColor : clNone;
}

void TCustomRichView::SetColor(TColor Value) {
  FRVData->ResetAniBackground();
  FColor = Value;
  Invalidate();
}

void TCustomRichView::SetCursor(TCursor Value) {
  FCursor = Value;
  TRVScroller::SetCursor(Value);
}

void TCustomRichView::SetBackgroundStyle(TBackgroundStyle Value) {
  FBackground->ImageStyle = Value;
  DoOnBackBitmapChange();
}

void TCustomRichView::SetBackgroundBitmap(const TBitmap& Value) {
  FBackground->AssignImage(Value);
  DoOnBackBitmapChange();
}

void TCustomRichView::DoOnBackBitmapChange() {
  TRVStates& state = FRVData->MutableState();
  if (state.Contains(rvstChangingBkPalette)) return;
  FScrollFullRedraw = FBackground->ScrollRequiresFullRedraw();
  state.Include(rvstChangingBkPalette);
  FBackground->UpdatePaletted(FDoInPaletteMode, FPalette, FLogPalette.get());
  state.Exclude(rvstChangingBkPalette);
  if (FOptions.Contains(rvoFormatInvalidate)) Invalidate();
  FRVData->ResetAniBackground();
}

void TCustomRichView::FocusChanged(bool) {
  // Only the selection looks different without the focus.
  if (FStyle && FStyle->SelColor != FStyle->InactiveSelColor) Invalidate();
}

// ---------------------------------------------------------------- scrolling

void TCustomRichView::AfterVScroll() {
  if (OnVScrolled) OnVScrolled(this);
  GenerateMouseMove();
}

void TCustomRichView::AfterHScroll() {
  if (OnHScrolled) OnHScrolled(this);
  GenerateMouseMove();
}

// ---------------------------------------------------------------- animation

void TCustomRichView::StartAnimation() {
  FRVData->AnimationStarted = true;
  TRVAnimatorList* list = FRVData->AnimatorList.get();
  if (!list || list->Count() == 0 || list->TimerActive) return;
  list->TimerActive = true;
  list->TimerPeriod = list->NextPeriod;
  SetTimer(kRVAnimationTimer, list->NextPeriod);
}

void TCustomRichView::StopAnimation() {
  FRVData->AnimationStarted = false;
  TRVAnimatorList* list = FRVData->AnimatorList.get();
  if (!HandleAllocated() || !list || !list->TimerActive) return;
  list->TimerActive = false;
  KillTimer(kRVAnimationTimer);
}

void TCustomRichView::KillAnimators() {
  StopAnimation();
  if (!FRVData->AnimatorList) return;
  FRVData->AnimatorList->FreeAnimators();
  FRVData->AnimatorList.reset();
}

void TCustomRichView::ResetAnimation() {
  if (FRVData->AnimatorList) FRVData->AnimatorList->Reset();
}

void TCustomRichView::SetAnimationMode(TRVAnimationMode Value) {
  if (Value == FAnimationMode) return;
  FAnimationMode = Value;
  if (Value == rvaniDisabled) KillAnimators();
}

void TCustomRichView::Timer(int Id) {
  if (Id == kRVScrollTimer) {
    ScrollTimerTick();
    return;
  }
  if (Id != kRVAnimationTimer) return;
  TRVAnimatorList* list = FRVData->AnimatorList.get();
  if (!list || list->Count() == 0) {
    KillTimer(kRVAnimationTimer);
    return;
  }
  list->TimerEvent();
  if (list->NextPeriod != list->TimerPeriod) {
    SetTimer(kRVAnimationTimer, list->NextPeriod);
    list->TimerPeriod = list->NextPeriod;
  }
}

// ---------------------------------------------------------------- pointer

void TCustomRichView::MouseMove(TShiftState Shift, int X, int Y) {
  UpdateAutoScroll(X, Y);
  FRVData->MouseMove(Shift, X, Y);
}

void TCustomRichView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FRVData->MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) StartScrollTimer();
}

void TCustomRichView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) StopScrollTimer();
  FRVData->MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------- drag auto-scroll

namespace {

// Beyond an edge by up to 20 pixels the view creeps one unit a tick; further
// out it runs ten.
int AutoScrollStep(int position, int size) {
  if (position < -20) return -10;
  if (position < 0) return -1;
  if (position > size + 20) return 10;
  if (position > size) return 1;
  return 0;
}

}  // namespace

void TCustomRichView::UpdateAutoScroll(int X, int Y) {
  FVAutoScroll = AutoScrollStep(Y, ClientHeight());
  FHAutoScroll = AutoScrollStep(X, ClientWidth());
}

void TCustomRichView::StartScrollTimer() {
  if (!RichViewLMouseScroll || FScrollTimerActive) return;
  SetTimer(kRVScrollTimer, 100);
  FScrollTimerActive = true;
}

void TCustomRichView::StopScrollTimer() {
  if (!FScrollTimerActive) return;
  KillTimer(kRVScrollTimer);
  FScrollTimerActive = false;
}

void TCustomRichView::ScrollTimerTick() {
  if (FVAutoScroll != 0) SetVScrollPos(FVPos + FVAutoScroll);
  if (FHAutoScroll != 0) SetHPos(FHPos + FHAutoScroll);
  if (FVAutoScroll != 0 || FHAutoScroll != 0) GenerateMouseMove();
}

void TCustomRichView::MouseLeave() { FRVData->MouseLeave(); }

void TCustomRichView::GenerateMouseMove() {
  if (!HandleAllocated()) return;
  const TPoint p = CursorPosition();
  if (!ClientRect().Contains(p)) return;
  MouseMove(CurrentShiftState(), p.X, p.Y);
}

}  // namespace quorix
