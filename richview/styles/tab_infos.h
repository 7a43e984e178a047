#pragma once
// A paragraph's tab stops, kept in ascending order of position.

#include <vector>

#include "platform/text.h"
#include "richview/styles/collection.h"
#include "richview/styles/style_types.h"

namespace quorix {

class TRVTabInfos;

class TRVTabInfo {
 public:
  explicit TRVTabInfo(TRVTabInfos* collection = nullptr) : collection_(collection) {}

  void Assign(const TRVTabInfo& source);
  bool IsEqual(const TRVTabInfo& value) const {
    return Align == value.Align && position_ == value.position_ && Leader == value.Leader;
  }

  int GetPosition() const { return position_; }
  // Moves the stop; the collection re-sorts so its stops stay in order.
  void SetPosition(int value);
  TRVTabInfos* GetCollection() const { return collection_; }

  TRVTabAlign Align = rvtaLeft;
  UnicodeString Leader;  // drawn to fill the tab; stored only when not empty

 private:
  TRVTabInfos* collection_ = nullptr;
  int position_ = 0;
};

class TRVTabInfos : public TRVCollection<TRVTabInfo> {
 public:
  TRVTabInfos() = default;

  // Appends a stop at position 0 (re-sorted once its position is set).
  TRVTabInfo& Add();
  // Adds a stop and puts it in its place.
  TRVTabInfo& Add(int position, TRVTabAlign align = rvtaLeft, const UnicodeString& leader = {});
  // Index of the stop at position, -1 when there is none.
  int Find(int position) const;
  // Stable sort by ascending position.
  void SortTabs();
  void Assign(const TRVTabInfos& source);
  bool IsEqual(const TRVTabInfos& value) const;
  // Keeps only the stops that value has too (same position, alignment and leader).
  void Intersect(const TRVTabInfos& value);
  // Adds value's stops at positions this one has none at.
  void AddFrom(const TRVTabInfos& value);
  // Deletes the stops at the given positions.
  void DeleteList(const std::vector<int>& positions);
};

}  // namespace quorix
