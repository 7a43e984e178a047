#include "richview/styles/tab_infos.h"

#include <algorithm>

namespace quorix {

void TRVTabInfo::Assign(const TRVTabInfo& source) {
  Align = source.Align;
  Leader = source.Leader;
  SetPosition(source.position_);
}

void TRVTabInfo::SetPosition(int value) {
  if (value == position_) return;
  position_ = value;
  if (collection_) collection_->SortTabs();
}

TRVTabInfo& TRVTabInfos::Add() {
  TRVTabInfo& tab = Append(std::make_unique<TRVTabInfo>(this));
  SortTabs();  // a new stop sits at position 0
  return tab;
}

TRVTabInfo& TRVTabInfos::Add(int position, TRVTabAlign align, const UnicodeString& leader) {
  TRVTabInfo& tab = Add();
  tab.Align = align;
  tab.Leader = leader;
  tab.SetPosition(position);
  return tab;
}

int TRVTabInfos::Find(int position) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i).GetPosition() == position) return i;
  return -1;
}

void TRVTabInfos::SortTabs() {
  std::stable_sort(items_.begin(), items_.end(),
                   [](const auto& a, const auto& b) { return a->GetPosition() < b->GetPosition(); });
}

void TRVTabInfos::Assign(const TRVTabInfos& source) {
  if (&source == this) return;
  Clear();
  for (int i = 0; i < source.Count(); ++i) Add().Assign(source.Items(i));
}

bool TRVTabInfos::IsEqual(const TRVTabInfos& value) const {
  if (Count() != value.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (!Items(i).IsEqual(value.Items(i))) return false;
  return true;
}

void TRVTabInfos::Intersect(const TRVTabInfos& value) {
  for (int i = Count() - 1; i >= 0; --i) {
    const int j = value.Find(Items(i).GetPosition());
    if (j < 0 || !Items(i).IsEqual(value.Items(j))) Delete(i);
  }
}

void TRVTabInfos::AddFrom(const TRVTabInfos& value) {
  for (int i = 0; i < value.Count(); ++i)
    if (Find(value.Items(i).GetPosition()) < 0) Add().Assign(value.Items(i));
}

void TRVTabInfos::DeleteList(const std::vector<int>& positions) {
  for (int position : positions) {
    const int i = Find(position);
    if (i >= 0) Delete(i);
  }
}

}  // namespace quorix
