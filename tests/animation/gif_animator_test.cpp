// The GIF animator: which items get one, frame times, composing frames with
// their disposal methods over what lies behind the picture, when a draw
// replays from frame 0, and the sample set's animations against a reference
// composition made here from the decoded frames.

#include "richview/animation/gif_animator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "richview/animation/animator_list.h"
#include "richview/animation/bitmap_animator.h"
#include "tests/layout/layout_test_document.h"
#include "tests/pictures/gif_test_util.h"
#include "tests/support/bitmap_helpers.h"

namespace quorix {
namespace {

using testing::Frame;
using testing::LoadGif;

// A document without a window that allows animation and keeps its animators
// in a list of its own, with the style sheet's colour as its own.
class TAnimatedDocument : public test::TLayoutTestDocument {
 public:
  TAnimatedDocument() { Style.Color = kDocumentColor; }
  // The items, and with them their animators, go while the list is still here.
  ~TAnimatedDocument() override { Clear(); }

  bool AllowAnimation() override { return true; }
  void InsertAnimator(std::unique_ptr<TRVAnimator>& Animator) override { Animators.Add(Animator); }
  TColor GetColor() const override { return Style.Color; }

  TRVGraphicItemInfo& AddGif(const TGifWriterImage& image, bool transparent = true) {
    std::unique_ptr<TGIFImage> gif = LoadGif(WriteGif(image));
    gif->SetTransparent(transparent);
    return AddGif(std::move(gif));
  }
  TRVGraphicItemInfo& AddGif(std::unique_ptr<TGIFImage> gif) {
    auto item = std::make_unique<TRVHotGraphicItemInfo>(this, std::move(gif), rvvaMiddle);
    TRVGraphicItemInfo& ref = *item;
    AddItemR("code", std::move(item));
    return ref;
  }

