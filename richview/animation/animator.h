#pragma once
// TRVAnimator, the base of the objects that play a multi-frame picture of a
// picture item: the frame on show, the time until the next one, and drawing
// the current frame at the item's place. A picture item owns its animator;
// the control's animator list refers to it. Animator kinds plug in through
// the RV_MakeAnimator hook.

#include <memory>

#include "platform/types.h"

namespace quorix {

class TCanvas;
class TCustomRVItemInfo;
class TCustomRVFormattedData;
class TRVAnimatorList;

class TRVAnimator {
 public:
  TRVAnimator(TCustomRVFormattedData* DocData, TCustomRVItemInfo* ItemInfo) : ItemInfo(ItemInfo), DocData(DocData) {}
  TRVAnimator(const TRVAnimator&) = delete;
  TRVAnimator& operator=(const TRVAnimator&) = delete;
  // Leaves the list that holds it.
  virtual ~TRVAnimator();

  virtual int GetFrameCount() const = 0;
  // Drops whatever the animator keeps of the background behind its picture.
  virtual void ResetBackground() {}
  // Frame 0, with its TimeLeft.
  virtual void Reset() = 0;
  // The next frame, with its TimeLeft.
  virtual void ChangeFrame() = 0;
  // Draws the current frame with its top-left corner at (X, Y); Animation is
  // true from the timer, false from painting.
  virtual void Draw(int X, int Y, TCanvas& Canvas, bool Animation) = 0;
  // The size and a still image of the picture, for export.
  virtual TSize GetExportImageSize() const;
  virtual void DrawForExport(TCanvas& Canvas) = 0;
  virtual bool ExportIgnoresScale() const { return false; }

  // Re-binds the animator: a missing DocData keeps the old one.
  void Update(TCustomRVFormattedData* NewDocData, TCustomRVItemInfo* NewItemInfo) {
    if (NewDocData) DocData = NewDocData;
    ItemInfo = NewItemInfo;
  }
  // The frame after the current one, 0 after the last.
  int CalcNextFrameIndex() const;
  // Whether the item's line is inside the control's client area now.
  bool IsVisible() const;
  // Draws the current frame straight onto the control's canvas at the item's
  // place (between paints, from the timer).
  void DrawFrame();

  TRVAnimatorList* OwnerList = nullptr;
  int CurrentFrame = 0;
  TCustomRVItemInfo* ItemInfo = nullptr;
  int TimeLeft = 0;  // milliseconds
  TCustomRVFormattedData* DocData = nullptr;

 private:
  // The item's drawing item and the control's document, when the item is laid out.
  bool Placement(int& X, int& Y) const;
};

// Creates, refreshes or removes the animator of a picture item. Animator kinds
// install themselves in front and pass on the items they do not handle.
using TRVMakeAnimatorProc = void (*)(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData,
                                     std::unique_ptr<TRVAnimator>& Animator);

// The last link of the chain: no kind handles the item, so it has no animator.
void RV_MakeNoAnimator(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData,
                       std::unique_ptr<TRVAnimator>& Animator);

// The chain, starting with the kinds this library has (GIF, then bitmap).
extern TRVMakeAnimatorProc RV_MakeAnimator;

// The most animators one control's list accepts.
extern int RVMaxAnimations;

}  // namespace quorix
