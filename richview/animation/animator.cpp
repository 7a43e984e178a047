#include "richview/animation/animator.h"

namespace quorix {

void RV_MakeNoAnimator(TCustomRVItemInfo*, TCustomRVFormattedData*, std::unique_ptr<TRVAnimator>& Animator) {
  Animator.reset();
}

TRVMakeAnimatorProc RV_MakeAnimator = &RV_MakeNoAnimator;

}  // namespace quorix
