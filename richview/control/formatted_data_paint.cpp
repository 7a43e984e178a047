// Painting a formatted document: the background, the paragraph backgrounds
// and borders, every visible drawing item, and the background lookup that
// animators use; and the repaint requests a document sends its window.

#include <algorithm>

#include "platform/custom_control.h"
#include "platform/graphics.h"
#include "richview/control/background.h"
#include "richview/layout/formatted_data.h"
#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

TCustomControl* WindowOf(TCustomRVFormattedData& data) {
  return dynamic_cast<TCustomControl*>(data.GetParentControl());
}

}  // namespace

void TCustomRVFormattedData::DrawBackground(TCanvas& Canvas, const TRect& Rect) {
  TRVBackground* background = GetBackground();
  if (!background) {
    // A window without a background object: the colour alone.
    const TColor color = GetColor();
    if (color == clNone) return;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = ColorToRGB(color);
    Canvas.FillRect(quorix::Rect(0, 0, Rect.Width(), Rect.Height()));
    return;
  }
  int ox = 0;
  int oy = 0;
  GetOrigin(ox, oy);
  // The pure scroll offsets: centring a short document does not move its background.
  background->Draw(Canvas, Rect, GetHOffs() + ox, GetVOffs() + oy, 0, 0, GetWidth(), GetHeight(), GetColor(), false,
                   false);
}

