#pragma once
// TVGraphics: draws the graphs of expressions in x onto a canvas: background,
// optional grid and axes, and one curve per expression line in its colour,
// sampled at its own x step. The application's message pump runs between
// grid lines and between expressions, so a Cancel from an event handler
// stops the drawing there.
#include <functional>

#include "platform/core/Classes.h"
#include "platform/graphics/Graphics.h"

class TVGraphics : public TComponent {
public:
    explicit TVGraphics(TComponent* owner);

    // Line i of Expressions goes with line i of Colors (a decimal TColor)
    // and line i of Steps (the x step as number text).
    TStrings& Expressions() { return expressions_; }
    TStrings& Colors() { return colors_; }
    TStrings& Steps() { return steps_; }
    void SetExpressions(const TStrings& lines) { expressions_.Assign(lines); }
    void SetColors(const TStrings& lines) { colors_.Assign(lines); }
    void SetSteps(const TStrings& lines) { steps_.Assign(lines); }

    TColor Background = clWhite;
    bool PointsOnly = true;
    bool Cross = true;
    TColor CrossColor = clBlack;
    bool Grid = false;
    TColor GridColor = clSilver;
    bool ClearCanvas = true;

    long double GridSpace() const { return gridSpace_; }
    void SetGridSpace(long double v) { gridSpace_ = v; }
    long double X_From() const { return xFrom_; }
    void SetMinusX(long double v) { xFrom_ = v; }
    long double X_To() const { return xTo_; }
    void SetPlusX(long double v) { xTo_ = v; }
    long double Y_From() const { return yFrom_; }
    void SetMinusY(long double v) { yFrom_ = v; }
    long double Y_To() const { return yTo_; }
    void SetPlusY(long double v) { yTo_ = v; }
    int DestinationWidth() const { return destWidth_; }
    void SetDestWidth(int v) { destWidth_ = v; }
    int DestinationHeight() const { return destHeight_; }
    void SetDestHeight(int v) { destHeight_ = v; }
    long double Y_MaxDifference() const { return maxDifference_; }
    void SetAbstand(long double v) { maxDifference_ = v; }

    bool CancelRequested() const { return cancelRequested_; }
    void Cancel() { cancelRequested_ = true; }

    // -1 when cancelled; otherwise 0 when every expression parsed, else 1 +
    // the index of the last line that did not. A world window of zero width
    // or height raises the layer's math error from the grid, axis and
    // pixel-step computations; in a sample it only skips the sample.
    int DrawToCanvas(TCanvas& canvas);

    // Device column / row of a world value: (v - from) * size / (to - from)
    // and (to - v) * size / (to - from), truncated towards zero. A zero
    // window raises EZeroDivide (EInvalidOp for 0/0), a result outside the
    // 32-bit range EInvalidOp.
    static int UmrechnenX(long double v, int size, double from, double to);
    static int UmrechnenY(long double v, int size, double from, double to);

private:
    TStringList expressions_, colors_, steps_;
    long double gridSpace_ = 1;
    long double xFrom_ = -10, xTo_ = 10, yFrom_ = -10, yTo_ = 10;
    int destWidth_ = 640, destHeight_ = 480;
    long double maxDifference_ = 0;
    bool cancelRequested_ = false;
};

namespace Vgraphics {
// The message pump DrawToCanvas runs between grid lines and between
// expressions: the application's ProcessMessages unless replaced.
extern std::function<void()> MessagePump;
void Register();
}  // namespace Vgraphics
