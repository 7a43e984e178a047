#pragma once
// TRVAnimator, the base of the objects that play a multi-frame picture of a
// picture item, and the RV_MakeAnimator hook through which animator kinds
// plug in. A picture item owns its animator.

#include <memory>

namespace quorix {

class TCanvas;
class TCustomRVItemInfo;
class TCustomRVFormattedData;

class TRVAnimator {
 public:
  TRVAnimator(TCustomRVFormattedData* DocData, TCustomRVItemInfo* ItemInfo) : ItemInfo(ItemInfo), DocData(DocData) {}
  TRVAnimator(const TRVAnimator&) = delete;
  TRVAnimator& operator=(const TRVAnimator&) = delete;
  virtual ~TRVAnimator() = default;

  // Draws the current frame with its top-left corner at (X, Y); Animation is
  // true from the timer, false from painting.
  virtual void Draw(int X, int Y, TCanvas& Canvas, bool Animation) = 0;

  // Re-binds the animator: a missing DocData keeps the old one.
  void Update(TCustomRVFormattedData* NewDocData, TCustomRVItemInfo* NewItemInfo) {
    if (NewDocData) DocData = NewDocData;
    ItemInfo = NewItemInfo;
  }

  TCustomRVItemInfo* ItemInfo = nullptr;
  TCustomRVFormattedData* DocData = nullptr;
};

// Creates, refreshes or removes the animator of a picture item. Animator kinds
// install themselves in front and pass on the items they do not handle.
using TRVMakeAnimatorProc = void (*)(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData,
                                     std::unique_ptr<TRVAnimator>& Animator);

// The last link of the chain: no kind handles the item, so it has no animator.
void RV_MakeNoAnimator(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData,
                       std::unique_ptr<TRVAnimator>& Animator);

extern TRVMakeAnimatorProc RV_MakeAnimator;

}  // namespace quorix
