#include "richview/document/bullet_items.h"

#include "richview/document/rv_data.h"
#include "richview/styles/rv_style.h"

namespace quorix {

TRVBulletItemInfo::TRVBulletItemInfo(TCustomRVData* RVData) : TRVRectItemInfo(RVData) { StyleNo = rvsBullet; }

TRVBulletItemInfo::TRVBulletItemInfo(TCustomRVData* RVData, int imageIndex, TCustomImageList* imageList,
                                     TRVVAlign valign)
    : TRVBulletItemInfo(RVData) {
  ImageIndex = imageIndex;
  ImageList = imageList;
  VAlign = valign;
}

bool TRVBulletItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  if (Prop == rvbpValid) return ImageList != nullptr;
  return TRVRectItemInfo::GetBoolValue(Prop);
}

bool TRVBulletItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  if (Prop == rvbpDisplayActiveState) return true;
  return TRVRectItemInfo::GetBoolValueEx(Prop, RVStyle);
}

int TRVBulletItemInfo::GetImageWidth(const TRVStyle*) const { return ImageList ? ImageList->GetWidth() : 0; }
int TRVBulletItemInfo::GetImageHeight(const TRVStyle*) const { return ImageList ? ImageList->GetHeight() : 0; }

void TRVBulletItemInfo::Paint(int x, int y, TCanvas& Canvas, TRVItemDrawStates State, const TRVStyle& RVStyle,
                              TRVDrawLineInfo*) {
  if (!ImageList) return;
  const int w = ImageList->GetWidth();
  const int h = ImageList->GetHeight();
  x += Spacing;
  y += Spacing;
  ImageList->Draw(Canvas, x, y, GetImageIndex(State.Contains(rvidsHover)));
  // The frames are a picture's.
  PaintStateFrames(Canvas, x, y, w, h, State, RVStyle);
}

void TRVBulletItemInfo::Assign(const TCustomRVItemInfo& Source) {
  if (const auto* src = dynamic_cast<const TRVBulletItemInfo*>(&Source)) {
    ImageList = src->ImageList;
    ImageIndex = src->ImageIndex;
    NoHTMLImageSize = src->NoHTMLImageSize;
    Alt = src->Alt;
  }
  TRVRectItemInfo::Assign(Source);
}

bool TRVBulletItemInfo::SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) {
  if (Prop != rvepNoHTMLImageSize) return TRVRectItemInfo::SetExtraIntProperty(Prop, Value);
  NoHTMLImageSize = Value != 0;
  return true;
}

bool TRVBulletItemInfo::GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const {
  if (Prop != rvepNoHTMLImageSize) return TRVRectItemInfo::GetExtraIntProperty(Prop, Value);
  Value = NoHTMLImageSize ? 1 : 0;
  return true;
}

bool TRVBulletItemInfo::SetExtraStrProperty(TRVExtraItemStrProperty Prop, const UnicodeString& Value) {
  if (Prop != rvespAlt) return TRVRectItemInfo::SetExtraStrProperty(Prop, Value);
  Alt = Value;
  return true;
}

bool TRVBulletItemInfo::GetExtraStrProperty(TRVExtraItemStrProperty Prop, UnicodeString& Value) const {
  if (Prop != rvespAlt) return TRVRectItemInfo::GetExtraStrProperty(Prop, Value);
  Value = Alt;
  return true;
}

TRVHotspotItemInfo::TRVHotspotItemInfo(TCustomRVData* RVData) : TRVBulletItemInfo(RVData) { StyleNo = rvsHotspot; }

TRVHotspotItemInfo::TRVHotspotItemInfo(TCustomRVData* RVData, int imageIndex, int hotImageIndex,
                                       TCustomImageList* imageList, TRVVAlign valign)
    : TRVBulletItemInfo(RVData, imageIndex, imageList, valign) {
  StyleNo = rvsHotspot;
  HotImageIndex = hotImageIndex;
}

bool TRVHotspotItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  switch (Prop) {
    case rvbpJump:
    case rvbpAllowsFocus:
    case rvbpXORFocus: return true;
    case rvbpHotColdJump: return HotImageIndex != ImageIndex;
    default: return TRVBulletItemInfo::GetBoolValueEx(Prop, RVStyle);
  }
}

void TRVHotspotItemInfo::Execute(TCustomRVData* RVData) {
  if (RVData && RVData->AsFormattedData()) RVData->DoJump(RVData->FirstJumpNo + JumpIndex);
}

void TRVHotspotItemInfo::Assign(const TCustomRVItemInfo& Source) {
  if (const auto* src = dynamic_cast<const TRVHotspotItemInfo*>(&Source)) HotImageIndex = src->HotImageIndex;
  TRVBulletItemInfo::Assign(Source);
}

}  // namespace quorix
