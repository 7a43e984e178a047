// Building and querying a document through the control: the items the Add*
// methods make under the paragraph rules, the text they store, multi-line
// text, tags, and the errors of the queries.

#include <gtest/gtest.h>

#include "richview/document/rv_error.h"
#include "richview/document/tab_item.h"
#include "tests/control/rich_view_fixture.h"

namespace quorix::test {
namespace {

using BuildingTest = RichViewFixture;

TEST_F(BuildingTest, ThreeSmiliesMakeOneCentredParagraph) {
  rv->AddHotPicture(":-)", StripedPicture(16, 16), 1, rvvaMiddle);
  rv->AddHotPicture(";)", StripedPicture(16, 16), -1, rvvaMiddle);
  rv->AddHotPicture(":lol:", StripedPicture(16, 16), -1, rvvaMiddle);
  ASSERT_EQ(rv->GetLineCount(), 3);
  const char* codes[] = {":-)", ";)", ":lol:"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rv->GetItemStyle(i), rvsHotPicture);
    EXPECT_EQ(rv->GetItemPara(i), 1);
    EXPECT_EQ(rv->GetItem(i)->ItemOptions, i == 0 ? TRVItemOptions{} : TRVItemOptions{rvioSameAsPrev});
    EXPECT_EQ(rv->GetItemText(i), Utf8ToUtf16(codes[i]));
  }
  rv->Format();
  EXPECT_EQ(rv->RVData().DrawItems.Count(), 3);
  EXPECT_EQ(rv->RVData().Jumps.size(), 3u);
}

TEST_F(BuildingTest, TextLinesKeepTheirCharactersButTabs) {
  struct Case {
    int SpacesInTab;
    std::u16string In;
    std::u16string Stored;
  };
  const Case cases[] = {
      {3, u"a\tb", u"a   b"},
      {0, u"a\tb", u"ab"},
      {3, u"one\ntwo", u"one\ntwo"},  // a line feed stays inside the one item
  };
  for (const Case& c : cases) {
    style.SpacesInTab = c.SpacesInTab;
    rv->Clear();
    rv->AddNL(c.In, 0, 0);
    ASSERT_EQ(rv->GetLineCount(), 1);
    EXPECT_EQ(rv->GetItemText(0), c.Stored);
    EXPECT_TRUE(rv->GetItem(0)->ItemOptions.Contains(rvioUnicode));
  }
}

TEST_F(BuildingTest, NegativeStyleMeansTheParagraphsDefaultStyle) {
  rv->AddNL(u"x", -1, 0);
  EXPECT_EQ(rv->GetItem(0)->StyleNo, rvsDefStyle);
  const int def = style.ParaStyles[0].DefStyleNo;
  EXPECT_EQ(rv->GetItemStyle(0), def < 0 ? 0 : def);
  style.ParaStyles[0].DefStyleNo = 3;
  EXPECT_EQ(rv->GetItemStyle(0), 3);
}

TEST_F(BuildingTest, ABreakIsAlwaysItsOwnParagraph) {
  rv->AddNL(u"text", 0, 0);
  rv->AddBreak();
  rv->Add(u"after", 0);
  EXPECT_EQ(rv->GetItemStyle(1), rvsBreak);
  EXPECT_EQ(rv->GetItemPara(1), 0);
  EXPECT_TRUE(rv->IsFromNewLine(1));
  // A full-width item is never continued: the next text starts paragraph 0.
  EXPECT_TRUE(rv->IsParaStart(2));
  EXPECT_EQ(rv->GetItemPara(2), 0);
}

TEST_F(BuildingTest, QueriesRefuseItemsOutOfRangeAndOfAnotherKind) {
  rv->AddNL(u"text", 0, 0);
  try {
    rv->GetItemStyle(rv->GetLineCount());
    FAIL() << "no list error";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
  TRVAnsiString name;
  TGraphic* picture = nullptr;
  TRVVAlign valign{};
  const TRVTag* tag = nullptr;
  try {
    rv->GetPictureInfo(0, name, picture, valign, tag);
    FAIL() << "no kind error";
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Can't get or set this kind of information for this item");
  }
}

TEST_F(BuildingTest, ClearReleasesEveryTagString) {
  rv->SetOptions(rv->Options() + rvoTagsArePChars);
  const int before = TRVTag::LiveStrings();
  rv->AddNLTag(u"a", 0, 0, TRVTag::FromString("first"));
  rv->AddNLTag(u"b", 0, -1, TRVTag::FromString("second"));
  rv->AddHotPictureTag(":)", StripedPicture(8, 8), 1, rvvaMiddle, TRVTag::FromString("third"));
  EXPECT_EQ(TRVTag::LiveStrings(), before + 3);
  EXPECT_STREQ(rv->GetItemTag(1).String(), "second");
  rv->Clear();
  EXPECT_EQ(TRVTag::LiveStrings(), before);
  EXPECT_EQ(rv->GetLineCount(), 0);
}

TEST_F(BuildingTest, MultiLineTextMakesOneItemPerLine) {
  rv->AddTextNL(u"one\r\ntwo\n\rthree\u2028four\fsix", 0, 0, 1);
  ASSERT_EQ(rv->GetLineCount(), 5);
  const std::u16string texts[] = {u"one", u"two", u"three", u"four", u"six"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rv->GetItemText(i), texts[i]);
  EXPECT_EQ(rv->GetItemPara(0), 0);
  EXPECT_EQ(rv->GetItemPara(1), 1);
  EXPECT_TRUE(rv->IsParaStart(2));
  // The line separator breaks the line inside the paragraph.
  EXPECT_TRUE(rv->GetItem(3)->GetBR());
  EXPECT_FALSE(rv->IsParaStart(3));
  // A form feed breaks the page too.
  EXPECT_TRUE(rv->GetItem(4)->GetPageBreakBefore());
}

TEST_F(BuildingTest, TabsBecomeTabItemsWithoutSpacesInTab) {
  style.SpacesInTab = 0;
  rv->AddTextNL(u"a\tb", 2, 0, 0);
  ASSERT_EQ(rv->GetLineCount(), 3);
  EXPECT_EQ(rv->GetItemStyle(1), rvsTab);
  EXPECT_EQ(rv->GetItem(1)->GetAssociatedTextStyleNo(), 2);
  EXPECT_FALSE(rv->IsFromNewLine(1));
  EXPECT_FALSE(rv->IsFromNewLine(2));
}

TEST_F(BuildingTest, FormattedTextAndEightBitText) {
  const TFormatArg args[] = {3LL, UnicodeString(u"Faces")};
  rv->AddFmt(u"%d smilies in %s", args, 0, 0);
  EXPECT_EQ(rv->GetItemText(0), u"3 smilies in Faces");
  rv->AddNLATag("\xCF\xF0\xE8", 0, 0, 0);  // "При" in Windows-1251
  EXPECT_EQ(rv->GetItemText(1), u"При");
  EXPECT_TRUE(rv->GetItem(1)->ItemOptions.Contains(rvioUnicode));
}

}  // namespace
}  // namespace quorix::test

