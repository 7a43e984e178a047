#pragma once
// Drawing items: the rectangles the formatter places (a whole non-text item,
// or one piece of a text item), the three descendants that store the extra
// spacing of justification and line-height rules, and TRVDrawLines, the list
// of a document's drawing items with its window of slots pending deletion.

#include <memory>
#include <vector>

#include "richview/document/item_list.h"
#include "richview/document/rv_error.h"
#include "richview/styles/para_info.h"
#include "richview/styles/text_encoding.h"

namespace quorix {

inline constexpr const char* errRVUndefinedProperty = "Cannot assign value to this undefined property";

class TRVDrawLineInfo {
 public:
  TRVDrawLineInfo() = default;
  TRVDrawLineInfo(const TRVDrawLineInfo&) = delete;
  TRVDrawLineInfo& operator=(const TRVDrawLineInfo&) = delete;
  virtual ~TRVDrawLineInfo() = default;

  // Create(ALeft, ATop, AWidth, AHeight, AItemNo, AFromNewLine) in two steps,
  // so that the virtual SetData and SetSize of the final class run.
  void Init(int ALeft, int ATop, int AWidth, int AHeight, int AItemNo, bool AFromNewLine) {
    SetData(ALeft, ATop, AItemNo, AFromNewLine);
    SetSize(AWidth, AHeight);
  }

  // Extra space before the piece added by justification.
  virtual int GetSpaceBefore() const { return 0; }
  virtual void SetSpaceBefore(int Value) { RefuseNonZero(Value); }
  // Extra space above the line added by a line-height rule.
  virtual int GetExtraSpaceAbove() const { return 0; }
  virtual void SetExtraSpaceAbove(int Value) { RefuseNonZero(Value); }
  // Extra space below the line added by a line-spacing rule.
  virtual int GetExtraSpaceBelow() const { return 0; }
  virtual void SetExtraSpaceBelow(int Value) { RefuseNonZero(Value); }
  virtual void SetData(int ALeft, int ATop, int AItemNo, bool AFromNewLine) {
    Left = ALeft;
    Top = ATop;
    ItemNo = AItemNo;
    FromNewLine = AFromNewLine ? 255 : 0;
  }
  virtual void SetSize(int AWidth, int AHeight) {
    Width = AWidth;
    Height = AHeight;
  }

  // Splitting tall drawing items across pages; nothing to split here.
  virtual void InitSplit() {}
  virtual bool CanSplitFirst(int) const { return false; }
  virtual bool SplitAt(int) { return false; }

  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int ItemNo = 0;
  int Offs = 0;    // text: 1-based first character of the piece; else 0
  int Length = 0;  // text: characters in the piece; else 0
  std::uint8_t FromNewLine = 0;  // 255 on the first drawing item of a line

 private:
  static void RefuseNonZero(int Value) {
    if (Value != 0) throw ERichViewError(errRVUndefinedProperty);
  }
};

class TRVJustifyDrawLineInfo : public TRVDrawLineInfo {
 public:
  int GetSpaceBefore() const override { return SpaceBefore; }
  void SetSpaceBefore(int Value) override { SpaceBefore = Value; }
  int SpaceBefore = 0;
};

class TRVSimpleLineHeightDrawLineInfo : public TRVJustifyDrawLineInfo {
 public:
  int GetExtraSpaceBelow() const override { return ExtraSpaceBelow; }
  void SetExtraSpaceBelow(int Value) override { ExtraSpaceBelow = Value; }
  int ExtraSpaceBelow = 0;
};

class TRVComplexLineHeightDrawLineInfo : public TRVSimpleLineHeightDrawLineInfo {
 public:
  int GetExtraSpaceAbove() const override { return ExtraSpaceAbove; }
  void SetExtraSpaceAbove(int Value) override { ExtraSpaceAbove = Value; }
  int ExtraSpaceAbove = 0;
};

// A drawing item made of several parts (a table split over pages). Such an
// item never continues a line.
class TRVMultiDrawItemInfo : public TRVComplexLineHeightDrawLineInfo {};

// A drawing-item class: makes an empty drawing item of that class.
using TRVDrawLineInfoClass = std::unique_ptr<TRVDrawLineInfo> (*)();

template <class TDrawItem>
std::unique_ptr<TRVDrawLineInfo> RVCreateDrawLineInfo() {
  return std::make_unique<TDrawItem>();
}

class TCustomRVItemInfo;

// The drawing-item class the formatter uses for an item in a paragraph
// style: the plainest class that can store what the style's alignment and
// line spacing will ask of it.
TRVDrawLineInfoClass GetStandardDrawLineInfoClass(const TCustomRVItemInfo& Item, const TCustomRVParaInfo& Para);

class TRVDrawLines {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // The drawing item at Index; nullptr for a slot marked for deletion.
  TRVDrawLineInfo* operator[](int Index) const { return items_[Check(Index)].get(); }
  TRVDrawLineInfo* Get(int Index) const { return (*this)[Index]; }

  void Add(std::unique_ptr<TRVDrawLineInfo> Obj) { items_.push_back(std::move(Obj)); }
  // Reuses a marked slot while there are any, else inserts.
  void Insert(int Index, std::unique_ptr<TRVDrawLineInfo> Obj);
  // Frees the object; with marked slots pending, its slot joins them.
  void Delete(int Index);
  // Frees First..Last, keeping their slots for Insert to reuse.
  void MarkForDelete(int First, int Last);
  // Removes the marked slots that were not reused.
  void DeleteMarked();
  // Removes the slots First..Last.
  void DeleteRange(int First, int Last);
  void Clear();

  // The raw text of text piece No (Offs, Length in its item's text), its part
  // from the 1-based From to its end, and Count characters from From; each
  // clipped to the piece. UTF-16 items give two bytes per character.
  TRVRawByteString GetString(int No, const TRVItemList& Items) const;
  TRVRawByteString GetRightString(int No, const TRVItemList& Items, int From) const;
  TRVRawByteString GetSubString(int No, const TRVItemList& Items, int Count, int From) const;

  int DeletedStart = -1;
  int DeletedCount = 0;

 private:
  std::size_t Check(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Index);
    return static_cast<std::size_t>(Index);
  }
  std::vector<std::unique_ptr<TRVDrawLineInfo>> items_;
};

}  // namespace quorix
