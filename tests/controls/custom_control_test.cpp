// The custom control on the real toolkit (offscreen): painting the invalid
// part onto the surface, moving surface pixels, the scroll bars' visibility
// rule and commands, the frame and the bars' side, timers, pointer, keys,
// wheel setting and hints as Qt delivers them.

#include "platform/custom_control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/qt/control_window.h"

namespace quorix {
namespace {

std::string ShiftText(TShiftState s) {
  std::string t;
  if (s.Contains(ssShift)) t += 'S';
  if (s.Contains(ssAlt)) t += 'A';
  if (s.Contains(ssCtrl)) t += 'C';
  if (s.Contains(ssLeft)) t += 'L';
  if (s.Contains(ssRight)) t += 'R';
  if (s.Contains(ssMiddle)) t += 'M';
  if (s.Contains(ssDouble)) t += 'D';
  return t.empty() ? "-" : t;
}

// The width the toolkit's style gives a line edit's frame.
int FrameWidthOfStyle() {
  QStyleOptionFrame option;
  return QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option);
}

// Records what the layer delivers, as short readable lines.
class Recorder : public TCustomControl {
 public:
  explicit Recorder(TWinControl* parent) : TCustomControl(parent) { CreateHandle(); }
  ~Recorder() override { DestroyHandle(); }

  std::vector<std::string> log;
  std::vector<TRect> paints;  // the canvas's clip rectangle at each Paint
  std::vector<TSize> resizes;  // the client size each Resize saw
  TColor paintColor = RGB(0, 0, 200);
  bool wheelUsed = false;
  bool handleKeys = true;
  std::function<void()> onPaint, onResize;
  std::function<void(TScrollBarKind, TScrollCode, int)> onScroll;
  std::function<void(int)> onTimer;

 protected:
  void CreateWnd() override { log.push_back("create"); }
  void DestroyWnd() override { log.push_back("destroy"); }
  void Paint() override {
    paints.push_back(Canvas().GetClipRect());
    Canvas().Brush.Color = paintColor;
    Canvas().Brush.Style = bsSolid;
    Canvas().FillRect(ClientRect());  // the clipping keeps it to the invalid part
    if (onPaint) onPaint();
  }
  void Resize() override {
    resizes.push_back(TSize{ClientWidth(), ClientHeight()});
    if (onResize) onResize();
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override { Mouse("down", b, s, x, y); }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override { Mouse("up", b, s, x, y); }
  void MouseMove(TShiftState s, int x, int y) override {
    log.push_back("move " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y) +
                  (MouseCapture() ? " captured" : ""));
  }
  void MouseLeave() override { log.push_back("leave"); }
  bool MouseWheel(TShiftState, int delta, TPoint pos) override {
    log.push_back("wheel " + std::to_string(delta) + " " + std::to_string(pos.X) + "," + std::to_string(pos.Y));
    return wheelUsed;
  }
  void KeyDown(int& key, TShiftState s) override {
    log.push_back("keydown " + std::to_string(key) + " " + ShiftText(s));
    if (handleKeys) key = 0;
  }
  void KeyUp(int& key, TShiftState) override { log.push_back("keyup " + std::to_string(key)); }
  void Timer(int id) override {
    log.push_back("timer " + std::to_string(id));
    if (onTimer) onTimer(id);
  }
  void Scroll(TScrollBarKind bar, TScrollCode code, int pos) override {
    log.push_back(std::string(bar == sbVertical ? "v" : "h") + " " + std::to_string(code) + " " + std::to_string(pos));
    if (onScroll) onScroll(bar, code, pos);
  }
  void FocusChanged(bool gained) override { log.push_back(gained ? "focus in" : "focus out"); }

 private:
  void Mouse(const char* what, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back(std::string(what) + " " + std::to_string(b) + " " + ShiftText(s) + " " + std::to_string(x) + "," +
                  std::to_string(y) + (MouseCapture() ? " captured" : ""));
  }
};

class CustomControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().OnException = [this](const Exception& e) { errors.push_back(e.what()); };
    form = std::make_unique<TForm>();
    form->SetBounds(0, 0, 300, 200);
    control = std::make_unique<Recorder>(form.get());
    control->SetBounds(10, 20, 100, 80);
    control->Update();  // the whole new client area is painted once
    control->log.clear();
    control->paints.clear();
    control->resizes.clear();
  }
  void TearDown() override {
    control.reset();
    form.reset();
    Application().OnException = nullptr;
  }

  QScrollBar* Bar(TScrollBarKind kind) {
    for (QScrollBar* bar : control->Window().Widget->findChildren<QScrollBar*>()) {
      if ((bar->orientation() == Qt::Vertical) == (kind == sbVertical)) return bar;
    }
    return nullptr;
  }

  // Runs the message loop until the condition holds (or a generous limit).
  template <class F>
  void RunUntil(F condition) {
    for (int i = 0; i < 500 && !condition(); ++i) Application().RunFor(5);
  }

  std::vector<std::string> errors;
  std::unique_ptr<TForm> form;
  std::unique_ptr<Recorder> control;
};

