#pragma once
// TCustomRVData, the document: the ordered items with their paragraph rules,
// the items' text encodings, per-item queries, freeing of items, and the
// chain of checkpoints. It knows nothing of layout or windows: the style
// sheet, options, palette and events come through virtual operations that the
// formatted and control-bound documents answer.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics.h"
#include "platform/image_list.h"
#include "richview/animation/animator.h"
#include "richview/document/checkpoint.h"
#include "richview/document/item_info.h"
#include "richview/document/item_list.h"
#include "richview/document/rv_types.h"
#include "richview/document/tag.h"
#include "richview/styles/style_types.h"
#include "richview/styles/text_encoding.h"

namespace quorix {

class TControl;
class TCustomRVFormattedData;
class TRVStyle;

class TCustomRVData {
 public:
  TCustomRVData();
  TCustomRVData(const TCustomRVData&) = delete;
  TCustomRVData& operator=(const TCustomRVData&) = delete;
  // Frees every item. A descendant with its own clean-up runs its Clear in its
  // own destructor: by the time this one runs, only the base operations answer.
  virtual ~TCustomRVData();

  // --- what descendants answer; the base versions ask the root or parent ---
  virtual bool IsWordWrapAllowed() const;
  virtual TRVOptions GetOptions() const;
  virtual void SetOptions(TRVOptions Options);
  virtual TRVFlags GetFlags() const = 0;
  virtual void SetFlags(TRVFlags Flags) = 0;
  virtual int GetMaxLength() const;
  virtual TCustomRVData* GetRVData() { return this; }
  virtual TCustomRVData* GetSourceRVData() { return this; }
  virtual TRVStyle* GetRVStyle() const;
  virtual TCustomRVData* GetParentData() const { return nullptr; }
  virtual TCustomRVData* GetAbsoluteParentData() const { return nullptr; }
  virtual TCustomRVData* GetRootData() { return this; }
  virtual TCustomRVData* GetAbsoluteRootData() { return this; }
  virtual HPALETTE GetRVPalette();
  virtual const TRVLogPalette* GetRVLogPalette();
  virtual TRVPaletteAction GetDoInPaletteMode();
  virtual TRVBiDiMode GetBiDiMode();
  // The item actions the control reports; nothing here.
  virtual void ItemAction(TRVItemAction Action, TCustomRVItemInfo* Item, TRVRawByteString& Text,
                          TCustomRVData* RVData);
  virtual TColor GetColor() const { return clNone; }
  // Whether the items belong to another document.
  virtual bool ShareItems() const { return false; }
  virtual bool CanLoadLayout() const { return false; }
  virtual bool SupportsPageBreaks() const { return true; }
  virtual TControl* GetParentControl();
  // Both free every item they reach even when an item's actions raise, remove
  // the entries, and then raise the first failure.
  virtual void Clear();
  virtual void DeleteItems(int FirstItemNo, int Count);
  virtual UnicodeString GetItemHint(TCustomRVData* RVData, int ItemNo, const UnicodeString& DefaultHint);
  // For a control item: passes the action and its control to the root's ControlAction2.
  virtual void ControlAction(TCustomRVData* RVData, TRVControlAction ControlAction, int ItemNo,
                             TCustomRVItemInfo* Item);
  virtual void ControlAction2(TCustomRVData* RVData, TRVControlAction ControlAction, int ItemNo, TControl*& Control);
  virtual void Edit() {}
  // The document-properties list, if the document has one.
  virtual std::vector<UnicodeString>* GetDocProperties() { return nullptr; }
  // The hint of the item under the pointer, for the control to show.
  virtual void SetControlHint(const UnicodeString& Hint);
  // Non-null for a formatted document (the descendant answers itself).
  virtual TCustomRVFormattedData* AsFormattedData() { return nullptr; }
  // Animation: answered by the control's root document.
  virtual bool AllowAnimation();
  virtual void InsertAnimator(std::unique_ptr<TRVAnimator>& Animator);
  virtual void ResetAniBackground();
  // Reports a jump by number (a formatted document raises the control's event).
  virtual void DoJump(int JumpNo);

