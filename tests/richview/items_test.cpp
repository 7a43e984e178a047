#include <gtest/gtest.h>

#include <functional>

#include "richview/document/break_item.h"
#include "richview/document/bullet_items.h"
#include "richview/document/control_item.h"
#include "richview/document/item_list.h"
#include "richview/document/item_registry.h"
#include "richview/document/picture_items.h"
#include "richview/document/rv_error.h"
#include "richview/document/tab_item.h"
#include "richview/document/text_item.h"
#include "tests/richview/test_data.h"
#include "tests/richview/test_pictures.h"
#include "tests/support/bitmap_helpers.h"
#include "tests/support/fixed_metrics_canvas.h"

namespace quorix {
namespace {

using test::CountingPicture;
using test::FormattedTestData;
using test::TestData;
using test::TFixedMetricsCanvas;

std::unique_ptr<CountingPicture> Picture(int w = 16, int h = 16, const char* className = "TCountingPicture") {
  return std::make_unique<CountingPicture>(w, h, className);
}

TRVItemOptions Opts(std::initializer_list<TRVItemOption> o) { return TRVItemOptions(o); }

TEST(ItemOptions, AccessorsKeepTheLineStartOptionsExclusive) {
  struct Case {
    const char* what;
    TRVItemOptions before;
    std::function<void(TCustomRVItemInfo&)> change;
    TRVItemOptions after;
  };
  const Case cases[] = {
      {"SameAsPrev on", Opts({rvioBR, rvioPageBreakBefore, rvioUnicode}),
       [](auto& i) { i.SetSameAsPrev(true); }, Opts({rvioSameAsPrev, rvioUnicode})},
      {"SameAsPrev off", Opts({rvioSameAsPrev}), [](auto& i) { i.SetSameAsPrev(false); }, Opts({})},
      {"BR on", Opts({rvioSameAsPrev}), [](auto& i) { i.SetBR(true); }, Opts({rvioBR})},
      {"BR off", Opts({rvioBR, rvioGroupWithNext}), [](auto& i) { i.SetBR(false); }, Opts({rvioGroupWithNext})},
      {"PageBreakBefore on", Opts({rvioSameAsPrev, rvioBR}), [](auto& i) { i.SetPageBreakBefore(true); },
       Opts({rvioPageBreakBefore})},
      {"PageBreakBefore off", Opts({rvioPageBreakBefore}), [](auto& i) { i.SetPageBreakBefore(false); }, Opts({})},
  };
  for (const Case& c : cases) {
    TRVTextItemInfo item(nullptr);
    item.ItemOptions = c.before;
    c.change(item);
    EXPECT_EQ(item.ItemOptions, c.after) << c.what;
  }
}

TEST(ItemOptions, FullWidthItemsNeverTakeBR) {
  TRVBreakItemInfo brk(nullptr);
  brk.SetBR(true);
  EXPECT_FALSE(brk.GetBR());
  brk.ItemOptions = Opts({rvioBR});
  brk.SetBR(true);
  EXPECT_FALSE(brk.GetBR());
}

TEST(ItemOptions, ParagraphAndBorderStarts) {
  struct Case {
    TRVItemOptions options;
    bool paraStart, paraStartCountingBR, borderStart;
  };
  for (const Case& c : {Case{Opts({}), true, true, true}, Case{Opts({rvioBR}), false, true, false},
                        Case{Opts({rvioSameAsPrev}), false, false, false},
                        Case{Opts({rvioPageBreakBefore}), true, true, true}}) {
    TRVTextItemInfo item(nullptr);
    item.ItemOptions = c.options;
    EXPECT_EQ(item.ParaStart(false), c.paraStart) << c.options.ToMask();
    EXPECT_EQ(item.ParaStart(true), c.paraStartCountingBR) << c.options.ToMask();
    EXPECT_EQ(item.CanBeBorderStart(), c.borderStart) << c.options.ToMask();
  }
}

TEST(ItemStyle, DefStyleResolvesThroughTheParagraph) {
  TRVStyle sheet;
  sheet.ParaStyles[1].DefStyleNo = 3;
  struct Case {
    int styleNo, paraNo;
    const TRVStyle* sheet;
    int actual;
  };
  for (const Case& c : {Case{rvsDefStyle, 0, &sheet, 0}, Case{rvsDefStyle, 1, &sheet, 3},
                        Case{rvsDefStyle, 1, nullptr, 0}, Case{rvsDefStyle, 99, &sheet, 0}, Case{5, 1, &sheet, 5},
                        Case{rvsHotPicture, 1, &sheet, rvsHotPicture}}) {
    TRVTextItemInfo item(nullptr);
    item.StyleNo = c.styleNo;
    item.ParaNo = c.paraNo;
    EXPECT_EQ(item.GetActualStyleNo(c.sheet), c.actual) << c.styleNo << " in " << c.paraNo;
  }
}

TEST(PictureItem, SizesWithAndWithoutImageWidth) {
  struct Case {
    int imageWidth, imageHeight, spacing;
    int wantImageW, wantImageH, wantW, wantH;
  };
  for (const Case& c : {Case{0, 0, 1, 16, 16, 18, 18}, Case{32, 0, 1, 32, 16, 34, 18},
                        Case{0, 8, 1, 16, 8, 18, 10}, Case{-5, -5, 1, 16, 16, 18, 18}, Case{0, 0, 3, 16, 16, 22, 22},
                        Case{0, 0, 0, 16, 16, 16, 16}}) {
    TRVGraphicItemInfo item(nullptr, Picture(), rvvaBaseline);
    item.ImageWidth = c.imageWidth;
    item.ImageHeight = c.imageHeight;
    item.Spacing = c.spacing;
    EXPECT_EQ(item.GetImageWidth(nullptr), c.wantImageW) << c.imageWidth;
    EXPECT_EQ(item.GetImageHeight(nullptr), c.wantImageH) << c.imageHeight;
    EXPECT_EQ(item.GetWidth(), c.wantW);
    EXPECT_EQ(item.GetHeight(), c.wantH);
    EXPECT_EQ(item.GetBorderWidth(), c.spacing);
    EXPECT_EQ(item.GetBorderHeight(), c.spacing);
    EXPECT_EQ(item.GetMinWidth(nullptr, nullptr, nullptr), c.wantW);
  }
  TRVGraphicItemInfo item(nullptr, Picture(), rvvaBaseline);
  TRVScreenAndDevice sad;
  sad.DeviceDpiX = 192;
  EXPECT_EQ(item.GetMinWidth(&sad, nullptr, nullptr), 36);
  TRVTextItemInfo text(nullptr);
  EXPECT_EQ(text.GetMinWidth(nullptr, nullptr, nullptr), 20);
  EXPECT_EQ(text.GetMinWidth(&sad, nullptr, nullptr), 40);
}

TEST(PictureItem, NewPictureDefaults) {
  TRVGraphicItemInfo item(nullptr);
  EXPECT_EQ(item.StyleNo, rvsPicture);
  EXPECT_EQ(item.Spacing, 1);
  EXPECT_TRUE(item.Resizable);
  EXPECT_EQ(item.VAlign, rvvaBaseline);
  EXPECT_EQ(item.FirstDrawItemNo, -1);
  TRVHotGraphicItemInfo hot(nullptr, Picture(), rvvaMiddle);
  EXPECT_EQ(hot.StyleNo, rvsHotPicture);
  EXPECT_EQ(hot.VAlign, rvvaMiddle);
}

TEST(ItemBoolProperties, PerClass) {
  TRVStyle sheet;
  using Make = std::function<std::unique_ptr<TCustomRVItemInfo>()>;
  auto text = [](int style) {
    return Make([style] {
      auto i = std::make_unique<TRVTextItemInfo>(nullptr);
      i->StyleNo = style;
      return std::unique_ptr<TCustomRVItemInfo>(std::move(i));
    });
  };
  auto picture = [](const char* cls) {
    return Make([cls] { return std::make_unique<TRVGraphicItemInfo>(nullptr, Picture(16, 16, cls), rvvaBaseline); });
  };
  const Make emptyPicture = [] { return std::make_unique<TRVGraphicItemInfo>(nullptr); };
  const Make hot = [] { return std::make_unique<TRVHotGraphicItemInfo>(nullptr, Picture(), rvvaBaseline); };
  const Make brk = [] { return std::make_unique<TRVBreakItemInfo>(nullptr); };
  const Make bullet = [] { return std::make_unique<TRVBulletItemInfo>(nullptr); };
  const Make hotspot = [] { return std::make_unique<TRVHotspotItemInfo>(nullptr, 1, 2, nullptr, rvvaBaseline); };
  const Make tab = [] { return std::make_unique<TRVTabItemInfo>(nullptr); };

  struct Case {
    const char* what;
    Make make;
    TRVItemBoolProperty prop;
    bool want;
  };
  const Case cases[] = {
      {"text valid", text(0), rvbpValid, true},
      {"text full width", text(0), rvbpFullWidth, false},
      {"text requires lines", text(0), rvbpRequiresRVFLines, true},
      {"text switches style", text(0), rvbpSwitchToAssStyleNo, true},
      {"text changes font", text(0), rvbpDrawingChangesFont, false},
      {"break full width", brk, rvbpFullWidth, true},
      {"picture valid", picture("TBitmap"), rvbpValid, true},
      {"picture changes font", picture("TBitmap"), rvbpDrawingChangesFont, true},
      {"picture resizable", picture("TBitmap"), rvbpResizable, true},
      {"icon not resizable", picture("TIcon"), rvbpResizable, false},
      {"still picture handles inside", picture("TBitmap"), rvbpResizeHandlesOutside, false},
      {"no picture invalid", emptyPicture, rvbpValid, false},
      {"no picture not resizable", emptyPicture, rvbpResizable, false},
      {"bullet without list invalid", bullet, rvbpValid, false},
      {"tab changes font", tab, rvbpDrawingChangesFont, true},
      {"tab always in text", tab, rvbpAlwaysInText, true},
  };
  for (const Case& c : cases) EXPECT_EQ(c.make()->GetBoolValue(c.prop), c.want) << c.what;

  struct CaseEx {
    const char* what;
    Make make;
    TRVItemBoolPropertyEx prop;
    bool want;
  };
  const CaseEx casesEx[] = {
      {"text prints to bitmap", text(0), rvbpPrintToBMP, true},
      {"plain text is no jump", text(0), rvbpJump, false},
      {"jump text", text(4), rvbpJump, true},
      {"jump text takes focus", text(4), rvbpAllowsFocus, true},
      {"jump text is not hot-cold", text(4), rvbpHotColdJump, false},
      {"break does not print to bitmap", brk, rvbpPrintToBMP, false},
      {"picture active state", picture("TBitmap"), rvbpDisplayActiveState, true},
      {"picture is no jump", picture("TBitmap"), rvbpJump, false},
      {"picture is not hot-cold", picture("TBitmap"), rvbpHotColdJump, false},
      {"metafile does not print to bitmap", picture("TMetafile"), rvbpPrintToBMP, false},
      {"hot picture jump", hot, rvbpJump, true},
      {"hot picture focus", hot, rvbpAllowsFocus, true},
      {"hot picture xor focus", hot, rvbpXORFocus, true},
      {"hot picture is not hot-cold", hot, rvbpHotColdJump, false},
      {"bullet active state", bullet, rvbpDisplayActiveState, true},
      {"hotspot jump", hotspot, rvbpJump, true},
      {"hotspot with its own hot image", hotspot, rvbpHotColdJump, true},
  };
  for (const CaseEx& c : casesEx) EXPECT_EQ(c.make()->GetBoolValueEx(c.prop, &sheet), c.want) << c.what;

  sheet.TextStyles[4].HoverColor = clRed;  // now the jump looks different hovered
  EXPECT_TRUE(text(4)()->GetBoolValueEx(rvbpHotColdJump, &sheet));
}

TEST(ExtraProperties, IntegerProperties) {
  TRVGraphicItemInfo item(nullptr, Picture(), rvvaBaseline);
  int value = -1;
  EXPECT_TRUE(item.SetExtraIntProperty(rvepSpacing, -5));
  EXPECT_EQ(item.Spacing, 0);
  EXPECT_TRUE(item.SetExtraIntProperty(rvepDeleteProtect, 5));
  EXPECT_TRUE(item.GetExtraIntProperty(rvepDeleteProtect, value));
  EXPECT_EQ(value, 1);
  EXPECT_TRUE(item.SetExtraIntProperty(rvepVShiftAbs, 2));
  EXPECT_TRUE(item.VShiftAbs);
  EXPECT_TRUE(item.SetExtraIntProperty(rvepImageWidth, 40));
  EXPECT_EQ(item.GetImageWidth(nullptr), 40);
  EXPECT_TRUE(item.SetExtraIntProperty(rvepAnimationInterval, 7));
  EXPECT_EQ(item.Interval, 7);
  EXPECT_FALSE(item.SetExtraIntProperty(rvepVisible, 1));
  EXPECT_FALSE(item.SetExtraIntProperty(rvepUnknown, 1));

  TRVTextItemInfo text(nullptr);
  EXPECT_FALSE(text.SetExtraIntProperty(rvepSpacing, 3));
  EXPECT_FALSE(text.GetExtraIntProperty(rvepDeleteProtect, value));
}

TEST(ExtraProperties, TransparencyBelongsToBitmapsOnly) {
  TRVGraphicItemInfo bitmapItem(nullptr, std::make_unique<TBitmap>(4, 4), rvvaBaseline);
  int value = -1;
  EXPECT_TRUE(bitmapItem.SetExtraIntProperty(rvepTransparent, 1));
  EXPECT_TRUE(bitmapItem.Image->GetTransparent());
  EXPECT_TRUE(bitmapItem.GetExtraIntProperty(rvepTransparent, value));
  EXPECT_EQ(value, 1);

  const auto& bitmap = static_cast<const TBitmap&>(*bitmapItem.Image);
  EXPECT_TRUE(bitmapItem.GetExtraIntProperty(rvepTransparentMode, value));
  EXPECT_EQ(value, tmAuto);
  EXPECT_TRUE(bitmapItem.GetExtraIntProperty(rvepTransparentColor, value));
  EXPECT_EQ(value, clDefault);
  EXPECT_TRUE(bitmapItem.SetExtraIntProperty(rvepTransparentColor, clLime));
  EXPECT_EQ(bitmap.GetTransparentColor(), clLime);
  EXPECT_TRUE(bitmapItem.GetExtraIntProperty(rvepTransparentMode, value));
  EXPECT_EQ(value, tmFixed);  // a colour of its own makes the mode fixed
  EXPECT_TRUE(bitmapItem.SetExtraIntProperty(rvepTransparentMode, tmAuto));
  EXPECT_EQ(bitmap.GetTransparentMode(), tmAuto);
  EXPECT_TRUE(bitmapItem.GetExtraIntProperty(rvepTransparentColor, value));
  EXPECT_EQ(value, clDefault);
  EXPECT_TRUE(bitmapItem.SetExtraIntProperty(rvepTransparentMode, tmFixed));
  EXPECT_EQ(bitmap.GetTransparentMode(), tmFixed);

  // A JPEG picture (stood in for by its class name) has no transparency.
  TRVGraphicItemInfo jpegItem(nullptr, Picture(4, 4, "TJPEGImage"), rvvaBaseline);
  for (TRVExtraItemProperty prop : {rvepTransparent, rvepTransparentMode, rvepTransparentColor}) {
    EXPECT_FALSE(jpegItem.SetExtraIntProperty(prop, 1)) << prop;
    EXPECT_FALSE(jpegItem.GetExtraIntProperty(prop, value)) << prop;
  }
  EXPECT_FALSE(jpegItem.Image->GetTransparent());
}

TEST(ExtraProperties, StringProperties) {
  TRVGraphicItemInfo picture(nullptr, Picture(), rvvaBaseline);
  TRVTextItemInfo text(nullptr);
  UnicodeString value;
  for (TCustomRVItemInfo* item : {static_cast<TCustomRVItemInfo*>(&picture), static_cast<TCustomRVItemInfo*>(&text)}) {
    EXPECT_TRUE(item->SetExtraStrProperty(rvespHint, u"tip"));
    EXPECT_EQ(item->Hint, u"tip");
    EXPECT_TRUE(item->GetExtraStrProperty(rvespHint, value));
    EXPECT_EQ(value, u"tip");
  }
  EXPECT_TRUE(picture.SetExtraStrProperty(rvespAlt, u"alt"));
  EXPECT_TRUE(picture.SetExtraStrProperty(rvespImageFileName, u"a.gif"));
  EXPECT_EQ(picture.ImageFileName, u"a.gif");
  EXPECT_FALSE(text.SetExtraStrProperty(rvespAlt, u"alt"));

  TRVControlItemInfo control(nullptr);
  int v = -1;
  EXPECT_TRUE(control.SetExtraIntProperty(rvepVisible, 0));
  EXPECT_TRUE(control.GetExtraIntProperty(rvepVisible, v));
  EXPECT_EQ(v, 0);
}

struct OtherItem : TRVGraphicItemInfo {
  using TRVGraphicItemInfo::TRVGraphicItemInfo;
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<OtherItem>; }
};

TEST(ItemRegistry, RegistrationRules) {
  for (int styleNo : {-9, -2, -1, 0, 5}) {
    try {
      RegisterRichViewItemClass(styleNo, &RVCreateItemOfClass<OtherItem>);
      ADD_FAILURE() << styleNo;
    } catch (const ERichViewError& e) {
      EXPECT_STREQ(e.what(), "Can't register RichView item type - this StyleNo is already registered");
    }
  }
  EXPECT_NO_THROW(RegisterRichViewItemClass(-300, &RVCreateItemOfClass<OtherItem>));
  EXPECT_NO_THROW(RegisterRichViewItemClass(-300, &RVCreateItemOfClass<OtherItem>));
  EXPECT_THROW(RegisterRichViewItemClass(-300, &RVCreateItemOfClass<TRVGraphicItemInfo>), ERichViewError);

  auto item = CreateRichViewItem(-300, nullptr);
  ASSERT_NE(item, nullptr);
  EXPECT_NE(dynamic_cast<OtherItem*>(item.get()), nullptr);
  EXPECT_EQ(item->StyleNo, -300);
}

TEST(ItemRegistry, CreatesBuiltInKinds) {
  auto hot = CreateRichViewItem(rvsHotPicture, nullptr);
  ASSERT_NE(dynamic_cast<TRVHotGraphicItemInfo*>(hot.get()), nullptr);
  EXPECT_EQ(hot->StyleNo, -10);
  EXPECT_FALSE(hot->GetBoolValue(rvbpValid));
  EXPECT_EQ(hot->AsImage(), nullptr);

  struct Case {
    int styleNo;
    bool exists;
  };
  for (const Case& c : {Case{0, true}, Case{7, true}, Case{-1, true}, Case{-3, true}, Case{-4, true},
                        Case{-5, true}, Case{-6, true}, Case{-11, true}, Case{-12, true}, Case{-2, false},
                        Case{-7, false}, Case{-60, false}, Case{-500, false}}) {
    auto item = CreateRichViewItem(c.styleNo, nullptr);
    EXPECT_EQ(item != nullptr, c.exists) << c.styleNo;
    if (item) {
      EXPECT_EQ(item->StyleNo, c.styleNo);
    }
  }
  EXPECT_NE(dynamic_cast<TRVTextItemInfo*>(CreateRichViewItem(7, nullptr).get()), nullptr);
  EXPECT_NE(dynamic_cast<TRVBreakItemInfo*>(CreateRichViewItem(-1, nullptr).get()), nullptr);
}

struct MyTextItem : TRVTextItemInfo {
  using TRVTextItemInfo::TRVTextItemInfo;
  TRVItemInfoClass ClassType() const override { return &RVCreateItemOfClass<MyTextItem>; }
};

TEST(ItemRegistry, TextItemClassIsReplaceable) {
  const TRVItemInfoClass saved = RichViewTextItemClass;
  RichViewTextItemClass = &RVCreateItemOfClass<MyTextItem>;
  auto item = CreateRichViewItem(2, nullptr);
  RichViewTextItemClass = saved;
  EXPECT_NE(dynamic_cast<MyTextItem*>(item.get()), nullptr);
}

TEST(ItemRegistry, DuplicateCopiesPropertiesPictureTagAndCheckpoint) {
  const int before = CountingPicture::Live;
  TRVHotGraphicItemInfo source(nullptr, Picture(20, 10), rvvaMiddle);
  source.Text = "name";
  source.ParaNo = 3;
  source.ImageWidth = 40;
  source.Interval = 9;
  source.Spacing = 4;
  source.Hint = u"h";
  source.Tag = TRVTag::FromString("tag");
  source.Checkpoint = std::make_unique<TRVCPInfo>();
  source.Checkpoint->Name = u"cp";

  auto copy = RV_DuplicateItem(source, nullptr, true);
  auto* hot = dynamic_cast<TRVHotGraphicItemInfo*>(copy.get());
  ASSERT_NE(hot, nullptr);
  EXPECT_EQ(hot->StyleNo, rvsHotPicture);
  EXPECT_EQ(hot->ParaNo, 3);
  EXPECT_EQ(hot->VAlign, rvvaMiddle);
  EXPECT_EQ(hot->ImageWidth, 40);
  EXPECT_EQ(hot->Spacing, 4);
  EXPECT_EQ(hot->Hint, u"h");
  EXPECT_EQ(hot->Interval, 0);  // not copied
  EXPECT_TRUE(hot->Text.empty());
  ASSERT_NE(hot->Image, nullptr);
  EXPECT_NE(hot->Image.get(), source.Image.get());
  EXPECT_EQ(hot->Image->GetWidth(), 20);
  EXPECT_EQ(CountingPicture::Live, before + 2);
  ASSERT_TRUE(hot->Tag.IsString());
  EXPECT_NE(hot->Tag.String(), source.Tag.String());
  EXPECT_STREQ(hot->Tag.String(), "tag");
  ASSERT_NE(hot->Checkpoint, nullptr);
  EXPECT_EQ(hot->Checkpoint->Name, u"cp");
  EXPECT_EQ(RV_DuplicateItem(source, nullptr, false)->Checkpoint, nullptr);
}

TEST(ItemAssign, StyleNumberOnlyBetweenItemsOfOneClass) {
  TRVGraphicItemInfo picture(nullptr, Picture(), rvvaBaseline);
  TRVHotGraphicItemInfo hot(nullptr, Picture(), rvvaBaseline);
  hot.ParaNo = 2;
  hot.ItemOptions = Opts({rvioSameAsPrev});
  picture.Assign(hot);
  EXPECT_EQ(picture.StyleNo, rvsPicture);
  EXPECT_EQ(picture.ParaNo, 2);
  EXPECT_EQ(picture.ItemOptions, Opts({rvioSameAsPrev}));
  TRVHotGraphicItemInfo other(nullptr);
  other.StyleNo = -77;
  hot.Assign(other);
  EXPECT_EQ(hot.StyleNo, -77);
  EXPECT_EQ(hot.Image, nullptr);  // the source has no picture
}

class PictureItemPaint : public ::testing::Test {
 protected:
  PictureItemPaint() : canvas(20, 20) {
    canvas.Bitmap().Fill(clWhite);
    sheet.SelColor = clRed;
    sheet.InactiveSelColor = clGreen;
  }
  CountingPicture& Pic(TRVGraphicItemInfo& item) { return static_cast<CountingPicture&>(*item.Image); }
  TRVStyle sheet;
  TFixedMetricsCanvas canvas;
};

TEST_F(PictureItemPaint, DrawsAtOwnSizeOrStretched) {
  TRVGraphicItemInfo item(nullptr, Picture(4, 3), rvvaBaseline);
  item.Paint(2, 2, canvas, {}, sheet, nullptr);
  item.ImageWidth = 8;
  item.Paint(2, 2, canvas, {}, sheet, nullptr);
  ASSERT_EQ(Pic(item).Draws.size(), 2u);
  EXPECT_EQ(Pic(item).Draws[0], Rect(3, 3, 7, 6));
  EXPECT_EQ(Pic(item).Draws[1], Rect(3, 3, 11, 6));
  EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clWhite), 400);  // no frames unless asked
}

