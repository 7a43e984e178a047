// The group page in the viewer's window: the smilies of a group centred in
// one paragraph where the layout puts them, a tab press and --group showing
// another group, the damaged-set line, the scroll-bar rule, and the page's
// items and hints.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "pictures/gif_image.h"
#include "pictures/gif_writer.h"
#include "richview/document/picture_items.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "smilies/smilies_table.h"
#include "tests/support/bitmap_helpers.h"
#include "tests/app/app_test_fixture.h"
#include "tests/pictures/gif_test_util.h"
#include "tests/support/temp_dir.h"

namespace quorix {
namespace {

// A one-frame GIF of one colour.
std::string SolidGif(int width, int height, TColor color) {
  TGifWriterImage image = quorix::testing::Picture(
      width, height, {quorix::testing::Frame(0, 0, width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), 0))});
  image.GlobalColorTable[0] = TGIFColor{static_cast<std::uint8_t>(GetRValue(color)),
                                        static_cast<std::uint8_t>(GetGValue(color)),
                                        static_cast<std::uint8_t>(GetBValue(color))};
  return WriteGif(image);
}

TColor Shade(int i) { return RGB(40 + 30 * i, 200 - 20 * i, 90); }

class GroupPageTest : public test::TAppTest {
 protected:
  // Group A: five 20 x 20 smilies; group B: two 30 x 30 ones; 300 x 150.
  void WriteTwoGroups() {
    std::string list = "width=300\nheight=150\n[A]\n";
    for (int i = 0; i < 5; ++i) {
      dir.Write("a" + std::to_string(i) + ".gif", SolidGif(20, 20, Shade(i)));
      list += "a" + std::to_string(i) + ".gif|(:" + std::to_string(i) + ")\n";
    }
    list += "[B]\n";
    for (int i = 0; i < 2; ++i) {
      dir.Write("b" + std::to_string(i) + ".gif", SolidGif(30, 30, Shade(i + 5)));
      list += "b" + std::to_string(i) + ".gif|(;" + std::to_string(i) + ")\n";
    }
    dir.Write("Smilies_serv.txt", list);
  }
};

// The page starts at window (10, 61): the panel at (8, 41), the control at
// (2, 20) in it, 296 x 128.
constexpr int kPageX = 10;
constexpr int kPageY = 61;

