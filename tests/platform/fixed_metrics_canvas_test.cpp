// The deterministic canvas the layout and painting tests measure with.

#include "tests/support/fixed_metrics_canvas.h"

#include <gtest/gtest.h>

#include "tests/support/bitmap_helpers.h"

namespace quorix {
namespace {

using test::AllPixels;
using test::InkBounds;
using test::TFixedMetricsCanvas;

TEST(FixedMetricsCanvasTest, EveryCharacterHasTheSameWidthAndTheMetricsAreFixed) {
  TFixedMetricsCanvas c;
  EXPECT_EQ(c.TextExtent(u"hello"), (TSize{40, 13}));
  EXPECT_EQ(c.TextExtent(u""), (TSize{0, 13}));
  EXPECT_EQ(c.TextWidth(u"a\u200Bb"), 24);  // zero-width characters are the caller's business
  const TTextMetric tm = c.GetTextMetrics();
  EXPECT_EQ(tm.tmAscent, 10);
  EXPECT_EQ(tm.tmDescent, 3);
  EXPECT_EQ(tm.tmHeight, 13);
  EXPECT_EQ(tm.tmAveCharWidth, 8);
  c.CharWidth = 5;
  EXPECT_EQ(c.TextWidth(u"abc"), 15);
}

TEST(FixedMetricsCanvasTest, WidthFunctionExtraSpacingAndFitAgree) {
  TFixedMetricsCanvas c;
  c.CharWidthOf = [](char16_t ch) { return ch == u'i' ? 2 : ch == u'W' ? 12 : 6; };
  c.SetTextCharacterExtra(1);
  EXPECT_EQ(c.TextWidth(u"iWa"), 3 + 13 + 7);
  int fit = -1;
  std::vector<int> dx;
  const TSize s = c.TextExtentFit(u"iWa", 16, fit, &dx);
  EXPECT_EQ(s.cx, 23);
  EXPECT_EQ(dx, (std::vector<int>{3, 16, 23}));
  EXPECT_EQ(fit, 2);
  c.TextExtentFit(u"iWa", 15, fit);
  EXPECT_EQ(fit, 1);
}

TEST(FixedMetricsCanvasTest, ScalingWithTheFontAndAverageWidthRequests) {
  TFixedMetricsCanvas c;
  c.ScaleWithFont = true;
  c.Font.Height = -20;
  EXPECT_EQ(c.GetTextMetrics().tmAscent, 15);
  EXPECT_EQ(c.GetTextMetrics().tmDescent, 5);
  c.Font.Height = -13;
  EXPECT_EQ(c.TextHeight(u"x"), 13);
  c.Font.Width = 16;  // twice the unit width
  EXPECT_EQ(c.TextWidth(u"ab"), 32);
  EXPECT_EQ(c.GetTextMetrics().tmAveCharWidth, 16);
}

TEST(FixedMetricsCanvasTest, OutlineMetricsCanBeSwitchedOff) {
  TFixedMetricsCanvas c;
  TOutlineTextMetric om;
  ASSERT_TRUE(c.GetOutlineTextMetrics(om));
  EXPECT_EQ(om.otmptSubscriptSize.Y, 8);
  EXPECT_EQ(om.otmTextMetrics.tmHeight, 13);
  c.HasOutlineMetrics = false;
  EXPECT_FALSE(c.GetOutlineTextMetrics(om));
}

TEST(FixedMetricsCanvasTest, TextCallsAreRecordedAndPaintBoxes) {
  TBitmap b(100, 30);
  TFixedMetricsCanvas c(b);
  c.Font.Color = clRed;
  c.Brush.Color = clYellow;
  c.TextOut(4, 2, u"abc");
  ASSERT_EQ(c.TextCalls.size(), 1u);
  EXPECT_EQ(c.TextCalls[0].Text, u"abc");
  EXPECT_EQ(c.TextCalls[0].X, 4);
  EXPECT_EQ(c.TextCalls[0].Font.Color, clRed);
  EXPECT_EQ(c.TextCalls[0].BrushStyle, bsSolid);
  EXPECT_EQ(c.TextCalls[0].BrushColor, clYellow);
  EXPECT_TRUE(AllPixels(b, clRed, Rect(4, 2, 28, 12)));
  EXPECT_TRUE(AllPixels(b, clYellow, Rect(4, 12, 28, 15)));
  EXPECT_EQ(InkBounds(b, clWhite), Rect(4, 2, 28, 15));

  b.Fill(clWhite);
  c.Brush.Style = bsClear;
  c.SetTextAlign(TA_RIGHT | TA_BASELINE);
  c.TextOut(50, 20, u"ab");
  EXPECT_EQ(c.TextCalls.back().Align, static_cast<unsigned>(TA_RIGHT | TA_BASELINE));
  EXPECT_EQ(InkBounds(b, clWhite), Rect(34, 10, 50, 20));

  b.Fill(clWhite);
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.TextRect(Rect(0, 0, 10, 30), 5, 0, u"abc");
  EXPECT_TRUE(c.TextCalls.back().IsTextRect);
  EXPECT_EQ(InkBounds(b, clWhite), Rect(5, 0, 10, 10));
}

TEST(FixedMetricsCanvasTest, PixelDrawingIsRealAndStatesAreKept) {
  TBitmap b(20, 20);
  TFixedMetricsCanvas c(b);
  c.SetOrigin(2, 2);
  c.IntersectClipRect(Rect(0, 0, 5, 5));
  c.Brush.Color = clBlue;
  c.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(InkBounds(b, clWhite), Rect(2, 2, 7, 7));
  c.SetTextCharacterExtra(3);
  c.SaveState();
  c.Brush.Color = clRed;
  c.SetTextCharacterExtra(0);
  c.ResetClip();
  c.RestoreState();
  EXPECT_EQ(c.Brush.Color, clBlue);
  EXPECT_EQ(c.GetTextCharacterExtra(), 3);
  EXPECT_EQ(c.GetClipRect(), Rect(0, 0, 5, 5));
  auto compatible = c.CreateCompatible();
  EXPECT_EQ(compatible->TextWidth(u"ab"), 16);
}

}  // namespace
}  // namespace quorix
