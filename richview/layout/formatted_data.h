#pragma once
// TCustomRVFormattedData, a document that is laid out: its items turned into
// drawing items on screen lines for a given width, the hot areas of its
// hypertext items, the document's extent, and the lookups the control makes
// on them (item to drawing item and back, position to drawing item).
//
// What the layout needs to know about the window it is shown in (width,
// margins, scroll position, the canvas to measure with) it asks through
// virtual operations that the control-bound document answers; here they
// answer an empty, unscrolled area without margins.

#include <memory>

#include "platform/canvas.h"
#include "richview/document/rv_data.h"
#include "richview/layout/draw_lines.h"
#include "richview/layout/font_info_cache.h"
#include "richview/layout/format_params.h"
#include "richview/layout/jump_info.h"
#include "richview/layout/screen_and_device.h"
#include "richview/layout/text_measure.h"
#include "richview/styles/para_info.h"

namespace quorix {

class TBitmap;
class TRVBackground;

class TCustomRVFormattedData : public TCustomRVData {
 public:
  TCustomRVFormattedData();
  ~TCustomRVFormattedData() override;

  TCustomRVFormattedData* AsFormattedData() override { return this; }
  // Forgets the layout, then the items.
  void Clear() override;

  // --- what the window showing the document answers ---
  virtual int GetWidth() const { return 0; }
  virtual int GetHeight() const { return 0; }
  virtual int GetLeftMargin() const { return 0; }
  virtual int GetRightMargin() const { return 0; }
  virtual int GetTopMargin() const { return 0; }
  virtual int GetBottomMargin() const { return 0; }
  virtual int GetMinTextWidth() const { return 0; }
  virtual int GetMaxTextWidth() const { return 0; }
  // The vertical scroll offset, in pixels.
  virtual int GetVOffs() const { return 0; }
  virtual int GetHOffs() const { return 0; }
  // How far the document is moved down inside its window (vertical alignment).
  virtual int GetRVDataExtraVOffs() const { return 0; }
  // Where the document's (0, 0) lies in the coordinates its jumps are kept in.
  virtual void GetOrigin(int& X, int& Y) const {
    X = 0;
    Y = 0;
  }
  // Tells the window the size of the formatted document (margins included).
  virtual void SetDocumentAreaSize(int Width, int Height, bool UpdateH) {
    (void)Width, (void)Height, (void)UpdateH;
  }
  virtual void AdjustVScrollUnits() {}
  virtual void ScrollTo(int Y, bool Redraw) { (void)Y, (void)Redraw; }
  // The canvas to measure with; nullptr: none, and nothing can be formatted.
  virtual TCanvas* GetFormatCanvas() { return nullptr; }
  // Notifications at the end of a pass.
  virtual void Formatted(int FirstItemNo, int LastItemNo, bool Partial) {
    (void)FirstItemNo, (void)LastItemNo, (void)Partial;
  }
  virtual void DoAfterFormat() {}

  // --- the formatting pass ---
  // The whole document.
  void Format(bool NoCaching);
  // The whole document, keeping the scroll position.
  void Reformat();
  // Only the items appended since the last pass.
  void FormatTail();
  // The pass. KeepPosition: keep the selection and the scroll position;
  // Force: lay out even when the widths did not change; NoScroll: do not
  // restore the scroll position; Depth: 0 from callers; Canvas: nullptr for
  // GetFormatCanvas; OnlyTail: only the items after LastFormattedItemNo.
  void Format_(bool KeepPosition, bool Force, bool NoScroll, int Depth, TCanvas* Canvas, bool OnlyTail,
               bool NoCaching, bool Reformatting);
  void StartFormatting() { FState.Include(rvstSkipFormatting); }
  void EndFormatting() { FState.Exclude(rvstSkipFormatting); }
  void GetSADForFormatting(TCanvas& Canvas, TRVScreenAndDevice& SaD) const { RV_InfoAboutSaD(SaD, Canvas); }
  // The pass's metrics cache: fast when rvoFastFormatting is set and RVNT is true.
  virtual void CreateFontInfoCache(TCanvas& Canvas);
  virtual TRVFontInfoCache* GetFontInfoCache(TCanvas& Canvas, TCustomRVFormattedData* RVData);
  virtual void DestroyFontInfoCache();
  int GetDocumentHeight() const { return DocumentHeight; }

