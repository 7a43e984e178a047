// The formatting pass: widths, height, the hand-over of the document's size,
// the second pass, what a resize costs, and keeping the position.

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/layout/layout_test_document.h"

namespace quorix {
namespace {

using test::TLayoutTestDocument;

// A picture that counts how often the formatter lays it out.
class TCountingPictureItem : public TRVHotGraphicItemInfo {
 public:
  TCountingPictureItem(TCustomRVData* RVData, int* Count, bool Throw = false)
      : TRVHotGraphicItemInfo(RVData, std::make_unique<TBitmap>(31, 31), rvvaMiddle), count_(Count), throw_(Throw) {}
  void OnDocWidthChange(int DocWidth, TRVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas, TCustomRVData* RVData,
                        const TRVScreenAndDevice* sad, int& HShift, int& Desc, bool NoCaching,
                        bool Reformatting) override {
    ++*count_;
    if (throw_) throw std::runtime_error("item failed");
    TRVHotGraphicItemInfo::OnDocWidthChange(DocWidth, DrawItem, Printing, Canvas, RVData, sad, HShift, Desc, NoCaching,
                                            Reformatting);
  }

 private:
  int* count_;
  bool throw_;
};

class FormatPassTest : public ::testing::Test {
 protected:
  void AddCounted(int Count, bool Throw = false) {
    for (int i = 0; i < Count; ++i) {
      auto item = std::make_unique<TCountingPictureItem>(&doc, &layouts, Throw);
      item->ParaNo = i == 0 && doc.GetItemCount() == 0 ? 1 : -1;
      doc.AddItemR("c", std::move(item));
    }
  }
  TLayoutTestDocument doc;
  int layouts = 0;
};

TEST_F(FormatPassTest, EmptyDocument) {
  doc.LeftMargin = doc.RightMargin = doc.TopMargin = doc.BottomMargin = 5;
  doc.Format(true);
  EXPECT_EQ(doc.DrawItems.Count(), 0);
  EXPECT_EQ(doc.DocumentHeight, 10);
  EXPECT_EQ(doc.DocumentWidth, 296 - 10);
  EXPECT_EQ(doc.FindDrawItemAtPos(0, 0), -1);
  EXPECT_EQ(doc.FindDrawItemAtPos(10, 3), -1);
  EXPECT_EQ(doc.GetDrawItemNo(50, 1), 0);
  EXPECT_EQ(doc.GetDrawItemNo(50, 3), 0);
  EXPECT_EQ(doc.GetFirstItemVisible(), -1);
  EXPECT_EQ(doc.GetLastItemVisible(), -1);
  EXPECT_EQ(doc.LastFormattedItemNo, -1);
  ASSERT_EQ(doc.AreaSizes.size(), 1u);
  EXPECT_EQ(doc.AreaSizes[0].Width, 296);
  EXPECT_EQ(doc.AreaSizes[0].Height, 10);
  doc.MinTextWidth = 400;
  doc.Format(true);
  EXPECT_EQ(doc.DocumentWidth, 400);
  // Clearing forgets the layout and leaves the margins' height.
  doc.AddPictures(3, 31, 31);
  doc.Format(true);
  doc.Clear();
  EXPECT_EQ(doc.DrawItems.Count(), 0);
  EXPECT_TRUE(doc.Jumps.empty());
  EXPECT_EQ(doc.DocumentHeight, 10);
}

TEST_F(FormatPassTest, SecondPassWhenAScrollBarAppears) {
  doc.ClientWidth = 300;  // 9 boxes a line, 8 once a 16-pixel bar takes its room
  doc.ClientHeight = 100;
  doc.ScrollBarWidth = 16;
  doc.AddPictures(30, 31, 31);
  doc.Format(true);
  ASSERT_EQ(doc.AreaSizes.size(), 2u);
  EXPECT_EQ(doc.AreaSizes[0].Width, 300);
  EXPECT_EQ(doc.AreaSizes[0].Height, 4 * 33);  // 9, 9, 9, 3
  EXPECT_EQ(doc.AreaSizes[1].Width, 284);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{8, 8, 8, 6}));
  EXPECT_EQ(doc.DrawItems[0]->Left, (284 - 8 * 33) / 2);
  EXPECT_EQ(doc.FormattedCount, 1);
  EXPECT_FALSE(doc.GetState().Contains(rvstSkipFormatting));
}