void TCustomRVFormattedData::PaintTo(TCanvas& Canvas, const TRect& Rect, bool StrictTop, bool StrictBottom,
                                     bool InplaceOnMainCanvas, bool PrintSimulation, int ExtraX, int ExtraY) {
  TRVStyle* style = GetRVStyle();
  const int count = DrawItems.Count();
  TRect R = Rect;
  OffsetRect(R, GetHOffs(), GetVOffs());
  const int DX = GetHOffs() + Rect.Left - ExtraX;
  const int DY = GetVOffs() + Rect.Top - ExtraY;
  if (!style || count == 0) {
    PostPaintTo(Canvas, DX, -1, 0, DY);
    return;
  }
  TRVStyle& S = *style;
  Canvas.Brush.Style = bsClear;
  const TRVOptions options = GetOptions();
  const bool showSpecial = options.Contains(rvoShowSpecialCharacters);
  const bool customPPI = GetFlags().Contains(rvflCanUseCustomPPI);
  const bool focused = IsControlFocused();
  TRVItemDrawStates baseItemState;
  TRVTextDrawStates baseTextState;
  if (focused) {
    baseItemState.Include(rvidsControlFocused);
    baseTextState.Include(rvtsControlFocused);
  }
  if (InplaceOnMainCanvas) baseItemState.Include(rvidsDrawInplaceOnMainCanvas);
  if (PrintSimulation) baseItemState.Include(rvidsPrintSimulation);
  if (customPPI) baseItemState.Include(rvidsCanUseCustomPPI);
  if (showSpecial) {
    baseItemState.Include(rvidsShowSpecialCharacters);
    baseTextState.Include(rvtsSpecialCharacters);
  }
  const bool hover = FState.Contains(rvstDrawHover) && FHotJumpNo != -1;

  int first = StrictTop ? GetDrawItemNo(R.Top, 3) : GetDrawItemNo(R.Top, 1);
  first = std::clamp(first, 0, count - 1);
  int last = count - 1;

  // Paragraph backgrounds and borders, and where the painting stops.
  auto startsBorder = [&](int d) {
    return (d == 0 || DrawItems[d - 1]->ItemNo != DrawItems[d]->ItemNo) &&
           GetItem(DrawItems[d]->ItemNo)->CanBeBorderStart();
  };
  int d = first;
  while (d > 0 && (DrawItems[d - 1]->ItemNo == DrawItems[d]->ItemNo || !GetItem(DrawItems[d]->ItemNo)->CanBeBorderStart()))
    --d;
  const bool paraBackEvent = static_cast<bool>(S.OnDrawParaBack);
  for (; d < count; ++d) {
    const TRVDrawLineInfo* di = DrawItems[d];
    if (di->Top >= R.Bottom) {
      for (int k = d + 1; k < count; ++k) {
        if (DrawItems[k]->FromNewLine != 0) {
          last = k;
          break;
        }
      }
      break;
    }
    if (!startsBorder(d) || GetItemStyle(di->ItemNo) == rvsBreak) continue;
    const int paraNo = GetItemPara(di->ItemNo);
    const TCustomRVParaInfo& para = S.ParaStyles[paraNo];
    if (para.Border.Style == rvbNone && para.Background.Color == clNone && !paraBackEvent) continue;
    TRect box;
    box.Left = GetLeftMargin() + para.LeftIndent + std::min(para.FirstIndent, 0);
    if (options.Contains(rvoClientTextWidth))
      box.Right = GetWidth() - GetRightMargin() - para.RightIndent;
    else if (GetMaxTextWidth() > 0)
      box.Right = GetLeftMargin() + GetMaxTextWidth() - para.RightIndent;
    else
      box.Right = GetLeftMargin() + DocumentWidth - para.RightIndent;  // the area width less the right margin
    box.Right = std::max(box.Right, di->Left + di->Width);
    box.Top = di->Top - di->GetExtraSpaceAbove();
    box.Bottom = di->Top + di->Height + di->GetExtraSpaceBelow();
    for (int k = d + 1; k < count && !startsBorder(k); ++k) {
      const TRVDrawLineInfo* dk = DrawItems[k];
      box.Top = std::min(box.Top, dk->Top - dk->GetExtraSpaceAbove());
      box.Bottom = std::max(box.Bottom, dk->Top + dk->Height + dk->GetExtraSpaceBelow());
      box.Right = std::max(box.Right, dk->Left + dk->Width);
    }
    OffsetRect(box, -DX, -DY);
    TRect back = box;
    para.Background.PrepareDraw(back);
    S.DrawParaBack(Canvas, paraNo, back, false, rvcmColor);
    para.Border.Draw(box, Canvas);
  }
  if (StrictBottom) {
    while (last > first && DrawItems[last]->Top + DrawItems[last]->Height > R.Bottom) --last;
  }

  auto isHotJump = [&](const TCustomRVItemInfo& item) {
    return hover && item.JumpIndex == FHotJumpNo && item.GetBoolValueEx(rvbpJump, &S);
  };

  if (S.OnDrawTextBack) {
    for (int k = first; k <= last; ++k) {
      const TRVDrawLineInfo* dk = DrawItems[k];
      const TCustomRVItemInfo& item = *GetItem(dk->ItemNo);
      const int styleNo = GetActualStyle(item);
      if (styleNo < 0) continue;
      TRVTextDrawStates state;
      if (S.TextStyles[styleNo].Jump && isHotJump(item)) state.Include(rvtsHover);
      S.DrawTextBack(Canvas, dk->ItemNo, styleNo, dk->Left - DX, dk->Top - DY, dk->Width, dk->Height, state);
    }
  }

  int lastStyle = -1;
  int textItemNo = -1;  // the item whose display text is at hand
  ItemTexts texts;
  const int currentItemNo = GetCurrentItemNo();
  for (int k = first; k <= last; ++k) {
    TRVDrawLineInfo* dk = DrawItems[k];
    TCustomRVItemInfo& item = *GetItem(dk->ItemNo);
    const bool firstOfItem = k == 0 || DrawItems[k - 1]->ItemNo != dk->ItemNo;
    if (firstOfItem && item.GetPageBreakBefore() && options.Contains(rvoShowPageBreaks)) {
      S.DrawPageBreak(Canvas, dk->Top - DY, DX, rvpbPageBreak);
      lastStyle = -1;
    }
    if (firstOfItem && item.Checkpoint && options.Contains(rvoShowCheckpoints)) {
      S.DrawCheckpoint(Canvas, dk->Left - DX, dk->Top - DY, dk->ItemNo, DX, item.Checkpoint->RaiseEvent);
      lastStyle = -1;
    }
    const int styleNo = GetActualStyle(item);
    const TRVBiDiMode bidi = GetParaBiDiMode(item.ParaNo);
    if (styleNo < 0) {
      TRVItemDrawStates state = baseItemState;
      if (isHotJump(item)) state.Include(rvidsHover);
      if (bidi == rvbdRightToLeft) state.Include(rvidsRTL);
      if (dk->ItemNo == currentItemNo) state.Include(rvidsCurrent);
      if (item.GetBoolValue(rvbpFullWidth))
        item.PaintFullWidth(dk->Left - DX, dk->Left + dk->Width - DX, dk->Top - DY, Canvas, state, S, Rect, dk);
      else
        item.Paint(dk->Left - DX, dk->Top - DY, Canvas, state, S, dk);
      if (item.GetBoolValue(rvbpDrawingChangesFont)) lastStyle = -1;
      continue;
    }
    if (styleNo != lastStyle) {
      S.ApplyStyle(Canvas, styleNo, bidi, customPPI);
      lastStyle = styleNo;
    }
    if (textItemNo != dk->ItemNo) {
      texts = GetItemTexts(dk->ItemNo);
      textItemNo = dk->ItemNo;
    }
    TRVTextDrawStates state = baseTextState;
    state.Include(rvtsDrawItemStart).Include(rvtsDrawItemEnd);
    if (dk->Offs <= 1) state.Include(rvtsItemStart);
    const auto from = static_cast<std::size_t>(std::max(dk->Offs - 1, 0));
    const auto length = static_cast<std::size_t>(std::max(dk->Length, 0));
    TRVRawByteString piece;
    if (texts.Unicode) {
      if (from + length >= texts.DisplayW.size()) state.Include(rvtsItemEnd);
      piece = RVU_GetRawUnicode(std::u16string_view(texts.DisplayW).substr(std::min(from, texts.DisplayW.size()), length));
    } else {
      if (from + length >= texts.DisplayA.size()) state.Include(rvtsItemEnd);
      piece = texts.DisplayA.substr(std::min(from, texts.DisplayA.size()), length);
    }
    if (S.TextStyles[styleNo].Jump && isHotJump(item)) state.Include(rvtsHover);
    S.ApplyStyleColor(Canvas, styleNo, state, false, rvcmColor);
    S.DrawStyleText(piece, Canvas, styleNo, dk->GetSpaceBefore(), dk->Left - DX, dk->Top - DY, dk->Width, dk->Height,
                    state, false, rvcmColor, bidi);
  }

  if (FPendingCheckpoint && options.Contains(rvoShowCheckpoints))
    S.DrawCheckpoint(Canvas, GetLeftMargin() - DX, DocumentHeight - GetBottomMargin() - DY, -1, DX,
                     FPendingCheckpoint->RaiseEvent);
  PostPaintTo(Canvas, DX, last, first, DY);
}