TEST_F(PictureItemPaint, SelectionAndCurrentItemFrames) {
  TRVGraphicItemInfo item(nullptr, Picture(4, 4), rvvaBaseline);
  item.Paint(4, 4, canvas, TRVItemDrawStates{rvidsSelected, rvidsControlFocused}, sheet, nullptr);
  // The frame takes the spacing in: (4, 4) to (10, 10), right and bottom exclusive.
  EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clRed), 6 * 4 - 4);
  EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 4, 4), clRed);
  EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 9, 9), clRed);
  EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 10, 10), clWhite);

  canvas.Bitmap().Fill(clWhite);
  sheet.CurrentItemColor = clBlue;
  item.Paint(4, 4, canvas, TRVItemDrawStates{rvidsSelected, rvidsCurrent}, sheet, nullptr);
  EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clGreen), 6 * 4 - 4);
  EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clBlue), 8 * 4 - 4);
  EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 3, 3), clBlue);

  canvas.Bitmap().Fill(clWhite);
  sheet.InactiveSelColor = clNone;
  item.Paint(4, 4, canvas, TRVItemDrawStates{rvidsSelected}, sheet, nullptr);
  EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clWhite), 400);
}

TEST_F(PictureItemPaint, ErrorsWhileDrawingAreSwallowedAndTheFrameStillDrawn) {
  TRVGraphicItemInfo item(nullptr, Picture(4, 4), rvvaBaseline);
  Pic(item).ThrowOnDraw = true;
  EXPECT_NO_THROW(item.Paint(4, 4, canvas, TRVItemDrawStates{rvidsSelected, rvidsControlFocused}, sheet, nullptr));
  EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clRed), 6 * 4 - 4);
}

