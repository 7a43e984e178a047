#pragma once
// Screen and device resolutions for formatting on another device (a printer,
// a preview), and the conversions from screen pixels to device pixels.

#include "platform/types.h"

namespace quorix {

struct TRVScreenAndDevice {
  int ScreenDpiX = 96;
  int ScreenDpiY = 96;
  int DeviceDpiX = 96;
  int DeviceDpiY = 96;
  int DeviceLeftMargin = 0;
  int DeviceRightMargin = 0;
};

// Screen pixels to device pixels; the identity without a record or on screen.
inline int RV_XToDevice(int v, const TRVScreenAndDevice* sad) {
  return sad ? MulDiv(v, sad->DeviceDpiX, sad->ScreenDpiX) : v;
}
inline int RV_YToDevice(int v, const TRVScreenAndDevice* sad) {
  return sad ? MulDiv(v, sad->DeviceDpiY, sad->ScreenDpiY) : v;
}

inline int RV_XToDevice(int v, const TRVScreenAndDevice& sad) { return RV_XToDevice(v, &sad); }
inline int RV_YToDevice(int v, const TRVScreenAndDevice& sad) { return RV_YToDevice(v, &sad); }

}  // namespace quorix
