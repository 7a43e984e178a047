#pragma once
// JPEG fixtures made at test time with libjpeg's compressor.

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace quorix::testing {

struct JpegSpec {
  int Width = 16;
  int Height = 16;
  bool Grayscale = false;
  bool Progressive = false;
  int Quality = 95;
  // The colour of each pixel as 0xRRGGBB (grey images take the green byte).
  std::function<unsigned(int x, int y)> Color = [](int, int) { return 0xFF0000u; };
};

inline std::string EncodeJpeg(const JpegSpec& spec) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(spec.Width);
  cinfo.image_height = static_cast<JDIMENSION>(spec.Height);
  cinfo.input_components = spec.Grayscale ? 1 : 3;
  cinfo.in_color_space = spec.Grayscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, spec.Quality, TRUE);
  if (spec.Progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(spec.Width) * cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < spec.Width; ++x) {
      const unsigned c = spec.Color(x, y);
      if (spec.Grayscale) {
        row[static_cast<std::size_t>(x)] = static_cast<unsigned char>((c >> 8) & 0xFF);
      } else {
        row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(c >> 16);
        row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>((c >> 8) & 0xFF);
        row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(c & 0xFF);
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

}  // namespace quorix::testing
