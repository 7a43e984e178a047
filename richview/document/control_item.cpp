#include "richview/document/control_item.h"

namespace quorix {

namespace {

TSize ControlSize(const TControl* control) {
  if (!control || !RV_ControlItemHooks.GetSize) return TSize{};
  return RV_ControlItemHooks.GetSize(*control);
}

}  // namespace

TRVControlItemInfo::TRVControlItemInfo(TCustomRVData* RVData) : TRVRectItemInfo(RVData) { StyleNo = rvsControl; }

TRVControlItemInfo::TRVControlItemInfo(TCustomRVData* RVData, TControl* control, TRVVAlign valign)
    : TRVControlItemInfo(RVData) {
  Control = control;
  VAlign = valign;
}

bool TRVControlItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  if (Prop == rvbpValid) return Control != nullptr;
  return TRVRectItemInfo::GetBoolValue(Prop);
}

int TRVControlItemInfo::GetImageWidth(const TRVStyle*) const { return ControlSize(Control).cx; }
int TRVControlItemInfo::GetImageHeight(const TRVStyle*) const { return ControlSize(Control).cy; }

int TRVControlItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TCanvas* Canvas, TCustomRVData* RVData) const {
  if (PercentWidth != 0) return RV_XToDevice(20, sad);
  return TRVRectItemInfo::GetMinWidth(sad, Canvas, RVData);
}

void TRVControlItemInfo::OnDocWidthChange(int DocWidth, TRVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas,
                                          TCustomRVData* RVData, const TRVScreenAndDevice* sad, int& HShift,
                                          int& Desc, bool NoCaching, bool Reformatting) {
  TRVRectItemInfo::OnDocWidthChange(DocWidth, DrawItem, Printing, Canvas, RVData, sad, HShift, Desc, NoCaching,
                                    Reformatting);
  if (Control && PercentWidth >= 1 && PercentWidth <= 100 && RV_ControlItemHooks.SetWidth)
    RV_ControlItemHooks.SetWidth(*Control, IntDiv(DocWidth * PercentWidth, 100));
}

void TRVControlItemInfo::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  if (Control && RV_ControlItemHooks.HasParent && RV_ControlItemHooks.HasParent(*Control) &&
      RV_ControlItemHooks.SetVisible)
    RV_ControlItemHooks.SetVisible(*Control, value);
}

void TRVControlItemInfo::Assign(const TCustomRVItemInfo& Source) {
  if (const auto* src = dynamic_cast<const TRVControlItemInfo*>(&Source)) {
    Resizable = src->Resizable;
    PercentWidth = src->PercentWidth;
    visible_ = src->visible_;
  }
  TRVRectItemInfo::Assign(Source);
}

bool TRVControlItemInfo::SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) {
  switch (Prop) {
    case rvepMinHeightOnPage: MinHeightOnPage = Value; return true;
    case rvepResizable: Resizable = Value != 0; return true;
    case rvepVisible: SetVisible(Value != 0); return true;
    default: return TRVRectItemInfo::SetExtraIntProperty(Prop, Value);
  }
}

bool TRVControlItemInfo::GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const {
  switch (Prop) {
    case rvepMinHeightOnPage: Value = MinHeightOnPage; return true;
    case rvepResizable: Value = Resizable ? 1 : 0; return true;
    case rvepVisible: Value = visible_ ? 1 : 0; return true;
    default: return TRVRectItemInfo::GetExtraIntProperty(Prop, Value);
  }
}

}  // namespace quorix
