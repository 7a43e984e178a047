// Building and querying the control's document: the Add* family, which
// appends items under the document's paragraph rules, and the per-item
// queries and setters, which forward to the document.

#include <algorithm>

#include "richview/control/rich_view.h"
#include "richview/document/break_item.h"
#include "richview/document/bullet_items.h"
#include "richview/document/control_item.h"
#include "richview/document/picture_items.h"
#include "richview/document/tab_item.h"
#include "richview/document/text_item.h"
#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

// 8-bit text held one byte per UTF-16 unit, so that the line splitting below
// serves 8-bit and raw text as well; the bytes come back unchanged.
UnicodeString BytesAsUnits(std::string_view s) {
  UnicodeString units(s.size(), u'\0');
  std::transform(s.begin(), s.end(), units.begin(), [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
  return units;
}

std::string UnitsAsBytes(std::u16string_view s) {
  std::string bytes(s.size(), '\0');
  std::transform(s.begin(), s.end(), bytes.begin(), [](char16_t c) { return static_cast<char>(c & 0xFF); });
  return bytes;
}

// Every tab replaced by Spaces spaces (removed when Spaces is 0 or less).
template <class S>
S ReplaceTabs(const S& s, int Spaces) {
  using C = typename S::value_type;
  if (s.find(static_cast<C>(9)) == S::npos) return s;
  S out;
  out.reserve(s.size());
  for (C c : s) {
    if (c == static_cast<C>(9))
      out.append(static_cast<std::size_t>(std::max(Spaces, 0)), static_cast<C>(' '));
    else
      out += c;
  }
  return out;
}

// The same on UTF-16LE bytes: a tab is the pair 09 00 at an even offset.
TRVRawByteString ReplaceRawUnicodeTabs(const TRVRawByteString& raw, int Spaces) {
  return RVU_GetRawUnicode(ReplaceTabs(RVU_RawUnicodeToWideString(raw), Spaces));
}

}  // namespace

// ---------------------------------------------------------------- clearing

void TCustomRichView::Clear() {
  ClearTemporal();
  FRVData->Clear();
}

// ---------------------------------------------------------------- text

int TCustomRichView::ActualTextStyle(int StyleNo, int ParaNo) const {
  return FRVData->GetActualStyle2(StyleNo, ParaNo);
}

namespace {

bool StyleIsUnicode(const TRVStyle* Style, int StyleNo) { return !Style || Style->TextStyles[StyleNo].Unicode; }

int SpacesInTab(const TRVStyle* Style) { return Style ? Style->SpacesInTab : 0; }

// A text item of the current text item class, not yet in the document.
std::unique_ptr<TCustomRVItemInfo> NewTextItem(TRichViewRVData& Data, int StyleNo, int ParaNo, TRVTag Tag,
                                               bool Unicode) {
  auto item = RichViewTextItemClass(&Data);
  item->StyleNo = StyleNo;
  item->ParaNo = ParaNo;
  item->Tag = std::move(Tag);
  if (Unicode) item->ItemOptions.Include(rvioUnicode);
  return item;
}

}  // namespace

void TCustomRichView::AddNLTag(const UnicodeString& s, int StyleNo, int ParaNo, TRVTag Tag) {
  if (StyleNo < 0) StyleNo = rvsDefStyle;
  const int actual = ActualTextStyle(StyleNo, ParaNo);
  const bool unicode = StyleIsUnicode(FStyle, actual);
  const UnicodeString text = ReplaceTabs(s, SpacesInTab(FStyle));
  auto item = NewTextItem(*FRVData, StyleNo, ParaNo, std::move(Tag), unicode);
  const TRVRawByteString raw =
      unicode ? RVU_GetRawUnicode(text) : RVU_UnicodeToAnsi(FRVData->GetStyleCodePage(actual), text);
  FRVData->AddItemR(raw, std::move(item));
}

void TCustomRichView::AddFmt(const UnicodeString& FormatStr, std::span<const TFormatArg> Args, int StyleNo,
                             int ParaNo) {
  AddNLTag(FormatText(FormatStr, Args), StyleNo, ParaNo, 0);
}

void TCustomRichView::AddNLATag(const TRVAnsiString& s, int StyleNo, int ParaNo, TRVTag Tag) {
  if (StyleNo < 0) StyleNo = rvsDefStyle;
  // Continuing text is drawn in the last item's paragraph.
  int para = ParaNo;
  if (para == -1) para = FRVData->GetItemCount() > 0 ? FRVData->GetItemPara(FRVData->GetItemCount() - 1) : 0;
  const int actual = ActualTextStyle(StyleNo, para);
  const bool unicode = StyleIsUnicode(FStyle, actual);
  const TRVAnsiString text = ReplaceTabs(s, SpacesInTab(FStyle));
  auto item = NewTextItem(*FRVData, StyleNo, ParaNo, std::move(Tag), unicode);
  const TRVRawByteString raw =
      unicode ? RVU_GetRawUnicode(RVU_AnsiToUnicode(FRVData->GetStyleCodePage(actual), text)) : text;
  FRVData->AddItemR(raw, std::move(item));
}

void TCustomRichView::AddNLRTag(const TRVRawByteString& s, int StyleNo, int ParaNo, TRVTag Tag) {
  if (StyleNo < 0) StyleNo = rvsDefStyle;
  const int actual = ActualTextStyle(StyleNo, ParaNo);
  const bool unicode = StyleIsUnicode(FStyle, actual);
  auto item = NewTextItem(*FRVData, StyleNo, ParaNo, std::move(Tag), unicode);
  const TRVRawByteString raw =
      unicode ? ReplaceRawUnicodeTabs(s, SpacesInTab(FStyle)) : ReplaceTabs(s, SpacesInTab(FStyle));
  FRVData->AddItemR(raw, std::move(item));
}

// Lines of multi-line text. The text comes as UTF-16 units (8-bit text one
// byte per unit); AddLine appends one line's text with the paragraph number
// and line-start options it gets.
namespace {

enum TLineStart { lsContinue, lsNewParagraph, lsNewLine, lsPageBreak };

struct TLineSplitter {
  bool UnicodeBreaks = true;  // VT, U+2028 and U+2029 break too
  bool AsSingleParagraph = false;

  template <class AddLine>
  void Split(std::u16string_view s, AddLine&& add) const {
    TLineStart start = lsContinue;
    std::size_t begin = 0;
    std::size_t i = 0;
    auto flush = [&](std::size_t end, TLineStart next) {
      add(s.substr(begin, end - begin), start);
      start = AsSingleParagraph && next != lsContinue ? lsNewLine : next;
    };
    while (i < s.size()) {
      const char16_t c = s[i];
      if (c == u'\r' || c == u'\n') {
        flush(i, lsNewParagraph);
        // CR LF and LF CR end one line.
        if (i + 1 < s.size() && (s[i + 1] == u'\r' || s[i + 1] == u'\n') && s[i + 1] != c) ++i;
        begin = ++i;
      } else if (c == u'\f') {
        flush(i, lsPageBreak);
        begin = ++i;
      } else if (UnicodeBreaks && (c == 11 || c == 0x2028)) {
        flush(i, lsNewLine);
        begin = ++i;
      } else if (UnicodeBreaks && c == 0x2029) {
        flush(i, lsNewParagraph);
        begin = ++i;
      } else {
        ++i;
      }
    }
    // A line end at the very end of the text starts no further line.
    if (begin < s.size() || begin == 0) add(s.substr(begin), start);
  }
};

}  // namespace

void TCustomRichView::AddTextLines(const UnicodeString& s, int StyleNo, int FirstParaNo, int OtherParaNo,
                                   bool AsSingleParagraph, TLineText Kind) {
  const bool UnicodeBreaks = Kind == ltUnicode;  // raw UTF-16 breaks only where 8-bit text does
  const bool tabItems = SpacesInTab(FStyle) <= 0;
  const bool pageBreaks = FRVData->SupportsPageBreaks();
  TLineSplitter splitter{UnicodeBreaks, AsSingleParagraph};
  bool firstLine = true;
  auto appendPiece = [&](std::u16string_view piece, int paraNo) {
    const UnicodeString text(piece);
    switch (Kind) {
      case ltUnicode: AddNLTag(text, StyleNo, paraNo, 0); break;
      case ltEight: AddNLATag(UnitsAsBytes(text), StyleNo, paraNo, 0); break;
      case ltRaw: AddNLRTag(UnitsAsBytes(text), StyleNo, paraNo, 0); break;
      case ltRawUnicode: AddNLRTag(RVU_GetRawUnicode(text), StyleNo, paraNo, 0); break;
    }
  };
  splitter.Split(s, [&](std::u16string_view line, TLineStart start) {
    int paraNo = firstLine ? FirstParaNo : OtherParaNo;
    const int count = FRVData->GetItemCount();
    const bool lineBreak = !firstLine && start == lsNewLine;
    // A line break inside the paragraph keeps its paragraph style.
    if (lineBreak) paraNo = count > 0 ? FRVData->GetItemPara(count - 1) : 0;
    firstLine = false;
    const int before = FRVData->GetItemCount();
    // With tabs as items, a line is its pieces between tabs and a tab item for each tab.
    std::size_t from = 0;
    bool firstPiece = true;
    auto pieceStart = [&] {
      const int p = firstPiece ? paraNo : -1;
      firstPiece = false;
      return p;
    };
    if (tabItems) {
      for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != 9) continue;
        if (i > from || (i == line.size() && firstPiece)) appendPiece(line.substr(from, i - from), pieceStart());
        if (i < line.size()) {
          const int tabStyle = StyleNo < 0 ? ActualTextStyle(rvsDefStyle, std::max(paraNo, 0)) : StyleNo;
          AddTab(tabStyle, pieceStart());
        }
        from = i + 1;
      }
    } else {
      appendPiece(line, pieceStart());
    }
    if (FRVData->GetItemCount() > before) {
      TCustomRVItemInfo* item = FRVData->GetItem(before);
      if (lineBreak) {
        item->SetBR(true);
        item->SetSameAsPrev(false);
      }
      if (start == lsPageBreak && pageBreaks && before > 0) item->SetPageBreakBefore(true);
    }
  });
}

