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
  virtual void CreateThemeHandle() {}
  virtual void FreeThemeHandle() {}
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
  virtual void SetBorderStyle(TBorderStyle Value) { FBorderStyle = Value; }
  TRVBiDiMode GetBiDiMode() const { return FBiDiMode; }
  TRVPaletteAction GetDoInPaletteMode() const { return FDoInPaletteMode; }
  // Palettes exist only on palette-based displays, which the platform never
  // has: the mode is kept for the items' and the background's copies.
  void SetDoInPaletteMode(TRVPaletteAction Value) { FDoInPaletteMode = Value; }
  HPALETTE GetPalette() const { return FPalette; }
  const TRVLogPalette* GetLogPalette() const { return FLogPalette.get(); }
  // True while a form applies its stored properties (until Loaded).
  bool Loading() const { return FLoading; }
  void BeginLoading() { FLoading = true; }

  bool Tracking = true;
  int WheelStep = 2;
  bool UseXPThemes = true;
  // Called at the end of every scroll-bar update.
  std::function<void(TRVScroller* Sender)> OnResize;

 protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void AfterCreateWnd1() {}
  virtual void AfterCreateWnd2() {}
  // Scroll-bar commands: line, page, thumb, top and bottom.
  void Scroll(TScrollBarKind Bar, TScrollCode Code, int Pos) override;
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

 private:
  // Hides a bar by giving it a page larger than its range.
  void HideScrollBar(TScrollBarKind Bar);
};

// Child controls keep their document y in their Tag; their top is that
// position clamped to what a window position can hold.
int RV_GetYByTag(const TControl& Control);
void RV_Tag2Y(TControl& Control);

}  // namespace quorix
