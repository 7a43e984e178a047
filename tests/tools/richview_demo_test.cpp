// quorix-richview-demo as a developer meets it: a text of a few thousand
// lines shown headless, with its heading, wrapped paragraphs and scroll bar,
// and the view moved by --scroll-to.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/graphics.h"
#include "tests/support/bitmap_helpers.h"
#include "tests/support/temp_dir.h"

namespace quorix::test {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr int kBar = 17;

int RunDemo(const std::string& arguments) {
  const std::string command =
      std::string("QT_QPA_PLATFORM=offscreen '") + QUORIX_RICHVIEW_DEMO + "' " + arguments + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A heading, a paragraph long enough to wrap, an empty line, then thousands
// of short lines.
std::string SampleText() {
  std::string text = "# The demo heading\n";
  for (int i = 0; i < 40; ++i) text += "wrapping ";
  text += "\n\n";
  for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

TBitmap Screenshot(const TempDir& dir, const std::string& file, const std::string& extra) {
  const std::string shot = dir.File("shot.png");
  EXPECT_EQ(RunDemo("'" + file + "' --width 400 --height 300 --screenshot '" + shot + "' " + extra), 0);
  std::string png;
  TBitmap bitmap;
  if (ReadWholeFile(shot, png) == ReadFileResult::Ok) LoadRasterImage(png, bitmap);
  return bitmap;
}

// The runs of pixel rows of area that hold some pixel of colour.
std::vector<std::pair<int, int>> RowBands(const TBitmap& bitmap, const TRect& area, bool (*ink)(TColor)) {
  std::vector<std::pair<int, int>> bands;
  for (int y = area.Top; y < area.Bottom; ++y) {
    bool any = false;
    for (int x = area.Left; x < area.Right && !any; ++x) any = ink(bitmap.PixelColor(x, y));
    if (!any) continue;
    if (!bands.empty() && bands.back().second == y)
      bands.back().second = y + 1;
    else
      bands.emplace_back(y, y + 1);
  }
  return bands;
}

bool IsBlue(TColor c) { return GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) < 60; }
bool IsDark(TColor c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }

TEST(RichViewDemoTest, ShowsHeadingWrappedParagraphAndScrollBar) {
  TempDir dir;
  const std::string file = dir.Write("text.txt", SampleText());
  const TBitmap shot = Screenshot(dir, file, "");
  ASSERT_EQ(shot.GetWidth(), kWidth);
  ASSERT_EQ(shot.GetHeight(), kHeight);
  const TRect text = Rect(0, 0, kWidth - kBar, kHeight);
  // The heading is the only blue text, on the first line.
  const auto heading = RowBands(shot, text, IsBlue);
  ASSERT_EQ(heading.size(), 1u);
  EXPECT_LT(heading[0].first, 20);
  // Below it the long paragraph wraps into several lines of black text, then
  // the short lines follow to the bottom of the window.
  const auto lines = RowBands(shot, Rect(0, heading[0].second, kWidth - kBar, kHeight), IsDark);
  EXPECT_GE(lines.size(), 10u);
  // The scroll bar stands at the right edge: not the window's white.
  EXPECT_LT(CountPixels(shot, clWhite, Rect(kWidth - kBar, 0, kWidth, kHeight)), kBar * kHeight / 2);
  EXPECT_GT(CountPixels(shot, clWhite, text), (kWidth - kBar) * kHeight / 2);
}

TEST(RichViewDemoTest, ScrollToShowsTheLinesFurtherDown) {
  TempDir dir;
  const std::string file = dir.Write("text.txt", SampleText());
  const TBitmap top = Screenshot(dir, file, "");
  const TBitmap scrolled = Screenshot(dir, file, "--scroll-to 100");
  ASSERT_EQ(scrolled.GetWidth(), kWidth);
  // What was 100 pixels down is now at the top.
  for (int y = 0; y < kHeight - 100; y += 7) {
    for (int x = 0; x < kWidth - kBar; x += 3) {
      ASSERT_EQ(scrolled.PixelColor(x, y), top.PixelColor(x, y + 100)) << "at " << x << ", " << y;
    }
  }
  EXPECT_EQ(RowBands(scrolled, Rect(0, 0, kWidth - kBar, kHeight), IsBlue).size(), 0u);
}

TEST(RichViewDemoTest, BadArgumentsAreUsageErrors) {
  TempDir dir;
  const std::string file = dir.Write("text.txt", "one line\n");
  EXPECT_EQ(RunDemo(""), 2);
  EXPECT_EQ(RunDemo("'" + file + "' --width wide"), 2);
  EXPECT_EQ(RunDemo("'" + file + "' --frobnicate"), 2);
  EXPECT_EQ(RunDemo("'" + dir.File("missing.txt") + "' --screenshot x.png"), 1);
  EXPECT_EQ(RunDemo("--help"), 0);
}

}  // namespace
}  // namespace quorix::test
