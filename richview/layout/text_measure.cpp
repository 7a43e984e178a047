#include "richview/layout/text_measure.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "richview/layout/layout_settings.h"
#include "richview/layout/line_break.h"
#include "richview/styles/rv_settings.h"

namespace quorix {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A code unit that joins the character before it: a combining mark. The
// format controls among the CM class (joiners, direction marks, annotation
// marks) and the control characters stand on their own.
bool IsCombining(char16_t c) {
  if (c < 0x0300) return false;
  if ((c >= 0x200C && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x206A && c <= 0x206F) ||
      (c >= 0xFFF9 && c <= 0xFFFB))
    return false;
  return RVU_GetLineBreakClass(c) == rvlbCM;
}

// Runs longer than this are bracketed before the search (RVU_FindFitCount).
constexpr int kProbeChars = 256;

bool IsZeroWidth(char16_t c) { return c == kZeroWidthSpace || c == kWordJoiner; }

// The upper case of one byte of 8-bit text in a code page, as one byte.
char UpperByte(char c, TRVCodePage codePage) {
  const auto b = static_cast<unsigned char>(c);
  if (b < 0x80) return (b >= 'a' && b <= 'z') ? static_cast<char>(b - 'a' + 'A') : c;
  const UnicodeString w = RVU_AnsiToUnicode(codePage, std::string_view(&c, 1));
  if (w.size() != 1) return c;
  const TRVAnsiString up = RVU_UnicodeToAnsi(codePage, UpperCase(w));
  return up.size() == 1 && up[0] != '?' ? up[0] : c;
}

// The extent-with-fit call, with zero-width characters measuring 0: how many
// leading characters of Text fit into Avail.
int ExtentExFit(TCanvas& Canvas, const TRVTextRun& Run, int N, int Avail) {
  int fit = 0;
  std::vector<int> dx;
  if (Run.Unicode) {
    const std::u16string_view text = Run.W.substr(0, static_cast<std::size_t>(N));
    Canvas.TextExtentFit(text, Avail, fit, &dx);
    int zeroWidth = -1;
    int removed = 0;
    for (int i = 0; i < N && i < static_cast<int>(dx.size()); ++i) {
      if (IsZeroWidth(text[static_cast<std::size_t>(i)])) {
        if (zeroWidth < 0) zeroWidth = Canvas.TextExtent(std::u16string_view(&text[static_cast<std::size_t>(i)], 1)).cx;
        removed += zeroWidth;
      }
      dx[static_cast<std::size_t>(i)] -= removed;
    }
  } else {
    const UnicodeString text = RVU_AnsiToUnicode(Run.CodePage, Run.A.substr(0, static_cast<std::size_t>(N)));
    Canvas.TextExtentFit(text, Avail, fit, &dx);
  }
  fit = 0;
  while (fit < static_cast<int>(dx.size()) && fit < N && dx[static_cast<std::size_t>(fit)] <= Avail) ++fit;
  return fit;
}

}  // namespace

UnicodeString RV_ReturnProcessedString(std::u16string_view Text, const TCustomRVFontInfo& TextStyle,
                                       bool ShowSpecialCharacters) {
  UnicodeString s(Text);
  if (TextStyle.StyleEx.Contains(rvfsAllCaps) && RVNT) s = UpperCase(s);
  const char16_t softHyphen =
      ShowSpecialCharacters && RVVisibleSpecialCharacters.Contains(rvscSoftHyphen) ? kNotSign : kZeroWidthSpace;
  for (char16_t& c : s) {
    if (c == kNonBreakingHyphen)
      c = u'-';
    else if (c == kSoftHyphen)
      c = softHyphen;
  }
  return s;
}

TRVAnsiString RV_ReturnProcessedString(std::string_view Text, const TCustomRVFontInfo& TextStyle,
                                       TRVCodePage CodePage) {
  TRVAnsiString s(Text);
  if (TextStyle.StyleEx.Contains(rvfsAllCaps))
    for (char& c : s) c = UpperByte(c, CodePage);
  return s;
}

TSize RVU_GetTextExtentPoint32W(TCanvas& Canvas, std::u16string_view Text, int N) {
  N = std::clamp(N, 0, static_cast<int>(Text.size()));
  const std::u16string_view part = Text.substr(0, static_cast<std::size_t>(N));
  TSize size = Canvas.TextExtent(part);
  int spaceWidth = -1;   // what the font gives U+200B, asked once per call
  int joinerWidth = -1;  // and U+2060
  for (char16_t c : part) {
    if (!IsZeroWidth(c)) continue;
    int& width = c == kZeroWidthSpace ? spaceWidth : joinerWidth;
    if (width < 0) width = Canvas.TextExtent(std::u16string_view(&c, 1)).cx;
    size.cx -= width;
  }
  return size;
}

