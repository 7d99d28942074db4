#include "platform/os/RecordingExitServices.h"

#include "platform/core/SysUtils.h"

TOsVersionInfo RecordingExitServices::GetVersionEx()
{
    Calls.push_back("GetVersionEx");
    return Version;
}

void RecordingExitServices::SetRealtimePriority()
{
    Calls.push_back("SetRealtimePriority");
}

bool RecordingExitServices::EnableShutdownPrivilege(TShutdownRight right)
{
    Calls.push_back("EnableShutdownPrivilege(" + ShutdownRightName(right) + ")");
    return PrivilegeResult;
}

void RecordingExitServices::ExitWindowsEx(unsigned flags)
{
    Calls.push_back("ExitWindowsEx(" + IntToStr(static_cast<int>(flags)) + ")");
}

void RecordingExitServices::InitiateSystemShutdown(bool forceAppsClosed, bool rebootAfterShutdown)
{
    Calls.push_back(Format("InitiateSystemShutdown(force=%d,reboot=%d)", int(forceAppsClosed),
                             int(rebootAfterShutdown)));
}

void RecordingExitServices::SetSystemPowerState(bool suspend, bool force)
{
    Calls.push_back(Format("SetSystemPowerState(suspend=%d,force=%d)", int(suspend), int(force)));
}

void RecordingExitServices::LockWorkStation()
{
    Calls.push_back("LockWorkStation");
}
