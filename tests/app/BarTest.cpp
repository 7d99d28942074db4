// The bar's slide geometry and slide, and the marble tiling.
#include "AppFixture.h"

namespace {
struct GeometryCase {
    const char* name;
    TScreenMetrics screen;
    TSlideGeometry expected;
};

// Runs slide ticks until the scroll timer stops; gives the moving ticks.
int RunSlide() {
    // The test drives the ticks itself; the timer's own ticks would nest in
    // the pumping of a moving tick.
    Form1->ScrollTimer->SetInterval(1000000);
    int moving = 0;
    while (Form1->ScrollTimer->Enabled()) {
        const int left = Form1->Left(), top = Form1->Top();
        Form1->ScrollTimerTimer(nullptr);
        if (Form1->Left() != left || Form1->Top() != top) ++moving;
        if (moving > 1000) break;  // a slide that never arrives
    }
    return moving;
}
}  // namespace

TEST(SlideGeometry, EachTaskbarEdge) {
    const GeometryCase cases[] = {
        {"bottom", {1024, 768, Rect(0, 0, 1024, 738)}, {2, 768, 2, 669, 0, -4, 0, 4}},
        {"hidden taskbar", {1024, 768, Rect(0, 0, 1024, 768)}, {2, 768, 2, 699, 0, -4, 0, 4}},
        {"top", {1024, 768, Rect(0, 30, 1024, 768)}, {0, -69, 0, 29, 0, 4, 0, -4}},
        {"left", {1024, 768, Rect(60, 0, 1024, 768)}, {-469, 0, 60, 0, 8, 0, -8, 0}},
        {"right", {1024, 768, Rect(0, 0, 964, 768)}, {1024, 0, 495, 0, -8, 0, 8, 0}},
        {"two edges", {1024, 768, Rect(60, 30, 1024, 738)}, {62, 768, 62, 669, 0, -4, 0, 4}},
    };
    for (const auto& c : cases) {
        const TSlideGeometry g = ComputeSlideGeometry(469, 69, c.screen);
        const TSlideGeometry& e = c.expected;
        EXPECT_EQ(std::vector<int>({g.HiddenLeft, g.HiddenTop, g.ShownLeft, g.ShownTop, g.InStepX, g.InStepY, g.OutStepX, g.OutStepY}),
                  std::vector<int>({e.HiddenLeft, e.HiddenTop, e.ShownLeft, e.ShownTop, e.InStepX, e.InStepY, e.OutStepX, e.OutStepY}))
            << c.name;
    }
}

class BarSlide : public AppFixture {};

TEST_F(BarSlide, BottomTaskbarSlidesInAndOut) {
    CreateForms();
    Form1->Show();  // FormShow: tiles, starts the slide-in, loads settings
    EXPECT_EQ(Form1->Left(), 2);
    EXPECT_EQ(Form1->Top(), 768);
    EXPECT_EQ(RunSlide(), 25);
    EXPECT_EQ(Form1->Top(), 668);  // one pixel past the target: no snapping
    EXPECT_TRUE(Form1->Visible());

    Form1->SlideOut();
    EXPECT_EQ(Form1->Top(), 669);
    EXPECT_EQ(RunSlide(), 25);
    EXPECT_EQ(Form1->Top(), 769);
    EXPECT_FALSE(Form1->Visible());
    EXPECT_TRUE(Application->Terminated());  // closing the main form ends the program
}

TEST_F(BarSlide, LeftTaskbarAndTwoEdges) {
    AppServices().Screen = [] { return TScreenMetrics{1024, 768, Rect(60, 0, 1024, 768)}; };
    CreateForms();
    Form1->Show();
    EXPECT_EQ(Form1->Left(), -469);
    EXPECT_EQ(RunSlide(), 67);
    EXPECT_EQ(Form1->Left(), 67);
}

TEST_F(BarSlide, TwoEdgeWorkAreaStillArrives) {
    AppServices().Screen = [] { return TScreenMetrics{1024, 768, Rect(60, 30, 1024, 738)}; };
    CreateForms();
    Form1->Show();
    const int moving = RunSlide();
    EXPECT_LT(moving, 1000);
    EXPECT_LE(Form1->Top(), 669);
    EXPECT_FALSE(Form1->ScrollTimer->Enabled());
}

TEST_F(BarSlide, ShowingAgainRepeatsTheSlideIn) {
    CreateForms();
    Form1->Show();
    RunSlide();
    Form1->Hide();
    Form1->Show();
    EXPECT_EQ(Form1->Top(), 768);
    EXPECT_TRUE(Form1->ScrollTimer->Enabled());
}

class Marble : public AppFixture {};

TEST_F(Marble, TilesFromTheTopLeftAndClipsAtTheEdges) {
    CreateForms();
    TBitmap tile(56, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 56; ++x) tile.Canvas().SetPixel(x, y, RGB(x * 4, y * 5, 7));
    Form1->Image1->SetPicture(tile);
    Form1->FillMarble(Form1->Image1, Form1->Image2);
    const TBitmap& out = Form1->Image2->Picture();
    ASSERT_EQ(out.Width(), 505);
    ASSERT_EQ(out.Height(), 105);
    const TPoint samples[] = {{0, 0}, {55, 47}, {56, 0}, {57, 48}, {503, 97}, {504, 104}, {448, 96}, {300, 50}};
    for (const auto& p : samples)
        EXPECT_EQ(out.Canvas().Pixel(p.X, p.Y), tile.Canvas().Pixel(p.X % 56, p.Y % 48)) << p.X << "," << p.Y;
}

TEST_F(Marble, EmptySourceLeavesTargetClearedAndReturns) {
    CreateForms();
    TImage empty(nullptr);
    Form1->FillMarble(&empty, Form1->Image2);
    EXPECT_TRUE(Form1->Image2->Picture().Empty());
}
