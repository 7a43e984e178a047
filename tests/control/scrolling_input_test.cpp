// Scrolling from the keyboard, the wheel and a dragged pointer beyond the
// edges; and the palette the control would keep on a palette display.

#include <gtest/gtest.h>

#include "tests/control/rich_view_fixture.h"

namespace quorix::test {
namespace {

// A control whose timer ticks can be delivered by hand, and whose screen
// can claim to be palette-based.
class TInputRichView : public TRichView {
 public:
  using TRichView::TRichView;
  void TickScrollTimer() { Timer(kRVScrollTimer); }
  bool PaletteScreen = false;
  bool ScreenIsPaletteBased() override { return PaletteScreen; }
};

// A 250-pixel document in a 200 x 100 control: 25 units, a 10-unit page,
// largest position 15.
class ScrollingInputTest : public ::testing::Test {
 protected:
  ScrollingInputTest() {
    form.SetBounds(0, 0, 300, 200);
    rv = std::make_unique<TInputRichView>(&form);
    MakePlain(*rv, style);
    rv->AddPicture(StripedPicture(4, 248));
    rv->Format();
    savedLines = WheelScrollLines();
  }
  ~ScrollingInputTest() override {
    SetWheelScrollLines(savedLines);
    rv.reset();
  }

  TForm form;
  TRVStyle style;
  std::unique_ptr<TInputRichView> rv;
  int savedLines = 3;
};

TEST_F(ScrollingInputTest, KeysSendTheScrollCommands) {
  struct Case {
    int Key;
    int From;
    int To;
  };
  const Case cases[] = {
      {VK_NEXT, 0, 10}, {VK_NEXT, 10, 15}, {VK_PRIOR, 15, 5}, {VK_DOWN, 5, 6},
      {VK_UP, 6, 5},    {VK_END, 0, 15},   {VK_HOME, 12, 0},
  };
  for (const Case& c : cases) {
    rv->SetVScrollPos(c.From);
    SendKey(*rv, c.Key);
    EXPECT_EQ(rv->VPos(), c.To) << "key " << c.Key << " from " << c.From;
  }
}

TEST_F(ScrollingInputTest, WheelNotchesFollowTheSystemSetting) {
  struct Case {
    int Lines;
    int Delta;
    int Moved;
    bool Used;
  };
  const Case cases[] = {
      {3, -120, 2, true},   // the defaults: one notch, 2 units, 20 pixels
      {1, -120, 1, true},   // 2 / 3 to the nearest unit
      {0, -120, 0, false},  // wheel scrolling off: the event goes on
      {-1, -120, 10, true}, // a page a notch
      {3, 120, -2, true},   // away from the user: back up
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Lines);
    SetWheelScrollLines(c.Lines);
    rv->SetVScrollPos(5);
    EXPECT_EQ(SendWheel(*rv, c.Delta, 50, 50), c.Used);
    EXPECT_EQ(rv->VPos(), 5 + c.Moved);
  }
}

TEST_F(ScrollingInputTest, PartsOfANotchAddUpToOne) {
  SetWheelScrollLines(3);
  for (int i = 0; i < 7; ++i) SendWheel(*rv, -15, 50, 50);
  EXPECT_EQ(rv->VPos(), 0);
  SendWheel(*rv, -15, 50, 50);  // the eighth makes a notch
  EXPECT_EQ(rv->VPos(), 2);
}

TEST_F(ScrollingInputTest, ADraggedPointerBeyondTheEdgeScrolls) {
  SendMousePress(*rv, mbLeft, 50, 50);
  ASSERT_TRUE(rv->TimerActive(kRVScrollTimer));
  // Where the held pointer is, as its last move reported it, and the units
  // one tick scrolls from position 5.
  struct Case {
    int X, Y;
    int To;
  };
  for (const Case c : {Case{50, 130, 15}, Case{50, 110, 6}, Case{50, -5, 4}, Case{50, -21, 0}, Case{50, 50, 5}}) {
    rv->SetVScrollPos(5);
    SendMouseMove(*rv, c.X, c.Y, {ssLeft});
    rv->TickScrollTimer();
    EXPECT_EQ(rv->VPos(), c.To) << c.X << ", " << c.Y;
  }
  SendMouseRelease(*rv, mbLeft, 50, -5);
  EXPECT_FALSE(rv->TimerActive(kRVScrollTimer));
}

TEST_F(ScrollingInputTest, APaletteOnlyOnAPaletteScreen) {
  rv->UpdatePaletteInfo();
  EXPECT_EQ(rv->GetPalette(), 0u);
  EXPECT_EQ(rv->GetLogPalette(), nullptr);
  rv->PaletteScreen = true;
  rv->UpdatePaletteInfo();
  ASSERT_NE(rv->GetLogPalette(), nullptr);
  EXPECT_NE(rv->GetPalette(), 0u);
  rv->SetDoInPaletteMode(rvpaDoNothing);
  EXPECT_EQ(rv->GetLogPalette(), nullptr);

  const auto palette = TRVScroller::GenerateLogPalette();
  ASSERT_EQ(palette->Count, 216);
  EXPECT_EQ(palette->Version, 0x300);
  struct Entry {
    int R, G, B;
  };
  for (const Entry e : {Entry{0, 0, 0}, Entry{5, 5, 5}, Entry{1, 2, 3}, Entry{5, 0, 0}, Entry{0, 0, 5}}) {
    const TRVPaletteEntry& p = palette->Entries[static_cast<std::size_t>(36 * e.B + 6 * e.G + e.R)];
    EXPECT_EQ(p.Red, 51 * e.R);
    EXPECT_EQ(p.Green, 51 * e.G);
    EXPECT_EQ(p.Blue, 51 * e.B);
    EXPECT_EQ(p.Flags, 0);
  }
}

}  // namespace
}  // namespace quorix::test

