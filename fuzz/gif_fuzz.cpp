// libFuzzer target: TGIFImage::LoadFromStream on any bytes, then drawing
// frame 0 small and copying the picture.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pictures/gif_image.h"
#include "platform/graphics.h"
#include "platform/streams.h"

using namespace quorix;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TGIFImage gif;
  TMemoryStream stream = TMemoryStream::View(bytes);
  try {
    gif.LoadFromStream(stream);
  } catch (const EInvalidGraphic&) {
    // A failed load leaves an empty picture and the stream at its start.
    if (!gif.GetEmpty() || stream.Position() != 0) __builtin_trap();
    return 0;
  }
  if (gif.StoredPixelCount() > kGIFMaxImagePixels) __builtin_trap();
  for (int i = 0; i < gif.GetCount(); ++i) {
    const TGIFFrame& frame = gif.GetFrame(i);
    if (frame.StoredIndices().size() > frame.PixelCount() || frame.StoredIndices().size() > kGIFMaxFramePixels)
      __builtin_trap();
  }
  if (gif.GetCount() == 0) return 0;

  TBitmap target(16, 12);
  gif.Draw(target.Canvas(), Rect(0, 0, 16, 12));
  TGIFFrame& first = gif.GetFrame(0);
  first.Draw(target.Canvas(), Rect(-3, 2, 30, 9), true, false);
  first.StretchDraw(target.Canvas(), Rect(12, 10, 2, 1), true, false);  // mirrored
  first.SetHasBitmap(false);
  first.FreeMask();
  first.SetPalette(0);

  TGIFImage copy;
  copy.Assign(&gif);
  copy.SetTransparent(false);
  copy.Draw(target.Canvas(), Rect(1, 1, 9, 7));
  return 0;
}
