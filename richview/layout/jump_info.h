#pragma once
// TRVJumpInfo, the hot area of one drawing item of a hypertext item (a hot
// picture, or a piece of text in a jump style): where it is, which jump it
// reports and which cursor the pointer takes over it.

#include <memory>
#include <vector>

#include "platform/cursors.h"

namespace quorix {

class TCustomRVFormattedData;

struct TRVJumpInfo {
  TCustomRVFormattedData* RVData = nullptr;  // the document holding the drawing item
  int Left = 0;  // the drawing item's position moved by its document's origin
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int Id = 0;  // the jump index; shared by all pieces of one text item
  int DrawItemNo = 0;
  TCursor Cursor = crDefault;
};

using TRVJumpList = std::vector<std::unique_ptr<TRVJumpInfo>>;

}  // namespace quorix
