#pragma once
// TRVTabItemInfo, a placeholder for a tab character: its width comes from the
// paragraph's next tab stop, which the layout computes.

#include "richview/document/picture_items.h"

namespace quorix {

class TRVTabItemInfo : public TRVRectItemInfo {
 public:
  explicit TRVTabItemInfo(TCustomRVData* RVData) : TRVRectItemInfo(RVData) {
    StyleNo = rvsTab;
  }
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVTabItemInfo>; }

  int GetAssociatedTextStyleNo() const override { return TextStyleNo; }
  void SetAssociatedTextStyleNo(int value) override { TextStyleNo = value; }
  bool GetBoolValue(TRVItemBoolProperty Prop) const override {
    return Prop == rvbpDrawingChangesFont || Prop == rvbpAlwaysInText || Prop == rvbpSwitchToAssStyleNo ||
           TRVRectItemInfo::GetBoolValue(Prop);
  }
  int GetImageWidth(const TRVStyle*) const override { return TabWidth; }
  void Assign(const TCustomRVItemInfo& Source) override {
    if (const auto* src = dynamic_cast<const TRVTabItemInfo*>(&Source)) {
      TextStyleNo = src->TextStyleNo;
      TabWidth = src->TabWidth;
    }
    TRVRectItemInfo::Assign(Source);
  }

  int TextStyleNo = 0;
  int TabWidth = 0;  // set by the tab layout
};

}  // namespace quorix
