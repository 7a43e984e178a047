#include "richview/layout/text_measure.h"

#include <gtest/gtest.h>

#include <string>

#include "richview/layout/font_info_cache.h"
#include "richview/layout/layout_settings.h"
#include "richview/styles/rv_style.h"
#include "tests/support/fixed_metrics_canvas.h"

namespace quorix {
namespace {

using test::TFixedMetricsCanvas;

TEST(DisplayTextTest, HyphensAndCapitals) {
  TFontInfo style;
  EXPECT_EQ(RV_ReturnProcessedString(u"a\u00ADb\u2011c", style, false), u"a\u200Bb-c");
  EXPECT_EQ(RV_ReturnProcessedString(u"a\u00ADb", style, true), u"a\u00ACb");
  style.StyleEx.Include(rvfsAllCaps);
  EXPECT_EQ(RV_ReturnProcessedString(u"abc\u0451", style, false), u"ABC\u0401");
  EXPECT_EQ(RV_ReturnProcessedString(std::string_view("ab1"), style, CP_ACP), "AB1");
}

TEST(TextExtentTest, ZeroWidthCharactersMeasureNothing) {
  TFixedMetricsCanvas canvas;  // every character 8 pixels
  EXPECT_EQ(RVU_GetTextExtentPoint32W(canvas, u"ab\u200Bc\u2060d", 6).cx, 32);
  EXPECT_EQ(RVU_GetTextExtentPoint32W(canvas, u"ab\u200Bc", 2).cx, 16);
  EXPECT_EQ(RVU_GetTextExtentPoint32W(canvas, u"ab", 2).cy, 13);
}

TEST(ClusterTest, PreviousCharacterSkipsPairsAndMarks) {
  const std::u16string text = u"a\U0001F600e\u0301\u0302b";  // a, pair, e + two marks, b
  EXPECT_EQ(RVU_PrevCharPos(text, 0), 0);
  EXPECT_EQ(RVU_PrevCharPos(text, 1), 0);
  EXPECT_EQ(RVU_PrevCharPos(text, 3), 1);
  EXPECT_EQ(RVU_PrevCharPos(text, 2), 1);  // a lone high surrogate stands alone
  EXPECT_EQ(RVU_PrevCharPos(text, 6), 3);
  EXPECT_EQ(RVU_PrevCharPos(text, 7), 6);
  EXPECT_EQ(RVU_ExtendToClusterEnd(text, 2), 3);
  EXPECT_EQ(RVU_ExtendToClusterEnd(text, 4), 6);
  EXPECT_EQ(RVU_ExtendToClusterEnd(text, 3), 3);
}

struct FitCase {
  const char* name;
  std::u16string text;
  int avail;
  int expected;
  int maxLength = 0;
  bool noWrap = false;
  // The extent-with-fit call knows nothing of the hyphen a line end shows.
  bool searchOnly = false;
};

int Fit(TCanvas& canvas, const std::u16string& text, int avail, TRVFitParams params) {
  TFontInfo style;
  const UnicodeString display = RV_ReturnProcessedString(text, style, false);
  const TRVTextRun d{true, display, {}, CP_ACP};
  const TRVTextRun s{true, text, {}, CP_ACP};
  return RVU_FindFitCount(canvas, d, s, static_cast<int>(text.size()), avail, params);
}

TEST(FitSearchTest, LongestPrefixThatFits) {
  const FitCase cases[] = {
      {"everything fits", u"abcdefgh", 64, 8},
      {"one pixel short", u"abcdefgh", 63, 7},
      {"five of eight", u"abcdefgh", 40, 5},
      {"nothing fits", u"abcdefgh", 7, 0},
      {"no room at all", u"abcdefgh", 0, 0},
      {"a paragraph that does not wrap takes everything", u"abcdefgh", 10, 8, 0, true},
      {"MaxLength limits the run", u"abcdefgh", 640, 5, 5},
      {"a soft hyphen inside measures nothing", u"abc\u00ADdef", 48, 7},
      {"stopping right after a soft hyphen counts its hyphen", u"abc\u00ADdef", 32, 4, 0, false, true},
      {"never just before a soft hyphen", u"abc\u00ADdef", 31, 2, 0, false, true},
      {"a surrogate pair is not split", u"abc\U0001F600d", 32, 3},
      {"a surrogate pair that fits whole", u"abc\U0001F600d", 40, 5},
      {"a base and its mark are not parted", u"abe\u0301c", 24, 2},
      {"a base with its mark", u"abe\u0301c", 32, 4},
  };
  for (bool safe : {false, true}) {
    RichViewSafeFormatting = safe;
    for (const FitCase& c : cases) {
      TFixedMetricsCanvas canvas;
      TRVFitParams params;
      params.MaxLength = c.maxLength;
      params.NoWrap = c.noWrap;
      params.HyphenWidth = 8;
      if (safe && c.searchOnly) continue;
      EXPECT_EQ(Fit(canvas, c.text, c.avail, params), c.expected) << c.name << (safe ? " (safe formatting)" : "");
    }
  }
  RichViewSafeFormatting = false;
}

TEST(FitSearchTest, UnevenWidthsAndLongRuns) {
  TFixedMetricsCanvas canvas;
  canvas.CharWidthOf = [](char16_t c) { return c == u'W' ? 20 : c == u'i' ? 2 : 8; };
  TRVFitParams params;
  EXPECT_EQ(Fit(canvas, u"iiiiiiiiWWWWW", 57, params), 10);  // 16 + 40 = 56
  EXPECT_EQ(Fit(canvas, u"WWWWWiiiiiiii", 57, params), 2);   // two capitals are 40, three 60
  // A run much longer than a line is bracketed first; the answer is the same.
  const std::u16string longRun(5000, u'x');
  canvas.CharWidthOf = nullptr;
  EXPECT_EQ(Fit(canvas, longRun, 600, params), 75);
  EXPECT_EQ(Fit(canvas, longRun, 8 * 3000, params), 3000);
}

TEST(FontInfoCacheTest, EntriesPerStyleAndVariant) {
  TRVStyle style;
  TFontInfo& sub = style.TextStyles.Add();
  sub.SubSuperScriptType = rvsssSubscript;
  TFontInfo& raised = style.TextStyles.Add();
  raised.VShift = 50;
  TFixedMetricsCanvas canvas;  // ascent 10, descent 3
  for (bool fast : {true, false}) {
    std::unique_ptr<TRVFontInfoCache> cache;
    if (fast)
      cache = std::make_unique<TRVFontInfoCacheFast>(style, canvas, true);
    else
      cache = std::make_unique<TRVFontInfoCacheLowResource>(style, canvas, true);
    const TRVFontInfoCacheItem& normal = cache->GetItems(0);
    EXPECT_EQ(normal.TextMetric.tmHeight, 13);
    EXPECT_EQ(normal.EmptyLineHeight, 13);
    EXPECT_EQ(normal.HyphenWidth, 8);
    EXPECT_EQ(normal.VerticalOffset, 0);
    EXPECT_EQ(normal.Canvas == &canvas, !fast);
    // Subscript: the script height and offset from the outline metrics (two
    // thirds of the cell, a descent lower).
    const TRVFontInfoCacheItem& s = cache->GetItems(style.TextStyles.Count() - 2);
    EXPECT_EQ(s.ScriptHeight, 8);
    EXPECT_EQ(s.VerticalOffset, -3);
    EXPECT_EQ(cache->GetItems(style.TextStyles.Count() - 1).VerticalOffset, 7);  // 50 % of 13, rounded
    // Style numbers that do not exist share one entry.
    EXPECT_EQ(&cache->GetItems(99), &cache->GetItems(100));
    EXPECT_EQ(&cache->GetItems(0), &normal);
  }
}

TEST(FontInfoCacheTest, ScriptsWithoutOutlineMetrics) {
  TRVStyle style;
  TFontInfo& super = style.TextStyles.Add();
  super.SubSuperScriptType = rvsssSuperScript;
  super.Size = 12;  // font height -16
  TFixedMetricsCanvas canvas;
  canvas.HasOutlineMetrics = false;
  TRVFontInfoCacheLowResource cache(style, canvas, true);
  const TRVFontInfoCacheItem& e = cache.GetItems(style.TextStyles.Count() - 1);
  EXPECT_EQ(e.ScriptHeight, 11);     // |round(-16 * 2 / 3)|
  EXPECT_EQ(e.VerticalOffset, 7);    // |round(-16 * 0.45)|
  EXPECT_EQ(canvas.Font.Height, -11);  // selected at the script height
}

}  // namespace
}  // namespace quorix
