// The tab strip: label shortening and the painted strip, on a canvas with fixed
// text metrics (exact positions) and once with the real font.

#include "app/group_tabs.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "tests/support/fixed_metrics_canvas.h"

namespace quorix {
namespace {

using test::TFixedMetricsCanvas;

TEST(InnerFrameColorTest, IsTheChannelAverageWithTheRemainderDropped) {
  EXPECT_EQ(InnerFrameColor(TabFillColor, TabFrameColor), RGB(198, 194, 190));
  EXPECT_EQ(InnerFrameColor(SelectedTabFillColor, TabFrameColor), RGB(214, 210, 142));
}

struct FitCase {
  int W;
  int CharWidth;
  std::u16string Label;
  std::u16string Expected;
};

void PrintTo(const FitCase& c, std::ostream* os) {
  *os << "w " << c.W << ", " << c.CharWidth << " px a character, \"" << Utf16ToUtf8(c.Label) << "\"";
}

class FitTabLabelTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitTabLabelTest, ShortensExactlyAsTheStripNeeds) {
  const FitCase& c = GetParam();
  TFixedMetricsCanvas canvas;
  canvas.CharWidth = c.CharWidth;
  EXPECT_EQ(FitTabLabel(canvas, c.Label, c.W), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitTabLabelTest,
    ::testing::Values(
        // w - 5 pixels wide is drawn whole; w - 4 is shortened until label +
        // "..." is narrower than w - 4 (90 + 3 = 93 < 94).
        FitCase{98, 1, std::u16string(93, u'a'), std::u16string(93, u'a')},
        FitCase{98, 1, std::u16string(94, u'a'), std::u16string(90, u'a') + u"..."},
        FitCase{98, 8, u"Faces", u"Faces"},
        // 60 - 4 = 56: "Ani..." is 48 wide, "Anim..." would be 56.
        FitCase{60, 8, u"Animation", u"Ani..."},
        // Ten tabs in a 96-pixel strip: w = 9, so anything wider than 4 pixels
        // becomes its first character and "...", even when that is wider still.
        FitCase{9, 4, u"A", u"A"},
        FitCase{9, 4, u"AB", u"A..."},
        FitCase{9, 5, u"A", u"A..."},
        FitCase{9, 2, u"Смайлы", u"С..."},
        // An empty name is never shortened.
        FitCase{9, 8, u"", u""}));

// A canvas whose bitmap and text calls the strip is checked on: 3 groups in
// a 300-pixel panel give a 296 x 18 strip and w = 98.
class PaintGroupTabsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSystemCodePage(1251);
    bitmap.SetSize(296, 18);
    canvas = std::make_unique<TFixedMetricsCanvas>(bitmap);
    canvas->CharWidth = 6;
    canvas->Ascent = 10;
    canvas->Descent = 3;
  }

  std::vector<AnsiString> names = {"Faces", UnicodeToAnsi(u"Анимация", 1251), "Objects"};
  TBitmap bitmap;
  std::unique_ptr<TFixedMetricsCanvas> canvas;
};

TEST_F(PaintGroupTabsTest, TabsCoverTheStripWithTheLastTakingTheRest) {
  PaintGroupTabs(*canvas, 296, 18, names, 1);
  const TColor outer = TabFrameColor;
  const TColor grey = TabFillColor, greyInner = RGB(198, 194, 190);
  const TColor yellow = SelectedTabFillColor, yellowInner = RGB(214, 210, 142);
  struct Probe {
    int X, Y;
    TColor Expected;
  };
  const Probe probes[] = {
      {0, 9, outer},       {1, 9, greyInner},    {3, 15, grey},         {96, 9, greyInner},
      {97, 9, outer},      {98, 9, outer},       {99, 9, yellowInner},  {100, 15, yellow},
      {194, 9, yellowInner}, {195, 9, outer},    {196, 9, outer},       {197, 9, greyInner},
      {290, 15, grey},     {294, 9, greyInner},  {295, 9, outer},       {50, 0, outer},
      {50, 1, greyInner},  {50, 16, greyInner},  {50, 17, outer},       {150, 1, yellowInner},
      {1, 1, greyInner},   {1, 0, outer},
  };
  for (const Probe& p : probes) EXPECT_EQ(bitmap.PixelColor(p.X, p.Y), p.Expected) << p.X << "," << p.Y;
}