  static constexpr TColor kDocumentColor = RGB(20, 160, 60);
  TRVAnimatorList Animators;
};

TColor Grey(int index) { return RGB(index * 17, index * 17, index * 17); }

std::vector<std::uint8_t> Solid(int width, int height, int index) {
  return std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, static_cast<std::uint8_t>(index));
}

// A frame with a graphic control extension.
TGifWriterFrame Controlled(TGifWriterFrame frame, int disposal, int delay = 10) {
  frame.ControlExtension = true;
  frame.Disposal = disposal;
  frame.Delay = delay;
  return frame;
}

TRVGifImageAnimator* GifAnimator(const TRVGraphicItemInfo& item) {
  return dynamic_cast<TRVGifImageAnimator*>(item.Animator.get());
}

// The animator's picture after a draw at (0, 0) of a bitmap of the image's size.
TBitmap DrawnFrame(TRVAnimator& animator, int width, int height) {
  TBitmap target(width, height);
  target.Fill(RGB(255, 0, 255));
  animator.Draw(0, 0, target.Canvas(), true);
  return target;
}

// ---------------------------------------------------------------- which items animate

TEST(GifAnimatorMakerTest, AnimatesGifsOfMoreThanOneFrameNotCountingEmptyOnesAtTheEnd) {
  auto empty = Controlled(Frame(0, 0, 4, 4, {}), dmNone);
  empty.EmptyImageData = true;
  const auto full = [](int index) { return Controlled(Frame(0, 0, 4, 4, Solid(4, 4, index)), dmNone); };
  struct Case {
    const char* name;
    std::vector<TGifWriterFrame> frames;
    int animatedFrames;  // 0: no animator
  } cases[] = {
      {"one frame", {full(3)}, 0},
      {"second frame empty", {full(3), empty}, 0},
      {"two frames", {full(3), full(9)}, 2},
      {"two frames and two empty ones", {full(3), full(9), empty, empty}, 2},
      {"an empty frame in the middle counts", {full(3), empty, full(9)}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TAnimatedDocument doc;
    TRVGraphicItemInfo& item = doc.AddGif(testing::Picture(4, 4, c.frames));
    ASSERT_EQ(dynamic_cast<TGIFImage&>(*item.Image).GetCount(), static_cast<int>(c.frames.size()));
    if (c.animatedFrames == 0) {
      EXPECT_EQ(item.Animator, nullptr);
      EXPECT_EQ(doc.Animators.Count(), 0);
      // Painted still: the first frame.
      TBitmap target(6, 6);
      item.Paint(0, 0, target.Canvas(), {}, doc.Style, nullptr);
      EXPECT_EQ(target.PixelColor(1, 1), Grey(3));
      continue;
    }
    ASSERT_NE(GifAnimator(item), nullptr);
    EXPECT_EQ(item.Animator->GetFrameCount(), c.animatedFrames);
    EXPECT_EQ(doc.Animators.Count(), 1);
  }
}

TEST(GifAnimatorMakerTest, KeepsItsOwnAnimatorAndReplacesOtherKinds) {
  TAnimatedDocument doc;
  TRVGraphicItemInfo& item = doc.AddGif(testing::Picture(
      4, 4,
      {Controlled(Frame(0, 0, 4, 4, Solid(4, 4, 1)), dmNone), Controlled(Frame(0, 0, 4, 4, Solid(4, 4, 2)), dmNone)}));
  TRVAnimator* first = item.Animator.get();
  ASSERT_NE(GifAnimator(item), nullptr);
  first->ChangeFrame();
  RV_MakeAnimator(&item, &doc, item.Animator);
  EXPECT_EQ(item.Animator.get(), first);
  EXPECT_EQ(item.Animator->CurrentFrame, 0);

  item.Animator = std::make_unique<TRVBitmapAnimator>(&doc, &item);
  RV_MakeAnimator(&item, &doc, item.Animator);
  EXPECT_NE(GifAnimator(item), nullptr);

  // A bitmap goes on to the bitmap link.
  TRVGraphicItemInfo& strip = doc.AddPicture(8, 4);
  strip.ImageWidth = 4;
  strip.Interval = 5;
  RV_MakeAnimator(&strip, &doc, strip.Animator);
  EXPECT_NE(dynamic_cast<TRVBitmapAnimator*>(strip.Animator.get()), nullptr);
}

// ---------------------------------------------------------------- frame times

TEST(GifAnimatorTest, FrameTimesComeFromTheDelaysClampedAndTenMsWithoutAControlExtension) {
  struct Case {
    bool control;
    int delay;
    int ms;
  } cases[] = {{false, 0, 10}, {true, 0, 100},    {true, 1, 30},       {true, 2, 30},      {true, 3, 30},
               {true, 5, 50},  {true, 999, 9990}, {true, 1000, 10000}, {true, 2000, 10000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.delay) + (c.control ? "" : " without control extension"));
    auto first = Frame(0, 0, 2, 2, Solid(2, 2, 1));
    if (c.control) first = Controlled(first, dmNone, c.delay);
    TAnimatedDocument doc;
    TRVGraphicItemInfo& item =
        doc.AddGif(testing::Picture(2, 2, {first, Controlled(Frame(0, 0, 2, 2, Solid(2, 2, 2)), dmNone, 7)}));
    TRVAnimator& animator = *item.Animator;
    EXPECT_EQ(animator.TimeLeft, c.ms);  // the list resets it on arrival
    animator.ChangeFrame();
    EXPECT_EQ(animator.CurrentFrame, 1);
    EXPECT_EQ(animator.TimeLeft, 70);
    animator.ChangeFrame();
    EXPECT_EQ(animator.CurrentFrame, 0);
    EXPECT_EQ(animator.TimeLeft, c.ms);
  }
}

// ---------------------------------------------------------------- composing

// Frame 0 fills the screen with grey 5; frame 1 covers (1, 1)-(4, 4) with grey
// 9 and the disposal under test; frame 2 covers (3, 3)-(6, 6) with grey 12.
// After frame 2, (1, 1) shows what frame 1's disposal left.
TEST(GifAnimatorTest, DisposalOfAFrameDecidesWhatTheNextOneIsComposedOn) {
  struct Case {
    const char* name;
    int disposal;
    TColor left;
  } cases[] = {
      {"none leaves the frame", dmNone, Grey(9)},
      {"no disposal leaves the frame", dmNoDisposal, Grey(9)},
      {"background restores the background", dmBackground, clWhite},
      {"previous restores what was there before", dmPrevious, Grey(5)},
      {"an undefined value leaves the frame", 6, Grey(9)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TAnimatedDocument doc;
    TRVGraphicItemInfo& item =
        doc.AddGif(testing::Picture(6, 6,
                                    {
                                        Controlled(Frame(0, 0, 6, 6, Solid(6, 6, 5)), dmNone),
                                        Controlled(Frame(1, 1, 3, 3, Solid(3, 3, 9)), c.disposal),
                                        Controlled(Frame(3, 3, 3, 3, Solid(3, 3, 12)), dmNone),
                                    }),
                   /*transparent=*/false);
    TRVAnimator& animator = *item.Animator;
    DrawnFrame(animator, 6, 6);
    animator.ChangeFrame();
    const TBitmap second = DrawnFrame(animator, 6, 6);
    EXPECT_EQ(second.PixelColor(1, 1), Grey(9));
    animator.ChangeFrame();
    const TBitmap third = DrawnFrame(animator, 6, 6);
    EXPECT_EQ(third.PixelColor(1, 1), c.left);
    EXPECT_EQ(third.PixelColor(2, 2), c.left);
    EXPECT_EQ(third.PixelColor(3, 3), Grey(12));
    EXPECT_EQ(third.PixelColor(0, 0), Grey(5));
    EXPECT_EQ(third.PixelColor(5, 0), Grey(5));

    // Replaying frames 0..2 in one draw gives what one frame per tick gave.
    animator.ResetBackground();
    EXPECT_EQ(test::CompareBitmaps(DrawnFrame(animator, 6, 6), third), "");
  }
}

TEST(GifAnimatorTest, RestoreToPreviousFramesInARowEachGiveBackWhatTheyCovered) {
  // Frames 1 and 2 both restore to previous and overlap; frame 3 is elsewhere.
  TAnimatedDocument doc;
  TRVGraphicItemInfo& item = doc.AddGif(testing::Picture(8, 8,
                                                         {
                                                             Controlled(Frame(0, 0, 8, 8, Solid(8, 8, 5)), dmNone),
                                                             Controlled(Frame(1, 1, 4, 4, Solid(4, 4, 9)), dmPrevious),
                                                             Controlled(Frame(3, 3, 4, 4, Solid(4, 4, 12)), dmPrevious),
                                                             Controlled(Frame(7, 7, 1, 1, Solid(1, 1, 14)), dmNone),
                                                         }),
                                        /*transparent=*/false);
  TRVAnimator& animator = *item.Animator;
  TBitmap shown;
  for (int f = 0; f < 4; ++f) {
    if (f > 0) animator.ChangeFrame();
    shown = DrawnFrame(animator, 8, 8);
  }
  EXPECT_EQ(test::CountPixels(shown, Grey(5)), 63);
  EXPECT_EQ(shown.PixelColor(7, 7), Grey(14));
}

TEST(GifAnimatorTest, AFrameAfterOneWithoutAControlExtensionStartsOnTheWholeBackground) {
  for (const bool control : {false, true}) {
    SCOPED_TRACE(control ? "first frame with control extension" : "first frame without");
    auto first = Frame(0, 0, 4, 4, Solid(4, 4, 5));
    if (control) first = Controlled(first, dmNone);
    TAnimatedDocument doc;
    TRVGraphicItemInfo& item =
        doc.AddGif(testing::Picture(4, 4, {first, Controlled(Frame(1, 1, 2, 2, Solid(2, 2, 9)), dmNone)}), false);
    TRVAnimator& animator = *item.Animator;
    EXPECT_EQ(DrawnFrame(animator, 4, 4).PixelColor(0, 0), Grey(5));
    animator.ChangeFrame();
    const TBitmap second = DrawnFrame(animator, 4, 4);
    EXPECT_EQ(second.PixelColor(0, 0), control ? Grey(5) : clWhite);
    EXPECT_EQ(second.PixelColor(1, 1), Grey(9));
  }
}

// Frame 0 is transparent except for its top-left pixel.
TGifWriterImage HoleyPicture() {
  auto first = Controlled(Frame(0, 0, 4, 4, Solid(4, 4, 0)), dmNone);
  first.Indices[0] = 12;
  first.Transparent = true;
  first.TransparentIndex = 0;
  return testing::Picture(4, 4,
                          {first, Controlled(Frame(2, 2, 2, 2, Solid(2, 2, 8)), dmNone),
                           Controlled(Frame(0, 2, 2, 2, Solid(2, 2, 4)), dmNone)});
}

TEST(GifAnimatorTest, ComposesOverWhiteOrOverTheDocumentByThePicturesTransparentFlag) {
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent ? "transparent flag set" : "transparent flag clear");
    TAnimatedDocument doc;
    TRVGraphicItemInfo& item = doc.AddGif(HoleyPicture(), transparent);
    const TBitmap shown = DrawnFrame(*item.Animator, 4, 4);
    EXPECT_EQ(shown.PixelColor(0, 0), Grey(12));
    EXPECT_EQ(shown.PixelColor(3, 0), transparent ? TAnimatedDocument::kDocumentColor : clWhite);
  }
}

