// The desktop controls on the real toolkit (offscreen): bounds, visibility,
// colours and clipping as they show in a grab of the form, the image's bitmap
// shown as it is, and the guard around every delivered event.

#include "platform/controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorix {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().OnException = [this](const Exception& e) { errors.push_back(e.what()); };
    form = std::make_unique<TForm>();
    form->SetColor(RGB(10, 20, 30));
    form->SetBounds(0, 0, 200, 150);
  }
  void TearDown() override { Application().OnException = nullptr; }

  TBitmap Grab() {
    Application().ProcessMessages();
    TBitmap shot;
    form->GrabClientArea(shot);
    return shot;
  }

  std::vector<std::string> errors;
  std::unique_ptr<TForm> form;
};

TEST_F(ControlsTest, WindowsExistFromConstructionAndKeepTheirBounds) {
  TPanel panel(form.get());
  panel.SetBounds(8, 41, 100, 60);
  EXPECT_EQ(panel.BoundsRect(), Bounds(8, 41, 100, 60));
  EXPECT_EQ(panel.Parent(), form.get());
  ASSERT_EQ(form->Controls().size(), 1u);
  panel.SetWidth(-5);
  EXPECT_EQ(panel.Width(), 0);
  EXPECT_TRUE(panel.Visible());
  EXPECT_FALSE(panel.Showing());  // the form is not shown yet
  form->ShowOffScreen();
  EXPECT_TRUE(panel.Showing());
}

TEST_F(ControlsTest, PanelFillsWithItsColourAndClipsItsChildren) {
  TPanel panel(form.get());
  panel.SetColor(RGB(200, 0, 0));
  panel.SetBounds(10, 10, 50, 40);
  TShape shape(&panel);
  shape.SetBrush(TBrush{RGB(0, 200, 0), bsSolid});
  shape.SetPen(TPen{RGB(0, 0, 200), 1});
  shape.SetBounds(20, 20, 100, 100);  // reaches far beyond the panel

  TBitmap shot = Grab();
  EXPECT_EQ(shot.PixelColor(5, 5), RGB(10, 20, 30));     // form
  EXPECT_EQ(shot.PixelColor(15, 15), RGB(200, 0, 0));    // panel
  EXPECT_EQ(shot.PixelColor(30, 30), RGB(0, 0, 200));    // shape frame at its own (0, 0)
  EXPECT_EQ(shot.PixelColor(31, 31), RGB(0, 200, 0));    // shape inside
  EXPECT_EQ(shot.PixelColor(59, 49), RGB(0, 200, 0));    // last panel pixel
  EXPECT_EQ(shot.PixelColor(60, 50), RGB(10, 20, 30));   // clipped away
  EXPECT_EQ(shot.PixelColor(100, 100), RGB(10, 20, 30));
}

TEST_F(ControlsTest, HiddenControlsAreLeftOut) {
  TPanel panel(form.get());
  panel.SetColor(RGB(200, 0, 0));
  panel.SetBounds(10, 10, 50, 40);
  panel.Hide();
  EXPECT_EQ(Grab().PixelColor(15, 15), RGB(10, 20, 30));
  panel.Show();
  EXPECT_EQ(Grab().PixelColor(15, 15), RGB(200, 0, 0));
}

TEST_F(ControlsTest, ShapeFrameIsOnePixelInsideItsBounds) {
  TShape shape(form.get());
  shape.SetBrush(TBrush{RGB(236, 233, 216), bsSolid});
  shape.SetPen(TPen{RGB(173, 165, 157), 1});
  shape.SetBounds(8, 41, 100, 100);
  TBitmap shot = Grab();
  for (TPoint p : {TPoint{8, 41}, TPoint{107, 41}, TPoint{8, 140}, TPoint{107, 140}, TPoint{50, 41}, TPoint{8, 90}}) {
    EXPECT_EQ(shot.PixelColor(p.X, p.Y), RGB(173, 165, 157)) << p.X << "," << p.Y;
  }
  EXPECT_EQ(shot.PixelColor(9, 42), RGB(236, 233, 216));
  EXPECT_EQ(shot.PixelColor(106, 139), RGB(236, 233, 216));
  EXPECT_EQ(shot.PixelColor(108, 90), RGB(10, 20, 30));
  EXPECT_EQ(shot.PixelColor(50, 141), RGB(10, 20, 30));
}

