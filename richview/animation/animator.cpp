#include "richview/animation/animator.h"

#include "richview/animation/animator_list.h"
#include "richview/animation/gif_animator.h"
#include "richview/document/item_info.h"
#include "richview/document/picture_items.h"
#include "richview/layout/formatted_data.h"

namespace quorix {

TRVAnimator::~TRVAnimator() {
  if (OwnerList) OwnerList->Remove(this);
}

TSize TRVAnimator::GetExportImageSize() const {
  if (!ItemInfo) return TSize{};
  return TSize{ItemInfo->GetImageWidth(nullptr), ItemInfo->GetImageHeight(nullptr)};
}

int TRVAnimator::CalcNextFrameIndex() const {
  const int next = CurrentFrame + 1;
  return next >= GetFrameCount() ? 0 : next;
}

bool TRVAnimator::Placement(int& X, int& Y) const {
  if (!DocData || !ItemInfo) return false;
  const int d = ItemInfo->FirstDrawItemNo;
  if (d < 0 || d >= DocData->DrawItems.Count()) return false;
  TCustomRVFormattedData* root = DocData->GetAbsoluteRootData()->AsFormattedData();
  if (!root) return false;
  int x0 = 0;
  int y0 = 0;
  DocData->GetOrigin(x0, y0);
  const TRVDrawLineInfo* di = DocData->DrawItems[d];
  // The control's pure scroll offsets: its vertical offset less the centring
  // that the origin already holds.
  X = x0 + di->Left - root->GetHOffs();
  Y = y0 + di->Top - (root->GetVOffs() + root->GetRVDataExtraVOffs());
  return true;
}

bool TRVAnimator::IsVisible() const {
  int x = 0;
  int y = 0;
  if (!Placement(x, y)) return false;
  const TCustomRVFormattedData* root = DocData->GetAbsoluteRootData()->AsFormattedData();
  const auto* item = dynamic_cast<const TRVNonTextItemInfo*>(ItemInfo);
  const int height = item ? item->GetHeight() : 0;
  return y < root->GetHeight() && y + height > 0;
}

void TRVAnimator::DrawFrame() {
  int x = 0;
  int y = 0;
  if (!Placement(x, y)) return;
  TCustomRVFormattedData* root = DocData->GetAbsoluteRootData()->AsFormattedData();
  TCanvas* canvas = root->GetWindowCanvas();
  if (!canvas) return;
  const int left = x + ItemInfo->GetBorderWidth();
  const int top = y + ItemInfo->GetBorderHeight();
  Draw(left, top, *canvas, true);
  root->PresentWindowRect(Bounds(left, top, ItemInfo->GetImageWidth(nullptr), ItemInfo->GetImageHeight(nullptr)));
}

void RV_MakeNoAnimator(TCustomRVItemInfo*, TCustomRVFormattedData*, std::unique_ptr<TRVAnimator>& Animator) {
  Animator.reset();
}

int RVMaxAnimations = 100000;

// Function pointers only: the chain is whole before any code runs.
TRVMakeAnimatorProc RV_MakeAnimator = &RV_MakeGifImageAnimator;

}  // namespace quorix