TEST_F(CustomControlTest, NewClientAreaIsPaintedWholeAndResizeComesSynchronously) {
  Recorder fresh(form.get());
  EXPECT_TRUE(fresh.HandleAllocated());
  EXPECT_EQ(fresh.log, std::vector<std::string>{"create"});
  fresh.CreateHandle();  // once only
  EXPECT_EQ(fresh.log.size(), 1u);

  fresh.SetBounds(0, 0, 40, 30);  // hidden form: no Qt resize event has come
  ASSERT_EQ(fresh.resizes.size(), 1u);
  EXPECT_EQ(fresh.resizes[0].cx, 40);
  EXPECT_EQ(fresh.resizes[0].cy, 30);
  EXPECT_EQ(fresh.Surface().GetWidth(), 40);
  EXPECT_EQ(fresh.InvalidBounds(), Rect(0, 0, 40, 30));
  fresh.SetBounds(5, 5, 40, 30);  // moved, not resized
  EXPECT_EQ(fresh.resizes.size(), 1u);
  fresh.Update();
  ASSERT_EQ(fresh.paints.size(), 1u);
  EXPECT_EQ(fresh.paints[0], Rect(0, 0, 40, 30));
  EXPECT_EQ(fresh.Surface().PixelColor(39, 29), RGB(0, 0, 200));

  fresh.DestroyHandle();
  EXPECT_FALSE(fresh.HandleAllocated());
  EXPECT_EQ(fresh.log.back(), "destroy");
}

TEST_F(CustomControlTest, UpdatePaintsExactlyTheInvalidPart) {
  control->paintColor = RGB(200, 0, 0);
  control->InvalidateRect(Bounds(10, 20, 10, 10));
  EXPECT_TRUE(control->HasInvalidPart());
  EXPECT_EQ(control->InvalidBounds(), Bounds(10, 20, 10, 10));
  control->Update();
  EXPECT_FALSE(control->HasInvalidPart());
  ASSERT_EQ(control->paints.size(), 1u);
  EXPECT_EQ(control->paints[0], Bounds(10, 20, 10, 10));
  const TBitmap& s = control->Surface();
  EXPECT_EQ(s.PixelColor(10, 20), RGB(200, 0, 0));
  EXPECT_EQ(s.PixelColor(19, 29), RGB(200, 0, 0));
  for (TPoint p : {TPoint{9, 20}, TPoint{20, 20}, TPoint{10, 19}, TPoint{10, 30}, TPoint{0, 0}}) {
    EXPECT_EQ(s.PixelColor(p.X, p.Y), RGB(0, 0, 200)) << p.X << "," << p.Y;
  }

  // Nothing invalid: nothing painted. Parts outside the client are dropped;
  // two rectangles are painted as their bounding rectangle.
  control->Update();
  control->InvalidateRect(Bounds(90, 70, 50, 50));
  control->InvalidateRect(Bounds(0, 0, 2, 2));
  control->Update();
  ASSERT_EQ(control->paints.size(), 2u);
  EXPECT_EQ(control->paints[1], Rect(0, 0, 100, 80));

  // What Paint invalidates is cleared only by the next paint.
  control->onPaint = [this] { control->InvalidateRect(Bounds(1, 1, 1, 1)); };
  control->Invalidate();
  control->Update();
  EXPECT_EQ(control->paints.size(), 3u);
  EXPECT_EQ(control->InvalidBounds(), Bounds(1, 1, 1, 1));
}

TEST_F(CustomControlTest, QtPaintEventPaintsTheInvalidPartAndPresentsTheSurface) {
  form->ShowOffScreen();
  Application().ProcessMessages();
  control->paints.clear();
  control->paintColor = RGB(0, 150, 0);
  control->InvalidateRect(Bounds(0, 0, 5, 5));
  RunUntil([&] { return !control->paints.empty(); });
  EXPECT_FALSE(control->HasInvalidPart());

  // Drawing outside Paint lands on the surface and is what the window shows.
  control->Canvas().Brush.Color = RGB(250, 250, 0);
  control->Canvas().FillRect(Bounds(50, 40, 3, 3));
  EXPECT_EQ(control->Surface().PixelColor(51, 41), RGB(250, 250, 0));
  Application().ProcessMessages();
  TBitmap shot;
  form->GrabClientArea(shot);
  EXPECT_EQ(shot.PixelColor(10 + 2, 20 + 2), RGB(0, 150, 0));
  EXPECT_EQ(shot.PixelColor(10 + 51, 20 + 41), RGB(250, 250, 0));
  EXPECT_EQ(shot.PixelColor(10 + 60, 20 + 60), RGB(0, 0, 200));
}

TEST_F(CustomControlTest, ScrollClientMovesPixelsAndInvalidatesTheUncoveredBand) {
  struct Case {
    int dx, dy;
    TRect band;
  };
  const Case cases[] = {
      {0, 10, Rect(0, 0, 100, 10)},
      {0, -10, Rect(0, 70, 100, 80)},
      {7, 0, Rect(0, 0, 7, 80)},
      {-7, 0, Rect(93, 0, 100, 80)},
      {3, 4, Rect(0, 0, 100, 80)},  // an L-shaped band: its bounds are everything
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    // Every pixel tells where it was.
    TCanvas& canvas = control->Canvas();
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 100; ++x) canvas.SetPixel(x, y, RGB(x, y, 0));
    }
    control->ScrollClient(c.dx, c.dy);
    EXPECT_EQ(control->InvalidBounds(), c.band);
    const TBitmap& s = control->Surface();
    for (TPoint p : {TPoint{50, 40}, TPoint{20, 20}, TPoint{80, 60}}) {
      EXPECT_EQ(s.PixelColor(p.X, p.Y), RGB(p.X - c.dx, p.Y - c.dy, 0)) << p.X << "," << p.Y;
    }
    control->Update();
  }

  // Whatever was waiting to be painted moves with the pixels.
  control->InvalidateRect(Bounds(20, 20, 5, 5));
  control->ScrollClient(0, 10);
  EXPECT_EQ(control->InvalidBounds(), Rect(0, 0, 100, 35));
  control->Update();
  control->InvalidateRect(Bounds(20, 2, 5, 5));
  control->ScrollClient(0, -10);  // moved out of view above
  EXPECT_EQ(control->InvalidBounds(), Rect(0, 70, 100, 80));
  control->Update();
  control->ScrollClient(0, 500);
  EXPECT_EQ(control->InvalidBounds(), Rect(0, 0, 100, 80));
}