void TCustomRichView::AddTextNLW(const UnicodeString& s, int StyleNo, int FirstParaNo, int OtherParaNo,
                                 bool AsSingleParagraph) {
  AddTextLines(s, StyleNo, FirstParaNo, OtherParaNo, AsSingleParagraph, ltUnicode);
}

void TCustomRichView::AddTextNLA(const TRVAnsiString& s, int StyleNo, int FirstParaNo, int OtherParaNo) {
  AddTextLines(BytesAsUnits(s), StyleNo, FirstParaNo, OtherParaNo, false, ltEight);
}

void TCustomRichView::AddTextNLR(const TRVRawByteString& s, int StyleNo, int FirstParaNo, int OtherParaNo) {
  // Raw text in a Unicode style is UTF-16LE: its lines are found in the units.
  const int actual = ActualTextStyle(StyleNo < 0 ? rvsDefStyle : StyleNo, std::max(FirstParaNo, 0));
  if (!StyleIsUnicode(FStyle, actual)) {
    AddTextLines(BytesAsUnits(s), StyleNo, FirstParaNo, OtherParaNo, false, ltRaw);
    return;
  }
  AddTextLines(RVU_RawUnicodeToWideString(s), StyleNo, FirstParaNo, OtherParaNo, false, ltRawUnicode);
}