// Bullets and hotspots frame their box as a picture does: the selection on
// the box, the current-item frame one pixel outside it.
TEST_F(PictureItemPaint, BulletAndHotspotFrames) {
  struct YellowImages : TCustomImageList {
    int GetWidth() const override { return 4; }
    int GetHeight() const override { return 4; }
    int GetCount() const override { return 2; }
    void Draw(TCanvas& canvas, int x, int y, int) override {
      canvas.Brush.Style = bsSolid;
      canvas.Brush.Color = clYellow;
      canvas.FillRect(Bounds(x, y, 4, 4));
    }
  } images;
  TRVBulletItemInfo bullet(nullptr, 0, &images, rvvaBaseline);
  TRVHotspotItemInfo hotspot(nullptr, 0, 1, &images, rvvaBaseline);
  sheet.CurrentItemColor = clBlue;
  for (TRVBulletItemInfo* item : {&bullet, static_cast<TRVBulletItemInfo*>(&hotspot)}) {
    SCOPED_TRACE(item->StyleNo);
    canvas.Bitmap().Fill(clWhite);
    item->Paint(4, 4, canvas, TRVItemDrawStates{rvidsSelected, rvidsCurrent}, sheet, nullptr);
    EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clYellow, Rect(5, 5, 9, 9)), 16);
    EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clGreen), 6 * 4 - 4);  // (4, 4) to (10, 10)
    EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clBlue), 8 * 4 - 4);   // (3, 3) to (11, 11)
    EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 3, 3), clBlue);
    EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 10, 10), clBlue);
    EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 11, 11), clWhite);

    canvas.Bitmap().Fill(clWhite);
    sheet.CurrentItemColor = clNone;
    item->Paint(4, 4, canvas, TRVItemDrawStates{rvidsCurrent}, sheet, nullptr);
    EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clWhite), 400 - 16);  // the image only
    sheet.CurrentItemColor = clBlue;
  }
}