TEST_F(CustomControlTest, ScrollBarShowsExactlyWhenThePageFitsInTheRange) {
  struct Case {
    TScrollInfo info;
    bool shown;
  };
  const Case cases[] = {
      {{0, 9, 10, 0}, false}, {{0, 10, 10, 0}, true}, {{0, 1, 2, 0}, false}, {{0, 0, 0, 0}, false},
      {{0, 100, 1, 0}, true}, {{5, 14, 10, 5}, false}, {{5, 15, 10, 5}, true},
  };
  for (TScrollBarKind kind : {sbVertical, sbHorizontal}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(kind) + ": " + std::to_string(c.info.Min) + ".." + std::to_string(c.info.Max) +
                   " page " + std::to_string(c.info.Page));
      control->resizes.clear();
      control->SetScrollInfo(kind, c.info);
      EXPECT_EQ(control->ScrollBarVisible(kind), c.shown);
      EXPECT_EQ(control->GetScrollInfo(kind), c.info);
      const int shrink = c.shown ? ScrollBarSize : 0;
      EXPECT_EQ(control->ClientWidth(), kind == sbVertical ? 100 - shrink : 100);
      EXPECT_EQ(control->ClientHeight(), kind == sbHorizontal ? 80 - shrink : 80);
      EXPECT_EQ(control->Surface().GetWidth(), control->ClientWidth());
      // Resize ran before SetScrollInfo returned, with the new size, exactly
      // when the bar came or went.
      ASSERT_EQ(control->resizes.size(), c.shown ? 1u : 0u);
      if (c.shown) {
        EXPECT_EQ(control->resizes[0].cx, control->ClientWidth());
      }
      control->resizes.clear();
      control->SetScrollInfo(kind, TScrollInfo{0, 1, 2, 0});  // hidden again
      EXPECT_EQ(control->resizes.size(), c.shown ? 1u : 0u);
    }
  }
}

TEST_F(CustomControlTest, ResizeMayShowTheOtherBarWhileTheFirstIsShowing) {
  // As a formatting control does: the narrower client needs a horizontal bar.
  control->onResize = [this] {
    if (control->ClientWidth() < 100 && !control->ScrollBarVisible(sbHorizontal)) {
      control->SetScrollInfo(sbHorizontal, TScrollInfo{0, 200, 83, 0});
    }
  };
  control->SetScrollInfo(sbVertical, TScrollInfo{0, 50, 10, 0});
  EXPECT_TRUE(control->ScrollBarVisible(sbVertical));
  EXPECT_TRUE(control->ScrollBarVisible(sbHorizontal));
  ASSERT_EQ(control->resizes.size(), 2u);
  EXPECT_EQ(control->resizes[0].cx, 83);
  EXPECT_EQ(control->resizes[0].cy, 80);
  EXPECT_EQ(control->resizes[1].cx, 83);
  EXPECT_EQ(control->resizes[1].cy, 63);
  EXPECT_EQ(control->ClientRect(), Rect(0, 0, 83, 63));

  // The corner between the bars is the button face; the bars sit beside the client.
  form->ShowOffScreen();
  TBitmap shot;
  Application().ProcessMessages();
  form->GrabClientArea(shot);
  EXPECT_EQ(shot.PixelColor(10 + 83 + 8, 20 + 63 + 8), ColorToRGB(clBtnFace));
  EXPECT_EQ(Bar(sbVertical)->geometry(), QRect(83, 0, ScrollBarSize, 63));
  EXPECT_EQ(Bar(sbHorizontal)->geometry(), QRect(0, 63, 83, ScrollBarSize));
}

TEST_F(CustomControlTest, PositionIsClampedToTheRange) {
  struct Case {
    TScrollInfo info;
    int pos;
  };
  const Case cases[] = {
      {{0, 100, 10, 95}, 91}, {{0, 100, 10, -5}, 0}, {{5, 100, 0, 200}, 100},
      {{0, 9, 10, 5}, 0},     {{10, 20, 1, 3}, 10},  {{0, 100, 10, 91}, 91},
  };
  for (const Case& c : cases) {
    control->SetScrollInfo(sbVertical, c.info);
    EXPECT_EQ(control->GetScrollPos(sbVertical), c.pos) << c.info.Max << " " << c.info.Page << " " << c.info.Pos;
  }
  control->SetScrollInfo(sbVertical, TScrollInfo{0, 100, 10, 0});
  EXPECT_EQ(control->SetScrollPos(sbVertical, 500), 91);
  EXPECT_EQ(control->SetScrollPos(sbVertical, -1), 0);
  EXPECT_EQ(control->SetScrollPos(sbVertical, 40), 40);
  EXPECT_EQ(Bar(sbVertical)->value(), 40);
  EXPECT_EQ(Bar(sbVertical)->maximum(), 91);
  EXPECT_EQ(Bar(sbVertical)->pageStep(), 10);
}

