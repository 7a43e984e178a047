// TCustomControl on Qt Widgets.
//
// The control's window is a widget holding the client widget (which presents
// the control's surface and takes the pointer, keys and timers), the two
// scroll bars beside it and the corner square between them; the window itself
// paints the frame around all of them. Child controls go into the client
// widget.
//
// The bars' Qt state is only a mirror of the classic scroll information we
// keep ourselves: whatever the user does to a bar becomes a Scroll command,
// and afterwards the bar is set back to what the control stored, so the
// control alone decides where the bar stands.

#include "platform/custom_control.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <optional>

#include "platform/qt/control_window.h"

namespace quorix {

namespace {

// What the client widget and the bars report to the control behind them. The
// control detaches itself when it goes, since Qt may still send its widgets
// events (focus out, hide) while they are being torn down.
class ControlHost {
 public:
  virtual void ClientPaint(QWidget& widget, const QPaintEvent& event) = 0;
  virtual void ClientMouse(QMouseEvent& event) = 0;
  virtual void ClientLeave() = 0;
  // The pointer has rested for the hint pause; false leaves it to the parent.
  virtual bool ClientHintPause(const QHelpEvent& event) = 0;
  virtual void ClientWheel(QWheelEvent& event, QPoint clientPos) = 0;
  // The wheel over a bar; framePos is in the control's window.
  virtual void BarWheel(QWheelEvent& event, QPoint framePos) = 0;
  // False when the control left the key unhandled.
  virtual bool ClientKey(QKeyEvent& event) = 0;
  virtual void ClientFocus(bool gained) = 0;
  // False for a Qt timer that is not one of the control's.
  virtual bool ClientTimer(int qtTimerId) = 0;
  virtual void BarAction(TScrollBarKind bar, int action) = 0;
  virtual void BarPressed(TScrollBarKind bar) = 0;
  virtual void BarReleased(TScrollBarKind bar) = 0;

 protected:
  ~ControlHost() = default;
};

class ClientWidget final : public QWidget {
 public:
  ClientWidget(QWidget* parent, ControlHost* host) : QWidget(parent), host_(host) {
    // The surface covers every pixel; nothing is erased before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
  }
  void Detach() { host_ = nullptr; }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip || !host_) return QWidget::event(event);
    event->setAccepted(host_->ClientHintPause(static_cast<const QHelpEvent&>(*event)));
    return true;
  }
  void paintEvent(QPaintEvent* event) override {
    if (host_) host_->ClientPaint(*this, *event);
  }
  void mousePressEvent(QMouseEvent* event) override { Mouse(event); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Mouse(event); }
  void mouseMoveEvent(QMouseEvent* event) override { Mouse(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { Mouse(event); }
  void leaveEvent(QEvent* event) override {
    QWidget::leaveEvent(event);
    if (host_) host_->ClientLeave();
  }
  void wheelEvent(QWheelEvent* event) override {
    if (host_) {
      host_->ClientWheel(*event, event->position().toPoint());
    } else {
      event->ignore();
    }
  }
  void keyPressEvent(QKeyEvent* event) override { Key(event); }
  void keyReleaseEvent(QKeyEvent* event) override { Key(event); }
  void focusInEvent(QFocusEvent* event) override {
    QWidget::focusInEvent(event);
    if (host_) host_->ClientFocus(true);
  }
  void focusOutEvent(QFocusEvent* event) override {
    QWidget::focusOutEvent(event);
    if (host_) host_->ClientFocus(false);
  }
  void timerEvent(QTimerEvent* event) override {
    if (!host_ || !host_->ClientTimer(event->timerId())) QWidget::timerEvent(event);
  }
  // Tab belongs to the control first (it reaches KeyDown); when the control
  // leaves it unhandled, Key moves the focus on as Qt would have.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  void Mouse(QMouseEvent* event) {
    if (host_) host_->ClientMouse(*event);
  }
  void Key(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (host_ && host_->ClientKey(*event)) {
      event->accept();
      return;
    }
    if (tab && event->type() == QEvent::KeyPress && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
      event->accept();
      return;
    }
    event->ignore();
  }

  ControlHost* host_;
};

// The line-edit frame's width in the toolkit's style; 0 when it has none.
int ThemedFrameWidth() {
  // The style comes with the toolkit; the first one to ask starts it.
  Application().Initialize(0, nullptr);
  QStyle* style = QApplication::style();
  if (!style) return 0;
  QStyleOptionFrame option;
  return std::max(0, style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option));
}

int FrameWidthOf(TControlFrame frame) {
  switch (frame) {
    case cfNone: return 0;
    case cfSunken: return 2;
    case cfThemed: {
      const int themed = ThemedFrameWidth();
      return themed > 0 ? themed : 2;
    }
  }
  return 0;
}

