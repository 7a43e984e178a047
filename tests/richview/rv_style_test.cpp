#include <gtest/gtest.h>

#include "platform/cursors.h"
#include "richview/styles/rv_style.h"
#include "tests/support/fixed_metrics_canvas.h"

namespace quorix {
namespace {

using test::TFixedMetricsCanvas;

TEST(RVStyle, NewSheetHasTheDefaultStylesAndSettings) {
  TRVStyle sheet;
  ASSERT_EQ(sheet.TextStyles.Count(), 6);
  ASSERT_EQ(sheet.ParaStyles.Count(), 2);
  struct Expected {
    const char16_t* name;
    TFontStyles style;
    TColor color;
    bool jump;
  };
  const Expected expected[] = {
      {u"Normal text", {}, clWindowText, false},  {u"Heading", {fsBold}, clBlue, false},
      {u"Subheading", {fsBold}, clNavy, false},   {u"Keywords", {fsItalic}, clMaroon, false},
      {u"Jump 1", {fsUnderline}, clGreen, true}, {u"Jump 2", {fsUnderline}, clGreen, true},
  };
  for (int i = 0; i < 6; ++i) {
    const TFontInfo& f = sheet.TextStyles[i];
    EXPECT_EQ(f.StyleName, expected[i].name) << i;
    EXPECT_EQ(f.Style, expected[i].style) << i;
    EXPECT_EQ(f.Color, expected[i].color) << i;
    EXPECT_EQ(f.Jump, expected[i].jump) << i;
    EXPECT_EQ(f.FontName, u"Arial") << i;
    EXPECT_EQ(f.Size, 10) << i;
    EXPECT_EQ(f.BackColor, clNone) << i;
    EXPECT_EQ(f.JumpCursor, 101) << i;
    EXPECT_TRUE(f.Unicode) << i;
  }
  EXPECT_EQ(sheet.ParaStyles[0].StyleName, u"Paragraph Style");
  EXPECT_EQ(sheet.ParaStyles[0].Alignment, rvaLeft);
  EXPECT_EQ(sheet.ParaStyles[1].StyleName, u"Centered");
  EXPECT_EQ(sheet.ParaStyles[1].Alignment, rvaCenter);

  EXPECT_EQ(sheet.Color, clWindow);
  EXPECT_EQ(sheet.HoverColor, clNone);
  EXPECT_EQ(sheet.CurrentItemColor, clNone);
  EXPECT_EQ(sheet.SelColor, clHighlight);
  EXPECT_EQ(sheet.SelTextColor, clHighlightText);
  EXPECT_EQ(sheet.InactiveSelColor, clHighlight);
  EXPECT_EQ(sheet.InactiveSelTextColor, clHighlightText);
  EXPECT_EQ(sheet.CheckpointColor, clGreen);
  EXPECT_EQ(sheet.CheckpointEvColor, clLime);
  EXPECT_EQ(sheet.PageBreakColor, static_cast<TColor>(0xFF000010u));
  EXPECT_EQ(sheet.SoftPageBreakColor, clBtnFace);
  EXPECT_EQ(sheet.LiveSpellingColor, clRed);
  EXPECT_EQ(sheet.JumpCursor, 101);
  EXPECT_EQ(sheet.LineSelectCursor, 106);
  EXPECT_EQ(sheet.DefTabWidth, 48);
  EXPECT_EQ(sheet.SpacesInTab, 0);
  EXPECT_EQ(sheet.DefCodePage, 0);
  EXPECT_EQ(sheet.DefUnicodeStyle, -1);
  EXPECT_FALSE(sheet.FullRedraw);
  EXPECT_TRUE(sheet.UseSound);
  EXPECT_EQ(sheet.SelectionMode, rvsmWord);
  EXPECT_EQ(sheet.FieldHighlightType, rvfhCurrent);
  EXPECT_EQ(sheet.FootnoteNumbering, rvseqDecimal);
  EXPECT_EQ(sheet.EndnoteNumbering, rvseqLowerRoman);
  EXPECT_EQ(sheet.ListStyles.Count(), 0);
}

TEST(RVStyle, RegistersTheJumpAndLineSelectionCursors) {
  TRVStyle sheet;
  EXPECT_EQ(GetCursorKind(101), ckHandPoint);
  EXPECT_EQ(GetCursorKind(106), ckFlipArrow);
  EXPECT_EQ(GetCursorKind(crHandPoint), ckHandPoint);
  EXPECT_EQ(GetCursorKind(crIBeam), ckIBeam);
  EXPECT_EQ(GetCursorKind(12345), ckDefault);
}

TEST(RVStyle, ResetTextStylesStartsOver) {
  TRVStyle sheet;
  sheet.AddTextStyle();
  sheet.TextStyles[0].Size = 30;
  EXPECT_EQ(sheet.TextStyles.Count(), 7);
  sheet.ResetTextStyles();
  EXPECT_EQ(sheet.TextStyles.Count(), 6);
  EXPECT_EQ(sheet.TextStyles[0].Size, 10);
  sheet.DeleteTextStyle(5);
  EXPECT_EQ(sheet.TextStyles.Count(), 5);
}

TEST(RVStyle, HoverColourAndSensitivity) {
  TRVStyle sheet;
  EXPECT_FALSE(sheet.StyleHoverSensitive(4));  // "Jump 1" looks the same hovered
  sheet.HoverColor = clRed;
  EXPECT_EQ(sheet.GetHoverColor(4), clRed);
  EXPECT_TRUE(sheet.StyleHoverSensitive(4));
  sheet.TextStyles[4].HoverColor = clBlue;
  EXPECT_EQ(sheet.GetHoverColor(4), clBlue);
  EXPECT_EQ(sheet.GetHoverColorByColor(clNone), clRed);
  EXPECT_EQ(sheet.GetHoverColorByColor(clLime), clLime);

  sheet.HoverColor = clNone;
  sheet.TextStyles[5].HoverBackColor = clYellow;
  EXPECT_TRUE(sheet.StyleHoverSensitive(5));
  sheet.TextStyles[5].HoverBackColor = clNone;
  sheet.TextStyles[5].HoverEffects = {rvheUnderline};
  EXPECT_TRUE(sheet.StyleHoverSensitive(5));
  sheet.OnStyleHoverSensitive = [](const TRVStyle&, int, bool& sensitive) { sensitive = false; };
  EXPECT_FALSE(sheet.StyleHoverSensitive(5));
}

TEST(RVStyle, EventsTakeOverApplyingAndDrawing) {
  TRVStyle sheet;
  TFixedMetricsCanvas canvas;
  std::vector<std::string> log;
  sheet.OnApplyStyle = [&](TRVStyle&, TCanvas&, int no, bool& doDefault) {
    log.push_back("apply " + std::to_string(no));
    doDefault = no != 1;
  };
  sheet.OnAfterApplyStyle = [&](TRVStyle&, TCanvas&, int no) { log.push_back("after " + std::to_string(no)); };
  canvas.Font.Name = u"Nothing";
  sheet.ApplyStyle(canvas, 1, rvbdUnspecified, false);
  EXPECT_EQ(canvas.Font.Name, u"Nothing");
  sheet.ApplyStyle(canvas, 2, rvbdUnspecified, false);
  EXPECT_EQ(canvas.Font.Name, u"Arial");
  EXPECT_EQ(log, (std::vector<std::string>{"apply 1", "after 1", "apply 2", "after 2"}));

  sheet.ApplyStyleColor(canvas, 1, {}, false, rvcmColor);
  EXPECT_EQ(canvas.Font.Color, clBlue);
  sheet.OnApplyStyleColor = [](TRVStyle&, TCanvas& c, int, TRVTextDrawStates, bool& doDefault) {
    c.Font.Color = clFuchsia;
    doDefault = false;
  };
  sheet.ApplyStyleColor(canvas, 1, {}, false, rvcmColor);
  EXPECT_EQ(canvas.Font.Color, clFuchsia);

  sheet.DrawStyleText(RVU_GetRawUnicode(u"x"), canvas, 0, 0, 0, 0, 8, 13, {}, false, rvcmColor, rvbdUnspecified);
  EXPECT_EQ(canvas.TextCalls.size(), 1u);
  sheet.OnDrawStyleText = [](TRVStyle&, const TRVRawByteString&, TCanvas&, int, int, int, int, int, int,
                             TRVTextDrawStates, bool& doDefault) { doDefault = false; };
  sheet.DrawStyleText(RVU_GetRawUnicode(u"x"), canvas, 0, 0, 0, 0, 8, 13, {}, false, rvcmColor, rvbdUnspecified);
  EXPECT_EQ(canvas.TextCalls.size(), 1u);
}

TEST(RVStyle, DrawParaBackFillsTheParagraphBackground) {
  TRVStyle sheet;
  TFixedMetricsCanvas canvas(20, 20);
  canvas.Bitmap().Fill(clWhite);
  sheet.ParaStyles[1].Background.Color = clLime;
  sheet.DrawParaBack(canvas, 0, Rect(0, 0, 10, 10), false, rvcmColor);
  EXPECT_EQ(canvas.Bitmap().PixelColor(5, 5), clWhite);
  sheet.DrawParaBack(canvas, 1, Rect(0, 0, 10, 10), false, rvcmColor);
  EXPECT_EQ(canvas.Bitmap().PixelColor(5, 5), clLime);
  EXPECT_EQ(canvas.Bitmap().PixelColor(15, 15), clWhite);
  bool asked = false;
  sheet.OnDrawParaBack = [&](TRVStyle&, TCanvas&, int, const TRect&, bool& doDefault) {
    asked = true;
    doDefault = false;
  };
  sheet.ParaStyles[1].Background.Color = clRed;
  sheet.DrawParaBack(canvas, 1, Rect(0, 0, 10, 10), false, rvcmColor);
  EXPECT_TRUE(asked);
  EXPECT_EQ(canvas.Bitmap().PixelColor(5, 5), clLime);
}

TEST(RVStyle, NextTab) {
  TRVStyle sheet;
  TParaInfo& para = sheet.ParaStyles[0];
  para.Tabs.Add(100, rvtaRight, u".");
  para.Tabs.Add(200, rvtaCenter);
  struct Case {
    int x, leftIndent;
    int position;
    TRVTabAlign align;
  };
  for (const Case& c : {Case{0, 0, 100, rvtaRight}, Case{100, 0, 200, rvtaCenter}, Case{150, 0, 200, rvtaCenter},
                        Case{200, 0, 240, rvtaLeft}, Case{250, 0, 288, rvtaLeft}, Case{10, 50, 50, rvtaLeft},
                        Case{10, 150, 100, rvtaRight}, Case{210, 300, 300, rvtaLeft}}) {
    const TRVTabStop tab = sheet.GetNextTab(0, c.x, nullptr, rvbdUnspecified, c.leftIndent, 0);
    EXPECT_EQ(tab.Position, c.position) << c.x << " " << c.leftIndent;
    EXPECT_EQ(tab.Align, c.align) << c.x << " " << c.leftIndent;
  }
  EXPECT_EQ(sheet.GetNextTab(0, 0, nullptr, rvbdUnspecified, 0, 0).Leader, u".");
  // Default stops on a device of twice the screen's resolution.
  TRVScreenAndDevice sad;
  sad.DeviceDpiX = 192;
  EXPECT_EQ(sheet.GetNextTab(1, 100, &sad, rvbdUnspecified, 0, 0).Position, 192);
  EXPECT_EQ(sheet.GetNextTab(0, 0, &sad, rvbdUnspecified, 0, 0).Position, 200);
  sheet.DefTabWidth = 0;  // at least one pixel
  EXPECT_EQ(sheet.GetNextTab(1, 7, nullptr, rvbdUnspecified, 0, 0).Position, 8);
}

TEST(RVStyle, InvalidPictureIsMadeOnFirstUseAndAfterBeingDropped) {
  TRVStyle sheet;
  TGraphic& first = sheet.GetInvalidPicture();
  EXPECT_STREQ(first.ClassName(), "TBitmap");
  const int defaultWidth = first.GetWidth();
  EXPECT_GT(defaultWidth, 0);
  EXPECT_EQ(&sheet.GetInvalidPicture(), &first);

  TBitmap stored(32, 32);
  sheet.SetInvalidPicture(&stored);
  EXPECT_EQ(sheet.GetInvalidPicture().GetWidth(), 32);
  EXPECT_NE(&sheet.GetInvalidPicture(), &stored);  // a copy

  sheet.SetInvalidPicture(nullptr);
  EXPECT_EQ(sheet.GetInvalidPicture().GetWidth(), defaultWidth);
  EXPECT_STREQ(sheet.GetInvalidPicture().ClassName(), "TBitmap");
}

}  // namespace
}  // namespace quorix
