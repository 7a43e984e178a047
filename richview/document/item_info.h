#pragma once
// TCustomRVItemInfo, the root of the document item classes, with the style
// numbers that name item kinds, and the two abstract bases of the non-text
// kinds (TRVNonTextItemInfo, TRVFullLineItemInfo).

#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/text.h"
#include "platform/types.h"
#include "richview/document/checkpoint.h"
#include "richview/document/rv_types.h"
#include "richview/document/tag.h"
#include "richview/styles/screen_and_device.h"
#include "richview/styles/text_encoding.h"

namespace quorix {

class TCustomRVData;
class TCustomRVItemInfo;
class TRVDrawLineInfo;
class TRVStyle;

// Style numbers: 0 or more is a text style; rvsDefStyle is text in the
// paragraph's default style; negative numbers are the non-text kinds.
constexpr int rvsDefStyle = INT_MAX;
constexpr int rvsBreak = -1;
constexpr int rvsPicture = -3;
constexpr int rvsHotspot = -4;
constexpr int rvsControl = -5;
constexpr int rvsBullet = -6;
constexpr int rvsHotPicture = -10;
constexpr int rvsListMarker = -11;
constexpr int rvsTab = -12;
constexpr int rvsTable = -60;
constexpr int rvsLabel = -200;
constexpr int rvsSequence = -202;
constexpr int rvsFootnote = -203;
constexpr int rvsEndnote = -204;
constexpr int rvsNoteReference = -205;

// An item class, as the registry and copying use it: its virtual
// constructor Create(RVData). Two classes are the same class exactly when
// their references are equal.
using TRVItemInfoClass = std::unique_ptr<TCustomRVItemInfo> (*)(TCustomRVData* RVData);

template <class TItem>
std::unique_ptr<TCustomRVItemInfo> RVCreateItemOfClass(TCustomRVData* RVData) {
  return std::make_unique<TItem>(RVData);
}

// Marks drawn over words by live spelling (which this library does not run).
class TRVWordPainterList {
 public:
  virtual ~TRVWordPainterList() = default;
};

// One colour of a logical palette.
struct TRVPaletteEntry {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  std::uint8_t Flags = 0;
};

// The control's palette in its logical form: present only on palette displays.
struct TRVLogPalette {
  int Version = 0x300;
  int Count = 0;
  std::vector<TRVPaletteEntry> Entries;
};

class TCustomRVItemInfo {
 public:
  explicit TCustomRVItemInfo(TCustomRVData* RVData);
  TCustomRVItemInfo(const TCustomRVItemInfo&) = delete;
  TCustomRVItemInfo& operator=(const TCustomRVItemInfo&) = delete;
  virtual ~TCustomRVItemInfo();

  virtual TRVItemInfoClass ClassType() const { return &RVCreateItemOfClass<TCustomRVItemInfo>; }

  // --- options ---
  // The three line-start options exclude each other; the accessors keep it so.
  bool GetSameAsPrev() const { return ItemOptions.Contains(rvioSameAsPrev); }
  void SetSameAsPrev(bool value);
  bool GetBR() const { return ItemOptions.Contains(rvioBR); }
  void SetBR(bool value);
  bool GetPageBreakBefore() const { return ItemOptions.Contains(rvioPageBreakBefore); }
  void SetPageBreakBefore(bool value);
  bool ParaStart(bool CountBR) const;
  bool CanBeBorderStart() const;
  // The style number, with rvsDefStyle resolved through the paragraph style's
  // DefStyleNo (text style 0 when that is negative or there is no sheet).
  int GetActualStyleNo(const TRVStyle* RVStyle) const;

