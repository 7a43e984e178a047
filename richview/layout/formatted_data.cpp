#include "richview/layout/formatted_data.h"

#include <algorithm>

#include "richview/document/picture_items.h"
#include "richview/styles/rv_settings.h"
#include "richview/styles/rv_style.h"

namespace quorix {

TCustomRVFormattedData::TCustomRVFormattedData() = default;

TCustomRVFormattedData::~TCustomRVFormattedData() = default;

void TCustomRVFormattedData::Clear() {
  ClearTemporal();
  TCustomRVData::Clear();
}

// ---------------------------------------------------------------- helpers

const TCustomRVParaInfo& TCustomRVFormattedData::ParaOf(int ItemNo) const {
  return GetRVStyle()->ParaStyles[GetItemPara(ItemNo)];
}

TRVBiDiMode TCustomRVFormattedData::GetParaBiDiMode(int ParaNo) {
  const TRVBiDiMode mode = GetRVStyle()->ParaStyles[ParaNo].BiDiMode;
  return mode != rvbdUnspecified ? mode : GetBiDiMode();
}

bool TCustomRVFormattedData::PrevIsListMarker(int ItemNo) const {
  return ItemNo > 0 && GetItemStyle(ItemNo - 1) == rvsListMarker;
}

TCustomRVFormattedData::ItemTexts TCustomRVFormattedData::GetItemTexts(int ItemNo) const {
  const TCustomRVItemInfo* item = GetItem(ItemNo);
  const int style = GetActualStyle(*item);
  const TFontInfo& fontInfo = GetRVStyle()->TextStyles[style];
  ItemTexts t;
  t.Unicode = item->ItemOptions.Contains(rvioUnicode);
  t.CodePage = GetStyleCodePage(style);
  if (t.Unicode) {
    t.StoredW = RVU_RawUnicodeToWideString(item->Text);
    t.DisplayW = RV_ReturnProcessedString(t.StoredW, fontInfo, GetOptions().Contains(rvoShowSpecialCharacters));
  } else {
    t.StoredA = item->Text;
    t.DisplayA = RV_ReturnProcessedString(t.StoredA, fontInfo, t.CodePage);
  }
  return t;
}

char16_t TCustomRVFormattedData::StoredCharAt(int ItemNo, int Index) const {
  const TCustomRVItemInfo* item = GetItem(ItemNo);
  const TRVRawByteString& text = item->Text;
  if (Index < 0) return 0;
  const auto i = static_cast<std::size_t>(Index);
  if (item->ItemOptions.Contains(rvioUnicode)) {
    if (2 * i + 1 >= text.size()) return 0;
    return static_cast<char16_t>(static_cast<unsigned char>(text[2 * i]) |
                                 (static_cast<unsigned char>(text[2 * i + 1]) << 8));
  }
  return i < text.size() ? static_cast<char16_t>(static_cast<unsigned char>(text[i])) : 0;
}

bool TCustomRVFormattedData::PieceBeginsWithSpace(int DItemNo) const {
  const TRVDrawLineInfo* d = DrawItems[DItemNo];
  return GetItemStyle(d->ItemNo) >= 0 && d->Length >= 1 && StoredCharAt(d->ItemNo, d->Offs - 1) == u' ';
}

TRVJumpInfo* TCustomRVFormattedData::JumpOfDrawItem(int DItemNo) const {
  for (auto it = Jumps.rbegin(); it != Jumps.rend(); ++it) {
    if ((*it)->RVData == this && (*it)->DrawItemNo == DItemNo) return it->get();
    if ((*it)->DrawItemNo < DItemNo) break;  // jumps are appended in drawing-item order
  }
  return nullptr;
}

int TCustomRVFormattedData::LineStart(int DItemNo) const {
  while (DItemNo > 0 && DrawItems[DItemNo]->FromNewLine == 0) --DItemNo;
  return DItemNo;
}

TRVDrawLineInfoClass TCustomRVFormattedData::GetStandardDrawLineInfoClass(const TCustomRVItemInfo& Item) const {
  return quorix::GetStandardDrawLineInfoClass(Item, GetRVStyle()->ParaStyles[Item.ParaNo]);
}

// ---------------------------------------------------------------- metrics cache

void TCustomRVFormattedData::CreateFontInfoCache(TCanvas& Canvas) {
  TRVStyle& style = *GetRVStyle();
  const bool customPPI = GetFlags().Contains(rvflCanUseCustomPPI);
  if (GetOptions().Contains(rvoFastFormatting) && RVNT)
    FFontInfoCache = std::make_unique<TRVFontInfoCacheFast>(style, Canvas, customPPI);
  else
    FFontInfoCache = std::make_unique<TRVFontInfoCacheLowResource>(style, Canvas, customPPI);
}

TRVFontInfoCache* TCustomRVFormattedData::GetFontInfoCache(TCanvas&, TCustomRVFormattedData*) {
  return FFontInfoCache.get();
}

void TCustomRVFormattedData::DestroyFontInfoCache() { FFontInfoCache.reset(); }

// ---------------------------------------------------------------- items and drawing items

void TCustomRVFormattedData::Item2FirstDrawItem(int ItemNo, int& DItemNo) const {
  DItemNo = ItemNo < 0 ? -1 : GetItem(ItemNo)->FirstDrawItemNo;
}

void TCustomRVFormattedData::Item2LastDrawItem(int ItemNo, int& DItemNo) const {
  if (ItemNo < 0) {
    DItemNo = -1;
    return;
  }
  int offs = 0;
  Item2DrawItem(ItemNo, GetOffsAfterItem(ItemNo), DItemNo, offs);
}

void TCustomRVFormattedData::Item2DrawItem(int ItemNo, int ItemOffs, int& DItemNo, int& DItemOffs) const {
  DItemOffs = 0;
  if (ItemNo < 0) {
    DItemNo = -1;
    return;
  }
  DItemNo = GetItem(ItemNo)->FirstDrawItemNo;
  if (DItemNo < 0 || DItemNo >= DrawItems.Count()) {
    DItemNo = -1;
    return;
  }
  if (GetItemStyle(ItemNo) < 0) {
    DItemOffs = ItemOffs - DrawItems[DItemNo]->Offs;
    return;
  }
  const TRVDrawLineInfo* first = DrawItems[DItemNo];
  if (ItemOffs < first->Offs) {
    // A position in a space dropped before the item's first piece.
    DItemOffs = GetOffsBeforeDrawItem(DItemNo);
    return;
  }
  int last = DItemNo;
  for (int d = DItemNo; d < DrawItems.Count() && DrawItems[d]->ItemNo == ItemNo; ++d) {
    const TRVDrawLineInfo* piece = DrawItems[d];
    if (piece->Offs <= ItemOffs && ItemOffs <= piece->Offs + piece->Length) {
      DItemNo = d;
      DItemOffs = ItemOffs - piece->Offs + 1;
      return;
    }
    last = d;
  }
  // Beyond every piece (after a space dropped at the end of the last one):
  // the last piece, just after its text.
  DItemNo = last;
  DItemOffs = std::min(ItemOffs - DrawItems[last]->Offs + 1, GetOffsAfterDrawItem(last));
}

void TCustomRVFormattedData::DrawItem2Item(int DItemNo, int DItemOffs, int& ItemNo, int& ItemOffs) const {
  if (DItemNo < 0 || DItemNo >= DrawItems.Count()) {
    ItemNo = -1;
    ItemOffs = 0;
    return;
  }
  const TRVDrawLineInfo* d = DrawItems[DItemNo];
  ItemNo = d->ItemNo;
  ItemOffs = GetItemStyle(ItemNo) < 0 ? DItemOffs : DItemOffs + d->Offs - 1;
}

int TCustomRVFormattedData::GetOffsBeforeDrawItem(int DItemNo) const {
  return GetDrawItemStyle(DItemNo) < 0 ? 0 : 1;
}

int TCustomRVFormattedData::GetOffsAfterDrawItem(int DItemNo) const {
  return GetDrawItemStyle(DItemNo) < 0 ? 1 : DrawItems[DItemNo]->Length + 1;
}

int TCustomRVFormattedData::GetDrawItemStyle(int DItemNo) const { return GetItemStyle(DrawItems[DItemNo]->ItemNo); }

int TCustomRVFormattedData::FindDrawItemByItem(int ItemNo) const {
  if (ItemNo < 0) return -1;
  for (int i = 0; i < DrawItems.Count(); ++i)
    if (DrawItems[i]->ItemNo == ItemNo) return i;
  return -1;
}

bool TCustomRVFormattedData::IsDrawItemFromNewLine(int DItemNo) const {
  const TRVDrawLineInfo* d = DrawItems[DItemNo];
  if (d->FromNewLine != 0) return true;
  // A list marker and the text after it start their line together.
  if (DItemNo == 0) return false;
  const TRVDrawLineInfo* prev = DrawItems[DItemNo - 1];
  return prev->ItemNo != d->ItemNo && d->ItemNo == prev->ItemNo + 1 && GetItemStyle(prev->ItemNo) == rvsListMarker;
}

void TCustomRVFormattedData::GetScreenLineBounds(int DItemNo, int& First, int& Last) const {
  First = LineStart(DItemNo);
  Last = DItemNo;
  while (Last + 1 < DrawItems.Count() && DrawItems[Last + 1]->FromNewLine == 0) ++Last;
}

// ---------------------------------------------------------------- positions

int TCustomRVFormattedData::FindDrawItemAtPos(int X, int Y) const {
  const int n = DrawItems.Count();
  auto hit = [&](int i) {
    const TRVDrawLineInfo* d = DrawItems[i];
    return d->Left <= X && X < d->Left + d->Width && d->Top - d->GetExtraSpaceAbove() <= Y && Y < d->Top + d->Height;
  };
  auto lineTop = [&](int i) { return DrawItems[i]->Top - DrawItems[i]->GetExtraSpaceAbove(); };
  if (n == 0) return -1;
  if (hit(0)) return 0;
  if (n == 1) return -1;
  int lo = 1;
  int hi = n - 1;
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    if (Y < lineTop(mid))
      hi = mid;
    else
      lo = mid;
  }
  // Back over the rest of the line and over taller items before it that
  // still reach below its top.
  int i = lo;
  const int t = lineTop(i);
  while (i >= 1 && DrawItems[i - 1]->Top + DrawItems[i - 1]->Height > t) --i;
  for (; i < n; ++i)
    if (hit(i)) return i;
  return -1;
}

