// Line formatting: placing one item after another onto screen lines, and
// closing each line (alignment, line spacing, justification).

#include <algorithm>
#include <cmath>

#include "richview/document/break_item.h"
#include "richview/document/picture_items.h"
#include "richview/document/tab_item.h"
#include "richview/layout/formatted_data.h"
#include "richview/layout/layout_settings.h"
#include "richview/layout/line_break.h"
#include "richview/styles/rv_settings.h"
#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

bool FixedHeight(const TCustomRVParaInfo& Para) {
  return Para.LineSpacingType == rvlsLineHeightExact || Para.LineSpacingType == rvlsLineHeightAtLeast;
}

// A fixed line height makes the line's ascent exactly, or at least, its part
// above the baseline.
bool ForcesAscent(const TCustomRVParaInfo& Para, int Ascent, const TRVFormatParams& Params) {
  return Para.LineSpacingType == rvlsLineHeightExact ||
         (Para.LineSpacingType == rvlsLineHeightAtLeast && Ascent < Params.LineHeightAbove);
}

// A text piece opens a new line: the line takes the piece's ascent (or the
// fixed height's part above the baseline) and the baseline moves down past the
// previous line's descent. Returns the piece's top.
int OpenTextLine(int ExtraBelow, int Ascent, const TCustomRVParaInfo& Para, TRVFormatParams& Params) {
  Params.CurX = 0;
  Params.BaseLine += ExtraBelow;
  int top = Params.BaseLine + Params.LineDescent;
  Params.LineAscent = Ascent;
  if (ForcesAscent(Para, Params.LineAscent, Params)) {
    Params.LineAscent = Params.LineHeightAbove;
    top = Params.BaseLine + Params.LineDescent + Params.LineHeightAbove - Ascent;
  }
  Params.BaseLine += Params.LineDescent + Params.LineAscent;
  return top;
}

void ApplyFixedDescent(const TCustomRVParaInfo& Para, TRVFormatParams& Params) {
  if (Para.LineSpacingType == rvlsLineHeightExact ||
      (Para.LineSpacingType == rvlsLineHeightAtLeast && Params.LineDescent < Params.LineHeightBelow))
    Params.LineDescent = Params.LineHeightBelow;
}

// Uses the cache entry of another style than the current one for a moment,
// and leaves the current one selected again afterwards.
template <class F>
void WithOtherStyle(TRVFontInfoCache& Cache, int StyleNo, TRVBiDiMode BiDiMode, int CurrentStyle, F&& Use) {
  const TRVBiDiMode currentBiDi = Cache.ParaBiDiMode;
  Cache.LastTextStyle = CurrentStyle;
  Cache.ParaBiDiMode = BiDiMode;
  Use(Cache.GetItems(StyleNo));
  Cache.ParaBiDiMode = currentBiDi;
  if (CurrentStyle >= 0) Cache.GetItems(CurrentStyle);
}

int AboveBaseline(const TRVRectItemInfo& Item, int Height, int Desc) {
  switch (Item.VAlign) {
    case rvvaBaseline: return Height - Desc;
    case rvvaMiddle: return Height / 2;
    default: return 0;  // absolutely aligned: placed when the line is closed
  }
}

bool IsAbsolute(TRVVAlign VAlign) { return VAlign == rvvaAbsTop || VAlign == rvvaAbsBottom || VAlign == rvvaAbsMiddle; }

}  // namespace

// ---------------------------------------------------------------- one item

void TCustomRVFormattedData::FormatLine(const TRVTextRun& Text, const TRVTextRun& OrigText, int StartOffs, int Len,
                                        int ItemNo, TCanvas& Canvas, TRVScreenAndDevice& SaD,
                                        TRVFormatParams& Params) {
  TCustomRVItemInfo* item = GetItem(ItemNo);
  if (!item->GetSameAsPrev() && StartOffs == 0) {
    Params.NewParagraph = true;
    Params.SpaceSkipped = false;
  }
  if (GetActualStyle(*item) >= 0) {
    FormatText(Text, OrigText, StartOffs, Len, ItemNo, SaD, Params);
    return;
  }
  if (!dynamic_cast<TRVRectItemInfo*>(item)) {
    FormatFullLineItem(ItemNo, Canvas, SaD, Params);
    return;
  }
  FormatRectItem(ItemNo, Canvas, SaD, Params);
  if (item->GetBoolValue(rvbpDrawingChangesFont)) Params.LastTextStyle = -1;
  if (item->GetBoolValueEx(rvbpJump, GetRVStyle()) && GetFlags().Contains(rvflUseJumps)) {
    const TRVDrawLineInfo* d = DrawItems[Params.DrawItemCount - 1];
    auto jump = std::make_unique<TRVJumpInfo>();
    jump->RVData = this;
    jump->Width = d->Width;
    jump->Height = d->Height;
    jump->Id = NextJumpIndex;
    jump->DrawItemNo = Params.DrawItemCount - 1;
    jump->Cursor = item->GetHypertextCursor(*GetRVStyle());
    Jumps.push_back(std::move(jump));
    item->JumpIndex = NextJumpIndex++;
  }
}

