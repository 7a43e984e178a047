#include "richview/document/rv_data.h"

#include <algorithm>
#include <exception>

#include "richview/document/break_item.h"
#include "richview/document/bullet_items.h"
#include "richview/document/control_item.h"
#include "richview/document/item_registry.h"
#include "richview/document/picture_items.h"
#include "richview/document/rv_error.h"
#include "richview/document/text_item.h"
#include "richview/styles/rv_style.h"

namespace quorix {

TCustomRVData::TCustomRVData() : ownItems_(std::make_unique<TRVItemList>()) { FItemList = ownItems_.get(); }

// Clear frees every item before it reports a failure, so nothing is left to
// free twice; what it reports has nobody to go to from here.
TCustomRVData::~TCustomRVData() {
  try {
    TCustomRVData::Clear();
  } catch (...) {
  }
}

TCustomRVItemInfo& TCustomRVData::Item(int ItemNo) const {
  TCustomRVItemInfo* item = FItemList->GetObject(ItemNo);
  if (!item) throw EListError(ItemNo);  // an entry whose item is being freed
  return *item;
}

template <class TItem>
TItem& TCustomRVData::TypedItem(int ItemNo) const {
  auto* item = dynamic_cast<TItem*>(&Item(ItemNo));
  if (!item) throw ERichViewError(errRVItemRangeError);
  return *item;
}

TCustomRVData* TCustomRVData::OtherRoot() {
  TCustomRVData* root = GetAbsoluteRootData();
  return root != this ? root : nullptr;
}

const TCustomRVData* TCustomRVData::OtherRoot() const { return const_cast<TCustomRVData*>(this)->OtherRoot(); }

// ---------------------------------------------------------------- virtual operations

bool TCustomRVData::IsWordWrapAllowed() const {
  const TCustomRVData* root = OtherRoot();
  return root ? root->IsWordWrapAllowed() : true;
}

TRVOptions TCustomRVData::GetOptions() const {
  const TCustomRVData* root = OtherRoot();
  return root ? root->GetOptions() : TRVOptions{};
}

void TCustomRVData::SetOptions(TRVOptions Options) {
  if (TCustomRVData* root = OtherRoot()) root->SetOptions(Options);
}

int TCustomRVData::GetMaxLength() const {
  const TCustomRVData* root = OtherRoot();
  return root ? root->GetMaxLength() : 0;
}

TRVStyle* TCustomRVData::GetRVStyle() const {
  TCustomRVData* parent = GetParentData();
  return parent ? parent->GetRVStyle() : nullptr;
}

HPALETTE TCustomRVData::GetRVPalette() {
  TCustomRVData* root = OtherRoot();
  return root ? root->GetRVPalette() : 0;
}

const TRVLogPalette* TCustomRVData::GetRVLogPalette() {
  TCustomRVData* root = OtherRoot();
  return root ? root->GetRVLogPalette() : nullptr;
}

TRVPaletteAction TCustomRVData::GetDoInPaletteMode() {
  TCustomRVData* root = OtherRoot();
  return root ? root->GetDoInPaletteMode() : rvpaDoNothing;
}

TRVBiDiMode TCustomRVData::GetBiDiMode() {
  TCustomRVData* root = OtherRoot();
  return root ? root->GetBiDiMode() : rvbdUnspecified;
}

void TCustomRVData::ItemAction(TRVItemAction, TCustomRVItemInfo*, TRVRawByteString&, TCustomRVData*) {}

TControl* TCustomRVData::GetParentControl() {
  TCustomRVData* root = OtherRoot();
  return root ? root->GetParentControl() : nullptr;
}

UnicodeString TCustomRVData::GetItemHint(TCustomRVData* RVData, int ItemNo, const UnicodeString& DefaultHint) {
  TCustomRVData* parent = GetAbsoluteParentData();
  return parent ? parent->GetItemHint(RVData, ItemNo, DefaultHint) : DefaultHint;
}

void TCustomRVData::ControlAction(TCustomRVData* RVData, TRVControlAction Action, int ItemNo,
                                  TCustomRVItemInfo* Item) {
  auto* controlItem = dynamic_cast<TRVControlItemInfo*>(Item);
  if (!controlItem) return;
  TControl* control = controlItem->Control;
  GetAbsoluteRootData()->ControlAction2(RVData, Action, ItemNo, control);
}

void TCustomRVData::ControlAction2(TCustomRVData*, TRVControlAction, int, TControl*&) {}

void TCustomRVData::SetControlHint(const UnicodeString& Hint) {
  if (TCustomRVData* root = OtherRoot()) root->SetControlHint(Hint);
}

bool TCustomRVData::AllowAnimation() {
  TCustomRVData* root = OtherRoot();
  return root ? root->AllowAnimation() : false;
}

void TCustomRVData::InsertAnimator(std::unique_ptr<TRVAnimator>& Animator) {
  // Only a control's root document keeps animators; without one the picture stays still.
  if (TCustomRVData* root = OtherRoot())
    root->InsertAnimator(Animator);
  else
    Animator.reset();
}

void TCustomRVData::ResetAniBackground() {
  if (TCustomRVData* root = OtherRoot()) root->ResetAniBackground();
}

void TCustomRVData::DoJump(int JumpNo) {
  if (TCustomRVData* root = OtherRoot()) root->DoJump(JumpNo);
}

// ---------------------------------------------------------------- appending

void TCustomRVData::AppendEmptyTextItem() {
  auto item = RichViewTextItemClass(this);
  item->StyleNo = 0;
  item->ParaNo = -1;
  if (const TRVStyle* style = GetRVStyle(); style && style->TextStyles[0].Unicode)
    item->ItemOptions.Include(rvioUnicode);
  AddItemR(TRVRawByteString(), std::move(item));
}

void TCustomRVData::AddItemR(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  const int count = GetItemCount();
  TCustomRVItemInfo* last = count > 0 ? FItemList->GetObject(count - 1) : nullptr;
  if (Item->ParaNo == -1 && last && !last->GetBoolValue(rvbpFullWidth)) {
    Item->SetSameAsPrev(true);
    Item->ParaNo = last->ParaNo;
  } else {
    // A list marker is never the last item of its paragraph.
    if (last && GetActualStyle(*last) == rvsListMarker) AppendEmptyTextItem();
    Item->SetSameAsPrev(false);
    Item->SetBR((Item->GetBR() || !FAddParagraphMode) && !Item->GetBoolValue(rvbpFullWidth) && count > 0);
    if (Item->ParaNo == -1) Item->ParaNo = 0;
  }
  InsertItem(Text, std::move(Item));
}

void TCustomRVData::AddItem(const UnicodeString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  TRVRawByteString raw;
  if (Item->ItemOptions.Contains(rvioUnicode))
    raw = RVU_GetRawUnicode(Text);
  else
    raw = RVU_UnicodeToAnsi(GetStyleCodePage(GetActualStyle(*Item)), Text);
  AddItemR(raw, std::move(Item));
  // Numbered sequences would register the item here; they are not part of this library.
}

void TCustomRVData::AddItemAsIsR(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  InsertItem(Text, std::move(Item));
}

void TCustomRVData::InsertItem(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  // A checkpoint record that came with the item becomes the pending
  // checkpoint unless one is pending already; the record goes either way.
  if (Item->Checkpoint) {
    std::unique_ptr<TRVCPInfo> record = std::move(Item->Checkpoint);
    if (!FPendingCheckpoint) AddNamedCheckpointExTag(record->Name, record->RaiseEvent, std::move(record->Tag));
  }
  if (FPendingCheckpoint) {
    TRVCPInfo* cp = FPendingCheckpoint.get();
    LinkCheckpointAfter(cp, FChainLast);
    cp->ItemInfo = Item.get();
    Item->Checkpoint = std::move(FPendingCheckpoint);
  }
  Item->UpdatePaletteInfo(GetDoInPaletteMode(), false, GetRVPalette(), GetRVLogPalette());
  TRVRawByteString text = Text;
  Item->Inserting(this, text, false);
  TCustomRVItemInfo* item = Item.get();
  FItemList->AddObject(text, std::move(Item));
  item->Inserted(this, GetItemCount() - 1);
}

// ---------------------------------------------------------------- styles and text

int TCustomRVData::GetActualStyle(const TCustomRVItemInfo& Item) const { return Item.GetActualStyleNo(GetRVStyle()); }

int TCustomRVData::GetActualStyle2(int StyleNo, int ParaNo) const {
  if (StyleNo != rvsDefStyle) return StyleNo;
  const TRVStyle* style = GetRVStyle();
  if (!style) return 0;
  const int def = style->ParaStyles[ParaNo].DefStyleNo;
  return def >= 0 ? def : 0;
}

int TCustomRVData::GetItemStyle(int ItemNo) const { return GetActualStyle(Item(ItemNo)); }

TRVCodePage TCustomRVData::GetDefaultCodePage() const {
  const TRVStyle* style = GetRVStyle();
  return style ? style->DefCodePage : CP_ACP;
}

TRVCodePage TCustomRVData::GetStyleCodePage(int StyleNo) const {
  const TRVStyle* style = GetRVStyle();
  if (!style) return CP_ACP;
  if (StyleNo < 0) return style->DefCodePage;
  const int charset = style->TextStyles[StyleNo].Charset;
  return charset == DEFAULT_CHARSET ? style->DefCodePage : RVU_Charset2CodePage(charset);
}

TRVCodePage TCustomRVData::GetItemCodePage(int ItemNo) const { return GetStyleCodePage(GetItemStyle(ItemNo)); }

UnicodeString TCustomRVData::GetItemTextW(int ItemNo) const {
  const TCustomRVItemInfo& item = Item(ItemNo);
  if (GetActualStyle(item) < 0 || !item.ItemOptions.Contains(rvioUnicode))
    return RVU_AnsiToUnicode(GetItemCodePage(ItemNo), item.Text);
  return RVU_RawUnicodeToWideString(item.Text);
}

TRVAnsiString TCustomRVData::GetItemTextA(int ItemNo) const {
  const TCustomRVItemInfo& item = Item(ItemNo);
  if (!item.ItemOptions.Contains(rvioUnicode)) return item.Text;
  return RVU_UnicodeToAnsi(GetItemCodePage(ItemNo), RVU_RawUnicodeToWideString(item.Text));
}

void TCustomRVData::SetItemTextR(int ItemNo, const TRVRawByteString& Text) {
  TCustomRVItemInfo& item = Item(ItemNo);
  if (item.ItemOptions.Contains(rvioUnicode) && Text.size() % 2 != 0) throw ERichViewError(errRVUnicode);
  FItemList->SetItem(ItemNo, Text);
}

void TCustomRVData::SetItemTextW(int ItemNo, const UnicodeString& s) {
  const TCustomRVItemInfo& item = Item(ItemNo);
  if (GetActualStyle(item) >= 0 && item.ItemOptions.Contains(rvioUnicode))
    FItemList->SetItem(ItemNo, RVU_GetRawUnicode(s));
  else
    FItemList->SetItem(ItemNo, RVU_UnicodeToAnsi(GetItemCodePage(ItemNo), s));
}

void TCustomRVData::SetItemTextA(int ItemNo, const TRVAnsiString& s) {
  const TCustomRVItemInfo& item = Item(ItemNo);
  if (GetActualStyle(item) >= 0 && item.ItemOptions.Contains(rvioUnicode))
    FItemList->SetItem(ItemNo, RVU_GetRawUnicode(RVU_AnsiToUnicode(GetItemCodePage(ItemNo), s)));
  else
    FItemList->SetItem(ItemNo, s);
}

int TCustomRVData::ItemLength(int ItemNo) const {
  const TCustomRVItemInfo& item = Item(ItemNo);
  if (GetActualStyle(item) < 0) return 1;
  const int bytes = static_cast<int>(item.Text.size());
  return item.ItemOptions.Contains(rvioUnicode) ? bytes / 2 : bytes;
}

int TCustomRVData::GetOffsBeforeItem(int ItemNo) const { return GetItemStyle(ItemNo) < 0 ? 0 : 1; }

int TCustomRVData::GetOffsAfterItem(int ItemNo) const {
  return GetItemStyle(ItemNo) < 0 ? 1 : ItemLength(ItemNo) + 1;
}

// ---------------------------------------------------------------- paragraphs and tags

int TCustomRVData::GetFirstParaItem(int ItemNo) const {
  Item(ItemNo);
  while (ItemNo > 0 && !IsParaStart(ItemNo)) --ItemNo;
  return ItemNo;
}

int TCustomRVData::GetFirstParaSectionItem(int ItemNo) const {
  Item(ItemNo);
  while (ItemNo > 0 && !IsFromNewLine(ItemNo)) --ItemNo;
  return ItemNo;
}

void TCustomRVData::NormalizeParas(int ItemNo) {
  const int count = GetItemCount();
  if (count == 0) return;
  ItemNo = std::clamp(ItemNo, 0, count - 1);
  while (ItemNo > 0 && !IsParaStart(ItemNo)) --ItemNo;
  const int paraNo = Item(ItemNo).ParaNo;
  for (int i = ItemNo + 1; i < count && !IsParaStart(i); ++i) Item(i).ParaNo = paraNo;
}

void TCustomRVData::SetItemTag(int ItemNo, TRVTag Tag) {
  TCustomRVItemInfo& item = Item(ItemNo);
  if (Tag.SameAs(item.Tag)) return;  // the item keeps what it has; Tag goes
  item.Tag = std::move(Tag);         // the old tag (and its string) goes
}

// ---------------------------------------------------------------- typed information

void TCustomRVData::GetPictureInfo(int ItemNo, TRVAnsiString& Name, TGraphic*& Image, TRVVAlign& VAlign,
                                   const TRVTag*& Tag) const {
  const auto& item = TypedItem<TRVGraphicItemInfo>(ItemNo);
  Name = item.Text;
  Image = item.Image.get();
  VAlign = item.VAlign;
  Tag = &item.Tag;
}

bool TCustomRVData::SetPictureInfo(int ItemNo, const TRVAnsiString& Name, std::unique_ptr<TGraphic> Image,
                                   TRVVAlign VAlign, TRVTag Tag) {
  auto& item = TypedItem<TRVGraphicItemInfo>(ItemNo);
  const int oldWidth = item.Image ? item.Image->GetWidth() : 0;
  const int oldHeight = item.Image ? item.Image->GetHeight() : 0;
  const TGraphic* newImage = Image ? Image.get() : item.Image.get();
  const int newWidth = newImage ? newImage->GetWidth() : 0;
  const int newHeight = newImage ? newImage->GetHeight() : 0;
  const bool changed = newWidth != oldWidth || newHeight != oldHeight || VAlign != item.VAlign;
  if (Image) {
    item.Image = std::move(Image);
    item.UpdateAnimator(this);
  }
  item.VAlign = VAlign;
  SetItemTag(ItemNo, std::move(Tag));
  FItemList->SetItem(ItemNo, Name);
  item.UpdatePaletteInfo(GetDoInPaletteMode(), true, GetRVPalette(), GetRVLogPalette());
  return changed;
}

void TCustomRVData::GetTextInfo(int ItemNo, UnicodeString& Text, const TRVTag*& Tag) const {
  if (GetItemStyle(ItemNo) < 0) throw ERichViewError(errRVItemRangeError);
  Text = GetItemTextW(ItemNo);
  Tag = &Item(ItemNo).Tag;
}

void TCustomRVData::GetBreakInfo(int ItemNo, std::uint8_t& LineWidth, TRVBreakStyle& Style, TColor& Color,
                                 const TRVTag*& Tag) const {
  const auto& item = TypedItem<TRVBreakItemInfo>(ItemNo);
  LineWidth = item.LineWidth;
  Style = item.Style;
  Color = item.Color;
  Tag = &item.Tag;
}

void TCustomRVData::SetBreakInfo(int ItemNo, std::uint8_t LineWidth, TRVBreakStyle Style, TColor Color,
                                 TRVTag Tag) {
  auto& item = TypedItem<TRVBreakItemInfo>(ItemNo);
  item.LineWidth = LineWidth;
  item.Style = Style;
  item.Color = Color;
  SetItemTag(ItemNo, std::move(Tag));
}

void TCustomRVData::GetBulletInfo(int ItemNo, TRVAnsiString& Name, int& ImageIndex, TCustomImageList*& ImageList,
                                  const TRVTag*& Tag) const {
  const auto& item = TypedItem<TRVBulletItemInfo>(ItemNo);
  Name = item.Text;
  ImageIndex = item.ImageIndex;
  ImageList = item.ImageList;
  Tag = &item.Tag;
}

void TCustomRVData::SetBulletInfo(int ItemNo, const TRVAnsiString& Name, int ImageIndex,
                                  TCustomImageList* ImageList, TRVTag Tag) {
  auto& item = TypedItem<TRVBulletItemInfo>(ItemNo);
  item.ImageIndex = ImageIndex;
  item.ImageList = ImageList;
  SetItemTag(ItemNo, std::move(Tag));
  FItemList->SetItem(ItemNo, Name);
}

void TCustomRVData::GetHotspotInfo(int ItemNo, TRVAnsiString& Name, int& ImageIndex, int& HotImageIndex,
                                   TCustomImageList*& ImageList, const TRVTag*& Tag) const {
  const auto& item = TypedItem<TRVHotspotItemInfo>(ItemNo);
  Name = item.Text;
  ImageIndex = item.ImageIndex;
  HotImageIndex = item.HotImageIndex;
  ImageList = item.ImageList;
  Tag = &item.Tag;
}

void TCustomRVData::SetHotspotInfo(int ItemNo, const TRVAnsiString& Name, int ImageIndex, int HotImageIndex,
                                   TCustomImageList* ImageList, TRVTag Tag) {
  auto& item = TypedItem<TRVHotspotItemInfo>(ItemNo);
  item.ImageIndex = ImageIndex;
  item.HotImageIndex = HotImageIndex;
  item.ImageList = ImageList;
  SetItemTag(ItemNo, std::move(Tag));
  FItemList->SetItem(ItemNo, Name);
}

void TCustomRVData::GetControlInfo(int ItemNo, TRVAnsiString& Name, TControl*& Control, TRVVAlign& VAlign,
                                   const TRVTag*& Tag) const {
  const auto& item = TypedItem<TRVControlItemInfo>(ItemNo);
  Name = item.Text;
  Control = item.Control;
  VAlign = item.VAlign;
  Tag = &item.Tag;
}

void TCustomRVData::SetControlInfo(int ItemNo, const TRVAnsiString& Name, TRVVAlign VAlign, TRVTag Tag) {
  auto& item = TypedItem<TRVControlItemInfo>(ItemNo);
  item.VAlign = VAlign;
  SetItemTag(ItemNo, std::move(Tag));
  FItemList->SetItem(ItemNo, Name);
}

bool TCustomRVData::GetItemExtraIntProperty(int ItemNo, TRVExtraItemProperty Prop, int& Value) const {
  return Item(ItemNo).GetExtraIntProperty(Prop, Value);
}

bool TCustomRVData::SetItemExtraIntProperty(int ItemNo, TRVExtraItemProperty Prop, int Value) {
  TCustomRVItemInfo& item = Item(ItemNo);
  const bool done = item.SetExtraIntProperty(Prop, Value);
  if (done && (Prop == rvepImageWidth || Prop == rvepImageHeight || Prop == rvepAnimationInterval))
    item.UpdateAnimator(this);
  return done;
}

bool TCustomRVData::GetItemExtraStrProperty(int ItemNo, TRVExtraItemStrProperty Prop, UnicodeString& Value) const {
  return Item(ItemNo).GetExtraStrProperty(Prop, Value);
}

bool TCustomRVData::SetItemExtraStrProperty(int ItemNo, TRVExtraItemStrProperty Prop, const UnicodeString& Value) {
  return Item(ItemNo).SetExtraStrProperty(Prop, Value);
}

// ---------------------------------------------------------------- removing

namespace {

// Runs steps that must all run even when one fails, keeping the first failure
// to raise once they are done.
class FirstFailure {
 public:
  template <class Step>
  void Run(Step&& step) {
    try {
      step();
    } catch (...) {
      if (!failure_) failure_ = std::current_exception();
    }
  }
  void Rethrow() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  std::exception_ptr failure_;
};

// Restores one flag of a state set when it goes, whatever way the scope ends.
class StateFlagRestorer {
 public:
  StateFlagRestorer(TRVStates& states, TRVState flag) : states_(states), flag_(flag), was_(states.Contains(flag)) {}
  ~StateFlagRestorer() {
    if (was_)
      states_.Include(flag_);
    else
      states_.Exclude(flag_);
  }
  StateFlagRestorer(const StateFlagRestorer&) = delete;
  StateFlagRestorer& operator=(const StateFlagRestorer&) = delete;

