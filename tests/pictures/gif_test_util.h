#pragma once
// Small helpers shared by the GIF tests: fixtures written with our GIF writer,
// loading them, and reading a frame's indices back in full.

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "pictures/gif_image.h"
#include "pictures/gif_writer.h"
#include "platform/streams.h"

namespace quorix::testing {

inline TGIFColorTable GrayTable(int count) {
  TGIFColorTable table;
  for (int i = 0; i < count; ++i) {
    const auto v = static_cast<std::uint8_t>(count > 1 ? i * 255 / (count - 1) : 0);
    table.push_back(TGIFColor{v, v, v});
  }
  return table;
}

// Noise with a few flat rectangles, so the LZW table sees both short and long strings.
inline std::vector<std::uint8_t> NoisyIndices(int width, int height, int colors, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> v(static_cast<std::size_t>(width) * height);
  for (auto& x : v) x = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(colors));
  for (int r = 0; r < 3; ++r) {
    const int x0 = static_cast<int>(rng() % static_cast<unsigned>(width));
    const int y0 = static_cast<int>(rng() % static_cast<unsigned>(height));
    const auto c = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(colors));
    for (int y = y0; y < std::min(height, y0 + height / 2); ++y)
      for (int x = x0; x < std::min(width, x0 + width / 2); ++x) v[static_cast<std::size_t>(y) * width + x] = c;
  }
  return v;
}

inline TGifWriterFrame Frame(int left, int top, int width, int height, std::vector<std::uint8_t> indices) {
  TGifWriterFrame f;
  f.Left = left;
  f.Top = top;
  f.Width = width;
  f.Height = height;
  f.Indices = std::move(indices);
  return f;
}

// A picture of the given size with a 16-entry grey global table.
inline TGifWriterImage Picture(int width, int height, std::vector<TGifWriterFrame> frames = {}) {
  TGifWriterImage image;
  image.Width = width;
  image.Height = height;
  image.GlobalColorTable = GrayTable(16);
  image.Frames = std::move(frames);
  return image;
}

inline std::unique_ptr<TGIFImage> LoadGif(const std::string& bytes) {
  auto gif = std::make_unique<TGIFImage>();
  TMemoryStream stream(bytes);
  gif->LoadFromStream(stream);
  return gif;
}

// All Width x Height indices of a frame, the ones not stored as 0.
inline std::vector<std::uint8_t> AllIndices(const TGIFFrame& frame) {
  std::vector<std::uint8_t> v(static_cast<std::size_t>(frame.PixelCount()), 0);
  const auto stored = frame.StoredIndices();
  std::copy(stored.begin(), stored.end(), v.begin());
  return v;
}

}  // namespace quorix::testing