TEST_F(GroupPageTest, SmiliesAreCentredInOneLine) {
  WriteTwoGroups();
  TfQuorixSmilies form;
  ASSERT_EQ(DisplayState, Shown);
  EXPECT_EQ(form.rvSmilies->GetLineCount(), 5);
  const TBitmap shot = Grab(form);
  // Five boxes of 22 in 296: the line starts at 93; 22 high in 128: 53 down.
  // Each picture sits one pixel inside its box.
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const int x = kPageX + 93 + 22 * i + 1;
    const int y = kPageY + 53 + 1;
    EXPECT_EQ(shot.PixelColor(x, y), Shade(i));
    EXPECT_EQ(shot.PixelColor(x + 19, y + 19), Shade(i));
    EXPECT_EQ(shot.PixelColor(x - 1, y + 5), clWhite);
    EXPECT_EQ(shot.PixelColor(x + 5, y - 1), clWhite);
    EXPECT_EQ(shot.PixelColor(x + 5, y + 20), clWhite);
  }
  EXPECT_TRUE(test::AllPixels(shot, clWhite, Rect(kPageX, kPageY, kPageX + 296, kPageY + 53)));

  // A press on the second tab shows group B: two boxes of 32, from 116, 48 down.
  SendMouseDown(*form.imSmiliesGroups, mbLeft, 200, 9);
  EXPECT_EQ(form.rvSmilies->GetLineCount(), 2);
  const TBitmap second = Grab(form);
  for (int i = 0; i < 2; ++i) {
    const int x = kPageX + 116 + 32 * i + 1;
    const int y = kPageY + 48 + 1;
    EXPECT_EQ(second.PixelColor(x, y), Shade(i + 5));
    EXPECT_EQ(second.PixelColor(x + 29, y + 29), Shade(i + 5));
    EXPECT_EQ(second.PixelColor(x - 1, y), clWhite);
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(GroupPageTest, GroupOptionGivesWhatATabPressShows) {
  WriteTwoGroups();
  TfQuorixSmilies form;
  SendMouseDown(*form.imSmiliesGroups, mbLeft, 200, 9);
  const TBitmap pressed = Grab(form);

  const std::string shot = dir.File("group1.png");
  const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + QUORIX_VIEWER_PATH + "' --dir '" +
                              dir.Path().string() + "' --group 1 --screenshot '" + shot + "' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::string png;
  ASSERT_EQ(ReadWholeFile(shot, png), ReadFileResult::Ok);
  TBitmap fromOption;
  ASSERT_TRUE(LoadRasterImage(png, fromOption));
  EXPECT_EQ(test::CompareBitmaps(fromOption, pressed), "");

  const std::string beyond = std::string("QT_QPA_PLATFORM=offscreen '") + QUORIX_VIEWER_PATH + "' --dir '" +
                             dir.Path().string() + "' --group 2 --screenshot x.png >/dev/null 2>&1";
  const int refused = std::system(beyond.c_str());
  EXPECT_TRUE(WIFEXITED(refused) && WEXITSTATUS(refused) == 2);
}

TEST_F(GroupPageTest, ADamagedSetShowsOnlyTheCentredBlueLine) {
  dir.Write("Smilies_serv.txt", "width=200\nheight=150\n[A]\n[B]\nbad.gif|(x)\n");
  dir.Write("bad.gif", "0123456789");
  TfQuorixSmilies form;
  ASSERT_EQ(DisplayState, Damaged);
  EXPECT_FALSE(form.imSmiliesGroups->Visible());
  ASSERT_EQ(form.rvSmilies->GetLineCount(), 1);
  EXPECT_EQ(form.rvSmilies->GetItemText(0), u"Используемый набор смайлов поврежден");
  const TBitmap shot = Grab(form);
  // The control is 296 x 96 at window (10, 43); everything on it is the
  // window colour or the line's blue.
  const TRect page = Bounds(10, 43, 296, 96);
  TRect ink;
  for (int y = page.Top; y < page.Bottom; ++y) {
    for (int x = page.Left; x < page.Right; ++x) {
      const TColor c = shot.PixelColor(x, y);
      if (c == clWhite) continue;
      ASSERT_GT(GetBValue(c), 200) << "at " << x << ", " << y;  // blue and its anti-aliasing toward white
      ASSERT_GE(GetBValue(c), GetRValue(c));
      ink = ink.IsEmpty() ? Bounds(x, y, 1, 1) : UnionRect(ink, Bounds(x, y, 1, 1));
    }
  }
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GT(test::CountPixels(shot, clBlue, page), 50);
  EXPECT_NEAR((ink.Left + ink.Right) / 2, page.Left + 148, 3);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2, page.Top + 48, 4);
  EXPECT_TRUE(errors.empty());
}

TEST_F(GroupPageTest, ThePageFollowsTheTable) {
  WriteTwoGroups();
  TfQuorixSmilies form;
  TRichView& rv = *form.rvSmilies;
  // Every smiley is a hot picture of the group's one centred paragraph.
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(rv.GetItemStyle(i), rvsHotPicture);
    EXPECT_EQ(rv.GetItemPara(i), 1);
    EXPECT_EQ(rv.IsParaStart(i), i == 0);
  }
  // The page owns fresh copies, never the table's pictures.
  TRVAnsiString name;
  TGraphic* picture = nullptr;
  TRVVAlign valign{};
  const TRVTag* tag = nullptr;
  rv.GetPictureInfo(0, name, picture, valign, tag);
  EXPECT_EQ(name, ":0");  // the code without its delimiters
  EXPECT_EQ(valign, rvvaMiddle);
  EXPECT_NE(picture, Smilies[0].Gif.get());
  form.ShowGroup(0);
  EXPECT_EQ(rv.GetLineCount(), 5);
  EXPECT_EQ(Smilies[0].Gif->GetWidth(), 20);

  // An entry of an unknown kind is left out and does not start the paragraph.
  Smilies[0].Kind = 2;
  form.ShowGroup(0);
  ASSERT_EQ(rv.GetLineCount(), 4);
  EXPECT_EQ(rv.GetItemText(0), u":1");
  EXPECT_TRUE(rv.IsParaStart(0));
  EXPECT_EQ(rv.GetItem(0)->ItemOptions, TRVItemOptions{});

  // The hint of a smiley is its code.
  UnicodeString hint = u"proposed";
  form.rvSmiliesItemHint(&rv, &rv.RVData(), 1, hint);
  EXPECT_EQ(hint, u":2");
}

