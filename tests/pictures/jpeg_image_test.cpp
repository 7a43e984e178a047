// The JPEG picture: header facts on load, the empty and damaged cases, the
// decode on demand and copies that share the compressed bytes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "jpeg_test_util.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"

namespace quorix {
namespace {

using testing::EncodeJpeg;
using testing::JpegSpec;

std::unique_ptr<TJPEGImage> LoadJpeg(const std::string& bytes) {
  auto jpeg = std::make_unique<TJPEGImage>();
  TMemoryStream stream(bytes);
  jpeg->LoadFromStream(stream);
  return jpeg;
}

bool Near(TColor a, TColor b, int tolerance = 12) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(JpegImage, LoadingReadsTheHeaderOnly) {
  struct Case {
    int width, height;
    bool grayscale, progressive;
  };
  for (const Case& c : {Case{16, 8, false, false}, Case{33, 17, true, false}, Case{40, 30, false, true},
                        Case{7, 5, true, true}}) {
    SCOPED_TRACE(c.width);
    JpegSpec spec;
    spec.Width = c.width;
    spec.Height = c.height;
    spec.Grayscale = c.grayscale;
    spec.Progressive = c.progressive;
    const auto jpeg = LoadJpeg(EncodeJpeg(spec));
    EXPECT_EQ(jpeg->GetWidth(), c.width);
    EXPECT_EQ(jpeg->GetHeight(), c.height);
    EXPECT_EQ(jpeg->GetGrayscale(), c.grayscale);
    EXPECT_EQ(jpeg->GetProgressive(), c.progressive);
    EXPECT_FALSE(jpeg->GetEmpty());
    EXPECT_FALSE(jpeg->HasBitmap());
  }
}

TEST(JpegImage, NoBytesLoadAnEmptyPicture) {
  TJPEGImage jpeg;
  TMemoryStream stream;
  jpeg.LoadFromStream(stream);
  EXPECT_TRUE(jpeg.GetEmpty());
  EXPECT_EQ(jpeg.Data(), nullptr);
  EXPECT_FALSE(jpeg.Decode());
}

TEST(JpegImage, UnreadableHeaderRaisesAndLeavesThePictureEmpty) {
  const std::string good = EncodeJpeg(JpegSpec{});
  for (const std::string& bytes : {std::string("garbage, not a JPEG"), good.substr(0, 20), std::string("\xFF\xD8", 2)}) {
    auto jpeg = LoadJpeg(good);
    TMemoryStream stream("ab" + bytes);
    stream.SetPosition(2);
    EXPECT_THROW(jpeg->LoadFromStream(stream), EInvalidGraphic);
    EXPECT_TRUE(jpeg->GetEmpty());
    EXPECT_EQ(jpeg->Data(), nullptr);
    EXPECT_EQ(stream.Position(), 2);
  }
}

TEST(JpegImage, DecodesTheWholeImageOnceOnDemand) {
  JpegSpec spec;
  spec.Width = 24;
  spec.Height = 16;
  spec.Color = [](int x, int) { return x < 12 ? 0x2040E0u : 0xF0F020u; };
  const auto jpeg = LoadJpeg(EncodeJpeg(spec));
  ASSERT_TRUE(jpeg->Decode());
  const TBitmap* bitmap = jpeg->Bitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->GetWidth(), 24);
  EXPECT_EQ(bitmap->GetHeight(), 16);
  EXPECT_TRUE(Near(bitmap->PixelColor(3, 8), RGB(0x20, 0x40, 0xE0)));
  EXPECT_TRUE(Near(bitmap->PixelColor(20, 8), RGB(0xF0, 0xF0, 0x20)));
  EXPECT_TRUE(jpeg->Decode());
  EXPECT_EQ(jpeg->Bitmap(), bitmap);

  JpegSpec gray;
  gray.Grayscale = true;
  gray.Color = [](int, int) { return 0x008000u; };
  const auto grayJpeg = LoadJpeg(EncodeJpeg(gray));
  ASSERT_TRUE(grayJpeg->Decode());
  EXPECT_TRUE(Near(grayJpeg->Bitmap()->PixelColor(5, 5), RGB(0x80, 0x80, 0x80)));
}

TEST(JpegImage, DamagedDataAfterAGoodHeaderStillDecodes) {
  JpegSpec spec;
  spec.Width = 64;
  spec.Height = 64;
  spec.Color = [](int x, int y) { return static_cast<unsigned>((x * 7919 + y * 104729) * 2654435761u) >> 8; };
  std::string bytes = EncodeJpeg(spec);
  bytes.resize(bytes.size() * 2 / 3);  // the scan data ends early
  const auto jpeg = LoadJpeg(bytes);
  EXPECT_EQ(jpeg->GetWidth(), 64);
  EXPECT_TRUE(jpeg->Decode());
}

TEST(JpegImage, AssignSharesTheBytesAndCopiesTheBitmap) {
  const auto source = LoadJpeg(EncodeJpeg(JpegSpec{}));
  TJPEGImage before;
  before.Assign(source.get());
  EXPECT_EQ(before.Data(), source->Data());
  EXPECT_EQ(before.GetWidth(), 16);
  EXPECT_FALSE(before.HasBitmap());

  ASSERT_TRUE(source->Decode());
  TJPEGImage after;
  after.Assign(source.get());
  EXPECT_EQ(after.Data().get(), source->Data().get());
  ASSERT_TRUE(after.HasBitmap());
  EXPECT_NE(after.Bitmap(), source->Bitmap());
  EXPECT_EQ(after.Bitmap()->PixelColor(4, 4), source->Bitmap()->PixelColor(4, 4));

  TGIFImage gif;
  EXPECT_THROW(after.Assign(&gif), EInvalidGraphic);
  after.Assign(nullptr);
  EXPECT_TRUE(after.GetEmpty());
  EXPECT_EQ(source->Data().use_count(), 2);  // source and `before`
}

// A header may declare up to 65500 x 65500 pixels over a few hundred bytes:
// such a picture loads, but its bitmap stays within the decoding bounds.
TEST(JpegImage, AbsurdDimensionsAreDecodedSmallOrNotAtAll) {
  std::string bytes = EncodeJpeg(JpegSpec{});
  // Patch the frame header (SOF0: FF C0, length, precision, height, width).
  const std::size_t sof = bytes.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  auto setSize = [&](int w, int h) {
    bytes[sof + 5] = static_cast<char>(h >> 8);
    bytes[sof + 6] = static_cast<char>(h & 0xFF);
    bytes[sof + 7] = static_cast<char>(w >> 8);
    bytes[sof + 8] = static_cast<char>(w & 0xFF);
  };
  setSize(6000, 6000);  // 36 million pixels: decoded at half size
  auto jpeg = LoadJpeg(bytes);
  EXPECT_EQ(jpeg->GetWidth(), 6000);
  ASSERT_TRUE(jpeg->Decode());
  EXPECT_EQ(jpeg->Bitmap()->GetWidth(), 3000);
  EXPECT_LE(static_cast<std::size_t>(jpeg->Bitmap()->GetWidth()) * jpeg->Bitmap()->GetHeight(), kJPEGMaxDecodedPixels);

  setSize(65500, 65500);  // beyond every bound: no bitmap
  jpeg = LoadJpeg(bytes);
  EXPECT_EQ(jpeg->GetHeight(), 65500);
  EXPECT_FALSE(jpeg->Decode());
  EXPECT_FALSE(jpeg->HasBitmap());
}

}  // namespace
}  // namespace quorix
