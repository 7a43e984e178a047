#pragma once
// TRVTextItemInfo, an item of text in one text style, and the class
// reference new text items are made from.

#include "richview/document/item_info.h"

namespace quorix {

class TRVTextItemInfo : public TCustomRVItemInfo {
 public:
  using TCustomRVItemInfo::TCustomRVItemInfo;
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVTextItemInfo>; }

  // Jump, focus and XOR focus follow the text style's Jump flag; a hot-cold
  // jump is a jump whose style looks different while hovered.
  bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const override;
  void Execute(TCustomRVData* RVData) override;
};

// The class of every text item added from now on (initially TRVTextItemInfo).
extern TRVItemInfoClass RichViewTextItemClass;

}  // namespace quorix