TEST_F(ControlsTest, ImageShowsItsBitmapAsItIsAndEveryLaterChange) {
  TImage image(form.get());
  image.SetBounds(20, 30, 40, 10);
  image.Bitmap().SetSize(30, 10);  // narrower than the control: the rest shows the form
  image.Bitmap().Fill(RGB(1, 2, 3));
  image.Bitmap().Scanline(4)[5] = 0x00FF8040u;  // alpha 0 is still shown as the colour
  TBitmap shot = Grab();
  EXPECT_EQ(shot.PixelColor(20, 30), RGB(1, 2, 3));
  EXPECT_EQ(shot.PixelColor(25, 34), RGB(0xFF, 0x80, 0x40));
  EXPECT_EQ(shot.PixelColor(55, 35), RGB(10, 20, 30));

  form->ShowOffScreen();
  Application().ProcessMessages();
  TCanvas& canvas = image.Bitmap().Canvas();
  canvas.Brush.Color = RGB(250, 0, 250);
  canvas.FillRect(Rect(0, 0, 30, 10));
  EXPECT_EQ(Grab().PixelColor(20, 30), RGB(250, 0, 250));
}

TEST_F(ControlsTest, MouseDownGivesTheImageCoordinates) {
  TImage image(form.get());
  image.SetBounds(20, 30, 40, 10);
  std::vector<std::pair<TMouseButton, int>> presses;
  image.OnMouseDown = [&](TControl* sender, TMouseButton button, TShiftState, int x, int y) {
    EXPECT_EQ(sender, &image);
    EXPECT_EQ(y, 7);
    presses.emplace_back(button, x);
  };
  SendMouseDown(image, mbLeft, 3, 7);
  SendMouseDown(image, mbRight, 39, 7);
  ASSERT_EQ(presses.size(), 2u);
  EXPECT_EQ(presses[0], std::make_pair(mbLeft, 3));
  EXPECT_EQ(presses[1], std::make_pair(mbRight, 39));
}

TEST_F(ControlsTest, AnExceptionInAHandlerGoesToTheErrorHandlerAndEventsGoOn) {
  TImage image(form.get());
  image.SetBounds(0, 0, 40, 10);
  int calls = 0;
  image.OnMouseDown = [&](TControl*, TMouseButton, TShiftState, int x, int) {
    ++calls;
    if (x == 1) throw EListError(5);
    if (x == 2) throw std::runtime_error("plain");
    if (x == 3) throw 42;
  };
  SendMouseDown(image, mbLeft, 1, 1);
  SendMouseDown(image, mbLeft, 2, 1);
  SendMouseDown(image, mbLeft, 3, 1);
  SendMouseDown(image, mbLeft, 4, 1);
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(errors, (std::vector<std::string>{"List index out of bounds (5)", "plain", ""}));
}

TEST_F(ControlsTest, ButtonClicks) {
  TButton button(form.get());
  button.SetCaption(u"Refresh");
  button.SetBounds(8, 8, 75, 25);
  int clicks = 0;
  button.OnClick = [&](TControl* sender) {
    EXPECT_EQ(sender, &button);
    ++clicks;
  };
  button.Click();
  SendClick(button);
  EXPECT_EQ(clicks, 2);

  // The programmatic click is the button's own action; a disabled button takes
  // no clicks from the toolkit.
  button.SetEnabled(false);
  SendClick(button);
  EXPECT_EQ(clicks, 2);
  button.Click();
  EXPECT_EQ(clicks, 3);

  button.SetEnabled(true);
  button.OnClick = [](TControl*) { throw Exception("from the click"); };
  SendClick(button);
  EXPECT_EQ(errors, std::vector<std::string>{"from the click"});
  EXPECT_THROW(button.Click(), Exception);  // a direct call is the caller's business
}

TEST_F(ControlsTest, CreationEventIsGuarded) {
  form->OnCreate = [](TControl*) { throw Exception("during creation"); };
  form->DoCreate();
  EXPECT_EQ(errors, std::vector<std::string>{"during creation"});
}

TEST_F(ControlsTest, ControlsOutliveTheirParentSafely) {
  auto panel = std::make_unique<TPanel>(form.get());
  TShape shape(panel.get());
  panel.reset();
  EXPECT_EQ(shape.Parent(), nullptr);
  shape.SetBounds(1, 2, 3, 4);  // no window any more: only the bounds change
  EXPECT_EQ(shape.Width(), 3);
}

TEST(ApplicationTest, ErrorBoxTextEndsWithAFullStop) {
  EXPECT_EQ(TApplication::ErrorBoxText(Exception("Something went wrong")), "Something went wrong.");
  EXPECT_EQ(TApplication::ErrorBoxText(Exception("Done.")), "Done.");
  EXPECT_EQ(TApplication::ErrorBoxText(Exception("")), "");
}

TEST(ApplicationTest, NoExceptionIsNothingToReport) {
  std::vector<std::string> seen;
  Application().OnException = [&](const Exception& ex) { seen.push_back(ex.what()); };
  Application().HandleException(nullptr);
  Application().HandleException(std::make_exception_ptr(Exception("x")));
  Application().OnException = nullptr;
  EXPECT_EQ(seen, std::vector<std::string>{"x"});
}

}  // namespace
}  // namespace quorix
