// Lines of text on the fixed-metric canvas: every character 8 pixels wide,
// ascent 10, descent 3.

#include <gtest/gtest.h>

#include "richview/document/tab_item.h"
#include "tests/layout/layout_test_document.h"

namespace quorix {
namespace {

using test::TLayoutTestDocument;

class TextLayoutTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    // Both metrics caches: a measuring canvas per style, or the formatting canvas.
    doc.Options = GetParam() ? TRVOptions{rvoFastFormatting} : TRVOptions{};
  }
  TLayoutTestDocument doc;
};

struct WrapCase {
  const char* name;
  std::vector<std::u16string> items;  // the first starts a paragraph, the rest continue it
  int width;
  std::vector<std::string> pieces;
  std::vector<int> lines;
  int maxLength = 0;
};

TEST_P(TextLayoutTest, WrapsAtBreakOpportunities) {
  const WrapCase cases[] = {
      {"three letters, a space, three letters; five characters fit",
       {u"abc def"}, 40, {"abc", "def"}, {1, 1}},
      {"an eight-letter word is cut where it stops fitting", {u"abcdefgh"}, 40, {"abcde", "fgh"}, {1, 1}},
      {"and cut again on the next line", {u"abcdefghijkl"}, 40, {"abcde", "fghij", "kl"}, {1, 1, 1}},
      {"a word that does not fit after others moves whole", {u"ab", u"cdefgh"}, 48, {"ab", "cdefgh"}, {1, 1}},
      {"a word that fits after others stays", {u"ab", u"cdef"}, 48, {"ab", "cdef"}, {2}},
      {"MaxLength 5", {u"abcdefgh"}, 400, {"abcde", "fgh"}, {1, 1}, 5},
      {"a word that would pass MaxLength moves to the next line", {u"abc", u"defgh"}, 400, {"abc", "defgh"}, {1, 1},
       5},
      {"one space dropped at each break", {u"aa bb  cc"}, 40, {"aa bb", " cc"}, {1, 1}},
      {"a space ending a line after a wrapped item is dropped", {u"xy", u"ab ", u"efgh"}, 48, {"xy", "ab", "efgh"},
       {2, 1}},
      {"everything fits", {u"abc def"}, 56, {"abc def"}, {1}},
      {"a letter before ( breaks", {u"ab(cd"}, 32, {"ab", "(cd"}, {1, 1}},
      {"a dollar sign between letters does not", {u"ab$cd"}, 32, {"ab$c", "d"}, {1, 1}},
  };
  for (const WrapCase& c : cases) {
    doc.Clear();
    doc.ClientWidth = c.width;
    doc.MaxLength = c.maxLength;
    for (std::size_t i = 0; i < c.items.size(); ++i) doc.AddText(c.items[i], i == 0 ? 0 : -1);
    doc.Format(true);
    EXPECT_EQ(doc.Pieces(), c.pieces) << c.name;
    EXPECT_EQ(doc.LineLengths(), c.lines) << c.name;
    EXPECT_EQ(doc.DocumentHeight, 13 * static_cast<int>(c.lines.size())) << c.name;
  }
}

TEST_P(TextLayoutTest, PiecesAndTheirPositions) {
  doc.ClientWidth = 40;
  doc.AddText(u"abc def ghi");
  doc.Format(true);
  ASSERT_EQ(doc.Pieces(), (std::vector<std::string>{"abc", "def", "ghi"}));
  EXPECT_EQ(doc.Boxes(), (std::vector<TRect>{Bounds(0, 0, 24, 13), Bounds(0, 13, 24, 13), Bounds(0, 26, 24, 13)}));
  int d = 0;
  int offs = 0;
  doc.Item2FirstDrawItem(0, d);
  EXPECT_EQ(d, 0);
  doc.Item2LastDrawItem(0, d);
  EXPECT_EQ(d, 2);
  int item = 0;
  doc.DrawItem2Item(1, 1, item, offs);  // after the first piece and the dropped space
  EXPECT_EQ(item, 0);
  EXPECT_EQ(offs, 5);
  doc.Item2DrawItem(0, 4, d, offs);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(offs, 4);
  doc.Item2DrawItem(0, 6, d, offs);
  EXPECT_EQ(d, 1);
  EXPECT_EQ(offs, 2);
  doc.Item2DrawItem(0, 12, d, offs);
  EXPECT_EQ(d, 2);
  EXPECT_EQ(offs, 4);
  doc.DrawItem2Item(3, 1, item, offs);
  EXPECT_EQ(item, -1);
  EXPECT_EQ(doc.GetOffsBeforeDrawItem(1), 1);
  EXPECT_EQ(doc.GetOffsAfterDrawItem(1), 4);
}

TEST_P(TextLayoutTest, EmptyParagraphsHaveTheHeightOfALine) {
  doc.AddText(u"abc");
  doc.AddText(u"");
  doc.AddText(u"def");
  doc.Format(true);
  EXPECT_EQ(doc.Boxes(), (std::vector<TRect>{Bounds(0, 0, 24, 13), Bounds(0, 13, 0, 13), Bounds(0, 26, 24, 13)}));
  EXPECT_EQ(doc.DocumentHeight, 39);
  doc.Clear();
  doc.AddText(u"");
  doc.Format(true);
  EXPECT_EQ(doc.DocumentHeight, 13);
}

