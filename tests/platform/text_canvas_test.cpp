// Text on the raster canvas: fonts, output, extents, fitting and metrics.

#include <QFontInfo>

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/graphics.h"
#include "platform/qt/font_cache.h"
#include "tests/support/bitmap_helpers.h"

namespace quorix {
namespace {

using test::CountPixels;
using test::InkBounds;

class TextCanvasTest : public ::testing::Test {
 protected:
  TextCanvasTest() : bitmap(200, 60), canvas(bitmap.Canvas()) {
    canvas.Font.Name = u"Arial";
    canvas.Font.Height = -20;
    canvas.Font.Color = clRed;
  }
  TBitmap bitmap;
  TCanvas& canvas;
};

std::string FamilyOf(const TFont& font) {
  return QFontInfo(qt::FindFont(font)->Font()).family().toStdString();
}

TEST_F(TextCanvasTest, ClassicFaceNamesResolveToTheShippedFamilies) {
  const struct {
    const char16_t* name;
    const char* family;
  } cases[] = {
      {u"Arial", "Liberation Sans"},          {u"arial", "Liberation Sans"},
      {u"Times New Roman", "Liberation Serif"}, {u"Courier New", "Liberation Mono"},
      {u"MS Sans Serif", "DejaVu Sans"},      {u"MS Shell Dlg 2", "DejaVu Sans"},
      {u"Tahoma", "DejaVu Sans"},
  };
  for (const auto& c : cases) {
    TFont f;
    f.Name = c.name;
    EXPECT_EQ(FamilyOf(f), c.family) << Utf16ToUtf8(c.name);
  }
}

TEST_F(TextCanvasTest, ArialMeasuresDifferentlyFromTheDialogFont) {
  const int arial = canvas.TextWidth(u"Hello, world");
  canvas.Font.Name = u"MS Sans Serif";
  const int dialog = canvas.TextWidth(u"Hello, world");
  EXPECT_GT(arial, 0);
  EXPECT_GT(dialog, 0);
  EXPECT_NE(arial, dialog);
}

TEST_F(TextCanvasTest, ExtentOfNothingIsZeroWideButAFontHigh) {
  const TSize s = canvas.TextExtent(u"");
  EXPECT_EQ(s.cx, 0);
  EXPECT_EQ(s.cy, canvas.GetTextMetrics().tmHeight);
  EXPECT_GT(s.cy, 0);
}

TEST_F(TextCanvasTest, CharacterExtraAddsExactlyOncePerCharacter) {
  const std::u16string text = u"Smilies set";
  const int plain = canvas.TextWidth(text);
  for (int extra : {1, 3, -1}) {
    canvas.SetTextCharacterExtra(extra);
    EXPECT_EQ(canvas.TextWidth(text), plain + static_cast<int>(text.size()) * extra) << extra;
    int fit = 0;
    std::vector<int> dx;
    canvas.TextExtentFit(text, 10000, fit, &dx);
    EXPECT_EQ(dx.back(), plain + static_cast<int>(text.size()) * extra) << extra;
  }
}

TEST_F(TextCanvasTest, ExtentIsAdditiveOverPrefixesAndFitAgrees) {
  const std::u16string texts[] = {u"Wavy office fiction", u"Привет, мир", u"AV To. ff"};
  for (const auto& text : texts) {
    int fit = 0;
    std::vector<int> dx;
    const TSize whole = canvas.TextExtentFit(text, 0, fit, &dx);
    ASSERT_EQ(dx.size(), text.size());
    EXPECT_EQ(whole.cx, canvas.TextWidth(text));
    EXPECT_EQ(dx.back(), whole.cx);
    for (std::size_t i = 0; i < text.size(); ++i) {
      EXPECT_EQ(dx[i], canvas.TextWidth(std::u16string_view(text).substr(0, i + 1))) << i;
      if (i > 0) {
        EXPECT_GE(dx[i], dx[i - 1]);
      }
    }
  }
}

TEST_F(TextCanvasTest, FitCountsAtExactBoundaries) {
  const std::u16string text = u"abcdef";
  std::vector<int> dx;
  int fit = 0;
  canvas.TextExtentFit(text, 10000, fit, &dx);
  EXPECT_EQ(fit, 6);
  const struct {
    int max, expected;
  } cases[] = {
      {dx[2], 3}, {dx[2] - 1, 2}, {dx[2] + 1, 3}, {dx[0] - 1, 0}, {0, 0}, {-5, 0}, {dx[5], 6},
  };
  for (const auto& c : cases) {
    canvas.TextExtentFit(text, c.max, fit);  // without dx as well
    EXPECT_EQ(fit, c.expected) << c.max;
  }
  canvas.TextExtentFit(u"", 10, fit, &dx);
  EXPECT_EQ(fit, 0);
  EXPECT_TRUE(dx.empty());
}

TEST_F(TextCanvasTest, ComplexScriptsAreMeasuredShapedAndStayConsistent) {
  // Combining marks and surrogate pairs go through the shaping path.
  const std::u16string text = u"e\u0301a\U0001F600b";
  int fit = 0;
  std::vector<int> dx;
  const TSize s = canvas.TextExtentFit(text, 10000, fit, &dx);
  EXPECT_EQ(s.cx, canvas.TextWidth(text));
  EXPECT_EQ(dx.back(), s.cx);
  EXPECT_EQ(fit, static_cast<int>(text.size()));
  for (std::size_t i = 1; i < dx.size(); ++i) EXPECT_GE(dx[i], dx[i - 1]);
}

TEST_F(TextCanvasTest, TextWithClearBrushDrawsOnlyGlyphsInTheFontColour) {
  canvas.Brush.Style = bsClear;
  canvas.TextOut(5, 5, u"Error:");
  EXPECT_GT(CountPixels(bitmap, clRed), 10);
  const TRect ink = InkBounds(bitmap, clWhite);
  const int width = canvas.TextWidth(u"Error:");
  const TTextMetric tm = canvas.GetTextMetrics();
  EXPECT_GE(ink.Left, 5);
  EXPECT_LE(ink.Right, 5 + width + 1);
  EXPECT_GE(ink.Top, 5);
  EXPECT_LE(ink.Bottom, 5 + tm.tmHeight);
  // Background pixels around the glyphs stay white.
  EXPECT_GT(CountPixels(bitmap, clWhite, Bounds(5, 5, width, tm.tmHeight)), 0);
}

TEST_F(TextCanvasTest, SolidBrushFillsTheTextCell) {
  canvas.Brush.Color = clYellow;
  canvas.TextOut(10, 4, u"Tab");
  const TSize s = canvas.TextExtent(u"Tab");
  EXPECT_EQ(InkBounds(bitmap, clWhite), Bounds(10, 4, s.cx, s.cy));
  EXPECT_GT(CountPixels(bitmap, clYellow), 0);
  EXPECT_GT(CountPixels(bitmap, clRed), 0);
}

TEST_F(TextCanvasTest, AlignmentMovesTheReferencePoint) {
  canvas.Brush.Color = clBlue;
  const TSize s = canvas.TextExtent(u"Ab");
  const TTextMetric tm = canvas.GetTextMetrics();
  const struct {
    unsigned align;
    TRect cell;
  } cases[] = {
      {TA_LEFT | TA_TOP, Bounds(100, 30, s.cx, s.cy)},
      {TA_RIGHT | TA_TOP, Bounds(100 - s.cx, 30, s.cx, s.cy)},
      {TA_CENTER | TA_TOP, Bounds(100 - s.cx / 2, 30, s.cx, s.cy)},
      {TA_LEFT | TA_BASELINE, Bounds(100, 30 - tm.tmAscent, s.cx, s.cy)},
      {TA_LEFT | TA_BOTTOM, Bounds(100, 30 - s.cy, s.cx, s.cy)},
  };
  for (const auto& c : cases) {
    bitmap.Fill(clWhite);
    canvas.SetTextAlign(c.align);
    canvas.TextOut(100, 30, u"Ab");
    EXPECT_EQ(InkBounds(bitmap, clWhite), c.cell) << c.align;
  }
}

TEST_F(TextCanvasTest, TextRectClipsAndFillsTheWholeRectangle) {
  canvas.Brush.Color = clYellow;
  canvas.TextRect(Rect(10, 10, 20, 30), 12, 12, u"Wide text");
  EXPECT_EQ(InkBounds(bitmap, clWhite), Rect(10, 10, 20, 30));
  canvas.Brush.Style = bsClear;
  bitmap.Fill(clWhite);
  canvas.TextRect(Rect(10, 0, 20, 40), 0, 5, u"WWWWWWWW");
  const TRect ink = InkBounds(bitmap, clWhite);
  EXPECT_GE(ink.Left, 10);
  EXPECT_LE(ink.Right, 20);
}

TEST_F(TextCanvasTest, SpacedOutputCoversTheMeasuredWidth) {
  canvas.SetTextCharacterExtra(6);
  canvas.Brush.Color = clYellow;
  canvas.TextOut(0, 0, u"iii");
  const TSize s = canvas.TextExtent(u"iii");
  EXPECT_EQ(InkBounds(bitmap, clWhite), Bounds(0, 0, s.cx, s.cy));
  // The glyphs are spread: ink (anything but the brush colour) in each third of the cell.
  for (int part = 0; part < 3; ++part) {
    const TRect third = Rect(part * s.cx / 3, 0, (part + 1) * s.cx / 3, s.cy);
    EXPECT_LT(CountPixels(bitmap, clYellow, third), third.Width() * third.Height()) << part;
  }
}

TEST_F(TextCanvasTest, MetricsAddUp) {
  for (int height : {-11, -13, -20, 16, 0}) {
    canvas.Font.Height = height;
    const TTextMetric tm = canvas.GetTextMetrics();
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent) << height;
    EXPECT_GT(tm.tmAscent, tm.tmDescent) << height;
    EXPECT_GT(tm.tmAveCharWidth, 0) << height;
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth) << height;
    EXPECT_GE(tm.tmInternalLeading, 0) << height;
    if (height < 0) {
      EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -height) << height;
    }
    if (height > 0) {
      EXPECT_LE(tm.tmHeight, height) << height;
    }
  }
}

