#pragma once
// Inline rectangular items (TRVRectItemInfo) and the picture items:
// TRVGraphicItemInfo, which owns its picture, and TRVHotGraphicItemInfo, a
// picture that acts as a hyperlink. Also the hook that makes empty pictures.

#include <memory>

#include "platform/graphics.h"
#include "richview/animation/animator.h"
#include "richview/document/item_info.h"

namespace quorix {

// Creates an empty picture of the class of the given one.
using TRVCreateGraphicsFunction = std::unique_ptr<TGraphic> (*)(const TGraphic& PictureClass);
std::unique_ptr<TGraphic> RV_CreateGraphicsDefault(const TGraphic& PictureClass);
extern TRVCreateGraphicsFunction RV_CreateGraphics;

class TRVRectItemInfo : public TRVNonTextItemInfo {
 public:
  using TRVNonTextItemInfo::TRVNonTextItemInfo;
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVRectItemInfo>; }

  // The image plus Spacing on every side.
  int GetWidth() const override;
  int GetHeight() const override;
  int GetMinWidth(const TRVScreenAndDevice* sad, TCanvas* Canvas, TCustomRVData* RVData) const override;
  int GetBorderWidth() const override { return Spacing; }
  int GetBorderHeight() const override { return Spacing; }

  void Assign(const TCustomRVItemInfo& Source) override;
  bool SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) override;
  bool GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const override;
  // Negative spacing is stored as 0.
  void SetSpacing(int value) { Spacing = value < 0 ? 0 : value; }

  int MinHeightOnPage = 0;
  TRVVAlign VAlign = rvvaBaseline;
  int VShift = 0;
  bool VShiftAbs = false;
  int Spacing = 1;

 protected:
  // The frames of the draw state around an image of w x h at (x, y): the
  // selection around the item's box, the current-item frame one pixel
  // outside it.
  void PaintStateFrames(TCanvas& Canvas, int x, int y, int w, int h, TRVItemDrawStates State,
                        const TRVStyle& RVStyle) const;
};

class TRVGraphicItemInfo : public TRVRectItemInfo {
 public:
  explicit TRVGraphicItemInfo(TCustomRVData* RVData);
  // The item owns Image from here on.
  TRVGraphicItemInfo(TCustomRVData* RVData, std::unique_ptr<TGraphic> Image, TRVVAlign VAlign);
  ~TRVGraphicItemInfo() override;
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVGraphicItemInfo>; }

  TGraphic* AsImage() const override { return Image.get(); }
  bool GetBoolValue(TRVItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const override;
  // ImageWidth / ImageHeight when above 0, else the picture's own size.
  int GetImageWidth(const TRVStyle* RVStyle) const override;
  int GetImageHeight(const TRVStyle* RVStyle) const override;
  void Paint(int x, int y, TCanvas& Canvas, TRVItemDrawStates State, const TRVStyle& RVStyle,
             TRVDrawLineInfo* DrawItem) override;
  void UpdatePaletteInfo(TRVPaletteAction PaletteAction, bool ForceRecreateCopy, HPALETTE Palette,
                         const TRVLogPalette* LogPalette) override;
  void UpdateAnimator(TCustomRVData* RVData) override;
  void Assign(const TCustomRVItemInfo& Source) override;
  void TransferProperties(TCustomRVItemInfo& Source, TCustomRVData* RVData) override;
  void MovingToUndoList(int ItemNo, TCustomRVData* RVData) override;
  bool SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) override;
  bool GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const override;
  bool SetExtraStrProperty(TRVExtraItemStrProperty Prop, const UnicodeString& Value) override;
  bool GetExtraStrProperty(TRVExtraItemStrProperty Prop, UnicodeString& Value) const override;

  std::unique_ptr<TRVAnimator> Animator;
  bool Resizable = true;
  std::unique_ptr<TGraphic> Image;
  std::unique_ptr<TGraphic> ImageCopy;  // Image adjusted to the control's palette
  int ImageWidth = 0;
  int ImageHeight = 0;
  int Interval = 0;
  bool NoHTMLImageSize = false;
  UnicodeString Alt;
  UnicodeString ImageFileName;

 private:
  void DrawPicture(TGraphic& picture, int x, int y, int w, int h, TCanvas& Canvas);
};

class TRVHotGraphicItemInfo : public TRVGraphicItemInfo {
 public:
  explicit TRVHotGraphicItemInfo(TCustomRVData* RVData);
  TRVHotGraphicItemInfo(TCustomRVData* RVData, std::unique_ptr<TGraphic> Image, TRVVAlign VAlign);
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVHotGraphicItemInfo>; }

  bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const override;
  // Reports the item's jump when it is in a formatted document.
  void Execute(TCustomRVData* RVData) override;
};

}  // namespace quorix
