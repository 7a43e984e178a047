#include <gtest/gtest.h>

#include "richview/styles/font_info.h"
#include "richview/styles/rv_style.h"
#include "tests/support/bitmap_helpers.h"
#include "tests/support/fixed_metrics_canvas.h"

namespace quorix {
namespace {

using test::TFixedMetricsCanvas;

TEST(FontInfo, NewStyleHasTheDefaults) {
  TFontInfo f;
  EXPECT_EQ(f.FontName, u"Arial");
  EXPECT_EQ(f.Size, 10);
  EXPECT_EQ(f.Charset, DEFAULT_CHARSET);
  EXPECT_TRUE(f.Style.Empty());
  EXPECT_EQ(f.Color, clWindowText);
  EXPECT_EQ(f.BackColor, clNone);
  EXPECT_EQ(f.HoverColor, clNone);
  EXPECT_FALSE(f.Jump);
  EXPECT_EQ(f.JumpCursor, 101);
  EXPECT_EQ(f.CharScale, 100);
  EXPECT_EQ(f.StyleName, u"Font Style");
  EXPECT_TRUE(f.Unicode);
  EXPECT_EQ(f.NextStyleNo, -1);
  EXPECT_EQ(f.BaseStyleNo, -1);
  EXPECT_TRUE(f.Standard);
  EXPECT_EQ(f.UnderlineType, rvutNormal);
}

TEST(FontInfo, NewStylesFollowTheSheetsUnicodeFlag) {
  TRVStyle sheet;
  EXPECT_TRUE(sheet.TextStyles.Add().Unicode);
  sheet.SetTextStylesUnicode(false);
  EXPECT_FALSE(sheet.TextStyles.Add().Unicode);
}

TEST(FontInfo, OutOfRangeIndicesGiveTheWhiteOnRedCopyOfStyleZero) {
  TRVStyle sheet;
  sheet.TextStyles[0].FontName = u"Courier New";
  sheet.TextStyles[0].Size = 14;
  for (int index : {-1, sheet.TextStyles.Count(), 1000}) {
    const TFontInfo& invalid = sheet.TextStyles[index];
    EXPECT_EQ(&invalid, &sheet.TextStyles.GetInvalidItem()) << index;
    EXPECT_EQ(invalid.Color, clWhite);
    EXPECT_EQ(invalid.BackColor, clRed);
    EXPECT_EQ(invalid.FontName, u"Courier New");
    EXPECT_EQ(invalid.Size, 14);
  }
  EXPECT_THROW(sheet.TextStyles.Items(-1), EListError);
}

TEST(FontInfo, InvalidStyleOfAnEmptyCollectionHasTheDefaultFont) {
  TFontInfos styles;
  const TFontInfo& invalid = styles[0];
  EXPECT_EQ(invalid.FontName, u"Arial");
  EXPECT_EQ(invalid.Color, clWhite);
  EXPECT_EQ(invalid.BackColor, clRed);
}

TEST(FontInfo, ApplySelectsTheFontAtScreenOrCustomResolution) {
  TRVStyle sheet;
  TFontInfo& f = sheet.TextStyles[1];  // "Heading": bold
  TFixedMetricsCanvas canvas;
  f.Apply(canvas, rvbdUnspecified, true, nullptr, false);
  EXPECT_EQ(canvas.Font.Name, u"Arial");
  EXPECT_EQ(canvas.Font.Height, -13);  // 10 points at 96 pixels per inch
  EXPECT_EQ(canvas.Font.Style, TFontStyles{fsBold});
  EXPECT_EQ(canvas.Font.Width, 0);

  sheet.TextStyles.CustomPixelsPerInch = 120;
  f.Apply(canvas, rvbdUnspecified, true, nullptr, false);
  EXPECT_EQ(canvas.Font.Height, -17);
  f.Apply(canvas, rvbdUnspecified, false, nullptr, false);
  EXPECT_EQ(canvas.Font.Height, -13);
}

TEST(FontInfo, ScaledFontDoublesTheAverageWidthAndKeepsTheHeight) {
  TFontInfo f;
  f.CharScale = 200;
  f.Style = {fsUnderline};
  TFixedMetricsCanvas canvas;
  canvas.CharWidth = 8;
  f.Apply(canvas, rvbdUnspecified, false, nullptr, false);
  EXPECT_EQ(canvas.Font.Width, 16);
  EXPECT_EQ(canvas.Font.Height, -13);
  EXPECT_EQ(canvas.TextWidth(u"ab"), 32);
  // The underline of a scaled font is drawn by hand, not by the font.
  EXPECT_FALSE(canvas.Font.Style.Contains(fsUnderline));

  // An unscaled style selected afterwards is natural width again.
  TFontInfo plain;
  plain.Apply(canvas, rvbdUnspecified, false, nullptr, false);
  EXPECT_EQ(canvas.Font.Width, 0);
}

TEST(FontInfo, ScriptHeight) {
  TFixedMetricsCanvas canvas;
  TFontInfo f;
  canvas.Font.Height = -13;
  EXPECT_EQ(f.GetScriptHeight(canvas), 0);  // normal text

  f.SubSuperScriptType = rvsssSuperScript;
  canvas.HasOutlineMetrics = false;
  EXPECT_EQ(f.GetScriptHeight(canvas), 9);  // round(13 * 2 / 3)
  canvas.Font.Height = -12;
  EXPECT_EQ(f.GetScriptHeight(canvas), 8);

  // With outline metrics: the script size, but at least a third of the height.
  canvas.HasOutlineMetrics = true;
  canvas.Ascent = 10;
  canvas.Descent = 2;  // cell 12: script size 8
  canvas.Font.Height = -12;
  EXPECT_EQ(f.GetScriptHeight(canvas), 8);
  canvas.Font.Height = -30;
  EXPECT_EQ(f.GetScriptHeight(canvas), 10);
}

TEST(FontInfo, ApplyGivesSubAndSuperscriptTheScriptHeight) {
  TFixedMetricsCanvas canvas;
  canvas.HasOutlineMetrics = false;
  TFontInfo f;
  f.SubSuperScriptType = rvsssSubscript;
  f.Apply(canvas, rvbdUnspecified, false, nullptr, false);
  EXPECT_EQ(canvas.Font.Height, -9);
  f.Apply(canvas, rvbdUnspecified, false, nullptr, true);
  EXPECT_EQ(canvas.Font.Height, -13);
  TRVExtraFontInfo extra{5};
  f.Apply(canvas, rvbdUnspecified, false, &extra, false);
  EXPECT_EQ(canvas.Font.Height, -5);
}

TEST(FontInfo, ReadingOrderAndCharacterSpacing) {
  TFixedMetricsCanvas canvas;
  TFontInfo f;
  f.CharSpacing = 3;
  f.ApplyBiDiMode(canvas, rvbdUnspecified);
  EXPECT_EQ(canvas.GetTextCharacterExtra(), 3);
  EXPECT_EQ(canvas.GetTextAlign() & TA_RTLREADING, 0u);
  f.ApplyBiDiMode(canvas, rvbdRightToLeft);
  EXPECT_EQ(canvas.GetTextCharacterExtra(), 0);
  EXPECT_NE(canvas.GetTextAlign() & TA_RTLREADING, 0u);
  f.BiDiMode = rvbdLeftToRight;  // the style's own mode wins
  f.ApplyBiDiMode(canvas, rvbdRightToLeft);
  EXPECT_EQ(canvas.GetTextAlign() & TA_RTLREADING, 0u);
}

TEST(FontInfo, AssignToLogFont) {
  TFixedMetricsCanvas canvas;
  TFontInfo f;
  f.Style = {fsBold, fsItalic, fsUnderline};
  f.Charset = 204;
  f.Size = 12;
  TLogFont lf;
  f.AssignToLogFont(lf, canvas, false, false);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_FALSE(lf.lfStrikeOut);
  EXPECT_EQ(lf.lfCharSet, 204);
  EXPECT_EQ(lf.lfFaceName, u"Arial");
  EXPECT_EQ(lf.lfWidth, 0);
  f.AssignToLogFont(lf, canvas, false, true);
  EXPECT_FALSE(lf.lfUnderline);
}

struct ColorCase {
  const char* name;
  TRVTextDrawStates state;
  bool printing;
  TRVColorMode mode;
  TColor color, backColor, hoverColor, hoverBackColor;
  TColor sheetHoverColor;
  TColor wantText, wantBrush;
};

class ApplyColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ApplyColorTest, SetsFontAndBrush) {
  const ColorCase& c = GetParam();
  TRVStyle sheet;
  sheet.SelColor = clNavy;
  sheet.SelTextColor = clYellow;
  sheet.InactiveSelColor = clGray;
  sheet.InactiveSelTextColor = clNone;
  sheet.HoverColor = c.sheetHoverColor;
  TFontInfo f;
  f.Color = c.color;
  f.BackColor = c.backColor;
  f.HoverColor = c.hoverColor;
  f.HoverBackColor = c.hoverBackColor;
  TFixedMetricsCanvas canvas;
  f.ApplyColor(canvas, sheet, c.state, c.printing, c.mode);
  EXPECT_EQ(canvas.Font.Color, c.wantText);
  EXPECT_EQ(canvas.Brush.Color, c.wantBrush);
  EXPECT_EQ(canvas.Brush.Style, c.wantBrush == clNone ? bsClear : bsSolid);
}

const TRVTextDrawStates kNone;
const TRVTextDrawStates kSelFocused{rvtsSelected, rvtsControlFocused};
const TRVTextDrawStates kSel{rvtsSelected};
const TRVTextDrawStates kHover{rvtsHover};

INSTANTIATE_TEST_SUITE_P(
    DrawStatesAndColorModes, ApplyColorTest,
    ::testing::Values(
        ColorCase{"plain", kNone, false, rvcmColor, clRed, clNone, clNone, clNone, clNone, clRed, clNone},
        ColorCase{"plainOnYellow", kNone, false, rvcmColor, clRed, clYellow, clNone, clNone, clNone, clRed, clYellow},
        ColorCase{"selectedFocused", kSelFocused, false, rvcmColor, clRed, clNone, clNone, clNone, clNone, clYellow,
                  clNavy},
        ColorCase{"selectedUnfocusedFallsBackToColor", kSel, false, rvcmColor, clRed, clNone, clNone, clNone, clNone,
                  clRed, clGray},
        ColorCase{"hoverOwnColor", kHover, false, rvcmColor, clRed, clNone, clBlue, clAqua, clLime, clBlue, clAqua},
        ColorCase{"hoverSheetColor", kHover, false, rvcmColor, clRed, clNone, clNone, clNone, clLime, clLime, clNone},
        ColorCase{"hoverNoColorAnywhere", kHover, false, rvcmColor, clRed, clWhite, clNone, clNone, clNone, clRed,
                  clNone},
        ColorCase{"modeIgnoredOnScreen", kNone, false, rvcmBlackOnWhite, clRed, clYellow, clNone, clNone, clNone,
                  clRed, clYellow},
        ColorCase{"printColor", kNone, true, rvcmColor, clWindowText, clNone, clNone, clNone, clNone, clWindowText,
                  clNone},
        ColorCase{"printerColor", kNone, true, rvcmPrinterColor, clWindowText, clWindow, clNone, clNone, clNone,
                  ColorToRGB(clWindowText), ColorToRGB(clWindow)},
        ColorCase{"grayScale", kNone, true, rvcmGrayScale, clRed, clNone, clNone, clNone, clNone, RGB(76, 76, 76),
                  clNone},
        ColorCase{"blackAndWhiteTransparent", kNone, true, rvcmBlackAndWhite, clRed, clNone, clNone, clNone, clNone,
                  clBlack, clNone},
        ColorCase{"blackAndWhiteKeepsWhiteText", kNone, true, rvcmBlackAndWhite, clWhite, clNone, clNone, clNone,
                  clNone, clWhite, clNone},
        ColorCase{"blackAndWhiteLightOnDark", kNone, true, rvcmBlackAndWhite, clYellow, clNavy, clNone, clNone,
                  clNone, clWhite, clBlack},
        ColorCase{"blackAndWhiteDarkOnLight", kNone, true, rvcmBlackAndWhite, clNavy, clYellow, clNone, clNone,
                  clNone, clBlack, clWhite},
        ColorCase{"blackOnWhite", kNone, true, rvcmBlackOnWhite, clRed, clYellow, clNone, clNone, clNone, clBlack,
                  clNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FontInfo, HoverUnderlineEffectUnderlinesTheCanvasFont) {
  TRVStyle sheet;
  TFontInfo f;
  f.HoverEffects = {rvheUnderline};
  TFixedMetricsCanvas canvas;
  f.ApplyColor(canvas, sheet, kNone, false, rvcmColor);
  EXPECT_FALSE(canvas.Font.Style.Contains(fsUnderline));
  f.ApplyColor(canvas, sheet, kHover, false, rvcmColor);
  EXPECT_TRUE(canvas.Font.Style.Contains(fsUnderline));
}

class DrawTest : public ::testing::Test {
 protected:
  DrawTest() : canvas(60, 20) {
    canvas.Bitmap().Fill(clWhite);
    canvas.Brush.Style = bsClear;
  }
  // Draws s (UTF-16) at the origin in style f, the piece 48 pixels wide.
  void DrawText(const TFontInfo& f, std::u16string_view s, int spaceBefore = 0, TRVTextDrawStates state = {}) {
    f.Draw(RVU_GetRawUnicode(s), canvas, 0, spaceBefore, 0, 0, 48, 13, sheet, state, false, rvcmColor,
           rvbdUnspecified);
  }
  TRVStyle sheet;
  TFixedMetricsCanvas canvas;
};

TEST_F(DrawTest, WritesTheTextAfterTheExtraSpace) {
  TFontInfo f;
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = clYellow;
  DrawText(f, u"ab", 6);
  ASSERT_EQ(canvas.TextCalls.size(), 1u);
  EXPECT_EQ(canvas.TextCalls[0].X, 6);
  EXPECT_EQ(canvas.TextCalls[0].Text, u"ab");
  // The extra space is filled with the text's background.
  EXPECT_TRUE(test::AllPixels(canvas.Bitmap(), clYellow, Rect(0, 0, 6, 13)));
}

TEST_F(DrawTest, UnderlineInAnotherColourIsDrawnByHand) {
  TFontInfo f;
  f.UnderlineColor = clRed;
  canvas.Font.Style = {fsUnderline};
  canvas.Font.Color = clBlack;
  DrawText(f, u"ab");
  ASSERT_EQ(canvas.TextCalls.size(), 1u);
  EXPECT_FALSE(canvas.TextCalls[0].Font.Style.Contains(fsUnderline));
  EXPECT_TRUE(canvas.Font.Style.Contains(fsUnderline));  // restored
  // One pixel below the baseline (ascent 10), across the piece.
  EXPECT_TRUE(test::AllPixels(canvas.Bitmap(), clRed, Rect(0, 11, 48, 12)));
  EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 5, 12), clWhite);
}

TEST_F(DrawTest, PlainUnderlineIsTheFontsOwn) {
  TFontInfo f;
  canvas.Font.Style = {fsUnderline};
  DrawText(f, u"ab");
  ASSERT_EQ(canvas.TextCalls.size(), 1u);
  EXPECT_TRUE(canvas.TextCalls[0].Font.Style.Contains(fsUnderline));
  EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clRed), 0);
}