TEST_F(TextCanvasTest, PositiveHeightAsksForTheCellHeight) {
  canvas.Font.Height = -20;
  const int cell = canvas.GetTextMetrics().tmHeight;
  canvas.Font.Height = cell;
  EXPECT_EQ(canvas.GetTextMetrics().tmHeight, cell);
  EXPECT_EQ(canvas.GetTextMetrics().tmHeight - canvas.GetTextMetrics().tmInternalLeading, 20);
}

TEST_F(TextCanvasTest, StylesChangeTheFont) {
  const int plain = canvas.TextWidth(u"Bold text here");
  canvas.Font.Style = {fsBold};
  EXPECT_GT(canvas.TextWidth(u"Bold text here"), plain);
  EXPECT_EQ(canvas.GetTextMetrics().tmWeight, FW_BOLD);
  canvas.Font.Style = {fsItalic, fsUnderline, fsStrikeOut};
  const TTextMetric tm = canvas.GetTextMetrics();
  EXPECT_TRUE(tm.tmItalic);
  EXPECT_TRUE(tm.tmUnderlined);
  EXPECT_TRUE(tm.tmStruckOut);
}

TEST_F(TextCanvasTest, AverageWidthRequestScalesTheGlyphs) {
  const TTextMetric natural = canvas.GetTextMetrics();
  const int plain = canvas.TextWidth(u"scaled text");
  canvas.Font.Width = natural.tmAveCharWidth * 2;
  const TTextMetric scaled = canvas.GetTextMetrics();
  EXPECT_EQ(scaled.tmAveCharWidth, natural.tmAveCharWidth * 2);
  EXPECT_EQ(scaled.tmHeight, natural.tmHeight);
  EXPECT_NEAR(canvas.TextWidth(u"scaled text"), plain * 2, plain / 8);
}

