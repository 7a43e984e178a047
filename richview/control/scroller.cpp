#include "richview/control/scroller.h"

#include <algorithm>
#include <cstdint>

#include "platform/flag_guard.h"

namespace quorix {

int RV_GetYByTag(const TControl& Control) { return std::clamp(Control.Tag, -10000, 10000); }

void RV_Tag2Y(TControl& Control) { Control.SetTop(RV_GetYByTag(Control)); }

TRVScroller::TRVScroller(TWinControl* parent) : TCustomControl(parent) { SetTabStop(true); }

TRVScroller::~TRVScroller() = default;

void TRVScroller::CreateWnd() {
  VSmallStep = GetDefSmallStep();
  AfterCreateWnd1();
  CreateThemeHandle();
  AfterCreateWnd2();
}

void TRVScroller::DestroyWnd() { FreeThemeHandle(); }

void TRVScroller::SetBiDiModeRV(TRVBiDiMode Value) { FBiDiMode = Value; }

void TRVScroller::SetVSmallStep(int Value) {
  if (Value > 0) VSmallStep = Value;
}

void TRVScroller::HideScrollBar(TScrollBarKind Bar) {
  // A page larger than the range hides the bar; one already hidden that way
  // is left alone.
  const TScrollInfo hidden{0, 1, 2, 0};
  const TScrollInfo info = GetScrollInfo(Bar);
  if (info == hidden || info == TScrollInfo{0, 1, 0, 0}) return;
  SetScrollInfo(Bar, hidden, true);
}

void TRVScroller::UpdateScrollBars(int XSize, int YSize, bool UpdateH, bool AllowDisableNoScroll) {
  if (FUpdatingScrollBars || !HandleAllocated()) return;
  TFlagGuard guard(FUpdatingScrollBars);
  if (UpdateH) {
    FXSize = XSize;
    FHPage = ClientWidth();
    FHMax = XSize - 1;
    if (FHScrollVisible) {
      if (FHMax - (FHPage - 1) < FHPos) FHPos = FHMax - (FHPage - 1);
      if (FHPos < 0) FHPos = 0;
      SetScrollInfo(sbHorizontal, TScrollInfo{0, FHMax, FHPage, FHPos}, true);
    } else {
      HideScrollBar(sbHorizontal);
    }
  }
  FYSize = YSize;
  FVPage = ClientHeight() / VSmallStep;
  FVMax = YSize - 1;
  if (FVMax - (FVPage - 1) < FVPos) FVPos = FVMax - (FVPage - 1);
  if (FVPos < 0) FVPos = 0;
  if (FVScrollVisible) {
    // The platform here always hides a bar with nothing to scroll, so a
    // disabled bar is never asked for (FVDisableNoScroll stays false).
    (void)AllowDisableNoScroll;
    SetScrollInfo(sbVertical, TScrollInfo{0, FVMax, FVPage, FVPos}, true);
  } else {
    HideScrollBar(sbVertical);
  }
  if (OnResize) OnResize(this);
}

void TRVScroller::SetVScrollVisible(bool Value) {
  const bool changed = Value != FVScrollVisible;
  FVScrollVisible = Value;
  if (!HandleAllocated()) return;
  if (FLoading) {
    UpdateScrollBars(FXSize, FYSize, true, true);
    return;
  }
  UpdateScrollBars(FXSize, FYSize, true, false);
  if (FVScrollVisible && changed && FVDisableNoScroll) UpdateScrollBars(FXSize, FYSize, true, true);
}

void TRVScroller::SetHScrollVisible(bool Value) {
  FHScrollVisible = Value;
  UpdateScrollBars(FXSize, FYSize, true, true);
}

int TRVScroller::GetVScrollMax() const {
  if (FVScrollVisible) {
    const TScrollInfo info = GetScrollInfo(sbVertical);
    return info.Max - info.Page + 1;
  }
  return FVMax - FVPage + 1;
}

int TRVScroller::GetHScrollMax() const {
  if (FHScrollVisible) {
    const TScrollInfo info = GetScrollInfo(sbHorizontal);
    return info.Max - info.Page + 1;
  }
  return FHMax - FHPage + 1;
}

void TRVScroller::ScrollChildren(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  for (TControl* child : Controls()) {
    if (dy != 0) {
      child->Tag += dy;
      RV_Tag2Y(*child);
    }
    if (dx != 0) child->SetLeft(child->Left() + dx);
  }
}

void TRVScroller::ScrollClientBy(int dx, int dy) {
  if (FScrollFullRedraw) {
    ScrollChildren(dx, dy);
    Invalidate();
  } else {
    ScrollClient(dx, dy);
    ScrollChildren(dx, dy);
  }
  Update();
}

void TRVScroller::SetVPos(int Pos, bool Redraw) {
  if (!HandleAllocated()) return;
  const int old = FVPos;
  FVPos = Pos;
  if (FVScrollVisible) {
    FVPos = SetScrollPos(sbVertical, Pos);
  } else {
    if (Pos > FVMax - FVPage + 1) FVPos = FVMax - FVPage + 1;
    if (FVPos < 0) FVPos = 0;
  }
  if (FVPos == old) return;
  BeforeScroll();
  const int dy = (old - FVPos) * VSmallStep;
  if (Redraw)
    ScrollClientBy(0, dy);
  else
    ScrollChildren(0, dy);
  AfterVScroll();
}

void TRVScroller::SetHPos(int Pos) {
  if (!HandleAllocated()) return;
  const int old = FHPos;
  FHPos = Pos;
  if (FHScrollVisible) {
    FHPos = SetScrollPos(sbHorizontal, Pos);
  } else {
    if (Pos > FHMax - FHPage + 1) FHPos = FHMax - FHPage + 1;
    if (FHPos < 0) FHPos = 0;
  }
  if (FHPos == old) return;
  BeforeScroll();
  ScrollClientBy(old - FHPos, 0);
  AfterHScroll();
}

void TRVScroller::Scroll(TScrollBarKind Bar, TScrollCode Code, int Pos) {
  // Scroll messages carry the position as a signed 16-bit value.
  const int pos = static_cast<std::int16_t>(Pos);
  if (Bar == sbVertical) {
    switch (Code) {
      case scLineUp: SetVScrollPos(FVPos - FLineStep); break;
      case scLineDown: SetVScrollPos(FVPos + FLineStep); break;
      case scPageUp: SetVScrollPos(FVPos - ClientHeight() / VSmallStep); break;
      case scPageDown: SetVScrollPos(FVPos + ClientHeight() / VSmallStep); break;
      case scPosition: SetVScrollPos(pos); break;
      case scTrack:
        if (Tracking) SetVScrollPos(pos);
        break;
      case scTop: SetVScrollPos(0); break;
      case scBottom: SetVScrollPos(FYSize); break;
      case scEndScroll: break;
    }
    return;
  }
  switch (Code) {
    case scLineUp: SetHPos(FHPos - VSmallStep * FLineStep); break;
    case scLineDown: SetHPos(FHPos + VSmallStep * FLineStep); break;
    case scPageUp: SetHPos(FHPos - ClientWidth()); break;
    case scPageDown: SetHPos(FHPos + ClientWidth()); break;
    case scPosition: SetHPos(pos); break;
    case scTrack:
      if (Tracking) SetHPos(pos);
      break;
    case scTop: SetHPos(0); break;
    case scBottom: SetHPos(FXSize); break;
    case scEndScroll: break;
  }
}

}  // namespace quorix