TEST_F(CustomControlTest, BarCommandsReachScrollAndTheBarKeepsTheStoredPosition) {
  control->SetScrollInfo(sbVertical, TScrollInfo{0, 100, 10, 20});
  control->SetScrollInfo(sbHorizontal, TScrollInfo{0, 300, 83, 5});
  const TScrollCode codes[] = {scLineUp, scLineDown, scPageUp, scPageDown, scTop, scBottom};
  for (TScrollBarKind kind : {sbVertical, sbHorizontal}) {
    const int stored = control->GetScrollPos(kind);
    for (TScrollCode code : codes) {
      control->log.clear();
      SendScrollCommand(*control, kind, code);
      ASSERT_EQ(control->log.size(), 1u);
      EXPECT_EQ(control->log[0], std::string(kind == sbVertical ? "v " : "h ") + std::to_string(code) + " " +
                                     std::to_string(stored));
      EXPECT_EQ(Bar(kind)->value(), stored) << code;  // the bar's own step did not stay
    }
  }

  // A control that moves: the bar shows where the control put it.
  control->onScroll = [this](TScrollBarKind bar, TScrollCode code, int pos) {
    if (code == scLineDown) control->SetScrollPos(bar, control->GetScrollPos(bar) + 3);
    if (code == scTrack) control->SetScrollPos(bar, pos);
  };
  SendScrollCommand(*control, sbVertical, scLineDown);
  EXPECT_EQ(Bar(sbVertical)->value(), 23);

  // Dragging the box on the bar itself: track steps, then the release.
  control->log.clear();
  QScrollBar* bar = Bar(sbVertical);
  bar->setSliderDown(true);
  bar->setSliderPosition(50);
  bar->setSliderPosition(60);
  bar->setSliderDown(false);
  EXPECT_EQ(control->log, (std::vector<std::string>{"v 5 50", "v 5 60", "v 4 60", "v 8 60"}));
  EXPECT_EQ(control->GetScrollPos(sbVertical), 60);
  EXPECT_EQ(bar->value(), 60);

  control->log.clear();
  SendScrollCommand(*control, sbHorizontal, scTrack, 7);
  SendScrollCommand(*control, sbHorizontal, scPosition, 9);
  EXPECT_EQ(control->log, (std::vector<std::string>{"h 5 7", "h 4 9", "h 8 9"}));
  EXPECT_EQ(Bar(sbHorizontal)->value(), 7);  // the control followed the track, not the release
}

TEST_F(CustomControlTest, TimersAreDeliveredByIdUntilKilled) {
  std::vector<int> ticks;
  control->onTimer = [&](int id) {
    ticks.push_back(id);
    // A tick draws outside Paint; it lands on the surface at once.
    control->Canvas().Brush.Color = RGB(id, 0, 0);
    control->Canvas().FillRect(Bounds(0, 0, 1, 1));
  };
  control->SetTimer(1, 5);
  control->SetTimer(2, 5);
  control->SetTimer(2, 7);  // re-armed, still one timer
  EXPECT_TRUE(control->TimerActive(1));
  auto count = [&](int id) { return std::count(ticks.begin(), ticks.end(), id); };
  RunUntil([&] { return count(1) >= 2 && count(2) >= 2; });
  EXPECT_GE(count(1), 2);
  EXPECT_GE(count(2), 2);
  EXPECT_EQ(control->Surface().PixelColor(0, 0), RGB(ticks.back(), 0, 0));

  control->KillTimer(1);
  EXPECT_FALSE(control->TimerActive(1));
  EXPECT_TRUE(control->TimerActive(2));
  ticks.clear();
  RunUntil([&] { return count(2) >= 3; });
  EXPECT_EQ(count(1), 0);
  EXPECT_GE(count(2), 3);

  // A handler may kill its own timer.
  control->onTimer = [&](int id) { control->KillTimer(id); };
  control->log.clear();
  RunUntil([&] { return !control->TimerActive(2); });
  Application().RunFor(30);
  EXPECT_EQ(control->log, std::vector<std::string>{"timer 2"});
}

TEST_F(CustomControlTest, MouseArrivesInClientCoordinatesWithCaptureWhileAButtonIsHeld) {
  SendMouseMove(*control, 5, 6);
  SendMousePress(*control, mbLeft, 10, 12);
  SendMouseMove(*control, -3, 200, TShiftState{ssLeft});
  SendMouseRelease(*control, mbLeft, -3, 200);
  SendMousePress(*control, mbRight, 99, 79);
  SendMouseRelease(*control, mbRight, 99, 79);
  SendMouseMove(*control, 1, 1);
  SendMouseLeave(*control);
  EXPECT_EQ(control->log, (std::vector<std::string>{
                              "move - 5,6",
                              "down 0 L 10,12 captured",
                              "move L -3,200 captured",
                              "up 0 - -3,200",
                              "down 1 R 99,79 captured",
                              "up 1 - 99,79",
                              "move - 1,1",
                              "leave",
                          }));
  EXPECT_FALSE(control->MouseCapture());
}

