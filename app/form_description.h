#pragma once
// Form descriptions: a window and its controls written down as data, and the
// loader that turns such a description into live controls with their event
// handlers bound by name.

#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/types.h"
#include "richview/control/rich_view.h"

namespace quorix {

struct TFormDescription {
  std::string_view Name = {};
  std::u16string_view Caption = {};
  int Left = 0;
  int Top = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
  TColor Color = clBtnFace;
  std::u16string_view FontName = u"MS Sans Serif";
  int FontHeight = -11;
  TColor FontColor = clWindowText;
  int PixelsPerInch = 96;
  std::string_view OnCreate = {};
};

enum TControlClass { ccButton, ccPanel, ccShape, ccImage, ccRichView };

// The stored properties of a rich-view control; each default is the class's own.
struct TRichViewDescription {
  bool ShowHint = false;
  bool ParentShowHint = true;
  TRVAnimationMode AnimationMode = rvaniManualStart;
  TBorderStyle BorderStyle = bsSingle;
  int LeftMargin = 5;
  int TopMargin = 5;
  int RightMargin = 5;
  int BottomMargin = 5;
  TRVPaletteAction DoInPaletteMode = rvpaCreateCopies;
  unsigned long long Options = 0x4FE25;  // TRVOptions as a bit mask
  std::string_view Style = {};           // a style sheet of the form, by name
  TRVTabNavigationType TabNavigation = rvtnTab;
  TTextLayout VAlign = tlTop;
  std::string_view OnItemHint = {};
};

// One control. Fields a class does not have are left at their defaults;
// clNone means "the class's own default".
struct TControlDescription {
  std::string_view Name = {};
  TControlClass Class = ccPanel;
  std::string_view Parent = {};  // empty: the form
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::u16string_view Caption = {};
  TColor Color = clNone;       // panel background
  TColor BrushColor = clNone;  // shape inside
  TColor PenColor = clNone;    // shape frame
  int PenWidth = 1;
  int TabOrder = -1;
  bool Visible = true;
  std::string_view OnClick = {};      // button
  std::string_view OnMouseDown = {};  // image
  TRichViewDescription RichView = {};  // rich view
};

// The handlers a description may name, by name.
struct TFormHandlers {
  std::map<std::string, TNotifyEvent, std::less<>> Notify;
  std::map<std::string, TMouseEvent, std::less<>> Mouse;
  std::map<std::string, TRVItemHintEvent, std::less<>> ItemHint;
  // The form's non-visual components that controls refer to, by name.
  std::map<std::string, TRVStyle*, std::less<>> StyleSheets;
};

// The controls a description created, in creation order; they belong to it.
class TFormControls {
 public:
  TFormControls() = default;
  TFormControls(TFormControls&&) = default;
  TFormControls& operator=(TFormControls&&) = default;
  ~TFormControls();

  TControl* Find(std::string_view name) const;
  // The control of that name and class; a missing one raises Exception.
  template <class C>
  C& Get(std::string_view name) const {
    C* c = dynamic_cast<C*>(Find(name));
    if (!c) ThrowMissing(name);
    return *c;
  }
  void Add(std::unique_ptr<TControl> control) { controls_.push_back(std::move(control)); }

 private:
  [[noreturn]] static void ThrowMissing(std::string_view name);
  std::vector<std::unique_ptr<TControl>> controls_;
};

// Applies the form's own properties and creates its controls in table order,
// each in its parent (which must come before it). A handler name that the
// handlers do not know, or a parent that does not exist, raises Exception: the
// description and the form class do not match.
TFormControls LoadForm(TForm& form, const TFormDescription& description,
                       std::span<const TControlDescription> controls, const TFormHandlers& handlers);

}  // namespace quorix