void TCustomRVFormattedData::FormatRectItem(int ItemNo, TCanvas& Canvas, TRVScreenAndDevice& SaD,
                                            TRVFormatParams& Params) {
  auto* item = static_cast<TRVRectItemInfo*>(GetItem(ItemNo));
  const TCustomRVParaInfo& para = ParaOf(ItemNo);
  std::unique_ptr<TRVDrawLineInfo> drawItem = GetStandardDrawLineInfoClass(*item)();

  int hShift = 0;
  int desc = 0;
  item->OnDocWidthChange(TextWidth - RV_XToDevice(para.LeftIndent + para.RightIndent + para.FirstIndent, SaD),
                         drawItem.get(), GetFlags().Contains(rvflPrinting), &Canvas, this, &SaD, hShift, desc,
                         Params.NoCaching, Params.Reformatting);
  if (item->GetBoolValue(rvbpDrawingChangesFont)) Params.LastTextStyle = -1;

  int w = 0;
  int h = 0;
  if (item->GetBoolValueEx(rvbpActualPrintSize, GetRVStyle())) {
    w = drawItem->Width;
    h = drawItem->Height;
  } else {
    w = RV_XToDevice(item->GetWidth(), SaD);
    h = RV_YToDevice(item->GetHeight(), SaD);
    desc = RV_YToDevice(desc, SaD);
  }

  // Vertical shift: the associated text style's raise, or the item's own.
  int shift = 0;
  const int assocStyle = item->GetAssociatedTextStyleNo();
  if (assocStyle >= 0) {
    TTextMetric tm;
    WithOtherStyle(*Params.FontInfoCache, assocStyle, GetParaBiDiMode(item->ParaNo), Params.LastTextStyle,
                   [&](const TRVFontInfoCacheItem& e) {
                     shift = e.VerticalOffset;
                     tm = e.TextMetric;
                   });
    if (item->StyleNo == rvsTab) {
      // A tab is as tall as its text and reaches the next tab stop.
      h = tm.tmHeight;
      desc = tm.tmDescent;
    }
  } else if (item->VShiftAbs) {
    shift = RV_YToDevice(item->VShift, SaD);
  } else {
    shift = MulDiv(h, item->VShift, 100);
  }

  TRVTabStop tabStop;
  const bool isTab = item->StyleNo == rvsTab;
  if (isTab) {
    UpdateLastTab(Params);  // an earlier pending tab is complete now
    const int x = Params.CurX + Params.LineLeft - SaD.DeviceLeftMargin;
    tabStop = GetRVStyle()->GetNextTab(item->ParaNo, x, &SaD, GetParaBiDiMode(item->ParaNo), Params.BaseLeftIndent,
                                       Params.RightIndent);
    w = std::max(0, tabStop.Position - x);
    if (auto* tab = dynamic_cast<TRVTabItemInfo*>(item)) tab->TabWidth = w;
  }
  drawItem->SetSize(w, h);

  const bool continues =
      item->GetSameAsPrev() && !dynamic_cast<TRVMultiDrawItemInfo*>(drawItem.get()) &&
      ((Params.CurX + w <= Params.LineWidth && (Params.MaxLength <= 0 || Params.CharsOnLine != Params.MaxLength)) ||
       para.Options.Contains(rvpaoNoWrap) || !Params.WordWrap || PrevIsListMarker(ItemNo));
  const bool absolute = IsAbsolute(item->VAlign);
  int top = 0;
  if (continues) {
    const int above = AboveBaseline(*item, h, desc);
    if (absolute) Params.HasAbsVAlign = true;
    RaiseLineAscent(shift + above, para, Params);
    top = Params.BaseLine - above - shift;
    if (!absolute) Params.LineDescent = std::max(Params.LineDescent, h - above - shift);
    drawItem->FromNewLine = 0;
    Params.CharsOnLine += 1;
  } else {
    if (item->GetSameAsPrev()) Params.NewParagraph = false;
    const int extraBelow = StartNewLine(ItemNo, item->GetSameAsPrev(), SaD, Params);
    drawItem->FromNewLine = 255;
    Params.CurX = 0;
    Params.BaseLine += extraBelow;
    top = Params.BaseLine + Params.LineDescent;
    const int above = AboveBaseline(*item, h, desc);
    if (absolute) Params.HasAbsVAlign = true;
    Params.LineAscent = above + shift;
    if (ForcesAscent(para, Params.LineAscent, Params)) {
      top = top - Params.LineAscent + Params.LineHeightAbove;
      Params.LineAscent = Params.LineHeightAbove;
    }
    Params.BaseLine += Params.LineDescent + Params.LineAscent;
    Params.LineDescent = absolute ? 0 : h - Params.LineAscent;
  }
  ApplyFixedDescent(para, Params);

  drawItem->Left = Params.CurX + Params.LineLeft + hShift;
  Params.CurX += w + hShift;
  drawItem->Top = top;
  drawItem->ItemNo = ItemNo;
  drawItem->SetSize(w, h);
  drawItem->Offs = 0;
  drawItem->Length = 0;
  if (isTab && tabStop.Align != rvtaLeft) {
    Params.PendingTabNo = Params.DrawItemCount;
    Params.PendingTabAlign = tabStop.Align;
    Params.PendingTabPos = tabStop.Position - (Params.LineLeft - SaD.DeviceLeftMargin);
  }
  if (!ShareItems()) item->FirstDrawItemNo = Params.DrawItemCount;
  DrawItems.Insert(Params.DrawItemCount, std::move(drawItem));
  ++Params.DrawItemCount;
}

