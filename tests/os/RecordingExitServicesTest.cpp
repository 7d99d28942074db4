// The recording double reports what it was told and records calls as the
// decision-table tests compare them.
#include <gtest/gtest.h>

#include "platform/os/RecordingExitServices.h"

namespace {

TEST(RecordingExitServices, RecordsEveryCallInOrderAsText)
{
    RecordingExitServices services;
    services.PrivilegeResult = false;
    services.Version = RecordingExitServices::Win9x;
    EXPECT_EQ(services.GetVersionEx().PlatformId, TPlatformId::Win32Windows);
    services.SetRealtimePriority();
    EXPECT_FALSE(services.EnableShutdownPrivilege(TShutdownRight::PowerOff));
    services.ExitWindowsEx(EWX_POWEROFF | EWX_FORCE);
    services.InitiateSystemShutdown(true, false);
    services.SetSystemPowerState(false, true);
    services.LockWorkStation();
    EXPECT_EQ(services.Calls,
              (std::vector<AnsiString>{"GetVersionEx", "SetRealtimePriority", "EnableShutdownPrivilege(PowerOff)",
                                       "ExitWindowsEx(12)", "InitiateSystemShutdown(force=1,reboot=0)",
                                       "SetSystemPowerState(suspend=0,force=1)", "LockWorkStation"}));
}

} // namespace
