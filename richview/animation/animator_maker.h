#pragma once
// The part of an RV_MakeAnimator link that every animator kind shares, for an
// item the kind takes.

#include <memory>

#include "richview/animation/animator.h"
#include "richview/layout/formatted_data.h"

namespace quorix {

// An animator of another kind goes; the item's own animator is re-bound and
// back on frame 0; or a new one is made and handed to the document's list.
template <class TKind>
void RV_TakeAnimator(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData, std::unique_ptr<TRVAnimator>& Animator) {
  if (Animator && !dynamic_cast<TKind*>(Animator.get())) Animator.reset();
  if (Animator) {
    Animator->Update(RVData, Item);
    Animator->Reset();
    return;
  }
  Animator = std::make_unique<TKind>(RVData, Item);
  RVData->InsertAnimator(Animator);
}

}  // namespace quorix
