#pragma once
// Where the bar rests in and out of view, and how far it moves per tick,
// worked out from the edge where the taskbar sits.
#include "platform/gui/Screen.h"

struct TSlideGeometry {
    int HiddenLeft = 0, HiddenTop = 0;
    int ShownLeft = 0, ShownTop = 0;
    int InStepX = 0, InStepY = 0;
    int OutStepX = 0, OutStepY = 0;
};

enum class TTaskbarEdge { Bottom, Top, Left, Right, TwoEdges };

TTaskbarEdge TaskbarEdgeOf(const TScreenMetrics& screen);
TSlideGeometry ComputeSlideGeometry(int barWidth, int barHeight, const TScreenMetrics& screen);

// The stop test of one slide tick, before any movement.
bool SlideArrived(int left, int top, int targetLeft, int targetTop, int stepX, int stepY);
