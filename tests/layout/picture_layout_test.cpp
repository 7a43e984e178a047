// Lines of pictures: the viewer's group page and the rules that shape it.

#include <gtest/gtest.h>

#include "richview/document/break_item.h"
#include "tests/layout/layout_test_document.h"

namespace quorix {
namespace {

using test::TLayoutTestDocument;

class PictureLayoutTest : public ::testing::Test {
 protected:
  TLayoutTestDocument doc;  // paragraph style 1 is "Centered"
};

TEST_F(PictureLayoutTest, GroupPageOf31PixelPictures) {
  struct Case {
    int count;
    std::vector<int> lines;
    int lastLineShift;
  };
  const Case cases[] = {
      {1, {1}, (296 - 33) / 2},
      {8, {8}, 16},
      {9, {8, 1}, (296 - 33) / 2},
      {20, {8, 8, 4}, (296 - 4 * 33) / 2},
      {24, {8, 8, 8}, 16},
  };
  for (const Case& c : cases) {
    doc.Clear();
    doc.AddPictures(c.count, 31, 31);
    doc.Format(true);
    EXPECT_EQ(doc.LineLengths(), c.lines) << c.count;
    const int lines = static_cast<int>(c.lines.size());
    EXPECT_EQ(doc.DocumentHeight, lines * 33) << c.count;
    EXPECT_EQ(doc.DocumentWidth, 296);
    EXPECT_EQ(doc.TextWidth, 296);
    // Full lines: 8 boxes of 33 centred with a shift of 16, boxes side by side.
    for (int i = 0; i < c.count; ++i) {
      const TRVDrawLineInfo* d = doc.DrawItems[i];
      const int line = i / 8;
      const int shift = line == lines - 1 ? c.lastLineShift : 16;
      EXPECT_EQ(d->Left, shift + (i % 8) * 33) << c.count << " item " << i;
      EXPECT_EQ(d->Top, line * 33) << c.count << " item " << i;
      EXPECT_EQ(d->Width, 33);
      EXPECT_EQ(d->Height, 33);
      EXPECT_EQ(d->FromNewLine != 0, i % 8 == 0);
      EXPECT_EQ(doc.GetItem(i)->FirstDrawItemNo, i);
    }
    ASSERT_FALSE(doc.AreaSizes.empty());
    EXPECT_EQ(doc.AreaSizes.back().Width, 296);
    EXPECT_EQ(doc.AreaSizes.back().Height, lines * 33);
  }
}

TEST_F(PictureLayoutTest, MiddleAlignedPicturesOfTwoHeights) {
  for (bool shortFirst : {true, false}) {
    doc.Clear();
    doc.AddPicture(shortFirst ? 20 : 31, shortFirst ? 20 : 31, 1);
    doc.AddPicture(shortFirst ? 31 : 20, shortFirst ? 31 : 20);
    doc.AddPicture(31, 31, 0);  // the next paragraph's line
    doc.Format(true);
    const int shortNo = shortFirst ? 0 : 1;
    const int tallNo = 1 - shortNo;
    // Uppers 11 and 16, lowers 11 and 17: one line 33 high.
    EXPECT_EQ(doc.DrawItems[tallNo]->Top, 0);
    EXPECT_EQ(doc.DrawItems[shortNo]->Top, 5);
    EXPECT_EQ(doc.DrawItems[2]->Top, 33);
    EXPECT_EQ(doc.DocumentHeight, 66);
    // The free width of the centred line is 296 - 55.
    EXPECT_EQ(doc.DrawItems[0]->Left, (296 - 55) / 2);
  }
}

TEST_F(PictureLayoutTest, ExactFillStaysOneMorePixelWraps) {
  struct Case {
    int width;
    std::vector<int> lines;
  };
  for (const Case& c : {Case{66, {2}}, Case{65, {1, 1}}, Case{99, {3}}, Case{98, {2, 1}}}) {
    doc.Clear();
    doc.ClientWidth = c.width;
    doc.AddPictures(static_cast<int>(c.lines.size() == 1 ? c.lines[0] : c.lines[0] + c.lines[1]), 31, 31);
    doc.Format(true);
    EXPECT_EQ(doc.LineLengths(), c.lines) << c.width;
  }
}

TEST_F(PictureLayoutTest, ShiftsOfCentredAndRightAlignedLines) {
  struct Case {
    const char* name;
    TRVAlignment align;
    int boxWidth;
    bool clientTextWidth;
    int left;
  };
  const Case cases[] = {
      {"centred, free width 7", rvaCenter, 289, false, 3},
      {"centred, free width 8", rvaCenter, 288, false, 4},
      {"right, free width 7", rvaRight, 289, false, 7},
      {"left", rvaLeft, 289, false, 0},
      {"right-aligned overflow of 5", rvaRight, 301, true, -5},
      {"centred overflow stays at the left edge", rvaCenter, 301, true, 0},
  };
  for (const Case& c : cases) {
    doc.Clear();
    doc.AddPara(c.align);
    doc.Options = c.clientTextWidth ? TRVOptions{rvoClientTextWidth} : TRVOptions{};
    doc.AddPicture(c.boxWidth - 2, 31, doc.LastParaNo());
    doc.Format(true);
    EXPECT_EQ(doc.DrawItems[0]->Left, c.left) << c.name;
  }
}

TEST_F(PictureLayoutTest, PictureWiderThanTheArea) {
  // The document widens to the widest box; lines wrap at that width.
  doc.AddPicture(398, 31, 1);
  doc.AddPicture(31, 31);
  doc.Format(true);
  EXPECT_EQ(doc.DocumentWidth, 400);
  EXPECT_EQ(doc.TextWidth, 400);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{1, 1}));
  EXPECT_EQ(doc.AreaSizes.back().Width, 400);
  // With the client text width the first picture still starts its paragraph's
  // line, overflowing it, and the next one wraps.
  doc.Options = {rvoClientTextWidth};
  doc.Format(true);
  EXPECT_EQ(doc.TextWidth, 296);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{1, 1}));
  EXPECT_EQ(doc.DrawItems[0]->Left, 0);
  EXPECT_EQ(doc.DrawItems[1]->Left, (296 - 33) / 2);
}

