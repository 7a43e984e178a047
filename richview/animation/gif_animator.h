#pragma once
// TRVGifImageAnimator plays a multi-frame GIF of a picture item: each frame is
// composed on an off-screen bitmap of the item's image size, over a copy of
// what lies behind the picture, with the frames' disposal methods, and the
// composed bitmap is copied to the canvas. Frames are composed incrementally;
// a skip, a move of the picture or a dropped cache replays from frame 0.

#include <memory>

#include "platform/types.h"
#include "richview/animation/animator.h"

namespace quorix {

class TBitmap;
class TGIFFrame;
class TGIFImage;

class TRVGifImageAnimator : public TRVAnimator {
 public:
  using TRVAnimator::TRVAnimator;
  ~TRVGifImageAnimator() override;

  // The GIF's frames without the empty ones at its end.
  int GetFrameCount() const override;
  void ResetBackground() override;
  void Reset() override;
  void ChangeFrame() override;
  void Draw(int X, int Y, TCanvas& Canvas, bool Animation) override;
  // The GIF's logical screen.
  TSize GetExportImageSize() const override;
  // Frame 0 on white.
  void DrawForExport(TCanvas& Canvas) override;

  // TimeLeft for CurrentFrame, from its delay.
  void CalcInterval();

  std::unique_ptr<TBitmap> FrameBitmap;
  std::unique_ptr<TBitmap> BackgroundBitmap;
  TColor BackgroundColor = clWhite;
  int LastLeft = 0;
  int LastTop = 0;
  int LastParaNo = -1;
  int LastDrawnFrame = -1;

  // Frame compositions since creation; tests read it to see what a Draw cost.
  int ComposedFrames = 0;

 protected:
  // Composes frame i on FrameBitmap over what the previous frame left.
  void ComposeFrame(int i);

 private:
  TGIFImage* Gif() const;
  // Frame i's rectangle on the logical screen mapped onto the item's image.
  TRect FrameRect(const TGIFFrame& Frame) const;
  // Puts the background back into Rect of FrameBitmap.
  void RestoreBackground(const TRect& Rect);
  // Drops the composition and everything kept for it.
  void DropComposition();

  // What a frame with disposal "restore to previous" covered before it was
  // drawn, and where; it goes back when the next frame is composed.
  std::unique_ptr<TBitmap> PreviousBitmap;
  TRect PreviousRect;
  int PreviousFrame = -1;
};

// The GIF link of the animator chain, at its head: picture items whose GIF
// has more than one frame (empty frames at the end not counted); everything
// else goes to the bitmap link.
void RV_MakeGifImageAnimator(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData,
                             std::unique_ptr<TRVAnimator>& Animator);
// The frames a GIF plays: its count less the empty frames at its end, never
// below 1 when it has frames.
int RV_GifFrameCount(const TGIFImage& Gif);

}  // namespace quorix
