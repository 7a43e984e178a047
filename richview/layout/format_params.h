#pragma once
// TRVFormatParams, the running state of one formatting pass: the line being
// filled, where it is, how tall it is so far, and what the pass measures with.
// The pass owns it and hands it by reference to every line-formatting call.

#include "platform/canvas.h"
#include "richview/styles/tab_infos.h"

namespace quorix {

class TRVFontInfoCache;

struct TRVFormatParams {
  int CurX = 0;         // x of the next drawing item, from LineLeft
  int BaseLine = 0;     // y of the current line's baseline
  // Below the baseline of the current line. Between lines: the previous
  // line's descent plus the paragraph spacing still to be inserted.
  int LineDescent = 0;
  int LineAscent = 0;   // above the baseline of the current line
  bool NewParagraph = false;  // the next line to start begins a paragraph
  int LineWidth = 0;    // width available to the current line
  int LineLeft = 0;     // x of the line's origin: left margin + the line's left indent
  int DrawItemCount = 0;  // drawing items so far; the next goes at this index
  int TextVShift = 0;   // raise of the text style whose metrics are loaded
  int BaseLeftIndent = 0;  // the paragraph's left indent, for tab positions
  int RightIndent = 0;
  int LastTextStyle = -1;  // the style whose metrics are loaded; -1 forces a reload
  int FirstParaItemNo = -1;  // first item of the current paragraph; -1 not yet known
  // Fixed or minimum line height: its parts above and below the baseline.
  int LineHeightAbove = 0;
  int LineHeightBelow = 0;
  int CharsOnLine = 0;  // characters and non-text items on the current line
  int MaxLength = 0;    // characters per line, 0 = no limit
  bool NoCaching = false;     // passed on to the items' OnDocWidthChange
  bool Reformatting = false;  // likewise
  bool FirstLine = true;      // until the first line has been started
  bool HasAbsVAlign = false;  // the line holds an absolutely aligned item
  // A right- or centre-aligned tab waiting for the text after it.
  int PendingTabNo = -1;  // its drawing item, -1 for none
  TRVTabAlign PendingTabAlign = rvtaLeft;
  int PendingTabPos = 0;  // the stop, from LineLeft
  bool SpaceSkipped = false;  // the space at the last line break is already dropped
  TRVFontInfoCache* FontInfoCache = nullptr;
  TCanvas* MeasureCanvas = nullptr;  // the current text style is selected here
  TTextMetric TextMetric;            // of the current text style
  bool WordWrap = true;
};

}  // namespace quorix
