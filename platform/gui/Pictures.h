#pragma once
// Pictures that come with the program, as bitmaps of the layer.
#include "platform/graphics/Graphics.h"

// The picture stored under `resource` (e.g. ":/pictures/marble.png");
// transparent parts are composed over `background`. Empty when missing.
TBitmap LoadPictureResource(const AnsiString& resource, TColor background = clBtnFace);
