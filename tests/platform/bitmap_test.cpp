// TBitmap: storage, copies, drawing as a picture, PNG files and the system
// colours that drawing resolves.

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include "platform/graphics.h"
#include "platform/streams.h"
#include "tests/support/bitmap_helpers.h"
#include "tests/support/temp_dir.h"

namespace quorix {
namespace {

using test::AllPixels;
using test::CompareBitmaps;
using test::InkBounds;
using test::PixelAt;

TEST(BitmapTest, SetSizeMakesWhitePixelsAndClampsNegativeSizes) {
  TBitmap b;
  EXPECT_TRUE(b.GetEmpty());
  b.SetSize(3, 2);
  EXPECT_EQ(b.GetWidth(), 3);
  EXPECT_EQ(b.GetHeight(), 2);
  EXPECT_TRUE(AllPixels(b, clWhite, Rect(0, 0, 3, 2)));
  EXPECT_EQ(b.Pixels()[0], 0xFFFFFFFFu);
  b.SetSize(-4, 5);
  EXPECT_EQ(b.GetWidth(), 0);
  EXPECT_TRUE(b.GetEmpty());
}

TEST(BitmapTest, FillResolvesSystemColours) {
  TBitmap b(2, 2);
  b.Fill(clBtnFace);
  EXPECT_EQ(b.PixelColor(1, 1), ColorToRGB(clBtnFace));
  b.Fill(RGB(1, 2, 3));
  EXPECT_EQ(b.PixelColor(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(b.Pixels()[0], 0xFF010203u);
}

TEST(BitmapTest, AssignCopiesBitmapsClearsOnNullAndRefusesOtherClasses) {
  TBitmap a(2, 1);
  a.Fill(clRed);
  TBitmap b;
  b.Assign(&a);
  EXPECT_EQ(CompareBitmaps(a, b), "");
  b.Assign(nullptr);
  EXPECT_TRUE(b.GetEmpty());

  class TOther : public TGraphic {
   public:
    int GetWidth() const override { return 1; }
    int GetHeight() const override { return 1; }
    void Draw(TCanvas&, const TRect&) override {}
    void Assign(const TGraphic*) override {}
    void LoadFromStream(TStream&) override {}
    std::unique_ptr<TGraphic> CreateEmpty() const override { return std::make_unique<TOther>(); }
    const char* ClassName() const override { return "TOther"; }
  } other;
  EXPECT_THROW(b.Assign(&other), EInvalidGraphic);
}

TEST(BitmapTest, CanvasSurvivesAssignAndResize) {
  TBitmap a(4, 4);
  TCanvas& canvas = a.Canvas();
  TBitmap big(10, 10);
  a = big;
  canvas.Brush.Color = clRed;
  canvas.FillRect(Rect(8, 8, 10, 10));
  EXPECT_EQ(InkBounds(a, clWhite), Rect(8, 8, 10, 10));
  EXPECT_EQ(&a.Canvas(), &canvas);
}

TEST(BitmapTest, DrawsItselfAtItsSizeOrStretched) {
  TBitmap picture(2, 2);
  picture.Fill(clBlue);
  TBitmap target(10, 10);
  target.Canvas().Draw(1, 1, picture);
  EXPECT_EQ(InkBounds(target, clWhite), Rect(1, 1, 3, 3));
  target.Canvas().StretchDraw(Rect(4, 4, 10, 8), picture);
  EXPECT_TRUE(AllPixels(target, clBlue, Rect(4, 4, 10, 8)));
  EXPECT_EQ(InkBounds(target, clWhite), Rect(1, 1, 10, 8));
}

// A 3 x 2 picture: red everywhere but a blue bottom-left pixel and a lime
// pixel beside it, drawn over a grey target.
class TransparentBitmapTest : public ::testing::Test {
 protected:
  TransparentBitmapTest() : picture(3, 2), target(8, 6) {
    picture.Fill(clRed);
    picture.Scanline(1)[0] = PixelFromColor(clBlue);
    picture.Scanline(1)[1] = PixelFromColor(clLime);
    target.Fill(clGray);
  }
  TBitmap picture;
  TBitmap target;
};

TEST_F(TransparentBitmapTest, SettingsDefaultCoupleAndAreCopied) {
  EXPECT_EQ(picture.GetTransparentMode(), tmAuto);
  EXPECT_EQ(picture.GetTransparentColor(), clDefault);
  EXPECT_EQ(picture.TransparentKeyColor(), clBlue);  // the bottom-left pixel
  picture.SetTransparentColor(clLime);
  EXPECT_EQ(picture.GetTransparentMode(), tmFixed);
  EXPECT_EQ(picture.TransparentKeyColor(), clLime);
  picture.SetTransparent(true);
  TBitmap copied(picture);
  TBitmap assigned;
  assigned.Assign(&picture);
  for (const TBitmap* b : {&copied, &assigned}) {
    EXPECT_TRUE(b->GetTransparent());
    EXPECT_EQ(b->GetTransparentMode(), tmFixed);
    EXPECT_EQ(b->GetTransparentColor(), clLime);
  }
  picture.SetTransparentMode(tmAuto);
  EXPECT_EQ(picture.GetTransparentColor(), clDefault);
}

TEST_F(TransparentBitmapTest, TheKeyColourLeavesTheDestinationAsItWas) {
  struct Case {
    const char* name;
    bool transparent;
    TColor color;  // clDefault: automatic
    TColor at00, at01, at11;  // what the target shows of the picture's (0, 0), (0, 1) and (1, 1)
  };
  const Case cases[] = {
      {"opaque", false, clDefault, clRed, clBlue, clLime},
      {"automatic: the bottom-left pixel's colour", true, clDefault, clRed, clGray, clLime},
      {"fixed colour", true, clLime, clRed, clBlue, clGray},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    target.Fill(clGray);
    picture.SetTransparent(c.transparent);
    picture.SetTransparentColor(c.color);
    target.Canvas().Draw(1, 1, picture);  // own size: (1, 1) to (4, 3)
    EXPECT_EQ(PixelAt(target, 1, 1), c.at00);
    EXPECT_EQ(PixelAt(target, 1, 2), c.at01);
    EXPECT_EQ(PixelAt(target, 2, 2), c.at11);
    EXPECT_EQ(PixelAt(target, 4, 2), clGray);
    // Stretched twice as wide and high: the picture's (0, 1) covers (0, 2) to (2, 4).
    target.Fill(clGray);
    target.Canvas().StretchDraw(Rect(0, 0, 6, 4), picture);
    EXPECT_EQ(PixelAt(target, 1, 1), c.at00);
    EXPECT_EQ(PixelAt(target, 1, 3), c.at01);
    EXPECT_EQ(PixelAt(target, 3, 3), c.at11);
  }
}

TEST(BitmapTest, PngRoundTrip) {
  test::TempDir dir;
  TBitmap b(5, 3);
  b.Canvas().Brush.Color = RGB(10, 200, 30);
  b.Canvas().FillRect(Rect(1, 1, 4, 2));
  const std::string path = dir.File("round.png");
  ASSERT_TRUE(b.SaveToPngFile(path));

  TBitmap loaded;
  std::string bytes;
  {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
  }
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  ASSERT_TRUE(LoadRasterImage(bytes, loaded));
  EXPECT_EQ(CompareBitmaps(b, loaded), "");
  EXPECT_EQ(loaded.Pixels()[0] >> 24, 0xFFu);

  TMemoryStream stream(bytes);
  TBitmap streamed;
  streamed.LoadFromStream(stream);
  EXPECT_EQ(CompareBitmaps(b, streamed), "");
}

TEST(BitmapTest, BadDataDoesNotLoadAndEmptyOrUnwritableDoesNotSave) {
  TBitmap b(2, 2);
  EXPECT_FALSE(LoadRasterImage("", b));
  EXPECT_FALSE(LoadRasterImage("not a picture at all", b));
  EXPECT_EQ(b.GetWidth(), 2);  // untouched on failure
  TMemoryStream junk(std::string("junk"));
  EXPECT_THROW(b.LoadFromStream(junk), EInvalidGraphic);
  test::TempDir dir;
  EXPECT_FALSE(TBitmap().SaveToPngFile(dir.File("empty.png")));
  EXPECT_FALSE(b.SaveToPngFile(dir.File("no/such/dir/b.png")));
}

TEST(BitmapTest, SystemColoursResolveThroughThePaletteOnceACanvasExists) {
  TBitmap b(1, 1);
  b.Canvas();  // brings up the application and its palette
  const QPalette palette = QGuiApplication::palette();
  auto rgb = [](const QColor& c) { return RGB(c.red(), c.green(), c.blue()); };
  EXPECT_EQ(ColorToRGB(clWindow), rgb(palette.color(QPalette::Active, QPalette::Base)));
  EXPECT_EQ(ColorToRGB(clWindowText), rgb(palette.color(QPalette::Active, QPalette::Text)));
  EXPECT_EQ(ColorToRGB(clBtnFace), rgb(palette.color(QPalette::Active, QPalette::Button)));
  EXPECT_EQ(ColorToRGB(clHighlight), rgb(palette.color(QPalette::Active, QPalette::Highlight)));
  EXPECT_EQ(ColorToRGB(clInfoBk), rgb(palette.color(QPalette::Active, QPalette::ToolTipBase)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
}

}  // namespace
}  // namespace quorix