TEST_F(PictureLayoutTest, TextWidthLimits) {
  doc.ClientWidth = 500;
  doc.MaxTextWidth = 200;
  doc.AddPictures(10, 31, 31);
  doc.Format(true);
  EXPECT_EQ(doc.DocumentWidth, 500);
  EXPECT_EQ(doc.TextWidth, 200);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{6, 4}));
  doc.MaxTextWidth = 0;
  doc.ClientWidth = 50;
  doc.MinTextWidth = 100;
  doc.Format(true);
  EXPECT_EQ(doc.DocumentWidth, 100);
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{3, 3, 3, 1}));
}

TEST_F(PictureLayoutTest, MarginsAndIndents) {
  doc.LeftMargin = 5;
  doc.RightMargin = 5;
  doc.TopMargin = 7;
  doc.BottomMargin = 3;
  TParaInfo& para = doc.AddPara(rvaLeft);
  para.LeftIndent = 10;
  para.FirstIndent = 20;
  para.RightIndent = 4;
  para.SpaceBefore = 2;
  para.SpaceAfter = 6;
  doc.ClientWidth = 5 + 10 + 4 + 5 + 3 * 33;  // three boxes on the later lines
  doc.AddPictures(5, 31, 31, doc.LastParaNo());
  doc.Format(true);
  // The first line has 20 pixels less: two boxes, then three.
  EXPECT_EQ(doc.LineLengths(), (std::vector<int>{2, 3}));
  EXPECT_EQ(doc.DrawItems[0]->Left, 5 + 10 + 20);
  EXPECT_EQ(doc.DrawItems[2]->Left, 5 + 10);
  EXPECT_EQ(doc.DrawItems[0]->Top, 7 + 2);
  EXPECT_EQ(doc.DrawItems[2]->Top, 7 + 2 + 33);
  EXPECT_EQ(doc.DocumentHeight, 7 + 2 + 66 + 6 + 3);
  EXPECT_EQ(doc.AreaSizes.back().Width, doc.ClientWidth);
}

