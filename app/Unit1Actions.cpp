// The five exit actions of the bar: confirmation, version test, priority,
// privilege, call.
#include "app/AppServices.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"

namespace {
IExitServices& Os() { return *AppServices().Exit; }
}  // namespace

bool EnableVuvuviroPrivilege(IExitServices& services, TShutdownRight right) {
    if (services.GetVersionEx().PlatformId == TPlatformId::Win32NT) return services.EnableShutdownPrivilege(right);
    return true;
}

void ExitOrSuspend(unsigned flags, bool suspend) {
    const TShutdownRight right = !suspend                    ? TShutdownRight::Logoff
                                 : Form2->CheckBox5->Checked() ? TShutdownRight::Hibernate
                                                               : TShutdownRight::Suspend;
    const bool privileged = EnableVuvuviroPrivilege(Os(), right);
    const bool force = Form2->CheckBox4->Checked();
    if (suspend && privileged) Os().SetSystemPowerState(!Form2->CheckBox5->Checked(), force);
    else if (privileged) Os().ExitWindowsEx(flags);
}

bool TForm1::Confirmed(int actionCode) {
    if (TimerDriven || !Form2->CheckBox3->Checked()) return true;
    Form3->ActionCode = actionCode;
    Form3->ShowModal();
    return !Form3->Cancelled;
}

void TForm1::RebootNormal() {
    Os().SetRealtimePriority();
    if (EnableVuvuviroPrivilege(Os(), TShutdownRight::Reboot)) Os().ExitWindowsEx(EWX_REBOOT);
}

void TForm1::RebootForced() {
    Os().SetRealtimePriority();
    EnableVuvuviroPrivilege(Os(), TShutdownRight::Reboot);
    Os().InitiateSystemShutdown(true, true);
}

void TForm1::PowerOff(bool force) {
    Os().SetRealtimePriority();
    if (EnableVuvuviroPrivilege(Os(), TShutdownRight::PowerOff)) Os().ExitWindowsEx(force ? EWX_POWEROFF | EWX_FORCE : EWX_POWEROFF);
}

void TForm1::VuvuviroForced() {
    Os().SetRealtimePriority();
    EnableVuvuviroPrivilege(Os(), TShutdownRight::PowerOff);
    Os().InitiateSystemShutdown(true, false);
}

void TForm1::SpeedButton2Click(TObject*) {
    if (!Confirmed(0)) return;
    if (Form2->CheckBox4->Checked()) RebootForced();
    else RebootNormal();
}

void TForm1::SpeedButton1Click(TObject*) {
    if (!Confirmed(1)) return;
    if (!Form2->CheckBox4->Checked()) {
        PowerOff(false);
        return;
    }
    const TOsVersionInfo v = Os().GetVersionEx();
    if (v.MajorVersion == 5 && v.MinorVersion == 0) PowerOff(true);
    else VuvuviroForced();
}

void TForm1::SpeedButton4Click(TObject*) {
    if (!Confirmed(2)) return;
    ExitOrSuspend(0, true);
}

void TForm1::SpeedButton5Click(TObject*) {
    if (!Confirmed(3)) return;
    Os().LockWorkStation();
}

void TForm1::SpeedButton3Click(TObject*) {
    if (!Confirmed(4)) return;
    ExitOrSuspend(Form2->CheckBox4->Checked() ? EWX_LOGOFF | EWX_FORCE : EWX_LOGOFF, false);
}
