#include "richview/styles/color_modes.h"

namespace quorix {

TColor RV_GetPrnColor(TColor color) { return color == clNone ? clNone : ColorToRGB(color); }

int RV_GetLuminance(TColor color) {
  const TColor c = ColorToRGB(color);
  return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
}

TColor RV_GetGray(TColor color) {
  if (color == clNone) return clNone;
  const int l = RV_GetLuminance(color);
  return RGB(l, l, l);
}

TColor RV_GetColorForMode(TColor color, TRVColorMode colorMode) {
  switch (colorMode) {
    case rvcmColor: return color;
    case rvcmPrinterColor: return RV_GetPrnColor(color);
    case rvcmGrayScale: return RV_GetGray(RV_GetPrnColor(color));
    case rvcmBlackAndWhite:
    case rvcmBlackOnWhite: return color == clNone ? clNone : clBlack;
  }
  return color;
}

}  // namespace quorix
