#pragma once
// The screen and device resolutions a document is formatted for, with the
// document's margins in device pixels. The record and the conversions from
// screen to device pixels are shared with the item classes
// (richview/styles/screen_and_device.h); formatting fills the record here.

#include "platform/canvas.h"
#include "richview/styles/screen_and_device.h"

namespace quorix {

// The resolution of the screen, as a memory context compatible with it reports it.
inline constexpr int RVScreenPixelsPerInch = 96;

// Fills the four resolutions: the screen's, and those of the formatting canvas.
inline void RV_InfoAboutSaD(TRVScreenAndDevice& SaD, const TCanvas& Canvas) {
  SaD.ScreenDpiX = RVScreenPixelsPerInch;
  SaD.ScreenDpiY = RVScreenPixelsPerInch;
  SaD.DeviceDpiX = Canvas.PixelsPerInchX();
  SaD.DeviceDpiY = Canvas.PixelsPerInchY();
}

// Whether formatting on this record needs no conversion at all.
inline bool RV_SaDIsScreen(const TRVScreenAndDevice& SaD) {
  return SaD.ScreenDpiX == SaD.DeviceDpiX && SaD.ScreenDpiY == SaD.DeviceDpiY;
}

}  // namespace quorix
