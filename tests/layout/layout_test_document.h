#pragma once
// A formatted document that answers the window's questions itself, for
// layout tests: a client area of a given size, margins, options, flags, the
// fixed-metrics canvas to measure with, and a record of the document sizes
// handed over. It can take a scroll bar's width off its client width when
// the document grows taller than the client area, as a window would.

#include <memory>
#include <string>
#include <vector>

#include "richview/document/picture_items.h"
#include "richview/document/text_item.h"
#include "richview/layout/formatted_data.h"
#include "richview/styles/rv_style.h"
#include "tests/support/fixed_metrics_canvas.h"

namespace quorix::test {

class TLayoutTestDocument : public TCustomRVFormattedData {
 public:
  TLayoutTestDocument() = default;
  ~TLayoutTestDocument() override { Clear(); }

  // --- the window ---
  int ClientWidth = 296;
  int ClientHeight = 400;
  int LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
  int MinTextWidth = 0, MaxTextWidth = 0;
  int VOffs = 0;
  int ExtraVOffs = 0;
  TPoint Origin;
  TRVOptions Options{rvoFastFormatting};
  TRVFlags Flags{rvflUseJumps, rvflTrim, rvflRoot, rvflCanUseCustomPPI, rvflCanProcessGetText};
  int MaxLength = 0;
  bool WordWrap = true;
  // When above 0: a vertical bar of this width appears (taking that much
  // client width) while the document is taller than the client area.
  int ScrollBarWidth = 0;
  bool ScrollBarShown = false;
  // When set, every hand-over changes the client width (to test the limit on passes).
  bool ToggleWidthOnEveryHandOver = false;

  struct AreaSize {
    int Width, Height;
  };
  std::vector<AreaSize> AreaSizes;
  std::vector<int> ScrolledTo;
  int FormattedCount = 0;

  TRVStyle Style;
  TFixedMetricsCanvas Canvas;

  // --- building ---
  // A picture box is the image plus 1 pixel of spacing on every side.
  TRVGraphicItemInfo& AddPicture(int Width, int Height, int ParaNo = -1, TRVVAlign VAlign = rvvaMiddle,
                                 bool Hot = true) {
    auto image = std::make_unique<TBitmap>(Width, Height);
    std::unique_ptr<TRVGraphicItemInfo> item;
    if (Hot)
      item = std::make_unique<TRVHotGraphicItemInfo>(this, std::move(image), VAlign);
    else
      item = std::make_unique<TRVGraphicItemInfo>(this, std::move(image), VAlign);
    item->ParaNo = ParaNo;
    TRVGraphicItemInfo& ref = *item;
    AddItemR("smiley", std::move(item));
    return ref;
  }
  void AddPictures(int Count, int Width, int Height, int FirstParaNo = 1) {
    for (int i = 0; i < Count; ++i) AddPicture(Width, Height, i == 0 ? FirstParaNo : -1);
  }
  TCustomRVItemInfo& AddText(const std::u16string& Text, int ParaNo = 0, int StyleNo = 0) {
    auto item = std::make_unique<TRVTextItemInfo>(this);
    item->StyleNo = StyleNo;
    item->ParaNo = ParaNo;
    if (Style.TextStyles[StyleNo].Unicode) item->ItemOptions.Include(rvioUnicode);
    TCustomRVItemInfo& ref = *item;
    AddItem(Text, std::move(item));
    return ref;
  }
  TParaInfo& AddPara(TRVAlignment Alignment = rvaLeft) {
    TParaInfo& para = Style.ParaStyles.Add();
    para.Alignment = Alignment;
    return para;
  }
  int LastParaNo() const { return Style.ParaStyles.Count() - 1; }

  // The drawing items as (left, top, width, height).
  std::vector<TRect> Boxes() const {
    std::vector<TRect> boxes;
    for (int i = 0; i < DrawItems.Count(); ++i) {
      const TRVDrawLineInfo* d = DrawItems[i];
      boxes.push_back(Bounds(d->Left, d->Top, d->Width, d->Height));
    }
    return boxes;
  }
  // The number of drawing items on each line.
  std::vector<int> LineLengths() const {
    std::vector<int> lengths;
    for (int i = 0; i < DrawItems.Count(); ++i) {
      if (DrawItems[i]->FromNewLine != 0) lengths.push_back(0);
      ++lengths.back();
    }
    return lengths;
  }
  // The text of drawing item i, as UTF-8.
  std::string PieceText(int i) const {
    const TRVDrawLineInfo* d = DrawItems[i];
    const UnicodeString w = GetItemTextW(d->ItemNo);
    return Utf16ToUtf8(w.substr(static_cast<std::size_t>(d->Offs - 1), static_cast<std::size_t>(d->Length)));
  }
  std::vector<std::string> Pieces() const {
    std::vector<std::string> pieces;
    for (int i = 0; i < DrawItems.Count(); ++i) pieces.push_back(PieceText(i));
    return pieces;
  }

  // --- what the window answers ---
  TRVStyle* GetRVStyle() const override { return const_cast<TRVStyle*>(&Style); }
  TRVOptions GetOptions() const override { return Options; }
  void SetOptions(TRVOptions Value) override { Options = Value; }
  TRVFlags GetFlags() const override { return Flags; }
  void SetFlags(TRVFlags Value) override { Flags = Value; }
  int GetMaxLength() const override { return MaxLength; }
  bool IsWordWrapAllowed() const override { return WordWrap; }
  int GetWidth() const override { return ClientWidth; }
  int GetHeight() const override { return ClientHeight; }
  int GetLeftMargin() const override { return LeftMargin; }
  int GetRightMargin() const override { return RightMargin; }
  int GetTopMargin() const override { return TopMargin; }
  int GetBottomMargin() const override { return BottomMargin; }
  int GetMinTextWidth() const override { return MinTextWidth; }
  int GetMaxTextWidth() const override { return MaxTextWidth; }
  int GetVOffs() const override { return VOffs; }
  int GetRVDataExtraVOffs() const override { return ExtraVOffs; }
  void GetOrigin(int& X, int& Y) const override {
    X = Origin.X;
    Y = Origin.Y;
  }
  TCanvas* GetFormatCanvas() override { return &Canvas; }
  void SetDocumentAreaSize(int Width, int Height, bool) override {
    AreaSizes.push_back({Width, Height});
    if (ToggleWidthOnEveryHandOver) {
      ClientWidth += ScrollBarShown ? 16 : -16;
      ScrollBarShown = !ScrollBarShown;
      return;
    }
    if (ScrollBarWidth <= 0) return;
    const bool needed = Height > ClientHeight;
    if (needed == ScrollBarShown) return;
    ScrollBarShown = needed;
    ClientWidth += needed ? -ScrollBarWidth : ScrollBarWidth;
  }
  void ScrollTo(int Y, bool) override {
    ScrolledTo.push_back(Y);
    VOffs = Y;
  }
  void Formatted(int, int, bool) override { ++FormattedCount; }
};

}  // namespace quorix::test
