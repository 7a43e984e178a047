#pragma once
// What stands behind a control of platform/controls.h: its Qt widget. The
// pointer is guarded, because Qt deletes child widgets with their parent and a
// control may outlive its parent's window.

#include <QFont>
#include <QPointer>
#include <QWidget>

#include "platform/canvas.h"
#include "platform/input.h"
#include "platform/types.h"

namespace quorix {

struct TControlWindow {
  QPointer<QWidget> Widget;
  // Where child controls go, when it is not Widget itself: a window with scroll
  // bars places its children in the client area beside the bars, so their
  // positions are client coordinates.
  QPointer<QWidget> Client;
};

// The parent's widget for child controls (its client widget when it has one),
// or none for a top-level window.
QWidget* ParentWidget(const class TWinControl* parent);

QColor ToQColor(TColor color);
QFont ToQFont(const TFont& font);

TMouseButton FromQtButton(Qt::MouseButton button);
TShiftState FromQtState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, bool doubleClick);

}  // namespace quorix
