// Pixel drawing of the raster canvas: fills, frames, rectangles, lines,
// copies, clipping, origin and saved states.

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/graphics.h"
#include "tests/support/bitmap_helpers.h"

namespace quorix {
namespace {

using test::AllPixels;
using test::CountPixels;
using test::InkBounds;
using test::PixelAt;
using test::Picture;

class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : bitmap(20, 12), canvas(bitmap.Canvas()) {}
  TBitmap bitmap;
  TCanvas& canvas;
};

TEST_F(CanvasTest, NewBitmapIsWhiteAndFillRectIsRightAndBottomExclusive) {
  EXPECT_EQ(CountPixels(bitmap, clWhite), 20 * 12);
  canvas.Brush.Color = clRed;
  canvas.FillRect(Rect(2, 3, 6, 5));
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(2, 3, 6, 5));
  EXPECT_EQ(CountPixels(bitmap, clRed), 4 * 2);
}

TEST_F(CanvasTest, ClearBrushFillsNothingAndEmptyRectsDrawNothing) {
  canvas.Brush.Color = clRed;
  canvas.Brush.Style = bsClear;
  canvas.FillRect(Rect(0, 0, 10, 10));
  canvas.FrameRect(Rect(0, 0, 10, 10));
  canvas.Brush.Style = bsSolid;
  canvas.FillRect(Rect(5, 5, 5, 9));
  canvas.FillRect(Rect(8, 5, 4, 9));  // right < left: empty, not normalised
  canvas.FrameRect(Rect(5, 5, 5, 9));
  EXPECT_EQ(CountPixels(bitmap, clWhite), 20 * 12);
}

TEST_F(CanvasTest, FrameRectIsOnePixelInsideInTheBrushColour) {
  canvas.Brush.Color = clBlue;
  canvas.FrameRect(Rect(1, 1, 6, 5));
  EXPECT_EQ(Picture(bitmap, clWhite, Rect(0, 0, 7, 6)),
            ".......\n"
            ".#####.\n"
            ".#...#.\n"
            ".#...#.\n"
            ".#####.\n"
            ".......\n");
  EXPECT_EQ(PixelAt(bitmap, 1, 1), clBlue);
}

TEST_F(CanvasTest, RectangleFramesInThePenAndFillsInTheBrush) {
  canvas.Pen.Color = clRed;
  canvas.Brush.Color = clBlue;
  canvas.Rectangle(2, 1, 7, 5);
  // Frame around x 2..6, y 1..4; inside 3..5 x 2..3.
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(2, 1, 7, 5));
  EXPECT_TRUE(AllPixels(bitmap, clBlue, Rect(3, 2, 6, 4)));
  EXPECT_EQ(CountPixels(bitmap, clRed), 5 * 2 + 2 * 2);
  EXPECT_EQ(PixelAt(bitmap, 6, 4), clRed);
  EXPECT_EQ(PixelAt(bitmap, 7, 4), clWhite);
}

TEST_F(CanvasTest, RectangleWithReversedCornersIsNormalised) {
  canvas.Pen.Color = clRed;
  canvas.Rectangle(7, 5, 2, 1);
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(2, 1, 7, 5));
}

TEST_F(CanvasTest, RectangleWithClearBrushKeepsTheInside) {
  bitmap.Fill(clGreen);
  canvas.Pen.Color = clRed;
  canvas.Brush.Style = bsClear;
  canvas.Rectangle(Rect(0, 0, 5, 4));
  EXPECT_TRUE(AllPixels(bitmap, clGreen, Rect(1, 1, 4, 3)));
  EXPECT_EQ(CountPixels(bitmap, clRed), 5 * 2 + 2 * 2);
}

TEST_F(CanvasTest, RectangleWithClearPenFillsOnePixelLessRightAndBelow) {
  canvas.Pen.Style = psClear;
  canvas.Brush.Color = clBlue;
  canvas.Rectangle(2, 2, 6, 5);
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(2, 2, 5, 4));
  EXPECT_EQ(CountPixels(bitmap, clBlue), 3 * 2);
}

TEST_F(CanvasTest, TheTabStripPatternOfTwoNestedRectangles) {
  // Outer frame, then an inner frame one pixel inside it with the same fill.
  const TColor fill = RGB(224, 224, 224), outer = RGB(173, 165, 157), inner = RGB(198, 194, 190);
  canvas.Brush.Color = fill;
  canvas.Pen.Color = outer;
  canvas.Rectangle(0, 0, 10, 6);
  canvas.Pen.Color = inner;
  canvas.Rectangle(1, 1, 9, 5);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), outer);
  EXPECT_EQ(PixelAt(bitmap, 9, 5), outer);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), inner);
  EXPECT_EQ(PixelAt(bitmap, 8, 4), inner);
  EXPECT_TRUE(AllPixels(bitmap, fill, Rect(2, 2, 8, 4)));
  EXPECT_EQ(PixelAt(bitmap, 10, 0), clWhite);
}

