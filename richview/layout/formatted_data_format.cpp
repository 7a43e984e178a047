// The formatting pass: the widths a document is laid out at, every item fed
// through line formatting, the document's height, and the hand-over of its
// size to the window, which may ask for a second pass.

#include <algorithm>

#include "platform/flag_guard.h"
#include "richview/layout/formatted_data.h"
#include "richview/styles/rv_style.h"

namespace quorix {

void TCustomRVFormattedData::Format(bool NoCaching) { Format_(false, true, false, 0, nullptr, false, NoCaching, false); }

void TCustomRVFormattedData::Reformat() { Format_(true, true, false, 0, nullptr, false, true, true); }

void TCustomRVFormattedData::FormatTail() { Format_(false, true, false, 0, nullptr, true, true, false); }

void TCustomRVFormattedData::Format_(bool KeepPosition, bool Force, bool NoScroll, int Depth, TCanvas* Canvas,
                                     bool OnlyTail, bool NoCaching, bool Reformatting) {
  // A request made while the pass hands its size over is dropped.
  if (InSetDocumentSize) {
    InSetDocumentSize = false;
    return;
  }
  if (Depth > 1 || !GetRVStyle() || FState.Contains(rvstSkipFormatting)) return;
  if (OnlyTail && LastFormattedItemNo >= GetItemCount() - 1) return;
  if (!Canvas) Canvas = GetFormatCanvas();
  if (!Canvas) return;  // nothing to measure with
  if (Depth == 0) StartFormatting();

  auto finish = [&] {
    if (Depth != 0) return;
    EndFormatting();
    LastFormattedItemNo = GetItemCount() - 1;
    Formatted(0, GetItemCount() - 1, false);
    DoAfterFormat();
  };

  try {
    TRVFormatParams params;
    params.FirstLine = true;
    params.HasAbsVAlign = false;
    params.LastTextStyle = -1;
    params.FirstParaItemNo = -1;
    params.PendingTabNo = -1;
    params.CharsOnLine = 0;
    params.MaxLength = GetMaxLength();
    params.NoCaching = NoCaching;
    params.Reformatting = Reformatting;
    params.WordWrap = IsWordWrapAllowed();
    params.SpaceSkipped = false;

    // Where the view is, as an item and an offset into it, to come back to.
    int keepItemNo = -1;
    int keepOffset = 0;
    int tailVOffs = 0;
    if (Depth == 0) {
      if (KeepPosition) {
        StoreSelBounds();
        if (!NoScroll && DrawItems.Count() > 0) {
          const int d = std::min(GetDrawItemNo(GetVOffs(), 1), DrawItems.Count() - 1);
          keepItemNo = DrawItems[d]->ItemNo;
          int first = GetItem(keepItemNo)->FirstDrawItemNo;
          if (first < 0 || first >= DrawItems.Count()) first = d;
          keepOffset = GetVOffs() - DrawItems[first]->Top;
        }
      }
      if (OnlyTail) tailVOffs = GetVOffs();
    }

    const int oldTextWidth = TextWidth;
    const int oldDocumentWidth = DocumentWidth;
    TRVScreenAndDevice sad;
    GetSADForFormatting(*Canvas, sad);
    sad.DeviceLeftMargin = RV_XToDevice(GetLeftMargin(), sad);
    sad.DeviceRightMargin = RV_XToDevice(GetRightMargin(), sad);

    int start = OnlyTail ? LastFormattedItemNo + 1 : 0;
    const int areaWidth = GetWidth() - sad.DeviceLeftMargin - sad.DeviceRightMargin;
    const int minTextWidth = RV_XToDevice(GetMinTextWidth(), sad);
    DocumentWidth = std::max(areaWidth, CalculateMinDocWidthPlus(start, &sad, *Canvas));
    if (DocumentWidth < minTextWidth) DocumentWidth = minTextWidth;
    if (GetOptions().Contains(rvoClientTextWidth)) {
      TextWidth = std::max(areaWidth, minTextWidth);
    } else {
      const int maxTextWidth = RV_XToDevice(GetMaxTextWidth(), sad);
      TextWidth = maxTextWidth < 1 ? DocumentWidth : std::min(maxTextWidth, DocumentWidth);
    }

    if (Force || !KeepPosition || TextWidth != oldTextWidth || DocumentWidth != oldDocumentWidth) {
      if (OnlyTail) {
        params.BaseLine = DocumentHeight - GetBottomMargin();
        if (LastFormattedItemNo >= 0 && LastFormattedItemNo < GetItemCount())
          params.BaseLine -= RV_YToDevice(ParaOf(LastFormattedItemNo).SpaceAfter, sad);
      } else {
        params.BaseLine = GetTopMargin();
        ClearTemporal();
        start = 0;
      }
      params.CurX = 0;
      params.LineDescent = 0;
      params.LineWidth = -1;  // both set when the first line starts
      params.LineLeft = 0;
      params.DrawItemCount = DrawItems.Count();
      params.FirstLine = true;
      params.PendingTabNo = -1;
      CreateFontInfoCache(*Canvas);
      struct CacheRelease {
        TCustomRVFormattedData& data;
        ~CacheRelease() { data.DestroyFontInfoCache(); }
      } release{*this};
      params.FontInfoCache = GetFontInfoCache(*Canvas, this);
      params.MeasureCanvas = Canvas;

      for (int i = start; i < GetItemCount(); ++i) {
        const TCustomRVItemInfo* item = GetItem(i);
        if (!item->GetSameAsPrev() && !item->GetBR()) params.FirstParaItemNo = i;
        if (GetActualStyle(*item) < 0) {
          FormatLine(TRVTextRun{}, TRVTextRun{}, 0, static_cast<int>(item->Text.size()), i, *Canvas, sad, params);
        } else if (ParaOf(i).Alignment == rvaJustify) {
          FormatWords(i, *Canvas, params, sad);
        } else {
          const ItemTexts texts = GetItemTexts(i);
          const TRVTextRun display = texts.DisplayRun();
          FormatLine(display, texts.StoredRun(), 0, display.Length(), i, *Canvas, sad, params);
        }
      }
      UpdateLastTab(params);
      int extra = 0;
      FinishScreenLine(sad, params.LineWidth + params.LineLeft, params.DrawItemCount, params.BaseLine,
                       params.LineHeightAbove, params.LineHeightBelow, !FState.Contains(rvstLastParaAborted),
                       params.HasAbsVAlign, extra, params.FirstLine, params.MeasureCanvas);
      params.FontInfoCache = nullptr;
      params.MeasureCanvas = nullptr;
      DestroyFontInfoCache();

      DocumentHeight = GetBottomMargin() + params.BaseLine + params.LineDescent + extra;
      if (GetItemCount() > 0) DocumentHeight += RV_YToDevice(ParaOf(GetItemCount() - 1).SpaceAfter, sad);
      AdjustVScrollUnits();
      AdjustJumpsCoords();
    }

    // The window learns the document's size; a scroll bar may come or go,
    // which changes the area, and then the document is laid out once more.
    const int width0 = GetWidth();
    const int height0 = GetHeight();
    {
      TFlagGuard handingOver(InSetDocumentSize);
      SetDocumentAreaSize(GetLeftMargin() + DocumentWidth + GetRightMargin(), DocumentHeight, true);
    }
    if (GetWidth() != width0 || GetHeight() != height0) {
      EndFormatting();
      Format_(KeepPosition, Force, NoScroll, Depth + 1, Canvas, false, NoCaching, Reformatting);
      StartFormatting();
    }

    if (Depth == 0) {
      if (KeepPosition && !NoScroll) {
        const int d = FindDrawItemByItem(keepItemNo);
        ScrollTo(d >= 0 ? DrawItems[d]->Top + keepOffset : 0, false);
      }
      AdjustChildrenCoords();
      if (OnlyTail) ScrollTo(GetOptions().Contains(rvoScrollToEnd) ? DocumentHeight : tailVOffs, true);
      if (KeepPosition) RestoreSelBounds();
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

// ---------------------------------------------------------------- widths

int TCustomRVFormattedData::CalculateMinDocWidthPlus(int Start, const TRVScreenAndDevice* SaD, TCanvas& Canvas) {
  // On the screen itself nothing needs converting.
  if (SaD && RV_SaDIsScreen(*SaD)) SaD = nullptr;
  if (GetItemCount() == 0 || Start >= GetItemCount()) return 0;
  return CalculateParaSectionsMinWidth(std::max(Start, 0), GetItemCount() - 1, SaD, Canvas);
}

int TCustomRVFormattedData::CalculateParaSectionsMinWidth(int FirstItemNo, int LastItemNo,
                                                          const TRVScreenAndDevice* SaD, TCanvas& Canvas) {
  int result = 0;
  int i = GetFirstParaSectionItem(FirstItemNo);
  while (i <= LastItemNo) {
    int j = i + 1;
    while (j <= LastItemNo && !IsFromNewLine(j)) ++j;
    result = std::max(result, CalculateParaSectionMinWidth(i, j - 1, SaD, Canvas));
    i = j;
  }
  return result;
}

int TCustomRVFormattedData::CalculateParaSectionMinWidth(int First, int Last, const TRVScreenAndDevice* SaD,
                                                         TCanvas& Canvas) {
  const TCustomRVParaInfo& para = ParaOf(First);
  if (!para.Options.Contains(rvpaoNoWrap) && IsWordWrapAllowed())
    return CalculateMinItemsWidthPlus(First, Last, SaD, Canvas);
  // A section that does not wrap is one line: all of it side by side.
  int width = CalculatePureParaSectionWidth(First, SaD);
  TRVStyle& style = *GetRVStyle();
  const bool customPPI = GetFlags().Contains(rvflCanUseCustomPPI);
  for (int i = First; i <= Last; ++i) {
    TCustomRVItemInfo* item = GetItem(i);
    const int styleNo = GetActualStyle(*item);
    if (styleNo < 0) {
      width += item->GetMinWidth(SaD, &Canvas, this);
      continue;
    }
    style.ApplyStyle(Canvas, styleNo, GetParaBiDiMode(item->ParaNo), customPPI);
    const ItemTexts texts = GetItemTexts(i);
    const TRVTextRun display = texts.DisplayRun();
    width += display.Extent(Canvas, 0, display.Length()).cx;
  }
  return width;
}

int TCustomRVFormattedData::CalculateMinItemsWidthPlus(int First, int Last, const TRVScreenAndDevice* SaD,
                                                       TCanvas& Canvas) {
  const int indent = CalculatePureParaSectionWidth(First, SaD);
  int result = 0;
  for (int i = First; i <= Last; ++i) {
    int width = indent + GetItem(i)->GetMinWidth(SaD, &Canvas, this);
    // A list marker and the item after it cannot be parted.
    if (i > First && PrevIsListMarker(i)) width += GetItem(i - 1)->GetMinWidth(SaD, &Canvas, this);
    result = std::max(result, width);
  }
  return result;
}

int TCustomRVFormattedData::CalculatePureParaSectionWidth(int ItemNo, const TRVScreenAndDevice* SaD) const {
  int firstIndent = 0;
  int width = GetMaxIndent(ItemNo, firstIndent);
  if (firstIndent >= 1 && !GetItem(ItemNo)->GetBoolValue(rvbpFullWidth)) width += firstIndent;
  return RV_XToDevice(width, SaD);
}

int TCustomRVFormattedData::GetMaxIndent(int ItemNo, int& FirstIndent) const {
  // List paragraphs would take their level's indents; documents here have none.
  const TCustomRVParaInfo& para = ParaOf(ItemNo);
  FirstIndent = para.FirstIndent;
  return para.LeftIndent + para.RightIndent;
}

}  // namespace quorix