  // --- appending ---
  // Appends Item with Text unconverted under the paragraph rules; the
  // document owns Item from here on.
  void AddItemR(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  // The same with UTF-16 text, converted to the item's encoding.
  void AddItem(const UnicodeString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  // Appends without the paragraph rules (ParaNo and options are the caller's).
  void AddItemAsIsR(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  void SetAddParagraphMode(bool AllowNewPara) { FAddParagraphMode = AllowNewPara; }
  bool GetAddParagraphMode() const { return FAddParagraphMode; }

  // --- items (an item number out of range raises the list error) ---
  int GetItemCount() const { return FItemList->Count(); }
  TCustomRVItemInfo* GetItem(int ItemNo) const { return FItemList->GetObject(ItemNo); }
  int GetItemNo(const TCustomRVItemInfo* Item) const { return FItemList->IndexOfObject(Item); }
  int GetActualStyle(const TCustomRVItemInfo& Item) const;
  int GetActualStyle2(int StyleNo, int ParaNo) const;
  int GetItemStyle(int ItemNo) const;
  int GetItemPara(int ItemNo) const { return Item(ItemNo).ParaNo; }
  const TRVTag& GetItemTag(int ItemNo) const { return Item(ItemNo).Tag; }
  // Replaces the tag and releases the old one, unless Tag has the same value:
  // then the old tag stays and Tag is dropped.
  void SetItemTag(int ItemNo, TRVTag Tag);
  TRVItemOptions GetItemOptions(int ItemNo) const { return Item(ItemNo).ItemOptions; }
  bool IsFromNewLine(int ItemNo) const { return !Item(ItemNo).ItemOptions.Contains(rvioSameAsPrev); }
  bool IsParaStart(int ItemNo) const { return Item(ItemNo).ParaStart(false); }
  int GetFirstParaItem(int ItemNo) const;
  int GetFirstParaSectionItem(int ItemNo) const;
  const TRVRawByteString& GetItemTextR(int ItemNo) const { return Item(ItemNo).Text; }
  UnicodeString GetItemTextW(int ItemNo) const;
  UnicodeString GetItemText(int ItemNo) const { return GetItemTextW(ItemNo); }
  TRVAnsiString GetItemTextA(int ItemNo) const;
  void SetItemTextR(int ItemNo, const TRVRawByteString& Text);
  void SetItemTextW(int ItemNo, const UnicodeString& s);
  void SetItemText(int ItemNo, const UnicodeString& s) { SetItemTextW(ItemNo, s); }
  void SetItemTextA(int ItemNo, const TRVAnsiString& s);
  int ItemLength(int ItemNo) const;
  int GetOffsBeforeItem(int ItemNo) const;
  int GetOffsAfterItem(int ItemNo) const;
  TRVCodePage GetStyleCodePage(int StyleNo) const;
  TRVCodePage GetItemCodePage(int ItemNo) const;
  TRVCodePage GetDefaultCodePage() const;
  // Gives every item of the paragraph holding ItemNo the first item's ParaNo.
  void NormalizeParas(int ItemNo);

  // --- typed item information (another kind of item raises ERichViewError) ---
  // Tags come back as the document's own (it still owns them).
  void GetPictureInfo(int ItemNo, TRVAnsiString& Name, TGraphic*& Image, TRVVAlign& VAlign,
                      const TRVTag*& Tag) const;
  // Image, when given, replaces (and frees) the item's picture; without one
  // the picture stays. True when the size or alignment changes.
  bool SetPictureInfo(int ItemNo, const TRVAnsiString& Name, std::unique_ptr<TGraphic> Image, TRVVAlign VAlign,
                      TRVTag Tag);
  void GetTextInfo(int ItemNo, UnicodeString& Text, const TRVTag*& Tag) const;
  void GetBreakInfo(int ItemNo, std::uint8_t& LineWidth, TRVBreakStyle& Style, TColor& Color,
                    const TRVTag*& Tag) const;
  void SetBreakInfo(int ItemNo, std::uint8_t LineWidth, TRVBreakStyle Style, TColor Color, TRVTag Tag);
  void GetBulletInfo(int ItemNo, TRVAnsiString& Name, int& ImageIndex, TCustomImageList*& ImageList,
                     const TRVTag*& Tag) const;
  void SetBulletInfo(int ItemNo, const TRVAnsiString& Name, int ImageIndex, TCustomImageList* ImageList,
                     TRVTag Tag);
  void GetHotspotInfo(int ItemNo, TRVAnsiString& Name, int& ImageIndex, int& HotImageIndex,
                      TCustomImageList*& ImageList, const TRVTag*& Tag) const;
  void SetHotspotInfo(int ItemNo, const TRVAnsiString& Name, int ImageIndex, int HotImageIndex,
                      TCustomImageList* ImageList, TRVTag Tag);
  void GetControlInfo(int ItemNo, TRVAnsiString& Name, TControl*& Control, TRVVAlign& VAlign,
                      const TRVTag*& Tag) const;
  void SetControlInfo(int ItemNo, const TRVAnsiString& Name, TRVVAlign VAlign, TRVTag Tag);
  bool GetItemExtraIntProperty(int ItemNo, TRVExtraItemProperty Prop, int& Value) const;
  bool SetItemExtraIntProperty(int ItemNo, TRVExtraItemProperty Prop, int Value);
  bool GetItemExtraStrProperty(int ItemNo, TRVExtraItemStrProperty Prop, UnicodeString& Value) const;
  bool SetItemExtraStrProperty(int ItemNo, TRVExtraItemStrProperty Prop, const UnicodeString& Value);

  // --- removing ---
  // Frees the item of an entry (the entry stays, empty); an empty entry is left
  // alone. The item is freed even when its destroying actions raise; the first
  // failure is raised afterwards.
  void FreeItem(int ItemNo, bool Clearing);

  // --- checkpoints ---
  // A pending checkpoint that attaches to the next item appended; its number.
  int AddNamedCheckpointExTag(const UnicodeString& Name, bool RaiseEvent, TRVTag Tag);
  TRVCPInfo* GetFirstCheckpoint() const;
  TRVCPInfo* GetLastCheckpoint() const;
  TRVCPInfo* GetNextCheckpoint(const TRVCPInfo* CP) const;
  TRVCPInfo* GetPrevCheckpoint(const TRVCPInfo* CP) const;
  TRVCPInfo* GetCheckpointByNo(int No) const;
  TRVCPInfo* GetItemCheckpoint(int ItemNo) const { return Item(ItemNo).Checkpoint.get(); }
  int GetCheckpointItemNo(const TRVCPInfo* CP) const;
  int GetCheckpointNo(const TRVCPInfo* CP) const;
  TRVCPInfo* FindCheckpointByName(const UnicodeString& Name) const;
  TRVCPInfo* FindCheckpointByTag(const TRVTag& Tag) const;
  void GetCheckpointInfo(const TRVCPInfo* CP, const TRVTag*& Tag, UnicodeString& Name, bool& RaiseEvent) const;
  // Gives the item a checkpoint with these values (a new one when it has none).
  void SetCheckpointInfo(int ItemNo, TRVTag Tag, const UnicodeString& Name, bool RaiseEvent);
  // Removes the item's checkpoint; false when it has none.
  bool RemoveCheckpoint(int ItemNo);
  int GetCheckpointCount() const { return FCheckpointCount; }

  // --- copying ---
  // Appends copies of Source's items (and checkpoints).
  void AppendFrom(TCustomRVData& Source);

  TRVStates GetState() const { return FState; }

  int FirstJumpNo = 0;

 protected:
  // Removes an item from the document's registries, unlinks and frees its
  // checkpoint, then destroys it (with its picture and tag).
  virtual void InternalFreeItem(std::unique_ptr<TCustomRVItemInfo> Item, bool Clearing);
  TRVItemList& ItemList() { return *FItemList; }

  TRVItemList* FItemList = nullptr;
  bool FAddParagraphMode = true;
  TRVCPInfo* FChainFirst = nullptr;
  TRVCPInfo* FChainLast = nullptr;
  std::unique_ptr<TRVCPInfo> FPendingCheckpoint;
  TRVStates FState;
  int FContinuedListNo = 0;
  int FContinuedListLevel = 0;
  int FCheckpointCount = 0;

 private:
  TCustomRVItemInfo& Item(int ItemNo) const;
  // The root document when this one is not it, else nullptr.
  TCustomRVData* OtherRoot();
  const TCustomRVData* OtherRoot() const;
  // Paragraph-rule-free tail of appending: checkpoint, palette, item actions.
  void InsertItem(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  void AppendEmptyTextItem();
  void UnlinkCheckpoint(TRVCPInfo* CP);
  void LinkCheckpointAfter(TRVCPInfo* CP, TRVCPInfo* After);
  void CheckCheckpoint(const TRVCPInfo* CP) const;
  template <class TItem>
  TItem& TypedItem(int ItemNo) const;

  std::unique_ptr<TRVItemList> ownItems_;
};

}  // namespace quorix