  // --- layout and painting ---
  virtual int GetAssociatedTextStyleNo() const { return -1; }
  virtual void SetAssociatedTextStyleNo(int) {}
  virtual int GetMinWidth(const TRVScreenAndDevice* sad, TCanvas* Canvas, TCustomRVData* RVData) const;
  virtual TGraphic* AsImage() const { return nullptr; }
  virtual bool GetBoolValue(TRVItemBoolProperty Prop) const;
  virtual bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const;
  virtual void PaintFullWidth(int Left, int Right, int Top, TCanvas& Canvas, TRVItemDrawStates State,
                              const TRVStyle& RVStyle, const TRect& ClipRect, TRVDrawLineInfo* DrawItem);
  virtual void Paint(int x, int y, TCanvas& Canvas, TRVItemDrawStates State, const TRVStyle& RVStyle,
                     TRVDrawLineInfo* DrawItem);
  virtual bool PrintToBitmap(TBitmap& Bitmap, bool Preview, const TRVStyle& RVStyle) const;
  virtual void Print(TCanvas& Canvas, int x, int y, int x2, bool Preview, bool Correction,
                     const TRVScreenAndDevice& sad, const TRVStyle& RVStyle, TRVDrawLineInfo* DrawItem);
  virtual int GetImageWidth(const TRVStyle* RVStyle) const;
  virtual int GetImageHeight(const TRVStyle* RVStyle) const;
  virtual int GetBorderWidth() const { return 0; }
  virtual int GetBorderHeight() const { return 0; }
  // Text is the item's text on its way into the list; an item action may change it.
  virtual void Inserting(TCustomRVData* RVData, TRVRawByteString& Text, bool Safe);
  virtual void Inserted(TCustomRVData* RVData, int ItemNo);
  virtual void OnDocWidthChange(int DocWidth, TRVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas,
                                TCustomRVData* RVData, const TRVScreenAndDevice* sad, int& HShift, int& Desc,
                                bool NoCaching, bool Reformatting);

  // --- copying, palettes, pointer, jumps, properties ---
  // Copies StyleNo (only between items of one class), ParaNo, ItemOptions and Hint.
  virtual void Assign(const TCustomRVItemInfo& Source);
  virtual void TransferProperties(TCustomRVItemInfo& Source, TCustomRVData* RVData);
  virtual void UpdatePaletteInfo(TRVPaletteAction PaletteAction, bool ForceRecreateCopy, HPALETTE Palette,
                                 const TRVLogPalette* LogPalette);
  virtual void MovingToUndoList(int ItemNo, TCustomRVData* RVData);
  virtual void MovingFromUndoList(int ItemNo, TCustomRVData* RVData);
  virtual bool MouseMove(TShiftState Shift, int X, int Y, int ItemNo, TCustomRVData* RVData);
  virtual bool MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, int ItemNo, TCustomRVData* RVData);
  virtual bool MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y, int ItemNo, TCustomRVData* RVData);
  virtual void KeyDown(int Key, TShiftState Shift);
  virtual TCursor GetHypertextCursor(const TRVStyle& RVStyle) const;
  virtual void Execute(TCustomRVData* RVData);
  // Extra properties: true when this class knows the property.
  virtual bool SetExtraIntProperty(TRVExtraItemProperty Prop, int Value);
  virtual bool GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const;
  virtual bool SetExtraStrProperty(TRVExtraItemStrProperty Prop, const UnicodeString& Value);
  virtual bool GetExtraStrProperty(TRVExtraItemStrProperty Prop, UnicodeString& Value) const;
  virtual void UpdateAnimator(TCustomRVData* RVData);

  TRVRawByteString Text;
  int StyleNo = 0;
  int ParaNo = 0;
  TRVItemOptions ItemOptions;
  TRVItemStates ItemState;
  std::unique_ptr<TRVWordPainterList> WordPainters;
  // The checkpoint attached to the item. Documents create and chain
  // checkpoints; the item keeps the one attached to it, and the document
  // unlinks it from the chain before the item goes.
  std::unique_ptr<TRVCPInfo> Checkpoint;
  int JumpIndex = 0;
  TRVTag Tag;
  int FirstDrawItemNo = -1;
  UnicodeString Hint;
};

// The base of every non-text kind.
class TRVNonTextItemInfo : public TCustomRVItemInfo {
 public:
  using TCustomRVItemInfo::TCustomRVItemInfo;
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVNonTextItemInfo>; }

  virtual int GetHeight() const { return 0; }
  virtual int GetWidth() const { return 0; }
  virtual int GetLeftOverhang() const { return 0; }
  virtual void AdjustInserted(int x, int y, bool Adjusting);

  void Assign(const TCustomRVItemInfo& Source) override;
  bool SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) override;
  bool GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const override;

  bool DeleteProtect = false;
};

// Items that occupy a whole line.
class TRVFullLineItemInfo : public TRVNonTextItemInfo {
 public:
  using TRVNonTextItemInfo::TRVNonTextItemInfo;
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVFullLineItemInfo>; }
  bool GetBoolValue(TRVItemBoolProperty Prop) const override;
};

}  // namespace quorix