void TCustomRichView::AddTextBlockNLA(const TRVAnsiString& s, int StyleNo, int ParaNo) {
  AddTextLines(BytesAsUnits(s), StyleNo, ParaNo, ParaNo, true, ltEight);
}

// ---------------------------------------------------------------- other kinds

namespace {

void Append(TRichViewRVData& Data, const TRVAnsiString& Name, std::unique_ptr<TCustomRVItemInfo> Item, int ParaNo,
            TRVTag Tag) {
  Item->ParaNo = ParaNo;
  Item->Tag = std::move(Tag);
  Data.AddItemR(Name, std::move(Item));
}

}  // namespace

void TCustomRichView::AddPictureExTag(const TRVAnsiString& Name, std::unique_ptr<TGraphic> gr, int ParaNo,
                                      TRVVAlign VAlign, TRVTag Tag) {
  Append(*FRVData, Name, std::make_unique<TRVGraphicItemInfo>(FRVData.get(), std::move(gr), VAlign), ParaNo,
         std::move(Tag));
}

void TCustomRichView::AddHotPictureTag(const TRVAnsiString& Name, std::unique_ptr<TGraphic> gr, int ParaNo,
                                       TRVVAlign VAlign, TRVTag Tag) {
  Append(*FRVData, Name, std::make_unique<TRVHotGraphicItemInfo>(FRVData.get(), std::move(gr), VAlign), ParaNo,
         std::move(Tag));
}

