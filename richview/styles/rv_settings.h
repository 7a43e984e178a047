#pragma once
// Library-wide settings of the rich view that styles and painting read.

#include "richview/styles/style_types.h"

namespace quorix {

// True where the platform measures and draws UTF-16 text natively (always here).
inline bool RVNT = true;

// The characters marked while special characters are shown.
inline TRVSpecialCharacters RVVisibleSpecialCharacters{rvscSpace, rvscNBSP, rvscParagraph, rvscSoftHyphen,
                                                       rvscPlaceholders};

}  // namespace quorix