void TCustomRVFormattedData::FormatFullLineItem(int ItemNo, TCanvas& Canvas, TRVScreenAndDevice& SaD,
                                                TRVFormatParams& Params) {
  auto* item = static_cast<TRVNonTextItemInfo*>(GetItem(ItemNo));
  const TCustomRVParaInfo& para = ParaOf(ItemNo);
  UpdateLastTab(Params);
  int extraBelow = 0;
  FinishScreenLine(SaD, Params.LineWidth + Params.LineLeft, Params.DrawItemCount, Params.BaseLine,
                   Params.LineHeightAbove, Params.LineHeightBelow, true, Params.HasAbsVAlign, extraBelow,
                   Params.FirstLine, Params.MeasureCanvas);
  Params.BaseLine += extraBelow;
  Params.LineDescent += (ItemNo > 0 ? RV_YToDevice(ParaOf(ItemNo - 1).SpaceAfter, SaD) : 0) +
                        RV_YToDevice(para.SpaceBefore, SaD);

  std::unique_ptr<TRVDrawLineInfo> drawItem = GetStandardDrawLineInfoClass(*item)();
  if (dynamic_cast<TRVBreakItemInfo*>(item)) {
    Params.LineDescent += RV_YToDevice(GetRVStyle()->ParaStyles[0].SpaceBefore, SaD);
    const int b = RV_YToDevice(TRVBreakItemInfo::kMargin, SaD);
    drawItem->Init(SaD.DeviceLeftMargin, Params.BaseLine + Params.LineDescent, TextWidth, 2 * b + 1, ItemNo, true);
    Params.BaseLine += Params.LineDescent + b + 1;
    Params.LineDescent = b;
    Params.LineAscent = b;
  } else {
    // Items as wide as the text (tables) size themselves to it.
    const int room = TextWidth - RV_XToDevice(para.LeftIndent + para.RightIndent, SaD);
    int hShift = 0;
    int desc = 0;
    item->OnDocWidthChange(room, drawItem.get(), GetFlags().Contains(rvflPrinting), &Canvas, this, &SaD, hShift,
                           desc, Params.NoCaching, Params.Reformatting);
    const int w = drawItem->Width > 0 ? drawItem->Width : RV_XToDevice(item->GetWidth(), SaD);
    const int h = drawItem->Height > 0 ? drawItem->Height : RV_YToDevice(item->GetHeight(), SaD);
    int left = SaD.DeviceLeftMargin + RV_XToDevice(para.LeftIndent, SaD);
    const int free = room - w;
    if (para.Alignment == rvaRight) left += free;
    if (para.Alignment == rvaCenter) left += std::max(0, free / 2);
    drawItem->Init(left, Params.BaseLine + Params.LineDescent, w, h, ItemNo, true);
    Params.BaseLine += Params.LineDescent + h;
    Params.LineAscent = h;
    Params.LineDescent = 0;
  }
  drawItem->Offs = 0;
  drawItem->Length = 0;
  if (!ShareItems()) item->FirstDrawItemNo = Params.DrawItemCount;
  DrawItems.Insert(Params.DrawItemCount, std::move(drawItem));
  ++Params.DrawItemCount;
}

void TCustomRVFormattedData::LoadTextStyle(int StyleNo, int ItemNo, TRVScreenAndDevice& SaD,
                                           TRVFormatParams& Params) {
  TRVFontInfoCache& cache = *Params.FontInfoCache;
  cache.LastTextStyle = Params.LastTextStyle;
  cache.ParaBiDiMode = GetParaBiDiMode(GetItemPara(ItemNo));
  const TRVFontInfoCacheItem& entry = cache.GetItems(StyleNo);
  Params.LastTextStyle = StyleNo;
  Params.TextMetric = entry.TextMetric;
  Params.TextVShift = entry.VerticalOffset;
  Params.MeasureCanvas = entry.Canvas;
  const TFontInfo& fontInfo = *entry.FontInfo;
  if (fontInfo.CharSpacing != 0 && !RV_SaDIsScreen(SaD) && fontInfo.BiDiMode == rvbdUnspecified)
    entry.Canvas->SetTextCharacterExtra(RV_XToDevice(fontInfo.CharSpacing, SaD));
}

