#include "richview/document/item_info.h"

#include <typeinfo>

#include "richview/document/rv_data.h"
#include "richview/styles/rv_style.h"

namespace quorix {

TCustomRVItemInfo::TCustomRVItemInfo(TCustomRVData*) {}

TCustomRVItemInfo::~TCustomRVItemInfo() = default;

void TCustomRVItemInfo::SetSameAsPrev(bool value) {
  if (value) {
    ItemOptions.Exclude(rvioPageBreakBefore).Exclude(rvioBR).Include(rvioSameAsPrev);
  } else {
    ItemOptions.Exclude(rvioSameAsPrev);
  }
}

void TCustomRVItemInfo::SetBR(bool value) {
  if (value && !GetBoolValue(rvbpFullWidth)) {
    ItemOptions.Exclude(rvioSameAsPrev).Include(rvioBR);
  } else {
    ItemOptions.Exclude(rvioBR);
  }
}

void TCustomRVItemInfo::SetPageBreakBefore(bool value) {
  if (value) {
    ItemOptions.Exclude(rvioSameAsPrev).Exclude(rvioBR).Include(rvioPageBreakBefore);
  } else {
    ItemOptions.Exclude(rvioPageBreakBefore);
  }
}

bool TCustomRVItemInfo::ParaStart(bool CountBR) const {
  if (ItemOptions.Contains(rvioSameAsPrev)) return false;
  return CountBR || !ItemOptions.Contains(rvioBR);
}

bool TCustomRVItemInfo::CanBeBorderStart() const {
  return !ItemOptions.Contains(rvioSameAsPrev) && !ItemOptions.Contains(rvioBR);
}

int TCustomRVItemInfo::GetActualStyleNo(const TRVStyle* RVStyle) const {
  if (StyleNo != rvsDefStyle) return StyleNo;
  if (!RVStyle) return 0;
  const int def = RVStyle->ParaStyles[ParaNo].DefStyleNo;
  return def >= 0 ? def : 0;
}

int TCustomRVItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TCanvas*, TCustomRVData*) const {
  return RV_XToDevice(20, sad);
}

bool TCustomRVItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  return Prop == rvbpValid || Prop == rvbpRequiresRVFLines || Prop == rvbpSwitchToAssStyleNo;
}

bool TCustomRVItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle*) const {
  return Prop == rvbpPrintToBMP;
}

void TCustomRVItemInfo::PaintFullWidth(int, int, int, TCanvas&, TRVItemDrawStates, const TRVStyle&, const TRect&,
                                       TRVDrawLineInfo*) {}

void TCustomRVItemInfo::Paint(int, int, TCanvas&, TRVItemDrawStates, const TRVStyle&, TRVDrawLineInfo*) {}

bool TCustomRVItemInfo::PrintToBitmap(TBitmap&, bool, const TRVStyle&) const { return false; }

void TCustomRVItemInfo::Print(TCanvas&, int, int, int, bool, bool, const TRVScreenAndDevice&, const TRVStyle&,
                              TRVDrawLineInfo*) {}

int TCustomRVItemInfo::GetImageWidth(const TRVStyle*) const { return 0; }
int TCustomRVItemInfo::GetImageHeight(const TRVStyle*) const { return 0; }

void TCustomRVItemInfo::Inserting(TCustomRVData* RVData, TRVRawByteString& Text, bool) {
  if (RVData) RVData->ItemAction(rviaInserting, this, Text, RVData);
}

void TCustomRVItemInfo::Inserted(TCustomRVData* RVData, int) {
  if (!RVData) return;
  UpdateAnimator(RVData);
  TRVRawByteString empty;
  RVData->ItemAction(rviaInserted, this, empty, RVData);
}

void TCustomRVItemInfo::OnDocWidthChange(int, TRVDrawLineInfo*, bool, TCanvas*, TCustomRVData*,
                                         const TRVScreenAndDevice*, int& HShift, int& Desc, bool, bool) {
  HShift = 0;
  Desc = 1;
}

void TCustomRVItemInfo::Assign(const TCustomRVItemInfo& Source) {
  if (typeid(*this) == typeid(Source)) StyleNo = Source.StyleNo;
  ParaNo = Source.ParaNo;
  ItemOptions = Source.ItemOptions;
  Hint = Source.Hint;
}

void TCustomRVItemInfo::TransferProperties(TCustomRVItemInfo&, TCustomRVData*) {}

void TCustomRVItemInfo::UpdatePaletteInfo(TRVPaletteAction, bool, HPALETTE, const TRVLogPalette*) {}

void TCustomRVItemInfo::MovingToUndoList(int, TCustomRVData*) {}
void TCustomRVItemInfo::MovingFromUndoList(int, TCustomRVData*) {}

bool TCustomRVItemInfo::MouseMove(TShiftState, int, int, int ItemNo, TCustomRVData* RVData) {
  if (RVData && RVData->GetOptions().Contains(rvoShowItemHints)) {
    const UnicodeString hint = RVData->GetAbsoluteRootData()->GetItemHint(RVData, ItemNo, UnicodeString());
    RVData->SetControlHint(hint);
  }
  return false;
}

bool TCustomRVItemInfo::MouseDown(TMouseButton, TShiftState, int, int, int, TCustomRVData*) { return false; }
bool TCustomRVItemInfo::MouseUp(TMouseButton, TShiftState, int, int, int, TCustomRVData*) { return false; }
void TCustomRVItemInfo::KeyDown(int, TShiftState) {}

TCursor TCustomRVItemInfo::GetHypertextCursor(const TRVStyle& RVStyle) const { return RVStyle.JumpCursor; }

void TCustomRVItemInfo::Execute(TCustomRVData*) {}

bool TCustomRVItemInfo::SetExtraIntProperty(TRVExtraItemProperty, int) { return false; }
bool TCustomRVItemInfo::GetExtraIntProperty(TRVExtraItemProperty, int&) const { return false; }

bool TCustomRVItemInfo::SetExtraStrProperty(TRVExtraItemStrProperty Prop, const UnicodeString& Value) {
  if (Prop != rvespHint) return false;
  Hint = Value;
  return true;
}

bool TCustomRVItemInfo::GetExtraStrProperty(TRVExtraItemStrProperty Prop, UnicodeString& Value) const {
  if (Prop != rvespHint) return false;
  Value = Hint;
  return true;
}

void TCustomRVItemInfo::UpdateAnimator(TCustomRVData*) {}

// ---------------------------------------------------------------- non-text bases

void TRVNonTextItemInfo::AdjustInserted(int, int, bool) {}

void TRVNonTextItemInfo::Assign(const TCustomRVItemInfo& Source) {
  if (const auto* src = dynamic_cast<const TRVNonTextItemInfo*>(&Source)) DeleteProtect = src->DeleteProtect;
  TCustomRVItemInfo::Assign(Source);
}

bool TRVNonTextItemInfo::SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) {
  if (Prop != rvepDeleteProtect) return TCustomRVItemInfo::SetExtraIntProperty(Prop, Value);
  DeleteProtect = Value != 0;
  return true;
}

bool TRVNonTextItemInfo::GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const {
  if (Prop != rvepDeleteProtect) return TCustomRVItemInfo::GetExtraIntProperty(Prop, Value);
  Value = DeleteProtect ? 1 : 0;
  return true;
}

bool TRVFullLineItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  return Prop == rvbpFullWidth || TRVNonTextItemInfo::GetBoolValue(Prop);
}

}  // namespace quorix
