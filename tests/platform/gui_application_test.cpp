// The application bootstrap behind the canvas.

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/errors.h"
#include "platform/graphics.h"

namespace quorix {
namespace {

// Runs in the child process: a core application, then a canvas.
[[noreturn]] void DrawUnderACoreApplication() {
  static int argc = 1;
  static char arg0[] = "core";
  static char* argv[] = {arg0, nullptr};
  QCoreApplication app(argc, argv);
  try {
    TBitmap b(1, 1);
    b.Canvas();
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    std::_Exit(3);
  }
  std::_Exit(0);
}

TEST(GuiApplicationDeathTest, ACoreApplicationWithoutGuiIsRefusedClearly) {
  // A fresh process, so that no application exists before the core one.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(DrawUnderACoreApplication(), ::testing::ExitedWithCode(3), "non-GUI QCoreApplication");
}

}  // namespace
}  // namespace quorix