namespace quorix::test {
namespace {

using BorderTest = ScrollingInputTest;

TBitmap GrabForm(TForm& form) {
  Application().ProcessMessages();
  TBitmap shot;
  form.GrabClientArea(shot);
  return shot;
}

TEST_F(BorderTest, ASingleBorderIsASunkenEdgeAroundTheClientArea) {
  rv->SetUseXPThemes(false);
  rv->SetVScrollVisible(false);
  rv->SetBorderStyle(bsSingle);
  EXPECT_EQ(rv->ClientWidth(), 196);
  EXPECT_EQ(rv->ClientHeight(), 96);
  EXPECT_EQ(rv->RVData().TextWidth, 196) << "the page is laid out for the smaller client area";
  form.ShowOffScreen();
  const TBitmap shot = GrabForm(form);
  EXPECT_EQ(shot.PixelColor(0, 50), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shot.PixelColor(1, 50), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(shot.PixelColor(199, 50), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.PixelColor(198, 50), ColorToRGB(cl3DLight));
  EXPECT_EQ(shot.PixelColor(150, 2), ColorToRGB(style.Color)) << "the client area starts inside the edge";
  rv->SetBorderStyle(bsNone);
  EXPECT_EQ(rv->ClientWidth(), 200);
}

TEST_F(BorderTest, ThemedBorderTakesTheStylesFrame) {
  if (!HasThemedFrames()) GTEST_SKIP() << "the toolkit style has no edit frame of its own";
  rv->SetUseXPThemes(true);
  rv->SetBorderStyle(bsSingle);
  EXPECT_EQ(rv->Frame(), cfThemed);
  EXPECT_EQ(rv->ClientHeight(), 100 - 2 * rv->FrameWidth());
}

TEST_F(BorderTest, RightToLeftPutsTheBarOnTheLeft) {
  ASSERT_TRUE(rv->ScrollBarVisible(sbVertical));
  rv->SetBiDiModeRV(rvbdRightToLeft);
  EXPECT_TRUE(rv->VerticalBarOnLeft());
  EXPECT_EQ(rv->ClientWidth(), 200 - ScrollBarSize);
  form.ShowOffScreen();
  const TBitmap shot = GrabForm(form);
  // The bar's pixels at the left, the page's white from x = 17 on.
  EXPECT_NE(shot.PixelColor(8, 50), ColorToRGB(style.Color));
  EXPECT_EQ(shot.PixelColor(ScrollBarSize + 1, 99), ColorToRGB(style.Color));
  rv->SetBiDiModeRV(rvbdLeftToRight);
  EXPECT_FALSE(rv->VerticalBarOnLeft());
}

}  // namespace
}  // namespace quorix::test
