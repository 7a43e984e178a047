// GIF files of the sample set, written with the project's GIF writer.

#include <fstream>

#include "pictures/gif_writer.h"
#include "tools/sample_images.h"

namespace quorix::samples {

bool WriteGif(const std::filesystem::path& path, const TSampleGif& gif) {
  TGifWriterImage image;
  image.Width = gif.Width;
  image.Height = gif.Height;
  for (const TRGB& c : gif.Palette) image.GlobalColorTable.push_back(TGIFColor{c.R, c.G, c.B});
  image.BackgroundIndex = 0;
  // Animations loop for ever, as chat smilies do.
  if (gif.Frames.size() > 1) image.LoopCount = 0;
  for (const TSampleFrame& f : gif.Frames) {
    TGifWriterFrame frame;
    frame.Left = f.Left;
    frame.Top = f.Top;
    frame.Width = f.Image.Width;
    frame.Height = f.Image.Height;
    frame.Indices = f.Image.Pixels;
    frame.Interlaced = f.Interlaced;
    frame.ControlExtension = gif.Frames.size() > 1 || f.TransparentIndex >= 0;
    frame.Disposal = f.Disposal;
    frame.Delay = f.DelayCs;
    frame.Transparent = f.TransparentIndex >= 0;
    frame.TransparentIndex = f.TransparentIndex >= 0 ? f.TransparentIndex : 0;
    image.Frames.push_back(std::move(frame));
  }
  const std::string bytes = quorix::WriteGif(image);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace quorix::samples
