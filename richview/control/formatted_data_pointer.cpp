// Pointer tracking in a formatted document: the hot area or drawing item
// under the pointer, the cursor it shows, hover repaints of hot-cold jumps,
// the item hint, and a press and release over one hot area becoming a jump.

#include "richview/layout/formatted_data.h"
#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

// Hot areas are kept in document coordinates; (X, Y) is a client point.
// Moving the pointer tests with the right and bottom edges outside, a press
// and a release with every edge inside.
bool HotAreaHolds(const TRVJumpInfo& Jump, int X, int Y, int ZH, int ZV, bool EdgesInside) {
  const int left = Jump.Left - ZH;
  const int top = Jump.Top - ZV;
  if (EdgesInside) return X >= left && X <= left + Jump.Width && Y >= top && Y <= top + Jump.Height;
  return X >= left && X < left + Jump.Width && Y >= top && Y < top + Jump.Height;
}

// Clears the control's hint: the outermost document's hint for no item.
void ClearHint(TCustomRVFormattedData& Data) {
  if (!Data.GetOptions().Contains(rvoShowItemHints)) return;
  Data.SetControlHint(Data.GetAbsoluteRootData()->GetItemHint(&Data, -1, UnicodeString()));
}

}  // namespace

void TCustomRVFormattedData::SearchHotItem(int X, int Y, int HOffs, int VOffs) {
  if (FCaptureItem) return;
  const int px = X + HOffs;
  const int py = Y + VOffs;
  if (FHotDrawItemNo != -1) {
    if (FHotDrawItemNo < 0 || FHotDrawItemNo >= DrawItems.Count()) {
      FHotDrawItemNo = -1;
    } else {
      // The item the pointer was over: kept while the pointer stays on it.
      const TRVDrawLineInfo* d = DrawItems[FHotDrawItemNo];
      const int top = d->Top - d->GetExtraSpaceAbove();
      if (!(px >= d->Left && px < d->Left + d->Width && py >= top && py < top + d->Height)) FHotDrawItemNo = -1;
    }
  }
  if (FHotDrawItemNo == -1) FHotDrawItemNo = FindDrawItemAtPos(px, py);
}

void TCustomRVFormattedData::MouseMove(TShiftState Shift, int X, int Y) {
  TRVStyle* style = GetRVStyle();
  if (!style) return;
  if (FState.Contains(rvstMakingSelection) && !Shift.Contains(ssLeft)) FState.Exclude(rvstMakingSelection);
  const int ZH = GetHOffs();
  const int ZV = GetVOffs();
  if (!FCaptureItem) {
    // Beside the text, the pointer selects whole lines.
    if (style->LineSelectCursor != -1 && !FState.Contains(rvstMakingSelection) && GetBiDiMode() != rvbdRightToLeft &&
        X + ZH < GetLeftMargin() && GetOptions().Contains(rvoAllowSelection)) {
      ClearHint(*this);
      SetCursor(style->LineSelectCursor);
      return;
    }
    if (GetFlags().Contains(rvflUseJumps)) {
      for (const auto& jump : Jumps) {
        if (!HotAreaHolds(*jump, X, Y, ZH, ZV, false)) continue;
        TRVJumpInfo& area = *jump;
        SetCursor(area.Cursor);
        if (!FHotRVData || FHotRVData->FHotJumpNo != area.Id) DoRVMouseMove(FirstJumpNo + area.Id);
        if (FHotRVData && FHotRVData->FState.Contains(rvstDrawHover) &&
            (FHotRVData != area.RVData || FHotRVData->FHotJumpNo != area.Id)) {
          FHotRVData->FState.Exclude(rvstDrawHover);
          FHotRVData->InvalidateJumpRect(FHotRVData->FHotJumpNo);
        }
        TCustomRVFormattedData& data = *area.RVData;
        data.FHotJumpNo = area.Id;
        const TRVDrawLineInfo* d = data.DrawItems[area.DrawItemNo];
        TCustomRVItemInfo* item = data.GetItem(d->ItemNo);
        item->MouseMove(Shift, X + ZH - d->Left, Y + ZV - d->Top, d->ItemNo, &data);
        FHotRVData = &data;
        // Only hot-cold jumps look different under the pointer.
        if (!data.FState.Contains(rvstDrawHover) && item->GetBoolValueEx(rvbpHotColdJump, style)) {
          data.FState.Include(rvstDrawHover);
          data.InvalidateJumpRect(area.Id);
        }
        return;
      }
      if (FHotRVData) {
        TCustomRVFormattedData& data = *FHotRVData;
        data.FState.Exclude(rvstDrawHover);
        data.InvalidateJumpRect(data.FHotJumpNo);
        data.FHotJumpNo = -1;
        FHotRVData = nullptr;
        DoRVMouseMove(-1);
      }
    }
  }
  SearchHotItem(X, Y, ZH, ZV);
  if (FHotDrawItemNo == -1) {
    ClearHint(*this);
    SetCursor(GetNormalCursor());
    return;
  }
  const TRVDrawLineInfo* d = DrawItems[FHotDrawItemNo];
  if (!GetItem(d->ItemNo)->MouseMove(Shift, X + ZH - d->Left, Y + ZV - d->Top, d->ItemNo, this))
    SetCursor(GetNormalCursor());
}

