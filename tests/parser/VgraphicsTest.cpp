// TVGraphics and its engine VParser: what lands on the canvas, pixel by
// pixel, and how the drawing ends.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "ParserTestSupport.h"
#include "components/Vgraphics/VParser.h"
#include "components/Vgraphics/Vgraphics.h"
#include "components/Vparser/Vparser.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"

namespace {

class VgraphicsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!Application) {
            static int argc = 1;
            static char name[] = "vgraphics_tests";
            static char* argv[] = {name, nullptr};
            static TApplication app(argc, argv);
        }
    }

    // One expression per row of {expression, colour, step}.
    void Lines(std::initializer_list<std::array<const char*, 3>> rows) {
        TStringList e, c, s;
        for (const auto& r : rows) {
            e.Add(r[0]);
            c.Add(r[1]);
            s.Add(r[2]);
        }
        g.SetExpressions(e);
        g.SetColors(c);
        g.SetSteps(s);
    }

    int CountColour(TColor colour) const {
        int n = 0;
        for (const auto p : bmp.Pixels()) n += static_cast<TColor>(p) == colour;
        return n;
    }

    // The pixel a sample at column px leaves, or {-1,-1} when its row is off the raster.
    static int Row(long double y) { return TVGraphics::UmrechnenY(y, 480, -10, 10); }
    static long double XAt(int px) { return px * 20.0L / 640 + -10; }

    ScopedSeparator dot{'.'};
    TVGraphics g{nullptr};
    TBitmap bmp{640, 480};
};

}  // namespace

TEST_F(VgraphicsTest, EngineKeepsTheExpressionAndUsesTheMathError) {
    VParser v;
    v.Expression = "sin(x)";
    ASSERT_TRUE(v.CreateTree());
    EXPECT_EQ(v.Expression, "sin(x)");
    EXPECT_EQ(v.CleanExpression, "s#(x)");

    v.X = v.LongDoubleToStr(-2);
    EXPECT_EQ(v.X, "-2");
    EXPECT_EQ(Outcome(v, "x^2"), "4");
    EXPECT_EQ(Outcome(v, "x^0.5"), "error: Invalid floating point operation");
    v.Expression = "x^0.5";
    ASSERT_TRUE(v.CreateTree());
    EXPECT_THROW(v.Evaluate(), EInvalidOp);

    v.X = v.LongDoubleToStr(0);
    EXPECT_EQ(v.X, "0");
    EXPECT_EQ(Outcome(v, "1/x"), "error: Division durch 0");
    EXPECT_EQ(Outcome(v, "ln(x)"), "error: Log von X mit X <= 0");
    EXPECT_EQ(Outcome(v, "a+b+c+d"), "0");
    v.X = v.LongDoubleToStr(1.0L / 3);
    EXPECT_EQ(v.X, "0.33333333");
    EXPECT_EQ(Outcome(v, "x*3"), "0.99999999");

    // Its tree is the plotter unit's own, not the evaluator's.
    TVParser evaluator(nullptr);
    evaluator.Expression = "2+2";
    ASSERT_TRUE(evaluator.CreateTree());
    v.Expression = "7";
    ASSERT_TRUE(v.CreateTree());
    EXPECT_EQ(evaluator.Evaluate(), 4);
    EXPECT_EQ(v.Evaluate(), 7);
    EXPECT_EQ(Vgraphics::RootTree.Node->Value, "7");
}

TEST_F(VgraphicsTest, WorldToDevice) {
    EXPECT_EQ(TVGraphics::UmrechnenX(2.5, 640, -10, 10), 400);
    EXPECT_EQ(TVGraphics::UmrechnenY(2.5, 480, -10, 10), 180);
    EXPECT_EQ(TVGraphics::UmrechnenX(-10, 640, -10, 10), 0);
    EXPECT_EQ(TVGraphics::UmrechnenX(0, 640, -10, 10), 320);
    EXPECT_EQ(TVGraphics::UmrechnenY(0, 480, -10, 10), 240);
    EXPECT_EQ(TVGraphics::UmrechnenY(-10.01L, 480, -10, 10), 480);  // truncated towards zero
    EXPECT_THROW(TVGraphics::UmrechnenY(1, 480, 5, 5), EZeroDivide);
    EXPECT_THROW(TVGraphics::UmrechnenY(5, 480, 5, 5), EInvalidOp);
    EXPECT_THROW(TVGraphics::UmrechnenY(1e30L, 480, -10, 10), EInvalidOp);
}

