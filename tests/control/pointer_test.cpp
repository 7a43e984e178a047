// The pointer over the control: hot areas and their edges, the cursor, item
// hints through OnItemHint and the platform's tip, and a jump only for a
// press and release over the same hot area.

#include <gtest/gtest.h>

#include <vector>

#include "tests/control/rich_view_fixture.h"

namespace quorix::test {
namespace {

// Three 20 x 20 smilies in one centred line of a 200 x 100 control: boxes of
// 22 pixels from x = 67, the line centred at y = 39..60; the pictures
// themselves at x = 68 + 22 i, y = 40.
class PointerTest : public RichViewFixture {
 protected:
  PointerTest() {
    rv->SetOptions(rv->Options() + rvoShowItemHints);
    rv->SetVAlign(tlCenter);
    rv->ShowHint = true;
    rv->OnItemHint = [this](TCustomRichView* sender, TCustomRVData*, int itemNo, UnicodeString& hint) {
      hinted.push_back(itemNo);
      if (sender->GetItemStyle(itemNo) == rvsHotPicture && !emptyHints) hint = sender->GetItemText(itemNo);
    };
    for (const char* code : {":-)", ";)", "8-)|cool"})
      rv->AddHotPicture(code, StripedPicture(20, 20), rvSmiliesPara(), rvvaMiddle);
    rv->Format();
    form.Show();
    Application().ProcessMessages();
  }
  // The first smiley starts the centred paragraph, the others continue it.
  int rvSmiliesPara() { return rv->GetLineCount() == 0 ? 1 : -1; }
  static TPoint Smiley(int i) { return TPoint{68 + 22 * i + 10, 50}; }