void TCustomRVFormattedData::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const int ZH = GetHOffs();
  const int ZV = GetVOffs();
  SearchHotItem(X, Y, ZH, ZV);
  FClickedDrawItemNo = FHotDrawItemNo;
  const bool doubleClick = Shift.Contains(ssDouble);
  int itemNo = -1;
  if (!doubleClick) SetFocusToWindow();
  if (FHotDrawItemNo != -1) {
    const TRVDrawLineInfo* d = DrawItems[FHotDrawItemNo];
    itemNo = d->ItemNo;
    GetItem(itemNo)->MouseDown(Button, Shift, X + ZH - d->Left, Y + ZV - d->Top, itemNo, this);
  }
  if (IsAssignedRVMouseDown()) DoRVMouseDown(Button, Shift, itemNo, X, Y);
  if (Button == mbLeft) {
    FPressedJumpNo = -1;
    for (const auto& jump : Jumps) {
      if (HotAreaHolds(*jump, X, Y, ZH, ZV, true)) {
        FPressedJumpNo = jump->Id;
        break;
      }
    }
  }
}

void TCustomRVFormattedData::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const int ZH = GetHOffs();
  const int ZV = GetVOffs();
  SearchHotItem(X, Y, ZH, ZV);
  int itemNo = -1;
  if (FHotDrawItemNo != -1) {
    const TRVDrawLineInfo* d = DrawItems[FHotDrawItemNo];
    itemNo = d->ItemNo;
    GetItem(itemNo)->MouseUp(Button, Shift, X + ZH - d->Left, Y + ZV - d->Top, itemNo, this);
  }
  if (FCaptureItem) return;
  // Focusable items take the focus only with tab navigation, which documents
  // here do not offer; nothing is ever selected either.
  if (IsAssignedRVMouseUp()) DoRVMouseUp(Button, Shift, itemNo, X, Y);
  if (Button != mbLeft || FPressedJumpNo == -1 || !IsAssignedJump()) return;
  // A jump only when the press and the release are over the same hot area.
  const int pressed = FPressedJumpNo;
  FPressedJumpNo = -1;
  for (const auto& jump : Jumps) {
    if (jump->Id == pressed && HotAreaHolds(*jump, X, Y, ZH, ZV, true)) {
      DoJump(FirstJumpNo + pressed);
      return;
    }
  }
  FClickedDrawItemNo = -1;
}

void TCustomRVFormattedData::MouseLeave() {
  if (!GetFlags().Contains(rvflUseJumps)) return;
  TCustomRVFormattedData* data = FHotRVData;
  const int old = data ? data->FHotJumpNo : -1;
  ClearLastJump();
  if (old != -1) data->InvalidateJumpRect(old);
}

void TCustomRVFormattedData::ClearLastJump() {
  if (FHotRVData) {
    FHotRVData->FState.Exclude(rvstDrawHover);
    FHotRVData->FHotJumpNo = -1;
    FHotRVData->FPressedJumpNo = -1;
    DoRVMouseMove(-1);
  }
  FState.Exclude(rvstDrawHover);
  FHotJumpNo = -1;
  FPressedJumpNo = -1;
  FHotRVData = nullptr;
}

}  // namespace quorix
