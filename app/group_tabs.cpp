#include "app/group_tabs.h"

namespace quorix {

namespace {

constexpr std::u16string_view kEllipsis = u"...";

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The label's last character spans two code units when it is a surrogate pair;
// with the single-byte code pages of the list files every character is one unit.
std::size_t LastCharacterLength(const UnicodeString& s) {
  const std::size_t n = s.size();
  if (n >= 2 && IsLowSurrogate(s[n - 1]) && IsHighSurrogate(s[n - 2])) return 2;
  return n ? 1 : 0;
}

bool LongerThanOneCharacter(const UnicodeString& s) { return s.size() > LastCharacterLength(s); }

}  // namespace

UnicodeString FitTabLabel(TCanvas& canvas, UnicodeString label, int w) {
  if (canvas.TextWidth(label) < w - 4) return label;
  while (LongerThanOneCharacter(label) && canvas.TextWidth(label + UnicodeString(kEllipsis)) >= w - 4) {
    label.resize(label.size() - LastCharacterLength(label));
  }
  return label + UnicodeString(kEllipsis);
}

void PaintGroupTabs(TCanvas& canvas, int width, int height, std::span<const AnsiString> groupNames, int selected) {
  const int g = static_cast<int>(groupNames.size());
  if (g <= 1) return;
  const int w = width / g;

  canvas.Brush.Style = bsSolid;
  for (int i = 0; i < g; ++i) {
    const TColor fill = i == selected ? SelectedTabFillColor : TabFillColor;
    const TColor inner = InnerFrameColor(fill, TabFrameColor);
    canvas.Brush.Color = fill;
    canvas.Pen.Color = TabFrameColor;
    const int x1 = i * w;
    // The last tab also takes the pixels the division left over.
    const int x2 = i == g - 1 ? width : (i + 1) * w;
    canvas.Rectangle(x1, 0, x2, height);
    canvas.Pen.Color = inner;
    canvas.Rectangle(x1 + 1, 1, x2 - 1, height - 1);
  }

  canvas.Brush.Style = bsClear;
  canvas.Font.Color = TabLabelColor;
  for (int j = 0; j < g; ++j) {
    UnicodeString label = AnsiToUnicode(groupNames[static_cast<std::size_t>(j)]);
    label = FitTabLabel(canvas, std::move(label), w);
    const int tw = canvas.TextWidth(label);
    const int th = canvas.TextHeight(label);
    // Centred on the nominal width w, also on a wider last tab.
    const int x = w * j + w / 2 - tw / 2;
    const int y = height / 2 - th / 2 - 1;
    canvas.TextOut(x, y, label);
  }
}

}  // namespace quorix