TEST_F(CustomControlTest, WheelTheControlDoesNotUseIsLeftForTheParent) {
  control->wheelUsed = false;
  EXPECT_FALSE(SendWheel(*control, -120, 30, 40));
  control->wheelUsed = true;
  EXPECT_TRUE(SendWheel(*control, 120, 1, 2));
  EXPECT_EQ(control->log, (std::vector<std::string>{"wheel -120 30,40", "wheel 120 1,2"}));

  // Over a bar the wheel is the control's too, at client coordinates.
  control->SetScrollInfo(sbVertical, TScrollInfo{0, 100, 10, 0});
  control->log.clear();
  QWheelEvent wheel(QPointF(5, 30), QPointF(), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(Bar(sbVertical), &wheel);
  EXPECT_EQ(control->log, std::vector<std::string>{"wheel -120 88,30"});
  EXPECT_TRUE(wheel.isAccepted());
  EXPECT_EQ(Bar(sbVertical)->value(), 0);  // the bar did not scroll by itself
}

TEST_F(CustomControlTest, KeysArriveAsVirtualKeyCodes) {
  const int keys[] = {VK_NEXT, VK_PRIOR, VK_HOME, VK_END, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN,
                      VK_TAB,  VK_RETURN, VK_ESCAPE, VK_SPACE, VK_DELETE, 'A', 'Z', '0', '7'};
  for (int key : keys) {
    control->log.clear();
    SendKey(*control, key);
    EXPECT_EQ(control->log, (std::vector<std::string>{"keydown " + std::to_string(key) + " -",
                                                      "keyup " + std::to_string(key)}));
  }
  control->log.clear();
  SendKey(*control, VK_TAB, TShiftState{ssShift});  // Qt's back-tab is Tab with Shift
  SendKey(*control, VK_HOME, TShiftState{ssCtrl});
  ASSERT_EQ(control->log.size(), 4u);
  EXPECT_EQ(control->log[0], "keydown 9 S");
  EXPECT_EQ(control->log[2], "keydown 36 C");
}

TEST_F(CustomControlTest, CursorShowsTheRegisteredShape) {
  RegisterCursor(101, ckHandPoint);
  struct Case {
    TCursor cursor;
    Qt::CursorShape shape;
  };
  const Case cases[] = {{101, Qt::PointingHandCursor}, {crIBeam, Qt::IBeamCursor},
                        {crDefault, Qt::ArrowCursor},  {crHandPoint, Qt::PointingHandCursor},
                        {crSizeNS, Qt::SizeVerCursor}, {555, Qt::ArrowCursor}};
  for (const Case& c : cases) {
    control->SetCursor(c.cursor);
    EXPECT_EQ(control->Cursor(), c.cursor);
    EXPECT_EQ(control->Window().Client->cursor().shape(), c.shape) << c.cursor;
  }
}

TEST_F(CustomControlTest, ChildControlsLiveInTheClientArea) {
  TPanel panel(control.get());
  panel.SetBounds(5, 5, 10, 10);
  EXPECT_EQ(panel.Window().Widget->parentWidget(), control->Window().Client.data());
  control->SetScrollInfo(sbVertical, TScrollInfo{0, 50, 10, 0});
  EXPECT_EQ(panel.Window().Widget->geometry(), QRect(5, 5, 10, 10));
}

TEST_F(CustomControlTest, HandlersRunInsideTheGuard) {
  control->onPaint = [] { throw Exception("in paint"); };
  control->onScroll = [](TScrollBarKind, TScrollCode, int) { throw Exception("in scroll"); };
  control->Invalidate();
  control->Update();
  SendScrollCommand(*control, sbVertical, scLineDown);
  EXPECT_EQ(errors, (std::vector<std::string>{"in paint", "in scroll"}));
  // The canvas got its state back: unclipped outside Paint.
  EXPECT_EQ(control->Canvas().GetClipRect(), control->ClientRect());
}

TEST_F(CustomControlTest, FocusFollowsTheClientWidget) {
  // Focus needs an active window: a window of the offscreen platform that is
  // shown (not merely rendered) becomes one.
  form->Show();
  form->Window().Widget->activateWindow();
  RunUntil([&] { return form->Window().Widget->isActiveWindow(); });
  control->SetFocus();
  Application().ProcessMessages();
  EXPECT_TRUE(control->Focused());
  EXPECT_EQ(control->log, std::vector<std::string>{"focus in"});
  EXPECT_EQ(control->Window().Client->focusPolicy(), Qt::StrongFocus);
  control->SetTabStop(false);
  EXPECT_EQ(control->Window().Client->focusPolicy(), Qt::ClickFocus);
}

TEST_F(CustomControlTest, ClientCoordinatesMapToTheScreenAndBack) {
  form->SetBounds(100, 50, 300, 200);
  EXPECT_EQ(control->ClientToScreen(TPoint{5, 7}), (TPoint{115, 77}));
  EXPECT_EQ(control->ScreenToClient(TPoint{115, 77}), (TPoint{5, 7}));
}

// --- frame, bar side, wheel setting ---

class FrameTest : public CustomControlTest {
 protected:
  // The form as it looks now; the control sits at (10, 20) in it.
  TBitmap Shot() {
    form->ShowOffScreen();
    Application().ProcessMessages();
    TBitmap shot;
    form->GrabClientArea(shot);
    return shot;
  }
  // A pixel of the shot at control coordinates (of its window, frame included).
  static TColor At(const TBitmap& shot, int x, int y) { return shot.PixelColor(10 + x, 20 + y); }
};

TEST_F(FrameTest, FrameShrinksTheClientAreaOnEverySideAndHoldsTheBars) {
  const int themed = FrameWidthOfStyle();
  struct Case {
    TControlFrame frame;
    int width;
  };
  const Case cases[] = {{cfSunken, 2}, {cfThemed, themed > 0 ? themed : 2}, {cfNone, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frame);
    control->resizes.clear();
    control->SetFrame(c.frame);
    EXPECT_EQ(control->Frame(), c.frame);
    EXPECT_EQ(control->FrameWidth(), c.width);
    const int w = 100 - 2 * c.width;
    const int h = 80 - 2 * c.width;
    EXPECT_EQ(control->ClientWidth(), w);
    EXPECT_EQ(control->ClientHeight(), h);
    EXPECT_EQ(control->Surface().GetWidth(), w);
    EXPECT_EQ(control->Window().Client->geometry(), QRect(c.width, c.width, w, h));
    // Resize came before SetFrame returned; the same frame again changes nothing.
    ASSERT_EQ(control->resizes.size(), 1u);
    EXPECT_EQ(control->resizes[0].cx, w);
    EXPECT_EQ(control->resizes[0].cy, h);
    control->SetFrame(c.frame);
    EXPECT_EQ(control->resizes.size(), 1u);

    // Both bars and the corner square stay inside the frame.
    control->SetScrollInfo(sbVertical, TScrollInfo{0, 100, 10, 0});
    control->SetScrollInfo(sbHorizontal, TScrollInfo{0, 300, 10, 0});
    const int cw = w - ScrollBarSize;
    const int ch = h - ScrollBarSize;
    EXPECT_EQ(control->ClientWidth(), cw);
    EXPECT_EQ(control->ClientHeight(), ch);
    EXPECT_EQ(Bar(sbVertical)->geometry(), QRect(c.width + cw, c.width, ScrollBarSize, ch));
    EXPECT_EQ(Bar(sbHorizontal)->geometry(), QRect(c.width, c.width + ch, cw, ScrollBarSize));
    control->SetScrollInfo(sbVertical, TScrollInfo{});
    control->SetScrollInfo(sbHorizontal, TScrollInfo{});
  }
  // A window smaller than its frame has an empty client area.
  control->SetFrame(cfSunken);
  control->SetBounds(10, 20, 3, 3);
  EXPECT_EQ(control->ClientWidth(), 0);
  EXPECT_EQ(control->ClientHeight(), 0);
}

TEST_F(FrameTest, SunkenFrameIsTheClassicEdgeAroundTheClientArea) {
  const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight),
               dark = ColorToRGB(cl3DDkShadow), light = ColorToRGB(cl3DLight);
  // Otherwise a line drawn in the wrong colour could pass unseen.
  ASSERT_EQ((std::set<TColor>{shadow, highlight, dark, light, RGB(0, 0, 200)}.size()), 5u);

  control->SetFrame(cfSunken);
  control->Update();
  control->Canvas().SetPixel(0, 0, RGB(250, 250, 0));  // the client area's first pixel
  const TBitmap shot = Shot();
  struct Case {
    int x, y;
    TColor color;
  };
  const Case cases[] = {
      // outer line: shadow at the top and left, highlight at the bottom and right
      {50, 0, shadow}, {0, 40, shadow}, {50, 79, highlight}, {99, 40, highlight},
      // inner line: dark shadow at the top and left, light at the bottom and right
      {50, 1, dark}, {1, 40, dark}, {50, 78, light}, {98, 40, light},
      // the bottom-right lines take the corners they share with the top-left ones
      {0, 0, shadow}, {99, 0, highlight}, {0, 79, highlight}, {99, 79, highlight},
      {1, 1, dark}, {98, 1, light}, {1, 78, light},
      // the client area inside
      {2, 2, RGB(250, 250, 0)}, {3, 2, RGB(0, 0, 200)}, {97, 77, RGB(0, 0, 200)},
  };
  for (const Case& c : cases) EXPECT_EQ(At(shot, c.x, c.y), c.color) << c.x << "," << c.y;
}