TEST_F(GroupPageTest, SameCodeTwiceAndAnEmptyGroup) {
  dir.Write("s.gif", SolidGif(16, 16, clRed));
  dir.Write("Smilies_serv.txt", "width=200\nheight=150\n[Empty]\n[Twice]\ns.gif|(x)\ns.gif|(x)\n");
  TfQuorixSmilies form;
  TRichView& rv = *form.rvSmilies;
  EXPECT_EQ(rv.GetLineCount(), 0);
  EXPECT_FALSE(rv.GetVScrollVisible());
  EXPECT_FALSE(rv.ScrollBarVisible(sbVertical));
  form.ShowGroup(1);
  ASSERT_EQ(rv.GetLineCount(), 2);
  for (int i = 0; i < 2; ++i) {
    UnicodeString hint;
    form.rvSmiliesItemHint(&rv, &rv.RVData(), i, hint);
    EXPECT_EQ(hint, u"x");
  }
}

TEST_F(GroupPageTest, ScrollBarRuleComparesWithTheControlsHeight) {
  // One group in a 104-pixel panel: a 100-pixel control; one picture of
  // height h - 2 makes a page h pixels tall.
  struct Case {
    int PageHeight;
    bool Allowed;
    bool Shown;
  };
  for (const Case c : {Case{97, false, false}, Case{98, true, false}, Case{100, true, false}, Case{101, true, true}}) {
    SCOPED_TRACE(c.PageHeight);
    dir.Write("p.gif", SolidGif(20, c.PageHeight - 2, clRed));
    dir.Write("Smilies_serv.txt", "width=200\nheight=104\n[One]\np.gif|(p)\n");
    TfQuorixSmilies form;
    TRichView& rv = *form.rvSmilies;
    ASSERT_EQ(rv.Height(), 100);
    EXPECT_EQ(rv.GetDocumentHeight(), c.PageHeight);
    EXPECT_EQ(rv.GetVScrollVisible(), c.Allowed);
    EXPECT_EQ(rv.ScrollBarVisible(sbVertical), c.Shown);
  }
}

}  // namespace
}  // namespace quorix

namespace quorix {
namespace {

// The viewer as a program on the sample set: screenshots taken after
// different times of animation differ only where animated smilies are.
TEST(AnimatedPageTest, ScreenshotsDifferOnlyInsideAnimatedSmilies) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(QUORIX_SAMPLES_DIR);
  std::vector<TRect> animated;
  {
    TfQuorixSmilies form;
    form.ShowGroup(1);  // the animations' group
    TRichView& rv = *form.rvSmilies;
    const TRect at = rv.BoundsRect();
    const TPoint page{form.pSmilies->Left() + at.Left, form.pSmilies->Top() + at.Top};
    for (int i = 0; i < rv.GetLineCount(); ++i) {
      auto* item = dynamic_cast<TRVGraphicItemInfo*>(rv.GetItem(i));
      if (!item || !item->Animator) continue;
      const TRVDrawLineInfo* d = rv.RVData().DrawItems[item->FirstDrawItemNo];
      animated.push_back(Bounds(page.X + d->Left - rv.RVData().GetHOffs(), page.Y + d->Top - rv.RVData().GetVOffs(),
                                d->Width, d->Height));
    }
  }
  std::filesystem::current_path(previous);
  ASSERT_FALSE(animated.empty()) << "the second group has animated smilies";

