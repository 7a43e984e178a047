#pragma once
// Pointer and keyboard input as window handlers receive it: mouse buttons and
// the shift state (modifier keys and pressed buttons).

#include "platform/sets.h"

namespace quorix {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem, 8>;

}  // namespace quorix
