#include "app/form_description.h"

namespace quorix {

namespace {

template <class Event, class Map>
Event FindHandler(const Map& map, std::string_view name) {
  if (name.empty()) return {};
  auto it = map.find(name);
  if (it == map.end()) throw Exception("The form names an unknown handler " + std::string(name));
  return it->second;
}

TRVStyle* FindStyleSheet(const TFormHandlers& handlers, std::string_view name) {
  if (name.empty()) return nullptr;
  auto it = handlers.StyleSheets.find(name);
  if (it == handlers.StyleSheets.end()) throw Exception("The form names an unknown style sheet " + std::string(name));
  return it->second;
}

// A rich view with its stored properties; it is loaded (formatted) once its
// bounds are set too.
std::unique_ptr<TControl> CreateRichView(const TRichViewDescription& d, TWinControl* parent,
                                         const TFormHandlers& handlers) {
  auto view = std::make_unique<TRichView>(parent);
  view->BeginLoading();
  view->ShowHint = d.ShowHint;
  view->ParentShowHint = d.ParentShowHint;
  view->SetAnimationMode(d.AnimationMode);
  view->SetBorderStyle(d.BorderStyle);
  view->SetLeftMargin(d.LeftMargin);
  view->SetTopMargin(d.TopMargin);
  view->SetRightMargin(d.RightMargin);
  view->SetBottomMargin(d.BottomMargin);
  view->SetDoInPaletteMode(d.DoInPaletteMode);
  view->SetOptions(TRVOptions::FromMask(d.Options));
  view->SetStyle(FindStyleSheet(handlers, d.Style));
  view->SetTabNavigation(d.TabNavigation);
  view->SetVAlign(d.VAlign);
  view->OnItemHint = FindHandler<TRVItemHintEvent>(handlers.ItemHint, d.OnItemHint);
  return view;
}

std::unique_ptr<TControl> CreateControl(const TControlDescription& d, TWinControl* parent,
                                        const TFormHandlers& handlers) {
  switch (d.Class) {
    case ccButton: {
      auto button = std::make_unique<TButton>(parent);
      button->SetCaption(UnicodeString(d.Caption));
      button->TabOrder = d.TabOrder;
      button->OnClick = FindHandler<TNotifyEvent>(handlers.Notify, d.OnClick);
      return button;
    }
    case ccPanel: {
      auto panel = std::make_unique<TPanel>(parent);
      if (d.Color != clNone) panel->SetColor(d.Color);
      panel->TabOrder = d.TabOrder;
      return panel;
    }
    case ccShape: {
      auto shape = std::make_unique<TShape>(parent);
      TBrush brush = shape->Brush();
      if (d.BrushColor != clNone) brush.Color = d.BrushColor;
      shape->SetBrush(brush);
      TPen pen = shape->Pen();
      if (d.PenColor != clNone) pen.Color = d.PenColor;
      pen.Width = d.PenWidth;
      shape->SetPen(pen);
      return shape;
    }
    case ccImage: {
      auto image = std::make_unique<TImage>(parent);
      image->OnMouseDown = FindHandler<TMouseEvent>(handlers.Mouse, d.OnMouseDown);
      return image;
    }
    case ccRichView: return CreateRichView(d.RichView, parent, handlers);
  }
  throw Exception("The form names an unknown control class");
}

}  // namespace

TFormControls::~TFormControls() {
  // Children before their parents, the reverse of creation.
  while (!controls_.empty()) controls_.pop_back();
}

TControl* TFormControls::Find(std::string_view name) const {
  for (const auto& c : controls_) {
    if (c->Name == name) return c.get();
  }
  return nullptr;
}

void TFormControls::ThrowMissing(std::string_view name) {
  throw Exception("The form has no control " + std::string(name) + " of that class");
}

TFormControls LoadForm(TForm& form, const TFormDescription& description,
                       std::span<const TControlDescription> controls, const TFormHandlers& handlers) {
  form.Name = std::string(description.Name);
  form.SetCaption(UnicodeString(description.Caption));
  TFont font = form.Font();
  font.Name = UnicodeString(description.FontName);
  font.Height = description.FontHeight;
  font.Color = description.FontColor;
  font.PixelsPerInch = description.PixelsPerInch;
  form.SetFont(font);
  form.SetColor(description.Color);
  form.SetBounds(description.Left, description.Top, description.ClientWidth, description.ClientHeight);
  form.OnCreate = FindHandler<TNotifyEvent>(handlers.Notify, description.OnCreate);

  TFormControls result;
  for (const TControlDescription& d : controls) {
    TWinControl* parent = &form;
    if (!d.Parent.empty()) {
      parent = dynamic_cast<TWinControl*>(result.Find(d.Parent));
      if (!parent) throw Exception("The form places " + std::string(d.Name) + " in a missing parent");
    }
    std::unique_ptr<TControl> control = CreateControl(d, parent, handlers);
    control->Name = std::string(d.Name);
    control->SetBounds(d.Left, d.Top, d.Width, d.Height);
    control->SetVisible(d.Visible);
    if (auto* view = dynamic_cast<TCustomRichView*>(control.get())) view->Loaded();
    result.Add(std::move(control));
  }
  return result;
}

}  // namespace quorix