void TCustomRichView::AddBulletExTag(const TRVAnsiString& Name, int ImageIndex, TCustomImageList* ImageList,
                                     int ParaNo, TRVTag Tag) {
  Append(*FRVData, Name, std::make_unique<TRVBulletItemInfo>(FRVData.get(), ImageIndex, ImageList, rvvaBaseline),
         ParaNo, std::move(Tag));
}

void TCustomRichView::AddHotspotExTag(const TRVAnsiString& Name, int ImageIndex, int HotImageIndex,
                                      TCustomImageList* ImageList, int ParaNo, TRVTag Tag) {
  Append(*FRVData, Name,
         std::make_unique<TRVHotspotItemInfo>(FRVData.get(), ImageIndex, HotImageIndex, ImageList, rvvaBaseline),
         ParaNo, std::move(Tag));
}

void TCustomRichView::AddControlExTag(const TRVAnsiString& Name, TControl* ctrl, int ParaNo, TRVVAlign VAlign,
                                      TRVTag Tag) {
  if (!ctrl) throw ERichViewError(errRVNil);
  Append(*FRVData, Name, std::make_unique<TRVControlItemInfo>(FRVData.get(), ctrl, VAlign), ParaNo, std::move(Tag));
  if (ctrl->Parent() != this) ctrl->SetParent(this);
}

void TCustomRichView::AddBreakExTag(std::uint8_t Width, TRVBreakStyle Style, TColor Color, TRVTag Tag) {
  Append(*FRVData, {}, std::make_unique<TRVBreakItemInfo>(FRVData.get(), Width, Style, Color), 0, std::move(Tag));
}

void TCustomRichView::AddTab(int TextStyleNo, int ParaNo) {
  auto item = std::make_unique<TRVTabItemInfo>(FRVData.get());
  item->SetAssociatedTextStyleNo(TextStyleNo);
  Append(*FRVData, {}, std::move(item), ParaNo, 0);
}

int TCustomRichView::AddNamedCheckpointExTag(const UnicodeString& Name, bool RaiseEvent, TRVTag Tag) {
  return FRVData->AddNamedCheckpointExTag(Name, RaiseEvent, std::move(Tag));
}

void TCustomRichView::AddItem(const UnicodeString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  FRVData->AddItem(Text, std::move(Item));
}

void TCustomRichView::AddItemR(const TRVRawByteString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  FRVData->AddItemR(Text, std::move(Item));
}

// ---------------------------------------------------------------- queries and setters

