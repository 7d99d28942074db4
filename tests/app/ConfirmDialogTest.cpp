// The confirmation dialog's countdown, pictures and ways of closing.
#include <QWidget>

#include "AppFixture.h"

class ConfirmDialog : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CreateForms();
    }
    void ShowFor(int code) {
        Form3->ActionCode = code;
        Form3->Show();
    }
    std::vector<bool> PicturesShown() const {
        return {Form3->ImageReboot->Visible(), Form3->ImageVuvuviro->Visible(), Form3->ImageSuspend->Visible(),
                Form3->ImageLock->Visible(), Form3->ImageLogoff->Visible()};
    }
};

TEST_F(ConfirmDialog, CountdownConfirmsAfterHundredTicks) {
    ShowFor(1);
    EXPECT_EQ(Form3->Label2->Caption(), "VUVUVIRO");
    EXPECT_EQ(PicturesShown(), (std::vector<bool>{false, true, false, false, false}));
    EXPECT_TRUE(Form3->Cancelled);
    EXPECT_TRUE(Form3->Timer1->Enabled());
    const std::pair<int, const char*> labels[] = {{1, "10"}, {9, "10"}, {10, "9"}, {19, "9"}, {90, "1"}, {99, "1"}, {100, "0"}};
    int ticks = 0;
    for (const auto& [after, text] : labels) {
        while (ticks < after) {
            Form3->Timer1Timer(nullptr);
            ++ticks;
        }
        EXPECT_EQ(Form3->Label5->Caption(), text) << after;
    }
    EXPECT_EQ(Form3->ProgressBar1->Position(), 100);
    EXPECT_FALSE(Form3->Cancelled);
    EXPECT_FALSE(Form3->Visible());
    EXPECT_FALSE(Form3->Timer1->Enabled());
}

TEST_F(ConfirmDialog, EscCancelAndCloseBoxCancel) {
    const std::function<void()> ways[] = {
        [] {
            char key = 27;
            Form3->FormKeyPress(nullptr, key);
        },
        [] { Form3->Button2Click(nullptr); },
        [] { Form3->Widget()->close(); },  // the window's close box
    };
    for (const auto& close : ways) {
        ShowFor(0);
        Form3->Timer1Timer(nullptr);
        close();
        EXPECT_FALSE(Form3->Visible());
        EXPECT_TRUE(Form3->Cancelled);
        EXPECT_FALSE(Form3->Timer1->Enabled());
    }
    ShowFor(0);
    char other = 'x';
    Form3->FormKeyPress(nullptr, other);
    EXPECT_TRUE(Form3->Visible());
    Form3->Button1Click(nullptr);  // Ok at once
    EXPECT_FALSE(Form3->Cancelled);
}

TEST_F(ConfirmDialog, PicturesAndWordingPerCode) {
    const char* wording[] = {"REBOOT", "VUVUVIRO", "BE SUSPENDED", "BE LOCKED", "LOG OFF YOU"};
    for (int code = 0; code < 5; ++code) {
        ShowFor(code);
        EXPECT_EQ(Form3->Label2->Caption(), wording[code]);
        const auto shown = PicturesShown();
        for (int i = 0; i < 5; ++i) EXPECT_EQ(shown[i], i == code) << code;
        Form3->Button2Click(nullptr);
    }
    // Outside 0..4: no picture, and the wording of the last showing stays.
    ShowFor(7);
    EXPECT_EQ(PicturesShown(), std::vector<bool>(5, false));
    EXPECT_EQ(Form3->Label2->Caption(), "LOG OFF YOU");
    Form3->Button2Click(nullptr);
}

TEST_F(ConfirmDialog, SecondShowingStartsAfresh) {
    ShowFor(2);
    for (int i = 0; i < 35; ++i) Form3->Timer1Timer(nullptr);
    Form3->Button2Click(nullptr);
    ShowFor(2);
    EXPECT_EQ(Form3->ProgressBar1->Position(), 0);
    EXPECT_EQ(Form3->Label5->Caption(), "10");
    EXPECT_TRUE(Form3->Cancelled);
    Form3->Button2Click(nullptr);
}
