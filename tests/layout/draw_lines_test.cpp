#include "richview/layout/draw_lines.h"

#include <gtest/gtest.h>

#include "richview/document/marker_item.h"
#include "richview/document/text_item.h"
#include "richview/layout/formatted_data.h"

namespace quorix {
namespace {

TEST(DrawLineInfoTest, ExtrasOnlyWhereTheClassStoresThem) {
  struct Case {
    TRVDrawLineInfoClass cls;
    bool spaceBefore, extraBelow, extraAbove;
  };
  const Case cases[] = {
      {&RVCreateDrawLineInfo<TRVDrawLineInfo>, false, false, false},
      {&RVCreateDrawLineInfo<TRVJustifyDrawLineInfo>, true, false, false},
      {&RVCreateDrawLineInfo<TRVSimpleLineHeightDrawLineInfo>, true, true, false},
      {&RVCreateDrawLineInfo<TRVComplexLineHeightDrawLineInfo>, true, true, true},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TRVDrawLineInfo> d = c.cls();
    auto check = [&](bool stores, auto set, auto get) {
      (d.get()->*set)(0);  // 0 is always accepted
      if (stores) {
        (d.get()->*set)(7);
        EXPECT_EQ((d.get()->*get)(), 7);
      } else {
        try {
          (d.get()->*set)(7);
          ADD_FAILURE() << "a non-zero value was accepted";
        } catch (const ERichViewError& e) {
          EXPECT_STREQ(e.what(), "Cannot assign value to this undefined property");
        }
        EXPECT_EQ((d.get()->*get)(), 0);
      }
    };
    check(c.spaceBefore, &TRVDrawLineInfo::SetSpaceBefore, &TRVDrawLineInfo::GetSpaceBefore);
    check(c.extraBelow, &TRVDrawLineInfo::SetExtraSpaceBelow, &TRVDrawLineInfo::GetExtraSpaceBelow);
    check(c.extraAbove, &TRVDrawLineInfo::SetExtraSpaceAbove, &TRVDrawLineInfo::GetExtraSpaceAbove);
  }
}

TEST(DrawLineInfoTest, StandardClassByParagraph) {
  struct Case {
    TRVLineSpacingType type;
    int spacing;
    TRVAlignment align;
    bool marker;
    TRVDrawLineInfoClass expected;
  };
  const Case cases[] = {
      {rvlsPercent, 100, rvaLeft, false, &RVCreateDrawLineInfo<TRVDrawLineInfo>},
      {rvlsPercent, 100, rvaCenter, false, &RVCreateDrawLineInfo<TRVDrawLineInfo>},
      {rvlsPercent, 100, rvaJustify, false, &RVCreateDrawLineInfo<TRVJustifyDrawLineInfo>},
      {rvlsPercent, 100, rvaLeft, true, &RVCreateDrawLineInfo<TRVJustifyDrawLineInfo>},
      {rvlsPercent, 150, rvaLeft, false, &RVCreateDrawLineInfo<TRVSimpleLineHeightDrawLineInfo>},
      {rvlsSpaceBetween, 0, rvaJustify, false, &RVCreateDrawLineInfo<TRVJustifyDrawLineInfo>},
      {rvlsSpaceBetween, 3, rvaLeft, false, &RVCreateDrawLineInfo<TRVSimpleLineHeightDrawLineInfo>},
      {rvlsLineHeightAtLeast, 100, rvaLeft, false, &RVCreateDrawLineInfo<TRVComplexLineHeightDrawLineInfo>},
      {rvlsLineHeightExact, 20, rvaLeft, false, &RVCreateDrawLineInfo<TRVComplexLineHeightDrawLineInfo>},
  };
  for (const Case& c : cases) {
    TParaInfo para;
    para.LineSpacingType = c.type;
    para.LineSpacing = c.spacing;
    para.Alignment = c.align;
    TRVTextItemInfo text(nullptr);
    TRVMarkerItemInfo marker(nullptr);
    const TCustomRVItemInfo& item = c.marker ? static_cast<TCustomRVItemInfo&>(marker) : text;
    EXPECT_EQ(GetStandardDrawLineInfoClass(item, para), c.expected) << c.type << " " << c.spacing << " " << c.align;
  }
}

class DrawLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 5; ++i) lines.Add(Make(i));
  }
  static std::unique_ptr<TRVDrawLineInfo> Make(int itemNo) {
    auto d = std::make_unique<TRVDrawLineInfo>();
    d->ItemNo = itemNo;
    return d;
  }
  std::vector<int> ItemNos() const {
    std::vector<int> r;
    for (int i = 0; i < lines.Count(); ++i) r.push_back(lines[i] ? lines[i]->ItemNo : -1);
    return r;
  }
  TRVDrawLines lines;
};

TEST_F(DrawLinesTest, MarkedSlotsAreReusedThenDropped) {
  lines.MarkForDelete(1, 3);
  EXPECT_EQ(ItemNos(), (std::vector<int>{0, -1, -1, -1, 4}));
  EXPECT_EQ(lines.DeletedStart, 1);
  EXPECT_EQ(lines.DeletedCount, 3);
  lines.Insert(1, Make(10));  // reuses the first marked slot
  EXPECT_EQ(ItemNos(), (std::vector<int>{0, 10, -1, -1, 4}));
  EXPECT_EQ(lines.DeletedStart, 2);
  EXPECT_EQ(lines.DeletedCount, 2);
  lines.Delete(1);  // widens the window instead of moving the tail
  EXPECT_EQ(ItemNos(), (std::vector<int>{0, -1, -1, -1, 4}));
  EXPECT_EQ(lines.DeletedStart, 1);
  EXPECT_EQ(lines.DeletedCount, 3);
  lines.Insert(1, Make(11));
  lines.DeleteMarked();
  EXPECT_EQ(ItemNos(), (std::vector<int>{0, 11, 4}));
  EXPECT_EQ(lines.DeletedCount, 0);
  lines.Insert(1, Make(12));  // no window: a real insertion
  lines.Delete(0);
  EXPECT_EQ(ItemNos(), (std::vector<int>{12, 11, 4}));
  lines.DeleteRange(0, 1);
  EXPECT_EQ(ItemNos(), (std::vector<int>{4}));
  EXPECT_THROW(lines[1], EListError);
}

TEST(DrawLinesTextTest, PieceStrings) {
  TRVItemList items;
  auto text = std::make_unique<TRVTextItemInfo>(nullptr);
  text->ItemOptions.Include(rvioUnicode);
  items.AddObject(RVU_GetRawUnicode(u"abc def"), std::move(text));
  TRVDrawLines lines;
  auto d = std::make_unique<TRVDrawLineInfo>();
  d->ItemNo = 0;
  d->Offs = 5;
  d->Length = 3;
  lines.Add(std::move(d));
  EXPECT_EQ(RVU_RawUnicodeToWideString(lines.GetString(0, items)), u"def");
  EXPECT_EQ(RVU_RawUnicodeToWideString(lines.GetRightString(0, items, 2)), u"ef");
  EXPECT_EQ(RVU_RawUnicodeToWideString(lines.GetSubString(0, items, 5, 2)), u"ef");
  EXPECT_EQ(RVU_RawUnicodeToWideString(lines.GetSubString(0, items, 1, 1)), u"d");
}

}  // namespace
}  // namespace quorix