TCustomRVItemInfo* TCustomRichView::GetItem(int ItemNo) const { return FRVData->GetItem(ItemNo); }
int TCustomRichView::GetItemNo(const TCustomRVItemInfo* Item) const { return FRVData->GetItemNo(Item); }
int TCustomRichView::GetLineCount() const { return FRVData->GetItemCount(); }
int TCustomRichView::GetItemStyle(int ItemNo) const { return FRVData->GetItemStyle(ItemNo); }
int TCustomRichView::GetItemPara(int ItemNo) const { return FRVData->GetItemPara(ItemNo); }
const TRVTag& TCustomRichView::GetItemTag(int ItemNo) const { return FRVData->GetItemTag(ItemNo); }
void TCustomRichView::SetItemTag(int ItemNo, TRVTag Tag) { FRVData->SetItemTag(ItemNo, std::move(Tag)); }
bool TCustomRichView::IsParaStart(int ItemNo) const { return FRVData->IsParaStart(ItemNo); }
bool TCustomRichView::IsFromNewLine(int ItemNo) const { return FRVData->IsFromNewLine(ItemNo); }
UnicodeString TCustomRichView::GetItemTextW(int ItemNo) const { return FRVData->GetItemTextW(ItemNo); }
TRVAnsiString TCustomRichView::GetItemTextA(int ItemNo) const { return FRVData->GetItemTextA(ItemNo); }
TRVRawByteString TCustomRichView::GetItemTextR(int ItemNo) const { return FRVData->GetItemTextR(ItemNo); }
void TCustomRichView::SetItemTextW(int ItemNo, const UnicodeString& s) { FRVData->SetItemTextW(ItemNo, s); }
void TCustomRichView::SetItemTextA(int ItemNo, const TRVAnsiString& s) { FRVData->SetItemTextA(ItemNo, s); }

void TCustomRichView::SetItemTextR(int ItemNo, const TRVRawByteString& Text) {
  FRVData->GetItem(ItemNo);  // the list error for a number out of range
  FRVData->SetItemTextRAsIs(ItemNo, Text);
}

void TCustomRichView::GetTextInfo(int ItemNo, UnicodeString& Text, const TRVTag*& Tag) const {
  FRVData->GetTextInfo(ItemNo, Text, Tag);
}

void TCustomRichView::GetPictureInfo(int ItemNo, TRVAnsiString& Name, TGraphic*& gr, TRVVAlign& VAlign,
                                     const TRVTag*& Tag) const {
  FRVData->GetPictureInfo(ItemNo, Name, gr, VAlign, Tag);
}

bool TCustomRichView::SetPictureInfo(int ItemNo, const TRVAnsiString& Name, std::unique_ptr<TGraphic> gr,
                                     TRVVAlign VAlign, TRVTag Tag) {
  return FRVData->SetPictureInfo(ItemNo, Name, std::move(gr), VAlign, std::move(Tag));
}

void TCustomRichView::GetBreakInfo(int ItemNo, std::uint8_t& Width, TRVBreakStyle& Style, TColor& Color,
                                   const TRVTag*& Tag) const {
  FRVData->GetBreakInfo(ItemNo, Width, Style, Color, Tag);
}

void TCustomRichView::SetBreakInfo(int ItemNo, std::uint8_t Width, TRVBreakStyle Style, TColor Color, TRVTag Tag) {
  FRVData->SetBreakInfo(ItemNo, Width, Style, Color, std::move(Tag));
}

void TCustomRichView::GetBulletInfo(int ItemNo, TRVAnsiString& Name, int& ImageIndex, TCustomImageList*& ImageList,
                                    const TRVTag*& Tag) const {
  FRVData->GetBulletInfo(ItemNo, Name, ImageIndex, ImageList, Tag);
}

void TCustomRichView::SetBulletInfo(int ItemNo, const TRVAnsiString& Name, int ImageIndex,
                                    TCustomImageList* ImageList, TRVTag Tag) {
  FRVData->SetBulletInfo(ItemNo, Name, ImageIndex, ImageList, std::move(Tag));
}

void TCustomRichView::GetHotspotInfo(int ItemNo, TRVAnsiString& Name, int& ImageIndex, int& HotImageIndex,
                                     TCustomImageList*& ImageList, const TRVTag*& Tag) const {
  FRVData->GetHotspotInfo(ItemNo, Name, ImageIndex, HotImageIndex, ImageList, Tag);
}

void TCustomRichView::SetHotspotInfo(int ItemNo, const TRVAnsiString& Name, int ImageIndex, int HotImageIndex,
                                     TCustomImageList* ImageList, TRVTag Tag) {
  FRVData->SetHotspotInfo(ItemNo, Name, ImageIndex, HotImageIndex, ImageList, std::move(Tag));
}

void TCustomRichView::GetControlInfo(int ItemNo, TRVAnsiString& Name, TControl*& ctrl, TRVVAlign& VAlign,
                                     const TRVTag*& Tag) const {
  FRVData->GetControlInfo(ItemNo, Name, ctrl, VAlign, Tag);
}