TEST_F(PictureItemPaint, AnAnimatorDrawsInsteadOfThePicture) {
  struct Animator : TRVAnimator {
    using TRVAnimator::TRVAnimator;
    int GetFrameCount() const override { return 2; }
    void Reset() override {}
    void ChangeFrame() override {}
    void DrawForExport(TCanvas&) override {}
    void Draw(int x, int y, TCanvas&, bool animation) override { drawn.push_back({x, y, animation}); }
    struct Call {
      int x, y;
      bool animation;
    };
    std::vector<Call> drawn;
  };
  TRVGraphicItemInfo item(nullptr, Picture(4, 4), rvvaBaseline);
  auto animator = std::make_unique<Animator>(nullptr, &item);
  Animator* a = animator.get();
  item.Animator = std::move(animator);
  item.Paint(4, 4, canvas, {}, sheet, nullptr);
  EXPECT_TRUE(Pic(item).Draws.empty());
  ASSERT_EQ(a->drawn.size(), 1u);
  EXPECT_EQ(a->drawn[0].x, 5);
  EXPECT_EQ(a->drawn[0].y, 5);
  EXPECT_FALSE(a->drawn[0].animation);
  EXPECT_TRUE(item.GetBoolValue(rvbpResizeHandlesOutside));
}

TEST(PictureItemPalette, CopiesOnlyWithAPalette) {
  TRVLogPalette logPalette;
  TRVGraphicItemInfo item(nullptr, Picture(6, 5), rvvaBaseline);
  item.UpdatePaletteInfo(rvpaCreateCopies, false, 7, &logPalette);
  ASSERT_NE(item.ImageCopy, nullptr);
  EXPECT_STREQ(item.ImageCopy->ClassName(), "TCountingPicture");
  EXPECT_EQ(item.ImageCopy->GetWidth(), 6);
  EXPECT_EQ(item.ImageCopy->GetPalette(), 7u);
  TGraphic* copy = item.ImageCopy.get();
  item.UpdatePaletteInfo(rvpaCreateCopies, false, 7, &logPalette);
  EXPECT_EQ(item.ImageCopy.get(), copy);  // kept
  item.UpdatePaletteInfo(rvpaCreateCopies, false, 0, nullptr);
  EXPECT_EQ(item.ImageCopy, nullptr);  // no palette: the copy is dropped

  item.UpdatePaletteInfo(rvpaCreateCopies, false, 7, &logPalette);
  item.UpdatePaletteInfo(rvpaDoNothing, false, 7, &logPalette);
  EXPECT_EQ(item.ImageCopy, nullptr);

  item.UpdatePaletteInfo(rvpaAssignPalette, false, 9, &logPalette);
  EXPECT_EQ(item.Image->GetPalette(), 9u);
  EXPECT_EQ(item.ImageCopy, nullptr);

  TRVGraphicItemInfo jpeg(nullptr, Picture(6, 5, "TJPEGImage"), rvvaBaseline);
  jpeg.UpdatePaletteInfo(rvpaCreateCopiesEx, false, 7, &logPalette);
  ASSERT_NE(jpeg.ImageCopy, nullptr);
  EXPECT_STREQ(jpeg.ImageCopy->ClassName(), "TBitmap");
  EXPECT_EQ(jpeg.ImageCopy->GetWidth(), 6);
  EXPECT_EQ(jpeg.ImageCopy->GetHeight(), 5);
}

