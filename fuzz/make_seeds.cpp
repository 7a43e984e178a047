// Writes seed corpora for the fuzz targets:
//   fuzz_seeds gif DIR    GIFs from our writer, whole and damaged
//   fuzz_seeds jpeg DIR   JPEGs from libjpeg's compressor
// The files are kept small, as fuzzing likes them.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

// jpeglib.h wants size_t and FILE declared before it.
#include <jpeglib.h>

#include "pictures/gif_writer.h"

using namespace quorix;

namespace {

std::mt19937 rng(7);

std::vector<std::uint8_t> Noise(int w, int h, int colors) {
  std::vector<std::uint8_t> v(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<std::uint8_t>((i / 7 + rng() % 3) % colors);
  return v;
}

TGIFColorTable Table(int n) {
  TGIFColorTable t(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) t[i] = {static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 91), static_cast<std::uint8_t>(i * 13)};
  return t;
}

TGifWriterImage Base(int w, int h, int frames, int colors) {
  TGifWriterImage image;
  image.Width = w;
  image.Height = h;
  image.GlobalColorTable = Table(colors);
  for (int i = 0; i < frames; ++i) {
    TGifWriterFrame f;
    f.Left = i;
    f.Top = i;
    f.Width = w - i;
    f.Height = h - i;
    f.Indices = Noise(f.Width, f.Height, colors);
    f.ControlExtension = true;
    f.Delay = 10 * i;
    f.Disposal = i % 4;
    f.Transparent = i % 2 == 1;
    f.TransparentIndex = 1;
    f.Interlaced = i % 3 == 2;
    if (i == 1) f.LocalColorTable = Table(4);
    image.Frames.push_back(std::move(f));
  }
  return image;
}

void WriteGifSeeds(const std::filesystem::path& dir) {
  std::vector<std::pair<std::string, TGifWriterImage>> seeds;
  seeds.push_back({"plain", Base(16, 12, 1, 16)});
  seeds.push_back({"animated", Base(24, 20, 4, 64)});
  TGifWriterImage loop = Base(10, 10, 3, 4);
  loop.LoopCount = 0;
  seeds.push_back({"loop", loop});
  TGifWriterImage junk = Base(8, 8, 1, 2);
  junk.JunkBeforeSignature = "JUNK";
  seeds.push_back({"junk", junk});
  TGifWriterImage noTrailer = Base(12, 9, 2, 16);
  noTrailer.WriteTrailer = false;
  seeds.push_back({"no_trailer", noTrailer});
  TGifWriterImage cut = Base(30, 30, 2, 256);
  cut.CutAfter = 700;
  seeds.push_back({"cut", cut});
  TGifWriterImage empties = Base(8, 8, 1, 16);
  empties.TrailingEmptyFrames = 2;
  seeds.push_back({"trailing_empty", empties});
  TGifWriterImage unknown = Base(8, 8, 2, 16);
  unknown.Frames[1].RawBytesBefore = "\x99\x01\x02";
  seeds.push_back({"unknown_block", unknown});
  TGifWriterImage frozen = Base(64, 64, 1, 256);
  frozen.ClearCodeWhenFull = false;
  frozen.SubBlockSize = 100;
  seeds.push_back({"deferred_clear", frozen});
  TGifWriterImage comment = Base(6, 6, 1, 8);
  comment.Frames[0].Extensions.push_back({0xFE, "a comment"});
  comment.Version = "87a";
  seeds.push_back({"comment", comment});
  TGifWriterImage huge = Base(4, 4, 1, 4);
  huge.Width = huge.Height = 65535;
  huge.Frames[0].Width = huge.Frames[0].Height = 65535;
  seeds.push_back({"huge", huge});
  for (const auto& [name, image] : seeds) std::ofstream(dir / (name + ".gif"), std::ios::binary) << WriteGif(image);
}

std::string Jpeg(int w, int h, bool gray, bool progressive, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = gray ? 1 : 3;
  cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(w) * cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = static_cast<unsigned char>(i * 5 + cinfo.next_scanline * 3 + rng() % 16);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

void WriteJpegSeeds(const std::filesystem::path& dir) {
  auto write = [&](const char* name, const std::string& bytes) { std::ofstream(dir / name, std::ios::binary) << bytes; };
  write("baseline.jpg", Jpeg(16, 16, false, false, 75));
  write("gray.jpg", Jpeg(13, 7, true, false, 90));
  write("progressive.jpg", Jpeg(24, 16, false, true, 60));
  write("gray_progressive.jpg", Jpeg(9, 9, true, true, 50));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz_seeds gif|jpeg DIR\n");
    return 2;
  }
  const std::string kind = argv[1];
  const std::filesystem::path dir = argv[2];
  std::filesystem::create_directories(dir);
  if (kind == "gif") {
    WriteGifSeeds(dir);
  } else if (kind == "jpeg") {
    WriteJpegSeeds(dir);
  } else {
    return 2;
  }
  return 0;
}
