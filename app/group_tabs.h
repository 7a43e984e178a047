#pragma once
// The group tab strip: one framed rectangle and one centred label per group,
// painted on the strip image's bitmap canvas.

#include <span>

#include "platform/canvas.h"
#include "platform/text.h"
#include "platform/types.h"

namespace quorix {

constexpr TColor TabFillColor = RGB(224, 224, 224);
constexpr TColor SelectedTabFillColor = RGB(255, 255, 128);
// The outer frame of every tab: the panel shape's pen colour.
constexpr TColor TabFrameColor = RGB(173, 165, 157);
constexpr TColor TabLabelColor = RGB(0, 0, 0);

// The per-channel average of a tab's fill and its outer frame, remainders dropped.
constexpr TColor InnerFrameColor(TColor fill, TColor frame) {
  return RGB((GetRValue(fill) + GetRValue(frame)) / 2, (GetGValue(fill) + GetGValue(frame)) / 2,
             (GetBValue(fill) + GetBValue(frame)) / 2);
}

// The label as it is drawn on a tab of nominal width w: whole when it is
// narrower than w - 4 pixels, otherwise cut character by character (never below
// one character) until it fits with "..." appended, and then "..." appended.
UnicodeString FitTabLabel(TCanvas& canvas, UnicodeString label, int w);

// Paints the whole strip of an image of width x height pixels: groupNames holds
// the groups' 8-bit names (system code page); group `selected` is highlighted.
// Nothing is drawn for fewer than two groups.
void PaintGroupTabs(TCanvas& canvas, int width, int height, std::span<const AnsiString> groupNames, int selected);

}  // namespace quorix
