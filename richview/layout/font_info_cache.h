#pragma once
// The font metrics cache of one formatting pass: for each text style, the
// canvas on which its font is selected, its text metrics, how far it is
// raised above the baseline, the height of an empty line and the width of a
// hyphen in it.
//
// Two variants: the fast one gives every style a measuring canvas of its own
// (switching styles costs nothing); the low-resource one selects styles into
// the formatting canvas itself, only when the style asked for differs from
// the one it last selected.

#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "richview/styles/font_info.h"
#include "richview/styles/style_types.h"

namespace quorix {

class TRVStyle;

struct TRVFontInfoCacheItem {
  TCanvas* Canvas = nullptr;  // the canvas the style is selected on
  const TFontInfo* FontInfo = nullptr;
  TTextMetric TextMetric;
  int VerticalOffset = 0;   // raise above the baseline: script offset + VShift percent of tmHeight
  int EmptyLineHeight = 0;  // height of "-": the height of an empty line in the style
  int HyphenWidth = 0;      // width of "-": shown at a line that ends at a soft hyphen
  int ScriptHeight = 0;     // character height of sub- and superscript; 0 for normal text
  TRVBiDiMode LastBiDiMode = rvbdUnspecified;
  std::unique_ptr<TCanvas> OwnCanvas;  // the fast variant's measuring canvas
};

class TRVFontInfoCache {
 public:
  // Canvas is the formatting canvas; both it and RVStyle outlive the cache.
  TRVFontInfoCache(TRVStyle& RVStyle, TCanvas& Canvas, bool CanUseCustomPPI);
  TRVFontInfoCache(const TRVFontInfoCache&) = delete;
  TRVFontInfoCache& operator=(const TRVFontInfoCache&) = delete;
  virtual ~TRVFontInfoCache();

  // The entry of a text style, made on first request, with the style selected
  // on its canvas for ParaBiDiMode. Style numbers without a style share one entry.
  const TRVFontInfoCacheItem& GetItems(int StyleNo);

  // Set by the formatter before it asks: the style the formatting canvas
  // holds as far as it knows (-1: unknown, e.g. after a picture's drawing
  // changed the font), and the reading order of the paragraph being formatted.
  int LastTextStyle = -1;
  TRVBiDiMode ParaBiDiMode = rvbdUnspecified;

  TCanvas& GetFormatCanvas() const { return canvas_; }

 protected:
  // The canvas a new entry measures on.
  virtual TCanvas* CanvasForNewItem(TRVFontInfoCacheItem& Item) = 0;
  // Whether an existing entry must be selected again before it is used.
  virtual bool NeedsSelect(int StyleNo, const TRVFontInfoCacheItem& Item) const = 0;

  TRVStyle& rvStyle_;
  TCanvas& canvas_;
  bool canUseCustomPPI_;

 private:
  void Fill(int StyleNo, TRVFontInfoCacheItem& Item);
  void Select(int StyleNo, TRVFontInfoCacheItem& Item);

  std::vector<std::unique_ptr<TRVFontInfoCacheItem>> items_;
  std::unique_ptr<TRVFontInfoCacheItem> invalidItem_;
};

// Every style on a measuring canvas of its own, compatible with the formatting canvas.
class TRVFontInfoCacheFast : public TRVFontInfoCache {
 public:
  using TRVFontInfoCache::TRVFontInfoCache;

 protected:
  TCanvas* CanvasForNewItem(TRVFontInfoCacheItem& Item) override;
  bool NeedsSelect(int StyleNo, const TRVFontInfoCacheItem& Item) const override;
};

// Every style selected into the formatting canvas, again whenever it changes.
class TRVFontInfoCacheLowResource : public TRVFontInfoCache {
 public:
  using TRVFontInfoCache::TRVFontInfoCache;

 protected:
  TCanvas* CanvasForNewItem(TRVFontInfoCacheItem& Item) override;
  bool NeedsSelect(int StyleNo, const TRVFontInfoCacheItem& Item) const override;
};

}  // namespace quorix
