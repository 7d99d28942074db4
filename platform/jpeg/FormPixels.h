#pragma once
// The pixels a form shows, as the library's form canvas holds them.
#include "platform/graphics/Graphics.h"

class TForm;

// Renders the form with all its visible controls as it looks at this moment
// (also when it is not on the screen) into a bitmap of the form's size.
TBitmap FormPixels(const TForm& form);
