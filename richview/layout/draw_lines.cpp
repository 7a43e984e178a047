#include "richview/layout/draw_lines.h"

#include <algorithm>

#include "richview/document/item_info.h"

namespace quorix {

TRVDrawLineInfoClass GetStandardDrawLineInfoClass(const TCustomRVItemInfo& Item, const TCustomRVParaInfo& Para) {
  const bool plain = Para.LineSpacingType == rvlsPercent ? Para.LineSpacing == 100
                     : Para.LineSpacingType == rvlsSpaceBetween ? Para.LineSpacing == 0
                                                               : false;
  if (plain) {
    if (Para.Alignment == rvaJustify || Item.StyleNo == rvsListMarker)
      return &RVCreateDrawLineInfo<TRVJustifyDrawLineInfo>;
    return &RVCreateDrawLineInfo<TRVDrawLineInfo>;
  }
  if (Para.LineSpacingType == rvlsPercent || Para.LineSpacingType == rvlsSpaceBetween)
    return &RVCreateDrawLineInfo<TRVSimpleLineHeightDrawLineInfo>;
  return &RVCreateDrawLineInfo<TRVComplexLineHeightDrawLineInfo>;
}

void TRVDrawLines::Insert(int Index, std::unique_ptr<TRVDrawLineInfo> Obj) {
  if (DeletedCount > 0) {
    items_[Check(Index)] = std::move(Obj);
    ++DeletedStart;
    --DeletedCount;
    return;
  }
  if (Index < 0 || Index > Count()) throw EListError(Index);
  items_.insert(items_.begin() + Index, std::move(Obj));
}

void TRVDrawLines::Delete(int Index) {
  items_[Check(Index)].reset();
  if (DeletedCount > 0) {
    --DeletedStart;
    ++DeletedCount;
    return;
  }
  items_.erase(items_.begin() + Index);
}

void TRVDrawLines::MarkForDelete(int First, int Last) {
  for (int i = First; i <= Last; ++i) items_[Check(i)].reset();
  DeletedStart = First;
  DeletedCount = Last - First + 1;
}

void TRVDrawLines::DeleteMarked() {
  if (DeletedCount > 0) {
    Check(DeletedStart);
    Check(DeletedStart + DeletedCount - 1);
    items_.erase(items_.begin() + DeletedStart, items_.begin() + DeletedStart + DeletedCount);
  }
  DeletedCount = 0;
}

void TRVDrawLines::DeleteRange(int First, int Last) {
  if (Last < First) return;
  Check(First);
  Check(Last);
  items_.erase(items_.begin() + First, items_.begin() + Last + 1);
}

void TRVDrawLines::Clear() {
  items_.clear();
  DeletedStart = -1;
  DeletedCount = 0;
}

TRVRawByteString TRVDrawLines::GetSubString(int No, const TRVItemList& Items, int Count, int From) const {
  const TRVDrawLineInfo* d = (*this)[No];
  if (!d || d->Length <= 0) return TRVRawByteString();
  const TCustomRVItemInfo* item = Items.GetObject(d->ItemNo);
  const std::size_t unit = item && item->ItemOptions.Contains(rvioUnicode) ? 2 : 1;
  From = std::max(From, 1);
  Count = std::min(Count, d->Length - From + 1);
  if (Count <= 0) return TRVRawByteString();
  const TRVRawByteString& text = Items.GetItem(d->ItemNo);
  const std::size_t start = static_cast<std::size_t>(d->Offs - 1 + From - 1) * unit;
  if (start >= text.size()) return TRVRawByteString();
  return text.substr(start, static_cast<std::size_t>(Count) * unit);
}

TRVRawByteString TRVDrawLines::GetString(int No, const TRVItemList& Items) const {
  const TRVDrawLineInfo* d = (*this)[No];
  return d ? GetSubString(No, Items, d->Length, 1) : TRVRawByteString();
}

TRVRawByteString TRVDrawLines::GetRightString(int No, const TRVItemList& Items, int From) const {
  const TRVDrawLineInfo* d = (*this)[No];
  return d ? GetSubString(No, Items, d->Length - std::max(From, 1) + 1, From) : TRVRawByteString();
}

}  // namespace quorix
