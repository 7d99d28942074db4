#pragma once
// The pixels a form shows, as the library's form canvas holds them.
#include "platform/graphics/Graphics.h"

class TForm;

// Renders the part `area` (form client coordinates) of the form with all
// its visible controls as it looks at this moment, also when it is not on
// the screen, into a bitmap of the area's size. Pixels of the area that lie
// outside the form stay white, the colour of a fresh bitmap.
TBitmap FormPixels(const TForm& form, const TRect& area);