TEST(PictureItemPalette, BitmapCopyIsBlockTransferred) {
  TRVStyle sheet;
  TFixedMetricsCanvas canvas(10, 10);
  canvas.Bitmap().Fill(clWhite);
  TRVLogPalette logPalette;
  auto bitmap = std::make_unique<TBitmap>(2, 2);
  bitmap->Fill(clBlue);
  TRVGraphicItemInfo item(nullptr, std::move(bitmap), rvvaBaseline);
  item.UpdatePaletteInfo(rvpaCreateCopies, false, 7, &logPalette);
  ASSERT_NE(dynamic_cast<TBitmap*>(item.ImageCopy.get()), nullptr);
  static_cast<TBitmap&>(*item.ImageCopy).Fill(clLime);  // tell the copy from the picture
  item.Paint(0, 0, canvas, {}, sheet, nullptr);
  EXPECT_EQ(test::CountPixels(canvas.Bitmap(), clLime), 4);
  EXPECT_EQ(test::PixelAt(canvas.Bitmap(), 1, 1), clLime);
}

struct FakeAnimator : TRVAnimator {
  using TRVAnimator::TRVAnimator;
  int GetFrameCount() const override { return 2; }
  void Reset() override {}
  void ChangeFrame() override {}
  void DrawForExport(TCanvas&) override {}
  void Draw(int, int, TCanvas&, bool) override {}
  static inline int Live = 0;
  FakeAnimator(TCustomRVFormattedData* d, TCustomRVItemInfo* i) : TRVAnimator(d, i) { ++Live; }
  ~FakeAnimator() override { --Live; }
};

