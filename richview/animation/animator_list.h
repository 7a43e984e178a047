#pragma once
// TRVAnimatorList, the animators of one control: it refers to them (their
// items own them) and drives them all from the control's one animation timer,
// which runs at the shortest time any of them has left.

#include <climits>
#include <memory>
#include <vector>

#include "richview/animation/animator.h"

namespace quorix {

class TRVAnimatorList {
 public:
  TRVAnimatorList() = default;
  TRVAnimatorList(const TRVAnimatorList&) = delete;
  TRVAnimatorList& operator=(const TRVAnimatorList&) = delete;
  // Detaches what is left (the animators belong to their items).
  ~TRVAnimatorList();

  // Resets the animator and lists it; a full list refuses it: the animator is
  // destroyed and the reference left empty.
  void Add(std::unique_ptr<TRVAnimator>& Animator);
  // Detaches every animator and empties the list; the timer counts as stopped.
  void Clear();
  // Destroys every animator through its item, then clears.
  void FreeAnimators();
  void ResetBackground();
  // Every animator to frame 0; NextPeriod is the shortest first time.
  void Reset();
  // One tick of NextPeriod milliseconds for every animator.
  void TimerEvent();
  // An animator going away leaves the list.
  void Remove(TRVAnimator* Animator);

  int Count() const { return static_cast<int>(items_.size()); }
  TRVAnimator* operator[](int Index) const { return items_[static_cast<std::size_t>(Index)]; }

  bool TimerActive = false;
  int TimerPeriod = INT_MAX;
  int NextPeriod = INT_MAX;

 private:
  std::vector<TRVAnimator*> items_;
};

}  // namespace quorix
