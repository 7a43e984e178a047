// The controls of platform/controls.h on Qt Widgets: one widget per control,
// made in the control's constructor with its parent's widget as parent.

#include "platform/controls.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QWidget>
#include <algorithm>
#include <cstring>

#include "platform/qt/control_window.h"

namespace quorix {

QWidget* ParentWidget(const TWinControl* parent) {
  if (!parent) return nullptr;
  const TControlWindow& window = parent->Window();
  return window.Client ? window.Client.data() : window.Widget.data();
}

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QFont ToQFont(const TFont& font) {
  QFont f(QString::fromStdU16String(font.Name));
  if (font.Height < 0) {
    f.setPixelSize(-font.Height);
  } else if (font.Height > 0) {
    // A positive height is the cell height; the character height is smaller by
    // the internal leading, which a sans-serif face keeps near a fifth.
    f.setPixelSize(std::max(1, font.Height * 4 / 5));
  }
  f.setBold(font.Style.Contains(fsBold));
  f.setItalic(font.Style.Contains(fsItalic));
  f.setUnderline(font.Style.Contains(fsUnderline));
  f.setStrikeOut(font.Style.Contains(fsStrikeOut));
  return f;
}

TMouseButton FromQtButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return mbRight;
    case Qt::MiddleButton:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

TShiftState FromQtState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, bool doubleClick) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (buttons & Qt::LeftButton) shift.Include(ssLeft);
  if (buttons & Qt::RightButton) shift.Include(ssRight);
  if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
  if (doubleClick) shift.Include(ssDouble);
  return shift;
}

namespace {

template <class W, class... Args>
std::unique_ptr<TControlWindow> MakeWindow(TWinControl* parent, Args&&... args) {
  // A widget needs the toolkit; the first control made starts it.
  Application().Initialize(0, nullptr);
  auto window = std::make_unique<TControlWindow>();
  window->Widget = new W(ParentWidget(parent), std::forward<Args>(args)...);  // owned by the Qt parent or by ~TControl
  return window;
}

void FillBackground(QWidget* widget, TColor color) {
  if (!widget) return;
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

class FormWidget : public QWidget {
 public:
  FormWidget(QWidget* parent, TForm* owner) : QWidget(parent), owner_(owner) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    owner_->WindowResized(event->size().width(), event->size().height());
  }

 private:
  TForm* owner_;
};

class PanelWidget : public QWidget {
 public:
  explicit PanelWidget(QWidget* parent) : QWidget(parent) {}
};

class ButtonWidget : public QPushButton {
 public:
  ButtonWidget(QWidget* parent, TButton* owner) : QPushButton(parent) {
    QObject::connect(this, &QPushButton::clicked, this, [owner] {
      DeliverEvent([owner] {
        if (owner->OnClick) owner->OnClick(owner);
      });
    });
  }
};

class ShapeWidget : public QWidget {
 public:
  ShapeWidget(QWidget* parent, const TShape* owner) : QWidget(parent), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    if (owner_->Brush().Style == bsSolid) painter.fillRect(0, 0, w, h, ToQColor(owner_->Brush().Color));
    const TPen& pen = owner_->Pen();
    if (pen.Style == psClear) return;
    const QColor frame = ToQColor(pen.Color);
    // A pen of width n draws a frame n pixels thick inside the bounds.
    for (int i = 0; i < std::max(1, pen.Width) && 2 * i < std::min(w, h); ++i) {
      painter.fillRect(i, i, w - 2 * i, 1, frame);
      painter.fillRect(i, h - 1 - i, w - 2 * i, 1, frame);
      painter.fillRect(i, i, 1, h - 2 * i, frame);
      painter.fillRect(w - 1 - i, i, 1, h - 2 * i, frame);
    }
  }

 private:
  const TShape* owner_;
};

class ImageWidget : public QWidget {
 public:
  ImageWidget(QWidget* parent, TImage* owner) : QWidget(parent), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const TBitmap& bitmap = static_cast<const TImage*>(owner_)->Bitmap();
    if (bitmap.GetWidth() <= 0 || bitmap.GetHeight() <= 0) return;
    // The pixels as they are: the alpha byte is not looked at.
    const QImage view(reinterpret_cast<const uchar*>(bitmap.Pixels()), bitmap.GetWidth(), bitmap.GetHeight(),
                      bitmap.GetWidth() * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, view);
  }

  void mousePressEvent(QMouseEvent* event) override {
    const TMouseButton button = FromQtButton(event->button());
    const TShiftState shift = FromQtState(event->modifiers(), event->buttons(), false);
    const int x = static_cast<int>(event->position().x());
    const int y = static_cast<int>(event->position().y());
    TImage* owner = owner_;
    DeliverEvent([=] {
      if (owner->OnMouseDown) owner->OnMouseDown(owner, button, shift, x, y);
    });
  }

 private:
  TImage* owner_;
};

}  // namespace

// --- TControl ---

TControl::TControl(TWinControl* parent, std::unique_ptr<TControlWindow> window)
    : parent_(parent), window_(std::move(window)) {
  if (parent_) parent_->children_.push_back(this);
  QWidget* widget = window_->Widget;
  if (parent_) {
    widget->setGeometry(0, 0, 0, 0);
    widget->setVisible(true);
  } else {
    visible_ = false;
  }
}

TControl::~TControl() {
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  delete window_->Widget.data();  // the widget is ours unless Qt already deleted it with its parent
}

