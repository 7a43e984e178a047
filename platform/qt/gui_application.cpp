#include "platform/qt/gui_application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>

#include <cstdlib>
#include <memory>

#include "platform/errors.h"
#include "platform/types.h"

namespace quorix::qt {

namespace {

// The classic system colour indices mapped to the palette's roles. The pairing
// follows what each classic colour is used for: window backgrounds are the
// palette's Base, the text drawn on them its Text, 3-D button faces and their
// edges the Button / Light / Midlight / Dark / Shadow ramp, selections the
// Highlight pair, tool tips the ToolTip pair. Captions, borders and the
// desktop have no palette roles of their own and take the nearest ones.
struct RoleOf {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

constexpr RoleOf kSystemColorRoles[] = {
    {QPalette::Active, QPalette::Button},           // 0 clScrollBar
    {QPalette::Active, QPalette::Dark},             // 1 clBackground (desktop)
    {QPalette::Active, QPalette::Highlight},        // 2 clActiveCaption
    {QPalette::Inactive, QPalette::Mid},            // 3 clInactiveCaption
    {QPalette::Active, QPalette::Window},           // 4 clMenu
    {QPalette::Active, QPalette::Base},             // 5 clWindow
    {QPalette::Active, QPalette::Shadow},           // 6 clWindowFrame
    {QPalette::Active, QPalette::WindowText},       // 7 clMenuText
    {QPalette::Active, QPalette::Text},             // 8 clWindowText
    {QPalette::Active, QPalette::HighlightedText},  // 9 clCaptionText
    {QPalette::Active, QPalette::Window},           // 10 clActiveBorder
    {QPalette::Inactive, QPalette::Window},         // 11 clInactiveBorder
    {QPalette::Active, QPalette::Mid},              // 12 clAppWorkSpace
    {QPalette::Active, QPalette::Highlight},        // 13 clHighlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 clHighlightText
    {QPalette::Active, QPalette::Button},           // 15 clBtnFace
    {QPalette::Active, QPalette::Dark},             // 16 clBtnShadow
    {QPalette::Disabled, QPalette::Text},           // 17 clGrayText
    {QPalette::Active, QPalette::ButtonText},       // 18 clBtnText
    {QPalette::Disabled, QPalette::WindowText},     // 19 clInactiveCaptionText
    {QPalette::Active, QPalette::Light},            // 20 clBtnHighlight
    {QPalette::Active, QPalette::Shadow},           // 21 cl3DDkShadow
    {QPalette::Active, QPalette::Midlight},         // 22 cl3DLight
    {QPalette::Active, QPalette::ToolTipText},      // 23 clInfoText
    {QPalette::Active, QPalette::ToolTipBase},      // 24 clInfoBk
    {QPalette::Active, QPalette::Window},           // 25 (unused index)
    {QPalette::Active, QPalette::Link},             // 26 clHotLight
    {QPalette::Active, QPalette::Highlight},        // 27 clGradientActiveCaption
    {QPalette::Inactive, QPalette::Mid},            // 28 clGradientInactiveCaption
    {QPalette::Active, QPalette::Highlight},        // 29 clMenuHighlight
    {QPalette::Active, QPalette::Window},           // 30 clMenuBar
};

TColor PaletteResolver(int index) {
  constexpr int count = sizeof(kSystemColorRoles) / sizeof(kSystemColorRoles[0]);
  if (index < 0 || index >= count || QGuiApplication::instance() == nullptr) return clBlack;
  const RoleOf r = kSystemColorRoles[index];
  const QColor c = QGuiApplication::palette().color(r.group, r.role);
  return RGB(c.red(), c.green(), c.blue());
}

// The application the canvas created, when it had to; destroyed at exit.
std::unique_ptr<QApplication>& OwnApplication() {
  static std::unique_ptr<QApplication> app;
  return app;
}

const QCoreApplication* g_prepared = nullptr;

void OnApplicationDestroyed() {
  ReleaseFontCache();
  SetSystemColorResolver(nullptr);
  g_prepared = nullptr;
}

}  // namespace

void EnsureGuiApplication() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
      setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    // Qt keeps references to argc and argv for the application's lifetime.
    static int argc = 1;
    static char arg0[] = "quorix";
    static char* argv[] = {arg0, nullptr};
    OwnApplication() = std::make_unique<QApplication>(argc, argv);
    app = OwnApplication().get();
  } else if (qobject_cast<QGuiApplication*>(app) == nullptr) {
    throw Exception("Drawing needs a GUI application, but a non-GUI QCoreApplication is running");
  }
  if (g_prepared != app) {
    g_prepared = app;
    SetSystemColorResolver(&PaletteResolver);
    qAddPostRoutine(&OnApplicationDestroyed);
  }
}

}  // namespace quorix::qt
