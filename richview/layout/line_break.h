#pragma once
// Break opportunities in UTF-16 text: the line-breaking classes of the code
// units of the Basic Multilingual Plane, the pair table that says whether a
// line may break between two classes, and the search for the last break
// opportunity inside the part of a run that fits on a line.
//
// Both tables are the ones the platform's own line breaker used when this
// formatter was written. They are kept exactly as they are, older than
// today's Unicode tables, so that documents break where they always did.

#include <cstdint>
#include <string_view>

namespace quorix {

// The classes of the Unicode line-breaking algorithm, in table order.
enum TRVLineBreakClass : std::uint8_t {
  rvlbOP,  // opening punctuation
  rvlbCL,  // closing punctuation
  rvlbQU,  // ambiguous quotation
  rvlbGL,  // non-breaking ("glue")
  rvlbNS,  // non-starter
  rvlbEX,  // exclamation / interrogation
  rvlbSY,  // symbols allowing a break after
  rvlbIS,  // infix separator
  rvlbPR,  // prefix
  rvlbPO,  // postfix
  rvlbNU,  // numeric
  rvlbAL,  // ordinary alphabetic and symbol characters
  rvlbID,  // ideographic
  rvlbIN,  // inseparable
  rvlbHY,  // hyphen
  rvlbBA,  // break opportunity after
  rvlbBB,  // break opportunity before
  rvlbB2,  // break opportunity before and after
  rvlbZW,  // zero width space
  rvlbCM,  // combining mark
};
constexpr int rvlbClassCount = 20;

// What the pair table says about a break between a character of one class
// and a following character of another.
enum TRVBreakAction : std::uint8_t {
  rvbaDirect,      // a break is allowed
  rvbaIndirect,    // a break is allowed only where spaces separate the two
  rvbaProhibited,  // never a break
};

// The class of one UTF-16 code unit; AL for every unit the table does not list
// (spaces, line ends, letters of alphabetic scripts, surrogates).
TRVLineBreakClass RVU_GetLineBreakClass(char16_t c);

// The pair table: Before is the class of the character before the break,
// After the class of the character after it.
TRVBreakAction RVU_GetBreakAction(TRVLineBreakClass Before, TRVLineBreakClass After);

// Text is the stored text from the start of the run; Index is how many of its
// characters fit, so Text[Index] is the first one that does not; AtEnd says
// that Text[Index] is the run's last character. The result is the index of
// the last character to keep on the line, or -1 when the fitting part offers
// no break opportunity.
int RVU_FindLineBreak(std::u16string_view Text, int Index, bool AtEnd);

}  // namespace quorix
