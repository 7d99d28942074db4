// When the program stays resident in the tray and when it ends.
#include "AppFixture.h"

class Lifetime : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CreateForms();
        Form1->Show();
    }
    void SetTimerOn(bool on) {
        Form1->VReg1->Push("timerenabled", on ? "1" : "0");
        Form2->LoadSettings(nullptr);
    }
};

TEST_F(Lifetime, DeactivationWithTheDialogOpenDoesNothing) {
    Form2->Show();
    Form1->AppDeactivate(nullptr);
    EXPECT_TRUE(Form1->Visible());
    EXPECT_FALSE(Form1->CloseTimer->Enabled());
    EXPECT_FALSE(Application->Minimized());
    Form2->Hide();
}

TEST_F(Lifetime, DeactivationWithTheTimerOffSlidesOutAndEnds) {
    SetTimerOn(false);
    Form1->AppDeactivate(nullptr);
    EXPECT_TRUE(Form1->SlidingOut);
    EXPECT_TRUE(Form1->CloseTimer->Enabled());
    Form1->CloseTimerTimer(nullptr);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(Lifetime, ResidentUntilTheTimerIsUnticked) {
    SetTimerOn(true);
    Form1->AppDeactivate(nullptr);
    EXPECT_TRUE(Application->Minimized());
    EXPECT_FALSE(Form1->Visible());  // hidden into the tray
    Form1->Timer1Timer(nullptr);
    EXPECT_FALSE(Form1->CloseTimer->Enabled());
    // Unticked in the dialog, nothing saved: the next Timer1 tick starts
    // the close timer.
    Form2->CheckBox1->SetChecked(false);
    Form1->Timer1Timer(nullptr);
    EXPECT_TRUE(Form1->CloseTimer->Enabled());
}

TEST_F(Lifetime, ShowMenuItemBringsTheBarBackWithAFreshSlide) {
    SetTimerOn(true);
    Form1->AppDeactivate(nullptr);
    Form1->ShowWindow1Click(nullptr);
    EXPECT_TRUE(Form1->Visible());
    EXPECT_FALSE(Application->Minimized());
    EXPECT_EQ(Form1->Top(), Form1->HiddenTop);
    EXPECT_TRUE(Form1->ScrollTimer->Enabled());
}

TEST_F(Lifetime, TimerMenuItemStoresTheOppositeAndReloads) {
    SetTimerOn(true);
    Form1->AppDeactivate(nullptr);
    Form1->ActivateTimer1Click(nullptr);
    EXPECT_EQ(Form1->VReg1->Pop("timerenabled"), "0");
    EXPECT_FALSE(Form1->ActivateTimer1->Checked());
    EXPECT_FALSE(Form2->AutoTimer->Enabled());
    Form1->Timer1Timer(nullptr);
    EXPECT_TRUE(Form1->CloseTimer->Enabled());
}

TEST_F(Lifetime, CloseProgramWithTheBarHidden) {
    SetTimerOn(true);
    Form1->AppDeactivate(nullptr);
    Form1->CloseProgram1Click(nullptr);
    EXPECT_FALSE(Form1->CoolTrayIcon1->IconVisible());
    EXPECT_TRUE(Form1->CloseTimer->Enabled());
    EXPECT_FALSE(Form1->SlidingOut);  // no slide-out for a hidden bar
}

TEST_F(Lifetime, CloseProgramWithTheBarVisibleSlidesOut) {
    Form1->CloseProgram1Click(nullptr);
    EXPECT_TRUE(Form1->SlidingOut);
    EXPECT_TRUE(Form1->ScrollTimer->Enabled());
    EXPECT_FALSE(Form1->CoolTrayIcon1->IconVisible());
}

TEST_F(Lifetime, TrayMenuItemsInOrder) {
    std::vector<AnsiString> captions;
    for (int i = 0; i < Form1->PopupMenu1->Count(); ++i) captions.push_back(Form1->PopupMenu1->Items(i)->Caption());
    EXPECT_EQ(captions, (std::vector<AnsiString>{"&Show Vuvuviromenu", "Show S&ettings", "-", "&Timer active", "-", "&Close Program"}));
    EXPECT_EQ(Form1->CoolTrayIcon1->Hint(), "Varnell Vuvuviro 1.21");
}