  // --- the width the content needs ---
  // The largest minimum width of the paragraph sections from Start's on.
  int CalculateMinDocWidthPlus(int Start, const TRVScreenAndDevice* SaD, TCanvas& Canvas);
  // The sections from the one holding FirstItemNo up to LastItemNo.
  int CalculateParaSectionsMinWidth(int FirstItemNo, int LastItemNo, const TRVScreenAndDevice* SaD, TCanvas& Canvas);
  // One section, First..Last: all its items side by side when it does not
  // wrap, else its widest item; indents included.
  int CalculateParaSectionMinWidth(int First, int Last, const TRVScreenAndDevice* SaD, TCanvas& Canvas);
  // A wrapping section: its widest item plus the section's indents.
  int CalculateMinItemsWidthPlus(int First, int Last, const TRVScreenAndDevice* SaD, TCanvas& Canvas);
  // The indent width of the section that starts with ItemNo: left and right
  // indent, and the first-line indent where it applies.
  int CalculatePureParaSectionWidth(int ItemNo, const TRVScreenAndDevice* SaD) const;
  // The left plus right indent of ItemNo's paragraph (screen pixels); its
  // first-line indent in FirstIndent.
  int GetMaxIndent(int ItemNo, int& FirstIndent) const;

  // --- line formatting ---
  // Places item ItemNo. For text, Text is the display form and OrigText the
  // stored text, and the Len characters after the first StartOffs are placed;
  // for other items both are empty and StartOffs is 0.
  void FormatLine(const TRVTextRun& Text, const TRVTextRun& OrigText, int StartOffs, int Len, int ItemNo,
                  TCanvas& Canvas, TRVScreenAndDevice& SaD, TRVFormatParams& Params);
  // Places a text item of a justified paragraph word by word.
  void FormatWords(int ItemNo, TCanvas& Canvas, TRVFormatParams& Params, TRVScreenAndDevice& SaD);
  // Closes the line ending at drawing item DrawItemCount - 1: aligns it,
  // applies the line spacing; ExtraBelow receives the space to leave below it.
  void FinishScreenLine(TRVScreenAndDevice& SaD, int LineRight, int DrawItemCount, int BaseLine, int LineHeightAbove,
                        int LineHeightBelow, bool NewParagraph, bool HasAbsVAlign, int& ExtraBelow, bool& FirstLine,
                        TCanvas* Canvas);
  // The indents (screen pixels) of a line that starts with item ItemNo.
  void GetIndents(int ItemNo, bool IsParaStart, int& FirstParaItemNo, int& LineLeftIndent, int& RightIndent,
                  int& BaseLeftIndent) const;
  // Completes a pending right- or centre-aligned tab.
  void UpdateLastTab(TRVFormatParams& Params);
  TRVDrawLineInfoClass GetStandardDrawLineInfoClass(const TCustomRVItemInfo& Item) const;

  // --- items and drawing items ---
  void Item2FirstDrawItem(int ItemNo, int& DItemNo) const;
  void Item2LastDrawItem(int ItemNo, int& DItemNo) const;
  void Item2DrawItem(int ItemNo, int ItemOffs, int& DItemNo, int& DItemOffs) const;
  void DrawItem2Item(int DItemNo, int DItemOffs, int& ItemNo, int& ItemOffs) const;
  int GetOffsBeforeDrawItem(int DItemNo) const;
  int GetOffsAfterDrawItem(int DItemNo) const;
  int GetDrawItemStyle(int DItemNo) const;
  int FindDrawItemByItem(int ItemNo) const;
  bool IsDrawItemFromNewLine(int DItemNo) const;
  void GetScreenLineBounds(int DItemNo, int& First, int& Last) const;

