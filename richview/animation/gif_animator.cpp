#include "richview/animation/gif_animator.h"

#include <algorithm>

#include "pictures/gif_image.h"
#include "platform/graphics.h"
#include "richview/animation/animator_maker.h"
#include "richview/animation/bitmap_animator.h"
#include "richview/document/picture_items.h"
#include "richview/layout/formatted_data.h"

namespace quorix {

namespace {

TGIFImage* GifOf(const TCustomRVItemInfo* Item) {
  const auto* item = dynamic_cast<const TRVGraphicItemInfo*>(Item);
  return item ? dynamic_cast<TGIFImage*>(item->Image.get()) : nullptr;
}

}  // namespace

int RV_GifFrameCount(const TGIFImage& Gif) {
  int count = Gif.GetCount();
  while (count > 1 && Gif.GetFrame(count - 1).GetEmpty()) --count;
  return count;
}

TRVGifImageAnimator::~TRVGifImageAnimator() { DropComposition(); }

TGIFImage* TRVGifImageAnimator::Gif() const { return GifOf(ItemInfo); }

int TRVGifImageAnimator::GetFrameCount() const {
  const TGIFImage* gif = Gif();
  return gif ? RV_GifFrameCount(*gif) : 0;
}

void TRVGifImageAnimator::DropComposition() {
  FrameBitmap.reset();
  BackgroundBitmap.reset();
  PreviousBitmap.reset();
  PreviousFrame = -1;
}

void TRVGifImageAnimator::ResetBackground() { DropComposition(); }

void TRVGifImageAnimator::Reset() {
  DropComposition();
  CurrentFrame = 0;
  LastDrawnFrame = -1;
  CalcInterval();
}

void TRVGifImageAnimator::ChangeFrame() {
  CurrentFrame = CalcNextFrameIndex();
  CalcInterval();
}

void TRVGifImageAnimator::CalcInterval() {
  TimeLeft = 10;
  const TGIFImage* gif = Gif();
  if (!gif || CurrentFrame < 0 || CurrentFrame >= gif->GetCount()) return;
  const TGIFGraphicControlExtension* control = gif->GetFrame(CurrentFrame).ControlExtension();
  if (!control) return;
  // A delay of 0 stays 0 here and becomes 100 ms below: the common reading of
  // "no delay given" by players, which keeps such GIFs from spinning.
  if (control->GetDelay() != 0) TimeLeft = std::clamp(control->GetDelay(), GIFMinimumDelay, GIFMaximumDelay);
  TimeLeft *= 10;
}

TRect TRVGifImageAnimator::FrameRect(const TGIFFrame& Frame) const {
  const TGIFImage* gif = Gif();
  const int w = gif->GetWidth();
  const int h = gif->GetHeight();
  if (w <= 0 || h <= 0) return TRect{};
  const int iw = ItemInfo->GetImageWidth(nullptr);
  const int ih = ItemInfo->GetImageHeight(nullptr);
  return TRect{MulDiv(Frame.Left, iw, w), MulDiv(Frame.Top, ih, h), MulDiv(Frame.Left + Frame.Width, iw, w),
               MulDiv(Frame.Top + Frame.Height, ih, h)};
}

void TRVGifImageAnimator::RestoreBackground(const TRect& Rect) {
  TCanvas& canvas = FrameBitmap->Canvas();
  if (BackgroundBitmap) {
    canvas.CopyRect(Rect, BackgroundBitmap->Canvas(), Rect);
  } else {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = BackgroundColor;
    canvas.FillRect(Rect);
  }
}

void TRVGifImageAnimator::ComposeFrame(int i) {
  TGIFImage* gif = Gif();
  TGIFFrame& frame = gif->GetFrame(i);
  const TRect whole = Bounds(0, 0, FrameBitmap->GetWidth(), FrameBitmap->GetHeight());
  const TGIFGraphicControlExtension* previousControl = i > 0 ? gif->GetFrame(i - 1).ControlExtension() : nullptr;

  // What the previous frame asked to be done with its area.
  if (!previousControl) {
    RestoreBackground(whole);
  } else if (previousControl->GetDisposal() == dmBackground) {
    RestoreBackground(FrameRect(gif->GetFrame(i - 1)));
  } else if (previousControl->GetDisposal() == dmPrevious) {
    // "Restore to previous" means what the area showed before that frame was
    // drawn, so a copy is kept while composing it; leaving the area as it is
    // would smear such frames over each other. The copy always exists here,
    // since frames are composed in order from a full restore; should it not,
    // the background is the nearest honest answer.
    if (PreviousBitmap && PreviousFrame == i - 1)
      FrameBitmap->Canvas().CopyRect(PreviousRect, PreviousBitmap->Canvas(),
                                     Bounds(0, 0, PreviousRect.Width(), PreviousRect.Height()));
    else
      RestoreBackground(FrameRect(gif->GetFrame(i - 1)));
  }
  // dmNone, dmNoDisposal and the undefined values leave the frame's pixels.

  PreviousBitmap.reset();
  PreviousFrame = -1;
  const TRect rect = FrameRect(frame);
  const TGIFGraphicControlExtension* control = frame.ControlExtension();
  if (control && control->GetDisposal() == dmPrevious) {
    TRect kept;
    if (IntersectRect(kept, rect, whole)) {
      PreviousBitmap = std::make_unique<TBitmap>(kept.Width(), kept.Height());
      PreviousBitmap->Canvas().CopyRect(Bounds(0, 0, kept.Width(), kept.Height()), FrameBitmap->Canvas(), kept);
      PreviousRect = kept;
      PreviousFrame = i;
    }
  }

  frame.StretchDraw(FrameBitmap->Canvas(), rect, frame.GetTransparent(), false);
  ++ComposedFrames;

  // Only the frame's colour indices stay between frames (no decoded bitmap,
  // mask or palette): a page of smilies would otherwise keep every decoded
  // frame of every one of them.
  frame.SetHasBitmap(false);
  frame.SetPalette(0);
  frame.FreeMask();
  gif->SetPalette(0);
}

void TRVGifImageAnimator::Draw(int X, int Y, TCanvas& Canvas, bool) {
  TGIFImage* gif = Gif();
  if (!gif || !DocData || CurrentFrame < 0 || CurrentFrame >= gif->GetCount()) return;
  const int w = ItemInfo->GetImageWidth(nullptr);
  const int h = ItemInfo->GetImageHeight(nullptr);
  if (w <= 0 || h <= 0) return;

  const bool valid = FrameBitmap && ItemInfo->ParaNo == LastParaNo && X == LastLeft && Y == LastTop &&
                     FrameBitmap->GetWidth() == w && FrameBitmap->GetHeight() == h;
  if (valid) {
    if (CurrentFrame == LastDrawnFrame) {
      Canvas.CopyRect(Bounds(X, Y, w, h), FrameBitmap->Canvas(), Bounds(0, 0, w, h));
      return;
    }
    if (CurrentFrame > 0) {
      if (CurrentFrame > LastDrawnFrame + 1) {
        for (int i = LastDrawnFrame + 1; i < CurrentFrame; ++i) ComposeFrame(i);
      } else if (CurrentFrame < LastDrawnFrame) {
        for (int i = 0; i < CurrentFrame; ++i) ComposeFrame(i);
      }
    }
  } else {
    DropComposition();
    FrameBitmap = std::make_unique<TBitmap>(w, h);
    LastParaNo = ItemInfo->ParaNo;
    LastLeft = X;
    LastTop = Y;
    BackgroundColor = clWhite;
    const int itemNo = DocData->GetItemNo(ItemInfo);
    if (gif->GetTransparent() && itemNo >= 0) {
      TRect rect{};
      bool useBitmap = false;
      DocData->GetItemBackground(itemNo, rect, true, BackgroundColor, BackgroundBitmap, useBitmap);
      if (!useBitmap) BackgroundBitmap.reset();
    }
    for (int i = 0; i < CurrentFrame; ++i) ComposeFrame(i);
  }
  ComposeFrame(CurrentFrame);
  LastDrawnFrame = CurrentFrame;
  Canvas.CopyRect(Bounds(X, Y, w, h), FrameBitmap->Canvas(), Bounds(0, 0, w, h));
}

TSize TRVGifImageAnimator::GetExportImageSize() const {
  const TGIFImage* gif = Gif();
  return gif ? TSize{gif->GetWidth(), gif->GetHeight()} : TSize{};
}

void TRVGifImageAnimator::DrawForExport(TCanvas& Canvas) {
  TGIFImage* gif = Gif();
  if (!gif || gif->GetCount() == 0) return;
  Canvas.Brush.Style = bsSolid;
  Canvas.Brush.Color = clWhite;
  Canvas.FillRect(Bounds(0, 0, gif->GetWidth(), gif->GetHeight()));
  TGIFFrame& frame = gif->GetFrame(0);
  // The frame's Draw maps its rectangle into the one given, so a first frame
  // that does not cover the screen is placed by that mapping once more; the
  // usual first frame covers the whole screen and lands where it belongs.
  frame.Draw(Canvas, Rect(frame.Left, frame.Top, frame.Left + frame.Width, frame.Top + frame.Height),
             frame.GetTransparent(), false);
  frame.SetHasBitmap(false);
}

void RV_MakeGifImageAnimator(TCustomRVItemInfo* Item, TCustomRVFormattedData* RVData,
                             std::unique_ptr<TRVAnimator>& Animator) {
  const TGIFImage* gif = GifOf(Item);
  if (!gif || RV_GifFrameCount(*gif) <= 1) {
    RV_MakeBitmapAnimator(Item, RVData, Animator);
    return;
  }
  RV_TakeAnimator<TRVGifImageAnimator>(Item, RVData, Animator);
}

}  // namespace quorix
