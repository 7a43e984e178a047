#include <gtest/gtest.h>

#include "richview/styles/para_info.h"
#include "richview/styles/rv_style.h"
#include "tests/support/bitmap_helpers.h"
#include "tests/support/fixed_metrics_canvas.h"

namespace quorix {
namespace {

using test::AllPixels;
using test::CountPixels;
using test::TFixedMetricsCanvas;

TEST(ParaInfo, NewStyleHasTheDefaults) {
  TParaInfo p;
  EXPECT_EQ(p.Alignment, rvaLeft);
  EXPECT_EQ(p.FirstIndent, 0);
  EXPECT_EQ(p.LeftIndent, 0);
  EXPECT_EQ(p.RightIndent, 0);
  EXPECT_EQ(p.SpaceBefore, 0);
  EXPECT_EQ(p.SpaceAfter, 0);
  EXPECT_EQ(p.LineSpacingType, rvlsPercent);
  EXPECT_EQ(p.LineSpacing, 100);
  EXPECT_EQ(p.Border.Style, rvbNone);
  EXPECT_EQ(p.Border.Width, 1);
  EXPECT_EQ(p.Border.InternalWidth, 1);
  EXPECT_EQ(p.Border.Color, clWindowText);
  EXPECT_TRUE(p.Border.VisibleBorders.IsAllEqual(true));
  EXPECT_EQ(p.Border.BorderOffsets, TRVRect{});
  EXPECT_EQ(p.Background.Color, clNone);
  EXPECT_EQ(p.Tabs.Count(), 0);
  EXPECT_EQ(p.NextParaNo, -1);
  EXPECT_EQ(p.DefStyleNo, -1);
  EXPECT_EQ(p.StyleName, u"Paragraph Style");
  EXPECT_FALSE(p.ExtraLineSpacing());
}

TEST(ParaInfo, ExtraLineSpacing) {
  struct Case {
    TRVLineSpacingType type;
    int value;
    bool extra;
  };
  for (const Case& c : {Case{rvlsPercent, 100, false}, Case{rvlsPercent, 150, true}, Case{rvlsPercent, 0, true},
                        Case{rvlsSpaceBetween, 0, false}, Case{rvlsSpaceBetween, 3, true},
                        Case{rvlsLineHeightAtLeast, 100, true}, Case{rvlsLineHeightExact, -1, false}}) {
    TParaInfo p;
    p.LineSpacingType = c.type;
    p.LineSpacing = c.value;
    EXPECT_EQ(p.ExtraLineSpacing(), c.extra) << c.type << " " << c.value;
  }
}

TEST(ParaInfo, OutOfRangeIndexGivesTheRedFramedStyle) {
  TRVStyle sheet;
  sheet.ParaStyles[0].FirstIndent = 7;
  const TParaInfo& invalid = sheet.ParaStyles[-1];
  EXPECT_EQ(&invalid, &sheet.ParaStyles[2]);
  EXPECT_EQ(invalid.FirstIndent, 7);  // otherwise style 0
  EXPECT_EQ(invalid.SpaceBefore, 1);
  EXPECT_EQ(invalid.SpaceAfter, 1);
  EXPECT_EQ(invalid.LeftIndent, 1);
  EXPECT_EQ(invalid.RightIndent, 1);
  EXPECT_EQ(invalid.Border.Style, rvbSingle);
  EXPECT_EQ(invalid.Border.Color, clRed);
  EXPECT_EQ(invalid.Border.Width, 2);
  TRVRect ones;
  ones.SetAll(1);
  EXPECT_EQ(invalid.Border.BorderOffsets, ones);
}

TEST(ParaInfo, AssignCopiesBorderBackgroundAndTabs) {
  TParaInfo a;
  a.Alignment = rvaJustify;
  a.Border.Style = rvbDouble;
  a.Background.Color = clAqua;
  a.Tabs.Add(40, rvtaRight, u".");
  a.DefStyleNo = 3;
  TParaInfo b;
  b.Assign(a);
  EXPECT_TRUE(b.IsEqual(a, {}));
  ASSERT_EQ(b.Tabs.Count(), 1);
  EXPECT_EQ(b.Tabs.Items(0).GetPosition(), 40);
  EXPECT_EQ(b.Tabs.Items(0).Leader, u".");
  b.Tabs.Items(0).SetPosition(41);
  EXPECT_FALSE(b.IsEqual(a, {}));
  EXPECT_TRUE(b.IsEqual(a, TRVParaInfoProperties{rvpiTabs}));
}

TEST(Border, TotalWidth) {
  struct Case {
    TRVBorderStyle style;
    int width, internal, total;
  };
  for (const Case& c : {Case{rvbNone, 2, 3, 0}, Case{rvbSingle, 2, 3, 2}, Case{rvbDouble, 2, 3, 7},
                        Case{rvbTriple, 2, 3, 12}, Case{rvbThickInside, 2, 3, 9}, Case{rvbThickOutside, 2, 3, 9}}) {
    TRVBorder b;
    b.Style = c.style;
    b.Width = c.width;
    b.InternalWidth = c.internal;
    EXPECT_EQ(b.GetTotalWidth(), c.total) << c.style;
  }
}

class BorderDrawTest : public ::testing::Test {
 protected:
  BorderDrawTest() : canvas(40, 40) { canvas.Bitmap().Fill(clWhite); }
  TFixedMetricsCanvas canvas;
  TRVBorder border;
};

TEST_F(BorderDrawTest, NoneDrawsNothing) {
  border.Draw(Rect(10, 10, 30, 30), canvas);
  EXPECT_EQ(CountPixels(canvas.Bitmap(), clWhite), 40 * 40);
}

TEST_F(BorderDrawTest, SingleLineLiesInsideTheWidenedRectangle) {
  border.Style = rvbSingle;
  border.Width = 2;
  border.Color = clRed;
  border.BorderOffsets.SetAll(1);
  canvas.Brush.Color = clYellow;
  border.Draw(Rect(10, 10, 30, 30), canvas);
  // The rectangle widened to (9, 9, 31, 31), a two-pixel line inside it.
  EXPECT_TRUE(AllPixels(canvas.Bitmap(), clRed, Rect(9, 9, 31, 11)));
  EXPECT_TRUE(AllPixels(canvas.Bitmap(), clRed, Rect(9, 29, 31, 31)));
  EXPECT_TRUE(AllPixels(canvas.Bitmap(), clRed, Rect(9, 9, 11, 31)));
  EXPECT_TRUE(AllPixels(canvas.Bitmap(), clWhite, Rect(11, 11, 29, 29)));
  EXPECT_EQ(CountPixels(canvas.Bitmap(), clRed), 22 * 22 - 18 * 18);
  EXPECT_EQ(canvas.Brush.Color, clYellow);  // the canvas is left as it was
}

TEST_F(BorderDrawTest, TripleLinesKeepTheirGaps) {
  border.Style = rvbTriple;
  border.Width = 2;
  border.InternalWidth = 3;
  border.Color = clBlue;
  border.Draw(Rect(14, 14, 26, 26), canvas);
  // Columns on one row, from the inside out: line, gap, line, gap, line.
  const int y = 20;
  for (int x = 14; x < 16; ++x) EXPECT_EQ(test::PixelAt(canvas.Bitmap(), x, y), clBlue) << x;
  for (int x = 11; x < 14; ++x) EXPECT_EQ(test::PixelAt(canvas.Bitmap(), x, y), clWhite) << x;
  for (int x = 9; x < 11; ++x) EXPECT_EQ(test::PixelAt(canvas.Bitmap(), x, y), clBlue) << x;
  for (int x = 6; x < 9; ++x) EXPECT_EQ(test::PixelAt(canvas.Bitmap(), x, y), clWhite) << x;
  for (int x = 4; x < 6; ++x) EXPECT_EQ(test::PixelAt(canvas.Bitmap(), x, y), clBlue) << x;
  EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 3, y), clWhite);
  EXPECT_EQ(16 - 4, border.GetTotalWidth());
}

