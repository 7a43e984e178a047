#pragma once
// TRVControlItemInfo, an embedded window control whose parent becomes the
// rich-view control.

#include "richview/document/picture_items.h"

namespace quorix {

class TControl;  // the toolkit's window control

// What the item needs of its control. The toolkit's control classes live
// above this level, so the control layer installs these; without them a
// control has no size and showing or hiding it does nothing.
struct TRVControlItemHooks {
  TSize (*GetSize)(const TControl& Control) = nullptr;
  void (*SetWidth)(TControl& Control, int Width) = nullptr;
  void (*SetVisible)(TControl& Control, bool Visible) = nullptr;
  bool (*HasParent)(const TControl& Control) = nullptr;
};
inline TRVControlItemHooks RV_ControlItemHooks;

class TRVControlItemInfo : public TRVRectItemInfo {
 public:
  explicit TRVControlItemInfo(TCustomRVData* RVData);
  // The control is referred to, not owned.
  TRVControlItemInfo(TCustomRVData* RVData, TControl* Control, TRVVAlign VAlign);
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<TRVControlItemInfo>; }

  bool GetBoolValue(TRVItemBoolProperty Prop) const override;
  // The control's current size.
  int GetImageWidth(const TRVStyle* RVStyle) const override;
  int GetImageHeight(const TRVStyle* RVStyle) const override;
  // 20 for a control sized by percent of the document width.
  int GetMinWidth(const TRVScreenAndDevice* sad, TCanvas* Canvas, TCustomRVData* RVData) const override;
  // A percent width of 1 to 100 sizes the control to that part of DocWidth.
  void OnDocWidthChange(int DocWidth, TRVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas,
                        TCustomRVData* RVData, const TRVScreenAndDevice* sad, int& HShift, int& Desc, bool NoCaching,
                        bool Reformatting) override;
  bool OwnsControl(const TControl* AControl) const { return AControl && AControl == Control; }
  void Assign(const TCustomRVItemInfo& Source) override;
  bool SetExtraIntProperty(TRVExtraItemProperty Prop, int Value) override;
  bool GetExtraIntProperty(TRVExtraItemProperty Prop, int& Value) const override;

  bool GetVisible() const { return visible_; }
  // Shows or hides the control when it has a parent.
  void SetVisible(bool value);

  bool Resizable = true;
  TControl* Control = nullptr;
  int PercentWidth = 0;

 private:
  bool visible_ = true;
};

}  // namespace quorix