// The control's window: its background, and the frame around the client
// widget and the bars that sit inside it.
class FrameWidget final : public QWidget {
 public:
  explicit FrameWidget(QWidget* parent) : QWidget(parent) {}
  void SetFrame(TControlFrame frame) {
    frame_ = frame;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (frame_ == cfNone || width() <= 0 || height() <= 0) return;
    QPainter painter(this);
    if (frame_ == cfThemed) {
      const int lineWidth = ThemedFrameWidth();
      if (lineWidth > 0) {
        QStyleOptionFrame option;
        option.initFrom(this);
        option.rect = rect();
        option.lineWidth = lineWidth;
        option.midLineWidth = 0;
        option.state |= QStyle::State_Sunken;
        // The window never has the focus itself; its client widget does.
        const QWidget* focused = QApplication::focusWidget();
        if (focused && isAncestorOf(focused)) option.state |= QStyle::State_HasFocus;
        style()->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter, this);
        return;
      }
    }
    // The classic sunken edge: two lines, each darker at the top-left than at
    // the bottom-right. As the classic drawing does, the bottom-right line
    // takes the corners it shares with the top-left one.
    const int w = width();
    const int h = height();
    auto fill = [&](int x, int y, int cx, int cy, TColor color) {
      if (cx > 0 && cy > 0) painter.fillRect(x, y, cx, cy, ToQColor(color));
    };
    fill(0, 0, w, 1, clBtnShadow);
    fill(0, 0, 1, h, clBtnShadow);
    fill(0, h - 1, w, 1, clBtnHighlight);
    fill(w - 1, 0, 1, h, clBtnHighlight);
    fill(1, 1, w - 2, 1, cl3DDkShadow);
    fill(1, 1, 1, h - 2, cl3DDkShadow);
    fill(1, h - 2, w - 2, 1, cl3DLight);
    fill(w - 2, 1, 1, h - 2, cl3DLight);
  }

 private:
  TControlFrame frame_ = cfNone;
};

class BarWidget final : public QScrollBar {
 public:
  BarWidget(QWidget* parent, TScrollBarKind kind, ControlHost* host)
      : QScrollBar(kind == sbVertical ? Qt::Vertical : Qt::Horizontal, parent), kind_(kind), host_(host) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
      if (host_) host_->BarAction(kind_, action);
    });
    connect(this, &QAbstractSlider::sliderPressed, this, [this] {
      if (host_) host_->BarPressed(kind_);
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
      if (host_) host_->BarReleased(kind_);
    });
  }
  void Detach() { host_ = nullptr; }

 protected:
  // The wheel over a bar scrolls the control as the wheel over its client
  // area does: the control decides, not the bar.
  void wheelEvent(QWheelEvent* event) override {
    if (host_) {
      host_->BarWheel(*event, mapToParent(event->position().toPoint()));
    } else {
      event->ignore();
    }
  }

 private:
  TScrollBarKind kind_;
  ControlHost* host_;
};

// Virtual key codes of the keys that have no character of their own; letters
// and digits have their upper-case character's code in both systems.
struct KeyCode {
  int qt;
  int vk;
};
constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},        {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},       {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},   {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},      {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},
};

int VirtualKeyFromQt(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  for (const KeyCode& k : kKeyCodes) {
    if (k.qt == key) return k.vk;
  }
  return 0;
}

int QtKeyFromVirtual(int vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return vk;
  for (const KeyCode& k : kKeyCodes) {
    if (k.vk == vk) return k.qt;
  }
  return Qt::Key_unknown;
}

Qt::CursorShape ToQtCursor(TCursorKind kind) {
  switch (kind) {
    case ckNone: return Qt::BlankCursor;
    case ckCross: return Qt::CrossCursor;
    case ckIBeam: return Qt::IBeamCursor;
    case ckSizeNESW: return Qt::SizeBDiagCursor;
    case ckSizeNS: return Qt::SizeVerCursor;
    case ckSizeNWSE: return Qt::SizeFDiagCursor;
    case ckSizeWE: return Qt::SizeHorCursor;
    case ckUpArrow: return Qt::UpArrowCursor;
    case ckHourGlass: return Qt::WaitCursor;
    case ckDrag: return Qt::DragMoveCursor;
    case ckNoDrop: return Qt::ForbiddenCursor;
    case ckHSplit: return Qt::SplitHCursor;
    case ckVSplit: return Qt::SplitVCursor;
    case ckMultiDrag: return Qt::DragCopyCursor;
    case ckSQLWait: return Qt::WaitCursor;
    case ckNo: return Qt::ForbiddenCursor;
    case ckAppStart: return Qt::BusyCursor;
    case ckHelp: return Qt::WhatsThisCursor;
    case ckHandPoint: return Qt::PointingHandCursor;
    case ckSizeAll: return Qt::SizeAllCursor;
    // Qt has no mirrored arrow; the plain one says "select" well enough.
    case ckFlipArrow:
    case ckDefault:
    case ckArrow: return Qt::ArrowCursor;
  }
  return Qt::ArrowCursor;
}