TEST_P(TextLayoutTest, SoftHyphens) {
  doc.ClientWidth = 32;
  doc.AddText(u"abc\u00ADdef");
  doc.Format(true);
  // At the line end the hyphen shows, and is as wide as "-".
  ASSERT_EQ(doc.DrawItems.Count(), 2);
  EXPECT_EQ(doc.DrawItems[0]->Length, 4);
  EXPECT_EQ(doc.DrawItems[0]->Width, 32);
  EXPECT_EQ(doc.PieceText(1), "def");
  // Inside a line it measures nothing.
  doc.ClientWidth = 100;
  doc.Format(true);
  ASSERT_EQ(doc.DrawItems.Count(), 1);
  EXPECT_EQ(doc.DrawItems[0]->Width, 48);
}

TEST_P(TextLayoutTest, PercentLineSpacing) {
  doc.Canvas.Ascent = 12;
  doc.Canvas.Descent = 4;  // text 16 high
  TParaInfo& para = doc.AddPara();
  para.LineSpacing = 150;
  doc.ClientWidth = 40;
  doc.AddText(u"abc def", doc.LastParaNo());
  doc.Format(true);
  ASSERT_EQ(doc.DrawItems.Count(), 2);
  EXPECT_EQ(doc.DrawItems[0]->GetExtraSpaceBelow(), 8);
  EXPECT_EQ(doc.DrawItems[1]->Top, 24);
  EXPECT_EQ(doc.DocumentHeight, 48);
  // A line that mixes a picture with the text: only the text counts.
  doc.Clear();
  doc.ClientWidth = 100;
  doc.AddPicture(38, 38, doc.LastParaNo());
  doc.AddText(u"ab", -1);
  doc.Format(true);
  EXPECT_EQ(doc.DrawItems[0]->GetExtraSpaceBelow(), 8);
  EXPECT_EQ(doc.DocumentHeight, 40 + 8);
}

TEST_P(TextLayoutTest, JustificationSpreadsTheFreeSpace) {
  struct Case {
    int width;
    std::vector<TRect> firstLine;
    std::vector<int> spaces;
  };
  const Case cases[] = {
      // "aa", " bb", " cc" fill 64 of 72: 8 pixels over two spaces.
      {72, {Bounds(0, 0, 16, 13), Bounds(16, 0, 28, 13), Bounds(44, 0, 28, 13)}, {4, 4}},
      // 9 pixels: 4 and then the remaining 5.
      {73, {Bounds(0, 0, 16, 13), Bounds(16, 0, 28, 13), Bounds(44, 0, 29, 13)}, {4, 5}},
  };
  for (const Case& c : cases) {
    doc.Clear();
    doc.AddPara(rvaJustify);
    doc.ClientWidth = c.width;
    doc.AddText(u"aa bb cc dd", doc.LastParaNo());
    doc.Format(true);
    ASSERT_EQ(doc.LineLengths(), (std::vector<int>{3, 1})) << c.width;
    std::vector<TRect> boxes = doc.Boxes();
    boxes.resize(3);
    EXPECT_EQ(boxes, c.firstLine) << c.width;
    EXPECT_EQ(doc.DrawItems[1]->GetSpaceBefore(), c.spaces[0]);
    EXPECT_EQ(doc.DrawItems[2]->GetSpaceBefore(), c.spaces[1]);
    // The last line of the paragraph is not stretched; its space was dropped.
    EXPECT_EQ(doc.PieceText(3), "dd");
    EXPECT_EQ(doc.Boxes()[3], Bounds(0, 13, 16, 13));
  }
}

TEST_P(TextLayoutTest, JumpTextSharesOneIndex) {
  doc.ClientWidth = 40;
  doc.AddText(u"abc def", 0, 4);  // style 4 is "Jump 1"
  doc.AddText(u"xy", -1, 0);
  doc.AddText(u"gh", -1, 5);
  doc.Format(true);
  ASSERT_EQ(doc.Jumps.size(), 3u);
  EXPECT_EQ(doc.Jumps[0]->Id, 0);
  EXPECT_EQ(doc.Jumps[1]->Id, 0);
  EXPECT_EQ(doc.Jumps[2]->Id, 1);
  EXPECT_EQ(doc.GetItem(0)->JumpIndex, 0);
  EXPECT_EQ(doc.GetItem(2)->JumpIndex, 1);
  EXPECT_EQ(doc.Jumps[1]->Width, 24);
  EXPECT_EQ(doc.Jumps[0]->Cursor, doc.Style.TextStyles[4].JumpCursor);
}