TEST(GifAnimatorTest, MapsFramesOntoTheItemsImageSize) {
  TAnimatedDocument doc;
  TRVGraphicItemInfo& item = doc.AddGif(testing::Picture(
      4, 4,
      {Controlled(Frame(0, 0, 4, 4, Solid(4, 4, 5)), dmNone), Controlled(Frame(2, 0, 2, 2, Solid(2, 2, 9)), dmNone)}));
  item.ImageWidth = 8;
  item.ImageHeight = 12;
  TRVAnimator& animator = *item.Animator;
  animator.ChangeFrame();
  const TBitmap shown = DrawnFrame(animator, 8, 12);
  EXPECT_EQ(test::InkBounds(shown, Grey(5)), Rect(4, 0, 8, 6));
  EXPECT_EQ(test::CountPixels(shown, Grey(9)), 24);
  EXPECT_EQ(animator.GetExportImageSize(), (TSize{4, 4}));
}

TEST(GifAnimatorTest, ExportsTheFirstFrameOnWhite) {
  TAnimatedDocument doc;
  TRVGraphicItemInfo& item = doc.AddGif(HoleyPicture());
  item.Animator->ChangeFrame();
  TBitmap target(6, 6);
  target.Fill(clBlack);
  item.Animator->DrawForExport(target.Canvas());
  EXPECT_EQ(target.PixelColor(0, 0), Grey(12));
  EXPECT_EQ(test::CountPixels(target, clWhite), 15);
  EXPECT_EQ(test::CountPixels(target, clBlack), 36 - 16);
}

