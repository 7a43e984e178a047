#pragma once
// List styles. Lists and their markers are outside this library's scope; the
// style sheet keeps an (empty) collection so descendants and stored sheets
// have a place for them.

#include <memory>

#include "richview/styles/collection.h"
#include "richview/styles/custom_info.h"

namespace quorix {

class TRVListInfos;

class TRVListInfo : public TCustomRVInfo {
 public:
  explicit TRVListInfo(TRVListInfos* collection = nullptr) : collection_(collection) { StyleName = u"List Style"; }
  TRVListInfos* GetCollection() const { return collection_; }

 private:
  TRVListInfos* collection_ = nullptr;
};

using TRVListInfoClass = std::unique_ptr<TRVListInfo> (*)(TRVListInfos* collection);

class TRVListInfos : public TRVCollection<TRVListInfo> {
 public:
  TRVListInfo& Add() { return Append(std::make_unique<TRVListInfo>(this)); }
};

}  // namespace quorix
