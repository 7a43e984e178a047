#pragma once
// An image list: images of one size drawn by index (the pictures of bullets
// and hotspots).

#include "platform/canvas.h"

namespace quorix {

class TCustomImageList {
 public:
  virtual ~TCustomImageList() = default;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual int GetCount() const = 0;
  // Draws image index with its top-left corner at (x, y).
  virtual void Draw(TCanvas& canvas, int x, int y, int index) = 0;
};

}  // namespace quorix
