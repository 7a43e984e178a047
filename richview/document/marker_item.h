#pragma once
// TRVMarkerItemInfo, the marker of a list paragraph. Lists are outside this
// library's scope; the class exists so that documents recognise markers.

#include "richview/document/picture_items.h"

namespace quorix {

class TRVMarkerItemInfo : public TRVRectItemInfo {
 public:
  explicit TRVMarkerItemInfo(TCustomRVData* RVData) : TRVRectItemInfo(RVData) { StyleNo = rvsListMarker; }
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVMarkerItemInfo>; }
};

}  // namespace quorix
