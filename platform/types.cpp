#include "platform/types.h"

#include <algorithm>
#include <cstdlib>

namespace quorix {

namespace {

// The classic desktop palette, used when no toolkit has installed its own.
constexpr TColor kClassicSystemColors[] = {
    RGB(200, 200, 200), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225),
};

TColor ClassicResolver(int index) {
  constexpr int count = sizeof(kClassicSystemColors) / sizeof(kClassicSystemColors[0]);
  return index >= 0 && index < count ? kClassicSystemColors[index] : clBlack;
}

SystemColorResolver g_resolver = &ClassicResolver;

}  // namespace

TColor ColorToRGB(TColor c) {
  if (IsSystemColor(c)) return g_resolver(c & 0xFF);
  return c;
}

void SetSystemColorResolver(SystemColorResolver resolver) { g_resolver = resolver ? resolver : &ClassicResolver; }

void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  result = TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
  if (result.IsEmpty()) {
    result = TRect{};
    return false;
  }
  return true;
}

TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom)};
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long num = static_cast<long long>(a) * b;
  long long q = num / c;
  const long long rem = num % c;
  // Round half away from zero: compare twice the remainder with the divisor.
  if (std::llabs(rem) * 2 >= std::llabs(static_cast<long long>(c))) {
    q += ((num < 0) != (c < 0)) ? -1 : 1;
  }
  return static_cast<int>(q);
}

}  // namespace quorix
