#include "richview/document/picture_items.h"

#include <cstring>

#include "richview/document/rv_data.h"
#include "richview/styles/rv_style.h"

namespace quorix {

namespace {

bool IsClass(const TGraphic* g, const char* name) { return g && std::strcmp(g->ClassName(), name) == 0; }

// A copy of source with the same class and content.
std::unique_ptr<TGraphic> CopyPicture(const TGraphic& source) {
  auto copy = RV_CreateGraphics(source);
  copy->Assign(&source);
  return copy;
}

}  // namespace

std::unique_ptr<TGraphic> RV_CreateGraphicsDefault(const TGraphic& PictureClass) { return PictureClass.CreateEmpty(); }

TRVCreateGraphicsFunction RV_CreateGraphics = &RV_CreateGraphicsDefault;

// ---------------------------------------------------------------- TRVRectItemInfo

int TRVRectItemInfo::GetWidth() const { return GetImageWidth(nullptr) + 2 * Spacing; }
int TRVRectItemInfo::GetHeight() const { return GetImageHeight(nullptr) + 2 * Spacing; }

int TRVRectItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TCanvas*, TCustomRVData*) const {
  return RV_XToDevice(GetImageWidth(nullptr) + 2 * Spacing, sad);
}

void TRVRectItemInfo::Assign(const TCustomRVItemInfo& Source) {
  if (const auto* src = dynamic_cast<const TRVRectItemInfo*>(&Source)) {
    MinHeightOnPage = src->MinHeightOnPage;
    VAlign = src->VAlign;
    VShift = src->VShift;
    VShiftAbs = src->VShiftAbs;
    Spacing = src->Spacing;
  }
  TRVNonTextItemInfo::Assign(Source);
}

bool TRVRectItemInfo::SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) {
  switch (Prop) {
    case rvepVShift: VShift = Value; return true;
    case rvepVShiftAbs: VShiftAbs = Value != 0; return true;
    case rvepSpacing: SetSpacing(Value); return true;
    default: return TRVNonTextItemInfo::SetExtraIntProperty(Prop, Value);
  }
}

bool TRVRectItemInfo::GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const {
  switch (Prop) {
    case rvepVShift: Value = VShift; return true;
    case rvepVShiftAbs: Value = VShiftAbs ? 1 : 0; return true;
    case rvepSpacing: Value = Spacing; return true;
    default: return TRVNonTextItemInfo::GetExtraIntProperty(Prop, Value);
  }
}

// ---------------------------------------------------------------- TRVGraphicItemInfo

void TRVRectItemInfo::PaintStateFrames(TCanvas& Canvas, int x, int y, int w, int h, TRVItemDrawStates State,
                                       const TRVStyle& RVStyle) const {
  auto frame = [&](TColor color, int grow) {
    Canvas.Pen.Color = color;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Brush.Style = bsClear;
    Canvas.Rectangle(x - Spacing - grow, y - Spacing - grow, x + w + Spacing + grow, y + h + Spacing + grow);
  };
  if (State.Contains(rvidsSelected)) {
    const TColor color = State.Contains(rvidsControlFocused) ? RVStyle.SelColor : RVStyle.InactiveSelColor;
    if (color != clNone) frame(color, 0);
  }
  if (State.Contains(rvidsCurrent) && RVStyle.CurrentItemColor != clNone) frame(RVStyle.CurrentItemColor, 1);
}

TRVGraphicItemInfo::TRVGraphicItemInfo(TCustomRVData* RVData) : TRVRectItemInfo(RVData) { StyleNo = rvsPicture; }

TRVGraphicItemInfo::TRVGraphicItemInfo(TCustomRVData* RVData, std::unique_ptr<TGraphic> image, TRVVAlign valign)
    : TRVGraphicItemInfo(RVData) {
  Image = std::move(image);
  VAlign = valign;
}

// The animator goes first: it refers to this item and its picture.
TRVGraphicItemInfo::~TRVGraphicItemInfo() {
  Animator.reset();
  ImageCopy.reset();
  Image.reset();
}

bool TRVGraphicItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  switch (Prop) {
    case rvbpValid: return Image != nullptr;
    case rvbpDrawingChangesFont: return true;
    case rvbpResizable: return Image && !IsClass(Image.get(), "TIcon") && Resizable;
    case rvbpResizeHandlesOutside: return Animator != nullptr;
    default: return TRVRectItemInfo::GetBoolValue(Prop);
  }
}

bool TRVGraphicItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  switch (Prop) {
    case rvbpDisplayActiveState: return true;
    case rvbpPrintToBMP: return !IsClass(Image.get(), "TMetafile");
    default: return TRVRectItemInfo::GetBoolValueEx(Prop, RVStyle);
  }
}