TEST_F(VgraphicsTest, GridAndAxesAtTheDefaults) {
    g.Grid = true;
    g.GridColor = clRed;
    Vgraphics::Register();
    EXPECT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
    std::vector<int> rows, columns;
    for (int y = 0; y < 480; ++y)
        if (bmp.Canvas().Pixel(5, y) == clRed) rows.push_back(y);
    for (int x = 0; x < 640; ++x)
        if (bmp.Canvas().Pixel(x, 5) == clRed) columns.push_back(x);
    std::vector<int> wantRows, wantColumns;
    for (int k = -10; k <= 9; ++k)
        if (k != 0) wantRows.push_back(240 + 24 * k), wantColumns.push_back(320 + 32 * k);
    EXPECT_EQ(rows, wantRows);  // 240 + 10 * 24 lies just below the raster
    EXPECT_EQ(columns, wantColumns);
    // The axes: from column 1 to the end, from row 1 to the end.
    EXPECT_NE(bmp.Canvas().Pixel(0, 240), clBlack);
    for (int x = 1; x < 640; ++x) ASSERT_EQ(bmp.Canvas().Pixel(x, 240), clBlack) << x;
    for (int y = 1; y < 480; ++y) ASSERT_EQ(bmp.Canvas().Pixel(320, y), clBlack) << y;
    // Background everywhere else.
    EXPECT_EQ(CountColour(clWhite), 640 * 480 - CountColour(clRed) - CountColour(clBlack));
}

TEST_F(VgraphicsTest, SampledColumns) {
    g.Cross = false;
    Lines({{"x", "255", "1"}});
    ASSERT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
    EXPECT_EQ(XAt(1), -9.96875L);
    EXPECT_EQ(bmp.Canvas().Pixel(0, Row(-9.96875L) - 1), clRed);
    int samples = 0;
    for (int x = 0; x < 640; ++x)
        for (int y = 0; y < 480; ++y)
            if (bmp.Canvas().Pixel(x, y) == clRed) {
                EXPECT_EQ(x % 32, 0) << x;  // columns 1, 33, ... leave pixels at 0, 32, ...
                EXPECT_EQ(y, Row(XAt(x + 1)) - 1);
                ++samples;
            }
    EXPECT_EQ(samples, 20);  // 1, 33, ..., 609

    for (const char* fine : {"0.03125", "0.01", "0", "", "abc", "-1"}) {
        bmp.Canvas().Brush.Color = clWhite;
        Lines({{"x", "255", fine}});
        ASSERT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
        int columns = 0;
        for (int x = 0; x < 640; ++x) {
            bool any = false;
            for (int y = 0; y < 480; ++y) any |= bmp.Canvas().Pixel(x, y) == clRed;
            columns += any;
        }
        EXPECT_EQ(columns, 638) << fine;  // columns 639 and 640 have row 0: their pixel is at row -1
    }
}

TEST_F(VgraphicsTest, ThreeLineExample) {
    Lines({{"1/x", "255", "0"}, {"sin(x)", "32768", "0"}, {"qq", "0", "0"}});
    EXPECT_EQ(g.DrawToCanvas(bmp.Canvas()), 3);
    int red = 0, green = 0;
    for (int px = 1; px <= 640; ++px) {
        const long double x = XAt(px);
        const int sinRow = Row(std::sin(static_cast<double>(x))) - 1;
        if (sinRow >= 0 && sinRow < 480) {
            EXPECT_EQ(bmp.Canvas().Pixel(px - 1, sinRow), clGreen) << px;
            ++green;
        }
        if (px == 320) continue;
        const int invRow = Row(1 / x) - 1;
        if (invRow >= 0 && invRow < 480 && invRow != sinRow) {
            EXPECT_EQ(bmp.Canvas().Pixel(px - 1, invRow), clRed) << px;
            ++red;
        }
    }
    EXPECT_GT(red, 600);
    EXPECT_EQ(green, 640);
    for (int y = 0; y < 480; ++y) EXPECT_NE(bmp.Canvas().Pixel(319, y), clRed) << y;  // no sample at x = 0
    EXPECT_EQ(CountColour(clRed), red);
}

TEST_F(VgraphicsTest, JoinedCurveBreaksAtTheMaximumDifference) {
    g.Cross = false;
    g.PointsOnly = false;
    Lines({{"tan(x)", "255", "0"}});
    // Tallest run of curve pixels in one column within the band |y| < 4.6.
    auto tallest = [&] {
        int best = 0;
        for (int x = 0; x < 640; ++x) {
            int n = 0;
            for (int y = 130; y <= 350; ++y) n += bmp.Canvas().Pixel(x, y) == clRed;
            best = std::max(best, n);
        }
        return best;
    };
    ASSERT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
    EXPECT_GT(tallest(), 200);  // joined through the poles
    g.SetAbstand(5);
    ASSERT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
    EXPECT_LT(tallest(), 100);
    // Away from the poles the curve is joined: no gap in column 320's neighbourhood.
    for (int x = 310; x < 330; ++x) {
        bool any = false;
        for (int y = 0; y < 480; ++y) any |= bmp.Canvas().Pixel(x, y) == clRed;
        EXPECT_TRUE(any) << x;
    }
}