  // --- positions ---
  // The drawing item under (X, Y), document coordinates; -1 for none.
  int FindDrawItemAtPos(int X, int Y) const;
  // Mode 1: a drawing item at or before the first one visible from Y;
  // mode 3: the first drawing item whose Top is at or below Y.
  int GetDrawItemNo(int Y, int Mode) const;
  int GetFirstItemVisible() const;
  int GetLastItemVisible() const;

  // --- painting and repainting (richview/control/formatted_data_paint.cpp) ---
  // The background object of the window, if it has one.
  virtual TRVBackground* GetBackground() const { return nullptr; }
  // Paints the background of client rectangle Rect onto Canvas, whose origin
  // stands for Rect's top-left corner.
  virtual void DrawBackground(TCanvas& Canvas, const TRect& Rect);
  // Paints the document under client rectangle Rect onto Canvas, whose origin
  // stands for Rect's top-left corner. On screen the switches are false and
  // the extra offsets 0; they serve printing.
  void PaintTo(TCanvas& Canvas, const TRect& Rect, bool StrictTop, bool StrictBottom, bool InplaceOnMainCanvas,
               bool PrintSimulation, int ExtraX, int ExtraY);
  virtual void PostPaintTo(TCanvas& Canvas, int HOffs, int LastDrawItem, int FirstDrawItem, int VOffs) {
    (void)Canvas, (void)HOffs, (void)LastDrawItem, (void)FirstDrawItem, (void)VOffs;
  }
  // What lies behind item ItemNo, for animators that redraw it: a colour, and
  // with a background picture a bitmap of Rect (the item's image rectangle
  // when UseItemRect) with the background drawn on it.
  virtual void GetItemBackground(int ItemNo, TRect& Rect, bool UseItemRect, TColor& Color,
                                 std::unique_ptr<TBitmap>& Bitmap, bool& UseBitmap);
  // Repaint requests to the window showing the document.
  void InvalidateRect(const TRect& Rect);
  void Invalidate();
  void Refresh();
  void UpdateView();
  void InvalidateJumpRect(int JumpId);
  // --- the pointer (client coordinates) ---
  void MouseMove(TShiftState Shift, int X, int Y);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  void MouseLeave();
  // Updates FHotDrawItemNo for the client point (X, Y).
  void SearchHotItem(int X, int Y, int HOffs, int VOffs);
  // Forgets the hot area.
  void ClearLastJump();
  // The window's side of pointer tracking; nothing here.
  virtual void SetCursor(TCursor Cursor) { (void)Cursor; }
  virtual TCursor GetNormalCursor() const { return crDefault; }
  virtual void SetFocusToWindow() {}
  virtual void DoRVMouseMove(int id) { (void)id; }
  virtual void DoRVMouseDown(TMouseButton Button, TShiftState Shift, int ItemNo, int X, int Y) {
    (void)Button, (void)Shift, (void)ItemNo, (void)X, (void)Y;
  }
  virtual void DoRVMouseUp(TMouseButton Button, TShiftState Shift, int ItemNo, int X, int Y) {
    (void)Button, (void)Shift, (void)ItemNo, (void)X, (void)Y;
  }
  virtual bool IsAssignedJump() const { return false; }
  virtual bool IsAssignedRVMouseDown() const { return false; }
  virtual bool IsAssignedRVMouseUp() const { return false; }

  // The canvas of the window, for drawing between paints (animation), and
  // showing what was drawn there.
  virtual TCanvas* GetWindowCanvas() { return nullptr; }
  virtual void PresentWindowRect(const TRect& Rect) { (void)Rect; }

  // The item the caret is at (editors); -1 here.
  virtual int GetCurrentItemNo() const { return -1; }
  // Whether the window showing the document has the keyboard focus.
  virtual bool IsControlFocused() const { return false; }

  // Moves every jump to its drawing item plus its document's origin.
  void AdjustJumpsCoords();
  // Forgets the layout: drawing items, jumps and what refers to them.
  void ClearTemporal();