void TCustomRVFormattedData::GetItemBackground(int ItemNo, TRect& Rect, bool UseItemRect, TColor& Color,
                                               std::unique_ptr<TBitmap>& Bitmap, bool& UseBitmap) {
  UseBitmap = false;
  const TRVStyle* style = GetRVStyle();
  Color = style ? style->ParaStyles[GetItemPara(ItemNo)].Background.Color : clNone;
  if (Color != clNone) return;
  Color = GetColor();
  const TRVBackground* background = GetBackground();
  if (!background || background->ImageStyle == bsNoBitmap) return;
  if (!Bitmap) Bitmap = std::make_unique<TBitmap>();
  const TCustomRVItemInfo* item = GetItem(ItemNo);
  const int d = item->FirstDrawItemNo;
  if (d < 0 || d >= DrawItems.Count()) return;
  UseBitmap = true;
  if (UseItemRect) {
    const TRVDrawLineInfo* di = DrawItems[d];
    Rect = Bounds(di->Left + item->GetBorderWidth(), di->Top + item->GetBorderHeight(), item->GetImageWidth(style),
                  item->GetImageHeight(style));
  }
  Bitmap->SetSize(Rect.Width(), Rect.Height());
  Bitmap->Fill(ColorToRGB(Color));
  OffsetRect(Rect, -GetHOffs(), -GetVOffs());
  DrawBackground(Bitmap->Canvas(), Rect);
}

void TCustomRVFormattedData::InvalidateRect(const TRect& Rect) {
  if (TCustomControl* window = WindowOf(*this); window && window->HandleAllocated()) window->InvalidateRect(Rect);
}

void TCustomRVFormattedData::Invalidate() {
  if (TControl* window = GetParentControl()) window->Invalidate();
}

void TCustomRVFormattedData::Refresh() {
  Invalidate();
  UpdateView();
}

void TCustomRVFormattedData::UpdateView() {
  if (TCustomControl* window = WindowOf(*this)) window->Update();
}

void TCustomRVFormattedData::InvalidateJumpRect(int JumpId) {
  const TRVStyle* style = GetRVStyle();
  if (style && style->FullRedraw) {
    Invalidate();
  } else {
    for (const auto& jump : Jumps) {
      if (jump->Id != JumpId) continue;
      // Jumps are kept in document coordinates.
      InvalidateRect(Bounds(jump->Left - GetHOffs() - 5, jump->Top - GetVOffs() - 5, jump->Width + 10,
                            jump->Height + 10));
    }
  }
  UpdateView();
}

}  // namespace quorix