TEST_F(PaintGroupTabsTest, LabelsAreCentredOnTheNominalWidthWithoutBackground) {
  PaintGroupTabs(*canvas, 296, 18, names, 0);
  ASSERT_EQ(canvas->TextCalls.size(), 3u);
  // th = 13, so y = 18 / 2 - 13 / 2 - 1 = 2; x = 98 j + 49 - tw / 2.
  const struct {
    int X;
    std::u16string Text;
  } expected[] = {{34, u"Faces"}, {123, u"Анимация"}, {224, u"Objects"}};
  for (std::size_t j = 0; j < 3; ++j) {
    const auto& call = canvas->TextCalls[j];
    EXPECT_EQ(call.X, expected[j].X);
    EXPECT_EQ(call.Y, 2);
    EXPECT_EQ(call.Text, expected[j].Text);
    EXPECT_EQ(call.BrushStyle, bsClear);
    EXPECT_EQ(ColorToRGB(call.Font.Color), RGB(0, 0, 0));
  }
  // The label's box is drawn in black; the tab around it keeps its fill.
  EXPECT_EQ(bitmap.PixelColor(34, 2), RGB(0, 0, 0));
  EXPECT_EQ(bitmap.PixelColor(33, 2), SelectedTabFillColor);
}

TEST_F(PaintGroupTabsTest, LabelsOfTenNarrowTabsAreCutToOneCharacter) {
  std::vector<AnsiString> ten = {"Alpha", "B", "", "Delta", "E", "F", "G", "H", "I", "Juliet"};
  bitmap.SetSize(96, 18);
  canvas->CharWidth = 5;
  PaintGroupTabs(*canvas, 96, 18, ten, 9);
  ASSERT_EQ(canvas->TextCalls.size(), 10u);
  EXPECT_EQ(canvas->TextCalls[0].Text, u"A...");
  EXPECT_EQ(canvas->TextCalls[1].Text, u"B...");
  EXPECT_EQ(canvas->TextCalls[2].Text, u"");
  EXPECT_EQ(canvas->TextCalls[9].Text, u"J...");
  // w = 9: the last tab covers 81..95, its label is still centred on 81 + 4.
  EXPECT_EQ(canvas->TextCalls[9].X, 81 + 4 - 20 / 2);
  EXPECT_EQ(bitmap.PixelColor(81, 15), TabFrameColor);
  EXPECT_EQ(bitmap.PixelColor(95, 15), TabFrameColor);
  EXPECT_EQ(bitmap.PixelColor(80, 15), TabFrameColor);  // the ninth tab's right edge
  EXPECT_EQ(bitmap.PixelColor(93, 16), RGB(214, 210, 142));
}

TEST_F(PaintGroupTabsTest, OneGroupDrawsNothing) {
  bitmap.Fill(clWhite);
  PaintGroupTabs(*canvas, 296, 18, std::vector<AnsiString>{"Only"}, 0);
  EXPECT_TRUE(canvas->TextCalls.empty());
  EXPECT_EQ(bitmap.PixelColor(0, 0), clWhite);
}

TEST(FitTabLabelRealFontTest, CutsUntilTheLabelAndEllipsisFit) {
  TBitmap bitmap(296, 18);
  TCanvas& canvas = bitmap.Canvas();
  const std::u16string name = u"Удивительные смайлы";
  const int w = 60;
  ASSERT_GE(canvas.TextWidth(name), w - 4);
  const std::u16string fitted = FitTabLabel(canvas, name, w);
  ASSERT_GT(fitted.size(), 3u);
  ASSERT_EQ(fitted.substr(fitted.size() - 3), u"...");
  const std::u16string prefix = fitted.substr(0, fitted.size() - 3);
  ASSERT_EQ(name.substr(0, prefix.size()), prefix);
  EXPECT_LT(canvas.TextWidth(fitted), w - 4);
  // One character more would not have fitted.
  EXPECT_GE(canvas.TextWidth(name.substr(0, prefix.size() + 1) + u"..."), w - 4);
}

}  // namespace
}  // namespace quorix
