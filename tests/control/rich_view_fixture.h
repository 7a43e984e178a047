#pragma once
// A rich-view control on a real (offscreen) form for the control's tests:
// no margins, no border, the default style sheet, and pictures whose rows
// carry their own row number in their colour, so a test can tell which
// document rows the window shows.

#include <gtest/gtest.h>

#include <memory>

#include "platform/controls.h"
#include "platform/graphics.h"
#include "richview/control/rich_view.h"
#include "richview/styles/rv_style.h"
#include "tests/support/bitmap_helpers.h"

namespace quorix::test {

// Row y of a striped picture: red and green hold y, blue is fixed.
constexpr TColor StripeColor(int y) { return RGB(y & 0xFF, (y >> 8) & 0xFF, 0x80); }

inline std::unique_ptr<TBitmap> StripedPicture(int width, int height) {
  auto bitmap = std::make_unique<TBitmap>(width, height);
  for (int y = 0; y < height; ++y) {
    TPixel* row = bitmap->Scanline(y);
    for (int x = 0; x < width; ++x) row[x] = PixelFromColor(StripeColor(y));
  }
  return bitmap;
}

// No border, no margins, the style sheet given, 200 x 100: the controls the
// tests measure in plain document pixels.
inline void MakePlain(TCustomRichView& rv, TRVStyle& style) {
  rv.SetBorderStyle(bsNone);
  rv.SetLeftMargin(0);
  rv.SetRightMargin(0);
  rv.SetTopMargin(0);
  rv.SetBottomMargin(0);
  rv.SetStyle(&style);
  rv.SetBounds(0, 0, 200, 100);
}

class RichViewFixture : public ::testing::Test {
 protected:
  RichViewFixture() {
    form.SetBounds(0, 0, 400, 300);
    rv = std::make_unique<TRichView>(&form);
    rv->Name = "rvTest";
    style.Color = clYellow;
    MakePlain(*rv, style);
  }
  ~RichViewFixture() override { rv.reset(); }

  // A document exactly Height pixels tall: one picture of Height - 2 rows
  // (a picture keeps one pixel of spacing on every side).
  void MakeDocument(int Height, int Width = 4) {
    rv->Clear();
    rv->AddPicture(StripedPicture(Width, Height - 2));
    rv->Format();
  }
  // Paints whatever is invalid now and returns the window surface.
  const TBitmap& Painted() {
    rv->Update();
    return rv->Surface();
  }

  TForm form;
  TRVStyle style;
  std::unique_ptr<TRichView> rv;
};

}  // namespace quorix::test
