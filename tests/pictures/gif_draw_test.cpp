// Drawing GIF pictures and frames on the raster canvas: where a frame lands,
// transparency, the background of a non-transparent picture, the caches,
// huge frames, re-entrant draws; and a JPEG's first draw.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gif_test_util.h"
#include "jpeg_test_util.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "tests/support/bitmap_helpers.h"
#include "tests/support/fixed_metrics_canvas.h"

namespace quorix {
namespace {

using test::AllPixels;
using test::CountPixels;
using test::InkBounds;
using test::PixelAt;
using testing::Frame;
using testing::LoadGif;
using testing::Picture;

// Index 0 black, 1 red, 2 green, 3 blue.
const TGIFColorTable kColors = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

TGifWriterImage ColorPicture(int width, int height, std::vector<TGifWriterFrame> frames) {
  TGifWriterImage image = Picture(width, height, std::move(frames));
  image.GlobalColorTable = kColors;
  return image;
}

TEST(GifDraw, FrameRectangleIsMappedIntoTheTargetAsPartOfTheScreen) {
  // A 40 x 20 picture whose only frame is (10, 0, 20, 20), drawn into (0, 0, 80, 40).
  const auto gif = LoadGif(WriteGif(ColorPicture(40, 20, {Frame(10, 0, 20, 20, std::vector<std::uint8_t>(400, 1))})));
  TBitmap target(100, 50);
  gif->Draw(target.Canvas(), Rect(0, 0, 80, 40));
  EXPECT_EQ(InkBounds(target, clWhite), Rect(20, 0, 60, 40));
  EXPECT_TRUE(AllPixels(target, clRed, Rect(20, 0, 60, 40)));

  // The frame's own Draw does the same mapping from wherever rect starts.
  TBitmap moved(100, 50);
  gif->GetFrame(0).Draw(moved.Canvas(), Rect(5, 5, 85, 45), false, false);
  EXPECT_EQ(InkBounds(moved, clWhite), Rect(25, 5, 65, 45));
}

// A 4 x 2 frame: index 0 in the left half (the transparent index), 1 and 2 on the right.
TGifWriterImage TransparentPicture() {
  TGifWriterFrame frame = Frame(2, 2, 4, 2, {0, 0, 1, 2, 0, 0, 2, 1});
  frame.ControlExtension = true;
  frame.Transparent = true;
  frame.TransparentIndex = 0;
  TGifWriterImage image = ColorPicture(8, 6, {frame});
  image.BackgroundIndex = 2;
  return image;
}

TEST(GifDraw, TransparentPixelsLeaveTheDestinationUntouched) {
  const auto gif = LoadGif(WriteGif(TransparentPicture()));
  TGIFFrame& frame = gif->GetFrame(0);
  TBitmap target(8, 4);
  target.Fill(clBlue);
  frame.StretchDraw(target.Canvas(), Rect(0, 0, 8, 4), true, false);
  EXPECT_TRUE(AllPixels(target, clBlue, Rect(0, 0, 4, 4)));
  EXPECT_EQ(PixelAt(target, 4, 0), clRed);
  EXPECT_EQ(PixelAt(target, 6, 0), clLime);
  EXPECT_EQ(PixelAt(target, 4, 2), clLime);

  // Not asked to draw transparently: index 0 is drawn in its colour.
  target.Fill(clBlue);
  frame.StretchDraw(target.Canvas(), Rect(0, 0, 8, 4), false, false);
  EXPECT_TRUE(AllPixels(target, clBlack, Rect(0, 0, 4, 4)));

  // The picture draws transparently by default.
  TBitmap whole(8, 6);
  gif->Draw(whole.Canvas(), Rect(0, 0, 8, 6));
  EXPECT_EQ(CountPixels(whole, clWhite), 8 * 6 - 4);
}

TEST(GifDraw, OpaquePictureFillsTheBackgroundBehindATransparentFirstFrame) {
  const auto gif = LoadGif(WriteGif(TransparentPicture()));
  gif->SetTransparent(false);
  TBitmap whole(8, 6);
  gif->Draw(whole.Canvas(), Rect(0, 0, 8, 6));
  // Background index 2 (green) outside the frame; the frame opaque inside it.
  EXPECT_EQ(CountPixels(whole, clLime), 8 * 6 - 8 + 2);
  EXPECT_TRUE(AllPixels(whole, clBlack, Rect(2, 2, 4, 4)));
  EXPECT_EQ(whole.Canvas().Brush.Color, clWhite);  // the canvas's brush is given back
}

TEST(GifDraw, EmptyPictureDrawsNothing) {
  auto gif = LoadGif(WriteGif(TransparentPicture()));
  gif->Assign(nullptr);
  EXPECT_TRUE(gif->GetEmpty());
  TBitmap target(8, 6);
  gif->Draw(target.Canvas(), Rect(0, 0, 8, 6));
  EXPECT_EQ(CountPixels(target, clWhite), 8 * 6);
}

TEST(GifDraw, CachesAreMadeByTheFirstDrawAndReleasedOnRequest) {
  const auto gif = LoadGif(WriteGif(TransparentPicture()));
  TGIFFrame& frame = gif->GetFrame(0);
  EXPECT_FALSE(frame.HasBitmap());
  EXPECT_FALSE(frame.HasMask());
  EXPECT_EQ(frame.GetPalette(), 0u);
  EXPECT_EQ(gif->GetPalette(), 0u);

  TBitmap target(8, 6);
  gif->Draw(target.Canvas(), Rect(0, 0, 8, 6));
  EXPECT_TRUE(frame.HasBitmap());
  EXPECT_TRUE(frame.HasMask());
  EXPECT_NE(frame.GetPalette(), 0u);
  EXPECT_NE(gif->GetPalette(), 0u);
  EXPECT_EQ(frame.Bitmap()->GetWidth(), 4);

  // A copy takes the decoded bitmap along, as its own.
  TGIFImage copy;
  copy.Assign(gif.get());
  ASSERT_TRUE(copy.GetFrame(0).HasBitmap());
  EXPECT_NE(copy.GetFrame(0).Bitmap(), frame.Bitmap());
  EXPECT_FALSE(copy.GetFrame(0).HasMask());

  frame.SetHasBitmap(false);
  frame.FreeMask();
  frame.SetPalette(0);
  gif->SetPalette(0);
  EXPECT_FALSE(frame.HasBitmap());
  EXPECT_FALSE(frame.HasMask());
  EXPECT_EQ(frame.GetPalette(), 0u);
  EXPECT_EQ(gif->GetPalette(), 0u);

  // Rebuilt by the next draw, with the same result.
  TBitmap again(8, 6);
  gif->Draw(again.Canvas(), Rect(0, 0, 8, 6));
  EXPECT_TRUE(frame.HasBitmap());
  EXPECT_EQ(test::CompareBitmaps(again, target), "");
}

// A frame of 65535 x 65535 pixels whose first row is red and the rest index 0.
TEST(GifDraw, HugeFrameIsSampledIntoTheVisiblePartWithoutACache) {
  for (bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    TGifWriterFrame frame = Frame(0, 0, 65535, 65535, std::vector<std::uint8_t>(65535, 1));
    frame.ControlExtension = transparent;
    frame.Transparent = transparent;
    const auto gif = LoadGif(WriteGif(ColorPicture(65535, 65535, {frame})));
    TGIFFrame& f = gif->GetFrame(0);

    TBitmap small(100, 100);
    gif->Draw(small.Canvas(), Rect(0, 0, 100, 100));
    EXPECT_FALSE(f.HasBitmap());
    EXPECT_TRUE(AllPixels(small, clRed, Rect(0, 0, 100, 1)));
    EXPECT_TRUE(AllPixels(small, transparent ? clWhite : clBlack, Rect(0, 1, 100, 100)));

    // At its own size on a small canvas: only the canvas's part is sampled.
    TBitmap own(50, 50);
    f.StretchDraw(own.Canvas(), Rect(-10, 0, 65525, 65535), transparent, false);
    EXPECT_TRUE(AllPixels(own, clRed, Rect(0, 0, 50, 1)));
    EXPECT_TRUE(AllPixels(own, transparent ? clWhite : clBlack, Rect(0, 1, 50, 50)));
    f.SetHasBitmap(true);
    EXPECT_FALSE(f.HasBitmap());
  }
}

// A canvas that draws the picture again from inside a bitmap copy.
class ReenteringCanvas : public test::TFixedMetricsCanvas {
 public:
  using TFixedMetricsCanvas::TFixedMetricsCanvas;
  TGraphic* Picture = nullptr;
  int Copies = 0;
  void StretchDrawBitmap(const TRect& dest, const TBitmap& bitmap) override {
    ++Copies;
    if (Picture) Picture->Draw(*this, dest);
    TFixedMetricsCanvas::StretchDrawBitmap(dest, bitmap);
  }
};

TEST(GifDraw, DrawArrivingWhileTheSamePictureDrawsDoesNothing) {
  const auto gif = LoadGif(WriteGif(ColorPicture(4, 4, {Frame(0, 0, 4, 4, std::vector<std::uint8_t>(16, 3))})));
  ReenteringCanvas canvas(4, 4);
  canvas.Picture = gif.get();
  gif->Draw(canvas, Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas.Copies, 1);
  EXPECT_TRUE(AllPixels(canvas.Bitmap(), clBlue, Rect(0, 0, 4, 4)));
  // The guard is down again afterwards.
  gif->Draw(canvas, Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas.Copies, 2);
}

TEST(JpegDraw, FirstDrawDecodesAndStretchesTheImage) {
  testing::JpegSpec spec;
  spec.Width = 16;
  spec.Height = 16;
  spec.Color = [](int x, int) { return x < 8 ? 0x00C000u : 0x0000C0u; };
  TJPEGImage jpeg;
  TMemoryStream stream(testing::EncodeJpeg(spec));
  jpeg.LoadFromStream(stream);
  EXPECT_FALSE(jpeg.HasBitmap());
  TBitmap target(40, 40);
  jpeg.Draw(target.Canvas(), Rect(4, 4, 36, 36));
  ASSERT_TRUE(jpeg.HasBitmap());
  auto near = [](TColor c, int r, int g, int b) {
    return std::abs(GetRValue(c) - r) < 16 && std::abs(GetGValue(c) - g) < 16 && std::abs(GetBValue(c) - b) < 16;
  };
  EXPECT_TRUE(near(PixelAt(target, 8, 20), 0, 0xC0, 0)) << std::hex << PixelAt(target, 8, 20);
  EXPECT_TRUE(near(PixelAt(target, 31, 20), 0, 0, 0xC0)) << std::hex << PixelAt(target, 31, 20);
  EXPECT_EQ(InkBounds(target, clWhite), Rect(4, 4, 36, 36));
}

}  // namespace
}  // namespace quorix