TEST_F(FrameTest, ThemedFrameIsTheStylesLineEditFrame) {
  EXPECT_EQ(HasThemedFrames(), FrameWidthOfStyle() > 0);
  control->SetFrame(cfThemed);
  const int edge = control->FrameWidth();
  control->Update();
  control->Canvas().SetPixel(0, 0, RGB(250, 250, 0));
  const TBitmap shot = Shot();
  EXPECT_EQ(At(shot, edge, edge), RGB(250, 250, 0));
  // The frame is drawn, not just left as the window's background.
  const TColor face = ColorToRGB(clBtnFace);
  for (TPoint p : {TPoint{0, 40}, TPoint{50, 0}, TPoint{99, 40}, TPoint{50, 79}}) {
    bool drawn = false;
    for (int i = 0; i < edge; ++i) {
      const int x = p.X == 0 ? i : p.X == 99 ? 99 - i : p.X;
      const int y = p.Y == 0 ? i : p.Y == 79 ? 79 - i : p.Y;
      drawn = drawn || At(shot, x, y) != face;
    }
    EXPECT_TRUE(drawn) << p.X << "," << p.Y;
  }
}

TEST_F(FrameTest, VerticalBarOnTheLeftMovesTheClientAreaNotItsCoordinates) {
  form->SetBounds(100, 50, 300, 200);
  control->SetScrollInfo(sbVertical, TScrollInfo{0, 100, 10, 0});
  control->resizes.clear();
  control->SetVerticalBarOnLeft(true);
  EXPECT_TRUE(control->VerticalBarOnLeft());
  EXPECT_TRUE(control->resizes.empty());  // same size, new place
  EXPECT_EQ(control->ClientWidth(), 100 - ScrollBarSize);
  EXPECT_EQ(Bar(sbVertical)->geometry(), QRect(0, 0, ScrollBarSize, 80));
  EXPECT_EQ(control->Window().Client->geometry(), QRect(ScrollBarSize, 0, 100 - ScrollBarSize, 80));

  control->Update();
  control->Canvas().SetPixel(0, 0, RGB(250, 250, 0));
  const TBitmap shot = Shot();
  for (int x = 0; x < ScrollBarSize; ++x) {
    EXPECT_NE(At(shot, x, 40), RGB(0, 0, 200)) << x;  // the bar, not the surface
  }
  EXPECT_EQ(At(shot, ScrollBarSize, 0), RGB(250, 250, 0));
  EXPECT_EQ(At(shot, ScrollBarSize, 40), RGB(0, 0, 200));
  EXPECT_EQ(At(shot, 99, 40), RGB(0, 0, 200));

  // The pointer as the window system delivers it (to the form's window, at
  // window coordinates) arrives client-relative, and so does the wheel over
  // the bar.
  QWindow* window = form->Window().Widget->windowHandle();
  ASSERT_NE(window, nullptr);
  control->log.clear();
  const QPointF at(10 + ScrollBarSize + 5, 20 + 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, window->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(window, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, window->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(window, &release);
  SendMousePress(*control, mbLeft, 5, 5);
  SendMouseRelease(*control, mbLeft, 5, 5);
  QWheelEvent wheel(QPointF(5, 30), QPointF(), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(Bar(sbVertical), &wheel);
  EXPECT_EQ(control->log, (std::vector<std::string>{"down 0 L 5,5 captured", "up 0 - 5,5", "down 0 L 5,5 captured",
                                                    "up 0 - 5,5", "wheel -120 -12,30"}));
  EXPECT_EQ(control->ClientToScreen(TPoint{5, 7}), (TPoint{100 + 10 + ScrollBarSize + 5, 50 + 20 + 7}));
  EXPECT_EQ(control->ScreenToClient(TPoint{100 + 10 + ScrollBarSize + 5, 50 + 20 + 7}), (TPoint{5, 7}));

  // With a frame and both bars: the bar inside the frame's left edge, the
  // horizontal bar and the corner square beside it.
  control->SetFrame(cfSunken);
  control->SetScrollInfo(sbHorizontal, TScrollInfo{0, 300, 10, 0});
  const int cw = 100 - 4 - ScrollBarSize;
  const int ch = 80 - 4 - ScrollBarSize;
  EXPECT_EQ(Bar(sbVertical)->geometry(), QRect(2, 2, ScrollBarSize, ch));
  EXPECT_EQ(control->Window().Client->geometry(), QRect(2 + ScrollBarSize, 2, cw, ch));
  EXPECT_EQ(Bar(sbHorizontal)->geometry(), QRect(2 + ScrollBarSize, 2 + ch, cw, ScrollBarSize));
  EXPECT_EQ(At(Shot(), 2 + 5, 2 + ch + 5), ColorToRGB(clBtnFace));  // the corner square

  // Back on the right.
  control->SetVerticalBarOnLeft(false);
  EXPECT_EQ(Bar(sbVertical)->geometry(), QRect(2 + cw, 2, ScrollBarSize, ch));
  EXPECT_EQ(control->Window().Client->geometry(), QRect(2, 2, cw, ch));
}

TEST(WheelScrollLinesTest, KeepsEveryValueAndFollowsTheToolkit) {
  Application().Initialize(0, nullptr);
  EXPECT_EQ(WheelScrollLines(), QApplication::wheelScrollLines());
  const int old = WheelScrollLines();
  for (int lines : {1, 7, 0, -1}) {
    SetWheelScrollLines(lines);
    EXPECT_EQ(WheelScrollLines(), lines);
    // What the toolkit keeps, its own widgets scroll by too.
    if (lines > 0) {
      EXPECT_EQ(QApplication::wheelScrollLines(), lines);
    }
  }
  SetWheelScrollLines(old);
  EXPECT_EQ(WheelScrollLines(), old);
  EXPECT_EQ(QApplication::wheelScrollLines(), old);
}

// Tips work on the offscreen platform with the form never shown: the tip is a
// window of its own. (A shown form that becomes active hides a tip that is up,
// as activation does on a desktop.)
class HintTest : public CustomControlTest {
 protected:
  void SetUp() override {
    CustomControlTest::SetUp();
    control->ShowHint = true;
  }
  void TearDown() override {
    control->CancelHint();
    CustomControlTest::TearDown();
  }

  // Where the tip window stands on the screen.
  static QPoint TipPosition() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == QLatin1String("qtooltip_label") && window->isVisible()) return window->pos();
    }
    return QPoint(-1, -1);
  }
  // The toolkit puts the tip a little below and right of the pointer.
  static bool TipNear(TPoint screen) {
    const QPoint tip = TipPosition();
    return tip.x() >= screen.X && tip.x() <= screen.X + 32 && tip.y() >= screen.Y && tip.y() <= screen.Y + 32;
  }
};