// ---------------------------------------------------------------- what a draw costs

TEST(GifAnimatorTest, ComposesOnlyWhatTheFrameChangeNeedsAndReleasesTheFrameCaches) {
  TAnimatedDocument doc;
  std::vector<TGifWriterFrame> frames;
  for (int f = 0; f < 4; ++f) frames.push_back(Controlled(Frame(f, 0, 1, 1, Solid(1, 1, 2 + f)), dmNone));
  frames[0] = Controlled(Frame(0, 0, 4, 4, Solid(4, 4, 1)), dmNone);
  TRVGraphicItemInfo& item = doc.AddGif(testing::Picture(4, 4, frames));
  auto& animator = *GifAnimator(item);
  const auto& gif = dynamic_cast<const TGIFImage&>(*item.Image);
  TBitmap target(4, 4);
  struct Step {
    const char* name;
    std::function<void()> change;
    int composed;  // in all, after the draw
  } steps[] = {
      {"first draw", [] {}, 1},
      {"no frame change", [] {}, 1},
      {"next frame", [&] { animator.ChangeFrame(); }, 2},
      {"two frames on",
       [&] {
         animator.ChangeFrame();
         animator.ChangeFrame();
       },
       4},
      {"back to frame 0", [&] { animator.ChangeFrame(); }, 5},
      {"skip to frame 2",
       [&] {
         animator.ChangeFrame();
         animator.ChangeFrame();
       },
       7},
      {"back to frame 1", [&] { animator.CurrentFrame = 1; }, 9},
      {"background dropped", [&] { animator.ResetBackground(); }, 11},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.change();
    animator.Draw(0, 0, target.Canvas(), true);
    EXPECT_EQ(animator.ComposedFrames, s.composed);
    EXPECT_EQ(animator.LastDrawnFrame, animator.CurrentFrame);
    for (int f = 0; f < gif.GetCount(); ++f) {
      EXPECT_FALSE(gif.GetFrame(f).HasBitmap());
      EXPECT_FALSE(gif.GetFrame(f).HasMask());
      EXPECT_EQ(gif.GetFrame(f).GetPalette(), HPALETTE{0});
    }
    EXPECT_EQ(gif.GetPalette(), HPALETTE{0});
  }
  animator.Reset();
  EXPECT_EQ(animator.FrameBitmap, nullptr);
  EXPECT_EQ(animator.LastDrawnFrame, -1);
}