// A link's hot areas are its pieces where the line put them: moved by the
// alignment, and widened with the spaces of a justified line.
TEST_P(TextLayoutTest, JumpsCoverTheirPiecesAfterAlignment) {
  struct Case {
    TRVAlignment align;
    int firstLineRight;  // where the first line's last piece ends
  };
  // "aa bb cc dd" in 72 pixels: "aa bb cc" (64) on the first line, "dd" below.
  const Case cases[] = {{rvaJustify, 72}, {rvaCenter, 68}, {rvaRight, 72}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.align);
    doc.Clear();
    doc.AddPara(c.align);
    doc.ClientWidth = 72;
    doc.AddText(u"aa bb cc dd", doc.LastParaNo(), 4);  // style 4 is "Jump 1"
    doc.Format(true);
    ASSERT_EQ(doc.LineLengths()[1], 1);
    const TRVDrawLineInfo* lineEnd = doc.DrawItems[doc.LineLengths()[0] - 1];
    ASSERT_EQ(lineEnd->Left + lineEnd->Width, c.firstLineRight);
    ASSERT_EQ(doc.Jumps.size(), static_cast<std::size_t>(doc.DrawItems.Count()));
    for (const auto& jump : doc.Jumps) {
      const TRVDrawLineInfo* d = doc.DrawItems[jump->DrawItemNo];
      EXPECT_EQ(Bounds(jump->Left, jump->Top, jump->Width, jump->Height), Bounds(d->Left, d->Top, d->Width, d->Height))
          << "drawing item " << jump->DrawItemNo;
    }
  }
}

TEST_P(TextLayoutTest, TextNextToAPicture) {
  doc.AddPicture(31, 31, 0, rvvaBaseline);
  doc.AddText(u"ab", -1);
  doc.Format(true);
  // The picture rests on the baseline (1 pixel below it); the text's ascent is 10.
  EXPECT_EQ(doc.Boxes(), (std::vector<TRect>{Bounds(0, 0, 33, 33), Bounds(33, 22, 16, 13)}));
  EXPECT_EQ(doc.DocumentHeight, 32 + 3);
}

TEST_P(TextLayoutTest, EightBitTextBreaksAtSpacesOnly) {
  doc.Style.TextStyles[0].Unicode = false;
  struct Case {
    std::u16string text;
    int width;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {u"abc def", 40, {"abc", "def"}},
      {u"ab(cd", 32, {"ab(c", "d"}},
      {u"abcd efgh", 32, {"abcd", "efgh"}},  // the space right after the fitting part
  };
  for (const Case& c : cases) {
    doc.Clear();
    doc.ClientWidth = c.width;
    doc.AddText(c.text);
    ASSERT_FALSE(doc.GetItem(0)->ItemOptions.Contains(rvioUnicode));
    doc.Format(true);
    EXPECT_EQ(doc.Pieces(), c.pieces) << Utf16ToUtf8(c.text);
  }
}

TEST_P(TextLayoutTest, ParagraphsThatDoNotWrap) {
  TParaInfo& para = doc.AddPara();
  para.Options.Include(rvpaoNoWrap);
  doc.ClientWidth = 40;
  doc.AddText(u"abc def ghi", doc.LastParaNo());
  doc.AddText(u"abc def ghi", 0);
  doc.Format(true);
  // The document widens to the line that does not wrap; the other paragraph wraps at that width.
  EXPECT_EQ(doc.DocumentWidth, 88);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{1, 1}));
  EXPECT_EQ(doc.AreaSizes.back().Width, 88);
  // Without word wrap nothing wraps.
  doc.WordWrap = false;
  doc.Format(true);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{1, 1}));
  EXPECT_EQ(doc.DrawItems[1]->Width, 88);
}

TEST_P(TextLayoutTest, TabsReachTheirStop) {
  struct Case {
    const char* name;
    TRVTabAlign align;  // of a stop at 100; none for rvtaLeft
    std::vector<TRect> boxes;
  };
  const Case cases[] = {
      {"the default stops every 48 pixels", rvtaLeft, {Bounds(0, 0, 16, 13), Bounds(16, 0, 32, 13), Bounds(48, 0, 16, 13)}},
      {"text after a right stop ends there", rvtaRight,
       {Bounds(0, 0, 16, 13), Bounds(16, 0, 68, 13), Bounds(84, 0, 16, 13)}},
      {"text after a centre stop is centred on it", rvtaCenter,
       {Bounds(0, 0, 16, 13), Bounds(16, 0, 76, 13), Bounds(92, 0, 16, 13)}},
  };
  for (const Case& c : cases) {
    doc.Clear();
    TParaInfo& para = doc.AddPara();
    if (c.align != rvtaLeft) para.Tabs.Add(100, c.align);
    doc.AddText(u"ab", doc.LastParaNo());
    auto tab = std::make_unique<TRVTabItemInfo>(&doc);
    tab->ParaNo = -1;
    doc.AddItemR("", std::move(tab));
    doc.AddText(u"cd", -1);
    doc.Format(true);
    EXPECT_EQ(doc.Boxes(), c.boxes) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(BothCaches, TextLayoutTest, ::testing::Bool());

}  // namespace
}  // namespace quorix
