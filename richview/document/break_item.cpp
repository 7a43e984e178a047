#include "richview/document/break_item.h"

#include <algorithm>

#include "richview/styles/rv_style.h"

namespace quorix {

TRVBreakItemInfo::TRVBreakItemInfo(TCustomRVData* RVData) : TRVFullLineItemInfo(RVData) { StyleNo = rvsBreak; }

TRVBreakItemInfo::TRVBreakItemInfo(TCustomRVData* RVData, std::uint8_t lineWidth, TRVBreakStyle style, TColor color)
    : TRVBreakItemInfo(RVData) {
  LineWidth = lineWidth;
  Style = style;
  Color = color;
}

bool TRVBreakItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  if (Prop == rvbpPrintToBMP) return false;
  return TRVFullLineItemInfo::GetBoolValueEx(Prop, RVStyle);
}

void TRVBreakItemInfo::PaintFullWidth(int Left, int Right, int Top, TCanvas& Canvas, TRVItemDrawStates,
                                      const TRVStyle& RVStyle, const TRect&, TRVDrawLineInfo*) {
  const TColor color = Color == clNone ? RVStyle.TextStyles[0].Color : Color;
  const int y = Top + kMargin;
  const int w = LineWidth > 0 ? LineWidth : 1;
  const TBrush savedBrush = Canvas.Brush;
  const TPen savedPen = Canvas.Pen;
  switch (Style) {
    case rvbsRectangle:
      Canvas.Pen.Color = color;
      Canvas.Pen.Style = psSolid;
      Canvas.Pen.Width = 1;
      Canvas.Brush.Style = bsClear;
      Canvas.Rectangle(Left, y, Right, y + w);
      break;
    case rvbs3d:
      Canvas.Brush.Style = bsSolid;
      Canvas.Brush.Color = clBtnShadow;
      Canvas.FillRect(Rect(Left, y, Right, y + (w + 1) / 2));
      Canvas.Brush.Color = clBtnHighlight;
      Canvas.FillRect(Rect(Left, y + (w + 1) / 2, Right, y + w));
      break;
    case rvbsDotted:
    case rvbsDashed: {
      const int on = Style == rvbsDotted ? w : 4 * w;
      const int off = Style == rvbsDotted ? w : 2 * w;
      Canvas.Brush.Style = bsSolid;
      Canvas.Brush.Color = color;
      for (int x = Left; x < Right; x += on + off) Canvas.FillRect(Rect(x, y, std::min(x + on, Right), y + w));
      break;
    }
    case rvbsLine:
      Canvas.Brush.Style = bsSolid;
      Canvas.Brush.Color = color;
      Canvas.FillRect(Rect(Left, y, Right, y + w));
      break;
  }
  Canvas.Brush = savedBrush;
  Canvas.Pen = savedPen;
}

void TRVBreakItemInfo::Assign(const TCustomRVItemInfo& Source) {
  if (const auto* src = dynamic_cast<const TRVBreakItemInfo*>(&Source)) {
    LineWidth = src->LineWidth;
    Style = src->Style;
    Color = src->Color;
  }
  TRVFullLineItemInfo::Assign(Source);
}

}  // namespace quorix
