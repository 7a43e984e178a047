#pragma once
// TCustomControl, a window that paints itself: the base of controls such as
// the rich view. It keeps a window surface, a bitmap of its client size that
// the toolkit presents; what the control paints goes onto the surface, so
// tests and animation can read and draw on it directly.
//
// - Invalidating marks a part of the client area invalid (nothing is erased).
//   The next paint, from the toolkit or from Update, calls Paint with the
//   canvas clipped to the bounding rectangle of the invalid part, then
//   presents the surface.
// - Drawing on Canvas outside Paint (an animation tick) draws on the surface;
//   the toolkit presents the surface after every event the layer delivers.
// - The scroll bars follow the classic rule: a bar is shown exactly when its
//   page is not larger than its range (Max - Min), and an empty range
//   (Max = Min) shows none. Showing or hiding one changes the client size at
//   once, and the control's Resize runs before the call that changed the bar
//   returns.
// - A frame may surround the window's inside; the scroll bars sit within it
//   and the client area shrinks by its width on every side. The vertical bar
//   may stand at the left edge; client coordinates always start at the client
//   area's top-left corner, wherever the bars are.
// - Hints: the toolkit shows one tip at a time. When the pointer rests on the
//   client area for the toolkit's hint pause, a control with ShowHint and a
//   hint shows the hint's part before the first "|" at the pointer, and is the
//   current hint control until the tip goes (the toolkit hides it when the
//   pointer leaves, at a click or the wheel, or when its time is up) or is
//   cancelled.
// - Every handler runs inside the application's event guard (controls.h).
//
// The window exists from construction; CreateHandle runs the control's
// CreateWnd once (derived classes call it at the end of their constructor, so
// their overrides run), DestroyHandle runs DestroyWnd.

#include <memory>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/input.h"
#include "platform/text.h"
#include "platform/types.h"

namespace quorix {

enum TScrollBarKind { sbHorizontal, sbVertical };

// Scroll-bar commands, as the bar, keys and the control's own code send them.
enum TScrollCode {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,  // the scroll box was released at Pos
  scTrack,     // the scroll box is being dragged, now at Pos
  scTop,
  scBottom,
  scEndScroll,
};

// A scroll bar's state. Positions are clamped to Min..Max - max(Page - 1, 0).
struct TScrollInfo {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
  friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

// Virtual key codes the key handlers receive.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;  // Page Up
constexpr int VK_NEXT = 0x22;   // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;

// The platform's scroll-bar width at 96 pixels per inch.
constexpr int ScrollBarSize = 17;

// The frame around a control's client area and bars.
enum TControlFrame {
  cfNone,
  cfSunken,  // the classic sunken 3-D edge, 2 pixels wide
  cfThemed,  // the toolkit style's frame of a line edit (cfSunken's look when it has none)
};

// Whether the toolkit's style draws a line-edit frame of a width of its own,
// that is, whether cfThemed looks different from cfSunken.
bool HasThemedFrames();

// The lines one wheel notch scrolls: the toolkit's setting (3 before the
// toolkit has started). SetWheelScrollLines keeps any value, 0 and negative
// ones included, even those the toolkit itself refuses.
int WheelScrollLines();
void SetWheelScrollLines(int lines);

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TWinControl* parent);
  ~TCustomControl() override;

  // --- the window ---
  bool HandleAllocated() const { return handleAllocated_; }
  // Runs CreateWnd once (when no handle is allocated); DestroyHandle runs
  // DestroyWnd. Both are for the control's own constructor and destructor and
  // for tests; the toolkit window itself lives as long as the control.
  void CreateHandle();
  void DestroyHandle();
  // Keeps the client area's size in step (and calls Resize when it changes).
  void SetBounds(int left, int top, int width, int height) override;