Qt::KeyboardModifiers ToQtModifiers(TShiftState shift) {
  Qt::KeyboardModifiers m;
  if (shift.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
  if (shift.Contains(ssAlt)) m |= Qt::AltModifier;
  return m;
}

Qt::MouseButton ToQtButton(TMouseButton button) {
  return button == mbRight ? Qt::RightButton : button == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

Qt::MouseButtons ToQtButtons(TShiftState shift) {
  Qt::MouseButtons b;
  if (shift.Contains(ssLeft)) b |= Qt::LeftButton;
  if (shift.Contains(ssRight)) b |= Qt::RightButton;
  if (shift.Contains(ssMiddle)) b |= Qt::MiddleButton;
  return b;
}

// The largest position a bar's information allows: Max - max(Page - 1, 0),
// never below Min. Computed wide, as ranges may span the whole int.
int MaxPosition(const TScrollInfo& info) {
  const std::int64_t hi = std::int64_t{info.Max} - std::max(std::int64_t{info.Page} - 1, std::int64_t{0});
  return static_cast<int>(std::max<std::int64_t>(hi, info.Min));
}

int ClampPosition(const TScrollInfo& info, int pos) { return std::clamp(pos, info.Min, MaxPosition(info)); }

// The classic rule: a bar shows when its page is not larger than its range;
// an empty range (Max = Min) shows none, whatever the page, since there is
// nothing to scroll to.
bool BarShown(const TScrollInfo& info) {
  const std::int64_t range = std::int64_t{info.Max} - info.Min;
  return range > 0 && info.Page <= range;
}

int Floor(qreal v) { return static_cast<int>(std::floor(v)); }

// The client widget whose tip the toolkit shows (or last showed): there is
// one tip for the whole application.
QPointer<QWidget>& HintClient() {
  static QPointer<QWidget> client;
  return client;
}

// The tip shows the hint's part before the first "|".
QString ShortHint(const UnicodeString& hint) { return QString::fromStdU16String(hint.substr(0, hint.find(u'|'))); }

}  // namespace

struct TCustomControl::Impl final : ControlHost {
  explicit Impl(TCustomControl& control) : owner(control) {}

  TCustomControl& owner;
  QPointer<ClientWidget> client;
  QPointer<BarWidget> bars[2];  // by TScrollBarKind
  QPointer<QWidget> corner;
  QPointer<FrameWidget> window;  // the control's own widget, which paints the frame
  TControlFrame frame = cfNone;
  bool barOnLeft = false;
  TBitmap surface;
  QRegion invalid;
  QRect presented;  // drawn outside a paint during the event being delivered
  TScrollInfo info[2];
  bool shown[2] = {false, false};
  int trackPos[2] = {0, 0};    // where the scroll box was last dragged to
  std::map<int, int> timers;   // our identifier -> Qt timer id
  bool painting = false;
  bool captured = false;

  void Detach() {
    if (client) client->Detach();
    for (auto& bar : bars) {
      if (bar) bar->Detach();
    }
  }

  // Runs one of the control's handlers inside the event guard, then has the
  // surface presented: handlers (animation ticks above all) draw on it
  // directly. The widget is looked at through a guard of its own, as the
  // handler may have destroyed the control.
  // What a handler paints shows through Invalidate, Update and Present; an
  // animation tick presents, once, the area its frames were drawn in.
  void Deliver(const std::function<void()>& handler) {
    QPointer<ClientWidget> widget = client;
    DeliverEvent(handler);
    if (widget && !presented.isEmpty()) widget->update(presented);
    presented = QRect();
  }

  // --- geometry ---

  // Places the client widget and the bars for the control's size, its frame
  // and the bars' visibility and side; a new client size resizes the surface,
  // invalidates all of it and tells the control before returning.
  void Layout() {
    const bool vertical = shown[sbVertical];
    const bool horizontal = shown[sbHorizontal];
    const int edge = FrameWidthOf(frame);
    const int innerWidth = std::max(0, owner.Width() - 2 * edge);
    const int innerHeight = std::max(0, owner.Height() - 2 * edge);
    const int cw = std::max(0, innerWidth - (vertical ? ScrollBarSize : 0));
    const int ch = std::max(0, innerHeight - (horizontal ? ScrollBarSize : 0));
    const int clientX = edge + (vertical && barOnLeft ? ScrollBarSize : 0);
    const int barX = barOnLeft ? edge : edge + cw;
    if (client) {
      client->setGeometry(clientX, edge, cw, ch);
      client->setVisible(true);
    }
    if (QWidget* bar = bars[sbVertical]) {
      bar->setGeometry(barX, edge, ScrollBarSize, ch);
      bar->setVisible(vertical);
    }
    if (QWidget* bar = bars[sbHorizontal]) {
      bar->setGeometry(clientX, edge + ch, cw, ScrollBarSize);
      bar->setVisible(horizontal);
    }
    if (corner) {
      corner->setGeometry(barX, edge + ch, ScrollBarSize, ScrollBarSize);
      corner->setVisible(vertical && horizontal);
    }
    if (cw == surface.GetWidth() && ch == surface.GetHeight()) return;
    surface.SetSize(cw, ch);
    invalid = QRegion(0, 0, cw, ch);
    Deliver([this] { owner.Resize(); });
  }

  // --- painting ---

  void PaintInvalid() {
    // A Paint that asks for Update paints nothing more: what it invalidated
    // waits for the next paint.
    if (painting || invalid.isEmpty()) return;
    const QRect part = invalid.boundingRect();
    // Cleared first, so that Paint may invalidate again.
    invalid = QRegion();
    if (surface.GetWidth() == 0 || surface.GetHeight() == 0) return;
    painting = true;
    TCanvas& canvas = surface.Canvas();
    canvas.SaveState();
    canvas.ResetClip();
    canvas.SetOrigin(0, 0);
    canvas.IntersectClipRect(Rect(part.left(), part.top(), part.left() + part.width(), part.top() + part.height()));
    DeliverEvent([this] { owner.Paint(); });
    canvas.RestoreState();
    painting = false;
  }

  void Invalidate(const QRect& rect) {
    const QRect r = rect.intersected(QRect(0, 0, surface.GetWidth(), surface.GetHeight()));
    if (r.isEmpty()) return;
    invalid += r;
    if (client) client->update(r);
  }

  void ClientPaint(QWidget& widget, const QPaintEvent& event) override {
    PaintInvalid();
    if (surface.GetWidth() <= 0 || surface.GetHeight() <= 0) return;
    // The pixels as they are: the alpha byte is not looked at.
    const QImage view(reinterpret_cast<const uchar*>(surface.Pixels()), surface.GetWidth(), surface.GetHeight(),
                      surface.GetWidth() * 4, QImage::Format_RGB32);
    QPainter painter(&widget);
    const QRect r = event.rect();
    painter.drawImage(r, view, r);
  }

  void ScrollClient(int dx, int dy) {
    const int w = surface.GetWidth();
    const int h = surface.GetHeight();
    if (w == 0 || h == 0 || (dx == 0 && dy == 0)) return;
    if (std::abs(dx) >= w || std::abs(dy) >= h) {
      // Nothing stays in view.
      Invalidate(QRect(0, 0, w, h));
      return;
    }
    const int columns = w - std::abs(dx);
    const int fromX = std::max(0, -dx);
    const int toX = std::max(0, dx);
    // Rows are walked against the direction of the move so that no source
    // row is overwritten before it is copied; memmove takes care of a row
    // moving onto itself.
    auto moveRow = [&](int y) {
      std::memmove(surface.Scanline(y) + toX, surface.Scanline(y - dy) + fromX, sizeof(TPixel) * columns);
    };
    if (dy > 0) {
      for (int y = h - 1; y >= dy; --y) moveRow(y);
    } else {
      for (int y = 0; y < h + dy; ++y) moveRow(y);
    }
    const QRect all(0, 0, w, h);
    invalid = invalid.translated(dx, dy).intersected(all);
    if (dx > 0) invalid += QRect(0, 0, dx, h);
    if (dx < 0) invalid += QRect(w + dx, 0, -dx, h);
    if (dy > 0) invalid += QRect(0, 0, w, dy);
    if (dy < 0) invalid += QRect(0, h + dy, w, -dy);
    if (client) client->update();
  }

  // --- scroll bars ---

  // The bar mirrors the stored information; its own signals stay quiet.
  void ApplyToBar(TScrollBarKind kind) {
    QScrollBar* bar = bars[kind];
    if (!bar) return;
    const TScrollInfo& i = info[kind];
    const QSignalBlocker blocker(bar);
    bar->setRange(i.Min, MaxPosition(i));
    bar->setPageStep(std::max(i.Page, 0));
    bar->setValue(i.Pos);
    bar->setSliderPosition(i.Pos);
  }

  void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& value) {
    info[kind] = value;
    info[kind].Pos = ClampPosition(value, value.Pos);
    ApplyToBar(kind);
    const bool show = BarShown(info[kind]);
    if (show == shown[kind]) return;
    shown[kind] = show;
    // May call Resize, which may set the bars again; nothing of this call is
    // used afterwards.
    Layout();
  }

  // A command of a bar, however it came: the control handles it, then the
  // bar is put back where the control wants it.
  void Command(TScrollBarKind kind, TScrollCode code, int pos) {
    QPointer<BarWidget> bar = bars[kind];
    Deliver([&] { owner.Scroll(kind, code, pos); });
    if (bar) ApplyToBar(kind);
  }

  void Track(TScrollBarKind kind, int pos) {
    trackPos[kind] = pos;
    Command(kind, scTrack, pos);
  }

  void Release(TScrollBarKind kind, int pos) {
    QPointer<BarWidget> bar = bars[kind];
    Command(kind, scPosition, pos);
    if (bar) Command(kind, scEndScroll, pos);
  }

  void BarAction(TScrollBarKind kind, int action) override {
    QScrollBar* bar = bars[kind];
    if (!bar) return;
    const int pos = info[kind].Pos;
    switch (action) {
      case QAbstractSlider::SliderSingleStepSub: Command(kind, scLineUp, pos); break;
      case QAbstractSlider::SliderSingleStepAdd: Command(kind, scLineDown, pos); break;
      case QAbstractSlider::SliderPageStepSub: Command(kind, scPageUp, pos); break;
      case QAbstractSlider::SliderPageStepAdd: Command(kind, scPageDown, pos); break;
      case QAbstractSlider::SliderToMinimum: Command(kind, scTop, pos); break;
      case QAbstractSlider::SliderToMaximum: Command(kind, scBottom, pos); break;
      case QAbstractSlider::SliderMove: Track(kind, bar->sliderPosition()); break;
      default: break;
    }
  }

  void BarPressed(TScrollBarKind kind) override {
    if (QScrollBar* bar = bars[kind]) trackPos[kind] = bar->sliderPosition();
  }

  // The box goes back to the stored position after every drag step, so the
  // release reports where it was last dragged to.
  void BarReleased(TScrollBarKind kind) override { Release(kind, trackPos[kind]); }

  // --- input ---

  void ClientMouse(QMouseEvent& event) override {
    const int x = Floor(event.position().x());
    const int y = Floor(event.position().y());
    const bool doubleClick = event.type() == QEvent::MouseButtonDblClick;
    const TShiftState shift = FromQtState(event.modifiers(), event.buttons(), doubleClick);
    const TMouseButton button = FromQtButton(event.button());
    switch (event.type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        // Qt keeps sending the pointer to the widget a button went down on
        // until all buttons are up: that is the capture.
        captured = true;
        Deliver([&] { owner.MouseDown(button, shift, x, y); });
        break;
      case QEvent::MouseButtonRelease:
        if (event.buttons() == Qt::NoButton) captured = false;
        Deliver([&] { owner.MouseUp(button, shift, x, y); });
        break;
      case QEvent::MouseMove:
        // A release that went elsewhere (a box opened from a handler) must
        // not leave the capture standing.
        if (event.buttons() == Qt::NoButton) captured = false;
        Deliver([&] { owner.MouseMove(shift, x, y); });
        break;
      default:
        break;
    }
    event.accept();
  }

  void ClientLeave() override {
    // The toolkit hides the tip when the pointer leaves; from now on a new
    // hint waits for the pause again.
    if (HintClient() == client) HintClient() = nullptr;
    Deliver([this] { owner.MouseLeave(); });
  }

  // --- hints ---

  // The tip may vanish without telling anyone (a click, the wheel, its time
  // running out), so whether it is still up is asked of the toolkit each time.
  bool HintIsUp() const { return client && HintClient() == client && QToolTip::isVisible(); }

  // Shows the hint at screenPos in place of whatever tip is up; an empty one
  // hides the tip instead.
  void ShowHintAt(QPoint screenPos) {
    if (!client) return;
    const QString text = ShortHint(owner.Hint());
    if (text.isEmpty()) {
      CancelHint();
      return;
    }
    QToolTip::showText(screenPos, text, client);
    HintClient() = client;
  }

  // Qt's own hiding lets the tip linger a moment longer (its fade); a
  // cancelled hint goes at once, so the tip's window is hidden as well. The
  // toolkit replaces a hidden tip with a new one when it shows the next.
  static void CancelHint() {
    HintClient() = nullptr;
    QToolTip::hideText();
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == QLatin1String("qtooltip_label")) window->hide();
    }
  }

  bool ClientHintPause(const QHelpEvent& event) override {
    if (!owner.ShowHint) return false;
    const QPoint at = event.globalPos();
    DeliverEvent([this, at] { ShowHintAt(at); });
    return true;
  }

  void ClientWheel(QWheelEvent& event, QPoint clientPos) override {
    const QPoint angle = event.angleDelta();
    // A horizontal-only wheel (tilt, sideways swipe) still scrolls.
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const TShiftState shift = FromQtState(event.modifiers(), event.buttons(), false);
    bool used = false;
    Deliver([&] { used = owner.MouseWheel(shift, delta, TPoint{clientPos.x(), clientPos.y()}); });
    // Unused, the wheel goes on to the parent.
    event.setAccepted(used);
  }

  void BarWheel(QWheelEvent& event, QPoint framePos) override {
    ClientWheel(event, client ? framePos - client->pos() : framePos);
  }

  bool ClientKey(QKeyEvent& event) override {
    int key = VirtualKeyFromQt(event.key());
    if (key == 0) return false;
    const TShiftState shift = FromQtState(event.modifiers(), QGuiApplication::mouseButtons(), false);
    if (event.type() == QEvent::KeyPress) {
      Deliver([&] { owner.KeyDown(key, shift); });
    } else {
      Deliver([&] { owner.KeyUp(key, shift); });
    }
    return key == 0;
  }

  void ClientFocus(bool gained) override {
    // A themed frame may show where the focus is.
    if (window && frame == cfThemed) window->update();
    Deliver([this, gained] { owner.FocusChanged(gained); });
  }

  bool ClientTimer(int qtTimerId) override {
    for (const auto& [id, qtId] : timers) {
      if (qtId == qtTimerId) {
        const int ours = id;  // the handler may kill or re-arm it
        Deliver([this, ours] { owner.Timer(ours); });
        return true;
      }
    }
    return false;
  }

  // --- timers ---

  void KillTimer(int id) {
    auto it = timers.find(id);
    if (it == timers.end()) return;
    if (client) client->killTimer(it->second);
    timers.erase(it);
  }

  void KillAllTimers() {
    if (client) {
      for (const auto& entry : timers) client->killTimer(entry.second);
    }
    timers.clear();
  }
};

