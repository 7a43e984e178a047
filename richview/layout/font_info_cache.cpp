#include "richview/layout/font_info_cache.h"

#include <cmath>
#include <cstdlib>

#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

// Rounded to the nearest integer, halves to even, as the layout's "round" is.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

TRVFontInfoCache::TRVFontInfoCache(TRVStyle& RVStyle, TCanvas& Canvas, bool CanUseCustomPPI)
    : rvStyle_(RVStyle), canvas_(Canvas), canUseCustomPPI_(CanUseCustomPPI) {}

TRVFontInfoCache::~TRVFontInfoCache() = default;

const TRVFontInfoCacheItem& TRVFontInfoCache::GetItems(int StyleNo) {
  const bool known = StyleNo >= 0 && StyleNo < rvStyle_.TextStyles.Count();
  std::unique_ptr<TRVFontInfoCacheItem>* slot = &invalidItem_;
  if (known) {
    if (items_.size() < static_cast<std::size_t>(rvStyle_.TextStyles.Count()))
      items_.resize(static_cast<std::size_t>(rvStyle_.TextStyles.Count()));
    slot = &items_[static_cast<std::size_t>(StyleNo)];
  }
  if (!*slot) {
    auto item = std::make_unique<TRVFontInfoCacheItem>();
    item->Canvas = CanvasForNewItem(*item);
    Fill(StyleNo, *item);
    *slot = std::move(item);
  } else if (NeedsSelect(StyleNo, **slot)) {
    Select(StyleNo, **slot);
  }
  LastTextStyle = StyleNo;
  return **slot;
}

void TRVFontInfoCache::Select(int StyleNo, TRVFontInfoCacheItem& Item) {
  TRVExtraFontInfo extra;
  extra.ScriptHeight = Item.ScriptHeight;
  rvStyle_.ApplyStyle(*Item.Canvas, StyleNo, ParaBiDiMode, canUseCustomPPI_, Item.ScriptHeight > 0 ? &extra : nullptr,
                      Item.ScriptHeight == 0);
  Item.LastBiDiMode = ParaBiDiMode;
}

void TRVFontInfoCache::Fill(int StyleNo, TRVFontInfoCacheItem& Item) {
  TCanvas& canvas = *Item.Canvas;
  const TFontInfo& style = rvStyle_.TextStyles[StyleNo];
  Item.FontInfo = &style;
  // The full-size font first: the script size and offset come from its metrics.
  rvStyle_.ApplyStyle(canvas, StyleNo, ParaBiDiMode, canUseCustomPPI_, nullptr, true);
  int scriptOffset = 0;
  if (style.SubSuperScriptType != rvsssNormal) {
    const bool sub = style.SubSuperScriptType == rvsssSubscript;
    TOutlineTextMetric otm;
    if (canvas.GetOutlineTextMetrics(otm)) {
      Item.ScriptHeight = sub ? otm.otmptSubscriptSize.Y : otm.otmptSuperscriptSize.Y;
      scriptOffset = sub ? -otm.otmptSubscriptOffset.Y : otm.otmTextMetrics.tmAscent - otm.otmptSuperscriptOffset.Y;
    } else {
      const double height = canvas.Font.Height;
      Item.ScriptHeight = std::abs(RoundEven(height * 2 / 3));
      scriptOffset = sub ? -std::abs(RoundEven(height * 0.25)) : std::abs(RoundEven(height * 0.45));
    }
    Select(StyleNo, Item);
  }
  Item.LastBiDiMode = ParaBiDiMode;
  Item.TextMetric = canvas.GetTextMetrics();
  Item.VerticalOffset = scriptOffset + MulDiv(Item.TextMetric.tmHeight, style.VShift, 100);
  const TSize hyphen = canvas.TextExtent(u"-");
  Item.EmptyLineHeight = hyphen.cy;
  Item.HyphenWidth = hyphen.cx;
}

TCanvas* TRVFontInfoCacheFast::CanvasForNewItem(TRVFontInfoCacheItem& Item) {
  // Same device, resolution and font machinery as the formatting canvas.
  Item.OwnCanvas = canvas_.CreateCompatible();
  return Item.OwnCanvas.get();
}

bool TRVFontInfoCacheFast::NeedsSelect(int, const TRVFontInfoCacheItem& Item) const {
  return Item.LastBiDiMode != ParaBiDiMode;
}

TCanvas* TRVFontInfoCacheLowResource::CanvasForNewItem(TRVFontInfoCacheItem&) { return &canvas_; }

bool TRVFontInfoCacheLowResource::NeedsSelect(int StyleNo, const TRVFontInfoCacheItem& Item) const {
  return StyleNo != LastTextStyle || Item.LastBiDiMode != ParaBiDiMode;
}

}  // namespace quorix