 private:
  TRVStates& states_;
  TRVState flag_;
  bool was_;
};

}  // namespace

// The item is freed even when an action on it fails: left in its entry, it
// would be handed to the same actions again by the next Clear or the
// destructor.
void TCustomRVData::FreeItem(int ItemNo, bool Clearing) {
  TCustomRVItemInfo* item = FItemList->GetObject(ItemNo);
  if (!item) return;
  FirstFailure failure;
  failure.Run([&] {
    TRVRawByteString text = item->Text;
    ItemAction(rviaDestroying, item, text, this);
  });
  // The control of a control item is let go of whatever the item action did.
  failure.Run([&] { ControlAction(this, rvcaDestroy, ItemNo, item); });
  failure.Run([&] { InternalFreeItem(FItemList->ReleaseObject(ItemNo), Clearing); });
  failure.Rethrow();
}

void TCustomRVData::InternalFreeItem(std::unique_ptr<TCustomRVItemInfo> Item, bool) {
  if (!Item) return;
  // Numbered sequences and list markers would drop the item here; this
  // library keeps no registries of them.
  if (Item->Checkpoint) {
    UnlinkCheckpoint(Item->Checkpoint.get());
    Item->Checkpoint.reset();
    --FCheckpointCount;
  }
  Item.reset();  // with its picture, animator and tag
}

void TCustomRVData::Clear() {
  StateFlagRestorer restore(FState, rvstClearing);
  FState.Include(rvstClearing).Exclude(rvstFirstParaAborted).Exclude(rvstLastParaAborted);
  FContinuedListNo = -1;
  FContinuedListLevel = -1;
  // Every item goes and the list ends empty before a failure of one item's
  // actions is raised.
  FirstFailure failure;
  if (!ShareItems()) {
    for (int i = 0; i < GetItemCount(); ++i) failure.Run([&] { FreeItem(i, true); });
    FItemList->Clear();
  }
  if (FPendingCheckpoint) {
    FPendingCheckpoint.reset();
    --FCheckpointCount;
  }
  FChainFirst = nullptr;
  FChainLast = nullptr;
  if (auto* properties = GetDocProperties()) properties->clear();
  failure.Rethrow();
}

void TCustomRVData::DeleteItems(int FirstItemNo, int Count) {
  if (ShareItems() || FirstItemNo >= GetItemCount() || Count <= 0) return;
  Count = std::min(Count, GetItemCount() - FirstItemNo);
  // As in Clear: the whole range goes before a failure is raised.
  FirstFailure failure;
  for (int i = FirstItemNo; i < FirstItemNo + Count; ++i) failure.Run([&] { FreeItem(i, false); });
  FItemList->DeleteRange(FirstItemNo, Count);
  failure.Rethrow();
}

// ---------------------------------------------------------------- checkpoints

void TCustomRVData::LinkCheckpointAfter(TRVCPInfo* CP, TRVCPInfo* After) {
  CP->Prev = After;
  CP->Next = After ? After->Next : FChainFirst;
  if (CP->Next)
    CP->Next->Prev = CP;
  else
    FChainLast = CP;
  if (After)
    After->Next = CP;
  else
    FChainFirst = CP;
}

void TCustomRVData::UnlinkCheckpoint(TRVCPInfo* CP) {
  if (CP->Prev)
    CP->Prev->Next = CP->Next;
  else if (FChainFirst == CP)
    FChainFirst = CP->Next;
  if (CP->Next)
    CP->Next->Prev = CP->Prev;
  else if (FChainLast == CP)
    FChainLast = CP->Prev;
  CP->Next = nullptr;
  CP->Prev = nullptr;
}

void TCustomRVData::CheckCheckpoint(const TRVCPInfo* CP) const {
  if (!CP) throw ERichViewError(errRVNil);
}

int TCustomRVData::AddNamedCheckpointExTag(const UnicodeString& Name, bool RaiseEvent, TRVTag Tag) {
  if (FPendingCheckpoint) return FCheckpointCount - 1;
  FPendingCheckpoint = std::make_unique<TRVCPInfo>();
  FPendingCheckpoint->Name = Name;
  FPendingCheckpoint->RaiseEvent = RaiseEvent;
  FPendingCheckpoint->Tag = std::move(Tag);
  return FCheckpointCount++;
}

TRVCPInfo* TCustomRVData::GetFirstCheckpoint() const { return FChainFirst ? FChainFirst : FPendingCheckpoint.get(); }

TRVCPInfo* TCustomRVData::GetLastCheckpoint() const { return FPendingCheckpoint ? FPendingCheckpoint.get() : FChainLast; }

TRVCPInfo* TCustomRVData::GetNextCheckpoint(const TRVCPInfo* CP) const {
  CheckCheckpoint(CP);
  if (CP == FPendingCheckpoint.get()) return nullptr;
  if (CP == FChainLast) return FPendingCheckpoint.get();
  return CP->Next;
}

TRVCPInfo* TCustomRVData::GetPrevCheckpoint(const TRVCPInfo* CP) const {
  CheckCheckpoint(CP);
  if (CP == FPendingCheckpoint.get()) return FChainLast;
  return CP->Prev;
}

TRVCPInfo* TCustomRVData::GetCheckpointByNo(int No) const {
  if (No < 0 || No >= FCheckpointCount) throw ERichViewError(errRVNoSuchCP(No));
  TRVCPInfo* cp = FChainFirst;
  for (int i = 0; i < No && cp; ++i) cp = cp->Next;
  return cp ? cp : FPendingCheckpoint.get();
}

int TCustomRVData::GetCheckpointItemNo(const TRVCPInfo* CP) const {
  CheckCheckpoint(CP);
  if (CP == FPendingCheckpoint.get()) return -1;
  const int itemNo = GetItemNo(CP->ItemInfo);
  if (itemNo < 0) throw ERichViewError(errRVCPByCP);
  return itemNo;
}

int TCustomRVData::GetCheckpointNo(const TRVCPInfo* CP) const {
  CheckCheckpoint(CP);
  int no = 0;
  for (const TRVCPInfo* cp = FChainFirst; cp; cp = cp->Next, ++no)
    if (cp == CP) return no;
  if (CP == FPendingCheckpoint.get()) return no;
  throw ERichViewError(errRVCPByCP);
}

TRVCPInfo* TCustomRVData::FindCheckpointByName(const UnicodeString& Name) const {
  for (TRVCPInfo* cp = GetFirstCheckpoint(); cp; cp = GetNextCheckpoint(cp))
    if (cp->Name == Name) return cp;
  return nullptr;
}

TRVCPInfo* TCustomRVData::FindCheckpointByTag(const TRVTag& Tag) const {
  for (TRVCPInfo* cp = GetFirstCheckpoint(); cp; cp = GetNextCheckpoint(cp))
    if (cp->Tag.SameAs(Tag)) return cp;
  return nullptr;
}

void TCustomRVData::GetCheckpointInfo(const TRVCPInfo* CP, const TRVTag*& Tag, UnicodeString& Name,
                                      bool& RaiseEvent) const {
  CheckCheckpoint(CP);
  Tag = &CP->Tag;
  Name = CP->Name;
  RaiseEvent = CP->RaiseEvent;
}

void TCustomRVData::SetCheckpointInfo(int ItemNo, TRVTag Tag, const UnicodeString& Name, bool RaiseEvent) {
  TCustomRVItemInfo& item = Item(ItemNo);
  if (!item.Checkpoint) {
    auto cp = std::make_unique<TRVCPInfo>();
    cp->ItemInfo = &item;
    // The chain is in item order: the new one follows the nearest earlier checkpoint.
    TRVCPInfo* after = nullptr;
    for (int i = ItemNo - 1; i >= 0 && !after; --i)
      if (TCustomRVItemInfo* earlier = FItemList->GetObject(i)) after = earlier->Checkpoint.get();
    LinkCheckpointAfter(cp.get(), after);
    item.Checkpoint = std::move(cp);
    ++FCheckpointCount;
  }
  TRVCPInfo& cp = *item.Checkpoint;
  if (!Tag.SameAs(cp.Tag)) cp.Tag = std::move(Tag);
  cp.Name = Name;
  cp.RaiseEvent = RaiseEvent;
}

bool TCustomRVData::RemoveCheckpoint(int ItemNo) {
  TCustomRVItemInfo& item = Item(ItemNo);
  if (!item.Checkpoint) return false;
  UnlinkCheckpoint(item.Checkpoint.get());
  item.Checkpoint.reset();
  --FCheckpointCount;
  return true;
}

// ---------------------------------------------------------------- copying

void TCustomRVData::AppendFrom(TCustomRVData& Source) {
  if (GetOptions().Contains(rvoTagsArePChars) != Source.GetOptions().Contains(rvoTagsArePChars))
    throw ERichViewError(errRVTagsTypesMismatch);
  const int count = Source.GetItemCount();  // fixed first: a document may append itself
  for (int i = 0; i < count; ++i) {
    const TCustomRVItemInfo& source = Source.Item(i);
    auto item = RV_DuplicateItem(source, this, true);
    if (!item->GetBoolValue(rvbpValid)) continue;
    if (item->GetSameAsPrev()) item->ParaNo = -1;
    AddItemR(source.Text, std::move(item));
  }
}

}  // namespace quorix
