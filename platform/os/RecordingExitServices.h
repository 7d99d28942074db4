#pragma once
// A test double of the exit services: records every call with its arguments,
// in order, as readable text, and reports a settable version and privilege
// result, so that the whole decision table of the exit actions can be checked
// without touching the machine.
#include <vector>

#include "platform/os/ExitServices.h"

class RecordingExitServices final : public IExitServices {
public:
    // What GetVersionEx reports; NT 5.1 unless set.
    TOsVersionInfo Version{TPlatformId::Win32NT, 5, 1};
    // What EnableShutdownPrivilege gives.
    bool PrivilegeResult = true;
    // "GetVersionEx", "SetRealtimePriority", "EnableShutdownPrivilege(PowerOff)",
    // "ExitWindowsEx(12)", "InitiateSystemShutdown(force=1,reboot=0)",
    // "SetSystemPowerState(suspend=0,force=1)", "LockWorkStation".
    std::vector<AnsiString> Calls;

    static constexpr TOsVersionInfo Nt50{TPlatformId::Win32NT, 5, 0};
    static constexpr TOsVersionInfo Nt51{TPlatformId::Win32NT, 5, 1};
    static constexpr TOsVersionInfo Win9x{TPlatformId::Win32Windows, 4, 10};

    TOsVersionInfo GetVersionEx() override;
    void SetRealtimePriority() override;
    bool EnableShutdownPrivilege(TShutdownRight right) override;
    void ExitWindowsEx(unsigned flags) override;
    void InitiateSystemShutdown(bool forceAppsClosed, bool rebootAfterShutdown) override;
    void SetSystemPowerState(bool suspend, bool force) override;
    void LockWorkStation() override;
};
