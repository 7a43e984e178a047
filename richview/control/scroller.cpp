#include "richview/control/scroller.h"

#include <algorithm>
#include <cmath>
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
  ApplyFrame();
  SetVerticalBarOnLeft(FBiDiMode == rvbdRightToLeft);
  AfterCreateWnd2();
}

void TRVScroller::DestroyWnd() { FreeThemeHandle(); }

void TRVScroller::CreateThemeHandle() { FThemeHandle = FUseXPThemes && HasThemedFrames() ? 1 : 0; }

void TRVScroller::SetUseXPThemes(bool Value) {
  if (Value == FUseXPThemes) return;
  FUseXPThemes = Value;
  if (!HandleAllocated()) return;
  FreeThemeHandle();
  CreateThemeHandle();
  ApplyFrame();
  Invalidate();
}

void TRVScroller::ApplyFrame() {
  if (FBorderStyle == bsNone)
    SetFrame(cfNone);
  else
    SetFrame(FThemeHandle != 0 ? cfThemed : cfSunken);
}

void TRVScroller::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (!HandleAllocated()) return;
  ApplyFrame();  // a new client size lays the page out again
  Invalidate();
}

void TRVScroller::SetBiDiModeRV(TRVBiDiMode Value) {
  if (Value == FBiDiMode) return;
  FBiDiMode = Value;
  if (!HandleAllocated()) return;
  SetVerticalBarOnLeft(FBiDiMode == rvbdRightToLeft);
  Resize();  // the same size, but the page is laid out again for the new direction
  Invalidate();
}

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

namespace quorix {

// ---------------------------------------------------------------- keys and wheel

void TRVScroller::KeyDown(int& Key, TShiftState) {
  if (!FKeyboardScroll) return;
  struct KeyCommand {
    int Key;
    TScrollBarKind Bar;
    TScrollCode Code;
  };
  static constexpr KeyCommand kCommands[] = {
      {VK_PRIOR, sbVertical, scPageUp}, {VK_NEXT, sbVertical, scPageDown}, {VK_END, sbVertical, scBottom},
      {VK_HOME, sbVertical, scTop},     {VK_UP, sbVertical, scLineUp},     {VK_DOWN, sbVertical, scLineDown},
      {VK_LEFT, sbHorizontal, scLineUp}, {VK_RIGHT, sbHorizontal, scLineDown},
  };
  for (const KeyCommand& c : kCommands) {
    if (c.Key != Key) continue;
    Scroll(c.Bar, c.Code, 0);
    Key = 0;
    return;
  }
}

bool TRVScroller::MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (WheelStep == 0 || WheelScrollLines() == 0) return false;  // the wheel does not scroll: let others have it
  FWheelDelta += WheelDelta;
  while (FWheelDelta >= 120) {
    FWheelDelta -= 120;
    DoMouseWheelUp(Shift, MousePos);
  }
  while (FWheelDelta <= -120) {
    FWheelDelta += 120;
    DoMouseWheelDown(Shift, MousePos);
  }
  return true;
}

namespace {

// Units one notch moves: a page for the system's "page at a time" setting,
// else WheelStep x lines / 3, to the nearest unit.
int WheelUnits(int WheelStep, int ClientHeight, int VSmallStep) {
  const int lines = WheelScrollLines();
  if (lines < 0) return ClientHeight / VSmallStep;
  return static_cast<int>(std::lround(WheelStep * lines / 3.0));
}

}  // namespace

bool TRVScroller::DoMouseWheelDown(TShiftState, TPoint) {
  if (WheelStep == 0 || WheelScrollLines() == 0) return false;
  SetVScrollPos(FVPos + WheelUnits(WheelStep, ClientHeight(), VSmallStep));
  return true;
}

bool TRVScroller::DoMouseWheelUp(TShiftState, TPoint) {
  if (WheelStep == 0 || WheelScrollLines() == 0) return false;
  SetVScrollPos(FVPos - WheelUnits(WheelStep, ClientHeight(), VSmallStep));
  return true;
}

// ---------------------------------------------------------------- palette

bool TRVScroller::ScreenIsPaletteBased() { return Canvas().IsPaletteDevice(); }

std::unique_ptr<TRVLogPalette> TRVScroller::GenerateLogPalette() {
  auto palette = std::make_unique<TRVLogPalette>();
  palette->Version = 0x300;
  palette->Count = 216;
  palette->Entries.resize(216);
  for (int b = 0; b < 6; ++b)
    for (int g = 0; g < 6; ++g)
      for (int r = 0; r < 6; ++r) {
        TRVPaletteEntry& e = palette->Entries[static_cast<std::size_t>(36 * b + 6 * g + r)];
        e.Red = static_cast<std::uint8_t>(51 * r);
        e.Green = static_cast<std::uint8_t>(51 * g);
        e.Blue = static_cast<std::uint8_t>(51 * b);
        e.Flags = 0;
      }
  return palette;
}

void TRVScroller::UpdatePaletteInfo() {
  if (FDoInPaletteMode == rvpaDoNothing || !ScreenIsPaletteBased()) {
    FPalette = 0;
    FLogPalette.reset();
    return;
  }
  if (FPalette != 0) return;
  FLogPalette = GenerateLogPalette();
  // The platform keeps no palette objects of its own: the logical palette
  // stands for its handle.
  FPalette = reinterpret_cast<HPALETTE>(FLogPalette.get());
}

void TRVScroller::SetDoInPaletteMode(TRVPaletteAction Value) {
  if (Value == FDoInPaletteMode) return;
  FDoInPaletteMode = Value;
  UpdatePaletteInfo();
}

}  // namespace quorix
