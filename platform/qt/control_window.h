#pragma once
// What stands behind a control of platform/controls.h: its Qt widget. The
// pointer is guarded, because Qt deletes child widgets with their parent and a
// control may outlive its parent's window.

#include <QFont>
#include <QPointer>
#include <QWidget>

#include "platform/canvas.h"
#include "platform/types.h"

namespace quorix {

struct TControlWindow {
  QPointer<QWidget> Widget;
};

// The parent's widget, or none for a top-level window.
QWidget* ParentWidget(const class TWinControl* parent);

QColor ToQColor(TColor color);
QFont ToQFont(const TFont& font);

}  // namespace quorix