int TRVGraphicItemInfo::GetImageWidth(const TRVStyle*) const {
  if (ImageWidth > 0) return ImageWidth;
  return Image ? Image->GetWidth() : 0;
}

int TRVGraphicItemInfo::GetImageHeight(const TRVStyle*) const {
  if (ImageHeight > 0) return ImageHeight;
  return Image ? Image->GetHeight() : 0;
}

void TRVGraphicItemInfo::DrawPicture(TGraphic& picture, int x, int y, int w, int h, TCanvas& Canvas) {
  const bool stretched = ImageWidth != 0 || ImageHeight != 0;
  const TRect rect = stretched ? Bounds(x, y, w, h) : Bounds(x, y, picture.GetWidth(), picture.GetHeight());
  const bool metafile = IsClass(&picture, "TMetafile");
  // A picture that fails to draw must not take the rest of the paint with it.
  try {
    if (metafile) {
      Canvas.SaveState();
      Canvas.IntersectClipRect(rect);
    }
    picture.Draw(Canvas, rect);
  } catch (...) {
  }
  if (metafile) Canvas.RestoreState();
}

void TRVGraphicItemInfo::Paint(int x, int y, TCanvas& Canvas, TRVItemDrawStates State, const TRVStyle& RVStyle,
                               TRVDrawLineInfo*) {
  const int w = GetImageWidth(&RVStyle);
  const int h = GetImageHeight(&RVStyle);
  x += Spacing;
  y += Spacing;
  if (Animator) {
    Animator->Draw(x, y, Canvas, false);
  } else if (!ImageCopy) {
    if (Image) DrawPicture(*Image, x, y, w, h, Canvas);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(ImageCopy.get())) {
    if (ImageWidth != 0 || ImageHeight != 0)
      Canvas.StretchDrawBitmap(Bounds(x, y, w, h), *bitmap);
    else
      Canvas.DrawBitmap(x, y, *bitmap);
  } else {
    DrawPicture(*ImageCopy, x, y, w, h, Canvas);
  }

  PaintStateFrames(Canvas, x, y, w, h, State, RVStyle);
}

void TRVGraphicItemInfo::UpdatePaletteInfo(TRVPaletteAction PaletteAction, bool ForceRecreateCopy, HPALETTE Palette,
                                           const TRVLogPalette* LogPalette) {
  const bool copies = PaletteAction == rvpaCreateCopies || PaletteAction == rvpaCreateCopiesEx;
  if (!copies || ForceRecreateCopy || Palette == 0) ImageCopy.reset();
  if (!Image || !LogPalette) return;
  if (PaletteAction == rvpaAssignPalette) {
    Image->SetPalette(Palette);
  } else if (copies && !ImageCopy && Palette != 0) {
    if (PaletteAction == rvpaCreateCopiesEx && IsClass(Image.get(), "TJPEGImage")) {
      // A bitmap takes the JPEG's content by having it drawn onto itself.
      auto bitmap = std::make_unique<TBitmap>(Image->GetWidth(), Image->GetHeight());
      Image->Draw(bitmap->Canvas(), Bounds(0, 0, Image->GetWidth(), Image->GetHeight()));
      ImageCopy = std::move(bitmap);
    } else {
      ImageCopy = CopyPicture(*Image);
    }
    ImageCopy->SetPalette(Palette);
  }
}

void TRVGraphicItemInfo::UpdateAnimator(TCustomRVData* RVData) {
  TCustomRVFormattedData* formatted = RVData ? RVData->AsFormattedData() : nullptr;
  if (!formatted) return;
  if (!RVData->AllowAnimation()) {
    Animator.reset();
    return;
  }
  RV_MakeAnimator(this, formatted, Animator);
}

void TRVGraphicItemInfo::Assign(const TCustomRVItemInfo& Source) {
  if (const auto* src = dynamic_cast<const TRVGraphicItemInfo*>(&Source)) {
    Alt = src->Alt;
    Resizable = src->Resizable;
    ImageFileName = src->ImageFileName;
    ImageWidth = src->ImageWidth;
    ImageHeight = src->ImageHeight;
    NoHTMLImageSize = src->NoHTMLImageSize;
    ImageCopy.reset();
    Image.reset();
    if (src->Image) Image = CopyPicture(*src->Image);
    if (src->ImageCopy) ImageCopy = CopyPicture(*src->ImageCopy);
  }
  TRVRectItemInfo::Assign(Source);
}