TEST_F(DrawTest, EightBitTextIsShownInTheSheetsCodePage) {
  TFontInfo f;
  f.Unicode = false;
  sheet.DefCodePage = 1251;
  f.Draw("\xC0\xE1", canvas, 0, 0, 0, 0, 48, 13, sheet, {}, false, rvcmColor, rvbdUnspecified);
  ASSERT_EQ(canvas.TextCalls.size(), 1u);
  EXPECT_EQ(canvas.TextCalls[0].Text, u"\u0410\u0431");
}

TEST_F(DrawTest, SpecialCharactersAreMarked) {
  TFontInfo f;
  DrawText(f, u"a b\u00A0", 0, TRVTextDrawStates{rvtsSpecialCharacters});
  ASSERT_EQ(canvas.TextCalls.size(), 3u);
  EXPECT_EQ(canvas.TextCalls[1].Text, u"\u00B7");
  EXPECT_EQ(canvas.TextCalls[1].X, 8);
  EXPECT_EQ(canvas.TextCalls[2].Text, u"\u00B0");
  EXPECT_EQ(canvas.TextCalls[2].X, 24);
}

TEST(FontInfos, FindStyleWithOneDifferentProperty) {
  TRVStyle sheet;
  TFontInfos& styles = sheet.TextStyles;
  const int big = sheet.AddTextStyle();
  styles[big].Size = 20;  // style 0 but 20 points
  EXPECT_EQ(styles.FindStyleWithFontSize(0, 10), 0);
  EXPECT_EQ(styles.FindStyleWithFontSize(0, 20), big);
  EXPECT_EQ(styles.FindStyleWithFontSize(0, 30), -1);
  EXPECT_EQ(styles.FindStyleWithFontSize(1, 20), -1);  // a bold 20-point style does not exist
  EXPECT_EQ(styles.FindStyleWithFontStyle(0, TFontStyles{fsBold}, TFontStyles{fsBold}), -1);
  EXPECT_EQ(styles.FindStyleWithColor(1, clBlue, clNone), 1);
}

TEST(FontInfos, AddFontAndSetItem) {
  TFontInfos styles;
  TFontInfo& f = styles.AddFontEx(u"Tahoma", 8, clRed, clYellow, TFontStyles{fsItalic}, 204);
  EXPECT_EQ(f.FontName, u"Tahoma");
  EXPECT_EQ(f.Charset, 204);
  EXPECT_EQ(f.GetIndex(), 0);
  TFontInfo other;
  other.Size = 30;
  styles.SetItem(0, other);
  EXPECT_EQ(styles[0].Size, 30);
  EXPECT_EQ(styles[0].FontName, u"Arial");
  EXPECT_THROW(styles.SetItem(1, other), EListError);
}

TEST(FontInfo, ObsoleteSingleSymbolsProtectsTheStyle) {
  TFontInfo f;
  f.ReadSingleSymbols(false);
  EXPECT_TRUE(f.Protection.Empty());
  f.ReadSingleSymbols(true);
  EXPECT_EQ(f.Protection, (TRVProtectOptions{rvprStyleProtect, rvprDoNotAutoSwitch}));
}

}  // namespace
}  // namespace quorix