  TRVDrawLines DrawItems;
  int DocumentWidth = 0;   // the widest line's room, margins excluded
  int TextWidth = 0;       // where lines wrap, margins excluded
  int DocumentHeight = 0;  // margins included
  TRVJumpList Jumps;
  int NextJumpIndex = 0;
  int LastFormattedItemNo = -1;
  // --- pointer state (richview/control/formatted_data_pointer.cpp) ---
  int FHotDrawItemNo = -1;       // drawing item under the pointer at the last search
  int FHotJumpNo = -1;           // Id of the hot area under the pointer
  TCustomRVFormattedData* FHotRVData = nullptr;  // whose hot area that is (kept by the outermost document)
  int FPressedJumpNo = -1;       // Id of the hot area under the last left press
  int FClickedDrawItemNo = -1;   // drawing item under the last press
  TCustomRVItemInfo* FCaptureItem = nullptr;  // an item that has captured the mouse

 protected:
  // The hover, capture and selection state that refers to drawing items; the
  // control-bound document forgets it here.
  virtual void ForgetDrawItemReferences() {}
  // The selection kept across a pass that keeps the position, as item positions.
  virtual void StoreSelBounds() {}
  virtual void RestoreSelBounds() {}
  // Child controls follow their items after a pass.
  virtual void AdjustChildrenCoords() {}

  bool InSetDocumentSize = false;

 private:
  const TCustomRVParaInfo& ParaOf(int ItemNo) const;
  TRVBiDiMode GetParaBiDiMode(int ParaNo);
  bool PrevIsListMarker(int ItemNo) const;
  // The stored text and display form of a text item; the runs view the strings.
  struct ItemTexts {
    bool Unicode = true;
    TRVCodePage CodePage = CP_ACP;
    UnicodeString StoredW, DisplayW;
    TRVAnsiString StoredA, DisplayA;
    TRVTextRun StoredRun() const { return Unicode ? TRVTextRun{true, StoredW, {}, CodePage} : TRVTextRun{false, {}, StoredA, CodePage}; }
    TRVTextRun DisplayRun() const { return Unicode ? TRVTextRun{true, DisplayW, {}, CodePage} : TRVTextRun{false, {}, DisplayA, CodePage}; }
  };
  ItemTexts GetItemTexts(int ItemNo) const;

  // Line formatting steps (line_formatting.cpp).
  void FormatRectItem(int ItemNo, TCanvas& Canvas, TRVScreenAndDevice& SaD, TRVFormatParams& Params);
  void FormatFullLineItem(int ItemNo, TCanvas& Canvas, TRVScreenAndDevice& SaD, TRVFormatParams& Params);
  void FormatText(const TRVTextRun& Text, const TRVTextRun& OrigText, int StartOffs, int Len, int ItemNo,
                  TRVScreenAndDevice& SaD, TRVFormatParams& Params);
  // Closes the current line and prepares the next, which starts with ItemNo;
  // returns the space to leave below the closed line.
  int StartNewLine(int ItemNo, bool CheckEnd, TRVScreenAndDevice& SaD, TRVFormatParams& Params);
  void RaiseLineAscent(int Ascent, const TCustomRVParaInfo& Para, TRVFormatParams& Params);
  void LoadTextStyle(int StyleNo, int ItemNo, TRVScreenAndDevice& SaD, TRVFormatParams& Params);
  // The character at 0-based Index of a text item's stored text.
  char16_t StoredCharAt(int ItemNo, int Index) const;
  bool PieceBeginsWithSpace(int DItemNo) const;
  TRVJumpInfo* JumpOfDrawItem(int DItemNo) const;
  int PositionAbsVAlignItems(int First, int Last, int BaseLine, int LineHeightAbove, int LineHeightBelow,
                             const TCustomRVParaInfo& Para);
  int LineStart(int DItemNo) const;

  std::unique_ptr<TRVFontInfoCache> FFontInfoCache;
};

}  // namespace quorix