TEST_F(CanvasTest, WidePenInsideFrameStaysInside) {
  canvas.Pen.Color = clRed;
  canvas.Pen.Width = 2;
  canvas.Pen.Style = psInsideFrame;
  canvas.Brush.Color = clBlue;
  canvas.Rectangle(0, 0, 8, 6);
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(0, 0, 8, 6));
  EXPECT_TRUE(AllPixels(bitmap, clBlue, Rect(2, 2, 6, 4)));
  EXPECT_EQ(CountPixels(bitmap, clBlue), 4 * 2);
}

TEST_F(CanvasTest, LineToExcludesTheEndPoint) {
  canvas.Pen.Color = clBlack;
  canvas.MoveTo(1, 2);
  canvas.LineTo(6, 2);
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(1, 2, 6, 3));
  canvas.LineTo(6, 6);  // continues from (6, 2)
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(1, 2, 7, 6));
  EXPECT_EQ(PixelAt(bitmap, 6, 6), clWhite);
  bitmap.Fill(clWhite);
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 4);
  EXPECT_EQ(CountPixels(bitmap, clBlack), 4);
  EXPECT_EQ(PixelAt(bitmap, 3, 3), clBlack);
}

TEST_F(CanvasTest, DottedPenAndRasterModes) {
  canvas.Pen.Style = psDot;  // three on, three off
  canvas.MoveTo(0, 0);
  canvas.LineTo(12, 0);
  EXPECT_EQ(Picture(bitmap, clWhite, Rect(0, 0, 13, 1)), "###...###....\n");
  bitmap.Fill(clWhite);
  canvas.Pen.Style = psSolid;
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Color = clRed;
  canvas.Brush.Style = bsClear;
  canvas.Rectangle(0, 0, 4, 4);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGB(0, 255, 255));  // white ^ red
  canvas.Rectangle(0, 0, 4, 4);                          // twice: gone again
  EXPECT_EQ(CountPixels(bitmap, clWhite), 20 * 12);
  canvas.Pen.Mode = pmNot;
  canvas.MoveTo(0, 5);
  canvas.LineTo(3, 5);
  EXPECT_EQ(CountPixels(bitmap, clBlack), 3);
}

TEST_F(CanvasTest, ClearPenDrawsNoLine) {
  canvas.Pen.Style = psClear;
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0);
  EXPECT_EQ(CountPixels(bitmap, clWhite), 20 * 12);
}

TEST_F(CanvasTest, PixelsReadAndWriteAndOutsideIsInvalid) {
  canvas.SetPixel(3, 4, clLime);
  EXPECT_EQ(canvas.GetPixel(3, 4), clLime);
  EXPECT_EQ(PixelAt(bitmap, 3, 4), clLime);
  EXPECT_EQ(canvas.GetPixel(-1, 0), CLR_INVALID);
  EXPECT_EQ(canvas.GetPixel(20, 0), CLR_INVALID);
  canvas.SetPixel(25, 25, clLime);  // ignored
}

TEST_F(CanvasTest, SystemColoursResolveWhenDrawing) {
  canvas.Brush.Color = clBtnFace;
  canvas.FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(PixelAt(bitmap, 0, 0), ColorToRGB(clBtnFace));
}

TEST_F(CanvasTest, ClippingLimitsDrawingAndIntersects) {
  canvas.IntersectClipRect(Rect(2, 2, 10, 10));
  canvas.IntersectClipRect(Rect(5, 0, 20, 8));
  EXPECT_EQ(canvas.GetClipRect(), Rect(5, 2, 10, 8));
  canvas.Brush.Color = clRed;
  canvas.FillRect(Rect(0, 0, 20, 12));
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(5, 2, 10, 8));
  EXPECT_EQ(canvas.GetPixel(0, 0), CLR_INVALID);
  canvas.ResetClip();
  EXPECT_EQ(canvas.GetClipRect(), Rect(0, 0, 20, 12));
  canvas.IntersectClipRect(Rect(30, 30, 40, 40));
  EXPECT_TRUE(canvas.GetClipRect().IsEmpty());
  canvas.FillRect(Rect(0, 0, 20, 12));
  EXPECT_EQ(CountPixels(bitmap, clRed), 5 * 6);
}

