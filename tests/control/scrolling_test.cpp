// The control as a scrolling window: document extent in scroll units, the
// vertical bar's visibility rule, the largest position, the step that keeps
// positions within 16 bits, and which document rows the window then shows.

#include <gtest/gtest.h>

#include "tests/control/rich_view_fixture.h"

namespace quorix::test {
namespace {

using ScrollingTest = RichViewFixture;

struct ExtentCase {
  int DocumentHeight;
  bool VScrollVisible;
  int YSize;
  int VPage;
  bool BarShown;
  int VSmallStep;
};

TEST_F(ScrollingTest, DocumentExtentGivesUnitsPageAndBar) {
  const ExtentCase cases[] = {
      {250, true, 25, 10, true, 10},      // 25 units for a 10-unit page
      {195, true, 20, 10, true, 10},      // a partial unit counts
      {98, true, 10, 10, false, 10},      // 10 units fit a 10-unit page
      {100, true, 10, 10, false, 10},
      {101, true, 11, 10, true, 10},
      {400001, true, 30770, 7, true, 13},  // 400001 div 12 > 32000, so 13
      {250, false, 25, 10, false, 10},    // no bar allowed, however tall
  };
  for (const ExtentCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.DocumentHeight << (c.VScrollVisible ? " with" : " without") << " bar");
    rv->SetVScrollVisible(c.VScrollVisible);
    MakeDocument(c.DocumentHeight);
    EXPECT_EQ(rv->GetDocumentHeight(), c.DocumentHeight);
    EXPECT_EQ(rv->GetVSmallStep(), c.VSmallStep);
    EXPECT_EQ(rv->YSize(), c.YSize);
    EXPECT_EQ(rv->VPage(), c.VPage);
    EXPECT_EQ(rv->ScrollBarVisible(sbVertical), c.BarShown);
    // The bar takes its width from the client area, and the page is laid out for what is left.
    EXPECT_EQ(rv->ClientWidth(), c.BarShown ? 200 - ScrollBarSize : 200);
    EXPECT_EQ(rv->RVData().TextWidth, rv->ClientWidth());
  }
}

TEST_F(ScrollingTest, StepReturnsToTenWhenTenSufficesAgain) {
  MakeDocument(400001);
  ASSERT_EQ(rv->GetVSmallStep(), 13);
  MakeDocument(300000);
  EXPECT_EQ(rv->GetVSmallStep(), 10);
  EXPECT_EQ(rv->YSize(), 30000);
}

TEST_F(ScrollingTest, LargestPositionShowsTheLastPage) {
  MakeDocument(250);
  EXPECT_EQ(rv->GetVScrollMax(), 15);
  rv->SetVScrollPos(1000);  // clamped to the largest position
  EXPECT_EQ(rv->VPos(), 15);
  const TBitmap& surface = Painted();
  const int x = rv->ClientWidth() / 2;
  // Document row Y is picture row Y - 1; the view shows rows 150 to 249
  // (the last one is the picture's spacing, in the background colour).
  EXPECT_EQ(PixelAt(surface, x, 0), StripeColor(149));
  EXPECT_EQ(PixelAt(surface, x, 98), StripeColor(247));
  EXPECT_EQ(PixelAt(surface, x, 99), clYellow);
}

TEST_F(ScrollingTest, ScrollingMovesPixelsAndRepaintsOnlyTheUncoveredBand) {
  MakeDocument(250);
  Painted();
  std::vector<TRect> clips;
  rv->OnPaint = [&](TCustomRichView*, TCanvas& canvas, bool) { clips.push_back(canvas.GetClipRect()); };
  rv->SetVScrollPos(3);
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0], Rect(0, 70, rv->ClientWidth(), 100));
  const int x = rv->ClientWidth() / 2;
  EXPECT_EQ(PixelAt(rv->Surface(), x, 0), StripeColor(29));
  EXPECT_EQ(PixelAt(rv->Surface(), x, 99), StripeColor(128));
}

TEST_F(ScrollingTest, HiddenBarStillClampsThePosition) {
  rv->SetVScrollVisible(false);
  MakeDocument(250);
  rv->SetVScrollPos(40);
  EXPECT_EQ(rv->VPos(), 15);
  rv->SetVScrollPos(-3);
  EXPECT_EQ(rv->VPos(), 0);
}

TEST_F(ScrollingTest, BarCommandsMoveTheView) {
  MakeDocument(250);
  SendScrollCommand(*rv, sbVertical, scLineDown);
  EXPECT_EQ(rv->VPos(), 1);
  SendScrollCommand(*rv, sbVertical, scPageDown);
  EXPECT_EQ(rv->VPos(), 11);
  SendScrollCommand(*rv, sbVertical, scBottom);
  EXPECT_EQ(rv->VPos(), 15);
  SendScrollCommand(*rv, sbVertical, scTop);
  EXPECT_EQ(rv->VPos(), 0);
  SendScrollCommand(*rv, sbVertical, scTrack, 7);
  EXPECT_EQ(rv->VPos(), 7);
  rv->Tracking = false;
  SendScrollCommand(*rv, sbVertical, scTrack, 2);
  EXPECT_EQ(rv->VPos(), 7);
  SendScrollCommand(*rv, sbVertical, scPosition, 2);
  EXPECT_EQ(rv->VPos(), 2);
}

TEST_F(ScrollingTest, AWindowSizeChangeLaysThePageOutAgain) {
  rv->Clear();
  for (int i = 0; i < 30; ++i) rv->AddPictureEx({}, StripedPicture(20, 20), i == 0 ? 0 : -1, rvvaBaseline);
  rv->Format();
  const int lines = rv->GetDocumentHeight() / 22;
  rv->SetBounds(0, 0, 120, 100);
  EXPECT_GT(rv->GetDocumentHeight() / 22, lines);
  EXPECT_EQ(rv->RVData().TextWidth, rv->ClientWidth());
}

}  // namespace
}  // namespace quorix::test
