#include "components/Vgraphics/Vgraphics.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>

#include "components/Vgraphics/VParser.h"
#include "platform/gui/Forms.h"

std::function<void()> Vgraphics::MessagePump = [] {
    if (Application) Application->ProcessMessages();
};

void Vgraphics::Register() { RegisterComponents("Varnell", {"TVGraphics"}); }

namespace {

// Division and integer truncation that fail like trapping floating-point
// hardware instead of producing infinities or undefined integers.
long double Divide(long double a, long double b) {
    if (b == 0) {
        if (a == 0 || std::isnan(a)) throw EInvalidOp("Invalid floating point operation");
        throw EZeroDivide("Floating point division by zero");
    }
    return a / b;
}

// INT_MIN is left out so that "one less" of every result still fits.
int TruncToInt(long double v) {
    if (!(v > static_cast<long double>(INT_MIN) && v < static_cast<long double>(INT_MAX) + 1.0L))
        throw EInvalidOp("Invalid floating point operation");
    return static_cast<int>(std::trunc(v));
}

int ClampToInt(long long v) { return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, v))); }

// The colour lines: leading blanks, optional sign, decimal digits; 0 when
// there are none, saturated at the 32-bit range.
TColor DecimalColor(const AnsiString& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = std::min<long long>(v * 10 + (text[i] - '0'), 1LL << 32);
    return ClampToInt(negative ? -v : v);
}

}  // namespace

TVGraphics::TVGraphics(TComponent* owner) : TComponent(owner) {}

int TVGraphics::UmrechnenX(long double v, int size, double from, double to) {
    return TruncToInt(Divide((v - from) * size, static_cast<long double>(to) - from));
}

int TVGraphics::UmrechnenY(long double v, int size, double from, double to) {
    return TruncToInt(Divide((to - v) * size, static_cast<long double>(to) - from));
}

int TVGraphics::DrawToCanvas(TCanvas& canvas) {
    cancelRequested_ = false;
    // The device area and world window stay as they were at the start,
    // whatever handlers run in the message pump change.
    const int w = destWidth_, h = destHeight_;
    const long double xFrom = xFrom_, xTo = xTo_, yFrom = yFrom_, yTo = yTo_;

    if (ClearCanvas) {
        canvas.Brush.Color = clSilver;
        canvas.FillRect(Rect(0, 0, w, h));
    }
    VParser parser;
    parser.Precision = 8;
    long double step = 1;

    canvas.Brush.Color = Background;
    canvas.FloodFill(10, 10, Background, TFillStyle::fsBorder);

    auto line = [&canvas](long long x1, long long y1, long long x2, long long y2) {
        canvas.MoveTo(ClampToInt(x1), ClampToInt(y1));
        canvas.LineTo(ClampToInt(x2), ClampToInt(y2));
    };
    auto x0 = [&] { return UmrechnenX(0, w, static_cast<double>(xFrom), static_cast<double>(xTo)); };
    auto y0 = [&] { return UmrechnenY(0, h, static_cast<double>(yFrom), static_cast<double>(yTo)); };

    if (Grid) {
        const long double g = gridSpace_;
        const long long gx0 = x0(), gy0 = y0();
        canvas.Pen.Color = GridColor;
        const long long dx = TruncToInt(Divide(w * g, xTo - xFrom));
        const long long dy = TruncToInt(Divide(h * g, yTo - yFrom));
        auto count = [&](long double edge) { return std::llabs(TruncToInt(Divide(edge, g))); };
        const long long below = count(yFrom), above = count(yTo), right = count(xTo), left = count(xFrom);
        struct Group {
            long long count, sign;
            bool horizontal;
        };
        for (const Group& group : {Group{below, 1, true}, Group{above, -1, true}, Group{right, 1, false},
                                   Group{left, -1, false}}) {
            for (long long k = 1; k <= group.count; ++k) {
                if (cancelRequested_) return -1;
                Vgraphics::MessagePump();
                if (group.horizontal) {
                    const long long y = gy0 + group.sign * k * dy;
                    line(1, y, w, y);
                } else {
                    const long long x = gx0 + group.sign * k * dx;
                    line(x, 1, x, h);
                }
            }
        }
    }

    if (Cross) {
        const int cx = x0(), cy = y0();
        canvas.Pen.Color = CrossColor;
        line(1, cy, w, cy);
        line(cx, 1, cx, h);
    }

    int result = -1;
    for (int i = 0; i < expressions_.Count(); ++i) {
        if (cancelRequested_) return -1;
        Vgraphics::MessagePump();
        const AnsiString text = expressions_.Strings(i);
        const AnsiString stepText = steps_.Strings(i);
        const TColor colour = DecimalColor(colors_.Strings(i));
        try {
            step = parser.StrToLongDouble(stepText);
        } catch (const Exception&) {
            // an unreadable step keeps the previous one
        }
        parser.Expression = text;
        if (!parser.CreateTree()) {
            result = i;
            continue;
        }
        const long double steps = std::trunc(Divide(w * step, xTo - xFrom));
        const long long pixelStep = !(steps >= 1) ? 1 : steps > w ? static_cast<long long>(w) + 1 : static_cast<long long>(steps);

        int previousColumn = -1, previousRow = -1;
        canvas.Pen.Color = colour;
        for (long long px = 1; px <= w; px += pixelStep) {
            if (cancelRequested_) return -1;
            const long double x = px * (xTo - xFrom) / w + xFrom;
            parser.X = parser.LongDoubleToStr(x);
            try {
                const long double y = parser.Evaluate();
                if (maxDifference_ > 0 && std::fabs(y) >= maxDifference_) previousColumn = previousRow = -1;
                const int row = UmrechnenY(y, h, static_cast<double>(yFrom), static_cast<double>(yTo));
                const int column = static_cast<int>(px);
                if (previousRow == -1) previousRow = row - 1;
                if (previousColumn == -1) previousColumn = column - 1;
                if (PointsOnly) {
                    canvas.MoveTo(column - 1, row - 1);
                } else {
                    canvas.MoveTo(previousColumn, previousRow);
                    previousColumn = column;
                    previousRow = row;
                }
                canvas.LineTo(column, row);
            } catch (const Exception&) {
                previousColumn = previousRow = -1;  // the sample is skipped and ends the run
            }
        }
    }
    return result + 1;
}
