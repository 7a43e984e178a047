#pragma once
// Library-wide switches of the formatter.

namespace quorix {

// When true, a run of text that does not fit is cut after its last fitting
// character, without looking for a break opportunity.
inline bool RichViewWrapAnywhere = false;

// When true, the characters that fit are counted with the platform's
// extent-with-fit call instead of the formatter's own search.
inline bool RichViewSafeFormatting = false;

}  // namespace quorix