TEST_F(PictureLayoutTest, LineSpacingOnPictureLines) {
  struct Case {
    const char* name;
    TRVLineSpacingType type;
    int spacing;
    int secondTop;
    int firstTop;
    int extraAbove;
  };
  const Case cases[] = {
      {"percent 150 without text adds nothing", rvlsPercent, 150, 33, 0, 0},
      {"5 pixels between lines", rvlsSpaceBetween, 5, 38, 0, 0},
      {"exactly 40: 32 above the baseline, 8 below", rvlsLineHeightExact, 40, 56, 16, 16},
      {"at least 20 is less than the pictures need", rvlsLineHeightAtLeast, 20, 33, 0, 0},
      {"at least 50: 40 above, 10 below", rvlsLineHeightAtLeast, 50, 24 + 50, 24, 24},
  };
  for (const Case& c : cases) {
    doc.Clear();
    TParaInfo& para = doc.AddPara(rvaLeft);
    para.LineSpacingType = c.type;
    para.LineSpacing = c.spacing;
    doc.ClientWidth = 33;
    doc.AddPictures(2, 31, 31, doc.LastParaNo());
    doc.Format(true);
    EXPECT_EQ(doc.DrawItems[0]->Top, c.firstTop) << c.name;
    EXPECT_EQ(doc.DrawItems[1]->Top, c.secondTop) << c.name;
    EXPECT_EQ(doc.DrawItems[0]->GetExtraSpaceAbove(), c.extraAbove) << c.name;
    // The space above a picture in a taller line is hit as the picture.
    EXPECT_EQ(doc.FindDrawItemAtPos(5, c.firstTop - c.extraAbove), 0) << c.name;
  }
}

TEST_F(PictureLayoutTest, AbsoluteVerticalAlignment) {
  struct Case {
    TRVVAlign align;
    int top;
  };
  for (const Case& c : {Case{rvvaAbsTop, 0}, Case{rvvaAbsBottom, 21}, Case{rvvaAbsMiddle, 10}}) {
    doc.Clear();
    doc.AddPicture(31, 31, 0);
    doc.AddPicture(10, 10, -1, c.align);
    doc.Format(true);
    EXPECT_EQ(doc.DrawItems[0]->Top, 0);
    EXPECT_EQ(doc.DrawItems[1]->Top, c.top) << c.align;
    EXPECT_EQ(doc.DocumentHeight, 33);
  }
  // An absolutely aligned picture taller than the rest of its line.
  doc.Clear();
  doc.AddPicture(10, 10, 0);
  doc.AddPicture(31, 31, -1, rvvaAbsBottom);
  doc.AddPicture(10, 10, 0);
  doc.Format(true);
  EXPECT_EQ(doc.DrawItems[1]->Top, 0);
  EXPECT_EQ(doc.DrawItems[0]->Top, 21);
  EXPECT_EQ(doc.DrawItems[2]->Top, 33);
}

TEST_F(PictureLayoutTest, HorizontalLine) {
  doc.AddPicture(31, 31, 0);
  doc.AddItemR("", std::make_unique<TRVBreakItemInfo>(&doc));
  doc.AddPicture(31, 31, 0);
  doc.Format(true);
  ASSERT_EQ(doc.DrawItems.Count(), 3);
  EXPECT_EQ(doc.Boxes()[1], Bounds(0, 33, 296, 11));
  EXPECT_EQ(doc.DrawItems[2]->Top, 33 + 5 + 1 + 5);
  EXPECT_EQ(doc.DocumentHeight, 33 + 11 + 33);
}

TEST_F(PictureLayoutTest, JumpsOfHotPictures) {
  doc.AddPictures(10, 31, 31);
  doc.AddPicture(20, 20, -1, rvvaMiddle, false);  // a plain picture has no jump
  doc.Format(true);
  ASSERT_EQ(doc.Jumps.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    const TRVJumpInfo& j = *doc.Jumps[static_cast<std::size_t>(i)];
    const TRVDrawLineInfo* d = doc.DrawItems[i];
    EXPECT_EQ(j.Id, i);
    EXPECT_EQ(j.DrawItemNo, i);
    EXPECT_EQ(Bounds(j.Left, j.Top, j.Width, j.Height), Bounds(d->Left, d->Top, d->Width, d->Height));
    EXPECT_EQ(j.Cursor, doc.Style.JumpCursor);
    EXPECT_EQ(j.RVData, &doc);
    EXPECT_EQ(doc.GetItem(i)->JumpIndex, i);
  }
  EXPECT_EQ(doc.NextJumpIndex, 10);
  // Jumps follow their document's origin.
  doc.Origin = {3, 10};
  doc.ExtraVOffs = 4;
  doc.AdjustJumpsCoords();
  EXPECT_EQ(doc.Jumps[0]->Left, doc.DrawItems[0]->Left + 3);
  EXPECT_EQ(doc.Jumps[0]->Top, doc.DrawItems[0]->Top + 6);
  // Without rvflUseJumps there are none.
  doc.Flags.Exclude(rvflUseJumps);
  doc.Format(true);
  EXPECT_TRUE(doc.Jumps.empty());
}

}  // namespace
}  // namespace quorix