void TCustomRVFormattedData::FormatText(const TRVTextRun& Text, const TRVTextRun& OrigText, int StartOffs, int Len,
                                        int ItemNo, TRVScreenAndDevice& SaD, TRVFormatParams& Params) {
  TCustomRVItemInfo* item = GetItem(ItemNo);
  const TCustomRVParaInfo& para = ParaOf(ItemNo);
  const int style = GetActualStyle(*item);
  if (style != Params.LastTextStyle) LoadTextStyle(style, ItemNo, SaD, Params);
  // The current style's entry, already selected.
  Params.FontInfoCache->LastTextStyle = style;
  const TRVFontInfoCacheItem& entry = Params.FontInfoCache->GetItems(style);
  const TFontInfo& fontInfo = *entry.FontInfo;
  const int ascent = Params.TextMetric.tmAscent + Params.TextVShift;
  const int descent = Params.TextMetric.tmDescent - Params.TextVShift;
  const TRVFlags flags = GetFlags();
  const bool trim = flags.Contains(rvflTrim);
  bool atItemStart = StartOffs == 0;

  if (Len == 0) {
    // An empty text still makes a line of its style's height.
    std::unique_ptr<TRVDrawLineInfo> drawItem = GetStandardDrawLineInfoClass(*item)();
    int top = 0;
    if (!item->GetSameAsPrev()) {
      const int extraBelow = StartNewLine(ItemNo, false, SaD, Params);
      top = OpenTextLine(extraBelow, ascent, para, Params);
      Params.LineDescent = descent;
    } else {
      RaiseLineAscent(ascent, para, Params);
      top = Params.BaseLine - ascent;
      Params.LineDescent = std::max(Params.LineDescent, descent);
    }
    ApplyFixedDescent(para, Params);
    drawItem->Init(Params.CurX + Params.LineLeft, top, 0, entry.EmptyLineHeight, ItemNo, !item->GetSameAsPrev());
    drawItem->Offs = StartOffs + 1;
    drawItem->Length = 0;
    if (fontInfo.Jump) item->JumpIndex = -3;  // no jump to click
    if (atItemStart && !ShareItems()) item->FirstDrawItemNo = Params.DrawItemCount;
    DrawItems.Insert(Params.DrawItemCount, std::move(drawItem));
    ++Params.DrawItemCount;
    return;
  }

  TRVFitParams fit;
  fit.MaxLength = Params.MaxLength;
  fit.WordWrap = Params.WordWrap;
  fit.NoWrap = para.Options.Contains(rvpaoNoWrap);
  fit.HyphenWidth = entry.HyphenWidth;
  fit.ShowSpecialCharacters = GetOptions().Contains(rvoShowSpecialCharacters);
  const bool wraps = !fit.NoWrap && Params.WordWrap;
  const bool unicode = Text.Unicode;

  bool atLineStart = atItemStart && !item->GetSameAsPrev();
  int p = StartOffs;  // into the display text; the stored text shares the offsets
  int remaining = Len;
  int extraBelow = 0;
  while (remaining > 0) {
    if (atLineStart) {
      extraBelow = StartNewLine(ItemNo, !Params.NewParagraph, SaD, Params);
      Params.CurX = 0;
      // The space at a line break inside a paragraph is not shown.
      if (trim && !Params.SpaceSkipped && !Params.NewParagraph && remaining > 1 && Text.At(p) == u' ') {
        ++p;
        --remaining;
      }
      Params.SpaceSkipped = false;
    }
    const int avail = std::max(0, Params.LineWidth - Params.CurX);
    int count = 0;
    if (!(Params.MaxLength > 0 && Params.CharsOnLine >= Params.MaxLength && wraps)) {
      fit.CharsOnLine = Params.CharsOnLine;
      count = RVU_FindFitCount(*Params.MeasureCanvas, Text.Sub(p), OrigText.Sub(p), remaining, avail, fit);
    }
    const bool afterMarker = atItemStart && PrevIsListMarker(ItemNo);
    if (count == 0) {
      if (atLineStart || afterMarker) {
        // Something goes on every line, if only one character (cluster).
        count = 1;
        if (unicode && RVNT)
          count = RVU_ExtendToClusterEnd(Text.W.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(remaining)),
                                         count);
      } else {
        Params.CurX = 0;
        Params.NewParagraph = false;
        atLineStart = true;
        continue;
      }
    }

    bool skipSpace = false;
    if (count < remaining && !RichViewWrapAnywhere) {
      int b = -1;  // the last character to keep, relative to p
      if (unicode) {
        b = RVU_FindLineBreak(OrigText.W.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(remaining)),
                              count, count + 1 == remaining);
      } else {
        const int limit = count + 1 < remaining ? count + 1 : count;
        for (int i = limit - 1; i >= 0 && b < 0; --i)
          if (Text.At(p + i) == u' ') b = i;
      }
      if (b < 0 && trim &&
          (count + 1 < remaining || (ItemNo + 1 < GetItemCount() && !IsFromNewLine(ItemNo + 1))) &&
          Text.At(p + count) == u' ') {
        b = count;
        ++count;
      }
      if (b >= 0) {
        if (trim && b != 0 && (!unicode || Text.At(p + b) == u' ')) {
          count = b;  // the space is left out
          skipSpace = true;
          Params.SpaceSkipped = true;
        } else {
          count = b + 1;
        }
      } else if (!(atLineStart || afterMarker)) {
        // No break opportunity: the word moves whole to the next line.
        Params.NewParagraph = false;
        atLineStart = true;
        continue;
      }
      // At a line start a word longer than the line is cut where it stops fitting.
    }

    const int pieceStart = p;
    p += count;
    remaining -= count;
    if (skipSpace) {
      ++p;
      --remaining;
    }
    if (!atLineStart && count == 0) {
      atLineStart = true;
      continue;
    }

    std::unique_ptr<TRVDrawLineInfo> drawItem = GetStandardDrawLineInfoClass(*item)();
    drawItem->ItemNo = ItemNo;
    drawItem->Offs = pieceStart + 1;
    const TSize size = Text.Extent(*Params.MeasureCanvas, pieceStart, count);
    int top = 0;
    if (atLineStart) {
      drawItem->FromNewLine = 255;
      top = OpenTextLine(extraBelow, ascent, para, Params);
    } else {
      RaiseLineAscent(ascent, para, Params);
      top = Params.BaseLine - ascent;
      drawItem->FromNewLine = 0;
    }
    drawItem->Left = Params.CurX + Params.LineLeft;
    drawItem->Top = top;
    drawItem->SetSize(size.cx, size.cy);
    drawItem->Length = count;
    Params.CharsOnLine += count;
    if (atItemStart && !ShareItems()) item->FirstDrawItemNo = Params.DrawItemCount;
    DrawItems.Insert(Params.DrawItemCount, std::move(drawItem));
    ++Params.DrawItemCount;

    if (flags.Contains(rvflUseJumps) && fontInfo.Jump) {
      auto jump = std::make_unique<TRVJumpInfo>();
      jump->RVData = this;
      jump->Width = size.cx;
      jump->Height = size.cy;
      // The words of a justified item share the index its first word took.
      jump->Id = StartOffs > 0 ? NextJumpIndex - 1 : NextJumpIndex;
      jump->DrawItemNo = Params.DrawItemCount - 1;
      jump->Cursor = fontInfo.JumpCursor;
      Jumps.push_back(std::move(jump));
    }

    if (atLineStart || Params.LineDescent < descent) Params.LineDescent = descent;
    ApplyFixedDescent(para, Params);
    Params.CurX += size.cx;
    atLineStart = true;  // whatever remains starts on a new line
    Params.NewParagraph = false;
    atItemStart = false;
  }
  if (fontInfo.Jump && StartOffs == 0) item->JumpIndex = NextJumpIndex++;
}

