#include "richview/animation/animator_list.h"

#include <algorithm>

#include "richview/document/picture_items.h"

namespace quorix {

TRVAnimatorList::~TRVAnimatorList() { Clear(); }

void TRVAnimatorList::Add(std::unique_ptr<TRVAnimator>& Animator) {
  if (!Animator) return;
  if (Count() >= RVMaxAnimations) {
    // A full list: the item keeps no animator and is painted still.
    Animator.reset();
    return;
  }
  Animator->Reset();
  NextPeriod = std::min(NextPeriod, Animator->TimeLeft);
  items_.push_back(Animator.get());
  Animator->OwnerList = this;
}

void TRVAnimatorList::Clear() {
  for (TRVAnimator* animator : items_) animator->OwnerList = nullptr;
  items_.clear();
  TimerActive = false;
}

void TRVAnimatorList::FreeAnimators() {
  std::vector<TRVAnimator*> animators;
  animators.swap(items_);
  for (TRVAnimator* animator : animators) {
    animator->OwnerList = nullptr;
    // Animators belong to their picture items: they go from there.
    if (auto* item = dynamic_cast<TRVGraphicItemInfo*>(animator->ItemInfo); item && item->Animator.get() == animator)
      item->Animator.reset();
  }
  TimerActive = false;
}

void TRVAnimatorList::ResetBackground() {
  for (TRVAnimator* animator : items_) animator->ResetBackground();
}

void TRVAnimatorList::Reset() {
  NextPeriod = INT_MAX;
  for (TRVAnimator* animator : items_) {
    animator->Reset();
    NextPeriod = std::min(NextPeriod, animator->TimeLeft);
  }
}

void TRVAnimatorList::TimerEvent() {
  // The time that passed is taken to be the period the timer was set to.
  const int elapsed = NextPeriod;
  NextPeriod = INT_MAX;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    TRVAnimator* animator = items_[i];
    animator->TimeLeft -= elapsed;
    if (animator->TimeLeft <= 0) {
      animator->ChangeFrame();
      if (animator->IsVisible())
        animator->DrawFrame();
      else
        animator->ResetBackground();
    }
    NextPeriod = std::min(NextPeriod, animator->TimeLeft);
  }
}

void TRVAnimatorList::Remove(TRVAnimator* Animator) {
  items_.erase(std::remove(items_.begin(), items_.end(), Animator), items_.end());
  if (items_.empty()) TimerActive = false;
}

}  // namespace quorix
