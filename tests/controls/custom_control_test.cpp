// The custom control on the real toolkit (offscreen): painting the invalid
// part onto the surface, moving surface pixels, the scroll bars' visibility
// rule and commands, timers, pointer, keys and hints as Qt delivers them.

#include "platform/custom_control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <memory>
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