TEST_F(TextCanvasTest, OutlineMetricsGiveScriptsAndLines) {
  TOutlineTextMetric om;
  ASSERT_TRUE(canvas.GetOutlineTextMetrics(om));
  const TTextMetric& tm = om.otmTextMetrics;
  EXPECT_EQ(tm.tmHeight, canvas.GetTextMetrics().tmHeight);
  const int em = tm.tmHeight - tm.tmInternalLeading;
  for (TPoint size : {om.otmptSubscriptSize, om.otmptSuperscriptSize}) {
    EXPECT_GE(size.Y, em / 3);
    EXPECT_LT(size.Y, em);
    EXPECT_GT(size.X, 0);
  }
  EXPECT_GT(om.otmptSubscriptOffset.Y, 0);    // below the baseline
  EXPECT_GT(om.otmptSuperscriptOffset.Y, 0);  // above it
  EXPECT_LT(om.otmptSubscriptOffset.Y, tm.tmDescent + 1);
  EXPECT_LT(om.otmptSuperscriptOffset.Y, tm.tmAscent);
  EXPECT_LT(om.otmsUnderscorePosition, 0);
  EXPECT_GE(om.otmsUnderscoreSize, 1);
  EXPECT_GT(om.otmsStrikeoutPosition, 0);
  EXPECT_LT(om.otmsStrikeoutPosition, tm.tmAscent);
  EXPECT_GE(om.otmsStrikeoutSize, 1);
}

TEST_F(TextCanvasTest, AnsiTextGoesThroughTheSystemCodePage) {
  // "\xCF\xF0\xE8" is "При" in Windows-1251.
  EXPECT_EQ(canvas.TextExtentA("\xCF\xF0\xE8"), canvas.TextExtent(u"При"));
}

TEST_F(TextCanvasTest, CompatibleCanvasMeasuresTheSame) {
  auto other = canvas.CreateCompatible();
  other->Font = canvas.Font;
  EXPECT_EQ(other->TextExtent(u"Same font"), canvas.TextExtent(u"Same font"));
  EXPECT_EQ(other->GetClipRect(), Rect(0, 0, 1, 1));
  EXPECT_EQ(other->PixelsPerInchY(), 96);
  EXPECT_FALSE(other->IsPaletteDevice());
}

}  // namespace
}  // namespace quorix
