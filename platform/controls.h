#pragma once
// The desktop part of the platform: the application object with its message
// loop and error box, and the few kinds of window the viewer is made of (form,
// push button, panel, shape, image).
//
// Every control owns a window of the toolkit, created in the control's
// constructor as soon as it has its parent, so bounds and visibility can be set
// and read back at once. Child controls are stacked in creation order (the last
// created on top) and clipped to their parent.
//
// Every event the layer delivers (clicks, mouse presses, the form's creation
// event) runs inside a guard: an exception that escapes the handler goes to the
// application's error handler, and the message loop carries on.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/errors.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sets.h"
#include "platform/text.h"
#include "platform/types.h"

namespace quorix {

class TControl;
class TWinControl;
class TForm;

using TNotifyEvent = std::function<void(TControl* Sender)>;
using TMouseEvent =
    std::function<void(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

// The toolkit's window behind a control; defined by the toolkit layer.
struct TControlWindow;

class TControl {
 public:
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // The name the control was created under (form descriptions, diagnostics).
  std::string Name;

  TWinControl* Parent() const { return parent_; }
  // Moves the control into another parent (keeping its bounds, now relative
  // to the new parent); nullptr makes it a hidden top-level window.
  void SetParent(TWinControl* parent);

  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  TRect BoundsRect() const { return bounds_; }
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
  // Negative sizes count as 0. Positions are relative to the parent's client
  // area (a form's are its position on the screen).
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Whether the control is visible and every parent up to the form is too.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Asks the toolkit to repaint the control soon (coalesced with other requests).
  virtual void Invalidate();

  // A number the control's owner keeps with it (a document keeps a child
  // control's document position here).
  int Tag = 0;

  // The toolkit's window; for the toolkit layer only.
  TControlWindow& Window() const { return *window_; }

 protected:
  // Takes the window the derived class made for itself and places it in parent.
  TControl(TWinControl* parent, std::unique_ptr<TControlWindow> window);

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  std::unique_ptr<TControlWindow> window_;
  TRect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
};

// A control that holds other controls.
class TWinControl : public TControl {
 public:
  ~TWinControl() override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // The controls placed in this one, in creation order (not owned).
  const std::vector<TControl*>& Controls() const { return children_; }

 protected:
  TWinControl(TWinControl* parent, std::unique_ptr<TControlWindow> window, TColor color);

 private:
  friend class TControl;
  TColor color_;
  std::vector<TControl*> children_;
};

// A top-level window. Its bounds are those of its client area; it stays hidden
// until shown.
class TForm : public TWinControl {
 public:
  TForm();
  ~TForm() override;

  UnicodeString Caption() const { return caption_; }
  void SetCaption(const UnicodeString& caption);
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientWidth(int width) { SetWidth(width); }
  void SetClientHeight(int height) { SetHeight(height); }
  // The font the form's controls inherit.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  // Fires once, when the form and all its controls exist (the form's creator
  // calls DoCreate at the end of its construction).
  TNotifyEvent OnCreate;
  void DoCreate();
  // Fires after the user (or the window system) resized the window; the
  // form's bounds already hold the new client size.
  TNotifyEvent OnResize;
  // The toolkit layer reports the window's new client size here.
  void WindowResized(int width, int height);

  // Shows the form for screenshots only: it behaves as shown (layout, painting,
  // timers) but never appears on a screen.
  void ShowOffScreen();
  void Close();

  // Renders the client area as it looks now into bitmap (resized to the client
  // size). Hidden controls are left out, as on the screen.
  void GrabClientArea(TBitmap& bitmap);

 private:
  UnicodeString caption_;
  TFont font_;
};

class TButton : public TWinControl {
 public:
  explicit TButton(TWinControl* parent);
  ~TButton() override;

  UnicodeString Caption() const { return caption_; }
  void SetCaption(const UnicodeString& caption);
  int TabOrder = -1;

  TNotifyEvent OnClick;
  // The button's own click action: runs OnClick (when set) right away. An
  // exception goes to the caller, as with any direct call.
  void Click();

 private:
  UnicodeString caption_;
};

// A plain rectangle of background colour holding other controls.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TWinControl* parent);
  ~TPanel() override;
  int TabOrder = -1;
};

// A rectangle filling its bounds: the brush inside, a frame of the pen's width
// in the pen colour.
class TShape : public TControl {
 public:
  explicit TShape(TWinControl* parent);
  ~TShape() override;

  const TBrush& Brush() const { return brush_; }
  const TPen& Pen() const { return pen_; }
  void SetBrush(const TBrush& brush);
  void SetPen(const TPen& pen);

 private:
  TBrush brush_;
  TPen pen_;
};

// Shows a bitmap it owns, at its top-left corner, pixel for pixel (no
// stretching, no transparency). Whatever is drawn on the bitmap is shown: every
// access through Bitmap() schedules a repaint, so changes made through it show
// once the handler that made them returns.
class TImage : public TControl {
 public:
  explicit TImage(TWinControl* parent);
  ~TImage() override;

  TBitmap& Bitmap();
  const TBitmap& Bitmap() const { return *bitmap_; }

  TMouseEvent OnMouseDown;

 private:
  std::unique_ptr<TBitmap> bitmap_;
};

// What the application's error handler gets: the exception's message.
using TExceptionHandler = std::function<void(const Exception& E)>;

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Starts the toolkit with the program's arguments. Idempotent; creating a
  // control before it starts the toolkit with no arguments.
  void Initialize(int argc, char** argv);
  bool Initialized() const;

  // Creates a form and keeps it; the first form created is the main form. The
  // form's constructor runs its creation event.
  template <class F, class... Args>
  F& CreateForm(Args&&... args) {
    auto form = std::make_unique<F>(std::forward<Args>(args)...);
    F& ref = *form;
    AdoptForm(std::move(form));
    return ref;
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and runs the message loop until it is closed.
  void Run();
  // Handles the events that are waiting, then returns.
  void ProcessMessages();
  // Runs the message loop for about this many milliseconds.
  void RunFor(int milliseconds);
  void Terminate();
  // Destroys the forms and then the toolkit, when this object started it.
  // Programs call it before main returns: windows must go while the toolkit's
  // plugins are still loaded. Controls must not be used afterwards.
  void Finalize();

  // Hands the exception to OnException when set, else shows the standard error
  // box. Our exceptions keep their message; another std::exception keeps its
  // what(); anything else becomes an Exception with an empty message.
  void HandleException(std::exception_ptr error);
  // The standard error box: the application's title and the message, with a
  // full stop added when it ends without one.
  void ShowException(const Exception& E);
  static std::string ErrorBoxText(const Exception& E);
  // Replaces the standard error box (tests, headless runs).
  TExceptionHandler OnException;

  UnicodeString Title = u"quorix-smilies";

 private:
  void AdoptForm(std::unique_ptr<TForm> form);
  void EnsureToolkit();
  struct Toolkit;
  std::unique_ptr<Toolkit> toolkit_;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
};

// The process's application object.
TApplication& Application();

// Runs handler; an exception that escapes it goes to the application's error
// handler instead of the caller. Every toolkit event is delivered through this.
void DeliverEvent(const std::function<void()>& handler);

// Input as the toolkit delivers it, for tests and tools: a real mouse press on
// the control's window at (x, y), and a real click of a button.
void SendMouseDown(TControl& control, TMouseButton button, int x, int y);
void SendClick(TButton& button);

}  // namespace quorix
