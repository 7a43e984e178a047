#pragma once
// The pictures of the sample set as the generator describes them, and the two
// writers that turn them into files: GIF with the project's GIF writer, JPEG
// with libjpeg's compressor.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/sample_pixels.h"

namespace quorix::samples {

struct TRGB {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
};

struct TRGBImage {
  int Width = 0;
  int Height = 0;
  std::vector<TRGB> Pixels = {};  // rows top to bottom
};

// GIF disposal methods, as the graphic control extension numbers them.
constexpr int kDisposeNone = 0;
constexpr int kDisposeLeave = 1;
constexpr int kDisposeRestoreBackground = 2;
constexpr int kDisposeRestorePrevious = 3;

struct TSampleFrame {
  TIndexedImage Image;
  int Left = 0;
  int Top = 0;
  int DelayCs = 0;            // hundredths of a second
  int Disposal = kDisposeNone;
  int TransparentIndex = -1;  // -1: an opaque frame
  bool Interlaced = false;
};

struct TSampleGif {
  int Width = 0;
  int Height = 0;
  std::vector<TRGB> Palette = {};  // the global colour table
  std::vector<TSampleFrame> Frames = {};
};

struct TSampleSmiley {
  std::string File;
  std::string Code;  // UTF-8
  TSampleGif Gif = {};    // for a .gif
  TRGBImage Photo = {};   // for a .jpg
};

bool WriteGif(const std::filesystem::path& path, const TSampleGif& gif);
bool WriteJpeg(const std::filesystem::path& path, const TRGBImage& image, int quality);

}  // namespace quorix::samples
