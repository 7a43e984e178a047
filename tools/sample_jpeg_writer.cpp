// JPEG files of the sample set, compressed with libjpeg.

#include <cstdio>
// jpeglib.h wants the standard I/O declarations before it.
#include <jpeglib.h>

#include <fstream>

#include "tools/sample_images.h"

namespace quorix::samples {

bool WriteJpeg(const std::filesystem::path& path, const TRGBImage& image, int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);  // the default handler exits on a fatal error: fine for a generator
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.Width);
  info.image_height = static_cast<JDIMENSION>(image.Height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(image.Width) * 3);
  while (info.next_scanline < info.image_height) {
    const TRGB* source = image.Pixels.data() + static_cast<std::size_t>(info.next_scanline) * image.Width;
    for (int x = 0; x < image.Width; ++x) {
      row[3 * x] = source[x].R;
      row[3 * x + 1] = source[x].G;
      row[3 * x + 2] = source[x].B;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(buffer), static_cast<std::streamsize>(size));
  std::free(buffer);
  return static_cast<bool>(out);
}

}  // namespace quorix::samples