void TCustomRVFormattedData::FormatWords(int ItemNo, TCanvas& Canvas, TRVFormatParams& Params,
                                         TRVScreenAndDevice& SaD) {
  const ItemTexts texts = GetItemTexts(ItemNo);
  const TRVTextRun display = texts.DisplayRun();
  const TRVTextRun stored = texts.StoredRun();
  const int length = display.Length();
  if (length == 0) {
    FormatLine(display, stored, 0, 0, ItemNo, Canvas, SaD, Params);
    return;
  }
  // Each word is a piece of its own; every piece after the first begins with
  // the space before its word, which justification widens.
  int consumed = 0;
  while (consumed < length) {
    int end = display.At(consumed) == u' ' ? consumed + 1 : consumed;
    while (end < length && display.At(end) != u' ') ++end;
    const int piece = end - consumed;
    FormatLine(display, stored, consumed, piece, ItemNo, Canvas, SaD, Params);
    consumed += piece;
  }
}

// ---------------------------------------------------------------- lines

void TCustomRVFormattedData::RaiseLineAscent(int Ascent, const TCustomRVParaInfo& Para, TRVFormatParams& Params) {
  if (Ascent <= Params.LineAscent) return;
  if (Params.DrawItemCount > 0 && Para.LineSpacingType == rvlsLineHeightExact) return;  // the height is fixed
  const int dy = Ascent - Params.LineAscent;
  if (Params.DrawItemCount > 0)
    for (int i = LineStart(Params.DrawItemCount - 1); i < Params.DrawItemCount; ++i) DrawItems[i]->Top += dy;
  Params.BaseLine += dy;
  Params.LineAscent = Ascent;
}

