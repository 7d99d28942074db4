// The five exit actions against the recording double: confirmation, version
// test, priority, privilege and the call, for every combination of options.
#include <QTimer>

#include "AppFixture.h"
#include "platform/core/SysUtils.h"

namespace {
using Calls = std::vector<AnsiString>;

enum class Action { Reboot, Vuvuviro, Suspend, Lock, Logoff };
enum class Version { Nt50, Nt51, Win9x };

struct Options {
    Action action;
    bool force, hibernate;
    Version version;
    bool privileged;
};

// What the action table prescribes, written out from it independently of
// the handlers.
Calls Expected(const Options& o) {
    const bool nt = o.version != Version::Win9x;
    auto privilege = [&](const char* right) {
        Calls c{"GetVersionEx"};
        if (nt) c.push_back(AnsiString("EnableShutdownPrivilege(") + right + ")");
        return c;
    };
    const bool granted = !nt || o.privileged;
    auto join = [](Calls a, const Calls& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    switch (o.action) {
    case Action::Reboot:
        if (o.force) return join(join({"SetRealtimePriority"}, privilege("Reboot")), {"InitiateSystemShutdown(force=1,reboot=1)"});
        return join(join({"SetRealtimePriority"}, privilege("Reboot")), granted ? Calls{"ExitWindowsEx(2)"} : Calls{});
    case Action::Vuvuviro:
        if (!o.force) return join(join({"SetRealtimePriority"}, privilege("PowerOff")), granted ? Calls{"ExitWindowsEx(8)"} : Calls{});
        if (o.version == Version::Nt50)
            return join(join({"GetVersionEx", "SetRealtimePriority"}, privilege("PowerOff")), granted ? Calls{"ExitWindowsEx(12)"} : Calls{});
        return join(join({"GetVersionEx", "SetRealtimePriority"}, privilege("PowerOff")), {"InitiateSystemShutdown(force=1,reboot=0)"});
    case Action::Suspend:
        return join(privilege(o.hibernate ? "Hibernate" : "Suspend"),
                    granted ? Calls{Format("SetSystemPowerState(suspend=%d,force=%d)", int(!o.hibernate), int(o.force))} : Calls{});
    case Action::Lock: return {"LockWorkStation"};
    case Action::Logoff: return join(privilege("Logoff"), granted ? Calls{o.force ? "ExitWindowsEx(4)" : "ExitWindowsEx(0)"} : Calls{});
    }
    return {};
}

void Press(Action a) {
    switch (a) {
    case Action::Reboot: Form1->SpeedButton2Click(nullptr); break;
    case Action::Vuvuviro: Form1->SpeedButton1Click(nullptr); break;
    case Action::Suspend: Form1->SpeedButton4Click(nullptr); break;
    case Action::Lock: Form1->SpeedButton5Click(nullptr); break;
    case Action::Logoff: Form1->SpeedButton3Click(nullptr); break;
    }
}
}  // namespace

class ExitActions : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CreateForms();
        Form2->LoadSettings(nullptr);
    }
    void Set(const Options& o) {
        Form2->CheckBox3->SetChecked(false);
        Form2->CheckBox4->SetChecked(o.force);
        Form2->CheckBox5->SetChecked(o.hibernate);
        os_.Version = o.version == Version::Nt50 ? RecordingExitServices::Nt50
                      : o.version == Version::Nt51 ? RecordingExitServices::Nt51
                                                   : RecordingExitServices::Win9x;
        os_.PrivilegeResult = o.privileged;
        os_.Calls.clear();
    }
};

TEST_F(ExitActions, WholeDecisionTable) {
    for (Action a : {Action::Reboot, Action::Vuvuviro, Action::Suspend, Action::Lock, Action::Logoff})
        for (bool force : {false, true})
            for (bool hibernate : {false, true})
                for (Version v : {Version::Nt50, Version::Nt51, Version::Win9x})
                    for (bool privileged : {false, true}) {
                        const Options o{a, force, hibernate, v, privileged};
                        Set(o);
                        Press(a);
                        EXPECT_EQ(os_.Calls, Expected(o)) << "action " << int(a) << " force " << force << " hibernate " << hibernate
                                                          << " version " << int(v) << " privileged " << privileged;
                    }
}

TEST_F(ExitActions, EdgeCasesSpelledOut) {
    // Forced power-off on 5.0 uses the exit call with flags 12; on 5.1 the
    // shutdown call without reboot.
    Set({Action::Vuvuviro, true, false, Version::Nt50, true});
    Press(Action::Vuvuviro);
    EXPECT_EQ(os_.Calls.back(), "ExitWindowsEx(12)");
    Set({Action::Vuvuviro, true, false, Version::Nt51, false});
    Press(Action::Vuvuviro);
    EXPECT_EQ(os_.Calls.back(), "InitiateSystemShutdown(force=1,reboot=0)");  // made without the privilege
    // Suspend with both options: hibernate with force; with neither: standby.
    Set({Action::Suspend, true, true, Version::Nt51, true});
    Press(Action::Suspend);
    EXPECT_EQ(os_.Calls.back(), "SetSystemPowerState(suspend=0,force=1)");
    Set({Action::Suspend, false, false, Version::Nt51, true});
    Press(Action::Suspend);
    EXPECT_EQ(os_.Calls.back(), "SetSystemPowerState(suspend=1,force=0)");
    // The older family takes no privilege step.
    Set({Action::Logoff, false, false, Version::Win9x, false});
    Press(Action::Logoff);
    EXPECT_EQ(os_.Calls, (Calls{"GetVersionEx", "ExitWindowsEx(0)"}));
}

TEST_F(ExitActions, ConfirmationCancelledMakesNoCall) {
    Set({Action::Vuvuviro, true, false, Version::Nt51, true});
    Form2->CheckBox3->SetChecked(true);
    // Each way of cancelling, pressed while the modal countdown runs.
    const std::function<void()> cancels[] = {
        [] { Form3->Button2Click(nullptr); },
        [] {
            char esc = 27;
            Form3->FormKeyPress(nullptr, esc);
        },
        [] { Form3->Close(); },  // the close box
    };
    for (const auto& cancel : cancels) {
        QTimer::singleShot(30, cancel);
        Press(Action::Vuvuviro);
        EXPECT_TRUE(os_.Calls.empty());  // not even the priority
        EXPECT_EQ(Form3->ActionCode, 1);
        EXPECT_FALSE(Form3->Timer1->Enabled());
    }
    QTimer::singleShot(30, [] { Form3->Button1Click(nullptr); });
    Press(Action::Vuvuviro);
    EXPECT_EQ(os_.Calls.back(), "InitiateSystemShutdown(force=1,reboot=0)");
}

TEST_F(ExitActions, TimerDrivenSkipsTheBarsConfirmation) {
    Set({Action::Lock, false, false, Version::Nt51, true});
    Form2->CheckBox3->SetChecked(true);
    Form1->TimerDriven = true;
    Press(Action::Lock);
    EXPECT_EQ(os_.Calls, (Calls{"LockWorkStation"}));
    EXPECT_FALSE(Form3->Visible());
    Form1->TimerDriven = false;
}