class AnimatorUpkeep : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = RV_MakeAnimator;
    RV_MakeAnimator = [](TCustomRVItemInfo* item, TCustomRVFormattedData* data,
                         std::unique_ptr<TRVAnimator>& animator) {
      if (animator) {
        animator->Update(data, item);
        return;
      }
      animator = std::make_unique<FakeAnimator>(data, item);
    };
  }
  void TearDown() override { RV_MakeAnimator = saved_; }
  TRVMakeAnimatorProc saved_ = nullptr;
};

TEST_F(AnimatorUpkeep, MadeForFormattedDocumentsThatAllowAnimation) {
  FormattedTestData formatted;
  TestData plain;
  TRVGraphicItemInfo item(nullptr, Picture(), rvvaBaseline);
  item.UpdateAnimator(&plain);
  EXPECT_EQ(item.Animator, nullptr);
  item.UpdateAnimator(&formatted);
  ASSERT_NE(item.Animator, nullptr);
  EXPECT_EQ(item.Animator->ItemInfo, &item);
  EXPECT_EQ(item.Animator->DocData, formatted.AsFormattedData());
  item.UpdateAnimator(&plain);  // not formatted: left alone
  EXPECT_NE(item.Animator, nullptr);
  formatted.Animate = false;
  item.UpdateAnimator(&formatted);
  EXPECT_EQ(item.Animator, nullptr);
  EXPECT_EQ(FakeAnimator::Live, 0);
}

