#include "smilies/list_file.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(ListFileTest, CleaningCutsCommentsAndRemovesSpaces) {
  struct Case {
    UnicodeString line;
    UnicodeString cleaned;
  };
  const Case cases[] = {
      {u"width = 200 // panel size", u"width=200"},
      {u"  big smile.gif | (x)  ", u"bigsmile.gif|(x)"},
      {u"\ta.gif|(x)\t", u"\ta.gif|(x)\t"},  // tabs survive without a comment
      {u"\ta.gif|(x)\t//c", u"a.gif|(x)"},   // the comment trim takes them
      {u"a.gif|(x)\x01 //", u"a.gif|(x)"},   // and every other control character
      {u"a.gif|(x y)", u"a.gif|(xy)"},
      {u"// only a comment", u""},
      {u"\t", u"\t"},
      {u"a//b//c", u"a"},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanListLine(c.line), c.cleaned) << Utf16ToUtf8(c.line);
}

TEST(ListFileTest, CleanedLinesKeepTheirLineNumbers) {
  const std::vector<UnicodeString> raw = {u"width=200", u"", u"// c", u"height=150", u"  ", u"a b.gif|(x) // c"};
  const auto lines = CleanListLines(raw);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].LineNo, 1);
  EXPECT_EQ(lines[1].LineNo, 4);
  EXPECT_EQ(lines[2].LineNo, 6);
  EXPECT_EQ(lines[2].Text, u"ab.gif|(x)");
  EXPECT_EQ(lines[2].Written, u"a b.gif|(x)");
}

TEST(ListFileTest, GroupLines) {
  EXPECT_TRUE(IsGroupLine(u"[]"));
  EXPECT_EQ(GroupLineName(u"[]"), u"");
  EXPECT_TRUE(IsGroupLine(u"[a]"));
  EXPECT_EQ(GroupLineName(u"[Смайлы]"), u"Смайлы");
  EXPECT_FALSE(IsGroupLine(u"["));
  EXPECT_FALSE(IsGroupLine(u"]"));
  EXPECT_FALSE(IsGroupLine(u"[a"));
  EXPECT_FALSE(IsGroupLine(u"a]"));
}

TEST(ListFileTest, SmileyLineParts) {
  struct Case {
    UnicodeString line;
    bool hasBar;
    UnicodeString fileName;
    UnicodeString code;
  };
  const Case cases[] = {
      {u"a.gif|(x)", true, u"a.gif", u"x"},
      {u"smile.gif|(abc)def", true, u"smile.gif", u"abc)de"},
      {u"a.gif|(:-))", true, u"a.gif", u":-)"},
      {u"a.gif|x|y|", true, u"a.gif", u"|y"},
      {u"a.gif|()", true, u"a.gif", u""},
      {u"a.gif|(", true, u"a.gif", u""},
      {u"a.gif|", true, u"a.gif", u""},
      {u"|(x)", true, u"", u"x"},
      {u"a.gif", false, u"", u""},
  };
  for (const auto& c : cases) {
    const TSmileyLineParts parts = SplitSmileyLine(c.line);
    EXPECT_EQ(parts.HasBar, c.hasBar) << Utf16ToUtf8(c.line);
    EXPECT_EQ(parts.FileName, c.fileName) << Utf16ToUtf8(c.line);
    EXPECT_EQ(parts.Code, c.code) << Utf16ToUtf8(c.line);
  }
}

TEST(ListFileTest, PictureKindFromTheLastThreeCharacters) {
  EXPECT_EQ(PictureKindOf(u"smile.GIF"), PictureKindGIF);
  EXPECT_EQ(PictureKindOf(u"dir/x.Jpg"), PictureKindJPEG);
  EXPECT_EQ(PictureKindOf(u"gif"), PictureKindGIF);
  EXPECT_EQ(PictureKindOf(u"xgif"), PictureKindGIF);  // no dot needed: only three characters count
  EXPECT_EQ(PictureKindOf(u"x.jpeg"), -1);
  EXPECT_EQ(PictureKindOf(u"x.png"), -1);
  EXPECT_EQ(PictureKindOf(u"if"), -1);
  EXPECT_EQ(PictureKindOf(u""), -1);
}

}  // namespace
}  // namespace quorix
