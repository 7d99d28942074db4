#include "app/SlideGeometry.h"

TTaskbarEdge TaskbarEdgeOf(const TScreenMetrics& s) {
    const int L = s.WorkArea.Left, T = s.WorkArea.Top, WW = s.WorkArea.Width();
    if (L == 0 && T == 0 && WW == s.Width) return TTaskbarEdge::Bottom;
    if (L == 0 && T != 0) return TTaskbarEdge::Top;
    if (L != 0 && T == 0) return TTaskbarEdge::Left;
    if (L == 0 && T == 0 && WW != s.Width) return TTaskbarEdge::Right;
    return TTaskbarEdge::TwoEdges;
}

TSlideGeometry ComputeSlideGeometry(int W, int H, const TScreenMetrics& s) {
    const int SW = s.Width, SH = s.Height;
    const int L = s.WorkArea.Left, T = s.WorkArea.Top, WW = s.WorkArea.Width(), WH = s.WorkArea.Height();
    switch (TaskbarEdgeOf(s)) {
    case TTaskbarEdge::Bottom: return {2, SH, 2, WH - H, 0, -4, 0, +4};
    case TTaskbarEdge::Top: return {0, -H, 0, T - 1, 0, +4, 0, -4};
    case TTaskbarEdge::Left: return {-W, 0, L, 0, +8, 0, -8, 0};
    case TTaskbarEdge::Right: return {SW, 0, WW - W, 0, -8, 0, +8, 0};
    case TTaskbarEdge::TwoEdges:
        // Panels on two edges: rise from the bottom edge of the screen to the
        // bottom of the work area, beside the left panel.
        return {L + 2, SH, L + 2, T + WH - H, 0, -4, 0, +4};
    }
    return {};
}

bool SlideArrived(int left, int top, int targetLeft, int targetTop, int stepX, int stepY) {
    return (top >= targetTop && stepY > 0) || (left >= targetLeft && stepX > 0) || (top <= targetTop && stepY < 0) ||
           (left <= targetLeft && stepX < 0);
}