void TCustomRichView::SetControlInfo(int ItemNo, const TRVAnsiString& Name, TRVVAlign VAlign, TRVTag Tag) {
  FRVData->SetControlInfo(ItemNo, Name, VAlign, std::move(Tag));
}

bool TCustomRichView::GetItemExtraIntProperty(int ItemNo, TRVExtraItemProperty Prop, int& Value) const {
  return FRVData->GetItemExtraIntProperty(ItemNo, Prop, Value);
}

bool TCustomRichView::SetItemExtraIntProperty(int ItemNo, TRVExtraItemProperty Prop, int Value) {
  return FRVData->SetItemExtraIntProperty(ItemNo, Prop, Value);
}

bool TCustomRichView::GetItemExtraStrProperty(int ItemNo, TRVExtraItemStrProperty Prop, UnicodeString& Value) const {
  return FRVData->GetItemExtraStrProperty(ItemNo, Prop, Value);
}

bool TCustomRichView::SetItemExtraStrProperty(int ItemNo, TRVExtraItemStrProperty Prop, const UnicodeString& Value) {
  return FRVData->SetItemExtraStrProperty(ItemNo, Prop, Value);
}

int TCustomRichView::GetOffsBeforeItem(int ItemNo) const { return FRVData->GetOffsBeforeItem(ItemNo); }
int TCustomRichView::GetOffsAfterItem(int ItemNo) const { return FRVData->GetOffsAfterItem(ItemNo); }
void TCustomRichView::SetAddParagraphMode(bool AllowNewPara) { FRVData->SetAddParagraphMode(AllowNewPara); }

TRVCPInfo* TCustomRichView::GetFirstCheckpoint() const { return FRVData->GetFirstCheckpoint(); }
TRVCPInfo* TCustomRichView::GetNextCheckpoint(const TRVCPInfo* CP) const { return FRVData->GetNextCheckpoint(CP); }
TRVCPInfo* TCustomRichView::GetLastCheckpoint() const { return FRVData->GetLastCheckpoint(); }
TRVCPInfo* TCustomRichView::GetPrevCheckpoint(const TRVCPInfo* CP) const { return FRVData->GetPrevCheckpoint(CP); }
TRVCPInfo* TCustomRichView::GetCheckpointByNo(int No) const { return FRVData->GetCheckpointByNo(No); }
int TCustomRichView::GetCheckpointNo(const TRVCPInfo* CP) const { return FRVData->GetCheckpointNo(CP); }
int TCustomRichView::GetCheckpointItemNo(const TRVCPInfo* CP) const { return FRVData->GetCheckpointItemNo(CP); }
TRVCPInfo* TCustomRichView::GetItemCheckpoint(int ItemNo) const { return FRVData->GetItemCheckpoint(ItemNo); }

TRVCPInfo* TCustomRichView::FindCheckpointByName(const UnicodeString& Name) const {
  return FRVData->FindCheckpointByName(Name);
}

TRVCPInfo* TCustomRichView::FindCheckpointByTag(const TRVTag& Tag) const { return FRVData->FindCheckpointByTag(Tag); }

void TCustomRichView::GetCheckpointInfo(const TRVCPInfo* CP, const TRVTag*& Tag, UnicodeString& Name,
                                        bool& RaiseEvent) const {
  FRVData->GetCheckpointInfo(CP, Tag, Name, RaiseEvent);
}

void TCustomRichView::SetCheckpointInfo(int ItemNo, TRVTag Tag, const UnicodeString& Name, bool RaiseEvent) {
  FRVData->SetCheckpointInfo(ItemNo, std::move(Tag), Name, RaiseEvent);
}

bool TCustomRichView::RemoveCheckpoint(int ItemNo) { return FRVData->RemoveCheckpoint(ItemNo); }
int TCustomRichView::GetFirstJumpNo() const { return FRVData->FirstJumpNo; }
void TCustomRichView::SetFirstJumpNo(int Value) { FRVData->FirstJumpNo = Value; }

}  // namespace quorix
