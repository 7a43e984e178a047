#pragma once
// Colour conversions for printing in the colour modes of TRVColorMode.

#include "platform/types.h"
#include "richview/styles/style_types.h"

namespace quorix {

// The colour as a printer takes it: system colours resolved; clNone stays.
TColor RV_GetPrnColor(TColor color);
// The colour's grey of equal luminance; clNone stays.
TColor RV_GetGray(TColor color);
// Luminance 0..255 of a (resolved) colour.
int RV_GetLuminance(TColor color);
// A line or border colour in a colour mode: resolved for printer colours, grey
// for grey scale, black for the black-and-white modes.
TColor RV_GetColorForMode(TColor color, TRVColorMode colorMode);

}  // namespace quorix