TEST_F(HintTest, PauseShowsThePartBeforeTheFirstBar) {
  struct Case {
    const char16_t* hint;
    bool showHint;
    const char16_t* shown;
  };
  const Case cases[] = {
      {u":-)|Smile", true, u":-)"}, {u"plain", true, u"plain"},  {u"a|b|c", true, u"a"},
      {u":-)|Smile", false, u""},   {u"", true, u""},            {u"|only the long part", true, u""},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    control->CancelHint();
    control->SetHint(c.hint);
    control->ShowHint = c.showHint;
    SendHintPause(*control, 50, 40);
    EXPECT_EQ(control->Hint(), c.hint) << "case " << i;
    EXPECT_EQ(ShownHintText(), c.shown) << "case " << i;
    if (*c.shown) {
      EXPECT_TRUE(TipNear(control->ClientToScreen(TPoint{50, 40}))) << "case " << i;
    }
  }
}

TEST_F(HintTest, CancelAndEmptyHintsHideTheTipAtOnce) {
  struct Case {
    const char* what;
    std::function<void(Recorder&)> act;
  };
  const Case cases[] = {
      {"CancelHint", [](Recorder& r) { r.CancelHint(); }},
      {"ActivateHint, empty", [](Recorder& r) { r.SetHint(u""), r.ActivateHint(r.ClientToScreen(TPoint{5, 5})); }},
      {"ActivateHint, long part only", [](Recorder& r) { r.SetHint(u"|x"), r.ActivateHint(TPoint{}); }},
      {"pause, empty", [](Recorder& r) { r.SetHint(u""), SendHintPause(r, 5, 5); }},
  };
  for (const Case& c : cases) {
    control->SetHint(u"shown");
    SendHintPause(*control, 5, 5);
    ASSERT_EQ(ShownHintText(), u"shown") << c.what;
    c.act(*control);
    EXPECT_EQ(ShownHintText(), u"") << c.what;
    // Forgotten: the next hint waits for the pause.
    control->SetHint(u"next");
    control->ActivateHint(control->ClientToScreen(TPoint{5, 5}));
    EXPECT_EQ(ShownHintText(), u"") << c.what;
    SendHintPause(*control, 5, 5);
    EXPECT_EQ(ShownHintText(), u"next") << c.what;
  }
}

