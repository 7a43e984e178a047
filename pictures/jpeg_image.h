#pragma once
// The JPEG picture, on libjpeg: keeps the file's compressed bytes (shared
// between copies), reads the header when loading and decodes the whole image
// into a bitmap on the first draw, which it keeps.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/canvas.h"
#include "platform/graphics.h"
#include "platform/streams.h"

namespace quorix {

// Bounds on decoding, so that a header declaring an absurd size cannot make
// us allocate gigabytes: an image of more than kJPEGMaxSourcePixels is not
// decoded at all (it draws nothing); one whose bitmap would exceed
// kJPEGMaxDecodedPixels (64 MiB of pixels, 4096 x 4096) is decoded at 1/2,
// 1/4 or 1/8 of its size, whichever fits first, and stretched as usual.
// libjpeg's own working memory is capped at kJPEGMaxWorkingMemory.
constexpr std::size_t kJPEGMaxSourcePixels = std::size_t{1} << 28;
constexpr std::size_t kJPEGMaxDecodedPixels = std::size_t{1} << 24;
constexpr std::size_t kJPEGMaxWorkingMemory = std::size_t{256} << 20;

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage() = default;
  TJPEGImage(const TJPEGImage&) = delete;
  TJPEGImage& operator=(const TJPEGImage&) = delete;
  ~TJPEGImage() override;

  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  // Decodes on the first call, then stretches the bitmap into rect.
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // Shares the source's compressed bytes and copies its bitmap, if it has one.
  void Assign(const TGraphic* source) override;
  // Takes the rest of the stream as the JPEG file and reads its header; a
  // header that cannot be read raises EInvalidGraphic, leaving the picture
  // empty and the stream where it was. No bytes at all give an empty picture.
  void LoadFromStream(TStream& stream) override;
  std::unique_ptr<TGraphic> CreateEmpty() const override { return std::make_unique<TJPEGImage>(); }
  const char* ClassName() const override { return "TJPEGImage"; }

  bool GetGrayscale() const { return grayscale_; }
  bool GetProgressive() const { return progressive_; }
  // The compressed bytes; null for an empty picture.
  const std::shared_ptr<const std::string>& Data() const { return data_; }

  // Decodes now if not yet done; false when there is no bitmap afterwards
  // (empty picture, damaged data, or beyond the bounds above).
  bool Decode();
  bool HasBitmap() const { return bitmap_ != nullptr; }
  const TBitmap* Bitmap() const { return bitmap_.get(); }
  void FreeBitmap() { bitmap_.reset(); }
  void Clear();

 private:
  std::shared_ptr<const std::string> data_;
  int width_ = 0;
  int height_ = 0;
  bool grayscale_ = false;
  bool progressive_ = false;
  bool decodeFailed_ = false;  // not tried again on every draw
  std::unique_ptr<TBitmap> bitmap_;
};

}  // namespace quorix
