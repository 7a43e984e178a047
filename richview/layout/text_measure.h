#pragma once
// Measuring text for line formatting: the display form a text item is
// measured in, extents in which zero-width characters measure nothing, the
// search for how many characters fit into a width, and the cluster boundaries
// that search must respect.

#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "richview/styles/font_info.h"
#include "richview/styles/text_encoding.h"

namespace quorix {

inline constexpr char16_t kSoftHyphen = 0x00AD;
inline constexpr char16_t kNonBreakingHyphen = 0x2011;
inline constexpr char16_t kZeroWidthSpace = 0x200B;
inline constexpr char16_t kWordJoiner = 0x2060;
inline constexpr char16_t kNotSign = 0x00AC;  // how a soft hyphen shows among special characters

// The display form of a text in a text style: upper-cased for rvfsAllCaps;
// for UTF-16 text the non-breaking hyphen becomes "-" and the soft hyphen a
// zero width space (a visible mark when special characters, soft hyphens
// among them, are shown). Always as long as the text.
UnicodeString RV_ReturnProcessedString(std::u16string_view Text, const TCustomRVFontInfo& TextStyle,
                                       bool ShowSpecialCharacters);
// 8-bit text in CodePage: only the capitals.
TRVAnsiString RV_ReturnProcessedString(std::string_view Text, const TCustomRVFontInfo& TextStyle,
                                       TRVCodePage CodePage);

// The extent of the first N characters of Text, less the width the font gives
// each zero width space and word joiner among them: those measure 0.
TSize RVU_GetTextExtentPoint32W(TCanvas& Canvas, std::u16string_view Text, int N);
// The extent of the first N bytes of 8-bit text in CodePage.
TSize RVU_GetTextExtentPointA(TCanvas& Canvas, std::string_view Text, int N, TRVCodePage CodePage);

// The start of the character cluster that ends at Pos (the previous-character
// position): a surrogate pair, or a base character with its combining marks,
// is one cluster. Pos 0 gives 0.
int RVU_PrevCharPos(std::u16string_view Text, int Pos);

// A run of text as the formatter measures it: UTF-16, or 8-bit in a code page.
struct TRVTextRun {
  bool Unicode = true;
  std::u16string_view W;
  std::string_view A;
  TRVCodePage CodePage = CP_ACP;

  int Length() const { return static_cast<int>(Unicode ? W.size() : A.size()); }
  // The character at i as a code unit (8-bit text: the byte).
  char16_t At(int i) const {
    return Unicode ? W[static_cast<std::size_t>(i)] : static_cast<unsigned char>(A[static_cast<std::size_t>(i)]);
  }
  TRVTextRun Sub(int From) const {
    TRVTextRun r = *this;
    if (Unicode)
      r.W = W.substr(static_cast<std::size_t>(From));
    else
      r.A = A.substr(static_cast<std::size_t>(From));
    return r;
  }
  // The extent of Count characters from From.
  TSize Extent(TCanvas& Canvas, int From, int Count) const;
};

// What the fit search needs to know besides the text.
struct TRVFitParams {
  int MaxLength = 0;    // characters per line, 0 = no limit
  int CharsOnLine = 0;  // already on the line
  bool WordWrap = true;
  bool NoWrap = false;  // the paragraph's rvpaoNoWrap
  int HyphenWidth = 0;  // the style's width of "-"
  bool ShowSpecialCharacters = false;
};

// The number of characters of Display (the display form) that fit into Avail
// pixels, Remaining characters at most; Stored is the same run as stored.
// Every count returned was measured to fit, or is 0. A surrogate pair or a
// base character with its marks is never split.
int RVU_FindFitCount(TCanvas& Canvas, const TRVTextRun& Display, const TRVTextRun& Stored, int Remaining, int Avail,
                     const TRVFitParams& Params);

// Moves Count forward to the end of the cluster it falls into (UTF-16 only).
int RVU_ExtendToClusterEnd(std::u16string_view Text, int Count);

}  // namespace quorix
