#include "richview/styles/para_info.h"

#include <utility>

#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

const TRVParaInfoProperties kAllParaProperties =
    TRVParaInfoProperties::FromMask((1ull << static_cast<int>(rvpiCount_)) - 1);

}  // namespace

TCustomRVParaInfo::TCustomRVParaInfo(TParaInfos* collection) : collection_(collection) {
  StyleName = u"Paragraph Style";
}

void TCustomRVParaInfo::Assign(const TCustomRVInfo& source) {
  if (const auto* src = dynamic_cast<const TCustomRVParaInfo*>(&source)) {
    FirstIndent = src->FirstIndent;
    LeftIndent = src->LeftIndent;
    RightIndent = src->RightIndent;
    SpaceBefore = src->SpaceBefore;
    SpaceAfter = src->SpaceAfter;
    Alignment = src->Alignment;
    LineSpacing = src->LineSpacing;
    LineSpacingType = src->LineSpacingType;
    Options = src->Options;
    BiDiMode = src->BiDiMode;
    Border.Assign(src->Border);
    Background.Assign(src->Background);
    Tabs.Assign(src->Tabs);
  }
  TCustomRVInfo::Assign(source);
}

bool TCustomRVParaInfo::ExtraLineSpacing() const {
  return LineSpacingType == rvlsPercent ? LineSpacing != 100 : LineSpacing > 0;
}

int TCustomRVParaInfo::GetIndex() const {
  return collection_ ? collection_->IndexOf(dynamic_cast<const TParaInfo*>(this)) : -1;
}

bool TCustomRVParaInfo::IsEqual(const TCustomRVParaInfo& v, const TRVParaInfoProperties& ignore) const {
  const std::pair<TRVParaInfoProperty, bool> checks[] = {
      {rvpiFirstIndent, FirstIndent == v.FirstIndent},
      {rvpiLeftIndent, LeftIndent == v.LeftIndent},
      {rvpiRightIndent, RightIndent == v.RightIndent},
      {rvpiSpaceBefore, SpaceBefore == v.SpaceBefore},
      {rvpiSpaceAfter, SpaceAfter == v.SpaceAfter},
      {rvpiAlignment, Alignment == v.Alignment},
      {rvpiLineSpacing, LineSpacing == v.LineSpacing},
      {rvpiLineSpacingType, LineSpacingType == v.LineSpacingType},
      {rvpiBackground, Background.IsEqual(v.Background)},
      {rvpiBorder, Border.IsEqual(v.Border)},
      {rvpiNoWrap, Options.Contains(rvpaoNoWrap) == v.Options.Contains(rvpaoNoWrap)},
      {rvpiReadOnly, Options.Contains(rvpaoReadOnly) == v.Options.Contains(rvpaoReadOnly)},
      {rvpiStyleProtect, Options.Contains(rvpaoStyleProtect) == v.Options.Contains(rvpaoStyleProtect)},
      {rvpiDoNotWantReturns, Options.Contains(rvpaoDoNotWantReturns) == v.Options.Contains(rvpaoDoNotWantReturns)},
      {rvpiKeepLinesTogether,
       Options.Contains(rvpaoKeepLinesTogether) == v.Options.Contains(rvpaoKeepLinesTogether)},
      {rvpiKeepWithNext, Options.Contains(rvpaoKeepWithNext) == v.Options.Contains(rvpaoKeepWithNext)},
      {rvpiWidowOrphanControl,
       Options.Contains(rvpaoWidowOrphanControl) == v.Options.Contains(rvpaoWidowOrphanControl)},
      {rvpiBiDiMode, BiDiMode == v.BiDiMode},
      {rvpiTabs, Tabs.IsEqual(v.Tabs)},
  };
  for (const auto& [property, same] : checks)
    if (!same && !ignore.Contains(property)) return false;
  return true;
}

void TParaInfo::Assign(const TCustomRVInfo& source) {
  if (const auto* src = dynamic_cast<const TParaInfo*>(&source)) {
    NextParaNo = src->NextParaNo;
    DefStyleNo = src->DefStyleNo;
    ModifiedProperties1 = src->ModifiedProperties1;
    ModifiedProperties2 = src->ModifiedProperties2;
  }
  TCustomRVParaInfo::Assign(source);
}

bool TParaInfo::IsEqual(const TCustomRVParaInfo& v, const TRVParaInfoProperties& ignore) const {
  if (!TCustomRVParaInfo::IsEqual(v, ignore)) return false;
  if (const auto* p = dynamic_cast<const TParaInfo*>(&v)) {
    if (NextParaNo != p->NextParaNo && !ignore.Contains(rvpiNextParaNo)) return false;
    if (DefStyleNo != p->DefStyleNo && !ignore.Contains(rvpiDefStyleNo)) return false;
  }
  return true;
}

std::unique_ptr<TParaInfo> TParaInfos::NewStyle() {
  if (owner_) return owner_->GetParaStyleClass()(this);
  return std::make_unique<TParaInfo>(this);
}

TParaInfo& TParaInfos::Add() { return Append(NewStyle()); }

TParaInfo& TParaInfos::GetItem(int Index) const {
  if (Index < 0 || Index >= Count()) return GetInvalidItem();
  return Items(Index);
}

void TParaInfos::SetItem(int Index, const TParaInfo& Value) { Items(Index).Assign(Value); }

TParaInfo& TParaInfos::GetInvalidItem() const {
  if (!invalid_) {
    auto* self = const_cast<TParaInfos*>(this);  // made on first use, as part of reading
    invalid_ = self->NewStyle();
    if (Count() > 0) invalid_->Assign(Items(0));
    invalid_->SpaceBefore = 1;
    invalid_->SpaceAfter = 1;
    invalid_->LeftIndent = 1;
    invalid_->RightIndent = 1;
    invalid_->Border.Color = clRed;
    invalid_->Border.Style = rvbSingle;
    invalid_->Border.Width = 2;
    invalid_->Border.BorderOffsets.SetAll(1);
  }
  return *invalid_;
}

void TParaInfos::SetInvalidItem(const TParaInfo& Value) { GetInvalidItem().Assign(Value); }

int TParaInfos::FindSuchStyle(int BaseStyle, const TParaInfo& Style, const TRVParaInfoProperties& Mask) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  const TRVParaInfoProperties others = kAllParaProperties - Mask;
  const TParaInfo& base = Items(BaseStyle);
  if (base.IsEqual(Style, others)) return BaseStyle;
  for (int i = 0; i < Count(); ++i) {
    if (i == BaseStyle) continue;
    const TParaInfo& candidate = Items(i);
    if (candidate.IsEqual(Style, others) && candidate.IsEqual(base, Mask)) return i;
  }
  return -1;
}

int TParaInfos::FindStyleWithAlignment(int BaseStyle, TRVAlignment Alignment) const {
  if (BaseStyle < 0 || BaseStyle >= Count()) return -1;
  TParaInfo wanted;
  wanted.Assign(Items(BaseStyle));
  wanted.Alignment = Alignment;
  return FindSuchStyle(BaseStyle, wanted, TRVParaInfoProperties{rvpiAlignment});
}

}  // namespace quorix