TEST_F(CanvasTest, OriginMovesDrawingButNotTheClipping) {
  canvas.IntersectClipRect(Rect(0, 0, 10, 10));
  canvas.SetOrigin(4, 3);
  EXPECT_EQ(canvas.GetOrigin(), (TPoint{4, 3}));
  // The clipping stays where it was on the device: in the moved coordinates it is shifted.
  EXPECT_EQ(canvas.GetClipRect(), Rect(-4, -3, 6, 7));
  canvas.Brush.Color = clRed;
  canvas.FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(4, 3, 6, 5));
  canvas.FillRect(Rect(5, 5, 20, 20));  // clipped at device (10, 10)
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(4, 3, 10, 10));
  EXPECT_EQ(canvas.GetPixel(0, 0), clRed);
}

TEST_F(CanvasTest, SaveAndRestoreState) {
  canvas.Brush.Color = clRed;
  canvas.Font.Name = u"Arial";
  canvas.SetTextAlign(TA_BASELINE);
  canvas.SetTextCharacterExtra(2);
  canvas.SaveState();
  canvas.Brush.Color = clBlue;
  canvas.Font.Name = u"Courier New";
  canvas.SetOrigin(5, 5);
  canvas.IntersectClipRect(Rect(0, 0, 2, 2));
  canvas.SetTextAlign(TA_RIGHT);
  canvas.SetTextCharacterExtra(0);
  canvas.RestoreState();
  EXPECT_EQ(canvas.Brush.Color, clRed);
  EXPECT_EQ(canvas.Font.Name, u"Arial");
  EXPECT_EQ(canvas.GetOrigin(), (TPoint{0, 0}));
  EXPECT_EQ(canvas.GetClipRect(), Rect(0, 0, 20, 12));
  EXPECT_EQ(canvas.GetTextAlign(), static_cast<unsigned>(TA_BASELINE));
  EXPECT_EQ(canvas.GetTextCharacterExtra(), 2);
  canvas.RestoreState();  // nothing saved: harmless
  EXPECT_EQ(canvas.Brush.Color, clRed);
}

// --- copies ---

TBitmap Checker2x2() {
  TBitmap b(2, 2);
  b.Scanline(0)[0] = PixelFromColor(clRed);
  b.Scanline(0)[1] = PixelFromColor(clLime);
  b.Scanline(1)[0] = PixelFromColor(clBlue);
  b.Scanline(1)[1] = PixelFromColor(clBlack);
  return b;
}

TEST_F(CanvasTest, DrawBitmapCopiesAtItsOwnSizeAndClips) {
  const TBitmap src = Checker2x2();
  canvas.DrawBitmap(3, 4, src);
  EXPECT_EQ(PixelAt(bitmap, 3, 4), clRed);
  EXPECT_EQ(PixelAt(bitmap, 4, 4), clLime);
  EXPECT_EQ(PixelAt(bitmap, 3, 5), clBlue);
  EXPECT_EQ(PixelAt(bitmap, 4, 5), clBlack);
  canvas.DrawBitmap(19, -1, src);  // only (19, 0) lands: the source's blue
  EXPECT_EQ(PixelAt(bitmap, 19, 0), clBlue);
  EXPECT_EQ(CountPixels(bitmap, clWhite), 20 * 12 - 5);
}

TEST_F(CanvasTest, StretchDrawTwiceTheSizeMapsEachPixelToATwoByTwoBlock) {
  const TBitmap src = Checker2x2();
  canvas.StretchDrawBitmap(Rect(2, 2, 6, 6), src);
  const struct {
    int x, y;
    TColor c;
  } expected[] = {{2, 2, clRed},  {3, 3, clRed},  {4, 2, clLime},  {5, 3, clLime},
                  {2, 4, clBlue}, {3, 5, clBlue}, {4, 4, clBlack}, {5, 5, clBlack}};
  for (const auto& e : expected) EXPECT_EQ(PixelAt(bitmap, e.x, e.y), e.c) << e.x << "," << e.y;
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(2, 2, 6, 6));
}

TEST_F(CanvasTest, StretchDrawUnevenScalesUseTheIntegerMapping) {
  // A 3-pixel row into 5 pixels: destination i shows source i * 3 / 5.
  TBitmap src(3, 1);
  src.Scanline(0)[0] = PixelFromColor(clRed);
  src.Scanline(0)[1] = PixelFromColor(clLime);
  src.Scanline(0)[2] = PixelFromColor(clBlue);
  canvas.StretchDrawBitmap(Rect(0, 0, 5, 1), src);
  const TColor expected[] = {clRed, clRed, clLime, clLime, clBlue};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(PixelAt(bitmap, i, 0), expected[i]) << i;
  // Shrinking to 2 pixels keeps source columns 0 and 1.
  canvas.StretchDrawBitmap(Rect(0, 1, 2, 2), src);
  EXPECT_EQ(PixelAt(bitmap, 0, 1), clRed);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), clLime);
}