void TControl::SetBounds(int left, int top, int width, int height) {
  bounds_ = Bounds(left, top, std::max(0, width), std::max(0, height));
  QWidget* widget = window_->Widget;
  if (!widget) return;
  if (parent_) {
    widget->setGeometry(bounds_.Left, bounds_.Top, bounds_.Width(), bounds_.Height());
  } else {
    widget->move(bounds_.Left, bounds_.Top);
    widget->resize(bounds_.Width(), bounds_.Height());
  }
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (QWidget* widget = window_->Widget) widget->setVisible(visible);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (QWidget* widget = window_->Widget) widget->setEnabled(enabled);
}

void TControl::Invalidate() {
  if (QWidget* widget = window_->Widget) widget->update();
}

// --- TWinControl ---

TWinControl::TWinControl(TWinControl* parent, std::unique_ptr<TControlWindow> window, TColor color)
    : TControl(parent, std::move(window)), color_(color) {
  FillBackground(Window().Widget, color_);
}

TWinControl::~TWinControl() {
  // Children that outlive this control lose their parent; Qt deletes their
  // widgets with ours.
  for (TControl* child : children_) child->parent_ = nullptr;
}

void TWinControl::SetColor(TColor color) {
  color_ = color;
  FillBackground(Window().Widget, color_);
}

// --- TForm ---

TForm::TForm() : TWinControl(nullptr, MakeWindow<FormWidget>(nullptr, this), clBtnFace) {
  SetFont(font_);
}

TForm::~TForm() = default;

void TForm::SetCaption(const UnicodeString& caption) {
  caption_ = caption;
  if (QWidget* widget = Window().Widget) widget->setWindowTitle(QString::fromStdU16String(caption));
}

void TForm::SetFont(const TFont& font) {
  font_ = font;
  if (QWidget* widget = Window().Widget) widget->setFont(ToQFont(font));
}

void TForm::DoCreate() {
  DeliverEvent([this] {
    if (OnCreate) OnCreate(this);
  });
}

void TForm::WindowResized(int width, int height) {
  if (width == Width() && height == Height()) return;
  TControl::SetBounds(Left(), Top(), width, height);
  DeliverEvent([this] {
    if (OnResize) OnResize(this);
  });
}

void TForm::ShowOffScreen() {
  if (QWidget* widget = Window().Widget) widget->setAttribute(Qt::WA_DontShowOnScreen, true);
  Show();
}

void TForm::Close() {
  if (QWidget* widget = Window().Widget) widget->close();
  Hide();
}

void TForm::GrabClientArea(TBitmap& bitmap) {
  QWidget* widget = Window().Widget;
  const int w = ClientWidth();
  const int h = ClientHeight();
  bitmap.SetSize(w, h);
  if (!widget || w == 0 || h == 0) return;
  QImage image = widget->grab(QRect(0, 0, w, h)).toImage();
  if (image.width() != w || image.height() != h) image = image.scaled(w, h);  // a high-DPI screen's grab
  image = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    const auto* source = reinterpret_cast<const TPixel*>(image.constScanLine(y));
    TPixel* target = bitmap.Scanline(y);
    for (int x = 0; x < w; ++x) target[x] = source[x] | 0xFF000000u;
  }
}

// --- TButton ---

TButton::TButton(TWinControl* parent) : TWinControl(parent, MakeWindow<ButtonWidget>(parent, this), clBtnFace) {}

TButton::~TButton() = default;

void TButton::SetCaption(const UnicodeString& caption) {
  caption_ = caption;
  if (auto* button = static_cast<QPushButton*>(Window().Widget.data())) button->setText(QString::fromStdU16String(caption));
}

void TButton::Click() {
  if (OnClick) OnClick(this);
}

// --- TPanel ---

TPanel::TPanel(TWinControl* parent) : TWinControl(parent, MakeWindow<PanelWidget>(parent), clBtnFace) {}

TPanel::~TPanel() = default;

// --- TShape ---

TShape::TShape(TWinControl* parent) : TControl(parent, MakeWindow<ShapeWidget>(parent, this)) {}

TShape::~TShape() = default;

void TShape::SetBrush(const TBrush& brush) {
  brush_ = brush;
  Invalidate();
}

void TShape::SetPen(const TPen& pen) {
  pen_ = pen;
  Invalidate();
}

// --- TImage ---

TImage::TImage(TWinControl* parent)
    : TControl(parent, MakeWindow<ImageWidget>(parent, this)), bitmap_(std::make_unique<TBitmap>()) {}

TImage::~TImage() = default;

TBitmap& TImage::Bitmap() {
  Invalidate();
  return *bitmap_;
}

// --- synthetic input ---

void SendMouseDown(TControl& control, TMouseButton button, int x, int y) {
  QWidget* widget = control.Window().Widget;
  if (!widget) return;
  const Qt::MouseButton qtButton =
      button == mbRight ? Qt::RightButton : button == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
  const QPointF local(x, y);
  const QPointF global = widget->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, qtButton, qtButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, qtButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

void SendClick(TButton& button) {
  if (auto* widget = static_cast<QPushButton*>(button.Window().Widget.data())) widget->click();
}

}  // namespace quorix

// --- re-parenting ---

namespace quorix {

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (parent_) parent_->children_.push_back(this);
  if (QWidget* widget = window_->Widget) {
    widget->setParent(ParentWidget(parent_));
    widget->setGeometry(bounds_.Left, bounds_.Top, bounds_.Width(), bounds_.Height());
    // A widget that changes parents is hidden by Qt; ours keep their visibility.
    widget->setVisible(parent_ && visible_);
  }
}

}  // namespace quorix