TEST_F(VgraphicsTest, CancelFromATimerDuringTheGrid) {
    g.Grid = true;
    g.GridColor = clRed;
    Lines({{"x", "32768", "0"}});
    TTimer timer(nullptr);
    timer.SetInterval(1);
    int drawnAtCancel = -1;
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        drawnAtCancel = CountColour(clRed);
        g.Cancel();
    };
    timer.SetEnabled(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the timer is due
    EXPECT_EQ(g.DrawToCanvas(bmp.Canvas()), -1);
    EXPECT_TRUE(g.CancelRequested());
    ASSERT_GE(drawnAtCancel, 0) << "the timer never ran inside the drawing";
    // The line after the pump that ran the handler is drawn, no further one.
    EXPECT_EQ(CountColour(clRed), drawnAtCancel + 639);
    EXPECT_EQ(CountColour(clBlack), 0);  // nor axes
    EXPECT_EQ(CountColour(clGreen), 0);  // nor curves
    // The next drawing clears the request and runs to its end.
    EXPECT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
    EXPECT_FALSE(g.CancelRequested());
}

TEST_F(VgraphicsTest, FloodFillWithoutClearing) {
    g.ClearCanvas = false;
    g.Cross = false;
    g.Background = clYellow;
    // A yellow frame keeps the red inside it from the fill.
    bmp.Canvas().Pen.Color = clYellow;
    bmp.Canvas().Brush.Color = clRed;
    bmp.Canvas().Rectangle(100, 100, 200, 200);
    EXPECT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
    EXPECT_EQ(bmp.Canvas().Pixel(0, 0), clYellow);
    EXPECT_EQ(bmp.Canvas().Pixel(639, 479), clYellow);
    EXPECT_EQ(bmp.Canvas().Pixel(150, 150), clRed);

    // When (10, 10) has the background colour already, nothing is repainted.
    TBitmap earlier(640, 480);
    earlier.Canvas().SetPixel(10, 10, clYellow);
    EXPECT_EQ(g.DrawToCanvas(earlier.Canvas()), 0);
    EXPECT_EQ(earlier.Canvas().Pixel(11, 10), clWhite);

    g.ClearCanvas = true;  // silver first, then the background over all of it
    EXPECT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
    EXPECT_EQ(CountColour(clYellow), 640 * 480);
}

TEST_F(VgraphicsTest, FailureHandling) {
    // A zero-height window: the sample's row conversion fails, the sample is skipped.
    g.Cross = false;
    g.SetMinusY(5);
    g.SetPlusY(5);
    Lines({{"x", "255", "0"}});
    EXPECT_EQ(g.DrawToCanvas(bmp.Canvas()), 0);
    EXPECT_EQ(CountColour(clRed), 0);
    g.Cross = true;  // the axis computation fails and ends the drawing
    EXPECT_THROW(g.DrawToCanvas(bmp.Canvas()), EMathError);
    g.Cross = false;
    g.Grid = true;
    EXPECT_THROW(g.DrawToCanvas(bmp.Canvas()), EMathError);

    TVGraphics h(nullptr);
    h.Cross = false;
    TStringList e{"x", "x"}, c{"255"}, s{"0", "0"};
    h.SetExpressions(e);
    h.SetColors(c);
    h.SetSteps(s);
    EXPECT_THROW(h.DrawToCanvas(bmp.Canvas()), EStringListError);  // colour line 1 is missing

    // A colour that is not a number is black; an unreadable step keeps the previous one.
    TStringList e2{"x", "x/2+5"}, c2{"red", "255"}, s2{"1", "1E99999"};
    h.SetExpressions(e2);
    h.SetColors(c2);
    h.SetSteps(s2);
    TBitmap b(640, 480);
    EXPECT_EQ(h.DrawToCanvas(b.Canvas()), 0);
    int black = 0, red = 0;
    for (const auto p : b.Pixels()) black += p == 0, red += p == 255;
    EXPECT_EQ(black, 20);
    EXPECT_EQ(red, 20);

    // Rows beyond the 32-bit range skip their samples; the one at x = 0 stays.
    TVGraphics big(nullptr);
    big.Cross = false;
    big.PointsOnly = false;
    TStringList e3{"1E15*x"}, c3{"255"}, s3{"0"};
    big.SetExpressions(e3);
    big.SetColors(c3);
    big.SetSteps(s3);
    TBitmap b3(640, 480);
    EXPECT_EQ(big.DrawToCanvas(b3.Canvas()), 0);
    EXPECT_EQ(b3.Canvas().Pixel(319, 239), clRed);
    int drawn = 0;
    for (const auto p : b3.Pixels()) drawn += p == 255;
    EXPECT_EQ(drawn, 1);
}