TEST_F(BorderDrawTest, OnlyVisibleSidesAreDrawn) {
  border.Style = rvbSingle;
  border.Color = clRed;
  border.VisibleBorders.SetValues(false, true, false, false);
  border.Draw(Rect(10, 10, 30, 30), canvas);
  EXPECT_EQ(CountPixels(canvas.Bitmap(), clRed), 20);
  EXPECT_TRUE(AllPixels(canvas.Bitmap(), clRed, Rect(10, 10, 30, 11)));
}

TEST_F(BorderDrawTest, BlackAndWhiteModesDrawBlack) {
  border.Style = rvbSingle;
  border.Color = clRed;
  border.Draw(Rect(10, 10, 30, 30), canvas, rvcmBlackAndWhite);
  EXPECT_EQ(CountPixels(canvas.Bitmap(), clBlack), 20 * 20 - 18 * 18);
}

TEST(Background, FillsTheWidenedRectangleUnlessClNone) {
  TFixedMetricsCanvas canvas(40, 40);
  canvas.Bitmap().Fill(clWhite);
  TRVBackgroundRect back;
  back.Draw(Rect(10, 10, 20, 20), canvas, false, rvcmColor);
  EXPECT_EQ(CountPixels(canvas.Bitmap(), clWhite), 1600);
  back.Color = clLime;
  back.BorderOffsets.Left = 2;
  back.BorderOffsets.Bottom = 3;
  back.Draw(Rect(10, 10, 20, 20), canvas, false, rvcmColor);
  EXPECT_TRUE(AllPixels(canvas.Bitmap(), clLime, Rect(8, 10, 20, 23)));
  EXPECT_EQ(CountPixels(canvas.Bitmap(), clLime), 12 * 13);
}