namespace quorix::test {
namespace {

TEST_F(BuildingTest, EightBitAndRawTextBreakOnlyAtLineEnds) {
  rv->AddTextNLA("a\r\nb\x0B" "c", 0, 0, 0);
  ASSERT_EQ(rv->GetLineCount(), 2);
  EXPECT_EQ(rv->GetItemText(1), u"b\u000Bc");  // a vertical tab is text here
  rv->Clear();
  rv->AddTextNLR(RVU_GetRawUnicode(u"x\ny"), 0, 0, 0);
  ASSERT_EQ(rv->GetLineCount(), 2);
  EXPECT_EQ(rv->GetItemText(0), u"x");
  EXPECT_EQ(rv->GetItemTextR(1), RVU_GetRawUnicode(u"y"));
}

}  // namespace
}  // namespace quorix::test

namespace quorix::test {
namespace {

TEST_F(BuildingTest, AControlItemMovesIntoTheViewAndFollowsItsItem) {
  TPanel panel(&form);
  panel.SetBounds(0, 0, 30, 20);
  rv->AddControl(&panel, false);
  EXPECT_EQ(panel.Parent(), rv.get());
  rv->AddNL(u"", 0, -1);
  rv->Format();
  // One pixel of spacing in from the document's corner, in client coordinates.
  EXPECT_EQ(panel.BoundsRect(), Bounds(1, 1, 30, 20));
  rv->Clear();
  panel.SetParent(&form);  // the panel outlives the view's document
}

}  // namespace
}  // namespace quorix::test