TEST_F(FormatPassTest, AtMostTwoPassesPerRequest) {
  doc.ToggleWidthOnEveryHandOver = true;
  doc.AddPictures(30, 31, 31);
  doc.Format(true);
  EXPECT_EQ(doc.AreaSizes.size(), 2u);
  EXPECT_EQ(doc.ClientWidth, 296);  // the bar came and went; no third pass
  EXPECT_FALSE(doc.GetState().Contains(rvstSkipFormatting));
}

TEST_F(FormatPassTest, ResizeFormatsOnlyWhenTheWidthsChange) {
  AddCounted(20);
  doc.Format(true);
  EXPECT_EQ(layouts, 20);
  auto resize = [&] { doc.Format_(true, false, false, 0, nullptr, false, false, false); };
  doc.ClientHeight = 50;
  resize();
  EXPECT_EQ(layouts, 20);  // a new height alone lays nothing out
  EXPECT_EQ(doc.AreaSizes.size(), 2u);  // but the window still learns the size
  doc.ClientWidth = 200;
  resize();
  EXPECT_EQ(layouts, 40);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{6, 6, 6, 2}));
  // Wider than the content ever needs still changes the wrap width.
  doc.ClientWidth = 2000;
  resize();
  EXPECT_EQ(layouts, 60);
  doc.ClientWidth = 2000;
  resize();
  EXPECT_EQ(layouts, 60);
}

TEST_F(FormatPassTest, ResizeKeepsTheItemAtTheTopOfTheView) {
  doc.AddPictures(80, 31, 31);  // 10 lines of 8
  doc.Format(true);
  doc.VOffs = 4 * 33 + 5;  // 5 pixels into the fifth line
  // The pass remembers a drawing item at or before two lines above the view.
  const int d = doc.GetDrawItemNo(doc.VOffs, 1);
  const int itemNo = doc.DrawItems[d]->ItemNo;
  const int offset = doc.VOffs - doc.DrawItems[doc.GetItem(itemNo)->FirstDrawItemNo]->Top;
  doc.ClientWidth = 200;  // 6 a line
  doc.Format_(true, false, false, 0, nullptr, false, false, false);
  ASSERT_EQ(doc.ScrolledTo.size(), 1u);
  EXPECT_EQ(doc.ScrolledTo[0], doc.DrawItems[doc.FindDrawItemByItem(itemNo)]->Top + offset);
  // NoScroll leaves the position alone.
  doc.ClientWidth = 296;
  doc.Format_(true, false, true, 0, nullptr, false, false, false);
  EXPECT_EQ(doc.ScrolledTo.size(), 1u);
}

TEST_F(FormatPassTest, FormatTailLaysOutOnlyTheNewItems) {
  AddCounted(8);
  doc.Format(true);
  const TRVDrawLineInfo* first = doc.DrawItems[0];
  for (int i = 0; i < 8; ++i) {
    auto item = std::make_unique<TCountingPictureItem>(&doc, &layouts);
    item->ParaNo = i == 0 ? 1 : -1;
    doc.AddItemR("c", std::move(item));
  }
  doc.VOffs = 7;
  doc.FormatTail();
  EXPECT_EQ(layouts, 16);
  EXPECT_EQ(doc.DrawItems[0], first);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{8, 8}));
  EXPECT_EQ(doc.DrawItems[8]->Top, 33);
  EXPECT_EQ(doc.DocumentHeight, 66);
  EXPECT_EQ(doc.LastFormattedItemNo, 15);
  EXPECT_EQ(doc.ScrolledTo, (std::vector<int>{7}));  // the position is kept
  doc.Options.Include(rvoScrollToEnd);
  doc.FormatTail();  // nothing new
  EXPECT_EQ(layouts, 16);
  doc.AddPicture(31, 31, 1);
  doc.FormatTail();
  EXPECT_EQ(doc.ScrolledTo.back(), 99);
}

