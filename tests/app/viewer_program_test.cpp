// The viewer program itself: its options and a headless screenshot.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/graphics.h"
#include "tests/support/temp_dir.h"

namespace quorix {
namespace {

// Runs the viewer with arguments, standard error into a file; the exit status.
int RunViewer(const std::string& arguments, const std::string& errorFile) {
  const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + QUORIX_VIEWER_PATH + "' " + arguments +
                              " >/dev/null 2>'" + errorFile + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadText(const std::string& path) {
  std::string text;
  ReadWholeFile(path, text);
  return text;
}

TEST(ViewerProgramTest, ScreenshotOfADirectoryWithoutAList) {
  test::TempDir dir;
  const std::string shot = dir.File("shot.png");
  const std::string errors = dir.File("errors.txt");
  ASSERT_EQ(RunViewer("--dir '" + dir.Path().string() + "' --screenshot '" + shot + "' --after-ms 50", errors), 0)
      << ReadText(errors);
  // No error reached the error handler (which reports on standard error in a
  // screenshot run); Qt's own notes may be there.
  EXPECT_EQ(ReadText(errors).find("quorix-smilies:"), std::string::npos) << ReadText(errors);

  std::string png;
  ASSERT_EQ(ReadWholeFile(shot, png), ReadFileResult::Ok);
  TBitmap bitmap;
  ASSERT_TRUE(LoadRasterImage(png, bitmap));
  ASSERT_EQ(bitmap.GetWidth(), 614);
  ASSERT_EQ(bitmap.GetHeight(), 412);
  // The empty 100 x 100 panel at (8, 41): the shape's frame, and the empty
  // page in the window colour inside.
  EXPECT_EQ(bitmap.PixelColor(8, 41), RGB(173, 165, 157));
  EXPECT_EQ(bitmap.PixelColor(107, 140), RGB(173, 165, 157));
  EXPECT_EQ(bitmap.PixelColor(9, 42), RGB(236, 233, 216));
  EXPECT_EQ(bitmap.PixelColor(50, 90), RGB(255, 255, 255));
  EXPECT_NE(bitmap.PixelColor(108, 90), RGB(173, 165, 157));
  EXPECT_EQ(bitmap.PixelColor(108, 90), bitmap.PixelColor(300, 300));
}

TEST(ViewerProgramTest, Options) {
  test::TempDir dir;
  const std::string errors = dir.File("errors.txt");
  EXPECT_EQ(RunViewer("--help", errors), 0);
  EXPECT_EQ(RunViewer("--version", errors), 0);
  EXPECT_EQ(RunViewer("--frobnicate", errors), 2);
  EXPECT_NE(ReadText(errors).find("unknown argument --frobnicate"), std::string::npos);
  EXPECT_EQ(RunViewer("--after-ms 10", errors), 2);
  EXPECT_EQ(RunViewer("--screenshot x.png --after-ms soon", errors), 2);
  EXPECT_EQ(RunViewer("--dir '" + dir.File("missing") + "' --screenshot x.png", errors), 1);
}

}  // namespace
}  // namespace quorix
