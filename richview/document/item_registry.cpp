#include "richview/document/item_registry.h"

#include <vector>

#include "richview/document/break_item.h"
#include "richview/document/bullet_items.h"
#include "richview/document/control_item.h"
#include "richview/document/marker_item.h"
#include "richview/document/picture_items.h"
#include "richview/document/rv_error.h"
#include "richview/document/tab_item.h"
#include "richview/document/text_item.h"

namespace quorix {

namespace {

std::vector<TRichViewItemTypeInfo>& Registry() {
  static std::vector<TRichViewItemTypeInfo> registry;
  return registry;
}

TRVItemInfoClass BuiltInClass(int StyleNo) {
  switch (StyleNo) {
    case rvsBreak: return &RVCreateItemOfClass<TRVBreakItemInfo>;
    case rvsPicture: return &RVCreateItemOfClass<TRVGraphicItemInfo>;
    case rvsHotspot: return &RVCreateItemOfClass<TRVHotspotItemInfo>;
    case rvsControl: return &RVCreateItemOfClass<TRVControlItemInfo>;
    case rvsBullet: return &RVCreateItemOfClass<TRVBulletItemInfo>;
    case rvsHotPicture: return &RVCreateItemOfClass<TRVHotGraphicItemInfo>;
    case rvsListMarker: return &RVCreateItemOfClass<TRVMarkerItemInfo>;
    case rvsTab: return &RVCreateItemOfClass<TRVTabItemInfo>;
    default: return nullptr;
  }
}

}  // namespace

void RegisterRichViewItemClass(int StyleNo, TRVItemInfoClass ItemClass) {
  if (StyleNo >= -9) throw ERichViewError(errRVTypesMismatch);
  for (const auto& entry : Registry()) {
    if (entry.StyleNo != StyleNo) continue;
    if (entry.ItemClass == ItemClass) return;
    throw ERichViewError(errRVTypesMismatch);
  }
  Registry().push_back(TRichViewItemTypeInfo{StyleNo, ItemClass});
}

std::unique_ptr<TCustomRVItemInfo> CreateRichViewItem(int StyleNo, TCustomRVData* RVData) {
  TRVItemInfoClass itemClass = StyleNo >= 0 ? RichViewTextItemClass : BuiltInClass(StyleNo);
  if (!itemClass) {
    for (const auto& entry : Registry())
      if (entry.StyleNo == StyleNo) itemClass = entry.ItemClass;
  }
  if (!itemClass) return nullptr;
  auto item = itemClass(RVData);
  item->StyleNo = StyleNo;
  return item;
}

std::unique_ptr<TCustomRVItemInfo> RV_DuplicateItem(const TCustomRVItemInfo& Source, TCustomRVData* RVData,
                                                    bool DuplicateCheckpoint) {
  auto item = Source.ClassType()(RVData);
  item->StyleNo = Source.StyleNo;
  item->Assign(Source);
  if (DuplicateCheckpoint && Source.Checkpoint) item->Checkpoint = Source.Checkpoint->CreateCopy();
  item->Tag = Source.Tag.Clone();
  return item;
}

}  // namespace quorix
