#include "richview/document/item_list.h"

#include <algorithm>

namespace quorix {

void TRVItemList::AddObject(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  if (Item) Item->Text = Text;
  items_.push_back(std::move(Item));
}

void TRVItemList::InsertObject(int Index, const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  if (Index < 0 || Index > Count()) throw EListError(Index);
  if (Item) Item->Text = Text;
  items_.insert(items_.begin() + Index, std::move(Item));
}

int TRVItemList::IndexOfObject(const TCustomRVItemInfo* Item) const {
  if (!Item) return -1;
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<std::size_t>(i)].get() == Item) return i;
  return -1;
}

const TRVRawByteString& TRVItemList::GetItem(int Index) const {
  static const TRVRawByteString kNoText;  // an emptied entry has no text
  const TCustomRVItemInfo* item = GetObject(Index);
  return item ? item->Text : kNoText;
}

void TRVItemList::SetItem(int Index, const TRVRawByteString& Text) {
  if (TCustomRVItemInfo* item = GetObject(Index)) item->Text = Text;
}

TCustomRVItemInfo* TRVItemList::GetObject(int Index) const {
  Check(Index);
  return items_[static_cast<std::size_t>(Index)].get();
}

std::unique_ptr<TCustomRVItemInfo> TRVItemList::SetObject(int Index, std::unique_ptr<TCustomRVItemInfo> Item) {
  Check(Index);
  std::swap(items_[static_cast<std::size_t>(Index)], Item);
  return Item;
}

std::unique_ptr<TCustomRVItemInfo> TRVItemList::ReleaseObject(int Index) {
  Check(Index);
  return std::move(items_[static_cast<std::size_t>(Index)]);
}

void TRVItemList::Delete(int Index) {
  Check(Index);
  items_.erase(items_.begin() + Index);
}

void TRVItemList::DeleteRange(int Index, int Count) {
  if (Count <= 0) return;
  Check(Index);
  Check(Index + Count - 1);
  items_.erase(items_.begin() + Index, items_.begin() + Index + Count);
}

}  // namespace quorix