TEST(TabInfos, StayInAscendingOrder) {
  TRVTabInfos tabs;
  tabs.Add(50);
  tabs.Add(10);
  TRVTabInfo& third = tabs.Add(30);
  auto positions = [&] {
    std::vector<int> p;
    for (int i = 0; i < tabs.Count(); ++i) p.push_back(tabs.Items(i).GetPosition());
    return p;
  };
  EXPECT_EQ(positions(), (std::vector<int>{10, 30, 50}));
  third.SetPosition(5);  // below every other
  EXPECT_EQ(positions(), (std::vector<int>{5, 10, 50}));
  EXPECT_EQ(tabs.IndexOf(&third), 0);
  tabs.Add();  // a new stop sits at 0
  EXPECT_EQ(positions(), (std::vector<int>{0, 5, 10, 50}));
  EXPECT_EQ(tabs.Find(10), 2);
  EXPECT_EQ(tabs.Find(11), -1);
}

TEST(TabInfos, IntersectAddFromDeleteList) {
  TRVTabInfos a, b;
  a.Add(10);
  a.Add(20, rvtaRight);
  a.Add(30);
  b.Add(20, rvtaRight);
  b.Add(30, rvtaCenter);
  b.Add(40);
  TRVTabInfos i;
  i.Assign(a);
  i.Intersect(b);
  ASSERT_EQ(i.Count(), 1);
  EXPECT_EQ(i.Items(0).GetPosition(), 20);
  a.AddFrom(b);
  EXPECT_EQ(a.Count(), 4);
  EXPECT_EQ(a.Items(2).Align, rvtaLeft);  // its own stop at 30 stays
  a.DeleteList({10, 40, 99});
  EXPECT_EQ(a.Count(), 2);
}

}  // namespace
}  // namespace quorix
