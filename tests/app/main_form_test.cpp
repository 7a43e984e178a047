// The main window on the real toolkit (offscreen), in a temporary working
// directory holding the list file: the form description, the refresh cycle,
// the panel layout, the tab strip and its presses, and the error box rule.

#include "app/main_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/graphics.h"
#include "platform/text.h"
#include "smilies/smilies_table.h"
#include "tests/app/app_test_fixture.h"

namespace quorix {
namespace {

// Records the groups shown and what the refresh looked like meanwhile.
class TRecordingForm : public TfQuorixSmilies {
 public:
  std::vector<int> Shown;
  bool ButtonEnabledDuringShow = true;
  bool PanelVisibleDuringShow = true;
  int ThrowFor = -1;

  void ShowGroup(int group) override {
    Shown.push_back(group);
    ButtonEnabledDuringShow = Button1->Enabled();
    PanelVisibleDuringShow = pSmilies->Visible();
    if (group == ThrowFor) throw Exception("Cannot show the group");
    TfQuorixSmilies::ShowGroup(group);
  }
};

class MainFormTest : public test::TAppTest {
 protected:
  void WriteList(const std::string& text) { dir.Write("Smilies_serv.txt", text); }

  // Which tab is drawn selected, read from the strip's bitmap; -1 for none.
  static int SelectedTab(const TfQuorixSmilies& form) {
    const TBitmap& strip = static_cast<const TImage*>(form.imSmiliesGroups)->Bitmap();
    const int w = strip.GetWidth() / GroupCount;
    int selected = -1;
    for (int i = 0; i < GroupCount; ++i) {
      if (strip.PixelColor(w * i + 3, strip.GetHeight() - 3) == RGB(255, 255, 128)) selected = i;
    }
    return selected;
  }
};

TEST_F(MainFormTest, IsCreatedFromItsDescription) {
  TfQuorixSmilies form;
  EXPECT_EQ(form.Name, "fQuorixSmilies");
  EXPECT_EQ(form.Caption(), u"Quorix smilies viewer");
  EXPECT_EQ(form.BoundsRect(), Bounds(192, 114, 614, 412));
  EXPECT_EQ(form.Color(), clBtnFace);
  EXPECT_EQ(form.Font().Name, u"MS Sans Serif");
  EXPECT_EQ(form.Font().Height, -11);
  EXPECT_EQ(form.Button1->Caption(), u"Refresh");
  EXPECT_EQ(form.Button1->BoundsRect(), Bounds(8, 8, 75, 25));
  EXPECT_EQ(form.Button1->TabOrder, 0);
  EXPECT_EQ(form.pSmilies->Color(), clSilver);
  EXPECT_EQ(form.pSmilies->TabOrder, 1);
  EXPECT_EQ(form.shSmilies->Brush().Color, RGB(236, 233, 216));
  EXPECT_EQ(form.shSmilies->Pen().Color, RGB(173, 165, 157));
  EXPECT_EQ(form.shSmilies->Pen().Width, 1);
  // Stacked in creation order inside the panel: the shape at the bottom, the
  // group page on top.
  ASSERT_EQ(form.pSmilies->Controls().size(), 3u);
  EXPECT_EQ(form.pSmilies->Controls()[0], form.shSmilies);
  EXPECT_EQ(form.pSmilies->Controls()[1], form.imSmiliesGroups);
  EXPECT_EQ(form.pSmilies->Controls()[2], form.rvSmilies);
  // The group page's control as the form stores it.
  const TRichView& rv = *form.rvSmilies;
  EXPECT_EQ(rv.Style(), form.RVStyle1.get());
  EXPECT_EQ(rv.Options(), TRVOptions({rvoTagsArePChars, rvoFormatInvalidate, rvoShowItemHints, rvoFastFormatting}));
  EXPECT_EQ(rv.AnimationMode(), rvaniOnFormat);
  EXPECT_EQ(rv.GetBorderStyle(), bsNone);
  EXPECT_EQ(rv.VAlign(), tlCenter);
  EXPECT_EQ(rv.TabNavigation(), rvtnNone);
  EXPECT_TRUE(rv.ShowHint);
  EXPECT_FALSE(rv.ParentShowHint);
  EXPECT_EQ(rv.LeftMargin() + rv.TopMargin() + rv.RightMargin() + rv.BottomMargin(), 0);
  EXPECT_EQ(rv.GetVSmallStep(), 10);
  EXPECT_TRUE(rv.OnItemHint);
  EXPECT_EQ(form.RVStyle1->TextStyles.Count(), 6);
  EXPECT_EQ(form.RVStyle1->ParaStyles.Count(), 2);
  EXPECT_EQ(form.RVStyle1->GetInvalidPicture().GetWidth(), 32);
}

TEST_F(MainFormTest, WithoutAListShowsAnEmpty100By100PanelAndNoErrorBox) {
  TfQuorixSmilies form;
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(form.pSmilies->BoundsRect(), Bounds(8, 41, 100, 100));
  EXPECT_TRUE(form.pSmilies->Visible());
  EXPECT_TRUE(form.Button1->Enabled());
  EXPECT_EQ(form.shSmilies->BoundsRect(), Bounds(0, 0, 100, 100));
  EXPECT_FALSE(form.imSmiliesGroups->Visible());
  EXPECT_EQ(form.imSmiliesGroups->BoundsRect(), Bounds(0, 0, 0, 0));
  EXPECT_EQ(form.rvSmilies->BoundsRect(), Bounds(2, 2, 96, 96));

  TBitmap shot = Grab(form);
  const TColor face = ColorToRGB(clBtnFace);
  const TColor frame = RGB(173, 165, 157), inside = RGB(236, 233, 216);
  const TColor page = ColorToRGB(clWindow);
  EXPECT_EQ(shot.PixelColor(8, 41), frame);
  EXPECT_EQ(shot.PixelColor(107, 41), frame);
  EXPECT_EQ(shot.PixelColor(8, 140), frame);
  EXPECT_EQ(shot.PixelColor(107, 140), frame);
  // One pixel of the shape's inside, then the empty page in the window colour.
  EXPECT_EQ(shot.PixelColor(9, 42), inside);
  EXPECT_EQ(shot.PixelColor(10, 43), page);
  EXPECT_EQ(shot.PixelColor(60, 100), page);
  EXPECT_EQ(shot.PixelColor(105, 138), page);
  EXPECT_EQ(shot.PixelColor(106, 139), inside);
  EXPECT_EQ(shot.PixelColor(7, 90), face);
  EXPECT_EQ(shot.PixelColor(108, 90), face);
  EXPECT_EQ(shot.PixelColor(60, 141), face);
  EXPECT_EQ(shot.PixelColor(60, 40), face);
}

TEST_F(MainFormTest, RefreshRunsWithTheButtonDisabledAndThePanelHidden) {
  TRecordingForm form;
  WriteList("width=200\nheight=150\n[A]\n[B]\n");
  SendClick(*form.Button1);
  ASSERT_EQ(form.Shown, std::vector<int>{0});
  EXPECT_FALSE(form.ButtonEnabledDuringShow);
  EXPECT_FALSE(form.PanelVisibleDuringShow);
  EXPECT_TRUE(form.Button1->Enabled());
  EXPECT_TRUE(form.pSmilies->Visible());
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, ThreeGroupsInA300PixelPanel) {
  WriteList("width=300\nheight=150\n[Faces]\n[Анимация]\n[Objects]\n");
  TRecordingForm form;
  EXPECT_EQ(GroupCount, 3);
  EXPECT_EQ(form.pSmilies->BoundsRect(), Bounds(8, 41, 300, 150));
  EXPECT_TRUE(form.imSmiliesGroups->Visible());
  EXPECT_EQ(form.imSmiliesGroups->BoundsRect(), Bounds(2, 2, 296, 18));
  EXPECT_EQ(static_cast<const TImage*>(form.imSmiliesGroups)->Bitmap().GetWidth(), 296);
  EXPECT_EQ(static_cast<const TImage*>(form.imSmiliesGroups)->Bitmap().GetHeight(), 18);
  EXPECT_EQ(form.rvSmilies->BoundsRect(), Bounds(2, 20, 296, 128));
  EXPECT_EQ(SelectedTab(form), 0);

  // The strip as the window shows it: at (8 + 2, 41 + 2).
  TBitmap shot = Grab(form);
  EXPECT_EQ(shot.PixelColor(10, 43), RGB(173, 165, 157));
  EXPECT_EQ(shot.PixelColor(11, 44), RGB(214, 210, 142));
  EXPECT_EQ(shot.PixelColor(10 + 98 + 1, 44), RGB(198, 194, 190));
  EXPECT_EQ(shot.PixelColor(10 + 295, 43 + 17), RGB(173, 165, 157));

  form.Shown.clear();
  struct Press {
    int X;
    int Group;  // -1: nothing
  } presses[] = {{0, -1},   {1, 0},    {97, 0},   {98, -1},  {99, 1},   {195, 1},
                 {196, -1}, {197, 2},  {293, 2},  {294, -1}, {295, -1}, {150, 1}};
  for (const Press& p : presses) {
    form.Shown.clear();
    SendMouseDown(*form.imSmiliesGroups, mbLeft, p.X, 9);
    if (p.Group < 0) {
      EXPECT_TRUE(form.Shown.empty()) << "X = " << p.X;
    } else {
      EXPECT_EQ(form.Shown, std::vector<int>{p.Group}) << "X = " << p.X;
      EXPECT_EQ(SelectedTab(form), p.Group) << "X = " << p.X;
    }
  }
  // Every mouse button selects.
  SendMouseDown(*form.imSmiliesGroups, mbRight, 250, 9);
  EXPECT_EQ(SelectedTab(form), 2);
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, TenGroupsInA100PixelPanel) {
  std::string list = "width=100\nheight=100\n";
  for (int i = 0; i < 10; ++i) list += "[Group" + std::to_string(i) + "]\n";
  WriteList(list);
  TRecordingForm form;
  ASSERT_EQ(form.imSmiliesGroups->BoundsRect(), Bounds(2, 2, 96, 18));
  // w = 9: the last tab covers 81..95 but only 82..89 select it.
  const struct {
    int X;
    int Group;
  } presses[] = {{1, 0}, {8, 0}, {9, -1}, {10, 1}, {82, 9}, {89, 9}, {90, -1}, {93, -1}, {95, -1}};
  for (const auto& p : presses) {
    form.Shown.clear();
    SendMouseDown(*form.imSmiliesGroups, mbLeft, p.X, 9);
    EXPECT_EQ(form.Shown, p.Group < 0 ? std::vector<int>{} : std::vector<int>{p.Group}) << "X = " << p.X;
  }
}

TEST_F(MainFormTest, ADamagedSetGetsTheFixedOneGroupPanel) {
  WriteList("width=200\nheight=150\n[A]\n[B]\nbad.gif|(x)\n");
  dir.Write("bad.gif", "0123456789");
  TfQuorixSmilies form;
  EXPECT_EQ(DisplayState, Damaged);
  EXPECT_EQ(form.pSmilies->BoundsRect(), Bounds(8, 41, 300, 100));
  EXPECT_FALSE(form.imSmiliesGroups->Visible());
  EXPECT_EQ(form.rvSmilies->BoundsRect(), Bounds(2, 2, 296, 96));
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, RefreshAfterEditingTheListShowsTheNewSetFromGroupZero) {
  WriteList("width=300\nheight=150\n[A]\n[B]\n[C]\n");
  TRecordingForm form;
  SendMouseDown(*form.imSmiliesGroups, mbLeft, 250, 9);
  ASSERT_EQ(SelectedTab(form), 2);

  WriteList("width=400\nheight=120\n[One]\n[Two]\n");
  SendClick(*form.Button1);
  EXPECT_EQ(GroupCount, 2);
  EXPECT_EQ(form.pSmilies->BoundsRect(), Bounds(8, 41, 400, 120));
  EXPECT_EQ(form.imSmiliesGroups->BoundsRect(), Bounds(2, 2, 396, 18));
  EXPECT_EQ(SelectedTab(form), 0);
  TBitmap shot = Grab(form);
  EXPECT_EQ(shot.PixelColor(8 + 399, 41 + 119), RGB(173, 165, 157));

  // And back to a list without groups: the strip goes away.
  WriteList("width=150\nheight=100\n");
  SendClick(*form.Button1);
  EXPECT_EQ(form.pSmilies->BoundsRect(), Bounds(8, 41, 150, 100));
  EXPECT_FALSE(form.imSmiliesGroups->Visible());
  EXPECT_EQ(form.rvSmilies->BoundsRect(), Bounds(2, 2, 146, 96));
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, AnErrorWhileATabPressShowsAGroupGoesToTheErrorBoxAndTheViewerGoesOn) {
  WriteList("width=300\nheight=150\n[A]\n[B]\n[C]\n");
  TRecordingForm form;
  form.ThrowFor = 1;
  SendMouseDown(*form.imSmiliesGroups, mbLeft, 150, 9);
  EXPECT_EQ(errors, std::vector<std::string>{"Cannot show the group"});
  SendMouseDown(*form.imSmiliesGroups, mbLeft, 250, 9);
  EXPECT_EQ(SelectedTab(form), 2);
  // Inside the layout the same error is swallowed: the refresh completes.
  form.ThrowFor = 0;
  SendClick(*form.Button1);
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_TRUE(form.Button1->Enabled());
  EXPECT_TRUE(form.pSmilies->Visible());
}

}  // namespace
}  // namespace quorix