TEST(GifAnimatorTest, RebuildsFromFrameZeroWhenThePictureMovesOrChanges) {
  struct Case {
    const char* name;
    int x, y;
    std::function<void(TAnimatedDocument&, TRVGraphicItemInfo&)> change;
  } cases[] = {
      {"moved right", 5, 0, [](auto&, auto&) {}},
      {"moved down", 0, 5, [](auto&, auto&) {}},
      {"another paragraph", 0, 0,
       [](auto& doc, auto& item) {
         doc.AddPara();
         item.ParaNo = doc.LastParaNo();
       }},
      {"another size", 0, 0, [](auto&, auto& item) { item.ImageWidth = 8; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TAnimatedDocument doc;
    TRVGraphicItemInfo& item = doc.AddGif(HoleyPicture());
    auto& animator = *GifAnimator(item);
    TBitmap target(12, 12);
    for (int f = 0; f < 3; ++f) {
      if (f > 0) animator.ChangeFrame();
      animator.Draw(0, 0, target.Canvas(), true);
    }
    ASSERT_EQ(animator.ComposedFrames, 3);
    c.change(doc, item);
    animator.Draw(c.x, c.y, target.Canvas(), true);
    EXPECT_EQ(animator.ComposedFrames, 6);
    animator.Draw(c.x, c.y, target.Canvas(), true);
    EXPECT_EQ(animator.ComposedFrames, 6);
  }
}

TEST(GifAnimatorTest, AMovedPictureCapturesTheBackgroundAnewAndLooksLikeAFreshOne) {
  TAnimatedDocument doc;
  TRVGraphicItemInfo& item = doc.AddGif(HoleyPicture());
  TRVAnimator& animator = *item.Animator;
  TBitmap target(12, 4);
  for (int f = 0; f < 3; ++f) {
    if (f > 0) animator.ChangeFrame();
    animator.Draw(0, 0, target.Canvas(), true);
  }
  doc.Style.Color = RGB(200, 30, 90);
  TBitmap moved(12, 4);
  animator.Draw(6, 0, moved.Canvas(), true);
  EXPECT_EQ(moved.PixelColor(6 + 3, 0), RGB(200, 30, 90));

  TAnimatedDocument fresh;
  fresh.Style.Color = RGB(200, 30, 90);
  TRVGraphicItemInfo& freshItem = fresh.AddGif(HoleyPicture());
  freshItem.Animator->ChangeFrame();
  freshItem.Animator->ChangeFrame();
  TBitmap expected(12, 4);
  freshItem.Animator->Draw(6, 0, expected.Canvas(), true);
  EXPECT_EQ(test::CompareBitmaps(moved, expected), "");
}

// ---------------------------------------------------------------- the sample set

// The GIF format's composition, one pixel at a time from the frames' colour
// indices: each frame over what the previous one's disposal left; "restore
// to background" and a frame without a control extension (which our
// animator takes as the start of a fresh picture) restore the background,
// "restore to previous" what the area showed before the frame.
class TReferenceComposition {
 public:
  TReferenceComposition(const TGIFImage& gif, TColor background)
      : gif_(gif), background_(background), pixels_(Size(), background) {}

  void Compose(int i) {
    const TGIFFrame& frame = gif_.GetFrame(i);
    const TGIFGraphicControlExtension* previous = i > 0 ? gif_.GetFrame(i - 1).ControlExtension() : nullptr;
    if (!previous) {
      std::fill(pixels_.begin(), pixels_.end(), background_);
    } else if (previous->GetDisposal() == dmBackground) {
      ForEachPixel(gif_.GetFrame(i - 1), [&](int, int, std::size_t at) { pixels_[at] = background_; });
    } else if (previous->GetDisposal() == dmPrevious) {
      pixels_ = before_;
    }
    before_ = pixels_;
    const TGIFColorTable& table = frame.ActiveColorTable();
    const int transparentIndex = frame.GetTransparent() ? frame.ControlExtension()->GetTransparentColorIndex() : -1;
    ForEachPixel(frame, [&](int x, int y, std::size_t at) {
      const int index = frame.GetIndex(x, y);
      if (index == transparentIndex) return;
      pixels_[at] = static_cast<std::size_t>(index) < table.size()
                        ? RGB(table[index].Red, table[index].Green, table[index].Blue)
                        : clBlack;
    });
  }

  TBitmap Bitmap() const {
    TBitmap bitmap(gif_.GetWidth(), gif_.GetHeight());
    for (int y = 0; y < gif_.GetHeight(); ++y)
      for (int x = 0; x < gif_.GetWidth(); ++x)
        bitmap.Scanline(y)[x] = PixelFromColor(pixels_[static_cast<std::size_t>(y) * gif_.GetWidth() + x]);
    return bitmap;
  }

 private:
  std::size_t Size() const { return static_cast<std::size_t>(gif_.GetWidth()) * gif_.GetHeight(); }
  // (x, y) within the frame and the index of that pixel on the screen.
  template <typename F>
  void ForEachPixel(const TGIFFrame& frame, F f) const {
    for (int y = 0; y < frame.Height; ++y)
      for (int x = 0; x < frame.Width; ++x) {
        const int sx = frame.Left + x;
        const int sy = frame.Top + y;
        if (sx < gif_.GetWidth() && sy < gif_.GetHeight()) f(x, y, static_cast<std::size_t>(sy) * gif_.GetWidth() + sx);
      }
  }

  const TGIFImage& gif_;
  TColor background_;
  std::vector<TColor> pixels_;
  std::vector<TColor> before_;
};

TEST(GifAnimatorSampleTest, EveryFrameOfEveryAnimatedSampleIsComposedByTheGifRules) {
  int animated = 0;
  std::set<int> disposals;
  for (const auto& entry : std::filesystem::directory_iterator(QUORIX_SAMPLES_DIR)) {
    if (entry.path().extension() != ".gif") continue;
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(entry.path().string(), bytes), ReadFileResult::Ok);
    auto gif = LoadGif(bytes);
    if (RV_GifFrameCount(*gif) <= 1) continue;
    ++animated;
    SCOPED_TRACE(entry.path().filename().string());
    TAnimatedDocument doc;
    const TGIFImage& picture = *gif;
    TRVGraphicItemInfo& item = doc.AddGif(std::move(gif));
    ASSERT_NE(GifAnimator(item), nullptr);
    TRVAnimator& animator = *item.Animator;
    const int w = picture.GetWidth();
    const int h = picture.GetHeight();
    const int frames = animator.GetFrameCount();
    TReferenceComposition reference(picture, TAnimatedDocument::kDocumentColor);
    std::vector<TBitmap> expected;
    for (int f = 0; f < frames; ++f) {
      reference.Compose(f);
      expected.push_back(reference.Bitmap());
      if (const auto* control = picture.GetFrame(f).ControlExtension()) disposals.insert(control->GetDisposal());
    }
    // One frame a tick for a loop and a half, then every frame replayed from 0.
    for (int tick = 0; tick < frames + frames / 2 + 1; ++tick) {
      if (tick > 0) animator.ChangeFrame();
      SCOPED_TRACE("tick " + std::to_string(tick));
      EXPECT_EQ(test::CompareBitmaps(DrawnFrame(animator, w, h), expected[tick % frames]), "");
    }
    for (int f = 0; f < frames; ++f) {
      SCOPED_TRACE("replayed frame " + std::to_string(f));
      animator.CurrentFrame = f;
      animator.ResetBackground();
      EXPECT_EQ(test::CompareBitmaps(DrawnFrame(animator, w, h), expected[f]), "");
    }
  }
  EXPECT_GE(animated, 2);
  EXPECT_TRUE(disposals.count(dmPrevious) && disposals.count(dmBackground)) << "the samples show both restores";
}

}  // namespace
}  // namespace quorix
