#include <gtest/gtest.h>

#include "richview/document/break_item.h"
#include "richview/document/item_registry.h"
#include "richview/document/picture_items.h"
#include "richview/document/rv_error.h"
#include "richview/document/text_item.h"
#include "tests/richview/test_data.h"
#include "tests/richview/test_pictures.h"

namespace quorix {
namespace {

using test::CountingPicture;
using test::FormattedTestData;
using test::TestData;

std::unique_ptr<TCustomRVItemInfo> Text(int paraNo, int styleNo = 0, TRVItemOptions options = {}) {
  auto item = RichViewTextItemClass(nullptr);
  item->StyleNo = styleNo;
  item->ParaNo = paraNo;
  item->ItemOptions = options;
  return item;
}

std::unique_ptr<TCustomRVItemInfo> Hot(int paraNo, int w = 16, int h = 16) {
  auto item = std::make_unique<TRVHotGraphicItemInfo>(nullptr, std::make_unique<CountingPicture>(w, h), rvvaMiddle);
  item->ParaNo = paraNo;
  return item;
}

std::unique_ptr<TCustomRVItemInfo> Break() {
  auto item = std::make_unique<TRVBreakItemInfo>(nullptr);
  item->ParaNo = 0;
  return item;
}

std::unique_ptr<TCustomRVItemInfo> Tagged(std::unique_ptr<TCustomRVItemInfo> item, TRVTag tag) {
  item->Tag = std::move(tag);
  return item;
}

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() : doc(&sheet, TRVOptions{rvoTagsArePChars}) {}
  struct Shape {
    int paraNo;
    TRVItemOptions options;
    bool operator==(const Shape&) const = default;
  };
  std::vector<Shape> Shapes() const {
    std::vector<Shape> shapes;
    for (int i = 0; i < doc.GetItemCount(); ++i) shapes.push_back({doc.GetItemPara(i), doc.GetItemOptions(i)});
    return shapes;
  }
  static TRVItemOptions O(std::initializer_list<TRVItemOption> o) { return TRVItemOptions(o); }

