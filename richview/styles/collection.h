#pragma once
// An ordered collection that owns its entries, the shape of the style sheet's
// style collections and of a paragraph's tab stops.

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/errors.h"

namespace quorix {

template <class TItem>
class TRVCollection {
 public:
  TRVCollection() = default;
  TRVCollection(const TRVCollection&) = delete;
  TRVCollection& operator=(const TRVCollection&) = delete;
  virtual ~TRVCollection() = default;

  int Count() const { return static_cast<int>(items_.size()); }
  // The entry at index; an index out of range raises the list error.
  TItem& Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return *items_[static_cast<std::size_t>(index)];
  }
  int IndexOf(const TItem* item) const {
    for (int i = 0; i < Count(); ++i)
      if (items_[static_cast<std::size_t>(i)].get() == item) return i;
    return -1;
  }
  void Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
  }
  void Clear() { items_.clear(); }
  // Moves the entry at from to position to.
  void Move(int from, int to) {
    Items(from);
    Items(to);
    auto item = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
  }

 protected:
  TItem& Append(std::unique_ptr<TItem> item) {
    items_.push_back(std::move(item));
    return *items_.back();
  }
  std::vector<std::unique_ptr<TItem>> items_;
};

}  // namespace quorix
