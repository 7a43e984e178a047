// The control's animation: animators listed as pictures arrive, one timer at
// the shortest time left, frames drawn straight onto the window between
// paints, and the modes that start, stop and remove animation. Bitmaps of
// two tiles side by side (the item shows one tile) are the animated pictures.

#include <gtest/gtest.h>

#include <vector>

#include "richview/animation/bitmap_animator.h"
#include "richview/document/picture_items.h"
#include "tests/control/rich_view_fixture.h"

namespace quorix::test {
namespace {

// A control whose timer ticks can be delivered by hand.
class TTickingRichView : public TRichView {
 public:
  using TRichView::TRichView;
  void Tick() { Timer(kRVAnimationTimer); }
};

class AnimationTest : public ::testing::Test {
 protected:
  AnimationTest() {
    form.SetBounds(0, 0, 300, 200);
    rv = std::make_unique<TTickingRichView>(&form);
    style.Color = clWhite;
    MakePlain(*rv, style);
    rv->SetAnimationMode(rvaniOnFormat);
  }
  ~AnimationTest() override { rv.reset(); }

  // A 10 x 10 picture of two tiles (red, then blue) changing every Interval x 10 ms.
  TRVGraphicItemInfo& AddAnimated(int Interval, int ParaNo = 0) {
    auto bitmap = std::make_unique<TBitmap>(20, 10);
    bitmap->Fill(clRed);
    for (int y = 0; y < 10; ++y)
      for (int x = 10; x < 20; ++x) bitmap->Scanline(y)[x] = PixelFromColor(clBlue);
    auto item = std::make_unique<TRVGraphicItemInfo>(&rv->RVData(), std::move(bitmap), rvvaBaseline);
    item->ImageWidth = 10;
    item->ImageHeight = 10;
    item->Interval = Interval;
    item->ParaNo = ParaNo;
    TRVGraphicItemInfo& ref = *item;
    rv->AddItemR({}, std::move(item));
    return ref;
  }
  TRVAnimatorList* List() const { return rv->RVData().AnimatorList.get(); }