TEST_F(AnimatorUpkeep, DefaultHookLeavesNoAnimator) {
  RV_MakeAnimator = saved_;
  FormattedTestData formatted;
  TRVGraphicItemInfo item(nullptr, Picture(), rvvaBaseline);
  item.Animator = std::make_unique<FakeAnimator>(nullptr, &item);
  item.UpdateAnimator(&formatted);
  EXPECT_EQ(item.Animator, nullptr);
}

TEST_F(AnimatorUpkeep, TransferMovesTheAnimatorToTheNewItem) {
  FormattedTestData formatted;
  TRVGraphicItemInfo source(nullptr, Picture(), rvvaBaseline);
  source.Animator = std::make_unique<FakeAnimator>(nullptr, &source);
  TRVAnimator* animator = source.Animator.get();
  TRVGraphicItemInfo target(nullptr, Picture(), rvvaBaseline);
  target.TransferProperties(source, &formatted);
  EXPECT_EQ(source.Animator, nullptr);
  EXPECT_EQ(target.Animator.get(), animator);
  EXPECT_EQ(animator->ItemInfo, &target);

  // An item that has an animator keeps it.
  TRVGraphicItemInfo third(nullptr, Picture(), rvvaBaseline);
  third.Animator = std::make_unique<FakeAnimator>(nullptr, &third);
  third.TransferProperties(target, &formatted);
  EXPECT_EQ(target.Animator.get(), animator);
}