void TRVGraphicItemInfo::TransferProperties(TCustomRVItemInfo& Source, TCustomRVData* RVData) {
  auto* src = dynamic_cast<TRVGraphicItemInfo*>(&Source);
  if (Animator || !src) return;
  Animator = std::move(src->Animator);
  if (Animator) Animator->Update(nullptr, this);
  UpdateAnimator(RVData);
}

void TRVGraphicItemInfo::MovingToUndoList(int, TCustomRVData*) {
  ImageCopy.reset();
  Animator.reset();
}

bool TRVGraphicItemInfo::SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) {
  switch (Prop) {
    case rvepImageWidth: ImageWidth = Value; return true;
    case rvepImageHeight: ImageHeight = Value; return true;
    case rvepMinHeightOnPage: MinHeightOnPage = Value; return true;
    case rvepResizable: Resizable = Value != 0; return true;
    case rvepNoHTMLImageSize: NoHTMLImageSize = Value != 0; return true;
    case rvepAnimationInterval: Interval = Value; return true;
    case rvepTransparent:
    case rvepTransparentMode:
    case rvepTransparentColor: {
      auto* bitmap = dynamic_cast<TBitmap*>(Image.get());
      if (!bitmap) return false;
      if (Prop == rvepTransparent)
        bitmap->SetTransparent(Value != 0);
      else if (Prop == rvepTransparentMode)
        bitmap->SetTransparentMode(Value == tmFixed ? tmFixed : tmAuto);
      else
        bitmap->SetTransparentColor(static_cast<TColor>(Value));
      return true;
    }
    default: return TRVRectItemInfo::SetExtraIntProperty(Prop, Value);
  }
}

bool TRVGraphicItemInfo::GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const {
  switch (Prop) {
    case rvepImageWidth: Value = ImageWidth; return true;
    case rvepImageHeight: Value = ImageHeight; return true;
    case rvepMinHeightOnPage: Value = MinHeightOnPage; return true;
    case rvepResizable: Value = Resizable ? 1 : 0; return true;
    case rvepNoHTMLImageSize: Value = NoHTMLImageSize ? 1 : 0; return true;
    case rvepAnimationInterval: Value = Interval; return true;
    case rvepTransparent:
    case rvepTransparentMode:
    case rvepTransparentColor: {
      const auto* bitmap = dynamic_cast<const TBitmap*>(Image.get());
      if (!bitmap) return false;
      if (Prop == rvepTransparent)
        Value = bitmap->GetTransparent() ? 1 : 0;
      else if (Prop == rvepTransparentMode)
        Value = bitmap->GetTransparentMode();
      else
        Value = bitmap->GetTransparentColor();
      return true;
    }
    default: return TRVRectItemInfo::GetExtraIntProperty(Prop, Value);
  }
}

bool TRVGraphicItemInfo::SetExtraStrProperty(TRVExtraItemStrProperty Prop, const UnicodeString& Value) {
  switch (Prop) {
    case rvespAlt: Alt = Value; return true;
    case rvespImageFileName: ImageFileName = Value; return true;
    default: return TRVRectItemInfo::SetExtraStrProperty(Prop, Value);
  }
}

bool TRVGraphicItemInfo::GetExtraStrProperty(TRVExtraItemStrProperty Prop, UnicodeString& Value) const {
  switch (Prop) {
    case rvespAlt: Value = Alt; return true;
    case rvespImageFileName: Value = ImageFileName; return true;
    default: return TRVRectItemInfo::GetExtraStrProperty(Prop, Value);
  }
}

// ---------------------------------------------------------------- TRVHotGraphicItemInfo

TRVHotGraphicItemInfo::TRVHotGraphicItemInfo(TCustomRVData* RVData) : TRVGraphicItemInfo(RVData) {
  StyleNo = rvsHotPicture;
}

TRVHotGraphicItemInfo::TRVHotGraphicItemInfo(TCustomRVData* RVData, std::unique_ptr<TGraphic> image,
                                             TRVVAlign valign)
    : TRVGraphicItemInfo(RVData, std::move(image), valign) {
  StyleNo = rvsHotPicture;
}

bool TRVHotGraphicItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  switch (Prop) {
    case rvbpJump:
    case rvbpAllowsFocus:
    case rvbpXORFocus: return true;
    default: return TRVGraphicItemInfo::GetBoolValueEx(Prop, RVStyle);
  }
}

void TRVHotGraphicItemInfo::Execute(TCustomRVData* RVData) {
  if (RVData && RVData->AsFormattedData()) RVData->DoJump(RVData->FirstJumpNo + JumpIndex);
}

}  // namespace quorix
