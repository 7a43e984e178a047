#include "app/main_form.h"

#include <algorithm>

#include "app/group_tabs.h"
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

// Bounds of the panel and of what sits in it are replaced by every layout.
// The group page's rich-view control joins pSmilies last, on top of the strip,
// with its style sheet; until it exists the layout only records its bounds.
constexpr TControlDescription kControls[] = {
    {.Name = "Button1", .Class = ccButton, .Left = 8, .Top = 8, .Width = 75, .Height = 25,
     .Caption = u"Refresh", .TabOrder = 0, .OnClick = "Button1Click"},
    {.Name = "pSmilies", .Class = ccPanel, .Left = 72, .Top = 144, .Width = 65, .Height = 57,
     .Color = clSilver, .TabOrder = 1, .Visible = false},
    {.Name = "shSmilies", .Class = ccShape, .Parent = "pSmilies", .Left = 0, .Top = 0, .Width = 20, .Height = 20,
     .BrushColor = 14215660, .PenColor = 10331565, .PenWidth = 1},
    {.Name = "imSmiliesGroups", .Class = ccImage, .Parent = "pSmilies", .Left = 26, .Top = 0, .Width = 31,
     .Height = 15, .OnMouseDown = "imSmiliesGroupsMouseDown"},
};

}  // namespace

const TFormDescription QuorixSmiliesFormDescription = kForm;
const std::span<const TControlDescription> QuorixSmiliesControls(kControls);

TfQuorixSmilies::TfQuorixSmilies() {
  TFormHandlers handlers;
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

    rvSmiliesBounds.Left = shSmilies->Left() + 2;
    rvSmiliesBounds.Top = shSmilies->Top() + imSmiliesGroups->Height() + 2;
    rvSmiliesBounds.Bottom = rvSmiliesBounds.Top + pSmilies->Height() - imSmiliesGroups->Height() - 4;
    rvSmiliesBounds.Right = rvSmiliesBounds.Left + pSmilies->Width() - 4;

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

void TfQuorixSmilies::ShowGroup(int group) {
  if (DisplayState == Shown) DrawGroupTabs(group);
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