TEST_F(CanvasTest, StretchDrawHonoursClipAndOrigin) {
  const TBitmap src = Checker2x2();
  canvas.SetOrigin(1, 0);
  canvas.IntersectClipRect(Rect(0, 0, 3, 20));  // device x 1..3
  canvas.StretchDrawBitmap(Rect(0, 0, 4, 4), src);
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(1, 0, 4, 4));
  EXPECT_EQ(PixelAt(bitmap, 2, 0), clRed);
  EXPECT_EQ(PixelAt(bitmap, 3, 0), clLime);
}

TEST_F(CanvasTest, MaskedStretchLeavesTheDestinationUnderMaskedPixels) {
  bitmap.Fill(clYellow);
  const TBitmap src = Checker2x2();
  TMask mask{2, 2, {0, 1, 1, 0}};  // lime and blue are transparent
  canvas.StretchDrawMasked(Rect(0, 0, 4, 4), src, mask);
  EXPECT_TRUE(AllPixels(bitmap, clRed, Rect(0, 0, 2, 2)));
  EXPECT_TRUE(AllPixels(bitmap, clYellow, Rect(2, 0, 4, 2)));
  EXPECT_TRUE(AllPixels(bitmap, clYellow, Rect(0, 2, 2, 4)));
  EXPECT_TRUE(AllPixels(bitmap, clBlack, Rect(2, 2, 4, 4)));
  EXPECT_EQ(CountPixels(bitmap, clYellow), 20 * 12 - 8);
}

TEST_F(CanvasTest, CopyRectBetweenCanvasesPlainAndStretched) {
  TBitmap other(4, 4);
  other.Canvas().Brush.Color = clRed;
  other.Canvas().FillRect(Rect(1, 1, 3, 3));
  canvas.CopyRect(Rect(10, 2, 14, 6), other.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(11, 3, 13, 5));
  canvas.CopyRect(Rect(0, 0, 4, 4), other.Canvas(), Rect(1, 1, 3, 3));  // 2x2 red to 4x4
  EXPECT_TRUE(AllPixels(bitmap, clRed, Rect(0, 0, 4, 4)));
}

TEST_F(CanvasTest, CopyRectReadsTheSourceThroughItsOrigin) {
  TBitmap other(4, 4);
  other.Scanline(2)[3] = PixelFromColor(clBlue);
  other.Canvas().SetOrigin(2, 2);
  canvas.CopyRect(Rect(0, 0, 2, 2), other.Canvas(), Rect(0, 0, 2, 2));  // device (2, 2)-(4, 4)
  EXPECT_EQ(PixelAt(bitmap, 1, 0), clBlue);
}

TEST_F(CanvasTest, CopyWithinTheSameBitmapReadsTheOriginalPixels) {
  canvas.Brush.Color = clRed;
  canvas.FillRect(Rect(0, 0, 4, 1));
  canvas.CopyRect(Rect(2, 0, 10, 1), canvas, Rect(0, 0, 8, 1));  // overlapping move right
  EXPECT_TRUE(AllPixels(bitmap, clRed, Rect(0, 0, 6, 1)));
  EXPECT_TRUE(AllPixels(bitmap, clWhite, Rect(6, 0, 20, 1)));
}

TEST_F(CanvasTest, CanvasFollowsTheBitmapWhenItIsResized) {
  bitmap.SetSize(40, 30);
  canvas.Brush.Color = clRed;
  canvas.FillRect(Rect(30, 20, 40, 30));
  EXPECT_EQ(canvas.GetClipRect(), Rect(0, 0, 40, 30));
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(30, 20, 40, 30));
  canvas.Font.Height = -20;
  canvas.Font.Color = clBlack;
  canvas.Brush.Style = bsClear;
  canvas.TextOut(0, 0, u"Hi");
  EXPECT_GT(CountPixels(bitmap, clWhite, Rect(0, 0, 30, 20)), 0);
  EXPECT_LT(CountPixels(bitmap, clWhite, Rect(0, 0, 30, 20)), 30 * 20);
  bitmap.SetSize(0, 0);
  canvas.FillRect(Rect(0, 0, 10, 10));  // nothing to draw on: harmless
  canvas.TextOut(0, 0, u"Hi");
  EXPECT_TRUE(canvas.GetClipRect().IsEmpty());
}

}  // namespace
}  // namespace quorix