int TCustomRVFormattedData::StartNewLine(int ItemNo, bool CheckEnd, TRVScreenAndDevice& SaD,
                                         TRVFormatParams& Params) {
  // The space that ends the previous line is not shown.
  if (!Params.SpaceSkipped && CheckEnd && Params.DrawItemCount > 0) {
    const int last = Params.DrawItemCount - 1;
    TRVDrawLineInfo* l = DrawItems[last];
    const int lStyle = GetItemStyle(l->ItemNo);
    if (lStyle >= 0 && l->Length >= 1 && StoredCharAt(l->ItemNo, l->Offs + l->Length - 2) == u' ' &&
        !IsDrawItemFromNewLine(last)) {
      if (l->Length == 1 && last >= 1 && DrawItems[last - 1]->ItemNo == l->ItemNo && l->FromNewLine == 0) {
        if (TRVJumpInfo* jump = JumpOfDrawItem(last)) {
          Jumps.erase(std::find_if(Jumps.begin(), Jumps.end(), [&](const auto& j) { return j.get() == jump; }));
        }
        DrawItems.Delete(last);
        --Params.DrawItemCount;
      } else {
        --l->Length;
        const ItemTexts texts = GetItemTexts(l->ItemNo);
        WithOtherStyle(*Params.FontInfoCache, lStyle, GetParaBiDiMode(GetItemPara(l->ItemNo)), Params.LastTextStyle,
                       [&](const TRVFontInfoCacheItem& e) {
                         l->Width = texts.DisplayRun().Extent(*e.Canvas, l->Offs - 1, l->Length).cx;
                       });
        if (TRVJumpInfo* jump = JumpOfDrawItem(last)) jump->Width = l->Width;
      }
      Params.SpaceSkipped = true;
    }
  }
  // A line that ends at a soft hyphen shows a hyphen.
  const bool hyphenShown = GetOptions().Contains(rvoShowSpecialCharacters) &&
                           RVVisibleSpecialCharacters.Contains(rvscSoftHyphen);
  if (CheckEnd && !hyphenShown && Params.DrawItemCount > 0) {
    const int last = Params.DrawItemCount - 1;
    TRVDrawLineInfo* l = DrawItems[last];
    const int lStyle = GetItemStyle(l->ItemNo);
    if (lStyle >= 0 && GetItem(l->ItemNo)->ItemOptions.Contains(rvioUnicode) && l->Length > 0 &&
        StoredCharAt(l->ItemNo, l->Offs + l->Length - 2) == kSoftHyphen) {
      WithOtherStyle(*Params.FontInfoCache, lStyle, GetParaBiDiMode(GetItemPara(l->ItemNo)), Params.LastTextStyle,
                     [&](const TRVFontInfoCacheItem& e) { l->Width += e.HyphenWidth; });
      if (TRVJumpInfo* jump = JumpOfDrawItem(last)) jump->Width = l->Width;
    }
  }

  UpdateLastTab(Params);
  int extraBelow = 0;
  FinishScreenLine(SaD, Params.LineWidth + Params.LineLeft, Params.DrawItemCount, Params.BaseLine,
                   Params.LineHeightAbove, Params.LineHeightBelow, Params.NewParagraph, Params.HasAbsVAlign,
                   extraBelow, Params.FirstLine, Params.MeasureCanvas);

  const TCustomRVItemInfo* item = GetItem(ItemNo);
  const TCustomRVParaInfo& para = ParaOf(ItemNo);
  int lineLeftIndent = 0;
  int rightIndent = 0;
  int baseLeftIndent = 0;
  GetIndents(ItemNo, Params.NewParagraph, Params.FirstParaItemNo, lineLeftIndent, rightIndent, baseLeftIndent);
  lineLeftIndent = RV_XToDevice(lineLeftIndent, SaD);
  Params.RightIndent = RV_XToDevice(rightIndent, SaD);
  Params.BaseLeftIndent = RV_XToDevice(baseLeftIndent, SaD);
  if (Params.NewParagraph && !item->GetBR())
    Params.LineDescent += (ItemNo > 0 ? RV_YToDevice(ParaOf(ItemNo - 1).SpaceAfter, SaD) : 0) +
                          RV_YToDevice(para.SpaceBefore, SaD);
  const bool noWrap = para.Options.Contains(rvpaoNoWrap) || !Params.WordWrap;
  Params.LineWidth = (noWrap ? DocumentWidth : TextWidth) - Params.RightIndent - lineLeftIndent;
  Params.LineLeft = SaD.DeviceLeftMargin + lineLeftIndent;
  Params.CharsOnLine = 0;
  Params.HasAbsVAlign = false;
  if (FixedHeight(para)) {
    const int t = std::max(4, RV_YToDevice(para.LineSpacing, SaD));
    Params.LineHeightAbove = static_cast<int>(std::nearbyint(t * 0.8));
    Params.LineHeightBelow = t - Params.LineHeightAbove;
  }
  return extraBelow;
}

