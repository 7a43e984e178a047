#pragma once
// The viewer's main window: the "Refresh" button and the smilies panel with its
// frame shape and group tab strip. The refresh cycle builds the smilies package
// from the list file, reads it back into the smilies table and lays the panel
// out for what was read.

#include <span>

#include "app/form_description.h"
#include "platform/controls.h"
#include "richview/control/rich_view.h"
#include "richview/styles/rv_style.h"

namespace quorix {

// The window's description, in creation order.
extern const TFormDescription QuorixSmiliesFormDescription;
extern const std::span<const TControlDescription> QuorixSmiliesControls;

class TfQuorixSmilies : public TForm {
 public:
  // Creates the window and its controls from the description; the creation
  // handler then runs the first refresh.
  TfQuorixSmilies();
  ~TfQuorixSmilies() override;

  // The style sheet of the group page (the form's own; it outlives the controls).
  std::unique_ptr<TRVStyle> RVStyle1;

  // Controls, as the description names them (they belong to the form).
  TButton* Button1 = nullptr;
  TPanel* pSmilies = nullptr;
  TShape* shSmilies = nullptr;
  TImage* imSmiliesGroups = nullptr;
  TRichView* rvSmilies = nullptr;

  void FormCreate(TControl* Sender);
  void Button1Click(TControl* Sender);
  void imSmiliesGroupsMouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // Lays the panel out for the table just read and shows group 0. Swallows any
  // error: the steps before it stay in effect.
  void LayoutPanel();
  void DrawGroupTabs(int selected);
  // Shows the page of one group: its tab highlighted and its smilies, each a
  // hot picture of a fresh copy of the table's picture; or, for a damaged set,
  // the one-line message. Not guarded: from a tab press, an error reaches the
  // message loop's error box.
  virtual void ShowGroup(int group);
  // The smiley's code as the hint of its picture.
  void rvSmiliesItemHint(TCustomRichView* Sender, TCustomRVData* RVData, int ItemNo, UnicodeString& HintText);

 private:
  TFormControls controls_;
};

}  // namespace quorix
