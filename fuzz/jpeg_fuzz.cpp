// libFuzzer target: TJPEGImage loading on any bytes, then drawing it small
// (which decodes it) and copying it.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "pictures/jpeg_image.h"
#include "platform/graphics.h"
#include "platform/streams.h"

using namespace quorix;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TJPEGImage jpeg;
  TMemoryStream stream(std::string(reinterpret_cast<const char*>(data), size));
  try {
    jpeg.LoadFromStream(stream);
  } catch (const EInvalidGraphic&) {
    if (!jpeg.GetEmpty() || jpeg.Data() != nullptr) __builtin_trap();
    return 0;
  }
  TBitmap target(16, 12);
  jpeg.Draw(target.Canvas(), Rect(0, 0, 16, 12));
  if (const TBitmap* bitmap = jpeg.Bitmap()) {
    if (static_cast<std::size_t>(bitmap->GetWidth()) * bitmap->GetHeight() > kJPEGMaxDecodedPixels) __builtin_trap();
  }
  TJPEGImage copy;
  copy.Assign(&jpeg);
  copy.Draw(target.Canvas(), Rect(2, 2, 5, 30));
  return 0;
}