  test::TempDir dir;
  auto shot = [&](int afterMs) {
    const std::string file = dir.File("after" + std::to_string(afterMs) + ".png");
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + QUORIX_VIEWER_PATH + "' --dir '" +
                                QUORIX_SAMPLES_DIR + "' --group 1 --screenshot '" + file + "' --after-ms " +
                                std::to_string(afterMs) + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::string png;
    TBitmap bitmap;
    if (ReadWholeFile(file, png) == ReadFileResult::Ok) LoadRasterImage(png, bitmap);
    return bitmap;
  };
  const TBitmap early = shot(0);
  const TBitmap later = shot(900);
  ASSERT_EQ(early.GetWidth(), later.GetWidth());
  ASSERT_EQ(early.GetHeight(), later.GetHeight());
  int changed = 0;
  for (int y = 0; y < early.GetHeight(); ++y) {
    for (int x = 0; x < early.GetWidth(); ++x) {
      if (early.PixelColor(x, y) == later.PixelColor(x, y)) continue;
      ++changed;
      bool inside = false;
      for (const TRect& r : animated) inside = inside || r.Contains(TPoint{x, y});
      ASSERT_TRUE(inside) << "a change outside the animated smilies at " << x << ", " << y;
    }
  }
  EXPECT_GT(changed, 0) << "nothing moved in 900 ms";
}

}  // namespace
}  // namespace quorix

namespace quorix {
namespace {

// A group of 150 smilies in a 300 x 200 panel: a page taller than the
// control, scrolled with the wheel and the keys; the hint follows the smiley
// that comes under a resting pointer.
TEST_F(GroupPageTest, ATallPageScrollsAndTheHintFollowsTheRestingPointer) {
  std::string list = "width=300\nheight=200\n[Many]\n";
  dir.Write("s.gif", SolidGif(20, 20, clRed));
  for (int i = 0; i < 150; ++i) list += "s.gif|(" + std::to_string(i) + ")\n";
  dir.Write("Smilies_serv.txt", list);
  TfQuorixSmilies form;
  TRichView& rv = *form.rvSmilies;
  ASSERT_TRUE(rv.GetVScrollVisible());
  ASSERT_TRUE(rv.ScrollBarVisible(sbVertical));
  const int savedLines = WheelScrollLines();
  SetWheelScrollLines(3);

  EXPECT_TRUE(SendWheel(rv, -120, 50, 50));
  EXPECT_EQ(rv.VPos(), 2);
  SendKey(rv, VK_NEXT);
  EXPECT_EQ(rv.VPos(), std::min(2 + rv.ClientHeight() / 10, rv.GetVScrollMax()));
  SendKey(rv, VK_HOME);
  EXPECT_EQ(rv.VPos(), 0);
  SendKey(rv, VK_END);
  EXPECT_EQ(rv.VPos(), rv.GetVScrollMax());
  SendKey(rv, VK_HOME);

  // The pointer rests on a smiley; the page scrolls one line (22 px) under it.
  const TPoint rest{100, 30};
  PlacePointer(rv, rest.X, rest.Y);
  SendMouseMove(rv, rest.X, rest.Y);
  const UnicodeString before = rv.Hint();
  ASSERT_FALSE(before.empty());
  SetWheelScrollLines(-1);  // a page a notch, to move well away
  SendWheel(rv, -120, rest.X, rest.Y);
  SetWheelScrollLines(savedLines);
  ASSERT_GT(rv.VPos(), 0);
  // What the hint names is the smiley now under the pointer.
  const int d = rv.RVData().FindDrawItemAtPos(rest.X + rv.RVData().GetHOffs(), rest.Y + rv.RVData().GetVOffs());
  ASSERT_GE(d, 0);
  EXPECT_EQ(rv.Hint(), rv.GetItemText(rv.RVData().DrawItems[d]->ItemNo));
  EXPECT_NE(rv.Hint(), before);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace quorix