namespace {

std::unique_ptr<TControlWindow> MakeFrame(TWinControl* parent) {
  // A widget needs the toolkit; the first control made starts it.
  Application().Initialize(0, nullptr);
  auto window = std::make_unique<TControlWindow>();
  window->Widget = new FrameWidget(ParentWidget(parent));  // owned by the Qt parent or by ~TControl
  return window;
}

}  // namespace

// The toolkit layer's way into a control's private part (the test input helpers).
struct CustomControlAccess {
  static TCustomControl::Impl& Of(TCustomControl& control) { return *control.impl_; }
};

// --- TCustomControl ---

TCustomControl::TCustomControl(TWinControl* parent)
    : TWinControl(parent, MakeFrame(parent), clBtnFace), impl_(std::make_unique<Impl>(*this)) {
  QWidget* frame = Window().Widget;
  impl_->window = static_cast<FrameWidget*>(frame);
  impl_->client = new ClientWidget(frame, impl_.get());
  impl_->bars[sbVertical] = new BarWidget(frame, sbVertical, impl_.get());
  impl_->bars[sbHorizontal] = new BarWidget(frame, sbHorizontal, impl_.get());
  impl_->corner = new QWidget(frame);
  QPalette palette = impl_->corner->palette();
  palette.setColor(QPalette::Window, ToQColor(clBtnFace));
  impl_->corner->setPalette(palette);
  impl_->corner->setAutoFillBackground(true);
  Window().Client = impl_->client.data();
  for (TScrollBarKind kind : {sbVertical, sbHorizontal}) impl_->ApplyToBar(kind);
  impl_->Layout();
  SetTabStop(tabStop_);
  SetCursor(cursor_);
}

