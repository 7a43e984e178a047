#pragma once
// TRVCPInfo, a checkpoint: a named position attached to one item. A
// document keeps its checkpoints in one doubly-linked chain in item order.

#include <memory>

#include "platform/text.h"
#include "richview/document/tag.h"

namespace quorix {

class TCustomRVItemInfo;

class TRVCPInfo {
 public:
  // A copy of the name, the flags and the tag (a new string for a string tag);
  // the copy is in no chain and belongs to no item.
  std::unique_ptr<TRVCPInfo> CreateCopy() const;

  UnicodeString Name;
  TRVCPInfo* Next = nullptr;
  TRVCPInfo* Prev = nullptr;
  bool RaiseEvent = false;
  bool Persistent = false;  // the further flag, copied with the rest
  TCustomRVItemInfo* ItemInfo = nullptr;
  int ItemNo = -1;  // cached item number
  TRVTag Tag;
};

inline std::unique_ptr<TRVCPInfo> TRVCPInfo::CreateCopy() const {
  auto copy = std::make_unique<TRVCPInfo>();
  copy->Name = Name;
  copy->RaiseEvent = RaiseEvent;
  copy->Persistent = Persistent;
  copy->Tag = Tag.Clone();
  return copy;
}

}  // namespace quorix
