#pragma once
// TRVItemList, a document's items in document order. Each entry holds one
// item; an entry is empty once its item has been freed and until the entry
// itself is removed. Indexing outside the list raises the list error.

#include <memory>
#include <vector>

#include "platform/errors.h"
#include "richview/document/item_info.h"

namespace quorix {

class TRVItemList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }

  // Sets the item's text and appends (inserts) it; the list keeps it.
  void AddObject(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  void InsertObject(int Index, const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  int IndexOfObject(const TCustomRVItemInfo* Item) const;
  // The text of the item at Index (empty for an emptied entry).
  const TRVRawByteString& GetItem(int Index) const;
  void SetItem(int Index, const TRVRawByteString& Text);
  // The item at Index (nullptr for an emptied entry).
  TCustomRVItemInfo* GetObject(int Index) const;
  // Puts Item into the entry; the item that was there is handed back.
  std::unique_ptr<TCustomRVItemInfo> SetObject(int Index, std::unique_ptr<TCustomRVItemInfo> Item);
  // Takes the item out of the entry, which stays, empty.
  std::unique_ptr<TCustomRVItemInfo> ReleaseObject(int Index);
  // Removes entries; their items (if any) go with them.
  void Delete(int Index);
  void DeleteRange(int Index, int Count);
  void Clear() { items_.clear(); }

 private:
  void Check(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Index);
  }
  std::vector<std::unique_ptr<TCustomRVItemInfo>> items_;
};

}  // namespace quorix
