#include "richview/document/text_item.h"

#include "richview/document/rv_data.h"
#include "richview/styles/rv_style.h"

namespace quorix {

TRVItemInfoClass RichViewTextItemClass = &RVCreateItemOfClass<TRVTextItemInfo>;

bool TRVTextItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  switch (Prop) {
    case rvbpJump:
    case rvbpAllowsFocus:
    case rvbpXORFocus:
      return RVStyle && RVStyle->TextStyles[GetActualStyleNo(RVStyle)].Jump;
    case rvbpHotColdJump: {
      if (!RVStyle) return false;
      const int style = GetActualStyleNo(RVStyle);
      return RVStyle->TextStyles[style].Jump && RVStyle->StyleHoverSensitive(style);
    }
    default:
      return TCustomRVItemInfo::GetBoolValueEx(Prop, RVStyle);
  }
}

void TRVTextItemInfo::Execute(TCustomRVData* RVData) {
  if (RVData && RVData->AsFormattedData() && GetBoolValueEx(rvbpJump, RVData->GetRVStyle()))
    RVData->DoJump(RVData->FirstJumpNo + JumpIndex);
}

}  // namespace quorix
