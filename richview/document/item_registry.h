#pragma once
// The process-wide registry of item classes for kinds that are not built in,
// item creation by style number, and item duplication.

#include <memory>

#include "richview/document/item_info.h"

namespace quorix {

struct TRichViewItemTypeInfo {
  int StyleNo = 0;
  TRVItemInfoClass ItemClass = nullptr;
};

// Registers ItemClass for StyleNo (below -9). The same pair again does
// nothing; -9 or more, or a number taken by another class, raises ERichViewError.
void RegisterRichViewItemClass(int StyleNo, TRVItemInfoClass ItemClass);

// A new item of the class for StyleNo, with that style number: text items
// (RichViewTextItemClass) for 0 or more, the built-in kinds, then registered
// ones; nullptr for a negative number nobody knows.
std::unique_ptr<TCustomRVItemInfo> CreateRichViewItem(int StyleNo, TCustomRVData* RVData);

// A new item of Source's class with Source's properties, tag (a copy) and,
// when DuplicateCheckpoint, a copy of its checkpoint; the text is not copied.
std::unique_ptr<TCustomRVItemInfo> RV_DuplicateItem(const TCustomRVItemInfo& Source, TCustomRVData* RVData,
                                                    bool DuplicateCheckpoint);

}  // namespace quorix
