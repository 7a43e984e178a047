#pragma once
// Reading the GIF87a / GIF89a file format into a TGIFImage.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pictures/gif_image.h"

namespace quorix {

class TGIFReader {
 public:
  // Reads the GIF at the start of bytes into image (which must be empty).
  // Returns the number of bytes consumed. Raises EInvalidGraphic for the
  // conditions TGIFImage::LoadFromStream lists; image may then hold a part.
  static std::size_t Read(std::string_view bytes, TGIFImage& image);

 private:
  TGIFReader(std::string_view bytes, TGIFImage& image);

  void read_signature();
  void read_logical_screen();
  void read_frames();
  void read_frame(TGIFFrame& frame);
  void read_extension(TGIFFrame& frame);
  void read_image_descriptor(TGIFFrame& frame);
  void read_image_data(TGIFFrame& frame);
  void read_color_table(int flags, TGIFColorTable& table);
  void skip_zero_bytes();

  std::size_t left() const { return static_cast<std::size_t>(end_ - p_); }

  const std::uint8_t* begin_;
  const std::uint8_t* p_;
  const std::uint8_t* end_;
  TGIFImage& image_;
  std::size_t pixelBudget_;
};

}  // namespace quorix
