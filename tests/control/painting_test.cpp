// Painting: the vertical placement of a short document, the background
// under it, partial repaints, background pictures that scroll or stay, and
// the messages painted instead of a document.

#include <gtest/gtest.h>

#include "richview/document/picture_items.h"
#include "tests/control/rich_view_fixture.h"

namespace quorix::test {
namespace {

using PaintingTest = RichViewFixture;

TEST_F(PaintingTest, CentredShortDocumentIsMovedDownOverTheBackground) {
  rv->SetVScrollVisible(false);
  rv->SetBounds(0, 0, 200, 200);
  rv->SetVAlign(tlCenter);
  struct Case {
    int DocumentHeight;
    int Offset;
  };
  for (const Case c : {Case{99, 50}, Case{199, 0}, Case{300, 0}}) {
    SCOPED_TRACE(c.DocumentHeight);
    MakeDocument(c.DocumentHeight);
    rv->Invalidate();
    const TBitmap& surface = Painted();
    const int x = rv->ClientWidth() / 2;
    EXPECT_EQ(rv->GetExtraVOffs(), c.Offset);
    EXPECT_EQ(PixelAt(surface, x, c.Offset + 1), StripeColor(0));
    if (c.Offset > 0) {
      EXPECT_TRUE(AllPixels(surface, clYellow, Rect(0, 0, 200, c.Offset + 1)));
      EXPECT_TRUE(AllPixels(surface, clYellow, Rect(0, c.Offset + c.DocumentHeight - 1, 200, 200)));
    }
  }
  // The alignment moves the picture, never the document's own height.
  const int centred = rv->GetDocumentHeight();
  rv->SetVAlign(tlTop);
  rv->Format();
  EXPECT_EQ(rv->GetDocumentHeight(), centred);
}

TEST_F(PaintingTest, APartialRepaintRendersOnlyItsRectangle) {
  MakeDocument(80);
  Painted();
  std::vector<TRect> clips;
  rv->OnPaint = [&](TCustomRichView*, TCanvas& canvas, bool) { clips.push_back(canvas.GetClipRect()); };
  rv->Canvas().Brush.Color = clRed;
  rv->Canvas().Brush.Style = bsSolid;
  rv->Canvas().FillRect(rv->ClientRect());
  rv->InvalidateRect(Bounds(20, 20, 10, 10));
  const TBitmap& surface = Painted();
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0], Bounds(20, 20, 10, 10));
  EXPECT_TRUE(AllPixels(surface, clYellow, Bounds(20, 20, 10, 10)));
  EXPECT_EQ(CountPixels(surface, clRed), 200 * 100 - 100);
}

// A background tile 8 pixels square, black at its top-left pixel only.
TBitmap MarkedTile() {
  TBitmap tile(8, 8);
  tile.Fill(clWhite);
  tile.Scanline(0)[0] = PixelFromColor(clBlack);
  return tile;
}

TEST_F(PaintingTest, TiledAndScrolledBackgroundMovesWithTheText) {
  rv->SetBackgroundBitmap(MarkedTile());
  rv->SetBackgroundStyle(bsTiledAndScrolled);
  MakeDocument(400);
  rv->Invalidate();
  Painted();
  std::vector<TRect> clips;
  rv->OnPaint = [&](TCustomRichView*, TCanvas& canvas, bool) { clips.push_back(canvas.GetClipRect()); };
  rv->SetVScrollPos(1);  // 10 pixels: the tile rows at document 16, 24, ... come to 6, 14, ...
  EXPECT_EQ(PixelAt(rv->Surface(), 8, 6), clBlack);
  EXPECT_EQ(PixelAt(rv->Surface(), 8, 0), clWhite);
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0].Height(), 10);  // only the uncovered band
}

TEST_F(PaintingTest, TiledBackgroundStaysAndEveryScrollRepaintsAll) {
  rv->SetBackgroundBitmap(MarkedTile());
  rv->SetBackgroundStyle(bsTiled);
  MakeDocument(400);
  rv->Invalidate();
  Painted();
  std::vector<TRect> clips;
  rv->OnPaint = [&](TCustomRichView*, TCanvas& canvas, bool) { clips.push_back(canvas.GetClipRect()); };
  rv->SetVScrollPos(1);
  EXPECT_EQ(PixelAt(rv->Surface(), 8, 0), clBlack);
  EXPECT_EQ(PixelAt(rv->Surface(), 8, 8), clBlack);
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0], rv->ClientRect());
}

TEST_F(PaintingTest, WithoutAStyleSheetTheControlSaysSo) {
  rv->SetStyle(nullptr);
  rv->SetColor(clWhite);
  rv->SetBounds(0, 0, 300, 100);
  rv->Invalidate();
  const TBitmap& surface = Painted();
  const TRect ink = InkBounds(surface, clWhite);
  // Two lines of text at the top-left, nothing else.
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_LT(ink.Top, 4);
  EXPECT_LT(ink.Left, 4);
  EXPECT_GT(ink.Height(), 14);
  EXPECT_LT(ink.Bottom, 40);
}

// An item that fails every time it is painted.
class FailingItem : public TRVGraphicItemInfo {
 public:
  using TRVGraphicItemInfo::TRVGraphicItemInfo;
  void Paint(int, int, TCanvas&, TRVItemDrawStates, const TRVStyle&, TRVDrawLineInfo*) override {
    throw Exception("broken item");
  }
};

TEST_F(PaintingTest, AnItemThatFailsLeavesWhatCameBeforeAndSaysError) {
  rv->SetBounds(0, 0, 300, 100);
  rv->AddPictureEx({}, StripedPicture(40, 40), 0, rvvaBaseline);
  auto failing = std::make_unique<FailingItem>(&rv->RVData(), StripedPicture(40, 40), rvvaBaseline);
  failing->ParaNo = -1;
  rv->AddItemR({}, std::move(failing));
  rv->Format();
  const TBitmap& surface = Painted();
  // The first picture is there below the message's line...
  EXPECT_EQ(PixelAt(surface, 1, 30), StripeColor(29));
  // ...and "Error:broken item" in red on white at the top-left corner.
  int reddish = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 150; ++x) {
      const TColor c = surface.PixelColor(x, y);
      if (GetRValue(c) > 180 && GetGValue(c) < 120 && GetBValue(c) < 120) ++reddish;
    }
  EXPECT_GT(reddish, 40);
  EXPECT_GT(CountPixels(surface, clWhite, Rect(0, 0, 150, 20)), 100);

}

}  // namespace
}  // namespace quorix::test
