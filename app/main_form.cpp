#include "app/main_form.h"

#include <algorithm>

#include "app/group_tabs.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "smilies/package_builder.h"
#include "smilies/package_reader.h"
#include "smilies/smilies_table.h"

namespace quorix {

namespace {

constexpr TFormDescription kForm{
    .Name = "fQuorixSmilies",
    .Caption = u"Quorix smilies viewer",
    .Left = 192,
    .Top = 114,
    .ClientWidth = 614,
    .ClientHeight = 412,
    .Color = clBtnFace,
    .FontName = u"MS Sans Serif",
    .FontHeight = -11,
    .FontColor = clWindowText,
    .PixelsPerInch = 96,
    .OnCreate = "FormCreate",
};

// The options of the group page's control: string tags, a repaint after
// every format, item hints and the measuring cache; nothing can be selected.
constexpr unsigned long long kSmiliesOptions =
    (1ull << rvoTagsArePChars) | (1ull << rvoFormatInvalidate) | (1ull << rvoShowItemHints) | (1ull << rvoFastFormatting);

// Bounds of the panel and of what sits in it are replaced by every layout.
constexpr TControlDescription kControls[] = {
    {.Name = "Button1", .Class = ccButton, .Left = 8, .Top = 8, .Width = 75, .Height = 25,
     .Caption = u"Refresh", .TabOrder = 0, .OnClick = "Button1Click"},
    {.Name = "pSmilies", .Class = ccPanel, .Left = 72, .Top = 144, .Width = 65, .Height = 57,
     .Color = clSilver, .TabOrder = 1, .Visible = false},
    {.Name = "shSmilies", .Class = ccShape, .Parent = "pSmilies", .Left = 0, .Top = 0, .Width = 20, .Height = 20,
     .BrushColor = 14215660, .PenColor = 10331565, .PenWidth = 1},
    {.Name = "imSmiliesGroups", .Class = ccImage, .Parent = "pSmilies", .Left = 26, .Top = 0, .Width = 31,
     .Height = 15, .OnMouseDown = "imSmiliesGroupsMouseDown"},
    {.Name = "rvSmilies", .Class = ccRichView, .Parent = "pSmilies", .Left = 8, .Top = 21, .Width = 49, .Height = 28,
     .TabOrder = 0,
     .RichView = {.ShowHint = true, .ParentShowHint = false, .AnimationMode = rvaniOnFormat, .BorderStyle = bsNone,
                  .LeftMargin = 0, .TopMargin = 0, .RightMargin = 0, .BottomMargin = 0,
                  .DoInPaletteMode = rvpaCreateCopies, .Options = kSmiliesOptions, .Style = "RVStyle1",
                  .TabNavigation = rvtnNone, .VAlign = tlCenter, .OnItemHint = "rvSmiliesItemHint"}},
};

// "Используемый набор смайлов поврежден" (the smilies set in use is damaged),
// kept as the Windows-1251 text it is and read in the system code page.
constexpr char kDamagedSetLine[] =
    "\xC8\xF1\xEF\xEE\xEB\xFC\xE7\xF3\xE5\xEC\xFB\xE9 \xED\xE0\xE1\xEE\xF0 \xF1\xEC\xE0\xE9\xEB\xEE\xE2 "
    "\xEF\xEE\xE2\xF0\xE5\xE6\xE4\xE5\xED";

// The picture shown for pictures that cannot be drawn: 32 x 32, a grey frame
// around a red cross on white.
TBitmap InvalidSmileyPicture() {
  TBitmap bitmap(32, 32);
  bitmap.Fill(clWhite);
  for (int i = 0; i < 32; ++i) {
    for (int j : {0, 31}) {
      bitmap.Scanline(j)[i] = PixelFromColor(clGray);
      bitmap.Scanline(i)[j] = PixelFromColor(clGray);
    }
  }
  for (int i = 6; i < 26; ++i) {
    bitmap.Scanline(i)[i] = PixelFromColor(clRed);
    bitmap.Scanline(i)[31 - i] = PixelFromColor(clRed);
  }
  return bitmap;
}

}  // namespace

const TFormDescription QuorixSmiliesFormDescription = kForm;
const std::span<const TControlDescription> QuorixSmiliesControls(kControls);

TfQuorixSmilies::TfQuorixSmilies() : RVStyle1(std::make_unique<TRVStyle>()) {
  const TBitmap invalid = InvalidSmileyPicture();
  RVStyle1->SetInvalidPicture(&invalid);
  TFormHandlers handlers;
  handlers.StyleSheets["RVStyle1"] = RVStyle1.get();
  handlers.ItemHint["rvSmiliesItemHint"] = [this](TCustomRichView* sender, TCustomRVData* data, int itemNo,
                                                  UnicodeString& hint) { rvSmiliesItemHint(sender, data, itemNo, hint); };
  handlers.Notify["FormCreate"] = [this](TControl* sender) { FormCreate(sender); };
  handlers.Notify["Button1Click"] = [this](TControl* sender) { Button1Click(sender); };
  handlers.Mouse["imSmiliesGroupsMouseDown"] = [this](TControl* sender, TMouseButton button, TShiftState shift,
                                                      int x, int y) {
    imSmiliesGroupsMouseDown(sender, button, shift, x, y);
  };
  controls_ = LoadForm(*this, QuorixSmiliesFormDescription, QuorixSmiliesControls, handlers);
  Button1 = &controls_.Get<TButton>("Button1");
  pSmilies = &controls_.Get<TPanel>("pSmilies");
  shSmilies = &controls_.Get<TShape>("shSmilies");
  imSmiliesGroups = &controls_.Get<TImage>("imSmiliesGroups");
  rvSmilies = &controls_.Get<TRichView>("rvSmilies");
  DoCreate();
}

TfQuorixSmilies::~TfQuorixSmilies() = default;

void TfQuorixSmilies::FormCreate(TControl*) { Button1->Click(); }

void TfQuorixSmilies::Button1Click(TControl*) {
  Button1->SetEnabled(false);
  pSmilies->Hide();
  BuildSmiliesPackage();  // a failed build shows through what the reader finds
  ReadSmiliesPackage();
  LayoutPanel();
  pSmilies->Show();
  Button1->SetEnabled(true);
}

void TfQuorixSmilies::LayoutPanel() {
  try {
    pSmilies->SetWidth(PanelWidth);
    pSmilies->SetHeight(PanelHeight);
    pSmilies->SetTop(Button1->Top() + Button1->Height() + 8);
    pSmilies->SetLeft(8);

    shSmilies->SetLeft(0);
    shSmilies->SetTop(0);
    shSmilies->SetWidth(pSmilies->Width());
    shSmilies->SetHeight(pSmilies->Height());

    if (GroupCount < 2) {
      imSmiliesGroups->Hide();
      imSmiliesGroups->SetBounds(0, 0, 0, 0);
    } else {
      imSmiliesGroups->SetLeft(2);
      imSmiliesGroups->SetTop(2);
      imSmiliesGroups->SetWidth(pSmilies->Width() - 4);
      imSmiliesGroups->SetHeight(18);
      imSmiliesGroups->Bitmap().SetSize(imSmiliesGroups->Width(), imSmiliesGroups->Height());
      imSmiliesGroups->Show();
    }

    rvSmilies->SetLeft(shSmilies->Left() + 2);
    rvSmilies->SetTop(shSmilies->Top() + imSmiliesGroups->Height() + 2);
    rvSmilies->SetHeight(pSmilies->Height() - imSmiliesGroups->Height() - 4);
    rvSmilies->SetWidth(pSmilies->Width() - 4);

    ShowGroup(0);
  } catch (...) {
    // The layout reports nothing; whatever was laid out before the error stays.
  }
}

void TfQuorixSmilies::DrawGroupTabs(int selected) {
  const int count = std::clamp(GroupCount, 0, GroupNameSlots);
  PaintGroupTabs(imSmiliesGroups->Bitmap().Canvas(), imSmiliesGroups->Width(), imSmiliesGroups->Height(),
                 std::span<const AnsiString>(GroupNames.data(), static_cast<std::size_t>(count)), selected);
}

namespace {

// A copy of the entry's picture for the page to own; none for an entry of
// another kind, or a JPEG entry without a picture (a failed build's table).
std::unique_ptr<TGraphic> CopyOfPicture(const TSmileyEntry& entry) {
  if (entry.Kind == SmileyKindGif) {
    auto gif = std::make_unique<TGIFImage>();
    gif->Assign(entry.Gif.get());  // an entry without a picture gives an empty one
    return gif;
  }
  if (entry.Kind == SmileyKindJpeg && entry.Jpeg) {
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->Assign(entry.Jpeg.get());
    return jpeg;
  }
  return nullptr;
}

}  // namespace

void TfQuorixSmilies::ShowGroup(int group) {
  rvSmilies->Clear();
  if (DisplayState == Shown) {
    DrawGroupTabs(group);
    bool first = true;
    for (int k = 0; k < SmileyCount; ++k) {
      const TSmileyEntry& entry = Smilies[static_cast<std::size_t>(k)];
      if (entry.Group != group) continue;
      std::unique_ptr<TGraphic> copy = CopyOfPicture(entry);
      if (!copy) continue;
      rvSmilies->AddHotPicture(entry.Code, std::move(copy), first ? 1 : -1, rvvaMiddle);
      first = false;
    }
    rvSmilies->Format();
    // The bar is allowed only for a page about as tall as the control.
    rvSmilies->SetVScrollVisible(false);
    if (rvSmilies->GetDocumentHeight() + 2 >= rvSmilies->Height()) rvSmilies->SetVScrollVisible(true);
  } else if (DisplayState == Damaged) {
    rvSmilies->AddNL(AnsiToUnicode(kDamagedSetLine), 1, 1);
    rvSmilies->Format();
  }
}

void TfQuorixSmilies::rvSmiliesItemHint(TCustomRichView*, TCustomRVData*, int ItemNo, UnicodeString& HintText) {
  // The number is one of the control's own document: the page has no nested documents.
  if (rvSmilies->GetItemStyle(ItemNo) != rvsHotPicture) return;
  const AnsiString code = UnicodeToAnsi(rvSmilies->GetItemText(ItemNo));
  if (!code.empty()) HintText = AnsiToUnicode(code);
}

void TfQuorixSmilies::imSmiliesGroupsMouseDown(TControl*, TMouseButton, TShiftState, int X, int) {
  if (GroupCount < 1) return;  // no table read yet: no tabs to hit
  const int w = imSmiliesGroups->Width() / GroupCount;
  for (int i = 0; i < GroupCount; ++i) {
    // Both bounds strict: a press on a boundary, at 0 or beyond the last
    // nominal tab selects nothing.
    if (w * i < X && X < w * (i + 1)) ShowGroup(i);
  }
}

}  // namespace quorix