TCustomControl::~TCustomControl() {
  // The derived part is gone: no virtual may run any more, whatever Qt still
  // sends the widgets while ~TControl deletes them.
  impl_->KillAllTimers();
  // A tip does not outlive the control it tells about.
  if (impl_->HintIsUp()) Impl::CancelHint();
  impl_->Detach();
}

void TCustomControl::CreateHandle() {
  if (handleAllocated_) return;
  handleAllocated_ = true;
  CreateWnd();
}

void TCustomControl::DestroyHandle() {
  if (!handleAllocated_) return;
  DestroyWnd();
  handleAllocated_ = false;
}

void TCustomControl::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  // Laid out here and not on Qt's resize event, which a hidden widget gets
  // only when it is shown.
  impl_->Layout();
}

int TCustomControl::ClientWidth() const { return impl_->surface.GetWidth(); }
int TCustomControl::ClientHeight() const { return impl_->surface.GetHeight(); }

TCanvas& TCustomControl::Canvas() { return impl_->surface.Canvas(); }
const TBitmap& TCustomControl::Surface() const { return impl_->surface; }

void TCustomControl::Invalidate() { impl_->Invalidate(QRect(0, 0, ClientWidth(), ClientHeight())); }

void TCustomControl::InvalidateRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  impl_->Invalidate(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

void TCustomControl::Update() {
  impl_->PaintInvalid();
  if (impl_->client) impl_->client->update();
}

void TCustomControl::Present(const TRect& rect) {
  if (rect.IsEmpty()) return;
  // Gathered for the end of the event; the toolkit merges it with any other repaint.
  impl_->presented |= QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

bool TCustomControl::HasInvalidPart() const { return !impl_->invalid.isEmpty(); }

TRect TCustomControl::InvalidBounds() const {
  const QRect r = impl_->invalid.boundingRect();
  if (r.isEmpty()) return TRect{};
  return Bounds(r.left(), r.top(), r.width(), r.height());
}

void TCustomControl::ScrollClient(int dx, int dy) { impl_->ScrollClient(dx, dy); }

TScrollInfo TCustomControl::GetScrollInfo(TScrollBarKind bar) const { return impl_->info[bar]; }

void TCustomControl::SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info, bool redraw) {
  (void)redraw;  // the bar is a widget of its own and repaints when it changes
  impl_->SetScrollInfo(bar, info);
}

int TCustomControl::SetScrollPos(TScrollBarKind bar, int pos) {
  TScrollInfo& info = impl_->info[bar];
  info.Pos = ClampPosition(info, pos);
  impl_->ApplyToBar(bar);
  return info.Pos;
}

bool TCustomControl::ScrollBarVisible(TScrollBarKind bar) const { return impl_->shown[bar]; }

void TCustomControl::SetVerticalBarOnLeft(bool value) {
  if (impl_->barOnLeft == value) return;
  impl_->barOnLeft = value;
  impl_->Layout();
}

bool TCustomControl::VerticalBarOnLeft() const { return impl_->barOnLeft; }

void TCustomControl::SetFrame(TControlFrame frame) {
  if (impl_->frame == frame) return;
  impl_->frame = frame;
  if (impl_->window) impl_->window->SetFrame(frame);
  impl_->Layout();
}

TControlFrame TCustomControl::Frame() const { return impl_->frame; }

int TCustomControl::FrameWidth() const { return FrameWidthOf(impl_->frame); }

// --- toolkit settings ---

bool HasThemedFrames() { return ThemedFrameWidth() > 0; }

namespace {

// A wheel setting the toolkit would not keep (it takes 0 and negative values
// for "the platform's default"), or one made before the toolkit started.
std::optional<int>& WheelLinesOverride() {
  static std::optional<int> lines;
  return lines;
}

bool ToolkitStarted() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace

int WheelScrollLines() {
  if (const std::optional<int>& lines = WheelLinesOverride()) return *lines;
  return ToolkitStarted() ? QApplication::wheelScrollLines() : 3;
}

void SetWheelScrollLines(int lines) {
  if (ToolkitStarted()) {
    QApplication::setWheelScrollLines(lines);
    if (QApplication::wheelScrollLines() == lines) {
      // The toolkit keeps it, so the rest of the toolkit scrolls alike.
      WheelLinesOverride().reset();
      return;
    }
  }
  WheelLinesOverride() = lines;
}

void TCustomControl::SetTimer(int id, int milliseconds) {
  impl_->KillTimer(id);
  ClientWidget* client = impl_->client;
  if (!client) return;
  // Qt's zero interval fires at every pass of the event loop; a classic
  // timer never fires more often than every few milliseconds.
  const int qtId = client->startTimer(std::max(milliseconds, 1));
  if (qtId != 0) impl_->timers[id] = qtId;
}

void TCustomControl::KillTimer(int id) { impl_->KillTimer(id); }

bool TCustomControl::TimerActive(int id) const { return impl_->timers.count(id) != 0; }

void TCustomControl::SetTabStop(bool value) {
  tabStop_ = value;
  // A click focuses the control either way; only the Tab key skips it.
  if (QWidget* client = impl_->client) client->setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomControl::SetFocus() {
  if (QWidget* client = impl_->client) client->setFocus(Qt::OtherFocusReason);
}

bool TCustomControl::Focused() const {
  const QWidget* client = impl_->client;
  return client && client->hasFocus();
}

bool TCustomControl::MouseCapture() const { return impl_->captured; }

void TCustomControl::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  if (QWidget* client = impl_->client) client->setCursor(QCursor(ToQtCursor(GetCursorKind(cursor))));
}

TPoint TCustomControl::CursorPosition() const {
  const QWidget* client = impl_->client;
  if (!client) return TPoint{};
  const QPoint p = client->mapFromGlobal(QCursor::pos());
  return TPoint{p.x(), p.y()};
}

TPoint TCustomControl::ClientToScreen(TPoint point) const {
  const QWidget* client = impl_->client;
  if (!client) return point;
  const QPoint p = client->mapToGlobal(QPoint(point.X, point.Y));
  return TPoint{p.x(), p.y()};
}

TPoint TCustomControl::ScreenToClient(TPoint point) const {
  const QWidget* client = impl_->client;
  if (!client) return point;
  const QPoint p = client->mapFromGlobal(QPoint(point.X, point.Y));
  return TPoint{p.x(), p.y()};
}

void TCustomControl::CancelHint() { Impl::CancelHint(); }

void TCustomControl::ActivateHint(TPoint screenPos) {
  if (ShortHint(hint_).isEmpty()) {
    CancelHint();
  } else if (impl_->HintIsUp()) {
    impl_->ShowHintAt(QPoint(screenPos.X, screenPos.Y));
  }
}

TShiftState TCustomControl::CurrentShiftState() const {
  return FromQtState(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons(), false);
}

bool TCustomControl::KeyPressed(int virtualKey) const {
  switch (virtualKey) {
    case VK_LBUTTON: return QGuiApplication::mouseButtons() & Qt::LeftButton;
    case VK_RBUTTON: return QGuiApplication::mouseButtons() & Qt::RightButton;
    case VK_MBUTTON: return QGuiApplication::mouseButtons() & Qt::MiddleButton;
    case VK_SHIFT: return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
    case VK_CONTROL: return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
    case VK_MENU: return QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier;
    default: return false;
  }
}

// --- synthetic input ---

namespace {

QWidget* ClientOf(TCustomControl& control) { return control.Window().Client; }

void SendMouse(TCustomControl& control, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers, int x, int y) {
  QWidget* client = ClientOf(control);
  if (!client) return;
  const QPointF local(x, y);
  QMouseEvent event(type, local, client->mapToGlobal(local), button, buttons, modifiers);
  QCoreApplication::sendEvent(client, &event);
}

}  // namespace

void SendMouseMove(TCustomControl& control, int x, int y, TShiftState buttons) {
  SendMouse(control, QEvent::MouseMove, Qt::NoButton, ToQtButtons(buttons), ToQtModifiers(buttons), x, y);
}

void PlacePointer(TCustomControl& control, int x, int y) {
  const TPoint screen = control.ClientToScreen(TPoint{x, y});
  QCursor::setPos(screen.X, screen.Y);
}

void SendMousePress(TCustomControl& control, TMouseButton button, int x, int y) {
  SendMouse(control, QEvent::MouseButtonPress, ToQtButton(button), ToQtButton(button), Qt::NoModifier, x, y);
}

void SendMouseRelease(TCustomControl& control, TMouseButton button, int x, int y) {
  SendMouse(control, QEvent::MouseButtonRelease, ToQtButton(button), Qt::NoButton, Qt::NoModifier, x, y);
}

void SendMouseLeave(TCustomControl& control) {
  QWidget* client = ClientOf(control);
  if (!client) return;
  QEvent event(QEvent::Leave);
  QCoreApplication::sendEvent(client, &event);
}

bool SendWheel(TCustomControl& control, int delta, int x, int y) {
  QWidget* client = ClientOf(control);
  if (!client) return false;
  const QPointF local(x, y);
  QWheelEvent event(local, client->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(client, &event);
  return event.isAccepted();
}

void SendKey(TCustomControl& control, int virtualKey, TShiftState shift) {
  QWidget* client = ClientOf(control);
  if (!client) return;
  int key = QtKeyFromVirtual(virtualKey);
  const Qt::KeyboardModifiers modifiers = ToQtModifiers(shift);
  // Qt reports Shift+Tab as a key of its own.
  if (key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)) key = Qt::Key_Backtab;
  QString text;
  if (virtualKey == VK_SPACE || (virtualKey >= '0' && virtualKey <= '9')) {
    text = QChar(virtualKey);
  } else if (virtualKey >= 'A' && virtualKey <= 'Z') {
    text = QChar((modifiers & Qt::ShiftModifier) ? virtualKey : virtualKey - 'A' + 'a');
  }
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(client, &press);
  if (!ClientOf(control)) return;
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(client, &release);
}

void SendHintPause(TCustomControl& control, int x, int y) {
  QWidget* client = ClientOf(control);
  if (!client) return;
  const QPoint local(x, y);
  QHelpEvent event(QEvent::ToolTip, local, client->mapToGlobal(local));
  QCoreApplication::sendEvent(client, &event);
}

UnicodeString ShownHintText() { return QToolTip::isVisible() ? QToolTip::text().toStdU16String() : UnicodeString(); }

void SendScrollCommand(TCustomControl& control, TScrollBarKind bar, TScrollCode code, int pos) {
  auto& impl = CustomControlAccess::Of(control);
  QScrollBar* widget = impl.bars[bar];
  if (!widget) return;
  // The bar's own actions go through Qt, as a click on the bar would; the
  // box's drag steps and its release carry a position, which goes the way
  // the bar's signals take.
  switch (code) {
    case scLineUp: widget->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case scLineDown: widget->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case scPageUp: widget->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case scPageDown: widget->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case scTop: widget->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case scBottom: widget->triggerAction(QAbstractSlider::SliderToMaximum); break;
    case scTrack: impl.Track(bar, pos); break;
    case scPosition: impl.Release(bar, pos); break;
    case scEndScroll: impl.Command(bar, scEndScroll, pos); break;
  }
}

}  // namespace quorix
