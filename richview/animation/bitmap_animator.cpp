#include "richview/animation/bitmap_animator.h"

#include "platform/graphics.h"
#include "richview/animation/animator_maker.h"
#include "richview/document/picture_items.h"
#include "richview/layout/formatted_data.h"

namespace quorix {

namespace {

const TRVGraphicItemInfo* PictureItem(const TCustomRVItemInfo* Item) {
  return dynamic_cast<const TRVGraphicItemInfo*>(Item);
}

}  // namespace

int RV_BitmapFrameCount(const TCustomRVItemInfo& Item, const TBitmap& Bitmap) {
  const int w = Item.GetImageWidth(nullptr);
  const int h = Item.GetImageHeight(nullptr);
  if (w <= 0 || h <= 0) return 0;
  return (Bitmap.GetWidth() / w) * (Bitmap.GetHeight() / h);
}

TBitmap* TRVBitmapAnimator::Source() const {
  const TRVGraphicItemInfo* item = PictureItem(ItemInfo);
  if (!item) return nullptr;
  if (auto* copy = dynamic_cast<TBitmap*>(item->ImageCopy.get())) return copy;
  return dynamic_cast<TBitmap*>(item->Image.get());
}

int TRVBitmapAnimator::IntervalMs() const {
  const TRVGraphicItemInfo* item = PictureItem(ItemInfo);
  return item ? item->Interval * 10 : 0;
}

int TRVBitmapAnimator::GetFrameCount() const {
  const TBitmap* bitmap = Source();
  return bitmap && ItemInfo ? RV_BitmapFrameCount(*ItemInfo, *bitmap) : 0;
}

void TRVBitmapAnimator::Reset() {
  CurrentFrame = 0;
  TimeLeft = IntervalMs();
}

void TRVBitmapAnimator::ChangeFrame() {
  CurrentFrame = CalcNextFrameIndex();
  TimeLeft = IntervalMs();
}

void TRVBitmapAnimator::Draw(int X, int Y, TCanvas& Canvas, bool) {
  TBitmap* bitmap = Source();
  if (!bitmap || !ItemInfo) return;
  const int w = ItemInfo->GetImageWidth(nullptr);
  const int h = ItemInfo->GetImageHeight(nullptr);
  if (w <= 0 || h <= 0) return;
  const int columns = bitmap->GetWidth() / w;
  if (columns <= 0) return;
  const int column = CurrentFrame % columns;
  const int row = CurrentFrame / columns;
  Canvas.CopyRect(Bounds(X, Y, w, h), bitmap->Canvas(), Bounds(column * w, row * h, w, h));
}

void TRVBitmapAnimator::DrawForExport(TCanvas& Canvas) {
  const int current = CurrentFrame;
  CurrentFrame = 0;
  Draw(0, 0, Canvas, false);
  CurrentFrame = current;
}

void RV_MakeBitmapAnimator(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData,
                           std::unique_ptr<TRVAnimator>& Animator) {
  const TRVGraphicItemInfo* item = PictureItem(Item);
  const auto* bitmap = item ? dynamic_cast<const TBitmap*>(item->Image.get()) : nullptr;
  if (!bitmap || item->Interval <= 0 || RV_BitmapFrameCount(*Item, *bitmap) <= 1) {
    RV_MakeNoAnimator(Item, RVData, Animator);
    return;
  }
  RV_TakeAnimator<TRVBitmapAnimator>(Item, RVData, Animator);
}

}  // namespace quorix