int TCustomRVFormattedData::GetDrawItemNo(int Y, int Mode) const {
  const int n = DrawItems.Count();
  if (n == 0 || Y <= DrawItems[0]->Top) return 0;
  if (Mode == 3 && Y > DrawItems[n - 1]->Top) return n - 1;
  int lo = 1;
  int hi = n - 1;
  int mid = 1;
  while (hi - lo > 1) {
    mid = (lo + hi) / 2;
    if (Y > DrawItems[mid]->Top)
      lo = mid;
    else if (Y > DrawItems[mid - 1]->Top)
      break;
    else
      hi = mid;
  }
  mid = std::min(mid, n - 1);
  if (Mode == 1) {
    // Two lines up, so that a tall item that begins above the view is painted.
    mid = LineStart(mid);
    if (mid > 0) mid = LineStart(mid - 1);
    if (mid > 0) --mid;
    return mid;
  }
  while (mid < n - 1 && Y > DrawItems[mid]->Top) ++mid;
  return mid;
}

int TCustomRVFormattedData::GetFirstItemVisible() const {
  if (DrawItems.Count() == 0) return -1;
  const int d = std::min(GetDrawItemNo(GetVOffs(), 1), DrawItems.Count() - 1);
  return DrawItems[d]->ItemNo;
}

int TCustomRVFormattedData::GetLastItemVisible() const {
  if (DrawItems.Count() == 0) return -1;
  const int d = std::min(GetDrawItemNo(GetVOffs() + GetHeight(), 3), DrawItems.Count() - 1);
  return DrawItems[d]->ItemNo;
}

void TCustomRVFormattedData::AdjustJumpsCoords() {
  for (const auto& jump : Jumps) {
    int x = 0;
    int y = 0;
    jump->RVData->GetOrigin(x, y);
    y -= jump->RVData->GetRVDataExtraVOffs();
    const TRVDrawLineInfo* d = jump->RVData->DrawItems[jump->DrawItemNo];
    jump->Left = d->Left + x;
    jump->Top = d->Top + y;
  }
}

void TCustomRVFormattedData::ClearTemporal() {
  DrawItems.Clear();
  Jumps.clear();
  NextJumpIndex = 0;
  LastFormattedItemNo = -1;
  ForgetDrawItemReferences();
  DocumentHeight = GetTopMargin() + GetBottomMargin();
}

}  // namespace quorix
