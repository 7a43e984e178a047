// Reading and writing raster files through the toolkit's image codecs.

#include <QImage>
#include <QString>

#include <cstring>

#include "platform/graphics.h"

namespace quorix {

bool LoadRasterImage(std::string_view bytes, TBitmap& bitmap) {
  QImage image;
  if (bytes.empty() ||
      !image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()))) {
    return false;
  }
  // Straight (not premultiplied) alpha in 0xAARRGGBB: the bitmap's own layout.
  image = image.convertToFormat(QImage::Format_ARGB32);
  bitmap.SetSize(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(bitmap.Scanline(y), image.constScanLine(y), static_cast<std::size_t>(image.width()) * sizeof(TPixel));
  }
  return true;
}

bool SavePng(const TBitmap& bitmap, const std::string& path) {
  if (bitmap.GetEmpty()) return false;
  const QImage image(reinterpret_cast<const uchar*>(bitmap.Pixels()), bitmap.GetWidth(), bitmap.GetHeight(),
                     static_cast<qsizetype>(bitmap.GetWidth()) * 4, QImage::Format_ARGB32);
  return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace quorix
