#pragma once
// TRVScroller, the scrolling window the rich view is built on: the document's
// extent in scroll units, the two scroll bars with their visibility rules,
// the scroll positions, and pixel scrolling of the client area with the child
// controls moving along.
//
// Vertical positions count units of VSmallStep pixels, so that a tall
// document stays within the 16-bit positions of scroll messages; horizontal
// positions count pixels.

#include <memory>

#include "platform/canvas.h"
#include "platform/custom_control.h"
#include "richview/document/item_info.h"
#include "richview/document/rv_types.h"
#include "richview/styles/style_types.h"

namespace quorix {

enum TBorderStyle { bsNone, bsSingle };

class TRVScroller : public TCustomControl {
 public:
  explicit TRVScroller(TWinControl* parent);
  ~TRVScroller() override;

  // --- virtual operations ---
  // A themed border needs the toolkit style's edit frame; without one the
  // handle stays 0 and the border is the classic sunken edge.
  virtual void CreateThemeHandle();
  virtual void FreeThemeHandle() { FThemeHandle = 0; }
  virtual void SetBiDiModeRV(TRVBiDiMode Value);
  // Scrolls to vertical unit Pos; without Redraw only the stored position and
  // the child controls move.
  virtual void SetVPos(int Pos, bool Redraw);
  virtual void SetHPos(int Pos);
  virtual void AfterVScroll() {}
  virtual void AfterHScroll() {}
  virtual void BeforeScroll() {}
  virtual void SetVSmallStep(int Value);
  virtual int GetDefSmallStep() const { return 10; }

  // --- scroll bars and positions ---
  // XSize in pixels, YSize in vertical units.
  void UpdateScrollBars(int XSize, int YSize, bool UpdateH, bool AllowDisableNoScroll);
  bool GetVScrollVisible() const { return FVScrollVisible; }
  bool GetHScrollVisible() const { return FHScrollVisible; }
  void SetVScrollVisible(bool Value);
  void SetHScrollVisible(bool Value);
  void SetVScrollPos(int Pos) { SetVPos(Pos, true); }
  void ScrollTo(int Y) { SetVPos(Y / VSmallStep, true); }
  void ScrollToNoRedraw(int Y) { SetVPos(Y / VSmallStep, false); }
  // The largest positions the views can take.
  int GetVScrollMax() const;
  int GetHScrollMax() const;
  int GetVSmallStep() const { return VSmallStep; }
  int VPos() const { return FVPos; }
  int HPos() const { return FHPos; }
  // Document extent and page last given to UpdateScrollBars.
  int XSize() const { return FXSize; }
  int YSize() const { return FYSize; }
  int VPage() const { return FVPage; }
  int VMax() const { return FVMax; }
  int HPage() const { return FHPage; }
  int HMax() const { return FHMax; }

  // --- properties ---
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  // A live window takes the new border at once and lays its page out again.
  virtual void SetBorderStyle(TBorderStyle Value);
  TRVBiDiMode GetBiDiMode() const { return FBiDiMode; }
  TRVPaletteAction GetDoInPaletteMode() const { return FDoInPaletteMode; }
  // Stores a changed mode and brings the palette up to date for it.
  void SetDoInPaletteMode(TRVPaletteAction Value);
  // Makes or drops the control's own palette: one exists only on a
  // palette-based display and when the mode asks for palette handling.
  virtual void UpdatePaletteInfo();
  // The 216 colours of the 6 x 6 x 6 cube: entry 36 b + 6 g + r is
  // (51 r, 51 g, 51 b).
  static std::unique_ptr<TRVLogPalette> GenerateLogPalette();
  // Whether the screen is palette-based, as a memory canvas compatible with
  // it reports.
  virtual bool ScreenIsPaletteBased();

  // --- wheel ---
  // One notch of the wheel toward the end / the start; false when the wheel
  // does not scroll (step 0, or the system's setting 0).
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  HPALETTE GetPalette() const { return FPalette; }
  const TRVLogPalette* GetLogPalette() const { return FLogPalette.get(); }
  // True while a form applies its stored properties (until Loaded).
  bool Loading() const { return FLoading; }
  void BeginLoading() { FLoading = true; }

  bool Tracking = true;
  int WheelStep = 2;
  // Whether a single border takes the toolkit style's frame; a live window
  // re-opens its theme and takes the new border at once.
  bool GetUseXPThemes() const { return FUseXPThemes; }
  void SetUseXPThemes(bool Value);
  // Called at the end of every scroll-bar update.
  std::function<void(TRVScroller* Sender)> OnResize;

 protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void AfterCreateWnd1() {}
  virtual void AfterCreateWnd2() {}
  // Scroll-bar commands: line, page, thumb, top and bottom.
  void Scroll(TScrollBarKind Bar, TScrollCode Code, int Pos) override;
  // The scroll keys, when FKeyboardScroll: the vertical page, end and line
  // commands, and the horizontal line commands for Left and Right.
  void KeyDown(int& Key, TShiftState Shift) override;
  // Whole notches scroll; a high-resolution wheel's parts of a notch add up.
  bool MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  // Moves every child control by (dx, dy); vertically its Tag holds its
  // document position.
  void ScrollChildren(int dx, int dy);
  // The client area's pixels move by dy (or all is repainted when the
  // background does not scroll).
  void ScrollClientBy(int dx, int dy);

  int VSmallStep = 1;
  int FVPos = 0;
  int FHPos = 0;
  int FXSize = 0;
  int FYSize = 0;
  int FHMax = 0;
  int FHPage = 0;
  int FVMax = 0;
  int FVPage = 0;
  int FLineStep = 1;
  bool FUpdatingScrollBars = false;
  bool FScrollFullRedraw = false;
  bool FVDisableNoScroll = false;
  bool FKeyboardScroll = true;
  bool FVScrollVisible = true;
  bool FHScrollVisible = true;
  std::uintptr_t FThemeHandle = 0;
  HPALETTE FPalette = 0;
  std::unique_ptr<TRVLogPalette> FLogPalette;
  TBorderStyle FBorderStyle = bsSingle;
  TRVBiDiMode FBiDiMode = rvbdUnspecified;
  TRVPaletteAction FDoInPaletteMode = rvpaCreateCopies;
  bool FLoading = false;
  bool FUseXPThemes = true;
  int FWheelDelta = 0;  // the part of a notch not yet scrolled, in 120ths

 private:
  // The window's frame for the border style and theme.
  void ApplyFrame();
  // Hides a bar by giving it a page larger than its range.
  void HideScrollBar(TScrollBarKind Bar);
};

// Child controls keep their document y in their Tag; their top is that
// position clamped to what a window position can hold.
int RV_GetYByTag(const TControl& Control);
void RV_Tag2Y(TControl& Control);

}  // namespace quorix