TEST_F(HintTest, ActivateHintReplacesTheTipOfTheCurrentHintControlOnly) {
  control->SetHint(u"one|first");
  control->ActivateHint(control->ClientToScreen(TPoint{5, 5}));  // no tip up: waits for the pause
  EXPECT_EQ(ShownHintText(), u"");
  SendHintPause(*control, 5, 5);
  EXPECT_EQ(ShownHintText(), u"one");

  control->SetHint(u"two|second");
  const TPoint there = control->ClientToScreen(TPoint{60, 50});
  control->ActivateHint(there);
  EXPECT_EQ(ShownHintText(), u"two");
  EXPECT_TRUE(TipNear(there));

  // Another control's hint is not the one up.
  Recorder other(form.get());
  other.SetBounds(150, 20, 100, 80);
  other.ShowHint = true;
  other.SetHint(u"other");
  other.ActivateHint(other.ClientToScreen(TPoint{5, 5}));
  EXPECT_EQ(ShownHintText(), u"two");
  SendHintPause(other, 5, 5);
  EXPECT_EQ(ShownHintText(), u"other");
  control->SetHint(u"three");
  control->ActivateHint(there);
  EXPECT_EQ(ShownHintText(), u"other");
}

TEST_F(HintTest, TipTheToolkitHidesIsForgotten) {
  struct Case {
    const char* what;
    std::function<void(Recorder&)> act;
  };
  const Case cases[] = {
      {"click", [](Recorder& r) { SendMousePress(r, mbLeft, 5, 5), SendMouseRelease(r, mbLeft, 5, 5); }},
      {"wheel", [](Recorder& r) { SendWheel(r, 120, 5, 5); }},
      {"pointer leaves", [](Recorder& r) { SendMouseLeave(r); }},
  };
  for (const Case& c : cases) {
    control->SetHint(u"one");
    SendHintPause(*control, 5, 5);
    ASSERT_EQ(ShownHintText(), u"one") << c.what;
    c.act(*control);
    // After leaving, the toolkit lets the old tip fade; the new text still
    // waits for the pause.
    control->SetHint(u"two");
    control->ActivateHint(control->ClientToScreen(TPoint{5, 5}));
    EXPECT_NE(ShownHintText(), u"two") << c.what;
    SendHintPause(*control, 5, 5);
    EXPECT_EQ(ShownHintText(), u"two") << c.what;
    control->CancelHint();
  }
}

TEST_F(HintTest, TipGoesWithItsControl) {
  auto other = std::make_unique<Recorder>(form.get());
  other->ShowHint = true;
  other->SetHint(u"other");
  SendHintPause(*other, 5, 5);
  ASSERT_EQ(ShownHintText(), u"other");
  other.reset();
  EXPECT_EQ(ShownHintText(), u"");
}

TEST_F(CustomControlTest, ControlOutlivesItsFormSafely) {
  control->SetTimer(1, 5);
  form.reset();  // Qt deletes the control's widgets with the form's
  control->SetBounds(0, 0, 50, 40);
  control->SetScrollInfo(sbVertical, TScrollInfo{0, 50, 10, 0});
  control->Invalidate();
  control->Update();
  control->SetTimer(2, 5);
  control->SetCursor(crHandPoint);
  SendMousePress(*control, mbLeft, 1, 1);
  SendScrollCommand(*control, sbVertical, scLineDown);
  Application().RunFor(20);
  EXPECT_EQ(control->ClientWidth(), 50 - ScrollBarSize);
  EXPECT_EQ(control->Surface().PixelColor(1, 1), RGB(0, 0, 200));
}

}  // namespace
}  // namespace quorix