TEST(ItemJumps, ExecuteReportsTheJumpNumberInFormattedDocuments) {
  TRVStyle sheet;
  FormattedTestData formatted(&sheet);
  formatted.FirstJumpNo = 10;
  TestData plain(&sheet);
  TRVHotGraphicItemInfo hot(nullptr, Picture(), rvvaBaseline);
  hot.JumpIndex = 3;
  hot.Execute(&plain);
  hot.Execute(&formatted);
  TRVGraphicItemInfo picture(nullptr, Picture(), rvvaBaseline);
  picture.Execute(&formatted);
  TRVTextItemInfo jumpText(nullptr);
  jumpText.StyleNo = 4;
  jumpText.JumpIndex = 1;
  jumpText.Execute(&formatted);
  TRVTextItemInfo plainText(nullptr);
  plainText.Execute(&formatted);
  TRVHotspotItemInfo hotspot(nullptr, 0, 0, nullptr, rvvaBaseline);
  hotspot.JumpIndex = 5;
  hotspot.Execute(&formatted);
  EXPECT_EQ(formatted.Jumps, (std::vector<int>{13, 11, 15}));
  EXPECT_EQ(hot.GetHypertextCursor(sheet), 101);
}

TEST(ItemHints, MouseMoveShowsTheItemHintWhenTheOptionIsSet) {
  FormattedTestData data;
  TRVTextItemInfo item(nullptr);
  EXPECT_FALSE(item.MouseMove({}, 0, 0, 2, &data));
  EXPECT_TRUE(data.Hints.empty());
  data.Options = TRVOptions{rvoShowItemHints};
  EXPECT_FALSE(item.MouseMove({}, 0, 0, 2, &data));
  EXPECT_EQ(data.Hints, (std::vector<UnicodeString>{u"hint 2"}));
}

TEST(ItemList, TextsObjectsAndRangeErrors) {
  TRVItemList list;
  auto a = std::make_unique<TRVTextItemInfo>(nullptr);
  TCustomRVItemInfo* aPtr = a.get();
  list.AddObject("alpha", std::move(a));
  list.InsertObject(0, "beta", std::make_unique<TRVTextItemInfo>(nullptr));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetItem(1), "alpha");
  EXPECT_EQ(aPtr->Text, "alpha");
  EXPECT_EQ(list.IndexOfObject(aPtr), 1);
  TRVTextItemInfo stranger(nullptr);
  EXPECT_EQ(list.IndexOfObject(&stranger), -1);
  list.SetItem(1, "gamma");
  EXPECT_EQ(aPtr->Text, "gamma");
  for (int bad : {-1, 2}) {
    try {
      list.GetObject(bad);
      ADD_FAILURE() << bad;
    } catch (const EListError& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(list.GetItem(5), EListError);
  EXPECT_THROW(list.InsertObject(3, "", nullptr), EListError);
  auto released = list.ReleaseObject(1);
  EXPECT_EQ(released.get(), aPtr);
  EXPECT_EQ(list.GetObject(1), nullptr);
  EXPECT_EQ(list.GetItem(1), "");
  EXPECT_EQ(list.SetObject(1, std::move(released)), nullptr);
  EXPECT_EQ(list.GetObject(1), aPtr);
}

}  // namespace
}  // namespace quorix