TEST_F(FormatPassTest, AFailingItemLeavesTheDocumentFormattable) {
  AddCounted(3);
  AddCounted(1, true);
  EXPECT_THROW(doc.Format(true), std::runtime_error);
  EXPECT_FALSE(doc.GetState().Contains(rvstSkipFormatting));
  EXPECT_EQ(doc.LastFormattedItemNo, 3);
  EXPECT_EQ(doc.FormattedCount, 1);
  doc.DeleteItems(3, 1);
  doc.Format(true);
  EXPECT_EQ(doc.DrawItems.Count(), 3);
}

TEST_F(FormatPassTest, ReentrantRequestsAreDropped) {
  struct TReentrantDocument : TLayoutTestDocument {
    int nested = 0;
    void SetDocumentAreaSize(int Width, int Height, bool UpdateH) override {
      TLayoutTestDocument::SetDocumentAreaSize(Width, Height, UpdateH);
      ++nested;
      Format(true);  // as a size change of the window would
    }
    void DoAfterFormat() override {
      if (nested == 1) Format(true);  // formatting right after a pass is fine
    }
  } reentrant;
  reentrant.AddPictures(3, 31, 31);
  reentrant.Format(true);
  EXPECT_EQ(reentrant.FormattedCount, 2);
  EXPECT_EQ(reentrant.AreaSizes.size(), 2u);
}

TEST_F(FormatPassTest, VisibleItemsAndVerticalLookups) {
  doc.AddPictures(32, 31, 31);  // 4 lines of 8, tops 0, 33, 66, 99
  doc.Format(true);
  EXPECT_EQ(doc.GetDrawItemNo(0, 1), 0);
  EXPECT_EQ(doc.GetDrawItemNo(40, 3), 16);
  EXPECT_EQ(doc.GetDrawItemNo(70, 1), 15);
  EXPECT_EQ(doc.GetDrawItemNo(200, 3), 31);
  doc.VOffs = 70;
  doc.ClientHeight = 20;
  EXPECT_EQ(doc.GetFirstItemVisible(), 15);
  EXPECT_EQ(doc.GetLastItemVisible(), 24);
  int first = 0;
  int last = 0;
  doc.GetScreenLineBounds(10, first, last);
  EXPECT_EQ(first, 8);
  EXPECT_EQ(last, 15);
  EXPECT_TRUE(doc.IsDrawItemFromNewLine(8));
  EXPECT_FALSE(doc.IsDrawItemFromNewLine(9));
}

TEST_F(FormatPassTest, HitTest) {
  doc.AddPicture(31, 31, 1);
  doc.Format(true);
  const int left = (296 - 33) / 2;
  struct Case {
    int x, y, expected;
  };
  for (const Case& c : {Case{left, 0, 0}, Case{left + 32, 32, 0}, Case{left + 33, 10, -1}, Case{left - 1, 10, -1},
                        Case{left, 33, -1}, Case{left, -1, -1}})
    EXPECT_EQ(doc.FindDrawItemAtPos(c.x, c.y), c.expected) << c.x << "," << c.y;

  // The space above a short picture in a taller line belongs to nothing.
  doc.Clear();
  doc.AddPicture(20, 20, 0);
  doc.AddPicture(31, 31);
  doc.AddPictures(10, 31, 31, 0);  // more lines below
  doc.Format(true);
  EXPECT_EQ(doc.FindDrawItemAtPos(5, 2), -1);
  EXPECT_EQ(doc.FindDrawItemAtPos(5, 5), 0);
  EXPECT_EQ(doc.FindDrawItemAtPos(30, 2), 1);
  EXPECT_EQ(doc.FindDrawItemAtPos(5, 33), 2);
  EXPECT_EQ(doc.FindDrawItemAtPos(40, 40), 3);
  EXPECT_EQ(doc.FindDrawItemAtPos(5, 33 + 33 + 1), 2 + 8);
  EXPECT_EQ(doc.FindDrawItemAtPos(290, 40), -1);
}

}  // namespace
}  // namespace quorix
