#pragma once
// TRVBreakItemInfo, a horizontal line across the document width.

#include <cstdint>

#include "richview/document/item_info.h"

namespace quorix {

class TRVBreakItemInfo : public TRVFullLineItemInfo {
 public:
  explicit TRVBreakItemInfo(TCustomRVData* RVData);
  TRVBreakItemInfo(TCustomRVData* RVData, std::uint8_t LineWidth, TRVBreakStyle Style, TColor Color);
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVBreakItemInfo>; }

  bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const override;
  // The line plus a margin of kMargin pixels above and below it.
  int GetHeight() const override { return LineWidth + 2 * kMargin; }
  void PaintFullWidth(int Left, int Right, int Top, TCanvas& Canvas, TRVItemDrawStates State,
                      const TRVStyle& RVStyle, const TRect& ClipRect, TRVDrawLineInfo* DrawItem) override;
  void Assign(const TCustomRVItemInfo& Source) override;

  static constexpr int kMargin = 5;

  std::uint8_t LineWidth = 1;
  TRVBreakStyle Style = rvbsLine;
  TColor Color = clNone;  // clNone: the colour of text style 0
};

}  // namespace quorix
