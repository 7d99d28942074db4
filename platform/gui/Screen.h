#pragma once
// The primary screen: its size and the work area the desktop's panels
// leave free.
#include "platform/graphics/Graphics.h"

struct TScreenMetrics {
    int Width = 0;
    int Height = 0;
    TRect WorkArea;
};

TScreenMetrics PrimaryScreenMetrics();
