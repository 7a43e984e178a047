#pragma once
// Image-list pictures: TRVBulletItemInfo draws one image of an image list;
// TRVHotspotItemInfo is a bullet that acts as a hyperlink, with an image of
// its own for the hovered state.

#include "platform/image_list.h"
#include "richview/document/picture_items.h"

namespace quorix {

class TRVBulletItemInfo : public TRVRectItemInfo {
 public:
  explicit TRVBulletItemInfo(TCustomRVData* RVData);
  // The image list is referred to, not owned.
  TRVBulletItemInfo(TCustomRVData* RVData, int ImageIndex, TCustomImageList* ImageList, TRVVAlign VAlign);
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVBulletItemInfo>; }

  virtual int GetImageIndex(bool /*Hot*/) const { return ImageIndex; }

  bool GetBoolValue(TRVItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const override;
  int GetImageWidth(const TRVStyle* RVStyle) const override;
  int GetImageHeight(const TRVStyle* RVStyle) const override;
  void Paint(int x, int y, TCanvas& Canvas, TRVItemDrawStates State, const TRVStyle& RVStyle,
             TRVDrawLineInfo* DrawItem) override;
  void Assign(const TCustomRVItemInfo& Source) override;
  bool SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) override;
  bool GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const override;
  bool SetExtraStrProperty(TRVExtraItemStrProperty Prop, const UnicodeString& Value) override;
  bool GetExtraStrProperty(TRVExtraItemStrProperty Prop, UnicodeString& Value) const override;

  TCustomImageList* ImageList = nullptr;
  int ImageIndex = 0;
  bool NoHTMLImageSize = false;
  UnicodeString Alt;
};

class TRVHotspotItemInfo : public TRVBulletItemInfo {
 public:
  explicit TRVHotspotItemInfo(TCustomRVData* RVData);
  TRVHotspotItemInfo(TCustomRVData* RVData, int ImageIndex, int HotImageIndex, TCustomImageList* ImageList,
                     TRVVAlign VAlign);
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVHotspotItemInfo>; }

  int GetImageIndex(bool Hot) const override { return Hot ? HotImageIndex : ImageIndex; }
  bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const override;
  void Execute(TCustomRVData* RVData) override;
  void Assign(const TCustomRVItemInfo& Source) override;

  int HotImageIndex = 0;
};

}  // namespace quorix
