#pragma once
// TRVBitmapAnimator plays a bitmap laid out as tiles of the item's image
// size, left to right and top to bottom, one tile a frame, at the item's
// animation interval.

#include "richview/animation/animator.h"

namespace quorix {

class TBitmap;

class TRVBitmapAnimator : public TRVAnimator {
 public:
  using TRVAnimator::TRVAnimator;

  int GetFrameCount() const override;
  void Reset() override;
  void ChangeFrame() override;
  void Draw(int X, int Y, TCanvas& Canvas, bool Animation) override;
  void DrawForExport(TCanvas& Canvas) override;
  bool ExportIgnoresScale() const override { return true; }

 private:
  // The bitmap the tiles come from: the palette copy when there is one.
  TBitmap* Source() const;
  int IntervalMs() const;
};

// The bitmap link of the animator chain: items whose bitmap has more than one
// tile and an animation interval above 0; others go to the next link.
void RV_MakeBitmapAnimator(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData,
                           std::unique_ptr<TRVAnimator>& Animator);
// The frames a bitmap of an item holds (0 when the item's image size is 0).
int RV_BitmapFrameCount(const TCustomRVItemInfo& Item, const TBitmap& Bitmap);

}  // namespace quorix