  TForm form;
  TRVStyle style;
  std::unique_ptr<TTickingRichView> rv;
};

TEST_F(AnimationTest, FormatStartsTheTimerAtTheShortestTime) {
  TRVGraphicItemInfo& slow = AddAnimated(10);      // 100 ms
  TRVGraphicItemInfo& fast = AddAnimated(3, -1);  // 30 ms
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(List()->Count(), 2);
  EXPECT_FALSE(rv->TimerActive(kRVAnimationTimer)) << "adding pictures starts nothing";
  rv->Format();
  EXPECT_TRUE(rv->TimerActive(kRVAnimationTimer));
  EXPECT_EQ(List()->TimerPeriod, 30);

  rv->Tick();
  EXPECT_EQ(slow.Animator->TimeLeft, 70);
  EXPECT_EQ(slow.Animator->CurrentFrame, 0);
  EXPECT_EQ(fast.Animator->CurrentFrame, 1);
  EXPECT_EQ(fast.Animator->TimeLeft, 30);
  EXPECT_EQ(List()->TimerPeriod, 30);  // the shortest time is still 30: not re-armed
  rv->Tick();
  rv->Tick();  // 100 - 3 x 30 = 10 left: the timer now runs at 10
  EXPECT_EQ(slow.Animator->TimeLeft, 10);
  EXPECT_EQ(List()->TimerPeriod, 10);
  rv->Tick();
  EXPECT_EQ(slow.Animator->CurrentFrame, 1);
  EXPECT_EQ(slow.Animator->TimeLeft, 100);
}

TEST_F(AnimationTest, AFrameChangeDrawsOnTheWindowBetweenPaints) {
  AddAnimated(3);
  rv->Format();
  rv->Update();
  // The picture at (1, 1) (its spacing), first tile red.
  EXPECT_EQ(PixelAt(rv->Surface(), 5, 5), clRed);
  rv->Tick();
  EXPECT_FALSE(rv->HasInvalidPart());
  EXPECT_EQ(PixelAt(rv->Surface(), 5, 5), clBlue);
  // A paint draws the current frame too.
  rv->Invalidate();
  rv->Update();
  EXPECT_EQ(PixelAt(rv->Surface(), 5, 5), clBlue);
}

TEST_F(AnimationTest, OffScreenAnimatorsCountOnButDrawNothing) {
  // A tall first line pushes the animated picture below the 100-pixel window.
  rv->AddPictureEx({}, std::make_unique<TBitmap>(10, 150), 0, rvvaBaseline);
  TRVGraphicItemInfo& animated = AddAnimated(3, 0);
  rv->SetVScrollVisible(false);
  rv->Format();
  rv->Update();
  const TBitmap before = rv->Surface();
  ASSERT_FALSE(animated.Animator->IsVisible());
  rv->Tick();
  EXPECT_EQ(animated.Animator->CurrentFrame, 1);
  EXPECT_EQ(CompareBitmaps(rv->Surface(), before), "");
}

// Records the state of the animation timer when animators go.
std::vector<bool> g_timerWhenDestroyed;
TTickingRichView* g_view = nullptr;

struct TRecordingAnimator : TRVBitmapAnimator {
  using TRVBitmapAnimator::TRVBitmapAnimator;
  ~TRecordingAnimator() override { g_timerWhenDestroyed.push_back(g_view->TimerActive(kRVAnimationTimer)); }
};

TEST_F(AnimationTest, ClearStopsTheTimerBeforeTheItemsGo) {
  const TRVMakeAnimatorProc saved = RV_MakeAnimator;
  RV_MakeAnimator = [](TCustomRVItemInfo* item, TCustomRVFormattedData* data, std::unique_ptr<TRVAnimator>& animator) {
    animator = std::make_unique<TRecordingAnimator>(data, item);
    data->InsertAnimator(animator);
  };
  g_view = rv.get();
  g_timerWhenDestroyed.clear();
  AddAnimated(3);
  AddAnimated(5, -1);
  rv->Format();
  ASSERT_TRUE(rv->TimerActive(kRVAnimationTimer));
  rv->Clear();
  RV_MakeAnimator = saved;
  EXPECT_EQ(g_timerWhenDestroyed, (std::vector<bool>{false, false}));
  EXPECT_EQ(List()->Count(), 0);
}

TEST_F(AnimationTest, DisabledModeRemovesEveryAnimatorAndPicturesPaintStill) {
  TRVGraphicItemInfo& item = AddAnimated(3);
  rv->Format();
  rv->SetAnimationMode(rvaniDisabled);
  EXPECT_EQ(List(), nullptr);
  EXPECT_EQ(item.Animator, nullptr);
  EXPECT_FALSE(rv->TimerActive(kRVAnimationTimer));
  rv->Invalidate();
  rv->Update();
  // The whole bitmap stretched into the 10 x 10 image: both colours show.
  EXPECT_GT(CountPixels(rv->Surface(), clRed, Bounds(1, 1, 10, 10)), 0);
  EXPECT_GT(CountPixels(rv->Surface(), clBlue, Bounds(1, 1, 10, 10)), 0);
  // Back to animation: only items inserted from now on get animators.
  rv->SetAnimationMode(rvaniOnFormat);
  EXPECT_EQ(item.Animator, nullptr);
  AddAnimated(3, -1);
  EXPECT_EQ(List()->Count(), 1);
}

TEST_F(AnimationTest, AFullListRefusesAnimatorsAndAnEmptyListStopsTheTimer) {
  const int saved = RVMaxAnimations;
  RVMaxAnimations = 2;
  AddAnimated(3);
  AddAnimated(3, -1);
  TRVGraphicItemInfo& third = AddAnimated(3, -1);
  RVMaxAnimations = saved;
  EXPECT_EQ(List()->Count(), 2);
  EXPECT_EQ(third.Animator, nullptr);

  // Items removed while the timer runs (no stop under manual start): the next
  // tick finds nothing to drive and stops the timer.
  rv->SetAnimationMode(rvaniManualStart);
  rv->Format();
  rv->StartAnimation();
  ASSERT_TRUE(rv->TimerActive(kRVAnimationTimer));
  rv->Clear();
  EXPECT_EQ(List()->Count(), 0);
  rv->Tick();
  EXPECT_FALSE(rv->TimerActive(kRVAnimationTimer));
}

TEST_F(AnimationTest, ManualStartWaitsForTheCallAndThenTakesNewcomers) {
  rv->SetAnimationMode(rvaniManualStart);
  AddAnimated(5);
  rv->Format();
  EXPECT_FALSE(rv->TimerActive(kRVAnimationTimer));
  rv->StartAnimation();
  EXPECT_TRUE(rv->TimerActive(kRVAnimationTimer));
  rv->StopAnimation();
  EXPECT_FALSE(rv->TimerActive(kRVAnimationTimer));
}

}  // namespace
}  // namespace quorix::test