  TRVStyle sheet;
  TestData doc;
};

TEST_F(DocumentTest, ParagraphRules) {
  struct Step {
    std::function<std::unique_ptr<TCustomRVItemInfo>()> make;
  };
  struct Case {
    const char* what;
    bool paragraphMode;
    std::vector<std::function<std::unique_ptr<TCustomRVItemInfo>()>> items;
    std::vector<Shape> want;
  };
  const std::vector<Case> cases = {
      {"empty document", true, {[] { return Text(-1); }}, {{0, O({})}}},
      {"first item never breaks the line", true, {[] { return Text(3, 0, O({rvioBR, rvioSameAsPrev})); }},
       {{3, O({})}}},
      {"after a break", true, {[] { return Text(0); }, Break, [] { return Text(-1); }},
       {{0, O({})}, {0, O({})}, {0, O({})}}},
      {"paragraph mode off", false, {[] { return Text(0); }, [] { return Text(0); }, [] { return Text(0); }},
       {{0, O({})}, {0, O({rvioBR})}, {0, O({rvioBR})}}},
      {"break never takes BR", false, {[] { return Text(0); }, Break}, {{0, O({})}, {0, O({})}}},
      {"2 after 5", true, {[] { return Text(5); }, [] { return Text(2); }, [] { return Text(-1); }},
       {{5, O({})}, {2, O({})}, {2, O({rvioSameAsPrev})}}},
      {"BR is kept when asked for", true, {[] { return Text(0); }, [] { return Text(0, 0, O({rvioBR})); }},
       {{0, O({})}, {0, O({rvioBR})}}},
      {"smilies of a group", true, {[] { return Hot(1); }, [] { return Hot(-1); }, [] { return Hot(-1); }},
       {{1, O({})}, {1, O({rvioSameAsPrev})}, {1, O({rvioSameAsPrev})}}},
  };
  for (const Case& c : cases) {
    doc.Clear();
    doc.SetAddParagraphMode(c.paragraphMode);
    for (const auto& make : c.items) doc.AddItemR("", make());
    EXPECT_EQ(Shapes(), c.want) << c.what;
  }
}

TEST_F(DocumentTest, ParagraphAndLineStarts) {
  doc.SetAddParagraphMode(false);
  for (int i = 0; i < 3; ++i) doc.AddItemR("", Text(0));
  EXPECT_TRUE(doc.IsParaStart(0));
  EXPECT_FALSE(doc.IsParaStart(1));
  EXPECT_FALSE(doc.IsParaStart(2));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(doc.IsFromNewLine(i));
  doc.SetAddParagraphMode(true);
  doc.AddItemR("", Text(-1));
  EXPECT_FALSE(doc.IsFromNewLine(3));
  EXPECT_EQ(doc.GetFirstParaItem(3), 0);
  EXPECT_EQ(doc.GetFirstParaSectionItem(3), 2);
  EXPECT_EQ(doc.GetFirstParaSectionItem(0), 0);
}

TEST_F(DocumentTest, ListMarkerIsNeverLastInItsParagraph) {
  auto marker = CreateRichViewItem(rvsListMarker, &doc);
  marker->ParaNo = 0;
  doc.AddItemR("", std::move(marker));
  doc.AddItemR("x", Text(0));
  ASSERT_EQ(doc.GetItemCount(), 3);
  EXPECT_EQ(doc.GetItemStyle(1), 0);
  EXPECT_EQ(doc.GetItemTextR(1), "");
  EXPECT_EQ(doc.GetItemOptions(1), (O({rvioSameAsPrev, rvioUnicode})));
  EXPECT_TRUE(doc.IsParaStart(2));
}

TEST_F(DocumentTest, ItemStyles) {
  sheet.ParaStyles[1].DefStyleNo = 2;
  doc.AddItemR("", Hot(0));
  doc.AddItemR("", Text(1, rvsDefStyle));
  doc.AddItemR("", Text(0, rvsDefStyle));
  doc.AddItemR("", Text(0, 4));
  EXPECT_EQ(doc.GetItemStyle(0), -10);
  EXPECT_EQ(doc.GetItemStyle(1), 2);
  EXPECT_EQ(doc.GetItemStyle(2), 0);
  EXPECT_EQ(doc.GetItemStyle(3), 4);
  EXPECT_EQ(doc.GetActualStyle2(rvsDefStyle, 1), 2);
  try {
    doc.GetItemStyle(doc.GetItemCount());
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (4)");
  }
  EXPECT_THROW(doc.GetItemPara(-1), EListError);
}

TEST_F(DocumentTest, EightBitNamesReadBackAsUnicode) {
  doc.AddItemR("abc", Hot(1));
  EXPECT_EQ(doc.GetItemText(0), u"abc");
  EXPECT_EQ(doc.GetItemTextW(0), u"abc");
  sheet.DefCodePage = 1251;
  doc.AddItemR("\xC0\xE1", Hot(-1));
  EXPECT_EQ(doc.GetItemText(1), u"\u0410\u0431");
  EXPECT_EQ(doc.GetItemTextA(1), "\xC0\xE1");
}

TEST_F(DocumentTest, TextEncodings) {
  sheet.DefCodePage = 1251;
  const int cyrillic = sheet.AddTextStyle();
  sheet.TextStyles[cyrillic].Unicode = false;
  sheet.TextStyles[cyrillic].Charset = 238;  // east European: code page 1250

  auto unicode = Text(0);
  unicode->ItemOptions.Include(rvioUnicode);
  doc.AddItem(u"\u0410b", std::move(unicode));
  doc.AddItem(u"\u0141x", Text(0, cyrillic));
  EXPECT_EQ(doc.GetItemTextR(0), std::string("\x10\x04\x62\x00", 4));
  EXPECT_EQ(doc.GetItemText(0), u"\u0410b");
  EXPECT_EQ(doc.GetItemTextA(0), "\xC0" "b");
  EXPECT_EQ(doc.GetItemTextR(1), "\xA3x");
  EXPECT_EQ(doc.GetItemText(1), u"\u0141x");

  doc.SetItemTextA(0, "\xE1");
  EXPECT_EQ(doc.GetItemText(0), u"\u0431");
  doc.SetItemTextW(1, u"\u0141\u0141");
  EXPECT_EQ(doc.GetItemTextR(1), "\xA3\xA3");
  doc.SetItemTextA(1, "zz");
  EXPECT_EQ(doc.GetItemTextR(1), "zz");

  try {
    doc.SetItemTextR(0, "abc");
    FAIL();
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Can't perform Unicode operation");
  }
  EXPECT_EQ(doc.GetItemText(0), u"\u0431");
  doc.SetItemTextR(1, "abc");  // 8-bit items take any length
  EXPECT_EQ(doc.GetItemTextR(1), "abc");
}

TEST_F(DocumentTest, LengthsAndCaretOffsets) {
  auto unicode = Text(0);
  unicode->ItemOptions.Include(rvioUnicode);
  doc.AddItem(u"abcd", std::move(unicode));
  sheet.TextStyles[3].Unicode = false;
  doc.AddItem(u"xyz", Text(0, 3));
  doc.AddItemR("name", Hot(0));
  struct Case {
    int itemNo, length, before, after;
  };
  for (const Case& c : {Case{0, 4, 1, 5}, Case{1, 3, 1, 4}, Case{2, 1, 0, 1}}) {
    EXPECT_EQ(doc.ItemLength(c.itemNo), c.length) << c.itemNo;
    EXPECT_EQ(doc.GetOffsBeforeItem(c.itemNo), c.before) << c.itemNo;
    EXPECT_EQ(doc.GetOffsAfterItem(c.itemNo), c.after) << c.itemNo;
  }
}

TEST_F(DocumentTest, CodePages) {
  TestData noSheet;
  EXPECT_EQ(noSheet.GetStyleCodePage(0), 0);
  EXPECT_EQ(noSheet.GetDefaultCodePage(), 0);
  sheet.DefCodePage = 1253;
  sheet.TextStyles[2].Charset = 238;
  EXPECT_EQ(doc.GetStyleCodePage(0), 1253);
  EXPECT_EQ(doc.GetStyleCodePage(-10), 1253);
  EXPECT_EQ(doc.GetStyleCodePage(2), 1250);
  EXPECT_EQ(doc.GetDefaultCodePage(), 1253);
  doc.AddItemR("", Hot(0));
  EXPECT_EQ(doc.GetItemCodePage(0), 1253);
}

TEST_F(DocumentTest, ClearReleasesEveryTagStringOnce) {
  const int before = TRVTag::LiveStrings();
  doc.AddItemR("", Tagged(Text(0), TRVTag::FromString("one")));
  doc.AddItemR("", Tagged(Hot(-1), TRVTag::FromString("two")));
  doc.AddItemR("", Tagged(Text(-1), TRVTag(42)));
  doc.AddItemR("", Tagged(Text(-1), TRVTag::FromString("three")));
  doc.AddNamedCheckpointExTag(u"cp", false, TRVTag::FromString("four"));
  doc.AddItemR("", Text(-1));
  EXPECT_EQ(TRVTag::LiveStrings(), before + 4);
  EXPECT_STREQ(doc.GetItemTag(1).String(), "two");
  EXPECT_EQ(doc.GetItemTag(2).Value(), 42);
  doc.Clear();
  EXPECT_EQ(TRVTag::LiveStrings(), before);
  doc.Clear();
  EXPECT_EQ(TRVTag::LiveStrings(), before);
  {
    TestData other(&sheet, TRVOptions{rvoTagsArePChars});
    other.AddItemR("", Tagged(Text(0), TRVTag::FromString("five")));
    other.AddNamedCheckpointExTag(u"pending", false, TRVTag::FromString("six"));
    EXPECT_EQ(TRVTag::LiveStrings(), before + 2);
  }
  EXPECT_EQ(TRVTag::LiveStrings(), before);
}

TEST_F(DocumentTest, SetItemTagWithTheSameValueKeepsTheTag) {
  doc.AddItemR("", Tagged(Text(0), TRVTag::FromString("same")));
  const int live = TRVTag::LiveStrings();
  const char* kept = doc.GetItemTag(0).String();
  doc.SetItemTag(0, doc.GetItemTag(0).Clone());
  EXPECT_EQ(doc.GetItemTag(0).String(), kept);
  EXPECT_STREQ(kept, "same");
  EXPECT_EQ(TRVTag::LiveStrings(), live);

  doc.SetItemTag(0, TRVTag::FromString("other"));
  EXPECT_STREQ(doc.GetItemTag(0).String(), "other");
  EXPECT_EQ(TRVTag::LiveStrings(), live);
  doc.SetItemTag(0, TRVTag(7));
  EXPECT_EQ(doc.GetItemTag(0).Value(), 7);
  EXPECT_EQ(TRVTag::LiveStrings(), live - 1);
  EXPECT_THROW(doc.SetItemTag(1, TRVTag::FromString("lost?")), EListError);
  EXPECT_EQ(TRVTag::LiveStrings(), live - 1);
  EXPECT_TRUE(TRVTag::FromString("").IsEmpty());
}

TEST_F(DocumentTest, DocumentOwnsItsPictures) {
  const int before = CountingPicture::Live;
  {
    TestData owner(&sheet);
    for (int i = 0; i < 3; ++i) owner.AddItemR("s", Hot(i == 0 ? 1 : -1));
    EXPECT_EQ(CountingPicture::Live, before + 3);
    owner.DeleteItems(1, 1);
    EXPECT_EQ(CountingPicture::Live, before + 2);
    EXPECT_EQ(owner.GetItemCount(), 2);
    owner.SetPictureInfo(0, "n", std::make_unique<CountingPicture>(), rvvaMiddle, TRVTag());
    EXPECT_EQ(CountingPicture::Live, before + 2);
  }
  EXPECT_EQ(CountingPicture::Live, before);
}

TEST_F(DocumentTest, DeleteItemsCutsTheRange) {
  for (int i = 0; i < 4; ++i) doc.AddItemR(std::string(1, static_cast<char>('a' + i)), Text(0));
  doc.DeleteItems(4, 1);
  doc.DeleteItems(1, 0);
  EXPECT_EQ(doc.GetItemCount(), 4);
  doc.DeleteItems(2, 10);
  ASSERT_EQ(doc.GetItemCount(), 2);
  EXPECT_EQ(doc.GetItemTextR(1), "b");
}

TEST_F(DocumentTest, TypedInformation) {
  doc.AddItemR("pic", Tagged(Hot(1, 16, 16), TRVTag(5)));
  doc.AddItem(u"words", Text(0));
  doc.AddItemR("", Break());
  TRVAnsiString name;
  TGraphic* image = nullptr;
  TRVVAlign valign = rvvaBaseline;
  const TRVTag* tag = nullptr;
  doc.GetPictureInfo(0, name, image, valign, tag);
  EXPECT_EQ(name, "pic");
  EXPECT_EQ(image, doc.GetItem(0)->AsImage());
  EXPECT_EQ(valign, rvvaMiddle);
  EXPECT_EQ(tag->Value(), 5);

  UnicodeString text;
  doc.GetTextInfo(1, text, tag);
  EXPECT_EQ(text, u"words");

  for (auto call : std::vector<std::function<void()>>{
           [&] { doc.GetPictureInfo(1, name, image, valign, tag); },
           [&] { doc.GetTextInfo(0, text, tag); },
           [&] {
             std::uint8_t w;
             TRVBreakStyle s;
             TColor c;
             doc.GetBreakInfo(0, w, s, c, tag);
           },
           [&] { doc.SetPictureInfo(2, "x", nullptr, rvvaBaseline, TRVTag()); },
       }) {
    try {
      call();
      ADD_FAILURE();
    } catch (const ERichViewError& e) {
      EXPECT_STREQ(e.what(), "Can't get or set this kind of information for this item");
    }
  }
  EXPECT_THROW(doc.GetPictureInfo(3, name, image, valign, tag), EListError);
  EXPECT_EQ(doc.GetItemTextR(2), "");  // unchanged by the failed setter
}

TEST_F(DocumentTest, SetPictureInfoTellsWhetherTheSizeOrAlignmentChanged) {
  doc.AddItemR("pic", Hot(1, 16, 16));
  EXPECT_FALSE(doc.SetPictureInfo(0, "a", std::make_unique<CountingPicture>(16, 16), rvvaMiddle, TRVTag()));
  EXPECT_TRUE(doc.SetPictureInfo(0, "b", std::make_unique<CountingPicture>(16, 20), rvvaMiddle, TRVTag()));
  EXPECT_TRUE(doc.SetPictureInfo(0, "c", nullptr, rvvaAbsTop, TRVTag(3)));
  EXPECT_EQ(doc.GetItemTextR(0), "c");
  EXPECT_EQ(doc.GetItemTag(0).Value(), 3);
  EXPECT_EQ(doc.GetItem(0)->AsImage()->GetHeight(), 20);
}

TEST_F(DocumentTest, ItemActionsAndTheClearingState) {
  doc.ReplaceInsertedText = "changed";
  doc.AddItemR("given", Text(0));
  doc.ReplaceInsertedText.clear();
  EXPECT_EQ(doc.GetItemTextR(0), "changed");
  ASSERT_EQ(doc.Actions.size(), 2u);
  EXPECT_EQ(doc.Actions[0].What, rviaInserting);
  EXPECT_EQ(doc.Actions[0].Text, "given");
  EXPECT_EQ(doc.Actions[1].What, rviaInserted);
  EXPECT_EQ(doc.Actions[1].Text, "");

  doc.Clear();
  ASSERT_EQ(doc.Actions.size(), 3u);
  EXPECT_EQ(doc.Actions[2].What, rviaDestroying);
  EXPECT_EQ(doc.Actions[2].Text, "changed");
  EXPECT_TRUE(doc.Actions[2].WhileClearing);
  EXPECT_FALSE(doc.GetState().Contains(rvstClearing));

  doc.SetState(rvstClearing, true);
  doc.SetState(rvstFirstParaAborted, true);
  doc.Clear();  // an empty document
  EXPECT_TRUE(doc.GetState().Contains(rvstClearing));
  EXPECT_FALSE(doc.GetState().Contains(rvstFirstParaAborted));
}

// A document whose destroying action fails for the items with the given names.
class FailingDestroyData : public TestData {
 public:
  using TestData::TestData;
  void ItemAction(TRVItemAction action, TCustomRVItemInfo* item, TRVRawByteString& text,
                  TCustomRVData* data) override {
    TestData::ItemAction(action, item, text, data);
    if (action == rviaDestroying && FailFor.find(text) != std::string::npos) throw Exception("cannot destroy " + text);
  }
  std::string FailFor;  // one letter per failing item
};

TEST_F(DocumentTest, ItemsGoEvenWhenTheirDestroyingActionFails) {
  struct Case {
    const char* name;
    std::string failFor;
    int deleteFrom;  // -1: Clear
    std::string raised;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {"clear, the middle item fails", "b", -1, "cannot destroy b", {}},
      {"clear, the first and last fail: the first failure is raised", "ac", -1, "cannot destroy a", {}},
      {"deleting the last two, the first of them fails", "b", 1, "cannot destroy b", {"a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int pictures = CountingPicture::Live;
    const int strings = TRVTag::LiveStrings();
    auto failing = std::make_unique<FailingDestroyData>(&sheet, TRVOptions{rvoTagsArePChars});
    for (const char* name : {"a", "b", "c"}) {
      failing->AddNamedCheckpointExTag(u"cp", false, TRVTag::FromString("tag"));
      failing->AddItemR(name, Tagged(Hot(name[0] == 'a' ? 0 : -1), TRVTag::FromString(name)));
    }
    failing->FailFor = c.failFor;
    try {
      if (c.deleteFrom < 0)
        failing->Clear();
      else
        failing->DeleteItems(c.deleteFrom, 2);
      ADD_FAILURE() << "nothing raised";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()), c.raised);
    }
    // Every item reached had its action, and is gone with its picture, tag and checkpoint.
    int destroying = 0;
    for (const auto& action : failing->Actions) destroying += action.What == rviaDestroying;
    EXPECT_EQ(destroying, 3 - static_cast<int>(c.left.size()));
    ASSERT_EQ(failing->GetItemCount(), static_cast<int>(c.left.size()));
    for (int i = 0; i < failing->GetItemCount(); ++i) EXPECT_EQ(failing->GetItemTextR(i), c.left[i]);
    EXPECT_EQ(failing->GetCheckpointCount(), static_cast<int>(c.left.size()));
    EXPECT_EQ(CountingPicture::Live, pictures + static_cast<int>(c.left.size()));
    EXPECT_FALSE(failing->GetState().Contains(rvstClearing));
    // The document is whole: it takes items again and goes without raising.
    failing->FailFor.clear();
    failing->AddItemR("d", Hot(-1));
    EXPECT_EQ(failing->GetItemTextR(failing->GetItemCount() - 1), "d");
    EXPECT_NO_THROW(failing.reset());
    EXPECT_EQ(CountingPicture::Live, pictures);
    EXPECT_EQ(TRVTag::LiveStrings(), strings);
  }
}

TEST_F(DocumentTest, ChangingImageSizeRefreshesTheAnimator) {
  static int calls;
  calls = 0;
  const TRVMakeAnimatorProc saved = RV_MakeAnimator;
  RV_MakeAnimator = [](TCustomRVItemInfo*, TCustomRVFormattedData*, std::unique_ptr<TRVAnimator>&) { ++calls; };
  FormattedTestData formatted(&sheet);
  formatted.AddItemR("", Hot(0));
  EXPECT_EQ(calls, 1);  // on insertion
  EXPECT_TRUE(formatted.SetItemExtraIntProperty(0, rvepImageWidth, 30));
  EXPECT_TRUE(formatted.SetItemExtraIntProperty(0, rvepSpacing, 3));
  EXPECT_TRUE(formatted.SetItemExtraIntProperty(0, rvepAnimationInterval, 3));
  EXPECT_FALSE(formatted.SetItemExtraIntProperty(0, rvepVisible, 1));
  RV_MakeAnimator = saved;
  EXPECT_EQ(calls, 3);
  int value = 0;
  EXPECT_TRUE(formatted.GetItemExtraIntProperty(0, rvepSpacing, value));
  EXPECT_EQ(value, 3);
  UnicodeString hint;
  EXPECT_TRUE(formatted.SetItemExtraStrProperty(0, rvespHint, u"h"));
  EXPECT_TRUE(formatted.GetItemExtraStrProperty(0, rvespHint, hint));
  EXPECT_EQ(hint, u"h");
}

TEST_F(DocumentTest, CheckpointsChainInItemOrder) {
  EXPECT_EQ(doc.AddNamedCheckpointExTag(u"first", true, TRVTag(1)), 0);
  EXPECT_EQ(doc.AddNamedCheckpointExTag(u"ignored", false, TRVTag(9)), 0);  // one is pending already
  EXPECT_EQ(doc.GetCheckpointCount(), 1);
  TRVCPInfo* pending = doc.GetFirstCheckpoint();
  ASSERT_NE(pending, nullptr);
  EXPECT_EQ(doc.GetLastCheckpoint(), pending);
  EXPECT_EQ(doc.GetCheckpointItemNo(pending), -1);
  EXPECT_EQ(pending->Name, u"first");

  doc.AddItemR("", Text(0));
  doc.AddItemR("", Text(0));
  doc.AddNamedCheckpointExTag(u"third", false, TRVTag::FromString("t3"));
  doc.AddItemR("", Text(0));
  doc.AddNamedCheckpointExTag(u"pending", false, TRVTag());
  ASSERT_EQ(doc.GetCheckpointCount(), 3);

  TRVCPInfo* first = doc.GetCheckpointByNo(0);
  TRVCPInfo* third = doc.GetCheckpointByNo(1);
  TRVCPInfo* last = doc.GetCheckpointByNo(2);
  EXPECT_EQ(first, doc.GetItemCheckpoint(0));
  EXPECT_EQ(third, doc.GetItemCheckpoint(2));
  EXPECT_EQ(doc.GetItemCheckpoint(1), nullptr);
  EXPECT_EQ(doc.GetLastCheckpoint(), last);
  EXPECT_EQ(doc.GetCheckpointItemNo(third), 2);
  EXPECT_EQ(doc.GetCheckpointNo(last), 2);
  EXPECT_EQ(doc.GetNextCheckpoint(first), third);
  EXPECT_EQ(doc.GetNextCheckpoint(third), last);
  EXPECT_EQ(doc.GetNextCheckpoint(last), nullptr);
  EXPECT_EQ(doc.GetPrevCheckpoint(last), third);
  EXPECT_EQ(doc.GetPrevCheckpoint(first), nullptr);
  EXPECT_EQ(doc.FindCheckpointByName(u"third"), third);
  EXPECT_EQ(doc.FindCheckpointByName(u"none"), nullptr);
  EXPECT_EQ(doc.FindCheckpointByTag(TRVTag::FromString("t3")), third);
  EXPECT_EQ(doc.FindCheckpointByTag(TRVTag(1)), first);
  const TRVTag* tag = nullptr;
  UnicodeString name;
  bool raise = false;
  doc.GetCheckpointInfo(first, tag, name, raise);
  EXPECT_EQ(name, u"first");
  EXPECT_TRUE(raise);
  EXPECT_EQ(tag->Value(), 1);

  // A checkpoint given to item 1 goes between the other two.
  doc.SetCheckpointInfo(1, TRVTag(2), u"second", false);
  EXPECT_EQ(doc.GetCheckpointCount(), 4);
  EXPECT_EQ(doc.GetNextCheckpoint(first)->Name, u"second");
  EXPECT_EQ(doc.GetCheckpointNo(third), 2);
  EXPECT_TRUE(doc.RemoveCheckpoint(1));
  EXPECT_FALSE(doc.RemoveCheckpoint(1));
  EXPECT_EQ(doc.GetNextCheckpoint(first), third);

  // Freeing an item takes its checkpoint out of the chain.
  doc.DeleteItems(0, 1);
  EXPECT_EQ(doc.GetCheckpointCount(), 2);
  EXPECT_EQ(doc.GetFirstCheckpoint(), third);
  EXPECT_EQ(doc.GetCheckpointItemNo(third), 1);
  doc.Clear();
  EXPECT_EQ(doc.GetCheckpointCount(), 0);
  EXPECT_EQ(doc.GetFirstCheckpoint(), nullptr);
}

TEST_F(DocumentTest, CheckpointErrors) {
  doc.AddNamedCheckpointExTag(u"a", false, TRVTag());
  doc.AddItemR("", Text(0));
  try {
    doc.GetCheckpointByNo(1);
    FAIL();
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Invalid checkpoint index - 1");
  }
  EXPECT_THROW(doc.GetCheckpointByNo(-1), ERichViewError);
  try {
    doc.GetNextCheckpoint(nullptr);
    FAIL();
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Parameter can't be NIL");
  }
  TRVTextItemInfo stranger(nullptr);
  TRVCPInfo foreign;
  foreign.ItemInfo = &stranger;
  try {
    doc.GetCheckpointItemNo(&foreign);
    FAIL();
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Invalid checkpoint data");
  }
}

TEST_F(DocumentTest, ItemArrivingWithACheckpointRecord) {
  auto item = Text(0);
  item->Checkpoint = std::make_unique<TRVCPInfo>();
  item->Checkpoint->Name = u"carried";
  item->Checkpoint->Tag = TRVTag::FromString("c");
  const int live = TRVTag::LiveStrings();
  doc.AddItemR("", std::move(item));
  ASSERT_EQ(doc.GetCheckpointCount(), 1);
  EXPECT_EQ(doc.GetItemCheckpoint(0)->Name, u"carried");
  EXPECT_STREQ(doc.GetItemCheckpoint(0)->Tag.String(), "c");
  EXPECT_EQ(TRVTag::LiveStrings(), live);
}

TEST_F(DocumentTest, AppendFromCopiesValidItems) {
  TestData source(&sheet, TRVOptions{rvoTagsArePChars});
  source.AddItemR("a", Tagged(Hot(1), TRVTag::FromString("tag")));
  source.AddItemR("b", Hot(-1));
  auto empty = std::make_unique<TRVHotGraphicItemInfo>(nullptr);
  empty->ParaNo = -1;
  source.AddItemR("c", std::move(empty));  // no picture: not copied
  source.AddNamedCheckpointExTag(u"cp", false, TRVTag());
  source.AddItemR("d", Hot(-1));

  doc.AddItemR("x", Text(0));
  doc.AppendFrom(source);
  ASSERT_EQ(doc.GetItemCount(), 4);
  EXPECT_EQ(doc.GetItemTextR(1), "a");
  EXPECT_EQ(doc.GetItemPara(1), 1);
  EXPECT_TRUE(doc.IsParaStart(1));
  EXPECT_EQ(doc.GetItemTextR(2), "b");
  EXPECT_EQ(doc.GetItemPara(2), 1);
  EXPECT_EQ(doc.GetItemOptions(2), O({rvioSameAsPrev}));
  EXPECT_EQ(doc.GetItemTextR(3), "d");
  EXPECT_NE(doc.GetItemTag(1).String(), source.GetItemTag(0).String());
  EXPECT_STREQ(doc.GetItemTag(1).String(), "tag");
  EXPECT_EQ(doc.GetCheckpointCount(), 1);
  EXPECT_EQ(doc.GetCheckpointItemNo(doc.GetFirstCheckpoint()), 3);
  EXPECT_NE(doc.GetItem(1)->AsImage(), source.GetItem(0)->AsImage());

  TestData plainTags(&sheet);
  plainTags.AddItemR("", Text(0));
  try {
    doc.AppendFrom(plainTags);
    FAIL();
  } catch (const ERichViewError& e) {
    EXPECT_STREQ(e.what(), "Can't assign RichView to RichView - tags types mismatch");
  }
  EXPECT_EQ(doc.GetItemCount(), 4);

  doc.AppendFrom(doc);  // itself: each item once
  EXPECT_EQ(doc.GetItemCount(), 8);
}

TEST_F(DocumentTest, NormalizeParas) {
  doc.NormalizeParas(0);  // empty: nothing
  doc.AddItemR("", Text(1));
  doc.AddItemR("", Text(-1));
  doc.AddItemR("", Text(0, 0, O({rvioBR})));
  doc.AddItemR("", Text(4));
  doc.GetItem(1)->ParaNo = 7;
  doc.NormalizeParas(2);
  EXPECT_EQ(Shapes(), (std::vector<Shape>{{1, O({})}, {1, O({rvioSameAsPrev})}, {1, O({rvioBR})}, {4, O({})}}));
  doc.GetItem(3)->ParaNo = 5;
  doc.NormalizeParas(100);
  EXPECT_EQ(doc.GetItemPara(3), 5);
}

}  // namespace
}  // namespace quorix