  std::vector<int> hinted;
  bool emptyHints = false;
};

TEST_F(PointerTest, HotAreasAreTheBoxesWithRightAndBottomEdgesOutside) {
  ASSERT_EQ(rv->RVData().Jumps.size(), 3u);
  const TRVJumpInfo& first = *rv->RVData().Jumps[0];
  EXPECT_EQ(Bounds(first.Left, first.Top + rv->GetExtraVOffs(), first.Width, first.Height), Bounds(67, 39, 22, 22));
  struct Case {
    int X, Y;
    bool Hot;
  };
  for (const Case c : {Case{67, 39, true}, Case{88, 60, true}, Case{66, 50, false}, Case{76, 38, false},
                       Case{132, 50, true}, Case{133, 50, false}, Case{80, 61, false}}) {
    SendMouseMove(*rv, c.X, c.Y);
    EXPECT_EQ(rv->Cursor(), crDefault) << "the normal cursor stays the property's";
    EXPECT_EQ(rv->TCustomControl::Cursor(), c.Hot ? crJump : crDefault) << c.X << ", " << c.Y;
  }
}

TEST_F(PointerTest, HintsFollowThePointer) {
  SendMouseMove(*rv, Smiley(0).X, Smiley(0).Y);
  EXPECT_EQ(hinted, std::vector<int>{0});
  EXPECT_EQ(rv->Hint(), u":-)");
  EXPECT_EQ(ShownHintText(), u"");  // only after the pause
  SendHintPause(*rv, Smiley(0).X, Smiley(0).Y);
  EXPECT_EQ(ShownHintText(), u":-)");

  // A second move inside the same smiley asks again and changes nothing.
  SendMouseMove(*rv, Smiley(0).X + 3, Smiley(0).Y + 2);
  EXPECT_EQ(hinted, (std::vector<int>{0, 0}));
  EXPECT_EQ(ShownHintText(), u":-)");

  // Onto another smiley while the tip is up: replaced at once.
  SendMouseMove(*rv, Smiley(1).X, Smiley(1).Y);
  EXPECT_EQ(ShownHintText(), u";)");
  // A code with "|" shows the part before it.
  SendMouseMove(*rv, Smiley(2).X, Smiley(2).Y);
  EXPECT_EQ(rv->Hint(), u"8-)|cool");
  EXPECT_EQ(ShownHintText(), u"8-)");

  // Empty space hides it, and asks nobody.
  hinted.clear();
  SendMouseMove(*rv, 10, 10);
  EXPECT_TRUE(hinted.empty());
  EXPECT_EQ(rv->Hint(), u"");
  EXPECT_EQ(ShownHintText(), u"");
  // After that the next tip waits for the pause again.
  SendMouseMove(*rv, Smiley(1).X, Smiley(1).Y);
  EXPECT_EQ(ShownHintText(), u"");
  SendHintPause(*rv, Smiley(1).X, Smiley(1).Y);
  EXPECT_EQ(ShownHintText(), u";)");
}

TEST_F(PointerTest, AnEmptyHintCancelsAndNoOptionNoHints) {
  SendMouseMove(*rv, Smiley(0).X, Smiley(0).Y);
  SendHintPause(*rv, Smiley(0).X, Smiley(0).Y);
  ASSERT_EQ(ShownHintText(), u":-)");
  emptyHints = true;
  SendMouseMove(*rv, Smiley(1).X, Smiley(1).Y);
  EXPECT_EQ(rv->Hint(), u"");
  EXPECT_EQ(ShownHintText(), u"");

  rv->SetOptions(rv->Options() - rvoShowItemHints);
  emptyHints = false;
  hinted.clear();
  rv->SetHint(u"kept");
  SendMouseMove(*rv, Smiley(2).X, Smiley(2).Y);
  SendMouseMove(*rv, 10, 10);
  EXPECT_TRUE(hinted.empty());
  EXPECT_EQ(rv->Hint(), u"kept");
}

TEST_F(PointerTest, AJumpNeedsPressAndReleaseOverOneHotArea) {
  std::vector<int> jumps;
  rv->OnJump = [&](TCustomRichView*, int id) { jumps.push_back(id); };
  // On the box's right and bottom edges a press and a release count as inside.
  SendMousePress(*rv, mbLeft, 89, 61);
  SendMouseRelease(*rv, mbLeft, 89, 61);
  EXPECT_EQ(jumps, std::vector<int>{0});
  // Press on one smiley, release on the next: nothing.
  SendMousePress(*rv, mbLeft, Smiley(0).X, Smiley(0).Y);
  SendMouseRelease(*rv, mbLeft, Smiley(1).X, Smiley(1).Y);
  EXPECT_EQ(jumps, std::vector<int>{0});
  rv->SetFirstJumpNo(100);
  SendMousePress(*rv, mbLeft, Smiley(2).X, Smiley(2).Y);
  SendMouseRelease(*rv, mbLeft, Smiley(2).X, Smiley(2).Y);
  EXPECT_EQ(jumps, (std::vector<int>{0, 102}));
}

TEST_F(PointerTest, PressAndReleaseReportTheItemUnderThePointer) {
  std::vector<int> downs, ups;
  rv->OnRVMouseDown = [&](TCustomRichView*, TMouseButton, TShiftState, int itemNo, int, int) { downs.push_back(itemNo); };
  rv->OnRVMouseUp = [&](TCustomRichView*, TMouseButton, TShiftState, int itemNo, int, int) { ups.push_back(itemNo); };
  SendMousePress(*rv, mbRight, Smiley(1).X, Smiley(1).Y);
  SendMouseRelease(*rv, mbRight, 5, 5);
  EXPECT_EQ(downs, std::vector<int>{1});
  EXPECT_EQ(ups, std::vector<int>{-1});
}

TEST_F(PointerTest, ASmileyLooksTheSameUnderThePointer) {
  rv->Invalidate();
  const TBitmap before = Painted();
  SendMouseMove(*rv, Smiley(1).X, Smiley(1).Y);
  Painted();
  EXPECT_EQ(CompareBitmaps(rv->Surface(), before), "");
  SendMouseMove(*rv, 10, 10);
  EXPECT_EQ(CompareBitmaps(Painted(), before), "");
}

}  // namespace
}  // namespace quorix::test
