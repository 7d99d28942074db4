#pragma once
// Windows virtual-key codes of the toolkit's keys, in one table.
#include "platform/gui/Controls.h"

// Letters and digits map to their upper-case ASCII codes; keys without a
// virtual-key code give 0.
WORD VirtualKeyOf(int qtKey);
// The toolkit key of a virtual-key code (0 when none), for tests and
// synthetic input.
int QtKeyOfVirtualKey(WORD vk);
TShiftState ShiftStateOf(unsigned qtModifiers);
