// The daily action timer, driven by a clock the test sets.
#include <QTimer>

#include "AppFixture.h"
#include "platform/desktop/Autostart.h"

namespace {
// Records whether the bar's timer flag was set when an action reached the
// system.
class FlagWatchingServices : public IExitServices {
public:
    explicit FlagWatchingServices(IExitServices& inner) : inner_(inner) {}
    std::vector<bool> TimerDrivenAtCall;
    TOsVersionInfo GetVersionEx() override { return inner_.GetVersionEx(); }
    void SetRealtimePriority() override { inner_.SetRealtimePriority(); }
    bool EnableShutdownPrivilege(TShutdownRight r) override { return inner_.EnableShutdownPrivilege(r); }
    void ExitWindowsEx(unsigned flags) override {
        Watch();
        inner_.ExitWindowsEx(flags);
    }
    void InitiateSystemShutdown(bool f, bool r) override {
        Watch();
        inner_.InitiateSystemShutdown(f, r);
    }
    void SetSystemPowerState(bool s, bool f) override {
        Watch();
        inner_.SetSystemPowerState(s, f);
    }
    void LockWorkStation() override {
        Watch();
        inner_.LockWorkStation();
    }

private:
    void Watch() { TimerDrivenAtCall.push_back(Form1->TimerDriven); }
    IExitServices& inner_;
};

int CountCalls(const std::vector<AnsiString>& calls, const AnsiString& prefix) {
    int n = 0;
    for (const auto& c : calls) n += c.rfind(prefix, 0) == 0;
    return n;
}
}  // namespace

class DailyTimer : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        AppServices().Exit = &watching_;
        CreateForms();
        Form2->LoadSettings(nullptr);  // first start: reset values
        // The road of one scheduled action: 22:30, Vuvuviro, confirmation,
        // forced (as after the reset).
        Store({{"timerenabled", "1"}, {"time", "22:30"}, {"action", "1"}, {"confirmtimer", "1"}});
        // The countdown runs in 100 ms instead of ten seconds.
        Form3->Timer1->SetInterval(1);
        clock_.Set(22, 29, 59, 500);
    }
    void Store(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [n, v] : values) Form1->VReg1->Push(n, v);
        Form2->LoadSettings(nullptr);
    }
    void Tick() { Form2->AutoTimerTimer(Form2->AutoTimer); }
    int PowerOffs() const { return CountCalls(os_.Calls, "InitiateSystemShutdown(force=1,reboot=0)"); }

    FlagWatchingServices watching_{os_};
};

TEST_F(DailyTimer, ScheduledActionAfterTheCountdown) {
    ASSERT_TRUE(Form2->AutoTimer->Enabled());
    Tick();
    EXPECT_TRUE(os_.Calls.empty());
    clock_.Set(22, 30, 0, 0);
    Tick();  // shows the countdown and waits for it
    EXPECT_EQ(Form3->ActionCode, 1);
    EXPECT_FALSE(Form3->Cancelled);
    EXPECT_EQ(PowerOffs(), 1);
    EXPECT_EQ(watching_.TimerDrivenAtCall, std::vector<bool>{true});
    EXPECT_FALSE(Form1->TimerDriven);
    // The second tick of the same second does nothing more.
    clock_.Set(22, 30, 0, 500);
    Tick();
    EXPECT_EQ(PowerOffs(), 1);
    // Second 01 never matches.
    clock_.Set(22, 30, 1);
    Tick();
    EXPECT_EQ(PowerOffs(), 1);
}

TEST_F(DailyTimer, CancelledConfirmationLeavesTheTimerOn) {
    clock_.Set(22, 30, 0);
    Form3->Timer1->SetInterval(100);
    QTimer::singleShot(20, [] {
        char esc = 27;
        Form3->FormKeyPress(nullptr, esc);
    });
    Tick();
    EXPECT_TRUE(os_.Calls.empty());
    EXPECT_FALSE(Form1->TimerDriven);
    EXPECT_TRUE(Form2->AutoTimer->Enabled());
    EXPECT_TRUE(Form2->CheckBox1->Checked());
}

TEST_F(DailyTimer, TickDuringTheWaitDoesNotRunASecondSequence) {
    clock_.Set(22, 30, 0);
    Form3->Timer1->SetInterval(5);
    int nestedTicks = 0;
    QTimer::singleShot(30, [&] {
        clock_.Set(22, 30, 0, 500);
        ++nestedTicks;
        Tick();
    });
    Tick();
    EXPECT_EQ(nestedTicks, 1);
    EXPECT_EQ(PowerOffs(), 1);
}

TEST_F(DailyTimer, AutoDisableStoresTheTimerOffBeforeActing) {
    Store({{"confirmtimer", "0"}, {"autodisabletimer", "1"}, {"action", "5"}});
    WriteAutostartEntry("DererezOzuvoruz", "/usr/bin/DErerevov");
    clock_.Set(22, 30, 0);
    Tick();
    EXPECT_EQ(os_.Calls, std::vector<AnsiString>{"LockWorkStation"});
    EXPECT_EQ(Form1->VReg1->Pop("timerenabled"), "0");
    EXPECT_FALSE(AutostartExists());
    EXPECT_FALSE(Form2->AutoTimer->Enabled());
    EXPECT_FALSE(Form1->ActivateTimer1->Checked());
    EXPECT_FALSE(Form3->Visible());
}

TEST_F(DailyTimer, NothingWhileTheSettingsDialogIsOpen) {
    Form2->Show();
    clock_.Set(22, 30, 0);
    Tick();
    Form2->Hide();
    clock_.Set(22, 30, 1);
    Tick();
    EXPECT_TRUE(os_.Calls.empty());
}

TEST_F(DailyTimer, NoActionSelectedShowsThePreviousCodeAndDoesNothing) {
    Form2->RadioButton1->SetChecked(false);
    Form3->ActionCode = 3;
    clock_.Set(22, 30, 0);
    Tick();
    EXPECT_EQ(Form3->ActionCode, 3);
    EXPECT_FALSE(Form3->Cancelled);
    EXPECT_TRUE(os_.Calls.empty());
    EXPECT_FALSE(Form1->TimerDriven);
}

TEST_F(DailyTimer, TimeIsComparedInTwentyFourHours) {
    Store({{"time", "09:30"}, {"confirmtimer", "0"}});
    clock_.Set(9, 30, 0);
    Tick();
    EXPECT_EQ(PowerOffs(), 1);
    Store({{"time", "22:30"}});
    clock_.Set(10, 30, 0);  // 10:30 PM must not be mistaken for 10:30
    Tick();
    EXPECT_EQ(PowerOffs(), 1);
    Store({{"time", "25:99"}});
    clock_.Set(1, 39, 0);
    Tick();
    EXPECT_EQ(PowerOffs(), 1);
}

TEST_F(DailyTimer, NextDaySameMinuteFiresAgain) {
    Store({{"confirmtimer", "0"}});
    clock_.Set(22, 30, 0);
    Tick();
    clock_.Set(22, 31, 0);  // any later tick outside the minute
    Tick();
    clock_.Set(22, 30, 0);
    Tick();
    EXPECT_EQ(PowerOffs(), 2);
}