void TCustomRVFormattedData::GetIndents(int ItemNo, bool IsParaStart, int& FirstParaItemNo, int& LineLeftIndent,
                                        int& RightIndent, int& BaseLeftIndent) const {
  // List paragraphs would take their level's indents; documents here have none.
  if (FirstParaItemNo < 0) FirstParaItemNo = GetFirstParaItem(ItemNo);
  const TCustomRVParaInfo& para = ParaOf(ItemNo);
  const TCustomRVItemInfo* item = GetItem(ItemNo);
  BaseLeftIndent = para.LeftIndent;
  RightIndent = para.RightIndent;
  LineLeftIndent = para.LeftIndent;
  if (IsParaStart && !item->GetBR() && !item->GetBoolValue(rvbpFullWidth)) LineLeftIndent += para.FirstIndent;
}

void TCustomRVFormattedData::UpdateLastTab(TRVFormatParams& Params) {
  if (Params.PendingTabNo < 0) return;
  const int tabNo = Params.PendingTabNo;
  Params.PendingTabNo = -1;
  if (tabNo >= Params.DrawItemCount) return;
  TRVDrawLineInfo* tab = DrawItems[tabNo];
  // The text after the tab ends at the stop (right) or is centred on it.
  const int contentWidth = Params.CurX + Params.LineLeft - (tab->Left + tab->Width);
  const int stop = Params.LineLeft + Params.PendingTabPos;
  const int wantedRight = Params.PendingTabAlign == rvtaRight ? stop - contentWidth : stop - contentWidth / 2;
  const int width = std::max(0, wantedRight - tab->Left);
  if (width >= tab->Width) return;
  const int dx = tab->Width - width;
  tab->Width = width;
  for (int i = tabNo + 1; i < Params.DrawItemCount; ++i) DrawItems[i]->Left -= dx;
  Params.CurX -= dx;
}