  // The client area: the window without its frame and scroll bars.
  int ClientWidth() const;
  int ClientHeight() const;
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }

  // --- surface and painting ---
  // The surface's canvas. During Paint its clipping is the part being painted;
  // outside Paint it is unclipped.
  TCanvas& Canvas();
  // The window surface, client-sized; for tests and screenshots.
  const TBitmap& Surface() const;
  // Marks the whole client area / a client rectangle invalid; nothing is
  // erased. The paint happens later, or at Update.
  void Invalidate() override;
  void InvalidateRect(const TRect& rect);
  // Paints the invalid part now (Paint on the surface), then presents.
  void Update();
  // Shows a part of the surface that was drawn on outside a paint (what the
  // paint of an invalid part draws is shown anyway).
  void Present(const TRect& rect);
  // Whether some part is waiting to be painted, and the bounding rectangle of it.
  bool HasInvalidPart() const;
  TRect InvalidBounds() const;
  // Moves the client pixels by (dx, dy) (positive: right / down); the band
  // that was uncovered is invalidated, and so is whatever was invalid moves
  // with the pixels.
  void ScrollClient(int dx, int dy);

  // --- scroll bars ---
  TScrollInfo GetScrollInfo(TScrollBarKind bar) const;
  // Stores the values (the position clamped) and shows or hides the bar by
  // the classic rule; Redraw is accepted for the caller's sake.
  void SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info, bool redraw = true);
  // Sets the position, clamped; returns the position the bar kept.
  int SetScrollPos(TScrollBarKind bar, int pos);
  int GetScrollPos(TScrollBarKind bar) const { return GetScrollInfo(bar).Pos; }
  bool ScrollBarVisible(TScrollBarKind bar) const;
  // Puts the vertical bar at the left edge (the client area to its right) or
  // back at the right; the window is laid out again at once.
  void SetVerticalBarOnLeft(bool value);
  bool VerticalBarOnLeft() const;

  // --- frame ---
  // Changing the frame lays the window out at once; a new client size calls
  // Resize before the call returns.
  void SetFrame(TControlFrame frame);
  TControlFrame Frame() const;
  // The frame's width on each side, in pixels (0 for cfNone).
  int FrameWidth() const;

  // --- timers (identifiers are per window; setting one again re-arms it) ---
  void SetTimer(int id, int milliseconds);
  void KillTimer(int id);
  bool TimerActive(int id) const;

  // --- focus, capture, cursor, pointer ---
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  void SetFocus();
  bool Focused() const;
  // Whether the mouse is captured by this control (a button is held down on it).
  bool MouseCapture() const;
  // The cursor shown over the client area.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  // The pointer's position in client coordinates, and the keyboard and mouse
  // button state now.
  TPoint CursorPosition() const;
  TShiftState CurrentShiftState() const;
  bool KeyPressed(int virtualKey) const;
  // Client coordinates to screen coordinates and back.
  TPoint ClientToScreen(TPoint point) const;
  TPoint ScreenToClient(TPoint point) const;

  // --- hints ---
  // Whether the hint pause shows this control's hint at all.
  bool ShowHint = false;
  // The hint text; setting it shows or hides nothing by itself.
  UnicodeString Hint() const { return hint_; }
  void SetHint(const UnicodeString& hint) { hint_ = hint; }
  // Hides the tip now and forgets the current hint control, so the next tip
  // comes only after the ordinary pause.
  void CancelHint();
  // When this is the current hint control, shows the hint at screenPos at
  // once in place of the tip that is up; otherwise the ordinary pause will
  // show it. An empty hint cancels.
  void ActivateHint(TPoint screenPos);

 protected:
  // --- what the derived control handles ---
  virtual void CreateWnd() {}
  virtual void DestroyWnd() {}
  // Paints the invalid part (the canvas's clip rectangle) on Canvas.
  virtual void Paint() {}
  // The client size changed.
  virtual void Resize() {}
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
  virtual void MouseMove(TShiftState Shift, int X, int Y) { (void)Shift, (void)X, (void)Y; }
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
  virtual void MouseLeave() {}
  // Delta in 120ths of a notch (positive: away from the user). True when the
  // control used the event; otherwise it goes to the parent.
  virtual bool MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    (void)Shift, (void)WheelDelta, (void)MousePos;
    return false;
  }
  // Key is a virtual key code; setting it to 0 marks the key handled.
  virtual void KeyDown(int& Key, TShiftState Shift) { (void)Key, (void)Shift; }
  virtual void KeyUp(int& Key, TShiftState Shift) { (void)Key, (void)Shift; }
  virtual void Timer(int Id) { (void)Id; }
  // A command of a scroll bar. The bar's own movement does not stay: after
  // the handler the bar shows whatever position the control set.
  virtual void Scroll(TScrollBarKind Bar, TScrollCode Code, int Pos) { (void)Bar, (void)Code, (void)Pos; }
  virtual void FocusChanged(bool Gained) { (void)Gained; }

 private:
  friend struct CustomControlAccess;  // the toolkit layer delivers events through it
  struct Impl;
  std::unique_ptr<Impl> impl_;
  bool handleAllocated_ = false;
  bool tabStop_ = true;
  TCursor cursor_ = crDefault;
  UnicodeString hint_;
};

// Input as the toolkit delivers it, for tests: real events sent to the
// control's client area (positions in client coordinates).
void SendMouseMove(TCustomControl& control, int x, int y, TShiftState buttons = {});
// Puts the pointer at client (x, y) without any event, as a pointer that
// rests while the page moves under it.
void PlacePointer(TCustomControl& control, int x, int y);
void SendMousePress(TCustomControl& control, TMouseButton button, int x, int y);
void SendMouseRelease(TCustomControl& control, TMouseButton button, int x, int y);
void SendMouseLeave(TCustomControl& control);
// True when the control used the wheel (otherwise it would go to the parent).
bool SendWheel(TCustomControl& control, int delta, int x, int y);
void SendKey(TCustomControl& control, int virtualKey, TShiftState shift = {});
// A command as the bar sends it (arrow button, trough, dragging, release).
void SendScrollCommand(TCustomControl& control, TScrollBarKind bar, TScrollCode code, int pos = 0);
// What the toolkit sends once the pointer has rested at client (x, y) for the
// hint pause.
void SendHintPause(TCustomControl& control, int x, int y);
// The text of the tip that is up now; empty when none is.
UnicodeString ShownHintText();

}  // namespace quorix