TSize RVU_GetTextExtentPointA(TCanvas& Canvas, std::string_view Text, int N, TRVCodePage CodePage) {
  N = std::clamp(N, 0, static_cast<int>(Text.size()));
  return Canvas.TextExtent(RVU_AnsiToUnicode(CodePage, Text.substr(0, static_cast<std::size_t>(N))));
}

int RVU_PrevCharPos(std::u16string_view Text, int Pos) {
  Pos = std::min(Pos, static_cast<int>(Text.size()));
  if (Pos <= 0) return 0;
  int p = Pos - 1;
  for (;;) {
    if (p > 0 && IsLowSurrogate(Text[static_cast<std::size_t>(p)]) &&
        IsHighSurrogate(Text[static_cast<std::size_t>(p - 1)]))
      --p;
    if (p > 0 && IsCombining(Text[static_cast<std::size_t>(p)])) {
      --p;
      continue;
    }
    return p;
  }
}

int RVU_ExtendToClusterEnd(std::u16string_view Text, int Count) {
  const int length = static_cast<int>(Text.size());
  while (Count != 0 && Count < length && RVU_PrevCharPos(Text, Count + 1) != Count) ++Count;
  return Count;
}

TSize TRVTextRun::Extent(TCanvas& Canvas, int From, int Count) const {
  if (Unicode) return RVU_GetTextExtentPoint32W(Canvas, W.substr(static_cast<std::size_t>(From)), Count);
  return RVU_GetTextExtentPointA(Canvas, A.substr(static_cast<std::size_t>(From)), Count, CodePage);
}

int RVU_FindFitCount(TCanvas& Canvas, const TRVTextRun& Display, const TRVTextRun& Stored, int Remaining, int Avail,
                     const TRVFitParams& Params) {
  const bool wraps = !Params.NoWrap && Params.WordWrap;
  int n = Remaining;
  if (Params.MaxLength > 0 && n > Params.MaxLength - Params.CharsOnLine && wraps)
    n = std::max(0, Params.MaxLength - Params.CharsOnLine);
  if (n <= 0) return 0;

  int lo = 0;
  const bool special = Params.ShowSpecialCharacters && (Display.Unicode || !RVNT);
  if (RichViewSafeFormatting || special) {
    if (!wraps) return n;
    lo = ExtentExFit(Canvas, Display, n, Avail);
  } else {
    if (!wraps) return n;
    // The width of a prefix of mid characters; a line ending right after a
    // soft hyphen shows a hyphen there.
    auto hyphen = [&](int mid) {
      return Display.Unicode && Stored.At(mid - 1) == kSoftHyphen && Display.At(mid - 1) == kZeroWidthSpace
                 ? Params.HyphenWidth
                 : 0;
    };
    auto measure = [&](int mid) { return Display.Extent(Canvas, 0, mid).cx + hyphen(mid); };
    int loW = 0;
    int hi = n;
    int hiW = 0;
    bool bracketed = false;
    // A long run is first bracketed by doubling prefixes, so that a line costs
    // what its own characters cost and not what the rest of the paragraph
    // does. With widths that grow with the count the answer is the same.
    for (int probe = kProbeChars; probe < n; probe *= 2) {
      const int raw = Display.Extent(Canvas, 0, probe).cx;
      if (raw < 0 || raw > Avail) {
        hi = probe;
        hiW = raw;
        bracketed = true;
        break;
      }
      const int w = raw + hyphen(probe);
      if (w <= Avail) {
        lo = probe;
        loW = w;
      }
    }
    if (!bracketed) {
      hiW = Display.Extent(Canvas, 0, n).cx;
      if (hiW >= 0 && hiW <= Avail) return n;
    }
    // Interpolation: guess the count from the widths measured so far, measure
    // it, and narrow the range. The guess only picks what to measure; every
    // answer is a measured one.
    while (lo + 1 < hi) {
      if (hiW == loW) ++hiW;
      int mid = lo + static_cast<int>(static_cast<std::int64_t>(hi - lo) * (Avail - loW) / (hiW - loW));
      if (mid <= lo) mid = lo + 1;
      if (mid >= hi) mid = hi - 1;
      const int w = measure(mid);
      if (w == Avail) {
        lo = hi = mid;
      } else if (w >= 0 && w < Avail) {
        // A prefix of zero-width characters (w = 0) fits as well as any other.
        lo = mid;
        loW = w;
      } else {
        hi = mid;
        hiW = w;
      }
    }
  }

  if (!Display.Unicode) return lo;
  // Never end a line just before a soft hyphen: its hyphen would not fit.
  if (lo > 0 && lo < Remaining && Stored.At(lo) == kSoftHyphen) --lo;
  if (RVNT) {
    const int before = lo;
    lo = RVU_ExtendToClusterEnd(Display.W.substr(0, static_cast<std::size_t>(Remaining)), lo);
    if (lo != before && Display.Extent(Canvas, 0, lo).cx > Avail)
      lo = RVU_PrevCharPos(Display.W.substr(0, static_cast<std::size_t>(Remaining)), lo);
  }
  return lo;
}

}  // namespace quorix