void TCustomRVFormattedData::FinishScreenLine(TRVScreenAndDevice& SaD, int LineRight, int DrawItemCount, int BaseLine,
                                              int LineHeightAbove, int LineHeightBelow, bool NewParagraph,
                                              bool HasAbsVAlign, int& ExtraBelow, bool& FirstLine, TCanvas*) {
  ExtraBelow = 0;
  if (FirstLine) {
    FirstLine = false;  // there was no line yet
    return;
  }
  if (DrawItemCount == 0) return;
  const int last = DrawItemCount - 1;
  TRVDrawLineInfo* l = DrawItems[last];
  if (GetItem(l->ItemNo)->GetBoolValue(rvbpFullWidth)) return;
  const TCustomRVParaInfo& para = ParaOf(l->ItemNo);
  TRVAlignment align = para.Alignment;
  if (align == rvaJustify) {
    const TRVBiDiMode mode = GetParaBiDiMode(GetItemPara(l->ItemNo));
    if (mode == rvbdLeftToRight) align = rvaLeft;
    if (mode == rvbdRightToLeft) align = rvaRight;
  }
  const int first = LineStart(last);

  int shift = 0;
  if (!(align == rvaLeft || (align == rvaJustify && NewParagraph))) {
    const int free = LineRight - l->Left - l->Width;
    // A line wider than the area moves left when right-aligned; centred it
    // stays at the left edge.
    shift = align == rvaCenter ? std::max(0, free / 2) : free;
  }

  const int absExtra = HasAbsVAlign ? PositionAbsVAlignItems(first, last, BaseLine, LineHeightAbove, LineHeightBelow, para)
                                    : 0;

  const bool fixedHeight = FixedHeight(para);
  switch (para.LineSpacingType) {
    case rvlsPercent:
      if (para.LineSpacing != 100 && para.LineSpacing >= 50) {
        // Only text counts: a line of pictures gets no extra space.
        bool hasText = false;
        int minTop = 0;
        int maxBottom = 0;
        for (int i = first; i <= last; ++i) {
          const TRVDrawLineInfo* d = DrawItems[i];
          if (GetItemStyle(d->ItemNo) < 0) continue;
          minTop = hasText ? std::min(minTop, d->Top) : d->Top;
          maxBottom = hasText ? std::max(maxBottom, d->Top + d->Height) : d->Top + d->Height;
          hasText = true;
        }
        if (hasText) ExtraBelow = (maxBottom - minTop) * (para.LineSpacing - 100) / 100;
      }
      break;
    case rvlsSpaceBetween:
      if (para.LineSpacing >= 0) ExtraBelow = RV_YToDevice(para.LineSpacing, SaD);
      break;
    case rvlsLineHeightAtLeast:
    case rvlsLineHeightExact: {
      int minTop = DrawItems[first]->Top;
      int maxBottom = DrawItems[first]->Top + DrawItems[first]->Height;
      for (int i = first + 1; i <= last; ++i) {
        minTop = std::min(minTop, DrawItems[i]->Top);
        maxBottom = std::max(maxBottom, DrawItems[i]->Top + DrawItems[i]->Height);
      }
      const bool atLeast = para.LineSpacingType == rvlsLineHeightAtLeast;
      int above = LineHeightAbove - (BaseLine - minTop);
      if (atLeast) above = std::max(0, above);
      if (above != 0)
        for (int i = first; i <= last; ++i) DrawItems[i]->SetExtraSpaceAbove(above);
      ExtraBelow = LineHeightBelow - (maxBottom - BaseLine);
      if (atLeast) ExtraBelow = std::max(0, ExtraBelow);
      break;
    }
  }
  if (ExtraBelow != 0)
    for (int i = first; i <= last; ++i) DrawItems[i]->SetExtraSpaceBelow(ExtraBelow);
  ExtraBelow += absExtra;
  if (fixedHeight) ExtraBelow = 0;  // already in the line's ascent and descent

  if (!(align == rvaJustify && !NewParagraph)) {
    for (int i = first; i <= last; ++i) DrawItems[i]->Left += shift;
    // Paragraphs with an explicit reading order would be reordered here.
    return;
  }

  // Justification: the free space goes to the spaces that begin the word pieces
  // after the line's first item and after its last tab.
  if (first == last) return;
  int stop = first;
  int spaces = 0;
  for (int i = last; i > first; --i) {
    if (GetDrawItemStyle(i) == rvsTab) {
      stop = i;
      break;
    }
    if (PieceBeginsWithSpace(i)) ++spaces;
  }
  for (int i = stop + 1; i <= last; ++i) {
    TRVDrawLineInfo* d = DrawItems[i];
    if (PieceBeginsWithSpace(i)) {
      const int v = shift / spaces;
      d->SetSpaceBefore(v);
      d->Width += v;
      shift -= v;
      --spaces;
      // The hot area widens with its piece. Its position follows the piece
      // when the pass places every jump (AdjustJumpsCoords), but its size is
      // taken only here.
      if (TRVJumpInfo* jump = JumpOfDrawItem(i)) jump->Width = d->Width;
    }
    d->Left = DrawItems[i - 1]->Left + DrawItems[i - 1]->Width;
  }
}

int TCustomRVFormattedData::PositionAbsVAlignItems(int First, int Last, int BaseLine, int LineHeightAbove,
                                                   int LineHeightBelow, const TCustomRVParaInfo& Para) {
  auto vAlignOf = [&](int i) {
    const auto* rect = dynamic_cast<const TRVRectItemInfo*>(GetItem(DrawItems[i]->ItemNo));
    return rect ? rect->VAlign : rvvaBaseline;
  };
  const bool exact = Para.LineSpacingType == rvlsLineHeightExact;
  int top0 = 0;
  int bottom0 = 0;
  if (FixedHeight(Para)) {
    top0 = BaseLine - LineHeightAbove;
    bottom0 = BaseLine + LineHeightBelow;
  } else {
    top0 = bottom0 = DrawItems[First]->Top;
  }
  if (!exact) {
    for (int i = First; i <= Last; ++i) {
      if (IsAbsolute(vAlignOf(i))) continue;
      top0 = std::min(top0, DrawItems[i]->Top);
      bottom0 = std::max(bottom0, DrawItems[i]->Top + DrawItems[i]->Height);
    }
  }
  int overhang = 0;
  for (int i = First; i <= Last; ++i) {
    TRVDrawLineInfo* d = DrawItems[i];
    switch (vAlignOf(i)) {
      case rvvaAbsTop: d->Top = top0; break;
      case rvvaAbsBottom: d->Top = bottom0 - d->Height; break;
      case rvvaAbsMiddle: d->Top = (top0 + bottom0 - d->Height) / 2; break;
      default: continue;
    }
    overhang = std::max(overhang, top0 - d->Top);
  }
  if (overhang > 0 && !exact)
    for (int i = First; i <= Last; ++i) DrawItems[i]->Top += overhang;
  int extra = 0;
  for (int i = First; i <= Last; ++i)
    if (IsAbsolute(vAlignOf(i))) extra = std::max(extra, DrawItems[i]->Top + DrawItems[i]->Height - bottom0);
  return extra;
}

}  // namespace quorix
